// The cluster report as the results file receives it, section by section,
// and the run's edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../statistics/report_fixture.h"
#include "app/shell/program_session.h"
#include "core/base/program_version.h"
#include "core/cluster/cluster_analysis.h"
#include "core/cluster/cluster_command.h"
#include "core/cluster/cluster_options.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {
namespace {

class ClusterReportTest : public test::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    cluster_ = ClusterOptionsFrom(Config());
    Data().EmptyValue = -999;
  }
  // The options as the parameter dialog stores them, captions included.
  void Choose(int distance, int method, int clusters) {
    ClusterOptions& o = cluster_;
    o.ObjectDistance = distance;
    o.ClusterDistance = method;
    o.ClusterNumber = clusters;
    Config().ObjectDistanceName = ObjectDistanceCaption(distance);
    Config().ClusterDistanceName = JoiningMethodCaption(method);
  }
  // The whole command after the output dialog; its outcome in outcome_.
  std::string Report() {
    return Written([this](ResultsFileWriter& out) {
      outcome_ = WriteClusterReport(out, Data(), cluster_, Config(), ProgramCaption(), {});
    });
  }
  ClusterOptions cluster_;
  ClusterOutcome outcome_;
};

// Three groups of days, a variable outside the selection, all sections on.
TEST_F(ClusterReportTest, FullReportOfThirteenObjects) {
  LoadText(
      "Пульс АД Вес\n"
      "60 120 70\n62 118 71\n61 121 69\n80 140 72\n82 138 73\n79 141 74\n100 160 75\n"
      "101 162 76\n99 158 77\n63 119 78\n81 139 79\n102 161 80\n60 125 81\n");
  Data().DataFileName = "data.txt";
  NarrowTo(Data(), {0, 1});
  Choose(kEuclidean, kWard, 3);
  cluster_.PrintDistances = cluster_.ClustCont = cluster_.AddClustNumber = true;
  const std::string text = Report();
  EXPECT_TRUE(outcome_.completed) << outcome_.message;
  test::ExpectGolden(text, "cluster/full_report.out");
  const ClusterResult& r = Data().Cluster;
  EXPECT_EQ(r.Classification, (Array<std::int32_t>{1, 1, 1, 2, 2, 2, 3, 3, 3, 1, 2, 3, 1}));
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.ChosenStep, 9);
  // The cluster-number variable stands behind the variables in force until the widening.
  const DataSet& d = Data();
  EXPECT_EQ(d.FullLastVar, 3);
  EXPECT_EQ(d.LastVar, 1);
  EXPECT_EQ(d.VarNames[3], "CL_1");
  EXPECT_EQ(d.VarCounts[3], 13);
  EXPECT_EQ(d.DataValues[3][6], 3.0);
  EXPECT_EQ(d.VarSteps[3], NiceStep(3));
  // The standardised values were a copy: the data set is as it was.
  EXPECT_EQ(d.DataValues[0][0], 60.0);
  EXPECT_EQ(d.DataValues[1][12], 125.0);
}

// 45 equal objects and two others: ties everywhere, the member list wrapped at 20.
TEST_F(ClusterReportTest, TiesAndALongMemberList) {
  std::vector<double> x(45, 5.0);
  x.push_back(20);
  x.push_back(50);
  SetVariables({{"X", x}});
  Choose(kHamming, kNearestNeighbour, 2);
  const std::string text = Report();
  EXPECT_TRUE(outcome_.completed) << outcome_.message;
  test::ExpectGolden(text, "cluster/ties_long_list.out");
  // Equal distances join the first pair of the row-by-row scan: 1 and 2, then 1 and 3, ...
  EXPECT_EQ(Data().Cluster.ClustArray[0].iclson, 2);
  EXPECT_EQ(Data().Cluster.ClustArray[0].icrson, 1);
  EXPECT_EQ(Data().Cluster.ClustArray[1].iclson, 48);
  EXPECT_EQ(Data().Cluster.ClustArray[1].icrson, 3);
}

TEST_F(ClusterReportTest, TwoObjectsMakeOneJoinAndNoChoice) {
  SetVariables({{"A", {1, 4}}, {"B", {2, 2}}});
  Choose(kHamming, kCentroid, 1);
  const std::string text = Report();
  EXPECT_TRUE(outcome_.completed);
  test::ExpectGolden(text, "cluster/two_objects.out");
  const ClusterResult& r = Data().Cluster;
  EXPECT_FALSE(r.Found);
  EXPECT_EQ(r.ChosenStep, 255);
  EXPECT_EQ(r.Classification, (Array<std::int32_t>{1, 1}));
  EXPECT_EQ(r.ClustArray[0].Clevel, 1.0);
}

// Identical objects: no join increases the distance, so no bar can be drawn;
// the report still ends with its statistics.
TEST_F(ClusterReportTest, NoIncreaseAtAllDrawsNoBars) {
  SetVariables({{"A", std::vector<double>(6, 3.0)}});
  Choose(kHamming, kFlexible, 2);
  const std::string text = Report();
  EXPECT_TRUE(outcome_.completed);
  test::ExpectGolden(text, "cluster/no_increase.out");
  EXPECT_EQ(Data().Cluster.ChosenStep, 4);
}

