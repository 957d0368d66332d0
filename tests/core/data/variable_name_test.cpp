#include "core/data/variable_name.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

// A name never holds a blank or a control character and is never empty, so a
// saved table's first line splits into exactly its names.
TEST(VariableNameTest, ANameIsOneWordOfAtMostEightCharacters) {
  struct Case {
    std::string text;
    std::string name;  // for column 3
  };
  const Case cases[] = {
      {"Pulse", "Pulse"},
      {"  Pulse\t", "Pulse"},
      {"Pulse rate", "Pulse_ra"},
      {"a\tb\nc\rd", "a_b_c_d"},
      {"a\x7f" "b", "a_b"},
      {"a       b", "a_______"},  // cleaned before the cut, so no blank is left at the end
      {"Temperature", "Temperat"},
      {"Пульс частота", "Пульс_ча"},
      {"", "Var3"},
      {" \t\r\n ", "Var3"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanName(c.text, 3), c.name) << c.text;
  EXPECT_EQ(DefaultName(12), "Var12");
}

}  // namespace
}  // namespace tavrel
