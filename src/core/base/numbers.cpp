#include "core/base/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "core/base/errors.h"
#include "core/base/text_codec.h"

namespace tavrel {

std::int32_t RoundInt(double x) {
  const double r = std::nearbyint(x);  // the default rounding mode: halves to even
  if (!(r >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        r <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
    throw RangeError("Значение " + FloatText(x) + " вне диапазона целых чисел");
  }
  return static_cast<std::int32_t>(r);
}

namespace {

std::string ToChars(double x, int decimals) {
  std::string buf(static_cast<std::size_t>(decimals) + 320, '\0');  // 309 integer digits at most
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, decimals);
  buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
  return buf;
}

// Adds one unit in the last place to a digit string such as "-12.34".
void IncrementLastDigit(std::string& s) {
  for (std::size_t i = s.size(); i-- > 0;) {
    char& c = s[i];
    if (c == '.' || c == '-') continue;
    if (c < '9') {
      ++c;
      return;
    }
    c = '0';
  }
  s.insert(s[0] == '-' ? 1 : 0, 1, '1');
}

// x with the given decimals, halves away from zero. std::to_chars rounds the
// exact binary value correctly, but exact ties to even; those are detected by
// looking at more digits and rounded away from zero instead.
std::string RoundedDecimals(double x, int decimals) {
  const std::string longer = ToChars(x, decimals + 1);
  if (longer.back() == '5') {
    const std::string exact = ToChars(x, decimals + 40);
    const bool tie = exact.compare(0, longer.size(), longer) == 0 &&
                     exact.find_first_not_of('0', longer.size()) == std::string::npos;
    if (tie) {
      std::string s = longer.substr(0, longer.size() - 1);
      if (decimals == 0) s.pop_back();  // the decimal point
      IncrementLastDigit(s);
      return s;
    }
  }
  return ToChars(x, decimals);
}

}  // namespace

std::string FixedText(double x, int width, int decimals) {
  std::string s;
  if (std::isnan(x)) {
    s = "Nan";
  } else if (std::isinf(x)) {
    s = x > 0 ? "+Inf" : "-Inf";
  } else {
    s = RoundedDecimals(x, decimals < 0 ? 0 : decimals);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  }
  return AlignRight(s, width);
}

std::string IntText(long long value, int width) { return AlignRight(std::to_string(value), width); }

namespace {

// A finite non-zero value rounded to a number of significant digits, halves
// away from zero: its sign, its digits (trailing zeros dropped) and the
// decimal exponent of the first digit.
struct Significant {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

std::string Scientific(double x, int decimals) {
  std::string buf(static_cast<std::size_t>(decimals) + 32, '\0');
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::scientific, decimals);
  buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
  return buf;
}

Significant RoundedSignificant(double x, int digits) {
  Significant r;
  r.negative = x < 0;
  // std::to_chars rounds the exact binary value correctly but exact ties to
  // even; a tie shows as a 5 in the next place with nothing after it.
  const std::string longer = Scientific(std::fabs(x), digits);
  const std::size_t epos = longer.find('e');
  bool tie = longer[epos - 1] == '5';
  if (tie) {
    const std::string exact = Scientific(std::fabs(x), digits + 40);
    tie = exact.compare(0, epos, longer, 0, epos) == 0 &&
          exact.find_first_not_of('0', epos) == exact.find('e');
  }
  const std::string sci = tie ? longer : Scientific(std::fabs(x), digits - 1);
  const std::size_t e = sci.find('e');
  r.exponent = std::stoi(sci.substr(e + 1));
  for (std::size_t i = 0; i < e; ++i)
    if (sci[i] != '.') r.digits += sci[i];
  if (tie) {
    r.digits.pop_back();  // the 5, rounded away from zero into the digit before it
    IncrementLastDigit(r.digits);
    if (r.digits.size() > static_cast<std::size_t>(digits)) {  // 9.995 -> 10.00
      r.digits.pop_back();
      ++r.exponent;
    }
  }
  while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
  return r;
}

const char* SpecialText(double x) {
  if (std::isnan(x)) return "NAN";
  return x > 0 ? "INF" : "-INF";
}

// The digits of a rounded value placed around the decimal point, at least one
// digit before it; decimals < 0 writes only the digits there are.
std::string PlacedDigits(const Significant& s, int decimals) {
  std::string out = s.negative ? "-" : "";
  std::string fraction;
  if (s.exponent < 0) {
    out += "0";
    fraction = std::string(static_cast<std::size_t>(-s.exponent - 1), '0') + s.digits;
  } else {
    const std::size_t intDigits = static_cast<std::size_t>(s.exponent) + 1;
    std::string digits = s.digits;
    if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
    out += digits.substr(0, intDigits);
    fraction = digits.substr(intDigits);
  }
  if (decimals >= 0 && fraction.size() < static_cast<std::size_t>(decimals))
    fraction.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

}  // namespace

std::string FloatText(double x) { return FloatText(x, 15); }

std::string FloatText(double x, int digits) {
  if (!std::isfinite(x)) return SpecialText(x);
  if (x == 0) return "0";
  const Significant s = RoundedSignificant(x, digits);
  if (s.exponent < digits && std::fabs(x) >= 0.00001) return PlacedDigits(s, -1);
  std::string out = s.negative ? "-" : "";
  out += s.digits[0];
  if (s.digits.size() > 1) out += "." + s.digits.substr(1);
  return out + "E" + std::to_string(s.exponent);
}

std::string FixedDigitsText(double x, int digits, int decimals) {
  if (!std::isfinite(x)) return SpecialText(x);
  if (x == 0) return FixedText(0, 0, decimals);
  // The decimals are the tighter limit while the first digit stands at most
  // digits - decimals - 1 places before the point.
  const std::string exact = Scientific(x, 16);  // 17 digits tell every double apart
  const int first = std::stoi(exact.substr(exact.find('e') + 1));
  if (first + 1 + decimals <= digits) return FixedText(x, 0, decimals);
  const Significant s = RoundedSignificant(x, digits);
  if (s.exponent >= digits) return FloatText(x, digits);
  return PlacedDigits(s, decimals);
}

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

double PowerOfTen(int k) { return kPowersOfTen[std::clamp(k, 0, static_cast<int>(std::size(kPowersOfTen)) - 1)]; }

namespace {

// Eight characters of text from p, the first in the lowest byte, each less '0'.
std::uint64_t EightDigitValues(const char* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, sizeof w);
  if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
  return w ^ 0x3030303030303030u;  // a digit's byte becomes its value, 0 to 9
}

// How many of the eight characters are digits before the first that is not.
int LeadingDigits(std::uint64_t values) {
  // A byte is a digit when neither it nor it plus 6 reaches 16. Plus 6 may
  // carry into the next byte, but only out of a byte that is no digit, so the
  // first byte that is not a digit is always found.
  const std::uint64_t notDigit = (values | (values + 0x0606060606060606u)) & 0xF0F0F0F0F0F0F0F0u;
  return notDigit == 0 ? 8 : std::countr_zero(notDigit) / 8;
}

// The number the first count (0 to 7) digit values spell.
std::uint64_t DigitsValue(std::uint64_t values, int count) {
  if (count == 0) return 0;
  std::uint64_t v = values << (8 * (8 - count));  // the digits last, behind zeros
  v = v * 10 + (v >> 8);                          // pairs of digits in every other byte
  v = (((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
       (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >> 32;
  return v;
}

// The common short form, an optional sign, up to seven digits and up to seven
// after the point, read eight characters at a time; the value is the one the
// general reading below gives. Returns 0 for any other text, or one too near
// the end of text to look eight characters ahead.
std::size_t ScanShortNumber(std::string_view text, double& value) {
  std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  if (text.size() < i + 16) return 0;
  const char* p = text.data();
  const std::uint64_t wholeValues = EightDigitValues(p + i);
  const int whole = LeadingDigits(wholeValues);
  if (whole == 8) return 0;
  std::uint64_t mantissa = DigitsValue(wholeValues, whole);
  i += static_cast<std::size_t>(whole);
  int fraction = 0;
  if (p[i] == '.') {
    const std::uint64_t values = EightDigitValues(p + i + 1);
    fraction = LeadingDigits(values);
    if (fraction == 8) return 0;
    static constexpr std::uint64_t kShift[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    mantissa = mantissa * kShift[fraction] + DigitsValue(values, fraction);
    if (whole + fraction > 0) i += 1 + static_cast<std::size_t>(fraction);
  }
  if (whole + fraction == 0 || p[i] == 'e' || p[i] == 'E') return 0;
  // At most fourteen digits: exact in a double, and so is the power of ten.
  value = static_cast<double>(mantissa);
  if (fraction > 0) value /= kPowersOfTen[fraction];
  if (p[0] == '-') value = -value;
  return i;
}

}  // namespace

std::size_t ScanNumber(std::string_view text, double& value) {
  if (const std::size_t length = ScanShortNumber(text, value)) return length;
  const std::size_t n = text.size();
  std::size_t i = 0;
  const bool negative = n > 0 && text[0] == '-';
  if (n > 0 && (text[0] == '-' || text[0] == '+')) ++i;
  const std::size_t numberStart = i;
  const auto digitAt = [&](std::size_t p) { return p < n && static_cast<unsigned>(text[p] - '0') < 10; };
  std::uint64_t mantissa = 0;
  int significant = 0;  // digits from the first non-zero one; beyond 19 only counted
  int digits = 0;
  int scale = 0;  // significant digits after the point
  for (; i < n && text[i] == '0'; ++i) ++digits;
  for (; digitAt(i); ++i, ++digits, ++significant)
    if (significant < 19) mantissa = mantissa * 10 + static_cast<unsigned>(text[i] - '0');
  if (i < n && text[i] == '.') {
    std::size_t p = i + 1;
    int fraction = 0;
    if (significant == 0)
      for (; p < n && text[p] == '0'; ++p, ++fraction) ++scale;
    for (; digitAt(p); ++p, ++fraction, ++significant) {
      if (significant < 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(text[p] - '0');
        ++scale;
      }
    }
    if (digits + fraction > 0) {
      digits += fraction;
      i = p;
    }
  }
  if (digits == 0) return 0;
  bool exponent = false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t p = i + 1;
    if (p < n && (text[p] == '+' || text[p] == '-')) ++p;
    const std::size_t expStart = p;
    while (p < n && text[p] >= '0' && text[p] <= '9') ++p;
    if (p > expStart) {
      i = p;
      exponent = true;
    }
  }
  // Digits that fit 2^53 scaled by an exact power of ten give the correctly
  // rounded value with one operation; anything else goes the general way.
  if (!exponent && significant <= 15 && scale <= 22) {
    const double m = static_cast<double>(mantissa);
    value = scale == 0 ? m : m / kPowersOfTen[scale];
    if (negative) value = -value;
    return i;
  }
  const char* first = text.data() + numberStart;
  const char* last = text.data() + i;
  const auto res = std::from_chars(first, last, value);
  if (res.ec == std::errc::result_out_of_range) {
    value = std::strtod(std::string(first, last).c_str(), nullptr);  // keep the IEEE overflow or underflow
  }
  if (negative) value = -value;
  return i;
}

bool ParseFixedNumber(std::string_view token, double& value) {
  return !token.empty() && ScanNumber(token, value) == token.size();
}

double ReadLeadingNumber(std::string_view text) {
  double value = 0;
  return ScanNumber(TrimBlanksLeft(text), value) > 0 ? value : 0;
}

bool ParseUserNumber(std::string_view text, double& value) {
  return ParseFixedNumber(ReplaceChar(std::string(TrimBlanks(text)), ',', '.'), value);
}

double UserNumber(std::string_view text) {
  double value = 0;
  if (!ParseUserNumber(text, value)) throw ConversionError("«" + std::string(text) + "» не является числом");
  if (!std::isfinite(value)) {
    const std::string_view number = TrimBlanks(text);
    const std::string shown = Utf8Left(number, 40);  // a number may run to thousands of digits
    throw ConversionError("«" + shown + (shown.size() < number.size() ? "…" : "") + "» " + kBeyondNumbers);
  }
  return value;
}

std::int32_t UserInteger(std::string_view text) {
  const std::string original(text);
  std::string_view s = text;
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  std::int32_t value = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || (s[0] == '-' && s.size() == 1)) {
    throw ConversionError("«" + original + "» не является целым числом");
  }
  return value;
}

std::string GridText(double x) {
  if (!std::isfinite(x)) return FloatText(x);
  std::string out;
  if (std::fabs(x) < 1e8) {
    out = ToChars(x, 2);
    if (out == "-0.00") out = "0.00";
  } else {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 7);
    const std::string sci(buf, res.ptr);
    const std::size_t epos = sci.find('e');
    std::string mantissa = sci.substr(0, epos);
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    const int exponent = std::stoi(sci.substr(epos + 1));
    out = mantissa + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
  }
  return ReplaceChar(out, '.', ',');
}

std::string ReplaceChar(std::string s, char from, char to) {
  for (char& c : s)
    if (c == from) c = to;
  return s;
}

std::string ValueText(double x, double special, const std::string& alt) {
  return x == special ? alt : FixedText(x, 8, 2);
}

}  // namespace tavrel
