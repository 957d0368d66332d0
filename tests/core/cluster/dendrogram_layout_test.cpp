#include "core/cluster/dendrogram_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

namespace tavrel {
namespace {

// A history of n objects that joins objects 2 and 1 first and then each next
// object to the cluster before it, at the given distances.
Array<Clust> Chain(std::int32_t n, const std::vector<double>& levels) {
  Array<Clust> h(static_cast<std::size_t>(n));
  for (std::int32_t s = 0; s + 1 < n; ++s) {
    h[s].Clevel = levels[static_cast<std::size_t>(s) % levels.size()];
    h[s].newclust = n + 1 + s;
    h[s].iclson = s == 0 ? 2 : n + s;
    h[s].icrson = s == 0 ? 1 : s + 2;
  }
  h[n - 1].Clevel = h[n - 2].Clevel;
  return h;
}

TEST(DendrogramLayout, ThreeObjectsStandInOrderOfJoiningUnderScaledBars) {
  const DendrogramLayout l = ComputeDendrogramLayout(Chain(3, {1.0, 2.0}), 736, 469, {});
  ASSERT_FALSE(l.flat);
  EXPECT_EQ(l.width, 736);
  EXPECT_EQ(l.step, 184);
  ASSERT_EQ(l.labels.size(), 3u);
  EXPECT_EQ(l.labels[0].object, 2);
  EXPECT_EQ(l.labels[0].x, 184);
  EXPECT_EQ(l.labels[1].object, 1);
  EXPECT_EQ(l.labels[1].x, 368);
  EXPECT_EQ(l.labels[2].object, 3);
  EXPECT_EQ(l.labels[2].x, 552);
  const ClustGr& first = l.joins[0];
  const ClustGr& root = l.joins[1];
  EXPECT_EQ(first.newclustX, 276);
  EXPECT_EQ(root.iclsonX, 276);
  EXPECT_EQ(root.icrsonX, 552);
  // Before scaling: the first bar round(469 / 2) = 234 above the leaves, the
  // root 469 above it; then the rises times (464 - 14) / 703 above the leaves'
  // feet at 14, the root's bar 5 pixels below the top.
  EXPECT_EQ(first.Y2, 14 + 150);
  EXPECT_EQ(root.iclsonY1, 14 + 150);
  EXPECT_EQ(first.iclsonY1, 14);
  EXPECT_EQ(root.icrsonY1, 14);
  EXPECT_EQ(root.Y2, 464);
  EXPECT_EQ(l.labelTop, 469 - 14 + kLabelGap);
}

TEST(DendrogramLayout, LeafStepFollowsTheWidthButNeverFallsBelowEightPixels) {
  struct Case {
    std::int32_t objects;
    int width;
    int step;
    int layoutWidth;
  } cases[] = {{20, 736, 35, 736}, {2, 736, 245, 736}, {200, 736, 8, 8 * 201}, {3001, 736, 8, 8 * 3002}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objects);
    const DendrogramLayout l = ComputeDendrogramLayout(Chain(c.objects, {1.0, 0.5, 3.0}), c.width, 469, {});
    EXPECT_EQ(l.step, c.step);
    EXPECT_EQ(l.width, c.layoutWidth);
    std::set<std::int32_t> xs;
    for (const DendrogramLabel& label : l.labels) xs.insert(label.x);
    EXPECT_EQ(xs.size(), static_cast<std::size_t>(c.objects)) << "every leaf has its own place";
    EXPECT_LE(*xs.rbegin(), l.width);
    for (const ClustGr& g : l.joins) {
      EXPECT_LE(g.Y2, 464);
      EXPECT_GE(g.Y2, std::max(g.iclsonY1, g.icrsonY1));
    }
  }
}

TEST(DendrogramLayout, TwoObjectsGetOneBarBelowTheTop) {
  const DendrogramLayout l = ComputeDendrogramLayout(Chain(2, {4.0}), 736, 469, {});
  ASSERT_FALSE(l.flat);
  ASSERT_EQ(l.joins.size(), 1u);
  EXPECT_EQ(l.joins[0].Y2, 464);
  EXPECT_LT(l.joins[0].iclsonY1, 464);
  EXPECT_EQ(l.joins[0].iclsonY1, l.joins[0].icrsonY1);
}

TEST(DendrogramLayout, DistancesWithoutScaleGiveAFlatTree) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> levelSets[] = {{0.0}, {0.0, 0.0, 0.0}, {1.0, inf}, {nan}, {5e-324}, {-1.0}};
  for (const std::vector<double>& levels : levelSets) {
    SCOPED_TRACE(levels.back());
    const DendrogramLayout l = ComputeDendrogramLayout(Chain(6, levels), 736, 469, {});
    EXPECT_TRUE(l.flat);
    EXPECT_EQ(l.labels.size(), 6u);
    for (const ClustGr& g : l.joins) {
      EXPECT_EQ(g.Y2, 464);
      EXPECT_TRUE(g.iclsonY1 == 14 || g.iclsonY1 == 464);
      EXPECT_EQ(g.icrsonY1, 14);
    }
    EXPECT_EQ(l.labelTop, 469 - 14 + kLabelGap);
  }
}

