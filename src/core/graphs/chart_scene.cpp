#include "core/graphs/chart_scene.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/base/numbers.h"
#include "core/graphs/chart_columns.h"
#include "core/graphs/date_labels.h"

namespace tavrel {

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kWallEdge = 0x808080;
constexpr std::uint32_t kSideWall = 0xF4F4F4;
constexpr std::uint32_t kFloor = 0xE8E8E8;
constexpr std::uint32_t kGrid = 0xA0A0A0;
constexpr std::uint32_t kMarkGround = 0xFFFFE1;
constexpr int kLegendPointSize = 9;
constexpr int kMarkPointSize = 8;
constexpr int kMeansPointSize = 10;
constexpr double kTick = 4;       // length of the axes' tick marks
constexpr double kBarWidth = 0.9; // of the step between two bars

// Shades of the faces: the front in the series colour, the top a little darker, the sides more.
constexpr double kTopShade = 0.8;
constexpr double kSideShade = 0.62;
constexpr double kEdgeShade = 0.5;

struct Point {
  double x;
  double y;
};

// Maps data to the box and the box to the picture. The range may stand in
// from the box's edges by a part of its width (insetU) and height (insetV).
struct Frame {
  BoxProjection box;
  ChartRange range;
  bool flat = false;  // the 2-D chart: only the boxes' fronts are drawn
  double insetU = 0;
  double insetV = 0;

  double U(double x) const { return insetU + (x - range.xMin) / (range.xMax - range.xMin) * (1 - 2 * insetU); }
  double V(double y) const { return insetV + (y - range.yMin) / (range.yMax - range.yMin) * (1 - 2 * insetV); }
  Vec2 At(double x, double y, double w) const { return box.At(U(x), V(y), w); }
};

class SceneBuilder {
 public:
  explicit SceneBuilder(std::vector<SceneItem>& items) : items_(items) {}

  void Face(std::vector<Vec2> corners, std::uint32_t fill, std::uint32_t pen) {
    SceneItem& item = Add(SceneItemKind::Face, std::move(corners), pen);
    item.fill = fill;
  }
  void Line(Vec2 a, Vec2 b, std::uint32_t pen, bool dashed = false) { Polyline({a, b}, pen, dashed); }
  SceneItem& Polyline(std::vector<Vec2> points, std::uint32_t pen, bool dashed = false) {
    SceneItem& item = Add(SceneItemKind::Line, std::move(points), pen);
    item.dashed = dashed;
    return item;
  }
  // A dense line through points, as the runs it fills.
  void DenseLine(const std::vector<Vec2>& points, std::uint32_t pen) {
    Add(SceneItemKind::Columns, ColumnRunsOf(points), pen);
  }
  void Symbol(Vec2 at, PointSymbol symbol, std::uint32_t rgb) {
    SceneItem& item = Add(SceneItemKind::Symbol, {at}, rgb);
    item.fill = rgb;
    item.symbol = symbol;
  }
  void Text(Vec2 at, std::string text, TextAnchor anchor, int pointSize, bool framed = false) {
    SceneItem& item = Add(SceneItemKind::Text, {at}, kBlack);
    item.text = std::move(text);
    item.anchor = anchor;
    item.pointSize = pointSize;
    item.framed = framed;
    item.fill = kMarkGround;
  }

 private:
  SceneItem& Add(SceneItemKind kind, std::vector<Vec2> points, std::uint32_t pen) {
    SceneItem& item = items_.emplace_back();
    item.kind = kind;
    item.points = std::move(points);
    item.pen = pen;
    return item;
  }

  std::vector<SceneItem>& items_;
};

std::vector<double> Ticks(double from, double to, double step) {
  std::vector<double> ticks;
  if (!(step > 0) || !(to >= from)) return ticks;
  const double first = std::ceil(from / step - 1e-9) * step;
  for (int k = 0; k < 1000; ++k) {
    double t = first + k * step;
    if (t > to + step * 1e-9) break;
    if (std::fabs(t) < step * 1e-9) t = 0;
    ticks.push_back(t);
  }
  return ticks;
}

std::string TickText(double value, double step) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return FixedText(value, 0, std::clamp(decimals, 0, 10));
}

