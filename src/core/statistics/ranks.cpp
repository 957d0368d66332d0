#include "core/statistics/ranks.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "core/base/numbers.h"
#include "core/statistics/decimal_values.h"

namespace tavrel {

namespace {

// A key whose unsigned order is the order of the doubles.
std::uint64_t OrderKey(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  return (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
}

double FromOrderKey(std::uint64_t key) {
  return std::bit_cast<double>((key >> 63) ? key & ~(std::uint64_t{1} << 63) : ~key);
}

constexpr int kDigitBits = 11;
constexpr int kDigits = 6;  // 64 bits in digits of 11
constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;

// A stable least-significant-digit radix sort of keys, carrying order along
// when it is not empty, through keysOut and orderOut (any contents; the
// sorted keys may end in either). Digits on which all keys agree are skipped.
void RadixSort(Array<std::uint64_t>& keys, Array<std::int32_t>& order, Array<std::uint64_t>& keysOut,
               Array<std::int32_t>& orderOut) {
  const long long n = keys.Count();
  if (n <= 1) return;
  const bool carry = !order.empty();
  keysOut.resize(keys.size());
  orderOut.resize(order.size());
  Array<std::int32_t> counts(static_cast<std::size_t>(kDigits) << kDigitBits, 0);
  for (const std::uint64_t key : keys)
    for (int d = 0; d < kDigits; ++d) ++counts[(d << kDigitBits) + ((key >> (d * kDigitBits)) & kDigitMask)];
  for (int d = 0; d < kDigits; ++d) {
    const long long base = static_cast<long long>(d) << kDigitBits;
    const int shift = d * kDigitBits;
    if (counts[base + ((keys[0] >> shift) & kDigitMask)] == n) continue;
    std::int32_t position = 0;
    for (long long c = base; c < base + (1 << kDigitBits); ++c) position += std::exchange(counts[c], position);
    if (carry) {
      for (long long i = 0; i < n; ++i) {
        const std::int32_t to = counts[base + ((keys[i] >> shift) & kDigitMask)]++;
        keysOut[to] = keys[i];
        orderOut[to] = order[i];
      }
    } else {
      for (const std::uint64_t key : keys) keysOut[counts[base + ((key >> shift) & kDigitMask)]++] = key;
    }
    std::swap(keys, keysOut);
    if (carry) std::swap(order, orderOut);
  }
}

void RadixSort(Array<std::uint64_t>& keys, Array<std::int32_t>& order) {
  Array<std::uint64_t> keysOut;
  Array<std::int32_t> orderOut;
  RadixSort(keys, order, keysOut, orderOut);
}

// Sorts values[left..right] by their order keys, carrying index[left..right] when given.
void SortRange(Array<double>& values, Array<std::int32_t>* index, long long left, long long right) {
  const long long n = right - left + 1;
  if (n <= 1) return;
  Array<std::uint64_t> keys(static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i) keys[i] = OrderKey(values[left + i]);
  Array<std::int32_t> order;
  if (index) {
    if (left < 0 || right >= index->Count()) ThrowIndexError(left < 0 ? left : right, index->size());
    order.assign(index->begin() + left, index->begin() + left + n);
  }
  RadixSort(keys, order);
  for (long long i = 0; i < n; ++i) {
    values[left + i] = FromOrderKey(keys[i]);
    if (index) (*index)[left + i] = order[i];
  }
}

// The counting by decimal of values that are decimals of a few places
// (DecimalValues) at their own scale; none (no wholes) when they are not, or
// are spread over too many wholes.
ByDecimal CountedByDecimal(const double* values, long long count) {
  // The most wholes, and the fewest allowed whatever the count of values.
  constexpr std::size_t kMostWholes = std::size_t{1} << 21;
  constexpr std::size_t kFewestWholes = 4096;
  const DecimalValues decimals = DecimalValuesOf(values, count);
  if (decimals.places < 0) return {};
  const ByDecimal by(decimals, PowerOfTen(decimals.places));
  if (by.wholes > std::min(kMostWholes, 4 * static_cast<std::size_t>(count) + kFewestWholes)) return {};
  return by;
}

// TwiceRanks for values counted by decimal: each decimal is one tie group.
double TwiceRanksByDecimal(const double* values, std::int32_t count, const ByDecimal& by, Array<std::uint32_t>& twice,
                           RankScratch& scratch) {
  Array<std::uint32_t>& counts = scratch.byDecimal;
  CountByDecimal(values, count, by, counts);
  // Each decimal's count becomes the doubled rank of its group, the groups
  // taken in ascending order as ForEachTieGroup takes them.
  double ties = 0;
  std::uint32_t below = 0;
  for (std::uint32_t& entry : counts) {
    const std::uint32_t n = entry;
    if (n == 0) continue;
    entry = 2 * below + n + 1;
    if (n > 1) ties += TieTerm(n);
    below += n;
  }
  for (std::int32_t i = 0; i < count; ++i) twice[i] = counts[static_cast<long long>(by.PlaceOf(values[i]))];
  return ties;
}

// Sorts values counted by decimal: each decimal written back as often as it
// came, as the same double (whole / scale is the double nearest to the
// decimal, as each value is), the zeros with a minus sign before the others.
void SortByDecimal(Array<double>& values, const ByDecimal& by) {
  Array<std::uint32_t> counts;
  CountByDecimal(values.data(), values.Count(), by, counts);
  long long negativeZeros = 0;
  for (const double v : values) negativeZeros += (v == 0) & std::signbit(v);
  double* out = values.data();
  for (long long k = 0; k < counts.Count(); ++k) {
    const double value = (by.lowest + static_cast<double>(k)) / by.scale;
    const long long signedZeros = value == 0 ? negativeZeros : 0;
    out = std::fill_n(out, signedZeros, -0.0);
    out = std::fill_n(out, counts[k] - signedZeros, value);
  }
}

}  // namespace

void SortWithIndex(Array<double>& values, Array<std::int32_t>& index, std::int32_t left, std::int32_t right) {
  SortRange(values, &index, left, right);
}

void SortValues(Array<double>& values) {
  if (const ByDecimal by = CountedByDecimal(values.data(), values.Count()); by.wholes > 0) {
    SortByDecimal(values, by);
    return;
  }
  SortRange(values, nullptr, 0, values.Count() - 1);
}

void SortKeys(Array<std::uint64_t>& keys) {
  Array<std::int32_t> none;
  RadixSort(keys, none);
}

double RankValues(Array<double>& values, std::int32_t last) {
  if (last < 0) return 0;
  if (last >= values.Count()) ThrowIndexError(last, values.size());
  Array<std::uint32_t> twice;
  RankScratch scratch;
  const double ties = TwiceRanks(values.data(), last + 1, twice, scratch);
  for (std::int32_t i = 0; i <= last; ++i) values[i] = twice[i] / 2.0;
  return ties;
}

double TwiceRanks(const double* values, std::int32_t count, Array<std::uint32_t>& twice, RankScratch& scratch) {
  // Every place gets its rank below, so what twice held before need not be cleared.
  twice.resize(static_cast<std::size_t>(std::max(count, 0)));
  if (count <= 0) return 0;
  if (const ByDecimal by = CountedByDecimal(values, count); by.wholes > 0)
    return TwiceRanksByDecimal(values, count, by, twice, scratch);
  Array<std::uint64_t>& keys = scratch.keys;
  Array<std::int32_t>& order = scratch.order;
  keys.resize(static_cast<std::size_t>(count));
  order.resize(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    keys[i] = OrderKey(values[i]);
    order[i] = i;
  }
  RadixSort(keys, order, scratch.keysOut, scratch.orderOut);
  double ties = 0;
  ForEachTieGroup(
      keys.Count(), [&keys](long long i) { return FromOrderKey(keys[i]); },
      [&](long long first, long long n) {
        const auto rank = static_cast<std::uint32_t>(2 * GroupRank(first, n));
        for (long long q = first; q < first + n; ++q) twice[order[q]] = rank;
        if (n > 1) ties += TieTerm(n);
      });
  return ties;
}

}  // namespace tavrel
