#include "core/statistics/signed_ranks.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "core/base/checked_array.h"
#include "core/base/numbers.h"
#include "core/statistics/ranks.h"

namespace tavrel {

namespace {

// The size of a difference as its signed-rank key holds it (see SignedRanker).
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

// The key of a difference (see SignedRanker).
std::uint64_t KeyOf(double d) { return std::bit_cast<std::uint64_t>(std::fabs(d)) << 1 | (d > 0 ? 1 : 0); }

// The ranking behind SignedRanker.
class BucketRanker {
 public:
  SignedRankSums Rank(const double* x, const double* y, long long n, const DecimalValues& xs,
                      const DecimalValues& ys) {
    const Pair pair{x, y, n};
    if (n < kFewestKeys) return Sorted(pair);
    if (xs.places >= 0 && ys.places >= 0) {
      const double scale = PowerOfTen(std::max(xs.places, ys.places));
      // Every difference is within the widest, which the table spans.
      const double widest = std::max(xs.high - ys.low, ys.high - xs.low);
      const double sizes = std::ceil(widest * scale) + 2;
      if (sizes <= std::min(kMostCounted, 4.0 * static_cast<double>(n) + kFewestCounted))
        return Counted(pair, scale, static_cast<std::size_t>(sizes));
    }
    if (unbucketed_ > 0) {
      --unbucketed_;
      return Sorted(pair);
    }
    // The keys go straight into their buckets, the pair read once. The
    // buckets span the sizes a sample of the differences suggests, widened;
    // a size outside only shares the first or last bucket with others.
    const auto [low, high] = SampledRange(pair);
    // A bucket per difference, or fewer after pairs whose sizes took only a
    // few of them: the buckets then stay in the cache.
    const auto all = static_cast<std::size_t>(n);
    const std::size_t buckets = fewerBuckets_ > 0 && fewerBuckets_ < all ? fewerBuckets_ : all;
    const double scale = static_cast<double>(buckets) / (high - low);
    // Too few sizes in the sample, or sizes too close to spread.
    if (!(high > low) || !std::isfinite(high - low) || !std::isfinite(scale)) return Sorted(pair);
    // One more bucket, past the last, takes the differences that are 0.
    if (buckets_.size() <= buckets) buckets_.resize(buckets + 1);
    const auto bucketOf = [low, scale, last = static_cast<double>(buckets - 1)](std::uint64_t key) {
      // Rounding keeps the order of the sizes, so the buckets follow it.
      return static_cast<std::size_t>(std::min(last, std::max(0.0, (SizeOfKey(key) - low) * scale)));
    };
    std::uint64_t highest = 0;
    long long m = 0;
    for (long long i = 0; i < n; ++i) {
      const double d = x[i] - y[i];
      const std::uint64_t key = KeyOf(d);
      buckets_[d != 0 ? bucketOf(key) : buckets].Add(key);
      highest = std::max(highest, key);
      m += d != 0;
    }
    buckets_[buckets] = Bucket{};
    const auto count = static_cast<std::size_t>(m);
    // Few keys, or an undefined or infinite size.
    if (count < kFewestKeys || !std::isfinite(SizeOfKey(highest))) {
      std::fill(buckets_.begin(), buckets_.begin() + static_cast<std::ptrdiff_t>(buckets), Bucket{});
      return Sorted(pair);
    }
    Walk walk;
    long long position = 0;  // the keys in the buckets before
    std::size_t next = 0;    // the next key of gathered_ (see Gather)
    std::size_t filled = 0;  // buckets that held keys
    // The walk starts at the lowest key, so that there is a group before
    // every later bucket.
    std::size_t b = 0;
    while (buckets_[b].count == 0) ++b;
    for (; b < buckets; ++b) {
      const Bucket bucket = std::exchange(buckets_[b], Bucket{});
      filled += bucket.count > 0;
      // An empty bucket reads as one that joins the group before with no keys.
      const bool empty = bucket.count == 0;
      const double first = SizeOfKey(empty ? walk.startKey : bucket.lowest);
      const double last = SizeOfKey(empty ? walk.startKey : bucket.highest);
      const bool joins = InTieGroup(walk.start, last);
      if (InTieGroup(first, last) && (joins || !InTieGroup(walk.start, first))) {
        // One group that joins the one before or starts a new one: decided
        // without branching, as empty and full buckets alternate at random.
        walk.Close(!joins);
        walk.startKey = joins ? walk.startKey : bucket.lowest;
        walk.start = SizeOfKey(walk.startKey);
        walk.first = joins ? walk.first : position;
        walk.count = (joins ? walk.count : 0) + bucket.count;
        walk.positive = (joins ? walk.positive : 0) + bucket.positive;
      } else {
        // Keys of several groups in one bucket, or a group that only partly
        // joins the one before: ranked one by one. Their keys are sorted
        // with those of every later bucket of several groups, unless they are
        // already; when there are many, all keys are sorted after all.
        if (gatheredFrom_ == kNone || (b != gatheredFrom_ && InTieGroup(first, last))) {
          if (gatheredFrom_ != kNone || !Gather(pair, count, buckets, b, bucket.count, bucketOf)) {
            std::fill(buckets_.begin() + static_cast<std::ptrdiff_t>(b) + 1,
                      buckets_.begin() + static_cast<std::ptrdiff_t>(buckets), Bucket{});
            gatheredFrom_ = kNone;
            fewerBuckets_ = 0;
            return Sorted(pair);
          }
          next = 0;
        }
        for (std::uint32_t q = 0; q < bucket.count; ++q, ++next) {
          const std::uint64_t key = gathered_[static_cast<long long>(next)];
          if (!InTieGroup(walk.start, SizeOfKey(key))) walk.Start(key, position + q);
          ++walk.count;
          walk.positive += key & 1;
        }
      }
      position += bucket.count;
    }
    gatheredFrom_ = kNone;
    // Sizes that filled few buckets, as measurements of a few decimals do,
    // leave the next pairs so many buckets to each, still far apart.
    fewerBuckets_ = filled * kBucketsPerFilled < count ? std::max(filled * kBucketsPerFilled, kFewestBuckets) : 0;
    return walk.Sums();
  }