// The polyline limited to the range: cut at its left and right ends, and
// held at the floor and ceiling where it leaves them (with the points where
// it crosses them added), as an area's edge is.
std::vector<Point> HeldInRange(const std::vector<ChartXY>& line, const ChartRange& r) {
  std::vector<Point> cut;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const Point p{line[i].x, line[i].y};
    if (!std::isfinite(p.y)) continue;
    if (!cut.empty()) {
      const Point q = cut.back();
      for (const double edge : {r.xMin, r.xMax}) {
        if ((q.x < edge && p.x > edge) || (q.x > edge && p.x < edge)) {
          cut.push_back({edge, q.y + (p.y - q.y) * (edge - q.x) / (p.x - q.x)});
        }
      }
    }
    cut.push_back(p);
  }
  std::vector<Point> held;
  for (std::size_t i = 0; i < cut.size(); ++i) {
    const Point p = cut[i];
    if (p.x < r.xMin - 1e-12 || p.x > r.xMax + 1e-12) continue;
    if (!held.empty() && i > 0) {
      const Point q = cut[i - 1];
      for (const double edge : {r.yMin, r.yMax}) {
        if ((q.y < edge && p.y > edge) || (q.y > edge && p.y < edge)) {
          held.push_back({q.x + (p.x - q.x) * (edge - q.y) / (p.y - q.y), edge});
        }
      }
    }
    held.push_back({p.x, std::clamp(p.y, r.yMin, r.yMax)});
  }
  return held;
}

// The part of the segment a-b inside the range, if any.
bool ClipSegment(Point& a, Point& b, const ChartRange& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x - r.xMin, r.xMax - a.x, a.y - r.yMin, r.yMax - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const Point start{a.x + t0 * dx, a.y + t0 * dy};
  b = {a.x + t1 * dx, a.y + t1 * dy};
  a = start;
  return true;
}

// Which way the strip from a to b (left to right) faces: true when the
// viewer sees its upper side.
bool SeesUpperSide(const Frame& f, Point a, Point b, double w) {
  const Vec2 pa = f.At(a.x, a.y, w), pb = f.At(b.x, b.y, w);
  const double sx = pb.x - pa.x, sy = pb.y - pa.y;
  return sx * f.box.deep.y - sy * f.box.deep.x < 0;
}

struct Box {
  double x0, x1, y0, y1;  // data units, x0 < x1, y0 < y1
  std::uint32_t rgb;
};

void AddBox(SceneBuilder& out, const Frame& f, const Box& b, double w0, double w1) {
  const auto at = [&](double x, double y, double w) { return f.At(x, y, w); };
  const std::uint32_t edge = ShadedColor(b.rgb, kEdgeShade);
  if (f.flat) {
    out.Face({at(b.x0, b.y0, w0), at(b.x1, b.y0, w0), at(b.x1, b.y1, w0), at(b.x0, b.y1, w0)}, b.rgb, edge);
    return;
  }
  const double side = f.box.SeesRight() ? b.x1 : b.x0;
  out.Face({at(side, b.y0, w0), at(side, b.y0, w1), at(side, b.y1, w1), at(side, b.y1, w0)},
           ShadedColor(b.rgb, kSideShade), edge);
  const double cap = f.box.SeesTop() ? b.y1 : b.y0;
  out.Face({at(b.x0, cap, w0), at(b.x1, cap, w0), at(b.x1, cap, w1), at(b.x0, cap, w1)},
           ShadedColor(b.rgb, kTopShade), edge);
  out.Face({at(b.x0, b.y0, w0), at(b.x1, b.y0, w0), at(b.x1, b.y1, w0), at(b.x0, b.y1, w0)}, b.rgb, edge);
}

// Boxes of one place in depth, the farther ones first: along X away from
// the side the viewer stands on, then up or down away from the viewer.
void AddBoxes(SceneBuilder& out, const Frame& f, std::vector<Box> boxes, double w0, double w1) {
  const bool right = f.box.SeesRight(), top = f.box.SeesTop();
  std::sort(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) {
    if (a.x0 != b.x0) return right ? a.x0 < b.x0 : a.x0 > b.x0;
    return top ? a.y0 < b.y0 : a.y0 > b.y0;
  });
  for (const Box& b : boxes) AddBox(out, f, b, w0, w1);
}

struct Segment {
  Point a, b;
};

