// The sequential graph of 100 variables by 100,000 and by 1,000,000
// observations: the layout pass, one screen painted at the start, middle and
// end of the graph, and the memory the layout holds beyond the data set.
// Targets for the million: layout 300 ms, one screen 30 ms.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <string>

#include "app/shell/program_session.h"
#include "bench_application.h"
#include "bench_table.h"
#include "core/data/session.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/level_lines.h"
#include "core/graphs/sequential_layout.h"
#include "core/shell/settings.h"
#include "draw/graphs/sequential_painter.h"

namespace {

constexpr int kVariables = 100;

// The program's session (the load benchmarks replace its data set, as a load
// in the program does) and the graph options of the run.
tavrel::Session& BenchSession() { return tavrel::ProgramSession(); }
tavrel::GraphOptions& Options() {
  static tavrel::GraphOptions options;
  return options;
}
tavrel::SequentialSource Source() {
  tavrel::Session& session = BenchSession();
  return {session.data, session.settings, Options(), session.overlays};
}

void FillDataSet(int observations) {
  static int filled = 0;
  if (filled == observations) return;
  filled = observations;
  tavrel::ResetDataSet();
  tavrel::DataSet& d = BenchSession().data;
  std::mt19937 rng(5);
  std::normal_distribution<double> noise(0, 4);
  d = tavrel::bench::MakeTable(kVariables, observations, [&](int v, std::int32_t j) {
    const double x = std::round((80 + 10 * std::sin(j / 7.0) + noise(rng)) * 10) / 10;
    return j >= v && (j - v) % 997 == 0 ? tavrel::bench::kBenchEmptyValue : x;  // a few missing days
  });
  tavrel::Settings& s = BenchSession().settings;
  s.StepX = 6;
  s.StepY = 30;
  s.GraphFontName = "DejaVu Sans";
  s.GraphFontSize = 9;
  s.GraphPenWidth = 1;
  tavrel::ComputeVarSteps(d, s);
  tavrel::GraphOverlays& overlays = BenchSession().overlays;
  tavrel::SetDefaultLevels(d, overlays);
  overlays.ShowXMarks = true;
  overlays.XMarks.assign(observations, false);
  for (int j = 0; j < observations; j += 100) overlays.XMarks[static_cast<std::size_t>(j)] = true;
}

tavrel::SequentialDevice Device() {
  tavrel::SequentialDevice device;
  device.left = 70;
  device.stepX = BenchSession().settings.StepX;
  device.stepY = BenchSession().settings.StepY;
  return device;
}

// What the layout holds beyond the data set, in bytes.
long long LayoutBytes(const tavrel::SequentialLayout& layout) {
  long long bytes = static_cast<long long>(sizeof layout + layout.bands.capacity() * sizeof(tavrel::SequentialBand) +
                                           layout.marks.capacity() * sizeof(std::int32_t));
  for (const tavrel::SequentialBand& b : layout.bands) {
    bytes += static_cast<long long>(b.ticks.values.capacity() * sizeof(double) +
                                    b.levels.capacity() * sizeof(tavrel::LevelRow));
  }
  return bytes;
}

void BM_SequentialLayout(benchmark::State& state) {
  BenchApplication();  // fonts and painting need it
  FillDataSet(static_cast<int>(state.range(1)));
  Options().Smooth3 = state.range(0) != 0;
  long long bytes = 0;
  for (auto _ : state) {
    const tavrel::SequentialLayout layout = tavrel::ComputeSequentialLayout(Source(), Device());
    bytes = LayoutBytes(layout);
    benchmark::DoNotOptimize(layout.height);
  }
  state.counters["layout_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
  state.SetLabel(state.range(0) ? "smoothed by 3" : "as loaded");
  Options().Smooth3 = false;
}
// range(0): smoothed by 3; range(1): observations.
BENCHMARK(BM_SequentialLayout)
    ->Args({0, 100000})
    ->Args({1, 100000})
    ->Args({0, 1000000})
    ->Args({1, 1000000})
    ->Unit(benchmark::kMillisecond);

// One 1280 x 1024 screen of the graph, scrolled to a fraction (per mille,
// range(0)) of its extents; range(1): observations; range(2): smoothed by 3.
void BM_SequentialPaintScreen(benchmark::State& state) {
  BenchApplication();  // fonts and painting need it
  FillDataSet(static_cast<int>(state.range(1)));
  Options().Smooth3 = state.range(2) != 0;
  const tavrel::SequentialLook look = tavrel::ScreenLook(BenchSession().settings);
  const tavrel::SequentialLayout layout = tavrel::ComputeSequentialLayout(Source(), Device());
  QImage image(1280, 1024, QImage::Format_RGB32);
  const QPoint offset(static_cast<int>((layout.width - 1280) * state.range(0) / 1000),
                      static_cast<int>((layout.height - 1024) * state.range(0) / 1000));
  const QRect exposed(offset, image.size());
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-offset);
    tavrel::DrawGraph(p, layout, look, exposed);
  }
  if (state.range(2)) state.SetLabel("smoothed by 3");
  Options().Smooth3 = false;
}
BENCHMARK(BM_SequentialPaintScreen)
    ->Args({0, 100000, 0})
    ->Args({500, 100000, 0})
    ->Args({1000, 100000, 0})
    ->Args({0, 1000000, 0})
    ->Args({500, 1000000, 0})
    ->Args({1000, 1000000, 0})
    ->Args({500, 1000000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