 private:
  struct Pair {
    const double* x;
    const double* y;
    long long n;
  };

  struct Bucket {
    std::uint32_t count = 0;
    std::uint32_t positive = 0;
    std::uint64_t lowest = ~std::uint64_t{0};
    std::uint64_t highest = 0;
    void Add(std::uint64_t key) {
      ++count;
      positive += key & 1;
      lowest = std::min(lowest, key);
      highest = std::max(highest, key);
    }
  };

  // The tie group being formed and the sums of the groups before it. Before
  // the first group, start is undefined, equal to no size, and the group is
  // empty, adding nothing to the sums.
  struct Walk {
    std::uint64_t startKey = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN()) << 1;
    double start = SizeOfKey(startKey);  // the group's first size
    long long first = 0, count = 0, positive = 0;
    SignedRankSums sums;
    // Adds the group to the sums when closing (and 0, which leaves them as
    // they are, when not).
    void Close(bool closing = true) {
      const double rank = GroupRank(first, count);
      sums.plus += Kept(rank * positive, closing);
      sums.minus -= Kept(rank * (count - positive), closing);
      sums.count += closing ? count : 0;
    }
    void Start(std::uint64_t key, long long position) {
      Close();
      startKey = key;
      start = SizeOfKey(key);
      first = position;
      count = positive = 0;
    }
    SignedRankSums Sums() {
      Close();
      return sums;
    }
  };

