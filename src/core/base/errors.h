#pragma once
// The few kinds of failure the program distinguishes. Commands catch the kinds
// they expect and show a fixed message; anything else reaches the
// application-level handler.
#include <stdexcept>
#include <string>

namespace tavrel {

struct TavrelError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// An index outside an array, or a value that does not fit the integer receiving it.
struct RangeError : TavrelError {
  using TavrelError::TavrelError;
};

// An integer operation that overflows.
struct OverflowError : TavrelError {
  using TavrelError::TavrelError;
};

// A file that cannot be opened, read or written, or a token that is not a number.
struct InOutError : TavrelError {
  using TavrelError::TavrelError;
};

// A text that does not convert to the number it must hold.
struct ConversionError : TavrelError {
  using TavrelError::TavrelError;
};

}  // namespace tavrel
