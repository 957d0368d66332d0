// Loading text data files of 100 variables: a large one of 100,000
// observations in two styles and as CSV, and a small one of about a megabyte. Loading
// uses every core, so the rates are of elapsed time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "app/shell/program_session.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/shell/settings.h"

namespace {

enum class Style {
  kFixed,  // "%7.2f", as a measuring device writes them, CRLF line ends
  kMixed,  // negatives, exponents, long fractions, integers and missing values, LF line ends
  kCsv,    // the values of kFixed as a Russian spreadsheet exports them: ";" and decimal commas
};

// The file is written once per style and size and removed at exit.
const std::string& TextFile(Style style, int rows) {
  static std::map<std::pair<Style, int>, std::string> files;
  std::string& path = files[{style, rows}];
  if (!path.empty()) return path;
  path = (std::filesystem::temp_directory_path() / ("tavrel-bench-" + std::to_string(getpid()) + "-" +
                                                    std::to_string(static_cast<int>(style)) + "-" +
                                                    std::to_string(rows) + (style == Style::kCsv ? ".csv" : ".txt")))
             .string();
  if (files.size() == 1) std::atexit([] {
      for (const auto& [key, p] : files) std::filesystem::remove(p);
    });
  const char* eol = style == Style::kMixed ? "\n" : "\r\n";
  const char delimiter = style == Style::kCsv ? ';' : ' ';
  std::ofstream out(path, std::ios::binary);
  std::string line;
  for (int v = 0; v < 100; ++v) line += "Var" + std::to_string(v + 1) + delimiter;
  out << line << eol;
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> value(0, 99999);
  std::uniform_real_distribution<double> real(-1000, 1000);
  char buf[40];
  for (int i = 0; i < rows; ++i) {
    line.clear();
    for (int v = 0; v < 100; ++v) {
      if (style != Style::kMixed) {
        std::snprintf(buf, sizeof buf, "%7.2f%c", value(rng) / 100.0, delimiter);
        if (style == Style::kCsv) *std::strchr(buf, '.') = ',';
      } else {
        switch (value(rng) % 8) {
          case 0: std::snprintf(buf, sizeof buf, "%.15g\t", real(rng)); break;
          case 1: std::snprintf(buf, sizeof buf, "%.3e ", real(rng) / 1e4); break;
          case 2: std::snprintf(buf, sizeof buf, "%d ", value(rng) - 50000); break;
          case 3: std::snprintf(buf, sizeof buf, "-999 "); break;
          default: std::snprintf(buf, sizeof buf, "%.2f ", real(rng)); break;
        }
      }
      line += buf;
    }
    out << line << eol;
  }
  return path;
}

void LoadTextFile(benchmark::State& state, Style style, int rows) {
  const std::string& path = TextFile(style, rows);
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  tavrel::Session& session = tavrel::ProgramSession();
  session.settings.IsZeroVarInput = false;
  for (auto _ : state) {
    const tavrel::LoadOutcome out = tavrel::LoadDataFile(path, session);
    if (!out.loaded) state.SkipWithError(out.warning.c_str());
    benchmark::DoNotOptimize(session.data.DataValues.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["file_MB"] = bytes / 1e6;
  state.counters["values_MB"] = 100.0 * rows * sizeof(double) / 1e6;
  // Of the whole run: the load keeps the data set in force until the new one
  // has loaded, so this includes a second data set.
  state.counters["peak_RSS_MB"] = usage.ru_maxrss / 1e3;
}

void BM_LoadTextFile(benchmark::State& state) { LoadTextFile(state, Style::kFixed, 100000); }
BENCHMARK(BM_LoadTextFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_LoadMixedTextFile(benchmark::State& state) { LoadTextFile(state, Style::kMixed, 100000); }
BENCHMARK(BM_LoadMixedTextFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Within 1.5 times the time of BM_LoadTextFile, the same values.
void BM_LoadCsvFile(benchmark::State& state) { LoadTextFile(state, Style::kCsv, 100000); }
BENCHMARK(BM_LoadCsvFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_LoadSmallTextFile(benchmark::State& state) { LoadTextFile(state, Style::kFixed, 1250); }
BENCHMARK(BM_LoadSmallTextFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
