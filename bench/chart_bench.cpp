// The chart window with 10 series by 100,000 observations: opening a line and
// an area chart (the series built and the first picture of the window's size
// painted) and zooming in once; a bar chart of the most bars it takes; 100
// such series painted again; and the
// dendrogram of 3001 objects laid out and painted as the window shows it and
// as a whole for saving.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench_application.h"
#include "core/cluster/dendrogram_layout.h"
#include "core/graphs/chart_model.h"
#include "draw/graphs/dendrogram_painter.h"
#include "app/graphs/chart_scene_view.h"
#include "app/graphs/tfm_comb_graph.h"

namespace {

constexpr int kSeries = 10;
constexpr int kObservations = 100000;
constexpr int kObjects = 3001;

tavrel::ChartModel BigModel(tavrel::SeriesKind kind) {
  const int observations = kind == tavrel::SeriesKind::Bar ? tavrel::kMaxBars : kObservations;
  tavrel::ChartModel model;
  model.mode = tavrel::MultiMode::None;
  std::mt19937 rng(5);
  std::normal_distribution<double> noise(0, 4);
  for (int i = 0; i < kSeries; ++i) {
    tavrel::ChartSeries s;
    s.kind = kind;
    s.title = "Var" + std::to_string(i + 1);
    s.rgb = tavrel::SeriesColors()[static_cast<std::size_t>(i)];
    s.symbolsShown = kind == tavrel::SeriesKind::Line;
    std::vector<double> values(static_cast<std::size_t>(observations));
    for (int j = 0; j < observations; ++j) values[static_cast<std::size_t>(j)] = 80 + 10 * i + 10 * std::sin(j / 7.0) + noise(rng);
    s.values = std::move(values);
    model.series.push_back(std::move(s));
  }
  return model;
}

// The picture the window shows, painted once as the screen would be.
void PaintWindow(tavrel::TfmCombGraph& w) {
  QImage image(w.chartView->size(), QImage::Format_RGB32);
  QPainter p(&image);
  w.PaintChart(p, QRectF(QPointF(0, 0), QSizeF(image.size())));
  benchmark::DoNotOptimize(image.bits());
}

void BM_ChartOpen(benchmark::State& state) {
  BenchApplication();
  const auto kind = static_cast<tavrel::SeriesKind>(state.range(0));
  const tavrel::ChartModel model = BigModel(kind);
  for (auto _ : state) {
    tavrel::TfmCombGraph w(nullptr);
    w.SetModel(model);
    w.show();
    QApplication::processEvents();
    PaintWindow(w);
  }
}
BENCHMARK(BM_ChartOpen)
    ->ArgName("kind")
    ->Arg(static_cast<int>(tavrel::SeriesKind::Line))
    ->Arg(static_cast<int>(tavrel::SeriesKind::Bar))
    ->Arg(static_cast<int>(tavrel::SeriesKind::Area))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_ChartZoomIn(benchmark::State& state) {
  BenchApplication();
  const auto kind = static_cast<tavrel::SeriesKind>(state.range(0));
  tavrel::TfmCombGraph w(nullptr);
  w.SetModel(BigModel(kind));
  w.show();
  QApplication::processEvents();
  for (auto _ : state) {
    w.Zoom(1.05);
    QApplication::processEvents();
    PaintWindow(w);
    state.PauseTiming();
    w.UndoZoom();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ChartZoomIn)
    ->ArgName("kind")
    ->Arg(static_cast<int>(tavrel::SeriesKind::Line))
    ->Arg(static_cast<int>(tavrel::SeriesKind::Area))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A hundred long series over one another, as the chart of every variable of a
// large table shows them: the window's picture painted again (as when it is
// uncovered) from the scene laid out once.
void BM_ChartRepaintHundredSeries(benchmark::State& state) {
  BenchApplication();
  tavrel::ChartModel model;
  model.mode = tavrel::MultiMode::None;
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> reading(10, 100);
  const std::vector<std::uint32_t>& colors = tavrel::SeriesColors();
  for (int i = 0; i < 100; ++i) {
    tavrel::ChartSeries s;
    s.kind = tavrel::SeriesKind::Line;
    s.title = "Var" + std::to_string(i + 1);
    s.rgb = colors[static_cast<std::size_t>(i) % colors.size()];
    s.symbolsShown = true;
    std::vector<double> values(static_cast<std::size_t>(kObservations));
    for (double& v : values) v = reading(rng);
    s.values = std::move(values);
    model.series.push_back(std::move(s));
  }
  tavrel::TfmCombGraph w(nullptr);
  w.SetModel(model);
  w.show();
  QApplication::processEvents();
  QImage image(w.chartView->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    w.chartView->render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_ChartRepaintHundredSeries)->Unit(benchmark::kMillisecond)->Iterations(10);

// A join history as a cluster run leaves it: random pairs of the clusters
// still apart, at growing distances.
tavrel::Array<tavrel::Clust> RandomHistory(std::int32_t n) {
  std::mt19937 rng(7);
  std::vector<std::int32_t> apart;
  for (std::int32_t k = 1; k <= n; ++k) apart.push_back(k);
  tavrel::Array<tavrel::Clust> history(static_cast<std::size_t>(n));
  double level = 0;
  for (std::int32_t s = 0; s + 1 < n; ++s) {
    const auto take = [&] {
      const std::size_t at = std::uniform_int_distribution<std::size_t>(0, apart.size() - 1)(rng);
      const std::int32_t id = apart[at];
      apart[at] = apart.back();
      apart.pop_back();
      return id;
    };
    const std::int32_t left = take();
    const std::int32_t right = take();
    level += std::uniform_real_distribution<double>(0.01, 1.0)(rng);
    history[s] = {level, left, right, n + 1 + s};
    apart.push_back(n + 1 + s);
  }
  history[n - 1].Clevel = level;
  return history;
}

// Arg 0: the window's first screen; arg 1: the whole, widened picture.
void BM_DendrogramDraw(benchmark::State& state) {
  BenchApplication();
  const tavrel::Array<tavrel::Clust> history = RandomHistory(kObjects);
  const bool whole = state.range(0) != 0;
  for (auto _ : state) {
    const tavrel::DendrogramLayout layout =
        tavrel::LayDendrogram(history, tavrel::kDendrogramWidth, tavrel::kDendrogramHeight);
    const QRect shown(0, 0, whole ? layout.width : tavrel::kDendrogramWidth, layout.height);
    QImage image(shown.size(), QImage::Format_RGB32);
    QPainter p(&image);
    tavrel::DrawDendrogram(p, layout, shown);
    p.end();
    benchmark::DoNotOptimize(image.bits());
    state.counters["width"] = layout.width;
  }
}
BENCHMARK(BM_DendrogramDraw)->ArgName("whole")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
