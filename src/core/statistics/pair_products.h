#pragma once
// The sums over every pair of columns of one length that the correlation
// table and the paired Student test are made of, worked so that a long table
// is read from memory a few times rather than twice for every pair.
#include <cstdint>
#include <functional>
#include <vector>

namespace tavrel {

// For columns[0..m - 1], each of count values, and their means: for every
// pair j < k in pair order (j = 0, 1, ..., k = j + 1, ..., m - 1), the sum
// over i of (columns[j][i] - means[j]) * (columns[k][i] - means[k]), added in
// the order of i from 0, as a loop over that one pair adds it. The pairs are
// worked in tiles on two threads: the columns of a tile are read a stretch at
// a time while it is in the cache, each pair's sum going on where the stretch
// before left it. done(pairs) is called on the calling thread as tiles end,
// with the number of pairs finished so far.
std::vector<double> PairProductSums(const std::vector<const double*>& columns, const std::vector<double>& means,
                                    std::int32_t count, const std::function<void(int pairs)>& done);

// The sum of the differences d = columns[j][i] - columns[k][i] of a pair and
// the sum of their squares, each added in the order of i from 0.
struct DifferenceSums {
  double sum = 0;
  double squares = 0;
};
// For every pair j < k in pair order, worked as PairProductSums works them.
std::vector<DifferenceSums> PairDifferenceSums(const std::vector<const double*>& columns, std::int32_t count,
                                               const std::function<void(int pairs)>& done);

}  // namespace tavrel