// Strips from w0 to w1 along the segments (in painting order), each run of
// joined segments seen from the same side as one band: its front edge, then
// its back edge backwards. fill gives a strip's colour from the side seen, or
// nothing for a strip not drawn.
void AddStrips(SceneBuilder& out, const Frame& f, const std::vector<Segment>& segments, double w0, double w1,
               const std::function<std::optional<std::uint32_t>(bool upper)>& fill) {
  std::vector<Vec2> front, back;
  std::uint32_t color = 0;
  const auto flush = [&] {
    if (front.empty()) return;
    front.insert(front.end(), back.rbegin(), back.rend());
    out.Face(std::move(front), color, color);
    front.clear();
    back.clear();
  };
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    const std::optional<std::uint32_t> c = fill(SeesUpperSide(f, s.a, s.b, w0));
    const bool joined = i > 0 && segments[i - 1].b.x == s.a.x && segments[i - 1].b.y == s.a.y;
    if (!c || !joined || *c != color) flush();
    if (!c) continue;
    color = *c;
    if (front.empty()) {
      front.push_back(f.At(s.a.x, s.a.y, w0));
      back.push_back(f.At(s.a.x, s.a.y, w1));
    }
    front.push_back(f.At(s.b.x, s.b.y, w0));
    back.push_back(f.At(s.b.x, s.b.y, w1));
  }
  flush();
}

// The segments of a polyline inside the range, in the order the viewer
// needs them: from the far side to the near one (flat, left to right).
std::vector<Segment> VisibleSegments(const Frame& f, const std::vector<Point>& line) {
  std::vector<Segment> segments;
  for (std::size_t i = 1; i < line.size(); ++i) {
    Point a = line[i - 1], b = line[i];
    if (!std::isfinite(a.y) || !std::isfinite(b.y)) continue;
    if (ClipSegment(a, b, f.range)) segments.push_back({a, b});
  }
  if (!f.box.SeesRight() && !f.flat) {
    std::reverse(segments.begin(), segments.end());
    for (Segment& s : segments) std::swap(s.a, s.b);
  }
  return segments;
}

std::vector<Point> Points(const std::vector<ChartXY>& xy) {
  std::vector<Point> points;
  points.reserve(xy.size());
  for (const ChartXY& p : xy) points.push_back({p.x, p.y});
  return points;
}

// Dense lines painted one straight after another keep only what shows.
void DropCoveredColumns(std::vector<SceneItem>& items) {
  std::vector<std::vector<Vec2>*> painted;
  for (std::size_t i = 0; i <= items.size(); ++i) {
    if (i < items.size() && items[i].kind == SceneItemKind::Columns) {
      painted.push_back(&items[i].points);
      continue;
    }
    if (painted.size() > 1) DropCoveredRuns(painted);
    painted.clear();
  }
}

// A line as a ribbon from w0 to w1 with its front edge drawn over it.
void AddRibbon(SceneBuilder& out, const Frame& f, const std::vector<ChartXY>& points, std::uint32_t rgb, double w0,
               double w1, bool dense) {
  const std::vector<Segment> segments = VisibleSegments(f, Points(points));
  const std::uint32_t under = ShadedColor(rgb, kSideShade);
  const bool leftwards = !f.box.SeesRight();
  // Walking leftwards turns the strips' sides over. Flat, the line is its front edge alone.
  if (!f.flat) AddStrips(out, f, segments, w0, w1, [&](bool upper) { return upper != leftwards ? rgb : under; });
  const std::uint32_t edge = f.flat ? rgb : ShadedColor(rgb, kEdgeShade);
  std::vector<Vec2> edgeLine;
  const auto addEdge = [&] {
    if (dense) out.DenseLine(edgeLine, edge);
    else out.Polyline(std::move(edgeLine), edge);
  };
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    if (i > 0 && !(segments[i - 1].b.x == s.a.x && segments[i - 1].b.y == s.a.y)) {
      addEdge();
      edgeLine.clear();
    }
    if (edgeLine.empty()) edgeLine.push_back(f.At(s.a.x, s.a.y, w0));
    edgeLine.push_back(f.At(s.b.x, s.b.y, w0));
  }
  if (!edgeLine.empty()) addEdge();
}