TEST_F(ClusterReportTest, ProgressAndStatusReachTheCaller) {
  SetVariables({{"A", {1, 2, 4, 8}}});
  Choose(kEuclidean, kGroupAverage, 2);
  std::vector<int> positions;
  std::vector<std::string> texts;
  ClusterFeedback feedback;
  feedback.progress = [&](int position, int maximum) {
    EXPECT_EQ(maximum, 5);  // 2N - 1
    positions.push_back(position);
  };
  feedback.status = [&](const std::string& text) { texts.push_back(text); };
  Written([&](ResultsFileWriter& out) {
    EXPECT_EQ(RunClusterAnalysis(Data(), cluster_, Config(), out, feedback).error, "");
  });
  // One step per matrix row (4) and per join (3), back to 0 at the end.
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
  EXPECT_EQ(texts, (std::vector<std::string>{"Расстояния между объектами...", "", "Расстояния между кластерами...", ""}));
}

// A flexible coefficient far out of its range drives the distances to
// infinities and undefined values: the bars that cannot be measured are left
// out and the report is finished.
TEST_F(ClusterReportTest, UnmeasurableIncreasesDrawNoBars) {
  SetVariables({{"A", {1, 2, 4, 8, 16, 32, 64, 100}}});
  Choose(kRangeCityBlock, kFlexible, 2);
  cluster_.Beta = 1e300;
  const std::string text = Report();
  EXPECT_TRUE(outcome_.completed);
  test::ExpectGolden(text, "cluster/unmeasurable_increases.out");
}

TEST_F(ClusterReportTest, ClassificationAtTheRequestedNumberOfClusters) {
  struct Case {
    int clusters;
    Array<std::int32_t> classes;
  };
  // Objects 2 and 3 join first, then 1 with 4: classes by the lowest object.
  const Case cases[] = {{1, {1, 1, 1, 1}}, {2, {1, 2, 2, 1}}, {3, {1, 2, 2, 3}}, {4, {0, 0, 0, 0}}, {9, {0, 0, 0, 0}}};
  for (const Case& c : cases) {
    SetVariables({{"A", {0, 10, 10.5, 3}}});
    Choose(kRangeCityBlock, kFurthestNeighbour, c.clusters);
    const std::string text = Report();
    ASSERT_TRUE(outcome_.completed);
    EXPECT_EQ(Data().Cluster.Classification, c.classes) << c.clusters;
    if (c.clusters == 4) test::ExpectGolden(text, "cluster/never_captured.out");
  }
}

TEST_F(ClusterReportTest, SonsOfAJoinOfTwoFormedClusters) {
  struct Case {
    std::vector<double> values;
    std::int32_t left, right;
  };
  // Clusters 5 and 6 formed of {1, 2} and {3, 4}: the one formed first is the
  // left son, whichever of them holds object 1; at equal distances the later (6).
  const Case cases[] = {{{0, 1, 10, 11}, 6, 5}, {{0, 1, 10, 12}, 5, 6}, {{0, 2, 10, 11}, 5, 6}};
  for (const Case& c : cases) {
    SetVariables({{"A", c.values}});
    Choose(kRangeCityBlock, kNearestNeighbour, 1);
    Report();
    const Array<Clust>& h = Data().Cluster.ClustArray;
    EXPECT_EQ(h[2].iclson, c.left) << c.values[1];
    EXPECT_EQ(h[2].icrson, c.right) << c.values[1];
    EXPECT_EQ(h[2].newclust, 7);
    EXPECT_EQ(h[3].Clevel, h[2].Clevel);
  }
}

