#include "core/graphs/chart_model.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/graph_overlays.h"
#include "core/data/observation_dates.h"

namespace tavrel {

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
    s.values.assign(values.begin(), values.begin() + std::max(0, count));
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

std::string MeansLine(const DataSet& d) {
  std::string line = "Средние:";
  for (int v = 0; v <= d.LastVar && v < d.NumVar; ++v) {
    double sum = 0;
    std::int32_t n = 0;
    const Array<double>& values = d.DataValues[v];
    for (std::int32_t j = 0; j < d.VarCounts[v] && j < values.Count(); ++j) {
      if (values[j] > 0) {
        sum += values[j];
        ++n;
      }
    }
    line += "  " + d.VarNames[v] + "=" + (n == 0 ? std::string("NAN") : FixedText(sum / n, 0, 1));
  }
  return line;
}

std::vector<ChartXY> VisiblePoints(const std::vector<double>& values, double firstX, double xFrom, double xTo,
                                   int columns, ColumnKeeps keeps) {
  std::vector<ChartXY> points;
  const auto n = static_cast<long long>(values.size());
  if (n == 0 || !(xTo >= xFrom)) return points;
  const long long first = std::clamp<long long>(static_cast<long long>(std::floor(xFrom - firstX)) - 1, 0, n - 1);
  const long long last = std::clamp<long long>(static_cast<long long>(std::ceil(xTo - firstX)) + 1, 0, n - 1);
  const long long count = last - first + 1;
  columns = std::max(1, columns);
  if (count <= 2LL * columns) {
    points.reserve(static_cast<std::size_t>(count));
    for (long long j = first; j <= last; ++j) points.push_back({firstX + j, values[static_cast<std::size_t>(j)]});
    return points;
  }
  points.reserve(static_cast<std::size_t>(columns) * 2);
  for (int c = 0; c < columns; ++c) {
    const long long from = first + count * c / columns;
    const long long to = first + count * (c + 1) / columns;  // past the column
    long long lo = from, hi = from;
    for (long long j = from + 1; j < to; ++j) {
      const double v = values[static_cast<std::size_t>(j)];
      if (v < values[static_cast<std::size_t>(lo)]) lo = j;
      if (v > values[static_cast<std::size_t>(hi)]) hi = j;
    }
    if (keeps != ColumnKeeps::Extremes) {
      const long long only = keeps == ColumnKeeps::Highest ? hi : lo;
      points.push_back({firstX + only, values[static_cast<std::size_t>(only)]});
      continue;
    }
    const long long a = std::min(lo, hi), b = std::max(lo, hi);
    points.push_back({firstX + a, values[static_cast<std::size_t>(a)]});
    if (b != a) points.push_back({firstX + b, values[static_cast<std::size_t>(b)]});
  }
  return points;
}

std::vector<StackedSeries> Stacked(const ChartModel& model) {
  std::vector<StackedSeries> stacked;
  const bool stack = model.mode == MultiMode::Stacked || model.mode == MultiMode::Stacked100;
  std::vector<double> sums;
  for (const ChartSeries& s : model.series) {
    StackedSeries out;
    out.bottom.assign(s.values.size(), 0.0);
    if (stack) {
      for (std::size_t j = 0; j < s.values.size() && j < sums.size(); ++j) out.bottom[j] = sums[j];
    }
    out.top = out.bottom;
    for (std::size_t j = 0; j < s.values.size(); ++j) out.top[j] += s.values[j];
    if (stack) {
      if (sums.size() < out.top.size()) sums.resize(out.top.size(), 0.0);
      for (std::size_t j = 0; j < out.top.size(); ++j) sums[j] = out.top[j];
    }
    stacked.push_back(std::move(out));
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

std::string UndrawableRange(const ChartModel& model, const std::vector<StackedSeries>& stacked) {
  const auto beyond = [](const std::vector<double>& values) {
    return std::any_of(values.begin(), values.end(), [](double v) { return std::fabs(v) > kLargestChartValue; });
  };
  for (std::size_t i = 0; i < model.series.size(); ++i) {
    const std::string series = "Диапазон значений нельзя нарисовать: значения ряда " + model.series[i].title;
    if (beyond(model.series[i].values)) return series + " по модулю больше 1E300.";
    if (i < stacked.size() && (beyond(stacked[i].bottom) || beyond(stacked[i].top)))
      return series + " в стеке по модулю больше 1E300.";
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
