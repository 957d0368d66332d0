#include "core/shell/recent_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrel {
namespace {

std::vector<std::string> Listed(const RecentFiles& recent) {
  return std::vector<std::string>(recent.Names().begin(), recent.Names().end());
}

TEST(RecentFilesTest, NewestFirstRepeatsStayInPlaceAndTheNinthPushesTheOldestOut) {
  RecentFiles recent;
  for (const char* name : {"/d/a.txt", "/d/B.txt", "/d/c.txt"}) recent.Add(name);
  EXPECT_EQ(Listed(recent), (std::vector<std::string>{"/d/c.txt", "/d/B.txt", "/d/a.txt"}));
  recent.Add("/d/B.txt");
  recent.Add("/d/b.txt");  // another file on a case-sensitive system
  EXPECT_EQ(Listed(recent), (std::vector<std::string>{"/d/b.txt", "/d/c.txt", "/d/B.txt", "/d/a.txt"}));
  for (int i = 1; i <= 6; ++i) recent.Add("/e/" + std::to_string(i));
  ASSERT_EQ(recent.Names().Count(), kRecentFilesMax);
  EXPECT_EQ(recent.Names()[0], "/e/6");
  EXPECT_EQ(recent.Names()[7], "/d/c.txt");
  EXPECT_EQ(RecentCaption(7, "/d/c.txt"), "&8 /d/c.txt");
}

}  // namespace
}  // namespace tavrel
