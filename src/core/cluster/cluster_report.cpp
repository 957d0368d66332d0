#include "core/cluster/cluster_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace tavrel {

std::vector<std::int32_t> ObjectsByCluster(const Array<std::int32_t>& clusters) {
  std::vector<std::int32_t> objects(clusters.size());
  std::iota(objects.begin(), objects.end(), 0);
  std::stable_sort(objects.begin(), objects.end(),
                   [&](std::int32_t a, std::int32_t b) { return clusters[a] < clusters[b]; });
  return objects;
}

void PrintDistanceMatrix(const DistanceMatrix& d) {
  ResultsFileWriter& out = ResultsFile();
  const std::int32_t last = d.Size() - 1;
  out.WriteLn();
  out.WriteLn("МАТРИЦА РАССТОЯНИЙ МЕЖДУ ОБЪЕКТАМИ");
  out.WriteLn(Rule(34));
  std::string line = "      ";
  for (std::int32_t k = 1; k <= last; ++k) line += IntText(k, 5) + " ";
  out.WriteLn(line);
  for (std::int32_t k = 1; k <= last; ++k) {
    line = IntText(k + 1, 5) + " ";
    for (std::int32_t l = 0; l <= last; ++l) line += l < k ? FixedText(d.At(k, l), 5, 2) + " " : "      ";
    out.WriteLn(line);
  }
}

JoinLimits LimitsFor(std::int32_t lastObject) {
  if (lastObject > 10) return {lastObject, 10, lastObject - 10};
  return {lastObject, lastObject - 1, 1};
}

namespace {

// Every cluster that has members, in increasing number: "N=" and its number,
// then its objects in order, 20 a line.
void PrintMembers(const Array<std::int32_t>& membership) {
  ResultsFileWriter& out = ResultsFile();
  const std::vector<std::int32_t> objects = ObjectsByCluster(membership);
  out.WriteLn("Кластер     Объекты");
  std::string line;
  int members = 0;
  for (std::size_t p = 0; p < objects.size(); ++p) {
    const std::int32_t g = membership[objects[p]];
    if (p == 0 || membership[objects[p - 1]] != g) {
      line = "N=" + IntText(g, 3) + ":      ";
      members = 0;
    }
    line += std::to_string(objects[p] + 1) + " ";
    if (++members % 20 == 0) {
      out.WriteLn(line);
      line = std::string(12, ' ');
    }
    if (p + 1 == objects.size() || membership[objects[p + 1]] != g) out.WriteLn(line);
  }
}

}  // namespace

void PrintJoin(std::int32_t s, std::int32_t ci, std::int32_t cj, const JoinLimits& limits,
               const Array<Clust>& history, const Array<std::int32_t>& membership) {
  ResultsFileWriter& out = ResultsFile();
  const std::int32_t last = limits.lastObject;
  if (s == 0) {
    out.WriteLn();
    out.WriteLn("Расстояние между объектами : " + Config().ObjectDistanceName);
    out.WriteLn("Расстояние между кластерами: " + Config().ClusterDistanceName);
  }
  if (s <= limits.reportFrom || s >= last) return;
  out.WriteLn();
  out.WriteLn(Rule(29));
  out.WriteLn("ШАГ " + std::to_string(s));
  out.WriteLn("Объединены : " + std::to_string(ci) + " и " + std::to_string(cj));
  out.WriteLn("Кластеров  : " + std::to_string(last - s));
  out.WriteLn("Расстояние : " + FixedText(history[s].Clevel, 0, 2));
  out.WriteLn("Прирост    : " + FixedText(history[s].Clevel - history[s - 1].Clevel, 0, 2));
  out.WriteLn();
  if (s < last - 1) PrintMembers(membership);
}

void PrintMostProbable(std::int32_t s, std::int32_t lastObject) {
  ResultsFileWriter& out = ResultsFile();
  out.WriteLn("Наиболее вероятная классификация на шаге " + std::to_string(s));
  out.WriteLn("при формировании " + std::to_string(lastObject - s) + " кластеров");
}

void PrintQualityGraph(const JoinLimits& limits, const Array<double>& increments, const Array<std::int32_t>& marks,
                       double largest) {
  ResultsFileWriter& out = ResultsFile();
  out.WriteLn();
  out.WriteLn();
  out.WriteLn("ГРАФИК КАЧЕСТВА КЛАССИФИКАЦИИ");
  out.WriteLn(Rule(29));
  out.WriteLn("  Шаг   Прирост");
  for (std::int32_t p = limits.lastObject - limits.detail; p <= limits.lastObject - 2; ++p) {
    std::string line = marks[p + 1] == 2 ? "! " : "  ";
    line += IntText(p + 1, 2) + "  " + FixedText(increments[p], 6, 3) + " ";
    // A bar needs a length: with no increase at all (or no finite one) the rows stay bare.
    const double length = increments[p] * 60 / largest;
    if (largest != 0 && std::isfinite(length)) {
      const std::int32_t stars = RoundInt(length);
      if (stars > 0) line += std::string(static_cast<std::size_t>(stars), '*');
    }
    out.WriteLn(line);
  }
}

}  // namespace tavrel
