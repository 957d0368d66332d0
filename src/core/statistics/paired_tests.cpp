#include "statistics/paired_tests.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "data/numbers.h"
#include "data/results_file.h"
#include "statistics/p_text.h"
#include "statistics/pair_loop.h"
#include "statistics/ranks.h"
#include "statistics/report_titles.h"
#include "statistics/statistics_run.h"

namespace tavrel {

namespace {

// The pair loop of the paired tests; the line for variables of different sizes.
void ForEachPairedSeries(const ProgressFn& progress,
                         const std::function<void(const std::string& prefix, const PairSeries& pair)>& body) {
  ForEachPreparedPair(ReadVariablesInForce(), progress, true, "     Ошибка: неравные массивы",
                      [&body](int, int, const std::string& prefix, const PairSeries& pair) { body(prefix, pair); });
}

// The size of a difference as its signed-rank key holds it (see PairWilcoxonStat).
double SizeOfKey(std::uint64_t key) { return std::bit_cast<double>(key >> 1); }

// Sorts signed-rank keys ascending. The keys are spread by the size they hold,
// in proportion to it, over twice as many buckets as there are keys, so that
// for sizes spread as measurements are a bucket holds one key or none; then
// one pass of insertion puts the few shared buckets in order. Keys are whole
// numbers, so the sorted order is the same whichever way it is reached.
class KeySorter {
 public:
  // The keys[0..n - 1] in ascending order, in keys itself or in the sorter.
  const std::uint64_t* Sort(std::uint64_t* keys, std::size_t n) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    bool ordered = true;
    for (std::size_t i = 0; i < n; ++i) {
      const double size = SizeOfKey(keys[i]);
      ordered = ordered && !std::isnan(size);
      low = std::min(low, size);
      high = std::max(high, size);
    }
    const std::size_t buckets = 2 * n;
    const double spread = high - low;
    const double scale = static_cast<double>(buckets) / spread;
    // Few keys, an undefined or infinite size, or sizes too close to spread:
    // sorted digit by digit.
    if (n < 64 || !ordered || !(spread > 0) || !std::isfinite(spread) || !std::isfinite(scale)) {
      Array<std::uint64_t> all(keys, keys + n);
      SortKeys(all);
      std::copy(all.begin(), all.end(), keys);
      return keys;
    }
    bucket_.resize(n);
    start_.assign(buckets + 1, 0);
    const double last = static_cast<double>(buckets - 1);
    std::uint32_t fullest = 0;
    for (std::size_t i = 0; i < n; ++i) {
      // Rounding keeps the order of the sizes, so the buckets follow it.
      bucket_[i] = static_cast<std::uint32_t>(std::min(last, (SizeOfKey(keys[i]) - low) * scale));
      fullest = std::max(fullest, ++start_[bucket_[i] + 1]);
    }
    for (std::size_t b = 0; b < buckets; ++b) start_[b + 1] += start_[b];
    sorted_.resize(n);
    for (std::size_t i = 0; i < n; ++i) sorted_[start_[bucket_[i]]++] = keys[i];
    if (fullest <= kInsertionLimit) {
      // Every key is above all keys of the buckets before its own, so
      // insertion never moves one out of its bucket.
      InsertionSort(sorted_.data(), sorted_.data() + n);
    } else {
      // start_[b] is now where bucket b ends.
      std::uint64_t* begin = sorted_.data();
      for (std::size_t b = 0; b < buckets; ++b) {
        std::uint64_t* end = sorted_.data() + start_[b];
        if (end - begin > kInsertionLimit) {
          std::sort(begin, end);
        } else {
          InsertionSort(begin, end);
        }
        begin = end;
      }
    }
    return sorted_.data();
  }

 private:
  static constexpr std::uint32_t kInsertionLimit = 16;

  static void InsertionSort(std::uint64_t* begin, std::uint64_t* end) {
    if (end - begin < 2) return;
    for (std::uint64_t* i = begin + 1; i != end; ++i) {
      const std::uint64_t key = *i;
      std::uint64_t* j = i;
      for (; j != begin && *(j - 1) > key; --j) *j = *(j - 1);
      *j = key;
    }
  }

