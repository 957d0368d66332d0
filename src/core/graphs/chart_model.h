#pragma once
// What a chart of series shows, decided before any chart is drawn: the series
// with their kind, title, colour, symbol and values, how bars and areas of
// several series share a position, and the bars coloured apart.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/data/cluster_result.h"

namespace tavrel {

struct DataSet;

enum class SeriesKind { Line, Bar, Area };
// Several bar or area series at one X: behind one another, side by side,
// stacked, or stacked to 100 %.
enum class MultiMode { None, Side, Stacked, Stacked100 };

// Point symbols of line series.
enum class PointSymbol { Rectangle, Circle, Triangle, Star, Cross, DiagCross };
inline constexpr int kPointSymbolCount = 6;

// A series' values: its own, or a view of values held elsewhere (a data
// set's variable), which must then outlive the series unchanged. A chart of a
// data set's variables views them: the chart window is modal and the batch
// tool draws at once, and a copy of a long table would double its memory.
class SeriesValues {
 public:
  SeriesValues() = default;
  SeriesValues(std::vector<double> values) : own_(std::move(values)) {}
  SeriesValues(std::initializer_list<double> values) : own_(values) {}
  static SeriesValues Viewing(const double* data, std::size_t size) {
    SeriesValues v;
    v.view_ = size > 0 ? data : nullptr;
    v.viewSize_ = size > 0 ? size : 0;
    return v;
  }
  std::size_t size() const { return view_ ? viewSize_ : own_.size(); }
  bool empty() const { return size() == 0; }
  const double* data() const { return view_ ? view_ : own_.data(); }
  const double* begin() const { return data(); }
  const double* end() const { return data() + size(); }
  double operator[](std::size_t j) const { return data()[j]; }
  // Adding a value makes the values the series' own.
  void push_back(double x) {
    if (view_) own_.assign(begin(), end());
    view_ = nullptr;
    own_.push_back(x);
  }