// An area between the lower and upper edges as a slab from w0 to w1: the
// strips of its edges that face the viewer, its visible end, then its front.
void AddSlab(SceneBuilder& out, const Frame& f, const std::vector<ChartXY>& upper, const std::vector<ChartXY>& lower,
             std::uint32_t rgb, double w0, double w1) {
  const std::vector<Point> top = HeldInRange(upper, f.range), bottom = HeldInRange(lower, f.range);
  if (top.size() < 2) return;
  const std::uint32_t edge = ShadedColor(rgb, kEdgeShade);
  // Only the strips facing out of the slab: up along its upper edge, down along its lower one.
  const bool leftwards = !f.box.SeesRight();
  const auto strips = [&](const std::vector<Point>& line, bool upperEdge, std::uint32_t fill) {
    AddStrips(out, f, VisibleSegments(f, line), w0, w1, [&](bool upper) -> std::optional<std::uint32_t> {
      if ((upper != leftwards) != upperEdge) return std::nullopt;
      return fill;
    });
  };
  if (!f.flat) {
    strips(bottom, false, ShadedColor(rgb, kEdgeShade));
    strips(top, true, ShadedColor(rgb, kTopShade));
  }
  // The end on the viewer's side.
  const Point topEnd = f.box.SeesRight() ? top.back() : top.front();
  if (!bottom.empty() && !f.flat) {
    const Point bottomEnd = f.box.SeesRight() ? bottom.back() : bottom.front();
    out.Face({f.At(topEnd.x, bottomEnd.y, w0), f.At(topEnd.x, bottomEnd.y, w1), f.At(topEnd.x, topEnd.y, w1),
              f.At(topEnd.x, topEnd.y, w0)},
             ShadedColor(rgb, kSideShade), edge);
  }
  std::vector<Vec2> front;
  front.reserve(top.size() + bottom.size());
  for (const Point& p : top) front.push_back(f.At(p.x, p.y, w0));
  for (auto p = bottom.rbegin(); p != bottom.rend(); ++p) front.push_back(f.At(p->x, p->y, w0));
  out.Face(std::move(front), rgb, edge);
}

// The values a chart range is found from: stacked bottoms or tops as they
// are kept, and the tops of a series not stacked, 0 + its values (a -0 value
// shows as 0), each with how a value stored in its block extremes shows.
struct StoredValues {
  const double* values;
  double operator()(std::size_t j) const { return values[j]; }
  static double Shown(double stored) { return stored; }
};
struct TopsOfValues {
  const double* values;
  double operator()(std::size_t j) const { return 0.0 + values[j]; }
  static double Shown(double stored) { return 0.0 + stored; }
};

}  // namespace

std::uint32_t ShadedColor(std::uint32_t rgb, double factor) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  const bool dark = r * 299 + g * 587 + b * 114 < 60 * 1000;
  const auto part = [&](int c) {
    const double v = dark ? c + (255 - c) * (1 - factor) * 0.8 : c * factor;
    return static_cast<std::uint32_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
  };
  return part(r) << 16 | part(g) << 8 | part(b);
}

double TickStep(double span, int most) {
  most = std::max(1, most);
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double rough = span / most;
  double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (;;) {
    for (const double m : {1.0, 2.0, 5.0})
      if (m * power >= rough * (1 - 1e-12)) return m * power;
    power *= 10;
  }
}

