#include "core/cluster/cluster_statistics.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/cluster/cluster_report.h"
#include "core/statistics/descriptive.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

namespace {

std::string PaddedName(const DataSet& data, int v) {
  std::string name = data.VarNames[v];
  PadName(name);
  return name;
}

// One line of a cluster's table: variable v over the objects.
std::string StatisticsLine(const DataSet& data, int v, const std::vector<std::int32_t>& objects) {
  const Array<double>& x = data.DataValues[v];
  const auto k = static_cast<long long>(objects.size());
  double sum = 0;
  for (const std::int32_t o : objects) sum += x[o];
  std::string line = "   " + PaddedName(data, v) + "     " + std::to_string(k) + "   ";
  if (k < 2) return line + FixedText(sum, 8, 3) + "      -----     -----";
  const double mean = sum / static_cast<double>(k);
  double squares = 0;
  for (const std::int32_t o : objects) squares += (x[o] - mean) * (x[o] - mean);
  const double sd = std::sqrt(squares / static_cast<double>(k - 1));
  const double m = sd / std::sqrt(static_cast<double>(k - 1));
  return line + FixedText(mean, 8, 3) + "  " + FixedText(sd, 9, 3) + "  " + FixedText(m, 8, 3);
}

}  // namespace

void PrintClusterStatistics(ResultsFileWriter& out, const DataSet& d, Array<std::int32_t> classes) {
  out.WriteLn();
  out.WriteLn();
  out.WriteLn("СТАТИСТИКА ");
  out.WriteLn("__________ ");
  for (long long first = 0; first < classes.Count(); ++first) {
    const std::int32_t c = classes[first];
    if (c <= 0) continue;
    std::vector<std::int32_t> objects;
    for (long long k = first; k < classes.Count(); ++k) {
      if (classes[k] != c) continue;
      objects.push_back(static_cast<std::int32_t>(k));
      classes[k] = 0;  // reported
    }
    out.WriteLn("КЛАСТЕР " + std::to_string(c));
    TitleElementary(out);
    for (int v = 0; v <= d.FullLastVar; ++v) out.WriteLn(StatisticsLine(d, v, objects));
    out.WriteLn();
  }
}

void PrintClusterData(ResultsFileWriter& out, const DataSet& d, const Array<std::int32_t>& classes) {
  out.WriteLn();
  out.WriteLn();
  out.WriteLn(" МАССИВЫ ИСХОДНЫХ ДАННЫХ ДЛЯ РАСЧЕТА ");
  out.WriteLn(" " + Rule(35) + " ");
  std::string header = "   N   ";
  for (int v = 0; v <= d.FullLastVar; ++v) header += PaddedName(d, v) + " ";
  // Clusters 1..n in turn, each with its objects in order.
  std::int32_t current = 0;
  for (const std::int32_t k : ObjectsByCluster(classes)) {
    const std::int32_t c = classes[k];
    if (c < 1 || c > classes.Count()) continue;
    out.WriteLn();
    if (c != current) {
      out.WriteLn("Кластер " + std::to_string(c));
      out.WriteLn(header);
      current = c;
    }
    std::string row = IntText(k + 1, 4) + "  ";
    for (int v = 0; v <= d.FullLastVar; ++v) row += FixedText(d.DataValues[v][k], 8, 3) + " ";
    out.Write(row);
  }
}

}  // namespace tavrel