  std::vector<std::uint32_t> bucket_;
  std::vector<std::uint32_t> start_;
  std::vector<std::uint64_t> sorted_;
};

// The line of a pair whose differences are all 0, unless ReliableOnly leaves it out.
void IdenticalArrays(const std::string& prefix) {
  if (!StatConfig().ReliableOnly) ResultsFile().WriteLn(prefix + "     Ошибка: одинаковые массивы");
}

}  // namespace

void PairStudentStat(const ProgressFn& progress) {
  TitlePairStudent();
  ForEachPairedSeries(progress, [](const std::string& prefix, const PairSeries& pair) {
    const Array<double>& x = pair.X();
    const Array<double>& y = pair.Y();
    double s = 0, s2 = 0;
    for (std::int32_t i = 0; i <= pair.Last(); ++i) {
      const double d = x[i] - y[i];
      s += d;
      s2 += d * d;
    }
    if (s2 == 0) {
      IdenticalArrays(prefix);
      return;
    }
    const std::int32_t n = pair.Last() + 1;
    const double w = n * s2 - s * s;
    const double t = std::fabs(s) / std::sqrt(w / (n - 1));
    const PText p = PByT(n, t, true);
    if (Unreliable(p)) return;
    ResultsFile().WriteLn(prefix + "   " + IntText(n, 4) + "  " + FixedText(t, 8, 3) + "     " + p);
  });
  EndTable();
}

void PairWilcoxonStat(const ProgressFn& progress) {
  TitlePairWilcoxon();
  // Each difference that is not 0 as one key: the bits of its size (a positive
  // double orders as its bits) shifted left, and 1 in the lowest bit when it is
  // positive. Sorting the keys ranks the sizes and keeps each one's sign.
  std::vector<std::uint64_t> keys;
  KeySorter sorter;
  ForEachPairedSeries(progress, [&](const std::string& prefix, const PairSeries& pair) {
    const long long n = pair.Last() + 1;
    if (n > pair.X().Count() || n > pair.Y().Count()) ThrowIndexError(pair.Last(), std::min(pair.X().size(), pair.Y().size()));
    const double* x = pair.X().data();
    const double* y = pair.Y().data();
    if (keys.size() < static_cast<std::size_t>(n)) keys.resize(static_cast<std::size_t>(n));
    std::uint64_t* key = keys.data();
    long long m = 0;
    for (long long i = 0; i < n; ++i) {
      const double d = x[i] - y[i];
      key[m] = std::bit_cast<std::uint64_t>(std::fabs(d)) << 1 | (d > 0 ? 1 : 0);
      m += d != 0;
    }
    if (m == 0) {
      IdenticalArrays(prefix);
      return;
    }
    const std::uint64_t* sorted = sorter.Sort(key, static_cast<std::size_t>(m));
    double plus = 0, minus = 0;  // T+ and T-
    ForEachTieGroup(
        m, [sorted](long long i) { return SizeOfKey(sorted[i]); },
        [&](long long first, long long count) {
          long long positive = 0;
          for (long long q = first; q < first + count; ++q) positive += sorted[q] & 1;
          const double rank = GroupRank(first, count);
          plus += rank * positive;
          minus -= rank * (count - positive);
        });
    const double t = plus < std::fabs(minus) ? plus : std::fabs(minus);
    const double count = static_cast<double>(m);
    const double mean = count * (count + 1) / 4;
    const double variance = count * (count + 1) * (2 * count + 1) / 24;
    const double z = std::fabs(t - mean) / std::sqrt(variance);
    const PText p = PByZ(z, true);
    if (Unreliable(p)) return;
    ResultsFile().WriteLn(prefix + "   " + IntText(pair.Last() + 1, 4) + "    " + FixedText(z, 7, 2) + "     " + p);
  });
  EndTable();
}

}  // namespace tavrel
