#include "core/cluster/dendrogram_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/base/numbers.h"

namespace tavrel {

namespace {

// Heights beyond this are not drawn to scale: the tree falls back to a flat one.
constexpr double kLargestHeight = std::numeric_limits<std::int32_t>::max() / 4.0;

bool Drawable(double x) { return std::isfinite(x) && std::fabs(x) <= kLargestHeight; }

}  // namespace

int DendrogramLabelInterval(int step, int thickness) {
  const long long need = static_cast<long long>(thickness) + kLabelGap;
  const long long s = std::max(1, step);
  if (s >= need) return 1;
  // 2, 5, 10, then 20, 50, 100, ...
  for (long long decade = 1; decade <= std::numeric_limits<int>::max() / 100; decade *= 10)
    for (const long long k : {2 * decade, 5 * decade, 10 * decade})
      if (k * s >= need) return static_cast<int>(k);
  return std::numeric_limits<int>::max();
}

DendrogramLayout ComputeDendrogramLayout(const Array<Clust>& history, int width, int height,
                                         const DendrogramLabelSize& labels) {
  DendrogramLayout layout;
  layout.width = width;
  layout.height = height;
  const std::int32_t n = static_cast<std::int32_t>(history.Count());
  const std::int32_t joins = n - 1;
  if (joins < 1) return layout;

  layout.step = std::max(kMinLeafStep, RoundInt(static_cast<double>(width) / (n + 1.0)));
  layout.labelEvery = DendrogramLabelInterval(layout.step, labels.thickness);
  // The leaves' feet stand above their labels, but leave the tree most of the picture.
  const int baseline = std::clamp(labels.length + 2 * kLabelGap, kLeafBaseline, std::max(kLeafBaseline, height / 3));
  layout.labelTop = height - baseline + kLabelGap;
  layout.width = static_cast<int>(std::max<long long>(width, static_cast<long long>(layout.step) * (n + 1)));

  // Places: each object at the next step when it first joins, each formed
  // cluster at the middle of the bar that formed it.
  layout.joins.resize(static_cast<std::size_t>(joins));
  Array<std::int32_t> sonJoin(static_cast<std::size_t>(joins) * 2, -1);  // the join that formed a son, -1 for an object
  std::int32_t xnext = 0;
  for (std::int32_t i = 0; i < joins; ++i) {
    ClustGr& g = layout.joins[i];
    const std::int32_t sons[2] = {history[i].iclson, history[i].icrson};
    for (int side = 0; side < 2; ++side) {
      const std::int32_t son = sons[side];
      std::int32_t x;
      if (son >= 1 && son <= n) {
        xnext += layout.step;
        x = xnext;
        layout.labels.push_back({son, x});
      } else {
        const std::int32_t p = son - n - 1;
        if (son < 1 || p >= i || history[p].newclust != son)
          throw RangeError("Неверный номер в истории объединений: " + std::to_string(son));
        ClustGr& formed = layout.joins[p];
        formed.newclustX = formed.iclsonX + (formed.icrsonX - formed.iclsonX) / 2;
        x = formed.newclustX;
        sonJoin[i * 2 + side] = p;
      }
      (side == 0 ? g.iclsonX : g.icrsonX) = x;
    }
  }

  // The scale of the distances: the sum over the joins that take in a formed
  // cluster; two objects alone take the distance of their one join.
  double hsum = 0;
  for (std::int32_t i = 0; i < joins; ++i)
    if (history[i].iclson > n || history[i].icrson > n) hsum += history[i].Clevel;
  if (joins == 1) hsum = history[0].Clevel;
  const double k1 = static_cast<double>(height) / hsum;
  layout.flat = !(hsum > 0) || !Drawable(k1);

  // Heights before the last scaling: every bar its distance above the higher son.
  Array<double> foot(static_cast<std::size_t>(joins) * 2), bar(static_cast<std::size_t>(joins));
  for (std::int32_t i = 0; i < joins && !layout.flat; ++i) {
    const double rise = k1 * history[i].Clevel;
    if (!Drawable(rise)) {
      layout.flat = true;
      break;
    }
    for (int side = 0; side < 2; ++side) {
      const std::int32_t p = sonJoin[i * 2 + side];
      foot[i * 2 + side] = p < 0 ? kLeafBaseline : bar[p];
    }
    bar[i] = RoundInt(rise) + std::max(foot[i * 2], foot[i * 2 + 1]);
    if (!Drawable(bar[i])) layout.flat = true;
  }
  if (!layout.flat && !(bar[joins - 1] > 0)) layout.flat = true;

  const int rootHeight = height - kRootGap;
  // Above the labels the heights keep their proportions, the root's bar kRootGap below the top.
  const double rise = bar[joins - 1] - kLeafBaseline;
  if (!layout.flat && !(rise > 0)) layout.flat = true;
  if (layout.flat) {
    // Every join at the root's height: a comb over the objects.
    for (std::int32_t i = 0; i < joins; ++i) {
      ClustGr& g = layout.joins[i];
      g.iclsonY1 = sonJoin[i * 2] < 0 ? baseline : rootHeight;
      g.icrsonY1 = sonJoin[i * 2 + 1] < 0 ? baseline : rootHeight;
      g.Y2 = rootHeight;
    }
    return layout;
  }

  const double k2 = std::max(0, rootHeight - baseline) / rise;
  const auto scaled = [&](double h) { return baseline + RoundInt((h - kLeafBaseline) * k2); };
  for (std::int32_t i = 0; i < joins; ++i) {
    ClustGr& g = layout.joins[i];
    g.iclsonY1 = scaled(foot[i * 2]);
    g.icrsonY1 = scaled(foot[i * 2 + 1]);
    g.Y2 = scaled(bar[i]);
  }
  layout.joins[joins - 1].Y2 = rootHeight;
  return layout;
}

}  // namespace tavrel
