// Loading a large .xlsx workbook: 100 variables by 100,000 observations (10 million cells),
// laid out as a spreadsheet program writes it (cell references, shared strings for the names).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/shell/program_session.h"
#include "core/data/data_input.h"
#include "core/data/session.h"
#include "core/data/sheet_table.h"
#include "core/shell/settings.h"
#include "xlsx_builder.h"

namespace {

constexpr int kColumns = 100;
constexpr int kRows = 100000;

const std::string& LargeWorkbook() {
  static const std::string path = [] {
    const std::string p =
        (std::filesystem::temp_directory_path() / ("tavrel-bench-" + std::to_string(getpid()) + ".xlsx")).string();
    std::string strings = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    std::string sheet = "<row r=\"1\" spans=\"1:100\">";
    for (int c = 1; c <= kColumns; ++c) {
      strings += "<si><t>Var" + std::to_string(c) + "</t></si>";
      sheet += tavrel::test::SharedCell(tavrel::CellReference(1, c), c - 1);
    }
    strings += "</sst>";
    sheet += "</row>";
    sheet.reserve(static_cast<std::size_t>(kRows) * kColumns * 40);
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> value(0, 99999);
    char buf[64];
    for (int r = 2; r <= kRows + 1; ++r) {
      sheet += "<row r=\"" + std::to_string(r) + "\" spans=\"1:100\">";
      for (int c = 1; c <= kColumns; ++c) {
        std::snprintf(buf, sizeof buf, "%.2f", value(rng) / 100.0);
        sheet += "<c r=\"" + tavrel::CellReference(r, c) + "\"><v>" + buf + "</v></c>";
      }
      sheet += "</row>";
    }
    const std::string dimension = "A1:" + tavrel::CellReference(kRows + 1, kColumns);
    tavrel::test::ZipEntries entries = tavrel::test::WorkbookEntries("-", strings);
    for (auto& [name, content] : entries)
      if (name == "xl/worksheets/sheet1.xml") content = tavrel::test::SheetXml(sheet, dimension);
    sheet = std::string();
    tavrel::test::WriteZip(p, entries);
    std::atexit([] { std::filesystem::remove(LargeWorkbook()); });
    return p;
  }();
  return path;
}

// The resident set: current and highest since the last reset, in megabytes.
double StatusMb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
  return 0;
}

void BM_LoadXlsxWorkbook(benchmark::State& state) {
  const std::string& path = LargeWorkbook();
  malloc_trim(0);  // give back what building the workbook took
  tavrel::Session& session = tavrel::ProgramSession();
  session.settings.IsZeroVarInput = false;
  tavrel::ClearDataSet(session.data);
  const double before = StatusMb("VmRSS:");
  std::ofstream("/proc/self/clear_refs") << "5";  // restart the high-water mark
  for (auto _ : state) {
    const tavrel::LoadOutcome out = tavrel::LoadDataFile(path, session);
    if (!out.loaded) state.SkipWithError((out.readerWarning + " " + out.warning).c_str());
    benchmark::DoNotOptimize(session.data.DataValues.data());
  }
  const double valuesMb = 8.0 * kColumns * kRows / (1024.0 * 1024.0);
  state.counters["cells_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kColumns * kRows, benchmark::Counter::kIsRate);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  state.counters["values_MB"] = valuesMb;
  state.counters["extra_MB"] = StatusMb("VmHWM:") - before - valuesMb;  // peak beyond the data set
}
BENCHMARK(BM_LoadXlsxWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
