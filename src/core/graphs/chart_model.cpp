#include "core/graphs/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include "core/base/numbers.h"
#include "core/base/run_pieces.h"
#include "core/base/value_search.h"
#include "core/data/data_file_lines.h"
#include "core/data/dataset.h"
#include "core/data/graph_overlays.h"
#include "core/data/observation_dates.h"

namespace tavrel {

void ForEachSeries(const ChartModel& model, const std::function<void(int i)>& work) {
  std::size_t values = 0;
  for (const ChartSeries& s : model.series) values += s.values.size();
  ForEachInPieces(static_cast<int>(model.series.size()), PiecesFor(values * sizeof(double)), work);
}

const std::vector<std::uint32_t>& SeriesColors() {
  // Blue, vermillion, black, bluish green, purple, reddish purple, navy, dark
  // goldenrod, maroon, teal, olive, indigo: every one at least 3:1 against
  // white, and the first ones apart in grey as well.
  static const std::vector<std::uint32_t> colors = {0x0072B2, 0xD55E00, 0x000000, 0x009E73, 0x800080, 0xCC79A7,
                                                    0x000080, 0xB8860B, 0x800000, 0x008080, 0x808000, 0x4B0082};
  return colors;
}

ChartModel CombinedModel(const DataSet& d, SeriesKind kind, MultiMode mode, bool view3D, std::uint32_t seed,
                         bool showDates) {
  ChartModel model;
  model.mode = kind == SeriesKind::Line ? MultiMode::None : mode;
  std::mt19937 random(seed);
  const std::vector<std::uint32_t>& colors = SeriesColors();
  for (int v = 0; v <= d.LastVar && v < d.NumVar; ++v) {
    ChartSeries s;
    s.kind = kind;
    s.title = d.VarNames[v];
    s.rgb = colors[static_cast<std::size_t>(v) % colors.size()];
    s.symbol = static_cast<PointSymbol>(std::uniform_int_distribution<int>(0, kPointSymbolCount - 1)(random));
    s.symbolsShown = kind == SeriesKind::Line && !view3D;
    const Array<double>& values = d.DataValues[v];
    const std::int32_t count = std::min<std::int32_t>(d.VarCounts[v], static_cast<std::int32_t>(values.size()));
    s.values = SeriesValues::Viewing(values.data(), static_cast<std::size_t>(std::max(0, count)));
    model.series.push_back(std::move(s));
  }
  if (showDates && AnyDate(d.Dates)) model.dates.assign(d.Dates.begin(), d.Dates.end());
  return model;
}

std::string TooManyBars(const DataSet& d) {
  std::int32_t most = 0;
  for (int v = 0; v <= d.LastVar && v < d.NumVar; ++v) most = std::max(most, d.VarCounts[v]);
  if (most <= kMaxBars) return {};
  return "Слишком много столбцов: " + std::to_string(most) + ". Столбчатый график показывает не более " +
         std::to_string(kMaxBars) + " наблюдений; выберите линейный график или график с областями.";
}

namespace {

// The text of the mean of the positive values of x[0..count) with 1 decimal,
// as their sum in order gives it ("NAN" for none). The values are summed
// four at a time side by side; that sum and the one in order each lie within
// n * u of the exact sum (u half a unit in the last place, n the values),
// so the mean in order lies between the means of that sum less and more
// twice as much (division rounds in order), and when both show the same
// text (rounding is in order too) it is the text. Else, near a half of the
// last decimal, the values are summed in order.
std::string MeanOfPositiveText(const double* x, std::int32_t count) {
  DoublePair sums[2] = {BothOf(0), BothOf(0)};
  PairMask counts[2] = {};  // each positive value adds its mask, -1
  const DoublePair zero = BothOf(0);
  std::int32_t j = 0;
  for (; j + 4 <= count; j += 4) {
    for (int k = 0; k < 2; ++k) {
      DoublePair v;
      std::memcpy(&v, x + j + 2 * k, sizeof v);
      const PairMask positive = v > zero;
      sums[k] += positive ? v : zero;
      counts[k] += positive;
    }
  }
  double sum = (sums[0][0] + sums[0][1]) + (sums[1][0] + sums[1][1]);
  long long n = -(counts[0][0] + counts[0][1] + counts[1][0] + counts[1][1]);
  for (; j < count; ++j) {
    if (x[j] > 0) {
      sum += x[j];
      ++n;
    }
  }
  if (n == 0) return "NAN";
  const double reach = 4 * static_cast<double>(count) * (std::numeric_limits<double>::epsilon() / 2) * sum;
  const double values = static_cast<double>(n);
  const std::string low = FixedText((sum - reach) / values, 0, 1);
  if (low == FixedText((sum + reach) / values, 0, 1)) return low;
  double inOrder = 0;
  for (j = 0; j < count; ++j)
    if (x[j] > 0) inOrder += x[j];
  return FixedText(inOrder / values, 0, 1);
}

}  // namespace

std::string MeansLine(const DataSet& d) {
  const int variables = std::min(d.LastVar + 1, d.NumVar);
  std::vector<std::string> means(static_cast<std::size_t>(std::max(variables, 0)));
  ForEachVariable(d, variables, [&](int v) {
    const Array<double>& values = d.DataValues[v];
    const std::int32_t count = std::min<std::int32_t>(d.VarCounts[v], static_cast<std::int32_t>(values.Count()));
    means[static_cast<std::size_t>(v)] = MeanOfPositiveText(values.data(), count);
  });
  std::string line = "Средние:";
  for (int v = 0; v < variables; ++v) line += "  " + d.VarNames[v] + "=" + means[static_cast<std::size_t>(v)];
  return line;
}

namespace {

// The first and last of n points the plot reaches between xFrom and xTo,
// with a neighbour beyond each end.
std::pair<long long, long long> PointsOnShow(long long n, double firstX, double xFrom, double xTo) {
  const long long first = std::clamp<long long>(static_cast<long long>(std::floor(xFrom - firstX)) - 1, 0, n - 1);
  const long long last = std::clamp<long long>(static_cast<long long>(std::ceil(xTo - firstX)) + 1, 0, n - 1);
  return {first, last};
}

// The points the plot shows of the n values at(0), at(1), ...
template <class At>
std::vector<ChartXY> VisiblePointsOf(long long n, const At& at, const BlockExtremes* blocks, double firstX,
                                     double xFrom, double xTo, int columns, ColumnKeeps keeps) {
  std::vector<ChartXY> points;
  if (n == 0 || !(xTo >= xFrom)) return points;
  const auto [first, last] = PointsOnShow(n, firstX, xFrom, xTo);
  const long long count = last - first + 1;
  columns = std::max(1, columns);
  if (ShowsEveryPoint(n, firstX, xFrom, xTo, columns)) {
    points.reserve(static_cast<std::size_t>(count));
    for (long long j = first; j <= last; ++j) points.push_back({firstX + j, at(j)});
    return points;
  }
  points.reserve(static_cast<std::size_t>(columns) * 2);
  for (int c = 0; c < columns; ++c) {
    const long long from = first + count * c / columns;
    const long long to = first + count * (c + 1) / columns;  // past the column
    long long lo = from, hi = from;
    double low = at(lo), high = at(hi);
    const auto take = [&](long long j) {
      const double v = at(j);
      if (v < low) lo = j, low = v;
      if (v > high) hi = j, high = v;
    };
    long long j = from + 1;
    // The whole blocks inside the column by their extremes: a block's first
    // smallest number is where the values one by one would have stopped.
    const long long firstBlock = (j + kExtremesBlock - 1) / kExtremesBlock, endBlock = to / kExtremesBlock;
    if (blocks && firstBlock < endBlock && endBlock <= static_cast<long long>(blocks->size())) {
      for (; j < firstBlock * kExtremesBlock; ++j) take(j);
      for (long long b = firstBlock; b < endBlock; ++b) {
        const BlockExtreme& block = (*blocks)[static_cast<std::size_t>(b)];
        if (block.lowest < low) lo = block.lowestAt, low = block.lowest;
        if (block.highest > high) hi = block.highestAt, high = block.highest;
      }
      j = endBlock * kExtremesBlock;
    }
    for (; j < to; ++j) take(j);
    if (keeps != ColumnKeeps::Extremes) {
      const long long only = keeps == ColumnKeeps::Highest ? hi : lo;
      points.push_back({firstX + only, at(only)});
      continue;
    }
    const long long a = std::min(lo, hi), b = std::max(lo, hi);
    points.push_back({firstX + a, at(a)});
    if (b != a) points.push_back({firstX + b, at(b)});
  }
  return points;
}

std::vector<ChartXY> PointsOf(const std::vector<double>& values, const BlockExtremes* blocks, double firstX,
                              double xFrom, double xTo, int columns, ColumnKeeps keeps) {
  return VisiblePointsOf(
      static_cast<long long>(values.size()), [&](long long j) { return values[static_cast<std::size_t>(j)]; },
      blocks, firstX, xFrom, xTo, columns, keeps);
}

}  // namespace

BlockExtremes BlockExtremesOf(const double* values, std::size_t size) {
  constexpr auto kBlock = static_cast<std::size_t>(kExtremesBlock);
  BlockExtremes blocks;
  const std::size_t count = size / kBlock;
  blocks.resize(count);
  // The first index holding a number equal to target (a NaN equals nothing), or -1.
  const auto firstEqual = [&](const double* x, double target) -> std::int32_t {
    for (std::size_t k = 0; k < kBlock; ++k)
      if (x[k] == target) return static_cast<std::int32_t>(k);
    return -1;
  };
  for (std::size_t b = 0; b < count; ++b) {
    const double* x = values + b * kBlock;
    // The smallest and largest numbers, pairs of values side by side; a NaN
    // never wins a comparison, so it is passed over.
    DoublePair lo = BothOf(HUGE_VAL), hi = BothOf(-HUGE_VAL);
    for (std::size_t k = 0; k < kBlock; k += 2) {
      DoublePair v;
      std::memcpy(&v, x + k, sizeof v);
      lo = v < lo ? v : lo;
      hi = v > hi ? v : hi;
    }
    // Of equal numbers (0 and -0 among them) the first, as reading them one by one would keep.
    const std::int32_t low = firstEqual(x, std::min(lo[0], lo[1]));
    const std::int32_t high = firstEqual(x, std::max(hi[0], hi[1]));
    const auto first = static_cast<std::int32_t>(b * kBlock);
    blocks[b] = {low < 0 ? std::nan("") : x[low], high < 0 ? std::nan("") : x[high], low < 0 ? -1 : first + low,
                 high < 0 ? -1 : first + high};
  }
  return blocks;
}

bool ShowsEveryPoint(std::size_t n, double firstX, double xFrom, double xTo, int columns) {
  if (n == 0) return true;
  const auto [first, last] = PointsOnShow(static_cast<long long>(n), firstX, xFrom, xTo);
  return last - first + 1 <= 2LL * std::max(1, columns);
}

std::vector<ChartXY> VisiblePoints(const std::vector<double>& values, double firstX, double xFrom, double xTo,
                                   int columns, ColumnKeeps keeps) {
  return PointsOf(values, nullptr, firstX, xFrom, xTo, columns, keeps);
}

std::vector<ChartXY> VisibleStackedPoints(const ChartSeries& s, const StackedSeries& st, bool tops, double xFrom,
                                          double xTo, int columns, ColumnKeeps keeps) {
  if (st.stacked) {
    return tops ? PointsOf(st.top, &st.topBlocks, s.firstX, xFrom, xTo, columns, keeps)
                : PointsOf(st.bottom, &st.bottomBlocks, s.firstX, xFrom, xTo, columns, keeps);
  }
  const auto n = static_cast<long long>(s.values.size());
  if (!tops) return VisiblePointsOf(n, [](long long) { return 0.0; }, nullptr, s.firstX, xFrom, xTo, columns, keeps);
  // 0 + value, as a stacked top would be: a -0 value shows as 0.
  return VisiblePointsOf(
      n, [&](long long j) { return st.Top(s, static_cast<std::size_t>(j)); }, &st.topBlocks, s.firstX, xFrom, xTo,
      columns, keeps);
}

std::vector<StackedSeries> Stacked(const ChartModel& model) {
  std::vector<StackedSeries> stacked(model.series.size());
  if (model.mode != MultiMode::Stacked && model.mode != MultiMode::Stacked100) return stacked;
  std::vector<double> sums;
  for (std::size_t i = 0; i < model.series.size(); ++i) {
    const ChartSeries& s = model.series[i];
    StackedSeries& out = stacked[i];
    out.stacked = true;
    out.bottom.assign(s.values.size(), 0.0);
    for (std::size_t j = 0; j < s.values.size() && j < sums.size(); ++j) out.bottom[j] = sums[j];
    out.top = out.bottom;
    for (std::size_t j = 0; j < s.values.size(); ++j) out.top[j] += s.values[j];
    if (sums.size() < out.top.size()) sums.resize(out.top.size(), 0.0);
    for (std::size_t j = 0; j < out.top.size(); ++j) sums[j] = out.top[j];
  }
  if (model.mode == MultiMode::Stacked100) {
    for (StackedSeries& out : stacked) {
      for (std::size_t j = 0; j < out.top.size(); ++j) {
        const double total = sums[j];
        out.bottom[j] = total != 0 ? out.bottom[j] * 100 / total : 0;
        out.top[j] = total != 0 ? out.top[j] * 100 / total : 0;
      }
    }
  }
  return stacked;
}

std::vector<StackedSeries> StackedWithBlocks(const ChartModel& model) {
  std::vector<StackedSeries> stacked = Stacked(model);
  AddBlockExtremes(model, stacked);
  return stacked;
}

void AddBlockExtremes(const ChartModel& model, std::vector<StackedSeries>& stacked) {
  ForEachSeries(model, [&](int i) {
    if (static_cast<std::size_t>(i) >= stacked.size()) return;
    StackedSeries& st = stacked[static_cast<std::size_t>(i)];
    const SeriesValues& values = model.series[static_cast<std::size_t>(i)].values;
    st.topBlocks = st.stacked ? BlockExtremesOf(st.top.data(), st.top.size()) : BlockExtremesOf(values.data(), values.size());
    if (st.stacked) st.bottomBlocks = BlockExtremesOf(st.bottom.data(), st.bottom.size());
  });
}

std::string UndrawableRange(const ChartModel& model, const std::vector<StackedSeries>& stacked) {
  const DoublePair above = BothOf(kLargestChartValue), below = BothOf(-kLargestChartValue);
  const auto beyondIn = [&](const double* values, std::size_t count) {
    return AnyValue(values, count, [&](DoublePair v) { return (v > above) | (v < below); });
  };
  const auto beyond = [&](const auto& values) { return beyondIn(values.data(), values.size()); };
  // The values of a series not stacked by the extremes of their blocks when
  // it has them (those after the last whole block one by one).
  const auto valuesBeyond = [&](std::size_t i) {
    const SeriesValues& values = model.series[i].values;
    const std::size_t whole = values.size() / kExtremesBlock;
    if (i >= stacked.size() || stacked[i].stacked || stacked[i].topBlocks.size() != whole) return beyond(values);
    return std::any_of(stacked[i].topBlocks.begin(), stacked[i].topBlocks.end(),
                       [](const BlockExtreme& b) {
                         return b.lowest < -kLargestChartValue || b.highest > kLargestChartValue;
                       }) ||
           beyondIn(values.data() + whole * kExtremesBlock, values.size() - whole * kExtremesBlock);
  };
  // What is wrong with each series, the series looked at on every core; the first one is told.
  enum Fault : char { kNone, kValues, kStacked };
  std::vector<Fault> faults(model.series.size(), kNone);
  ForEachSeries(model, [&](int k) {
    const auto i = static_cast<std::size_t>(k);
    if (valuesBeyond(i)) {
      faults[i] = kValues;
    } else if (i < stacked.size() && stacked[i].stacked && (beyond(stacked[i].bottom) || beyond(stacked[i].top))) {
      faults[i] = kStacked;
    }
  });
  for (std::size_t i = 0; i < model.series.size(); ++i) {
    const std::string series = "Диапазон значений нельзя нарисовать: значения ряда " + model.series[i].title;
    if (faults[i] == kValues) return series + " по модулю больше 1E300.";
    if (faults[i] == kStacked) return series + " в стеке по модулю больше 1E300.";
  }
  return {};
}

std::int32_t FirstDynamicsStep(std::int32_t joins) { return joins < 11 ? 1 : joins - 10; }

ChartModel ClusterDynamicsModel(const ClusterResult& result) {
  const Array<Clust>& history = result.ClustArray;
  const std::int32_t joins = static_cast<std::int32_t>(history.Count()) - 1;
  ChartModel model;
  model.mode = MultiMode::Side;
  ChartSeries distance, increase;
  distance.kind = increase.kind = SeriesKind::Bar;
  distance.title = "Расстояние";
  distance.rgb = kOlive;
  increase.title = "Прирост";
  increase.rgb = kSkyBlue;
  const std::int32_t first = FirstDynamicsStep(joins);
  distance.firstX = increase.firstX = first;
  for (std::int32_t s = first; s < joins; ++s) {
    distance.values.push_back(history[s].Clevel);
    increase.values.push_back(history[s].Clevel - history[s - 1].Clevel);
  }
  if (result.Found && result.ChosenStep >= first && result.ChosenStep < joins)
    distance.pointColors.push_back({result.ChosenStep - first, kMaroon});
  model.series = {std::move(distance), std::move(increase)};
  return model;
}

}  // namespace tavrel