ChartRange FullChartRange(const ChartModel& model, const std::vector<StackedSeries>& stacked, bool yFromZero) {
  ChartRange r;
  double firstX = 0;
  std::size_t points = 0;
  bool bars = false;
  for (const ChartSeries& s : model.series) {
    firstX = s.firstX;
    points = std::max(points, s.values.size());
    bars = bars || s.kind == SeriesKind::Bar;
  }
  if (bars) {
    r.xMin = firstX - 0.5;
    r.xMax = firstX + static_cast<double>(points) - 0.5;
  } else {
    r.xMin = firstX;
    r.xMax = firstX + std::max(1.0, static_cast<double>(points) - 1);
  }
  // Series not stacked stand on 0 only when the Y axis starts there.
  const bool stackedModes = model.mode == MultiMode::Stacked || model.mode == MultiMode::Stacked100;
  // Each series' lowest and highest finite value on every core, then the
  // chart's in the series' order (of equal ones, as -0 and 0, the first).
  const std::size_t count = std::min(stacked.size(), model.series.size());
  std::vector<std::pair<double, double>> extremes(count, {HUGE_VAL, -HUGE_VAL});
  ForEachSeries(model, [&](int k) {
    const auto i = static_cast<std::size_t>(k);
    if (i >= count) return;
    const StackedSeries& st = stacked[i];
    const ChartSeries& s = model.series[i];
    std::pair<double, double>& range = extremes[i];
    const auto take = [&range](double v) {
      if (!std::isfinite(v)) return;
      range.first = std::min(range.first, v);
      range.second = std::max(range.second, v);
    };
    // Values at(0..size - 1), through the extremes of their blocks when the
    // series has them: a block whose extremes are numbers gives what its
    // values one by one would (of equal ones the first); one that holds an
    // infinity is read value by value, one without a number not at all.
    const auto takeAll = [&](std::size_t size, const BlockExtremes& blocks, const auto& at) {
      const std::size_t whole = size / kExtremesBlock;
      std::size_t j = 0;
      if (blocks.size() == whole) {
        for (std::size_t b = 0; b < whole; ++b, j += kExtremesBlock) {
          const double low = blocks[b].lowest, high = blocks[b].highest;
          if (std::isnan(low)) continue;
          if (std::isfinite(low) && std::isfinite(high)) {
            // as at() gives them: 0 + a value that is -0 is 0
            const double shownLow = at.Shown(low), shownHigh = at.Shown(high);
            range.first = std::min(range.first, shownLow);
            range.second = std::max(range.second, shownHigh);
            continue;
          }
          for (std::size_t k = j; k < j + kExtremesBlock; ++k) take(at(k));
        }
      }
      for (; j < size; ++j) take(at(j));
    };
    if (stackedModes) {
      if (st.stacked) {
        takeAll(st.bottom.size(), st.bottomBlocks, StoredValues{st.bottom.data()});
      } else if (st.Size(s) > 0) {
        take(st.Bottom(0));  // 0 throughout
      }
    }
    if (st.stacked) {
      takeAll(st.top.size(), st.topBlocks, StoredValues{st.top.data()});
    } else {
      takeAll(s.values.size(), st.topBlocks, TopsOfValues{s.values.data()});
    }
  });
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (const auto& [lo, hi] : extremes) {
    low = std::min(low, lo);
    high = std::max(high, hi);
  }
  if (low > high) low = high = 0;
  if (yFromZero) low = std::min(0.0, low);
  if (model.mode == MultiMode::Stacked100) high = std::max(high, 100.0);
  if (high <= low) high = low + 1;
  const double step = TickStep(high - low, 8);
  r.yMin = std::floor(low / step) * step;
  r.yMax = std::ceil(high / step) * step;
  return r;
}

ChartRange ZoomedRange(const ChartRange& r, double factor) {
  if (!(factor > 0)) return r;
  const double cx = (r.xMin + r.xMax) / 2, hx = (r.xMax - r.xMin) / 2 / factor;
  const double cy = (r.yMin + r.yMax) / 2, hy = (r.yMax - r.yMin) / 2 / factor;
  return {cx - hx, cx + hx, cy - hy, cy + hy};
}

ChartRange ScrolledRange(const ChartRange& r, double horizontalPercent, double verticalPercent) {
  const double dx = (r.xMax - r.xMin) * horizontalPercent / 100, dy = (r.yMax - r.yMin) * verticalPercent / 100;
  return {r.xMin + dx, r.xMax + dx, r.yMin + dy, r.yMax + dy};
}