TEST_F(ClusterReportTest, AConstantFeatureStopsTheMeasuresThatDivideByItsSpread) {
  struct Case {
    int distance;
    std::string message;
  };
  const Case cases[] = {{kEuclidean, "Ошибка нормирования: Const имеет @=0"},
                        {kRangeCityBlock, "Const: Расстояние нельзя рассчитать(max-min=0)"},
                        {kHamming, ""}};
  for (const Case& c : cases) {
    SetVariables({{"A", {1, 2, 3}}, {" Const", {4, 4, 4}}});
    Data().Cluster.ChosenStep = 77;  // a previous run's result
    Choose(c.distance, kGroupAverage, 2);
    const std::string text = Report();
    EXPECT_EQ(outcome_.completed, c.message.empty()) << c.distance;
    EXPECT_EQ(outcome_.message, c.message);
    if (c.message.empty()) continue;
    EXPECT_TRUE(outcome_.isError);
    EXPECT_EQ(Data().Cluster.ChosenStep, 77) << "a failed run keeps the previous result";
    EXPECT_EQ(Data().DataValues[0][0], 1.0);
    const std::string tail = "\r\n\r\n КЛАСТЕРНЫЙ АНАЛИЗ\r\n" + std::string(19, '_') + "\r\n\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  }
}

TEST_F(ClusterReportTest, MoreThan3001ObjectsAreRefusedBeforeTheResultsFileIsOpened) {
  std::vector<double> x;
  for (int k = 0; k < 3002; ++k) x.push_back(k % 7);
  SetVariables({{"A", x}});
  EXPECT_EQ(ClusterRefusal(Data()), "Массив данных >3000: 3002 значений");
  x.pop_back();
  SetVariables({{"A", x}});
  EXPECT_EQ(ClusterRefusal(Data()), "");
  Choose(kHamming, kNearestNeighbour, 3);
  Report();
  EXPECT_TRUE(outcome_.completed);
  EXPECT_EQ(Data().Cluster.ClustArray.Count(), 3001);
}

TEST_F(ClusterReportTest, RefusalsBeforeTheParameterDialog) {
  struct Case {
    std::vector<test::TestVariable> vars;
    std::string message;
  };
  const Case cases[] = {
      {{{"A", {1, 2, 3}}, {"B", {1, -999, 3}}}, "Пропуски не удалены. Переменные с пропусками: B."},
      {{{"A", {1, 2, 3}}, {"B", {1, 2}}}, kCountsDiffer},
      {{{"A", {1}}}, kTooFewObjects},
      {{{"A", {1, 2}}}, ""},
      {{{"A", {1, 2, 3}}, {"B", {1, 2, 3}}}, ""},
  };
  for (const Case& c : cases) {
    SetVariables(c.vars);
    EXPECT_EQ(ClusterRefusal(Data()), c.message);
    EXPECT_EQ(Data().HasMissing, c.message.starts_with("Пропуски не удалены."));
  }
  // Only the features count: a shorter variable outside the selection is no reason to refuse.
  SetVariables({{"A", {1, 2, 3}}, {"B", {1, 2}}});
  NarrowTo(Data(), {0});
  EXPECT_EQ(ClusterRefusal(Data()), "");
}

// Features shorter than the data set's rows: the objects are theirs, and the
// data set keeps its rows.
TEST_F(ClusterReportTest, FeaturesShorterThanTheDataSet) {
  SetVariables({{"A", {1, 2, 30}}, {"B", {5, 6, 7, 8}}});
  NarrowTo(Data(), {0});
  Choose(kHamming, kNearestNeighbour, 2);
  cluster_.AddClustNumber = true;
  const std::string text = Report();
  ASSERT_TRUE(outcome_.completed);
  const DataSet& d = Data();
  EXPECT_EQ(d.LastObs, 3);
  EXPECT_EQ(d.NumObs, 4);
  EXPECT_EQ(d.Cluster.ClustArray.Count(), 3);
  EXPECT_EQ(d.VarCounts[2], 3);
  EXPECT_EQ(d.DataValues[2], (Array<double>{1, 1, 2, 0}));
  EXPECT_NE(text.find("   B            2      5.500      0.707     0.707\r\n"), std::string::npos) << text;
}

// The joins as computed, before any text: per step the pair of clusters and
// the distance, then the increments the quality graph and the choice read.
TEST_F(ClusterReportTest, JoinsCarryThePairAndTheDistance) {
  const std::vector<double> x = {0, 1, 10, 11};
  DistanceMatrix d(4);
  for (std::int32_t k = 0; k < 4; ++k)
    for (std::int32_t l = 0; l < 4; ++l) d.Set(k, l, std::fabs(x[k] - x[l]));
  cluster_.ClusterDistance = kNearestNeighbour;
  cluster_.ClusterNumber = 2;
  int joins = 0;
  const ClusterJoins j = JoinClusters(std::move(d), cluster_, [&joins] { ++joins; });
  EXPECT_EQ(joins, 3);
  ASSERT_EQ(j.steps.Count(), 3);
  // 1 and 2 at 1 (the first of two equal distances), 3 and 4 at 1, then clusters 5 and 6 at 9.
  const std::pair<std::int32_t, std::int32_t> pairs[] = {{1, 2}, {3, 4}, {5, 6}};
  const double distances[] = {1, 1, 9, 9};
  for (std::int32_t s = 0; s < 3; ++s) {
    EXPECT_EQ(std::make_pair(j.steps[s].ci, j.steps[s].cj), pairs[s]) << s;
    EXPECT_EQ(j.result.ClustArray[s].newclust, 5 + s);
  }
  for (std::int32_t s = 0; s < 4; ++s) EXPECT_EQ(j.result.ClustArray[s].Clevel, distances[s]) << s;
  EXPECT_EQ(j.increments, (Array<double>{0, 8, 0}));
  EXPECT_EQ(j.largest, 8);
  EXPECT_EQ(j.result.Classification, (Array<std::int32_t>{1, 1, 2, 2}));
  EXPECT_FALSE(j.result.Found);  // the largest increase precedes the last join, outside the search
  EXPECT_EQ(j.limits.lastObject, 3);
}

}  // namespace
}  // namespace tavrel
