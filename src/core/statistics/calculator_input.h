#pragma once
// Reading the numbers typed into the calculators.
#include <cstdint>
#include <string>

namespace tavrel {

// A number typed by the user ("." or "," as decimal point, blanks around it
// ignored). A text that is not a number is a ConversionError whose message is
// the calculator's own message, then a line naming the field and the text.
double CalculatorNumber(const std::string& text, const std::string& field, const char* message);
// The same for a whole number in the 32-bit range.
std::int32_t CalculatorInteger(const std::string& text, const std::string& field, const char* message);

}  // namespace tavrel
