#include "core/cluster/cluster_analysis.h"

#include <algorithm>
#include <utility>

#include "core/cluster/agglomeration.h"
#include "core/cluster/cluster_statistics.h"
#include "core/statistics/report_titles.h"

namespace tavrel {

void RenumberClassification(Array<std::int32_t>& classes, std::int32_t clusters) {
  for (std::int32_t c = 1; c <= clusters; ++c) {
    const auto first = std::find_if(classes.begin(), classes.end(), [](std::int32_t k) { return k > 0; });
    if (first == classes.end()) break;
    const std::int32_t old = *first;
    for (std::int32_t& k : classes)
      if (k == old) k = -c;
  }
  for (std::int32_t& k : classes) k = k < 0 ? -k : k;
}

namespace {

// The sons of a join: of two formed clusters the one formed at the smaller
// distance is the left son (cj on equal distances); otherwise the larger number.
void RecordSons(Clust& join, std::int32_t ci, std::int32_t cj, std::int32_t n, const Array<Clust>& history) {
  if (ci > n && cj > n) {
    const bool ciFirst = history[ci - n - 1].Clevel < history[cj - n - 1].Clevel;
    join.iclson = ciFirst ? ci : cj;
    join.icrson = ciFirst ? cj : ci;
  } else {
    join.iclson = std::max(ci, cj);
    join.icrson = std::min(ci, cj);
  }
}

}  // namespace

ClusterJoins JoinClusters(DistanceMatrix d, const ClusterOptions& options, const std::function<void()>& joinDone) {
  const std::int32_t last = d.Size() - 1;  // N
  const std::int32_t n = last + 1;
  ClusterJoins out;
  out.limits = LimitsFor(last);
  ClusterResult& result = out.result;
  result.ClustArray.resize(static_cast<std::size_t>(n));
  result.Classification.assign(static_cast<std::size_t>(n), 0);
  out.steps.resize(static_cast<std::size_t>(last));
  Array<std::int32_t>& marks = out.marks;
  marks.assign(static_cast<std::size_t>(last), 0);
  Agglomeration joins(std::move(d), options.ClusterDistance, options.Beta);
  for (std::int32_t s = 0; s < last; ++s) {
    joinDone();
    const ClosestPair pair = joins.FindClosest();
    const std::int32_t ci = joins.Membership()[pair.i];
    const std::int32_t cj = joins.Membership()[pair.j];
    Clust& join = result.ClustArray[s];
    join.Clevel = pair.d;
    join.newclust = n + 1 + s;
    RecordSons(join, ci, cj, n, result.ClustArray);
    const bool single = joins.SizeOf(ci) == 1 || joins.SizeOf(cj) == 1;
    joins.Join(pair.i, pair.j, join.newclust);
    if (single && s > 1) marks[s - 1] = 1;
    if (s == last - options.ClusterNumber) {
      result.Classification = joins.Membership();
      RenumberClassification(result.Classification, options.ClusterNumber);
    }
    JoinStep& step = out.steps[s];
    step.ci = ci;
    step.cj = cj;
    if (ListsMembers(s, out.limits)) step.members = joins.Membership();
  }

  result.ClustArray[last].Clevel = result.ClustArray[last - 1].Clevel;
  Array<double>& increments = out.increments;
  increments.resize(static_cast<std::size_t>(last));
  for (std::int32_t s = 0; s < last; ++s)
    increments[s] = result.ClustArray[s + 1].Clevel - result.ClustArray[s].Clevel;
  double largest = increments[0];
  for (std::int32_t s = 1; s < last; ++s)
    if (increments[s] > largest) largest = increments[s];
  out.largest = largest;

  // The most probable classification: the last before the largest increase,
  // not counting one followed by the absorption of a single object.
  for (std::int32_t s = std::max(2, last - out.limits.detail); s <= last - 1; ++s) {
    if (marks[s] == 1 || increments[s] != largest) continue;
    result.Found = true;
    result.ChosenStep = s;
    marks[s] = 2;
  }
  return out;
}

ClusterRun RunClusterAnalysis(const DataSet& data, const ClusterOptions& options, const Settings& settings,
                              ResultsFileWriter& out, const ClusterFeedback& feedback) {
  const auto status = [&](const std::string& text) {
    if (feedback.status) feedback.status(text);
  };
  TitleCluster(out);
  // The objects are the observations the features hold. The data set's own
  // row count stays as it is: a variable outside the selection may hold more.
  const std::int32_t last = data.VarCounts[0] - 1;  // N
  const int maximum = 2 * last - 1;
  int position = 0;
  const auto step = [&] {
    Report(feedback.progress, ++position, maximum);
  };
  Report(feedback.progress, 0, maximum);

  status("Расстояния между объектами...");
  DistanceMatrix d;
  ClusterRun run;
  run.error = BuildDistanceMatrix(SelectedFeatures(data, last), options.ObjectDistance, d, step);
  if (!run.error.empty()) {
    out.WriteLn();
    status("");
    Report(feedback.progress, 0, maximum);
    return run;
  }
  if (options.PrintDistances) PrintDistanceMatrix(out, d);
  status("");

  status("Расстояния между кластерами...");
  ClusterJoins joins = JoinClusters(std::move(d), options, step);
  WriteJoins(out, joins, settings.ObjectDistanceName, settings.ClusterDistanceName);
  status("");
  Report(feedback.progress, 0, maximum);
  run.result = std::move(joins.result);
  run.result.AddedClusterVars = data.Cluster.AddedClusterVars;
  PrintClusterStatistics(out, data, run.result.Classification);
  if (options.ClustCont) PrintClusterData(out, data, run.result.Classification);
  return run;
}

}  // namespace tavrel
