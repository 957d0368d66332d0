#include "core/graphs/sequential_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/shell/settings.h"
#include "core/statistics/smoothing.h"

namespace tavrel {

namespace {

// Coordinates stay well inside what a painter's integers hold.
constexpr long long kMaxCoordinate = std::numeric_limits<int>::max() / 2;

int CheckedCoordinate(long long c) {
  if (c > kMaxCoordinate || c < -kMaxCoordinate) throw OverflowError("Графика не помещается в допустимые размеры");
  return static_cast<int>(c);
}

// The level rows of band b that fall strictly inside it.
std::vector<LevelRow> LevelRows(const GraphOverlays& g, const SequentialBand& b) {
  std::vector<LevelRow> rows;
  const VariableLevels* levels = LevelsOf(g, b.name);
  if (!g.ShowLevels || !levels) return rows;
  for (int j = 0; j < kLevelLineCount; ++j) {
    if (g.LevelLabels[j].empty() || g.LevelLabels[j] == kLevelOff) continue;
    const double offset = (levels->values[j] - b.ticks.values.front()) * b.ticks.scale;
    if (!std::isfinite(offset) || offset < -1 || offset > b.bottom - b.top + 1) continue;
    const int y = b.bottom - RoundInt(offset);
    if (b.top < y && y < b.bottom) rows.push_back({j, y});
  }
  return rows;
}

// Room left between two day numbers.
constexpr int kLabelGap = 4;

int DigitCount(long long n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

int XLabelInterval(int stepX, int labelWidth, bool every5) {
  if (!every5 && labelWidth < stepX + 1) return 1;
  const long long step = std::max(1, stepX);
  // 5, 10, 20, then 50, 100, 200, then 500, ...
  for (long long decade = 1; decade <= std::numeric_limits<int>::max() / 50; decade *= 10) {
    for (const long long k : {5 * decade, 10 * decade, 20 * decade}) {
      if (labelWidth + kLabelGap <= k * step) return static_cast<int>(k);
    }
  }
  return std::numeric_limits<int>::max();
}

void SequentialLayout::DrawnValues(const SequentialBand& b, std::int32_t first, std::int32_t final,
                                   std::vector<double>& out) const {
  SmoothedStretch({b.values, b.last, emptyValue, b.smoothed && smoothBy3, b.smoothed && smoothBy5}, first, final, out);
}

bool SequentialLayout::RowOf(const SequentialBand& b, double x, int& y) const {
  if (!std::isfinite(x)) return false;
  // Present values lie within the ticks; the clamp only keeps rounding safe.
  const double offset = std::clamp((x - b.ticks.values.front()) * b.ticks.scale, -1.0, b.bottom - b.top + 1.0);
  y = b.bottom - RoundInt(offset) - 1;
  return true;
}

bool SequentialLayout::PointY(const SequentialBand& b, std::int32_t j, int& y) const {
  std::vector<double> x;
  DrawnValues(b, j, j, x);
  return RowOf(b, x.front(), y);
}

SequentialLayout ComputeSequentialLayout(const SequentialSource& source, const SequentialDevice& device) {
  const DataSet& d = source.data;
  const Settings& s = source.settings;
  const GraphOptions& o = source.options;
  const GraphOverlays& g = source.overlays;
  SequentialLayout layout;
  layout.device = device;
  layout.device.stepX = std::max(1, device.stepX);
  layout.device.stepY = std::max(1, device.stepY);
  layout.emptyValue = d.EmptyValue;
  layout.labelsEvery5 = o.XLabelsEvery5;
  if (s.IsData && AnyDate(d.Dates)) {
    layout.dates = d.Dates.data();
    layout.dateRange = FirstToLastDateText(d.Dates);
  }
  layout.showLevels = g.ShowLevels;
  layout.levelTicksOnly = g.LevelTicksOnly;
  layout.levelLabels = g.LevelLabels;
  layout.levelPen = g.LevelPen;
  layout.markPen = g.XMarkPen;
  const SequentialDevice& dev = layout.device;

  const int count = d.NumVar > 0 ? d.LastVar + 1 : 0;
  layout.smoothBy3 = o.Smooth3;
  layout.smoothBy5 = o.Smooth5;
  GraphOptions smoothed;  // the smoothing that some band went through
  const auto lastOf = [&d](int v) {
    return std::min<std::int32_t>(d.VarCounts[v] - 1, static_cast<std::int32_t>(d.DataValues[v].Count() - 1));
  };
  // The bands' extremes, those of a large table on every core.
  std::vector<SmoothedExtremes> bandExtremes(static_cast<std::size_t>(count));
  ForEachVariable(d, count, [&](int v) {
    bandExtremes[static_cast<std::size_t>(v)] =
        ExtremesOf({d.DataValues[v].data(), lastOf(v), layout.emptyValue, o.Smooth3, o.Smooth5});
  });
  layout.bands.reserve(static_cast<std::size_t>(count));
  long long top = dev.firstTop;
  int page = 0;
  for (int v = 0; v < count; ++v) {
    SequentialBand& b = layout.bands.emplace_back();
    b.variable = v;
    b.name = d.VarNames[v];
    b.last = lastOf(v);
    b.values = d.DataValues[v].data();
    const SmoothedExtremes& extremes = bandExtremes[static_cast<std::size_t>(v)];
    // A series too short to smooth is drawn as it is, and the user told why.
    if (b.last >= 0) {
      for (const auto& [on, points, done] :
           {std::tuple{o.Smooth3, 3, &smoothed.Smooth3}, std::tuple{o.Smooth5, 5, &smoothed.Smooth5}}) {
        if (!on) continue;
        if (Smoothable(extremes.longestRun, points)) {
          b.smoothed = *done = true;
        } else {
          layout.messages.push_back(TooFewValuesMessage(points, b.name));
        }
      }
    }
    const double step = v < d.VarSteps.Count() ? d.VarSteps[v] : 0.0;
    b.ticks = ComputeTicks(extremes.min, extremes.max, step, dev.stepY, s.ZeroY);

    long long bottom = top + b.ticks.height;
    // From the second band on, a band that would run off the page starts a new one.
    if (dev.pageHeight > 0 && v > 0 && dev.pageHeight < bottom + 10) {
      layout.pages.push_back({layout.pages.empty() ? 0 : layout.pages.back().lastBand + 1, v - 1,
                              CheckedCoordinate(top)});
      ++page;
      top = dev.firstTop;
      bottom = top + b.ticks.height;
    }
    b.top = CheckedCoordinate(top);
    b.bottom = CheckedCoordinate(bottom);
    b.page = page;
    b.right = CheckedCoordinate((static_cast<long long>(b.last) + 2) * dev.stepX + dev.left);
    b.levels = LevelRows(g, b);
    top = bottom;
    layout.width = std::max(layout.width, b.right + 60);
  }
  if (!layout.bands.empty()) {
    layout.pages.push_back({layout.pages.empty() ? 0 : layout.pages.back().lastBand + 1, count - 1,
                            layout.bands.back().bottom});
    std::int32_t longest = 0;
    for (const SequentialBand& b : layout.bands) longest = std::max(longest, b.last + 1);
    layout.xLabelEvery = XLabelInterval(dev.stepX, DigitCount(longest) * dev.digitWidth, o.XLabelsEvery5);
    // Days wider than the page go on over the following pages, the last day
    // of a page a step clear of its right edge.
    const std::int32_t perPage =
        dev.pageWidth > 0 ? std::max(1, (dev.pageWidth - dev.left) / dev.stepX - 1) : std::max(longest, 1);
    const std::vector<SequentialPage> columns = std::move(layout.pages);
    layout.pages.clear();
    for (std::int32_t first = 0; first == 0 || first < longest; first += perPage) {
      for (SequentialPage pg : columns) {
        pg.firstDay = first;
        pg.lastDay = std::max(first, std::min(longest, first + perPage) - 1);
        pg.shift = static_cast<long long>(first) * dev.stepX;
        layout.pages.push_back(pg);
      }
    }
  }
  layout.height = top + 60;
  layout.smoothing = SmoothingNote(smoothed);

  // Day marks within the table as it is now.
  if (g.ShowXMarks) {
    const std::int32_t rows = std::min<std::int32_t>(d.LastObs + 1, static_cast<std::int32_t>(g.XMarks.size()));
    for (std::int32_t i = 0; i < rows; ++i)
      if (g.XMarks[static_cast<std::size_t>(i)]) layout.marks.push_back(i);
  }
  return layout;
}

}  // namespace tavrel
