// The combined chart's 3-D view of 10 variables by 100,000 observations: the
// scene laid out and painted at the chart window's size, whole and zoomed in,
// seen straight and tilted.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <vector>

#include "bench_application.h"
#include "core/graphs/chart_scene.h"
#include "draw/graphs/chart_scene_painter.h"

namespace {

constexpr int kVariables = 10;
constexpr int kObservations = 100000;

const tavrel::ChartModel& Model(tavrel::SeriesKind kind) {
  static tavrel::ChartModel models[3];
  tavrel::ChartModel& m = models[static_cast<int>(kind)];
  if (m.series.empty()) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 4);
    m.mode = kind == tavrel::SeriesKind::Area ? tavrel::MultiMode::Stacked : tavrel::MultiMode::None;
    for (int v = 0; v < kVariables; ++v) {
      tavrel::ChartSeries s;
      s.kind = kind;
      s.title = "Var" + std::to_string(v + 1);
      s.rgb = tavrel::SeriesColors()[static_cast<std::size_t>(v)];
      std::vector<double> values(kObservations);
      for (int j = 0; j < kObservations; ++j) values[static_cast<std::size_t>(j)] = 80 + 10 * std::sin(j / 700.0 + v) + noise(rng);
      s.values = std::move(values);
      m.series.push_back(std::move(s));
    }
  }
  return m;
}

// range(0): 0 line, 2 area; range(1): 1 tilted; range(2): zoom steps of 105 %.
void BM_Chart3DPaint(benchmark::State& state) {
  BenchApplication();
  const auto kind = static_cast<tavrel::SeriesKind>(state.range(0));
  const tavrel::ChartModel& model = Model(kind);
  const std::vector<tavrel::StackedSeries> stacked = tavrel::Stacked(model);
  tavrel::ChartView view;
  view.view3D = true;
  view.orthogonal = state.range(1) == 0;
  tavrel::ChartRange range = tavrel::FullChartRange(model, stacked, true);
  for (int k = 0; k < state.range(2); ++k) range = tavrel::ZoomedRange(range, 1.05);
  QImage image(900, 570, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    tavrel::DrawChart(p, QRectF(image.rect()), QSizeF(image.size()), model, stacked, range, view, false, {});
  }
}
BENCHMARK(BM_Chart3DPaint)
    ->Args({0, 0, 0})
    ->Args({0, 1, 0})
    ->Args({0, 0, 10})
    ->Args({2, 0, 0})
    ->Args({2, 1, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
