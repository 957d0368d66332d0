// The cluster options: their first values from the settings.
#include "app/shell/program_session.h"
#include "core/cluster/cluster_options.h"

#include <gtest/gtest.h>

#include "core/shell/settings.h"

namespace tavrel {
namespace {

TEST(ClusterOptionsTest, SettingsTheDialogCannotShowFallBackToItsRange) {
  struct Case {
    int distance, method, clusters;
    int wantDistance, wantMethod, wantClusters;
  };
  const Case cases[] = {{2, 5, 10, 2, 5, 10}, {3, 6, 0, 0, 0, 1}, {-1, -1, 25, 0, 0, 10}};
  for (const Case& c : cases) {
    ResetSettings();
    Config().ObjectDistance = c.distance;
    Config().ClusterDistance = c.method;
    Config().ClusterNumber = c.clusters;
    Config().IsClustCont = true;
    const ClusterOptions o = ClusterOptionsFrom(Config());
    EXPECT_EQ(o.ObjectDistance, c.wantDistance);
    EXPECT_EQ(o.ClusterDistance, c.wantMethod);
    EXPECT_EQ(o.ClusterNumber, c.wantClusters);
    EXPECT_TRUE(o.ClustCont);
    EXPECT_FALSE(o.AddClustNumber);
    EXPECT_FALSE(o.PrintDistances);
    EXPECT_EQ(o.Beta, -0.25);
  }
}

}  // namespace
}  // namespace tavrel