  // value when kept, else 0, without branching.
  static double Kept(double value, bool kept) {
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) & (std::uint64_t{0} - kept));
  }

  static constexpr std::size_t kNone = ~std::size_t{0};

  // Whether the keys of a bucket that is not empty form one group.
  static bool OneGroup(const Bucket& bucket) { return InTieGroup(SizeOfKey(bucket.lowest), SizeOfKey(bucket.highest)); }

  // Sorts into gathered_ the keys of bucket b (which holds bucketCount keys)
  // and of every later bucket that holds more than one group. False, with the
  // next pairs to be sorted at once, when those are too many for this to pay.
  template <class BucketOf>
  bool Gather(const Pair& pair, std::size_t count, std::size_t buckets, std::size_t b, std::uint32_t bucketCount,
              const BucketOf& bucketOf) {
    std::size_t gathered = bucketCount;
    for (std::size_t later = b + 1; later < buckets; ++later)
      if (buckets_[later].count > 1 && !OneGroup(buckets_[later])) gathered += buckets_[later].count;
    if (gathered > count / kMostGathered) {
      unbucketed_ = kPairsUnbucketed;
      return false;
    }
    gathered_.clear();
    for (long long i = 0; i < pair.n; ++i) {
      const double d = pair.x[i] - pair.y[i];
      if (d == 0) continue;
      const std::uint64_t key = KeyOf(d);
      const std::size_t own = bucketOf(key);
      if (own == b || (own > b && buckets_[own].count > 1 && !OneGroup(buckets_[own]))) gathered_.push_back(key);
    }
    std::sort(gathered_.begin(), gathered_.end());
    gatheredFrom_ = b;
    return true;
  }

  // The sizes the buckets span: those of a sample of the differences spread
  // over the pair, widened by half their spread each way (the sizes of a
  // million differences mostly lie within). Empty when the sample holds too
  // few differences that are not 0.
  static std::pair<double, double> SampledRange(const Pair& pair) {
    const long long step = std::max(1LL, pair.n / kSampled);
    double low = std::numeric_limits<double>::infinity(), high = 0;
    int taken = 0;
    for (long long i = 0; i < pair.n; i += step) {
      const double size = std::fabs(pair.x[i] - pair.y[i]);
      if (!(size > 0)) continue;
      low = std::min(low, size);
      high = std::max(high, size);
      ++taken;
    }
    if (taken < kFewestSampled) return {0.0, 0.0};
    const double margin = (high - low) / 2;
    return {std::max(0.0, low - margin), high + margin};
  }

  // Fewer keys than this are sorted at once.
  static constexpr long long kFewestKeys = 64;
  static constexpr long long kSampled = 1024;
  static constexpr int kFewestSampled = 16;

  // Gathering pays for up to one key in so many; after a pair with more, so
  // many of the next pairs' keys are sorted at once, as their sizes are
  // likely to be spread alike.
  static constexpr std::size_t kMostGathered = 4;
  static constexpr int kPairsUnbucketed = 16;
  // After a pair whose keys filled few buckets, the next ones take this many
  // buckets to each filled one (and no fewer than kFewestBuckets in all).
  static constexpr std::size_t kBucketsPerFilled = 16;
  static constexpr std::size_t kFewestBuckets = 1024;

  // The differences counted by their size in decimals (size times scale,
  // rounded), sizes of them from 0.
  SignedRankSums Counted(const Pair& pair, double scale, std::size_t sizes) {
    // The count in the low half of an entry, the positive ones in the high.
    constexpr std::uint64_t kPositive = std::uint64_t{1} << 32;
    counted_.assign(sizes, 0);
    const std::size_t last = sizes - 1;
    for (long long i = 0; i < pair.n; ++i) {
      const double d = pair.x[i] - pair.y[i];
      const auto size = static_cast<std::size_t>(WholeOf(std::fabs(d), scale));
      counted_[std::min(size, last)] += 1 + (d > 0 ? kPositive : 0);
    }
    // Size 0 holds the differences that are 0.
    Walk walk;
    long long position = 0;
    for (std::size_t size = 1; size < sizes; ++size) {
      const std::uint64_t entry = counted_[size];
      if (entry == 0) continue;
      walk.Start(0, position);
      walk.count = static_cast<long long>(entry & (kPositive - 1));
      walk.positive = static_cast<long long>(entry >> 32);
      position += walk.count;
    }
    return walk.Sums();
  }

  // The most entries, and the fewest allowed whatever the pair's length, of
  // the table Counted counts into.
  static constexpr double kMostCounted = 1 << 21;
  static constexpr double kFewestCounted = 4096;

  // All keys sorted at once.
  SignedRankSums Sorted(const Pair& pair) {
    if (keys_.Count() < pair.n) keys_.resize(static_cast<std::size_t>(pair.n));
    std::uint64_t* keys = keys_.data();
    long long m = 0;
    for (long long i = 0; i < pair.n; ++i) {
      const double d = pair.x[i] - pair.y[i];
      keys[m] = KeyOf(d);
      m += d != 0;
    }
    const auto count = static_cast<std::size_t>(m);
    const std::uint64_t* sorted = sorter_.Sort(keys, count);
    Walk walk;
    ForEachTieGroup(
        static_cast<long long>(count), [sorted](long long i) { return SizeOfKey(sorted[i]); },
        [&](long long first, long long size) {
          walk.Start(sorted[first], first);
          walk.count = size;
          for (long long q = first; q < first + size; ++q) walk.positive += sorted[q] & 1;
        });
    return walk.Sums();
  }

  Array<std::uint64_t> keys_;
  std::vector<std::uint64_t> counted_;
  std::vector<Bucket> buckets_;
  Array<std::uint64_t> gathered_;
  std::size_t gatheredFrom_ = kNone;
  KeySorter sorter_;
  int unbucketed_ = 0;  // pairs still to be sorted at once
  std::size_t fewerBuckets_ = 0;  // the buckets of the next pair, when fewer than its keys
};


}  // namespace

class SignedRanker::State : public BucketRanker {};

SignedRanker::SignedRanker() : state_(std::make_unique<State>()) {}

SignedRanker::~SignedRanker() = default;

SignedRankSums SignedRanker::Rank(const double* x, const double* y, long long n, const DecimalValues& xs,
                                  const DecimalValues& ys) {
  return state_->Rank(x, y, n, xs, ys);
}

}  // namespace tavrel