ChartScene LayoutChartScene(const ChartModel& model, const std::vector<StackedSeries>& stacked,
                            const ChartRange& range, const ChartView& view, bool marks, const std::string& means,
                            double width, double height, const TextMeasure& measure) {
  ChartScene scene;
  SceneBuilder out(scene.items);
  ChartRange r = range;
  // A range the arithmetic cannot span shows 0..1; an empty one a unit.
  if (!std::isfinite(r.xMax - r.xMin)) r.xMin = 0, r.xMax = 1;
  if (!std::isfinite(r.yMax - r.yMin)) r.yMin = 0, r.yMax = 1;
  if (!(r.xMax > r.xMin)) r.xMax = r.xMin + std::max(1.0, std::fabs(r.xMin) * 1e-9);
  if (!(r.yMax > r.yMin)) r.yMax = r.yMin + std::max(1.0, std::fabs(r.yMin) * 1e-9);
  const bool flat = !view.view3D;

  // The frame round the plot: margins, the axes' labels, the legend, the line of means.
  const double marginTop = height * std::clamp(view.marginTop, 0, 50) / 100;
  const double marginBottom = height * std::clamp(view.marginBottom, 0, 50) / 100;
  const double marginLeft = width * std::clamp(view.marginLeft, 0, 50) / 100;
  const double marginRight = width * std::clamp(view.marginRight, 0, 50) / 100;
  const int fontX = std::clamp(view.fontSizeX, 1, 18), fontY = std::clamp(view.fontSizeY, 1, 18);
  const double textX = measure.height(fontX), textY = measure.height(fontY);
  const double legendLine = measure.height(kLegendPointSize);
  double legendText = 0;
  for (const ChartSeries& s : model.series) legendText = std::max(legendText, measure.width(s.title, kLegendPointSize));
  // A line's legend entry shows a piece of the line with its symbol, wider than a colour box.
  bool symbols = false;
  for (const ChartSeries& s : model.series) symbols = symbols || (flat && s.kind == SeriesKind::Line && s.symbolsShown);
  const double legendKey = symbols ? 3 * kSymbolSize : legendLine * 0.7;
  const double legendWidth = model.series.empty() ? 0 : legendText + legendKey + 24;
  const double meansHeight = means.empty() ? 0 : measure.height(kMeansPointSize) + 6;

  const double roughHeight = std::max(20.0, height - marginTop - marginBottom - meansHeight - textX - 2 * kTick);
  const double yStep = TickStep(r.yMax - r.yMin, std::clamp(static_cast<int>(roughHeight / (2.5 * textY)), 2, 12));
  const std::vector<double> yTicks = Ticks(r.yMin, r.yMax, yStep);
  double yLabelWidth = 0;
  for (const double t : yTicks) yLabelWidth = std::max(yLabelWidth, measure.width(TickText(t, yStep), fontY));

  const double markRoom = marks ? measure.height(kMarkPointSize) + 8 : 0;
  const double left = marginLeft + yLabelWidth + 2 * kTick;
  const double right = width - marginRight - (legendWidth > 0 ? legendWidth + 10 : 0);
  const double top = marginTop + std::max(textY / 2, markRoom);
  const double bottom = height - marginBottom - meansHeight - textX - 2 * kTick;
  // Series take places in depth one behind the other, except bars side by
  // side or stacked and stacked areas, which share one.
  const std::size_t n = model.series.size();
  const bool shared = model.mode != MultiMode::None && !model.series.empty() &&
                      model.series.front().kind != SeriesKind::Line;
  const std::size_t places = n == 0 ? 0 : shared ? 1 : n;
  scene.box = ProjectBox(view, static_cast<int>(places), left, top, std::max(1.0, right - left),
                         std::max(1.0, bottom - top));
  const BoxProjection& box = scene.box;
  Frame f{box, r, flat};
  scene.columns = std::max(1, static_cast<int>(std::lround(std::hypot(box.across.x, box.across.y))));
  if (symbols) {
    // Half a symbol and a pixel between the points and the frame.
    const double room = kSymbolSize / 2 + 1;
    f.insetU = std::min(0.25, room / std::hypot(box.across.x, box.across.y));
    f.insetV = std::min(0.25, room / std::hypot(box.up.x, box.up.y));
  }

  // Walls and floor with their grid: the back wall (flat, the plot), the side
  // wall the viewer looks into and the floor when seen from above.
  const double side = box.SeesRight() ? 0 : 1;
  out.Face({box.At(0, 0, 1), box.At(1, 0, 1), box.At(1, 1, 1), box.At(0, 1, 1)}, kWhite, kWallEdge);
  if (!flat)
    out.Face({box.At(side, 0, 0), box.At(side, 0, 1), box.At(side, 1, 1), box.At(side, 1, 0)}, kSideWall, kWallEdge);
  if (!flat && box.SeesTop())
    out.Face({box.At(0, 0, 0), box.At(1, 0, 0), box.At(1, 0, 1), box.At(0, 0, 1)}, kFloor, kWallEdge);

  // X ticks at whole observations, as many as their labels leave room for;
  // dates are labelled every so many observations as they need.
  const bool dated = !model.dates.empty();
  double xStep = 1;
  if (dated) {
    const double perObservation = std::fabs(box.across.x) * (1 - 2 * f.insetU) / (r.xMax - r.xMin);
    xStep = DateLabelStep(measure.width(kWidestDateLabel, fontX), perObservation);
  } else {
    const double xLabelWidth =
        std::max(measure.width(TickText(r.xMin, 1), fontX), measure.width(TickText(r.xMax, 1), fontX));
    xStep = std::max(
        1.0, TickStep(r.xMax - r.xMin, std::clamp(static_cast<int>(scene.columns / (xLabelWidth + 24)), 1, 20)));
  }
  const std::vector<double> xTicks = Ticks(r.xMin, r.xMax, xStep);
  if (view.gridY) {
    for (const double t : yTicks) {
      const double v = f.V(t);
      out.Line(box.At(0, v, 1), box.At(1, v, 1), kGrid, true);
      if (!flat) out.Line(box.At(side, v, 0), box.At(side, v, 1), kGrid, true);
    }
  }
  if (view.gridX) {
    for (const double t : xTicks) {
      const double u = f.U(t);
      out.Line(box.At(u, 0, 1), box.At(u, 1, 1), kGrid, true);
      if (!flat && box.SeesTop()) out.Line(box.At(u, 0, 0), box.At(u, 0, 1), kGrid, true);
    }
  }

  // The axes on the box's outer edges: the Y axis on its leftmost upright
  // edge, the X axis on its lowest bottom edge.
  const double yAxisW = box.deep.x < 0 ? 1 : 0, xAxisW = box.deep.y > 0 ? 1 : 0;
  out.Line(box.At(0, 0, yAxisW), box.At(0, 1, yAxisW), kBlack);
  out.Line(box.At(0, 0, xAxisW), box.At(1, 0, xAxisW), kBlack);
  for (const double t : yTicks) {
    const Vec2 at = box.At(0, f.V(t), yAxisW);
    out.Line({at.x - kTick, at.y}, at, kBlack);
    out.Text({at.x - 2 * kTick, at.y}, TickText(t, yStep), TextAnchor::RightMiddle, fontY);
  }
  for (const double t : xTicks) {
    const Vec2 at = box.At(f.U(t), 0, xAxisW);
    out.Line(at, {at.x, at.y + kTick}, kBlack);
    std::string label;
    if (!dated) {
      label = TickText(t, xStep);
    } else if (const double j = std::round(t); j >= 0 && j < static_cast<double>(model.dates.size())) {
      // The first date shown carries its year, as does each of another year than the one before.
      label = DateTickLabel(model.dates.data(), static_cast<std::int32_t>(j), static_cast<std::int32_t>(xStep),
                            static_cast<std::int32_t>(std::max(0.0, std::round(xTicks.front()))));
    }
    out.Text({at.x, at.y + 2 * kTick}, std::move(label), TextAnchor::TopCenter, fontX);
  }

  // The points of the lines and of the areas' edges, every series' on every
  // core. An area's fill covers what lies between a column's extremes: its
  // edges keep only the outer one, so the outline does not zigzag.
  std::vector<std::vector<ChartXY>> uppers(n), lowers(n);
  ForEachSeries(model, [&](int k) {
    const auto i = static_cast<std::size_t>(k);
    const ChartSeries& s = model.series[i];
    if (s.kind == SeriesKind::Bar) return;
    const bool area = s.kind == SeriesKind::Area;
    uppers[i] = VisibleStackedPoints(s, stacked[i], true, r.xMin, r.xMax, scene.columns,
                                     area ? ColumnKeeps::Highest : ColumnKeeps::Extremes);
    if (area) lowers[i] = VisibleStackedPoints(s, stacked[i], false, r.xMin, r.xMax, scene.columns, ColumnKeeps::Lowest);
  });

  // The series, in their places in depth from the back to the front.
  struct Mark {
    Vec2 at;
    double value;
  };
  std::vector<Mark> markList;
  const auto depthOf = [&](std::size_t place, double inset) {
    const double w0 = static_cast<double>(place) / static_cast<double>(places);
    const double w1 = static_cast<double>(place + 1) / static_cast<double>(places);
    const double pad = (w1 - w0) * inset;
    // The front place stands on the front plane, where the Y axis reads its values.
    return std::pair{place == 0 ? w0 : w0 + pad, w1 - pad};
  };
  const auto inRange = [&](double x, double y) { return x >= r.xMin && x <= r.xMax && y >= r.yMin && y <= r.yMax; };
  for (std::size_t place = places; place-- > 0;) {
    std::vector<Box> boxes;
    double bw0 = 0, bw1 = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (!shared && i != place) continue;
      const ChartSeries& s = model.series[i];
      const StackedSeries& st = stacked[i];
      if (s.kind == SeriesKind::Bar) {
        // Bars side by side are thinner and so less deep.
        std::tie(bw0, bw1) = depthOf(place, model.mode == MultiMode::Side ? 0.3 : 0.15);
        const double slot = model.mode == MultiMode::Side ? kBarWidth / static_cast<double>(n) : kBarWidth;
        const double offset = model.mode == MultiMode::Side ? static_cast<double>(i) * slot : 0;
        for (std::size_t j = 0; j < st.Size(s); ++j) {
          const double x = s.firstX + static_cast<double>(j) - kBarWidth / 2 + offset;
          const double x0 = std::max(x, r.xMin), x1 = std::min(x + slot, r.xMax);
          const double a = st.Bottom(j), b = st.Top(s, j);
          if (!std::isfinite(a) || !std::isfinite(b) || x0 >= x1) continue;
          const double y0 = std::max(std::min(a, b), r.yMin), y1 = std::min(std::max(a, b), r.yMax);
          if (y0 >= y1) continue;
          std::uint32_t rgb = s.rgb;
          for (const auto& [index, color] : s.pointColors)
            if (index == static_cast<std::int32_t>(j)) rgb = color;
          boxes.push_back({x0, x1, y0, y1, rgb});
          if (marks && b <= r.yMax && b >= r.yMin)
            markList.push_back({f.At((x0 + x1) / 2, b, bw0), s.values[j]});
        }
        continue;
      }
      const auto [w0, w1] = depthOf(place, 0.05);
      const std::vector<ChartXY>& upper = uppers[i];
      if (s.kind == SeriesKind::Line) {
        // A series shown by its columns' extremes is a band a pixel column
        // at a time; a symbol per column would only smear it.
        const bool dense = !ShowsEveryPoint(s.values.size(), s.firstX, r.xMin, r.xMax, scene.columns);
        AddRibbon(out, f, upper, s.rgb, w0, w1, dense);
        if (flat && s.symbolsShown && !dense) {
          for (const ChartXY& p : upper)
            if (inRange(p.x, p.y)) out.Symbol(f.At(p.x, p.y, w0), s.symbol, s.rgb);
        }
      } else {
        AddSlab(out, f, upper, lowers[i], s.rgb, w0, w1);
      }
      if (marks) {
        // The series' own value at each point shown, where its stacked top lies.
        for (const ChartXY& p : upper) {
          const auto j = static_cast<std::size_t>(std::lround(p.x - s.firstX));
          if (!inRange(p.x, p.y) || j >= s.values.size()) continue;
          markList.push_back({f.At(p.x, p.y, w0), s.values[j]});
        }
      }
    }
    AddBoxes(out, f, std::move(boxes), bw0, bw1);
  }
  DropCoveredColumns(scene.items);
  for (const Mark& m : markList)
    out.Text({m.at.x, m.at.y - 4}, FloatText(m.value, 6), TextAnchor::BottomCenter, kMarkPointSize, true);

  // The legend at the right: each series' colour box, or its line with its
  // symbol, and its title.
  scene.legend = scene.items.size();
  if (legendWidth > 0) {
    const double rowHeight = std::max(legendLine, kSymbolSize) + 4;
    const double legendHeight = rowHeight * static_cast<double>(n) + 12;
    const double lx = width - marginRight - legendWidth;
    const double ly = std::max(marginTop, (top + bottom) / 2 - legendHeight / 2);
    out.Face({{lx, ly}, {lx + legendWidth, ly}, {lx + legendWidth, ly + legendHeight}, {lx, ly + legendHeight}},
             kWhite, kWallEdge);
    for (std::size_t i = 0; i < n; ++i) {
      const ChartSeries& s = model.series[i];
      const double cy = ly + 6 + rowHeight * (static_cast<double>(i) + 0.5);
      const double bx = lx + 8;
      if (symbols && s.kind == SeriesKind::Line) {
        out.Line({bx, cy}, {bx + legendKey, cy}, s.rgb);
        if (s.symbolsShown) out.Symbol({bx + legendKey / 2, cy}, s.symbol, s.rgb);
      } else {
        const double boxSize = legendLine * 0.7;
        out.Face({{bx, cy - boxSize / 2}, {bx + boxSize, cy - boxSize / 2}, {bx + boxSize, cy + boxSize / 2},
                  {bx, cy + boxSize / 2}},
                 s.rgb, ShadedColor(s.rgb, kEdgeShade));
      }
      out.Text({bx + legendKey + 6, cy}, s.title, TextAnchor::LeftMiddle, kLegendPointSize);
    }
  }

  // The line of means at the foot, under the X axis's labels.
  if (!means.empty()) out.Text({marginLeft + 4, height - marginBottom - meansHeight / 2}, means, TextAnchor::LeftMiddle,
                               kMeansPointSize);
  return scene;
}

}  // namespace tavrel
