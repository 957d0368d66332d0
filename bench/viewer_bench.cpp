// Opening a 20 MB results file in the results viewer: reading, building the
// text and painting the first screen at the newest report.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_application.h"
#include "app/statistics/tfm_see_file.h"

namespace {

struct ResultsText {
  std::string path;
  qint64 newestReport = 0;
};

// Report-like lines of varied length, CR LF ended, the last report starting near the end.
const ResultsText& LargeResults() {
  static const ResultsText text = [] {
    ResultsText t;
    t.path = (std::filesystem::temp_directory_path() / ("tavrel-viewer-" + std::to_string(getpid()) + ".out")).string();
    QByteArray bytes;
    bytes.reserve(20'100'000);
    for (int i = 0; bytes.size() < 20'000'000; ++i) {
      if (i % 5000 == 0) t.newestReport = bytes.size();
      bytes += "Var" + QByteArray::number(i % 97) + "      " + QByteArray::number(i * 0.37, 'f', 2).rightJustified(10) +
               "   Среднее " + QByteArray::number(i % 13 * 1.5, 'f', 3).rightJustified(9) +
               QByteArray(i % 23, ' ') + "<0.05\r\n";
    }
    QFile file(QString::fromStdString(t.path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
    std::atexit([] { std::filesystem::remove(LargeResults().path); });
    return t;
  }();
  return text;
}

void BM_ViewerOpens20MB(benchmark::State& state) {
  BenchApplication();
  const ResultsText& results = LargeResults();
  const QString path = QString::fromStdString(results.path);
  for (auto _ : state) {
    tavrel::TfmSeeFile viewer;
    viewer.LoadFile(path, results.newestReport);
    benchmark::DoNotOptimize(viewer.grab());  // the first screen as the user sees it
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(results.path)));
}
BENCHMARK(BM_ViewerOpens20MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
