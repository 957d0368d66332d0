#include "draw/graphs/editor_graph_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/observation_dates.h"
#include "core/graphs/date_labels.h"
#include "core/graphs/sequential_layout.h"
#include "core/shell/settings.h"
#include "core/graphs/y_ticks.h"
#include "core/statistics/smoothing.h"
#include "draw/graphs/canvas.h"

namespace tavrel {

namespace {

constexpr int kLevelFontPoints = 9;

void Reset(QPainter& p, const SequentialLook& look) {
  p.setPen(StyledPen(Qt::black, look.penWidth));
  p.setBrush(Qt::white);
  p.setFont(look.font);
}

bool IsPresent(double x, double emptyValue) { return x != emptyValue && std::isfinite(x); }

}  // namespace

std::vector<std::string> DrawEditorGraph(QPainter& p, const QSize& size, const SequentialLook& look,
                                         const SequentialSource& source) {
  std::vector<std::string> messages;
  p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  Reset(p, look);
  const DataSet& d = source.data;
  if (d.NumVar <= 0 || d.DataValues.Count() == 0) return messages;
  Variable v = GetVariable(d, 0);
  TextOut(p, 2, 1, QString::fromStdString(v.name));

  const int left = kEditorPlotLeft;
  const int right = size.width() - kEditorPlotRight;
  const int top = kEditorPlotTop;
  const int bottom = size.height() - kEditorPlotBottom;
  if (right <= left || bottom <= top) return messages;
  const std::int32_t n = v.last + 1;
  if (n <= 0) {
    DrawRectangle(p, left, top, right, bottom);
    return messages;
  }
  const int sx = std::max(1, (right - left) / n);

  const GraphOptions& o = source.options;
  const GraphOverlays& g = source.overlays;
  for (const auto& [on, points] : {std::pair{o.Smooth3, 3}, std::pair{o.Smooth5, 5}}) {
    if (!on) continue;
    std::string message = SmoothRuns(v.values, v.last, v.name, d.EmptyValue, points);
    if (!message.empty()) messages.push_back(std::move(message));
  }
  const double empty = d.EmptyValue;
  double min = std::numeric_limits<double>::infinity(), max = -min;
  for (std::int32_t j = 0; j < n; ++j) {
    if (!IsPresent(v.values[j], empty)) continue;
    min = std::min(min, v.values[j]);
    max = std::max(max, v.values[j]);
  }
  if (min > max) min = max = 0;
  const double step = d.VarSteps.Count() > 0 ? d.VarSteps[0] : 0.0;
  YTicks ticks = ComputeTicks(min, max, step, 1, false);
  // The ticks share the plot's height.
  const int k = std::max<int>(1, static_cast<int>(ticks.values.size()));
  const int s = std::max(1, RoundInt(static_cast<double>(bottom - top) / k));
  ticks.scale = ticks.step > 0 ? s / ticks.step : 0.0;
  ticks.height = s * k;
  const double t0 = ticks.values.empty() ? 0.0 : ticks.values.front();
  DrawYAxis(p, left, bottom, ticks, s, 4);

  // X axis: the observations' numbers, or their dates when the settings ask for them.
  const double* dates = source.settings.IsData && AnyDate(d.Dates) ? d.Dates.data() : nullptr;
  const int dateStep = DateLabelStep(p, sx);
  const int every = XLabelInterval(sx, TextWidth(p, QString::number(n)), o.XLabelsEvery5);
  for (std::int32_t j = 1; j <= n; ++j) {
    const long long x = left + static_cast<long long>(sx) * j;
    if (x > right) break;
    const int xi = static_cast<int>(x);
    DrawLine(p, xi, bottom, xi, bottom + 6);
    if (dates) {
      TextOut(p, xi + 1, bottom + 4, QString::fromStdString(DateTickLabel(dates, j - 1, dateStep)));
      continue;
    }
    if (j % every != 0) continue;
    const QString label = QString::number(j);
    if (every == 1) {
      TextOut(p, xi + 1, bottom + 4, label);
      continue;
    }
    DrawLine(p, xi, bottom + 5, xi, bottom + 7);
    DrawLine(p, xi + 1, bottom, xi + 1, bottom + 7);
    TextOut(p, xi + 2, bottom + 4, label);
  }
  DrawLine(p, left, bottom, right, bottom);

  // The curve: present values joined, gaps left open, each point a filled circle.
  const auto pointY = [&](double value) {
    const double offset = std::clamp((value - t0) * ticks.scale, -1.0, bottom - top + 1.0);
    return bottom - RoundInt(offset) - 1;
  };
  DrawRectangle(p, left, top, right, bottom);
  p.setBrush(Qt::black);
  std::vector<QPoint> points;
  std::vector<QPoint> piece;
  const auto flush = [&] {
    if (piece.size() > 1) p.drawPolyline(piece.data(), static_cast<int>(piece.size()));
    piece.clear();
  };
  for (std::int32_t j = 0; j < n; ++j) {
    const long long x = left + static_cast<long long>(sx) * (j + 1);
    // The last day may fall on the right edge of the frame; it is drawn there.
    if (x > right) break;
    if (!IsPresent(v.values[j], empty)) {
      flush();
      continue;
    }
    piece.emplace_back(static_cast<int>(x), pointY(v.values[j]));
    points.push_back(piece.back());
  }
  flush();
  for (const QPoint& pt : points) DrawCircleMark(p, pt.x(), pt.y());
  p.setBrush(Qt::white);

  if (g.ShowXMarks) {
    p.setPen(StyledPen(g.XMarkPen));
    const std::int32_t rows = std::min<std::int32_t>(n, static_cast<std::int32_t>(g.XMarks.size()));
    for (std::int32_t j = 0; j < rows; ++j) {
      const long long x = left + static_cast<long long>(sx) * (j + 1);
      if (g.XMarks[static_cast<std::size_t>(j)] && x < right)
        DrawLine(p, static_cast<int>(x), top + 1, static_cast<int>(x), bottom - 1);
    }
    Reset(p, look);
  }

  const VariableLevels* levels = LevelsOf(g, v.name);
  if (g.ShowLevels && levels) {
    QFont font = look.font;
    font.setPointSize(kLevelFontPoints);
    p.setFont(font);
    p.setPen(StyledPen(g.LevelPen));
    for (int j = 0; j < kLevelLineCount; ++j) {
      const std::string& label = g.LevelLabels[static_cast<std::size_t>(j)];
      if (label.empty() || label == kLevelOff) continue;
      const double offset = (levels->values[static_cast<std::size_t>(j)] - t0) * ticks.scale;
      if (!std::isfinite(offset) || offset < -1 || offset > bottom - top + 1) continue;
      const int y = bottom - RoundInt(offset);
      if (top < y && y < bottom) {
        DrawLine(p, left + 1, y - 1, right - 1, y - 1);
        // Kept whole inside the picture: a cut "+" would read as "-".
        const QString text = QString::fromStdString(label);
        TextOut(p, std::min(right + 4, size.width() - TextWidth(p, text) - 1), y - 6, text);
      }
    }
    Reset(p, look);
  }
  return messages;
}

}  // namespace tavrel