TEST(DendrogramLayout, LabelsAreThinnedToTheSmallestRoundIntervalThatKeepsThemApart) {
  const struct {
    int step, thickness, every;
  } cases[] = {{35, 13, 1}, {16, 13, 1}, {15, 13, 2}, {8, 13, 2}, {8, 14, 5}, {1, 13, 20}, {1, 98, 200}, {8, 0, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(DendrogramLabelInterval(c.step, c.thickness), c.every) << c.step << " " << c.thickness;
}

// Labels written upward, 13 pixels thick and 7 pixels a digit long: at 30,
// 150 and 3000 objects no two drawn labels come closer than their thickness
// and a gap, every leaf's foot stands above its label, and the tree keeps most
// of the picture's height.
TEST(DendrogramLayout, LabelsNeverTouchAndStandBelowTheLeaves) {
  const struct {
    std::int32_t objects;
    int every;
  } cases[] = {{30, 1}, {150, 2}, {3000, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.objects);
    const int length = 7 * static_cast<int>(std::to_string(c.objects).size());
    const DendrogramLayout l = ComputeDendrogramLayout(Chain(c.objects, {1.0, 0.5, 3.0}), 736, 469, {13, length});
    EXPECT_EQ(l.labelEvery, c.every);
    for (std::size_t i = static_cast<std::size_t>(l.labelEvery) * 2 - 1; i < l.labels.size(); i += static_cast<std::size_t>(l.labelEvery))
      EXPECT_GE(l.labels[i].x - l.labels[i - static_cast<std::size_t>(l.labelEvery)].x, 13 + kLabelGap);
    EXPECT_GE(469 - l.labelTop, length);
    for (const ClustGr& g : l.joins) {
      EXPECT_GE(std::min(g.iclsonY1, g.icrsonY1), 469 - l.labelTop + kLabelGap);
    }
    EXPECT_EQ(l.joins.back().Y2, 464);
  }
}

TEST(DendrogramLayout, HistoriesWithoutJoinsOrWithUnknownSonsAreHandled) {
  EXPECT_TRUE(ComputeDendrogramLayout(Array<Clust>{}, 736, 469, {}).joins.empty());
  EXPECT_TRUE(ComputeDendrogramLayout(Array<Clust>(1), 736, 469, {}).labels.empty());
  Array<Clust> bad = Chain(4, {1.0});
  bad[1].iclson = 7;  // the cluster of a later join
  EXPECT_THROW(ComputeDendrogramLayout(bad, 736, 469, {}), RangeError);
  bad[1].iclson = 0;
  EXPECT_THROW(ComputeDendrogramLayout(bad, 736, 469, {}), RangeError);
}

}  // namespace
}  // namespace tavrel
