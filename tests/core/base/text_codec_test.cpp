#include "core/base/text_codec.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(TextCodec, ConvertsBetweenWindows1251AndUtf8) {
  const std::string cp1251 = "\xCF\xF3\xEB\xFC\xF1";  // Пульс
  EXPECT_EQ(Cp1251ToUtf8(cp1251), "Пульс");
  EXPECT_EQ(Utf8ToCp1251("Пульс"), cp1251);
  EXPECT_EQ(Utf8ToCp1251("a日b"), "a?b");
}

TEST(TextCodec, DecodesAFileAsUtf8WhenValidOtherwiseAsWindows1251) {
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFПульс"), "Пульс");
  EXPECT_EQ(DecodeFileText("\xCF\xF3\xEB\xFC\xF1 A"), "Пульс A");
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_TRUE(IsValidUtf8("Давление"));
}

TEST(TextCodec, StoresNamesOfAtMostEightCodePageCharacters) {
  EXPECT_EQ(StoreName("Temperature"), "Temperat");
  EXPECT_EQ(StoreName("Температура"), "Температ");
  EXPECT_EQ(StoreName("日本"), "??");
  EXPECT_EQ(StoreName(""), "");
}

TEST(TextCodec, AlignsByCharactersNotBytes) {
  EXPECT_EQ(AlignRight("Пульс", 8), "   Пульс");
  EXPECT_EQ(AlignLeft("Пульс", 7), "Пульс  ");
  EXPECT_EQ(AlignRight("Температ", 4), "Температ");
  EXPECT_EQ(Utf8Left("Давление", 3), "Дав");
}

TEST(TextCodec, ChangesTheCaseOfAsciiLettersOnly) {
  EXPECT_EQ(AsciiUpper("c:/res/Данные.txt"), "C:/RES/Данные.TXT");
  EXPECT_EQ(AsciiLower("ABC Дом"), "abc Дом");
  EXPECT_EQ(TrimBlanks("\t a b \r\n"), "a b");
}

}  // namespace
}  // namespace tavrel
