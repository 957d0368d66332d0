#include "core/statistics/calculator_input.h"

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"

namespace tavrel {

namespace {

template <class Convert>
auto Converted(const std::string& text, const std::string& field, const char* message, Convert convert) {
  try {
    return convert(TrimBlanks(text));
  } catch (const ConversionError& e) {
    throw ConversionError(std::string(message) + "\n" + field + ": " + e.what());
  }
}

}  // namespace

double CalculatorNumber(const std::string& text, const std::string& field, const char* message) {
  return Converted(text, field, message, [](std::string_view s) { return UserNumber(s); });
}

std::int32_t CalculatorInteger(const std::string& text, const std::string& field, const char* message) {
  return Converted(text, field, message, [](std::string_view s) { return UserInteger(s); });
}

}  // namespace tavrel
