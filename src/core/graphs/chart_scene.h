#pragma once
// The chart laid out as the faces, lines, symbols and texts to paint one
// after the other. In 3-D: the walls and floor with their grid, the axes,
// every series as boxes (bars), ribbons (lines) or slabs (areas) in its place
// in depth; flat (2-D): the plot with its grid and axes, bars as rectangles,
// lines with their point symbols, areas as filled outlines. Then the point
// values, the legend and the line of means. Painting it in order gives the
// picture, nearer faces over those behind them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/graphs/chart_model.h"
#include "core/graphs/chart_projection.h"
#include "core/graphs/chart_view.h"

namespace tavrel {

// The part of the chart on show, in data units.
struct ChartRange {
  double xMin = 0;
  double xMax = 1;
  double yMin = 0;
  double yMax = 1;
};

// The whole chart: X over all points (bars a half step wider on each side),
// Y from the lowest (or 0, when the Y axis starts at 0 and no value is below
// it) to the highest stacked value, widened to whole ticks; up to 100 when
// stacked to 100 %.
ChartRange FullChartRange(const ChartModel& model, const std::vector<StackedSeries>& stacked, bool yFromZero);
// Zoomed about its centre: factor above 1 shows less, as the 2-D chart's zoom does.
ChartRange ZoomedRange(const ChartRange& range, double factor);
// Moved by percent of its width (horizontally) and of its height (vertically).
ChartRange ScrolledRange(const ChartRange& range, double horizontalPercent, double verticalPercent);

// The smallest step of 1, 2 or 5 times a power of ten that divides span into at most most parts.
double TickStep(double span, int most);

// Columns: the runs a dense line fills, a line through more points than two
// to a pixel column, in pairs of corners (top left, bottom right), each one
// column wide; what a dense line painted next over it covers is left out.
enum class SceneItemKind { Face, Line, Columns, Symbol, Text };
enum class TextAnchor { RightMiddle, TopCenter, BottomCenter, LeftMiddle };

struct SceneItem {
  SceneItemKind kind = SceneItemKind::Face;
  std::vector<Vec2> points;    // a face's corners, a line's points, the columns' runs, a symbol's centre, a text's anchor
  std::uint32_t fill = 0;      // a face's colour; a framed text's ground
  std::uint32_t pen = 0;       // a face's edge, a line's or a text's colour
  bool dashed = false;         // a dashed line
  bool framed = false;         // a text in a box
  std::string text;
  TextAnchor anchor = TextAnchor::LeftMiddle;
  int pointSize = 9;
  PointSymbol symbol = PointSymbol::Rectangle;  // a symbol's shape, kSymbolSize pixels across
};

// The size of the point symbols of lines, in pixels.
inline constexpr double kSymbolSize = 7;

struct ChartScene {
  BoxProjection box;   // where the chart's box lies
  int columns = 1;     // pixel columns across the front of the box
  std::vector<SceneItem> items;  // in painting order
  std::size_t legend = 0;        // the legend's items start here
};

// Text sizes on the device the scene is painted on.
struct TextMeasure {
  std::function<double(const std::string& text, int pointSize)> width;
  std::function<double(int pointSize)> height;
};

// The scene of model (stacked as given) showing range in a picture of the
// given size, with the point values when marks is set and the line of means
// at its foot when means is not empty; flat unless view asks for 3-D. Series
// take places in depth one behind the other (the first in front; flat, the
// first painted last), except bars side by side or stacked and stacked
// areas, which share one. Lines and areas of more points than the plot has
// pixel columns show each column's extremes. Lines with symbols keep half a
// symbol between their points and the plot's frame, so every symbol is whole.
// A range that is not finite is drawn as 0..1 rather than not at all. The X
// axis numbers the observations, or names their days when the model has dates.
ChartScene LayoutChartScene(const ChartModel& model, const std::vector<StackedSeries>& stacked,
                            const ChartRange& range, const ChartView& view, bool marks, const std::string& means,
                            double width, double height, const TextMeasure& measure);

// The colours of the faces turned away from the light: the series colour
// darkened by factor (0..1), or lightened for a colour too dark to darken.
std::uint32_t ShadedColor(std::uint32_t rgb, double factor);

}  // namespace tavrel
