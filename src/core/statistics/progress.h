#pragma once
// How a long computation tells its caller how far it has got.
#include <functional>

namespace tavrel {

// Progress of a long run: position steps (variables or pairs) done out of maximum.
using ProgressFn = std::function<void(int position, int maximum)>;

// Calls progress when it is set.
inline void Report(const ProgressFn& progress, int position, int maximum) {
  if (progress) progress(position, maximum);
}

}  // namespace tavrel
