#include "core/shell/instance_guard.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tavrel {
namespace {

TEST(InstanceGuardTest, TheLockIsNamedFromTheProgramFileAndHeldOncePerName) {
  const std::pair<const char*, const char*> titles[] = {
      {"/usr/bin/tavrel", "tavrel"}, {"/opt/TaVrel.Bin.exe", "Tavrel"}, {"Tavrel", "Tavrel"}};
  for (const auto& [file, title] : titles) EXPECT_EQ(DefaultApplicationTitle(file), title) << file;
  setenv("XDG_RUNTIME_DIR", ::testing::TempDir().c_str(), 1);
  EXPECT_EQ(InstanceLockPath("/x/Tavrel"), ::testing::TempDir() + (::testing::TempDir().back() == '/' ? "" : "/") +
                                               "TavrelOneInstance32.Default.lock");
  {
    InstanceGuard first;
    InstanceGuard second;
    InstanceGuard other;
    EXPECT_TRUE(first.IsFirstInstance("/x/guardtest"));
    EXPECT_FALSE(second.IsFirstInstance("/y/guardtest"));
    EXPECT_TRUE(other.IsFirstInstance("/x/guardtest2"));
  }
  InstanceGuard after;
  EXPECT_TRUE(after.IsFirstInstance("/x/guardtest"));  // released with its holder
}

}  // namespace
}  // namespace tavrel
