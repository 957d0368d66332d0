#include "statistics/ranks.h"

#include <cmath>
#include <utility>

namespace tavrel {

void SortWithIndex(Array<double>& values, Array<std::int32_t>& index, std::int32_t left, std::int32_t right) {
  // The smaller part is sorted by recursion and the larger one in this loop, so
  // the depth stays logarithmic; the exchanges are those of the plain recursion.
  while (left < right) {
    std::int32_t i = left, j = right;
    const double pivot = values[left + (right - left) / 2];
    do {
      while (values[i] < pivot) ++i;
      while (pivot < values[j]) --j;
      if (i <= j) {
        std::swap(values[i], values[j]);
        std::swap(index[i], index[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - left < right - i) {
      if (left < j) SortWithIndex(values, index, left, j);
      left = i;
    } else {
      if (i < right) SortWithIndex(values, index, i, right);
      right = j;
    }
  }
}

double RankSorted(const Array<double>& sorted, std::int32_t last, Array<double>& ranks) {
  if (last < 0) return 0;
  if (last == 0) {  // a single value: rank 1, no ties
    ranks[0] = 1;
    return 0;
  }
  double ties = 0;
  std::int32_t s = 0;
  do {
    const double first = sorted[s];
    std::int32_t count = 1, p = s;
    double sum = s;
    do {
      ++p;
      if (std::fabs(sorted[p] - first) < 1e-10 || sorted[p] == first) {
        ++count;
        sum += p + 1;
      }
    } while (!(sorted[p] > first || p == last));
    if (count > 1) {
      const double rank = (sum + 1) / count;
      for (std::int32_t q = s; q < s + count; ++q) ranks[q] = rank;
      const double g = count;
      ties += g * g * g - g;
    } else {
      ranks[s] = s + 1;
    }
    s += count;
    if (s == last) ranks[last] = last + 1;
  } while (s < last);
  return ties / 2;
}

double RankValues(Array<double>& values, std::int32_t last) {
  if (last < 0) return 0;
  Array<std::int32_t> index(static_cast<std::size_t>(last) + 1);
  for (std::int32_t i = 0; i <= last; ++i) index[i] = i + 1;
  SortWithIndex(values, index, 0, last);
  Array<double> ranks(static_cast<std::size_t>(last) + 1);
  const double ties = RankSorted(values, last, ranks);
  for (std::int32_t i = 0; i <= last; ++i) values[index[i] - 1] = ranks[i];
  return ties;
}

}  // namespace tavrel