 private:
  std::vector<double> own_;
  const double* view_ = nullptr;
  std::size_t viewSize_ = 0;
};

struct ChartSeries {
  SeriesKind kind = SeriesKind::Line;
  std::string title;
  std::uint32_t rgb = 0;  // 0xRRGGBB
  PointSymbol symbol = PointSymbol::Rectangle;
  bool symbolsShown = false;
  double firstX = 0;  // X of the first value; the next ones follow one apart
  SeriesValues values;
  // Points drawn in another colour: (index, 0xRRGGBB).
  std::vector<std::pair<std::int32_t, std::uint32_t>> pointColors;
};

struct ChartModel {
  MultiMode mode = MultiMode::None;
  std::vector<ChartSeries> series;
  // The observations' dates labelling the X axis in place of their numbers,
  // dates[k] at X = k (NaN for an observation without one); empty for numbers.
  std::vector<double> dates;
};

// The points of values (X = firstX, firstX + 1, ...) that a plot of the given
// pixel columns shows between xFrom and xTo (one neighbour beyond each end
// kept so the line leaves the plot): every point while they are fewer than
// twice the columns, else what each column shows: a line its smallest and
// largest value in the order they come, the top edge of an area its largest
// value and the bottom edge its smallest (the fill covers the rest).
struct ChartXY {
  double x;
  double y;
};
enum class ColumnKeeps { Extremes, Highest, Lowest };
std::vector<ChartXY> VisiblePoints(const std::vector<double>& values, double firstX, double xFrom, double xTo,
                                   int columns, ColumnKeeps keeps = ColumnKeeps::Extremes);
// Whether the plot shows every one of n points (X = firstX, firstX + 1, ...)
// between xFrom and xTo, rather than each column's extremes.
bool ShowsEveryPoint(std::size_t n, double firstX, double xFrom, double xTo, int columns);

// The extremes of a long series by blocks of kExtremesBlock values, so that
// the columns of a plot find theirs without reading every value: for each
// whole block the first of its smallest and of its largest numbers, as they
// stand in the series, and where (NaN and -1 for a block without a number).
inline constexpr long long kExtremesBlock = 64;
struct BlockExtreme {
  double lowest, highest;
  std::int32_t lowestAt, highestAt;
};
using BlockExtremes = std::vector<BlockExtreme>;
BlockExtremes BlockExtremesOf(const double* values, std::size_t count);

// The values of each series as stacked under the model's mode: the bottom
// and top of every point (bottom 0 and top the value when not stacked; to 100 %
// the tops of the last series are 100 wherever the sum is not 0), and once
// AddBlockExtremes has found them, the extremes of the tops (and of stacked
// bottoms) by blocks. Only stacked series hold their bottoms and tops: one
// that is not stacked keeps no copy of its values, which for a long series
// would double the memory it takes.
struct StackedSeries {
  bool stacked = false;
  std::vector<double> bottom;  // of a stacked series
  std::vector<double> top;     // of a stacked series
  BlockExtremes bottomBlocks;  // of a stacked series
  BlockExtremes topBlocks;
  std::size_t Size(const ChartSeries& s) const { return stacked ? top.size() : s.values.size(); }
  double Bottom(std::size_t j) const { return stacked ? bottom[j] : 0.0; }
  double Top(const ChartSeries& s, std::size_t j) const { return stacked ? top[j] : 0.0 + s.values[j]; }
};
std::vector<StackedSeries> Stacked(const ChartModel& model);
// Finds the extremes by blocks of the series in stacked, for a chart that is
// laid out again and again (zoomed, scrolled); without them the points are
// found all the same, reading every value.
void AddBlockExtremes(const ChartModel& model, std::vector<StackedSeries>& stacked);
// Stacked(model) with its block extremes, as a chart window shows it.
std::vector<StackedSeries> StackedWithBlocks(const ChartModel& model);
// VisiblePoints of the tops (or, with tops false, the bottoms) of series s as
// stacked in st: the same points, found by blocks.
std::vector<ChartXY> VisibleStackedPoints(const ChartSeries& s, const StackedSeries& st, bool tops, double xFrom,
                                          double xTo, int columns, ColumnKeeps keeps);

// The largest value, in magnitude, a chart draws: beyond it the differences
// its scale is made of overflow.
inline constexpr double kLargestChartValue = 1e300;
// The refusal of a chart whose values or stacked sums go beyond
// ±kLargestChartValue (or are infinite), naming the first such series; empty
// when it can be drawn. Values that are not numbers are gaps, not refused.
// A series not stacked is looked at by its block extremes when stacked holds
// them (AddBlockExtremes).
std::string UndrawableRange(const ChartModel& model, const std::vector<StackedSeries>& stacked);

// Calls work(i) for the series i of model; those of a long model are shared
// among the cores, each taking every so-many-th.
void ForEachSeries(const ChartModel& model, const std::function<void(int i)>& work);

// The chart's colour table, in the order the series take them: all distinct,
// each readable on the white chart, the first ones apart in grey print too.
const std::vector<std::uint32_t>& SeriesColors();

// The combined chart of the variables in force of d: series i shows variable i at
// X = 0, 1, ... up to its count, viewing d's values (d must stay as it is
// while the chart is in use). Series take the colours of the table in turn
// and symbols at random from seed, so a seed gives the same chart again. Lines
// show their symbols only in 2-D. The X axis shows d's dates when showDates
// asks for them (the setting IsData) and d has any.
ChartModel CombinedModel(const DataSet& d, SeriesKind kind, MultiMode mode, bool view3D, std::uint32_t seed,
                         bool showDates);

// Bars a chart can show at most, one pixel each on the widest chart window.
inline constexpr std::int32_t kMaxBars = 3000;
// The refusal of a bar chart of the variables in force of d with more observations
// than that; empty when it can be drawn.
std::string TooManyBars(const DataSet& d);

// The line of means under the combined chart of d: "Средние:" and, for each variable
// in force, "  NAME=" and the mean of its positive values with 1 decimal
// ("NAN" for a variable without positive values).
std::string MeansLine(const DataSet& d);

inline constexpr std::uint32_t kOlive = 0x808000;
inline constexpr std::uint32_t kSkyBlue = 0xA6CAF0;

// The joining distances of the last joins of a cluster run ("Расстояние") and
// their increases ("Прирост"), side by side, at the steps FirstDynamicsStep..N - 1
// (N joins); the bar of the chosen step is maroon when one was found.
ChartModel ClusterDynamicsModel(const ClusterResult& result);
std::int32_t FirstDynamicsStep(std::int32_t joins);

}  // namespace tavrel
