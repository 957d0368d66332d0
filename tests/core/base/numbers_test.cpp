#include "core/base/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/base/errors.h"

namespace tavrel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(RoundInt, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {-0.5, 0},
                                          {-1.5, -2}, {2.4999, 2}, {-2.6, -3}, {2147483647.0, 2147483647}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(RoundInt(x), expected) << x;
}

TEST(RoundInt, ValuesOutsideTheIntegerRangeAreRangeFailures) {
  for (double x : {2147483648.0, -2147483649.0, kInf, -kInf, kNan}) EXPECT_THROW(RoundInt(x), RangeError) << x;
}

TEST(FixedText, WritesReportFields) {
  struct Case {
    double x;
    int width, decimals;
    const char* text;
  };
  const Case cases[] = {
      {3.14159, 8, 3, "   3.142"},  {0.125, 8, 2, "    0.13"},    {-0.125, 8, 2, "   -0.13"},
      {2.675, 8, 2, "    2.67"},    {1000000, 8, 2, "1000000.00"}, {-0.001, 8, 2, "    0.00"},
      {0.5, 4, 0, "   1"},          {2.5, 4, 0, "   3"},           {-12.3456, 0, 1, "-12.3"},
      {1e-9, 6, 3, " 0.000"},       {kNan, 8, 2, "     Nan"},      {kInf, 8, 3, "    +Inf"},
      {-kInf, 8, 3, "    -Inf"},    {kNan, 2, 2, "Nan"},           {99.995, 7, 2, " 100.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedText(c.x, c.width, c.decimals), c.text) << c.x;
}

TEST(FloatText, WritesTheDialogsGeneralForm) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},          {1.5, "1.5"},           {0.1, "0.1"},       {100, "100"},
      {-2.5, "-2.5"},    {1e20, "1E20"},          {1.5e-7, "1.5E-7"}, {0.0001, "0.0001"},
      {1.0 / 3, "0.333333333333333"},            {123456789012345678.0, "1.23456789012346E17"},
      {kNan, "NAN"},     {kInf, "INF"},           {-kInf, "-INF"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(FloatText(x), text) << x;
}

TEST(FloatText, KeepsTheGivenSignificantDigits) {
  struct Case {
    double x;
    int digits;
    const char* text;
  };
  const Case cases[] = {
      {3.16227766, 4, "3.162"},  {2.0625, 4, "2.063"},   {-2.0625, 4, "-2.063"},   {1234.5, 4, "1235"},
      {12345.6, 4, "1.235E4"},   {9999.6, 4, "1E4"},     {0.000123456, 4, "0.0001235"}, {1.5e-7, 4, "1.5E-7"},
      {100, 4, "100"},           {0, 4, "0"},            {2.5, 1, "3"},            {kNan, 4, "NAN"},
      {kInf, 4, "INF"},          {-kInf, 4, "-INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatText(c.x, c.digits), c.text) << c.x;
}

TEST(FixedDigitsText, RoundsToTheSignificantDigitsThenWritesTheDecimals) {
  struct Case {
    double x;
    int digits, decimals;
    const char* text;
  };
  const Case cases[] = {
      {9.89010989, 4, 2, "9.89"},  {81.818181, 4, 2, "81.82"}, {100, 4, 2, "100.00"},   {123.456, 4, 2, "123.50"},
      {999.96, 4, 2, "1000.00"},   {12345.6, 4, 2, "1.235E4"}, {100000, 4, 2, "1E5"},     {0, 4, 2, "0.00"},
      {0.004, 4, 2, "0.00"},       {-0.004, 4, 2, "0.00"},     {0.006, 4, 2, "0.01"},     {1.125, 4, 2, "1.13"},
      {-81.818181, 4, 2, "-81.82"}, {20, 4, 1, "20.0"},        {6.25, 4, 1, "6.3"},       {33.333333, 4, 1, "33.3"},
      {1234.56, 4, 1, "1235.0"},   {kNan, 4, 2, "NAN"},        {kInf, 4, 2, "INF"},       {-kInf, 4, 1, "-INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedDigitsText(c.x, c.digits, c.decimals), c.text) << c.x;
}

TEST(ParseFixedNumber, AcceptsOnlyTheFixedSyntax) {
  const std::pair<const char*, double> good[] = {{"1.5E3", 1500}, {"-2", -2},   {"+3", 3},
                                                 {".5", 0.5},      {"5.", 5},   {"-999", -999},
                                                 {"1e-2", 0.01},   {"0007", 7}};
  for (const auto& [text, value] : good) {
    double x = 0;
    EXPECT_TRUE(ParseFixedNumber(text, x)) << text;
    EXPECT_EQ(x, value) << text;
  }
  for (const char* text : {"1,5", "abc", "1e", "", "1.2.3", "-", ".", "1.5x", "0x10", "inf", "nan"}) {
    double x = 0;
    EXPECT_FALSE(ParseFixedNumber(text, x)) << text;
  }
}

// Data files are read eight characters at a time where the form is short; in
// every form, with every character after it, the reading is the one
// std::from_chars (correctly rounded) gives, in length and to the last bit.
TEST(ScanNumber, ReadsAsFromCharsDoesInEveryFormAndAtTheEndOfText) {
  std::mt19937 rng(18);
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const char* const after[] = {"", " ", "\t", "\r\n", "e7", "E-31", "e+", "e", ".", ".5", ",5", "x", "-"};
  for (int round = 0; round < 200000; ++round) {
    std::string text = pick(3) == 0 ? "-" : pick(6) == 0 ? "+" : "";
    const int whole = pick(11), fraction = pick(11);
    for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + (i == 0 && pick(3) == 0 ? 0 : pick(10)));
    if (pick(4)) {
      text += '.';
      for (int i = 0; i < fraction; ++i) text += static_cast<char>('0' + pick(10));
    }
    text += after[pick(13)];
    text += std::string(static_cast<std::size_t>(pick(20)), ' ');  // near the end of text, or not
    const std::size_t skip = text[0] == '+' ? 1 : 0;
    double expected = 0;
    const auto res = std::from_chars(text.data() + skip, text.data() + text.size(), expected);
    double value = 0;
    const std::size_t length = ScanNumber(text, value);
    if (res.ec != std::errc()) {
      EXPECT_EQ(length, 0u) << text;
    } else {
      ASSERT_EQ(length, static_cast<std::size_t>(res.ptr - text.data())) << text;
      ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected)) << text;
    }
  }
}

TEST(ReadLeadingNumber, StopsAtTheFirstCharacterNotPartOfANumber) {
  const std::pair<const char*, double> cases[] = {
      {"2,5", 2}, {"abc", 0}, {" 3.5x", 3.5}, {"", 0}, {"-1e2z", -100}, {"1e+", 1}, {"2.5", 2.5}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadLeadingNumber(text), value) << text;
}

TEST(UserNumber, AcceptsPointAndComma) {
  EXPECT_EQ(UserNumber("2,5"), 2.5);
  EXPECT_EQ(UserNumber(" 2.5 "), 2.5);
  EXPECT_EQ(UserNumber("-1E2"), -100);
  for (const char* bad : {"x", "", "2,5,1", "1 2"}) EXPECT_THROW(UserNumber(bad), ConversionError) << bad;
}

// A number beyond the range of a double is a number to the syntax, and refused
// by the conversion with the text reader's words, its text cut when long; the
// largest doubles and a value that only underflows are taken.
TEST(UserNumber, RefusesNumbersBeyondADouble) {
  const std::string digits(5000, '9');
  const std::pair<std::string, std::string> beyond[] = {
      {"1e309", "«1e309»"},
      {" -1,8e308 ", "«-1,8e308»"},
      {"1.7976931348623159e308", "«1.7976931348623159e308»"},
      {digits, "«" + digits.substr(0, 40) + "…»"},
  };
  for (const auto& [text, shown] : beyond) {
    double value = 0;
    EXPECT_TRUE(ParseUserNumber(text, value)) << shown;
    EXPECT_TRUE(std::isinf(value)) << shown;
    try {
      UserNumber(text);
      ADD_FAILURE() << shown;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), shown + " выходит за пределы допустимых чисел");
    }
  }
  EXPECT_EQ(UserNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(UserNumber("-1,7976931348623157E308"), -std::numeric_limits<double>::max());
  EXPECT_EQ(UserNumber("1e-400"), 0);
}

TEST(UserInteger, IsStrict) {
  EXPECT_EQ(UserInteger("12"), 12);
  EXPECT_EQ(UserInteger("-999"), -999);
  for (const char* bad : {"1.5", "", "abc", "99999999999", "-", "12 "})
    EXPECT_THROW(UserInteger(bad), ConversionError) << bad;
}

TEST(ValueText, WritesTheAlternativeForTheSpecialValue) {
  EXPECT_EQ(ValueText(-999, -999, "..."), "...");
  EXPECT_EQ(ValueText(12.5, -999, "..."), "   12.50");
  EXPECT_EQ(ReplaceChar("1.5.2", '.', ','), "1,5,2");
}

}  // namespace
}  // namespace tavrel

namespace tavrel {
namespace {

TEST(GridTextTest, TwoDecimalsWithACommaAndExponentFormFromOneHundredMillion) {
  const std::pair<double, const char*> cases[] = {
      {3.14159, "3,14"},      {0.004, "0,00"},         {-0.004, "0,00"},          {-12.5, "-12,50"},
      {0, "0,00"},            {99999999.99, "99999999,99"}, {1e8, "1E+8"},        {123456789, "1,2345679E+8"},
      {-2.5e-300, "0,00"},    {-3.5e12, "-3,5E+12"},   {HUGE_VAL, "INF"},         {NAN, "NAN"},
  };
  for (const auto& [x, text] : cases) EXPECT_EQ(GridText(x), text) << x;
}

}  // namespace
}  // namespace tavrel
