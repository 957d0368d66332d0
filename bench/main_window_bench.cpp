// The main window from nothing to shown on the screen, as the program starts
// it (at most 300 ms with the start of the process; the libraries' loading,
// which comes before, is measured by starting the program under a display).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWindow>

#include "bench_application.h"
#include "app/shell/tfm_main.h"

namespace {

void BM_MainWindowShown(benchmark::State& state) {
  BenchApplication();
  for (auto _ : state) {
    auto* window = new tavrel::TfmMain;
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed()) QCoreApplication::processEvents();
    state.PauseTiming();
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
