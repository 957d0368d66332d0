#include "core/cluster/cluster_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/base/numbers.h"

namespace tavrel {

std::vector<std::int32_t> ObjectsByCluster(const Array<std::int32_t>& clusters) {
  std::vector<std::int32_t> objects(clusters.size());
  std::iota(objects.begin(), objects.end(), 0);
  std::stable_sort(objects.begin(), objects.end(),
                   [&](std::int32_t a, std::int32_t b) { return clusters[a] < clusters[b]; });
  return objects;
}

void PrintDistanceMatrix(ResultsFileWriter& out, const DistanceMatrix& d) {
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

bool ListsMembers(std::int32_t s, const JoinLimits& limits) {
  return s > limits.reportFrom && s < limits.lastObject - 1;
}

namespace {

// Every cluster that has members, in increasing number: "N=" and its number,
// then its objects in order, 20 a line.
void PrintMembers(ResultsFileWriter& out, const Array<std::int32_t>& membership) {
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

// Join step s in detail, after limits.reportFrom and before the end.
void PrintJoin(ResultsFileWriter& out, std::int32_t s, const ClusterJoins& joins) {
  const std::int32_t last = joins.limits.lastObject;
  if (s <= joins.limits.reportFrom || s >= last) return;
  const Array<Clust>& history = joins.result.ClustArray;
  const JoinStep& step = joins.steps[s];
  out.WriteLn();
  out.WriteLn(Rule(29));
  out.WriteLn("ШАГ " + std::to_string(s));
  out.WriteLn("Объединены : " + std::to_string(step.ci) + " и " + std::to_string(step.cj));
  out.WriteLn("Кластеров  : " + std::to_string(last - s));
  out.WriteLn("Расстояние : " + FixedText(history[s].Clevel, 0, 2));
  out.WriteLn("Прирост    : " + FixedText(history[s].Clevel - history[s - 1].Clevel, 0, 2));
  out.WriteLn();
  if (ListsMembers(s, joins.limits)) PrintMembers(out, step.members);
}

// The two lines of a most probable classification at step s.
void PrintMostProbable(ResultsFileWriter& out, std::int32_t s, std::int32_t lastObject) {
  out.WriteLn("Наиболее вероятная классификация на шаге " + std::to_string(s));
  out.WriteLn("при формировании " + std::to_string(lastObject - s) + " кластеров");
}

void PrintQualityGraph(ResultsFileWriter& out, const ClusterJoins& joins) {
  const JoinLimits& limits = joins.limits;
  out.WriteLn();
  out.WriteLn();
  out.WriteLn("ГРАФИК КАЧЕСТВА КЛАССИФИКАЦИИ");
  out.WriteLn(Rule(29));
  out.WriteLn("  Шаг   Прирост");
  for (std::int32_t p = limits.lastObject - limits.detail; p <= limits.lastObject - 2; ++p) {
    std::string line = joins.marks[p + 1] == 2 ? "! " : "  ";
    line += IntText(p + 1, 2) + "  " + FixedText(joins.increments[p], 6, 3) + " ";
    // A bar needs a length: with no increase at all (or no finite one) the rows stay bare.
    const double length = joins.increments[p] * 60 / joins.largest;
    if (joins.largest != 0 && std::isfinite(length)) {
      const std::int32_t stars = RoundInt(length);
      if (stars > 0) line += std::string(static_cast<std::size_t>(stars), '*');
    }
    out.WriteLn(line);
  }
}

}  // namespace

void WriteJoins(ResultsFileWriter& out, const ClusterJoins& joins, const std::string& objectDistanceName,
                const std::string& clusterDistanceName) {
  const std::int32_t last = joins.limits.lastObject;
  out.WriteLn();
  out.WriteLn("Расстояние между объектами : " + objectDistanceName);
  out.WriteLn("Расстояние между кластерами: " + clusterDistanceName);
  for (std::int32_t s = 0; s < last; ++s) PrintJoin(out, s, joins);
  for (std::int32_t s = std::max(2, last - joins.limits.detail); s <= last - 1; ++s)
    if (joins.marks[s] == 2) PrintMostProbable(out, s, last);
  PrintQualityGraph(out, joins);
  out.WriteLn();
}

}  // namespace tavrel
