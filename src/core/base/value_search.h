#pragma once
// A search through a long series of values for one that passes a test, at the
// speed of reading them: the tests run on pairs of values in vector registers
// and side by side, sixteen values between two looks at their outcome. And a
// count of the values equal to one, the same way.
#include <cstddef>
#include <cstring>

namespace tavrel {

using DoublePair = double __attribute__((vector_size(16)));
using PairMask = decltype(DoublePair{} == DoublePair{});  // all ones where a comparison holds

inline DoublePair BothOf(double x) { return DoublePair{x, x}; }

// Whether hit (a PairMask of a DoublePair: all ones where a value passes) is
// true for some value of x[0..count).
template <class Hit>
bool AnyValue(const double* x, std::size_t count, const Hit& hit) {
  constexpr std::size_t kBlock = 16;
  std::size_t i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    PairMask any = {0, 0};
    for (std::size_t k = 0; k < kBlock; k += 2) {
      DoublePair v;
      std::memcpy(&v, x + i + k, sizeof v);
      any |= hit(v);
    }
    if ((any[0] | any[1]) != 0) return true;
  }
  for (; i < count; ++i)
    if (hit(BothOf(x[i]))[0] != 0) return true;
  return false;
}

// How many of x[0..count) equal value.
inline std::size_t CountEqual(const double* x, std::size_t count, double value) {
  using CountPair = long long __attribute__((vector_size(16)));
  const DoublePair wanted = BothOf(value);
  CountPair counts[4] = {};  // each comparison that holds adds its mask, -1
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    for (std::size_t k = 0; k < 4; ++k) {
      DoublePair v;
      std::memcpy(&v, x + i + 2 * k, sizeof v);
      counts[k] += v == wanted;
    }
  }
  long long found = 0;
  for (const CountPair& c : counts) found -= c[0] + c[1];
  for (; i < count; ++i) found += x[i] == value;
  return static_cast<std::size_t>(found);
}

}  // namespace tavrel
