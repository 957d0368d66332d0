#pragma once
// The number texts every report and dialog shares, and the conversions of
// numbers typed or read by the program.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

// Rounds to the nearest integer, halves to the even neighbour. A value that does
// not fit a 32-bit integer (an infinity or NaN included) is a RangeError.
std::int32_t RoundInt(double x);

// A report field [width:decimals]: fixed-point with "." as decimal point,
// right-aligned and blank-filled, taking more room when it needs it. Halves are
// rounded away from zero; a value that rounds to zero has no minus sign.
// Infinities and NaN are written "+Inf", "-Inf" and "Nan", right-aligned.
std::string FixedText(double x, int width, int decimals);

// An integer field [width]: right-aligned, taking more room when it needs it.
std::string IntText(long long value, int width);

// The dialogs' general conversion: up to 15 significant digits, trailing zeros
// dropped, scientific notation ("1.5E-7", "1E20") for very large or small
// values; "INF", "-INF" and "NAN" for the special values.
std::string FloatText(double x);

// The general conversion with at most digits significant digits (halves away
// from zero): scientific notation when the integer part needs more digits than
// that or the value is below 0.00001 ("3.162", "1.235E4").
std::string FloatText(double x, int digits);

// Fixed notation with decimals digits after the point, the value first rounded
// to at most digits significant digits ("81.82", "123.50", "100.0"); a value
// whose integer part needs more digits than that takes the general form of
// FloatText(x, digits). "INF", "-INF" and "NAN" for the special values.
std::string FixedDigitsText(double x, int digits, int decimals);

// The data table's cell text: fixed-point with 2 decimals and "," as decimal
// point; from 1e8 on (in magnitude) 8 significant digits in exponent form,
// "1,2345679E+8". Infinities and NaN as FloatText writes them.
std::string GridText(double x);

// 10 to the power k, exactly as a double, for 0 <= k <= 22 (clamped to that).
double PowerOfTen(int k);

// The longest prefix of text with the fixed number syntax: its length (0 when
// there is none), with its value in value.
std::size_t ScanNumber(std::string_view text, double& value);

// The fixed number syntax of data files: optional sign, digits with an optional
// "." and an optional exponent. The whole token must match; a decimal comma does not.
bool ParseFixedNumber(std::string_view token, double& value);

// The fixed reader of a few dialogs: the number at the start of text ("." as
// decimal point), reading up to the first character that is not part of it.
// Leading blanks are skipped; an empty or unreadable text gives 0.
double ReadLeadingNumber(std::string_view text);

// The refusal of a number beyond the range of a double ("1e309", a number of
// 400 digits), following the text that names it.
inline constexpr const char* kBeyondNumbers = "выходит за пределы допустимых чисел";

// The user's input syntax: blanks around the text are ignored, and both "."
// and "," are accepted as the decimal separator. True when text is a number;
// its value is then an infinity when it lies beyond the range of a double.
bool ParseUserNumber(std::string_view text, double& value);

// The user's input conversion, the syntax of ParseUserNumber. A text that is
// not a number, or one beyond the range of a double, is a ConversionError with
// a message naming it.
double UserNumber(std::string_view text);

// A strict integer conversion (optional sign, decimal digits, 32-bit range);
// anything else is a ConversionError naming the text.
std::int32_t UserInteger(std::string_view text);

// s with every occurrence of from replaced by to.
std::string ReplaceChar(std::string s, char from, char to);

// x as a report field [8:2], or alt when x equals special.
std::string ValueText(double x, double special, const std::string& alt);

}  // namespace tavrel
