#include "core/preparation/missing_outliers.h"

#include <cmath>
#include <functional>
#include <random>

#include "app/shell/program_session.h"
#include "core/statistics/descriptive.h"
#include "preparation_fixture.h"

namespace tavrel {
namespace {

using test::Column;
using test::E;

// One outlier (100) among ten values, and ten values without any.
const std::vector<double> kSpike = {1, 1, 1, 1, 1, 1, 1, 1, 1, 100};
const std::vector<double> kRamp = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::vector<double> kRampTo9 = {1, 2, 3, 4, 5, 6, 7, 8, 9};

struct Case {
  const char* what;
  std::function<void(DataSet&)> routine;
  std::vector<Column> before;
  int inForce;
  std::vector<Column> after;
  const char* note;
};

class MissingOutliersTest : public test::PreparationTest {
 protected:
  void Run(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      Make(c.before, c.inForce);
      const int lastVar = Data().LastVar;
      c.routine(Data());
      ExpectColumns(c.after);
      EXPECT_EQ(Data().ProcessingNote, c.note);
      EXPECT_EQ(Data().LastVar, lastVar);  // the selection stays as it was
      for (int v = 0; v <= Data().FullLastVar; ++v) EXPECT_LE(Data().VarCounts[v], Data().NumObs);
    }
  }
};

TEST_F(MissingOutliersTest, MissingValueCommands) {
  Run({
      {"mean fills the gap", MissingToMean, {{{4, E, 6}}, {{1, 2, 3}}}, -1, {{{4, 5, 6}}, {{1, 2, 3}}},
       kNoteMissingToMean},
      {"a variable without any value stays missing", MissingToMean, {{{E, E, E}}, {{1, E, 3}}}, -1,
       {{{E, E, E}}, {{1, 2, 3}}}, kNoteMissingToMean},
      {"delete shortens the variable, the table keeps its rows", DeleteMissing, {{{4, E, 6}}, {{1, 2, 3}}}, -1,
       {{{4, 6, E}, 2}, {{1, 2, 3}}}, kNoteMissingDeleted},
      {"delete in both gives two rows", DeleteMissing, {{{1, E, 3}}, {{7, 8, E}}}, -1, {{{1, 3}}, {{7, 8}}},
       kNoteMissingDeleted},
      {"delete keeps the hidden variable's rows", DeleteMissing, {{{1, E, 3}}, {{7, 8, 9}}}, 1,
       {{{1, 3, E}, 2}, {{7, 8, 9}}}, kNoteMissingDeleted},
      {"row delete leaves the complete row", DeleteMissingRows, {{{1, E, 3}}, {{7, 8, E}}}, -1, {{{1}}, {{7}}},
       kNoteMissingRowsDeleted},
      {"row delete moves the hidden rows too", DeleteMissingRows, {{{1, E, 3}}, {{7, 8, 9}}}, 1,
       {{{1, 3}}, {{7, 9}}}, kNoteMissingRowsDeleted},
      {"every row dropped: one row of missing values", DeleteMissingRows, {{{E, 1}}, {{2, E}}}, -1,
       {{{E}}, {{E}}}, kNoteMissingRowsDeleted},
      {"unequal counts are cut to the shortest", DeleteMissingRows, {{{1, 2, 3, 4}}, {{5, 6, E, E}, 2}}, -1,
       {{{1, 2}}, {{5, 6}}}, kNoteMissingRowsDeleted},
      {"a shortened hidden variable keeps its count within the cut", DeleteMissingRows,
       {{{1, E, 3, 4}}, {{7, 8, 9, E}, 3}}, 1, {{{1, 3, 4}}, {{7, 9, E}, 2}}, kNoteMissingRowsDeleted},
  });
}

TEST_F(MissingOutliersTest, OutlierCommands) {
  Run({
      {"mean of the clean values replaces the outlier", OutliersToMean, {{kSpike}, {kRamp}}, -1,
       {{std::vector<double>(10, 1)}, {kRamp}}, kNoteOutliersToMean},
      {"delete shortens the variable", DeleteOutliers, {{kSpike}, {kRamp}}, -1,
       {{{1, 1, 1, 1, 1, 1, 1, 1, 1, E}, 9}, {kRamp}}, kNoteOutliersDeleted},
      {"row delete drops the row for all", DeleteOutlierRows, {{kSpike}, {kRamp}}, -1,
       {{std::vector<double>(9, 1)}, {kRampTo9}}, kNoteOutlierRowsDeleted},
      {"row delete moves the hidden rows too", DeleteOutlierRows, {{kSpike}, {kRamp}}, 1,
       {{std::vector<double>(9, 1)}, {kRampTo9}}, kNoteOutlierRowsDeleted},
      {"keep: outliers only, the rest padded", KeepOutliers, {{kSpike}, {kRamp}}, -1, {{{100}}, {{E}, 0}},
       kNoteOutliersKept},
      {"keep without any outlier: one row of missing values", KeepOutliers, {{kRamp}}, -1, {{{E}}},
       kNoteOutliersKept},
      {"keep leaves a hidden variable whole", KeepOutliers, {{kSpike}, {kRamp}}, 1,
       {{{100, E, E, E, E, E, E, E, E, E}, 1}, {kRamp}}, kNoteOutliersKept},
      {"keep rows", KeepOutlierRows, {{kSpike}, {kRamp}}, -1, {{{100}}, {{10}}}, kNoteOutlierRowsKept},
      {"keep rows without any outlier", KeepOutlierRows, {{kRamp}}, -1, {{{E}}}, kNoteOutlierRowsKept},
  });
}

TEST_F(MissingOutliersTest, HasOutliersLooksAtTheVariablesInForce) {
  struct Probe {
    std::vector<Column> columns;
    int inForce;
    bool expected;
  };
  const Probe probes[] = {
      {{{{1, 2}}}, -1, false},
      {{{kSpike}, {kRamp}}, -1, true},
      {{{kSpike}, {kRamp}}, 1, true},
      {{{kRamp}, {kSpike}}, 1, false},
      {{{{1, 1, 1, 1, 1, 1, 1, 1, 1, 100}, 9}}, -1, false},  // the outlier is beyond the count
  };
  for (const Probe& p : probes) {
    Make(p.columns, p.inForce);
    EXPECT_EQ(HasOutliers(Data()), p.expected);
  }
}

// The exact limits of a whole series, and whether a value lies outside them,
// the plain way.
struct ExactLook {
  double high = 0;
  bool outliers = false;
};

ExactLook LookExactly(const std::vector<double>& x) {
  const auto last = static_cast<std::int32_t>(x.size()) - 1;
  double mean = 0, sigma = 0, low = 0, high = 0;
  MeanSigma(Array<double>(x), last, E, mean, sigma);
  OutlierLimits(last, mean, sigma, E, low, high);
  bool outliers = false;
  for (const double v : x) outliers = outliers || v > high || v < low;
  return {high, outliers};
}

// A long series is first looked at with quick sums; the answer is still the
// one the exact limits give, for series of every kind and for those whose
// largest value lies right at the upper limit, or a hair either side of it.
TEST_F(MissingOutliersTest, TheQuickLookAtALongSeriesAnswersAsTheExactLimitsDo) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> uniform(40, 60);
  std::normal_distribution<double> normal(50, 10);
  const auto hundredths = [](double v) { return std::round(v * 100) / 100; };
  const std::function<double()> kinds[] = {
      [&] { return hundredths(uniform(rng)); },                     // no outlier
      [&] { return normal(rng); },                                  // a few
      [&] { return 1e9 + normal(rng) * 1e-3; },                     // large values, small spread
      [&] { return 7.5; },                                          // all equal
      [&] { return std::pow(10.0, normal(rng) / 10); },             // long-tailed
      [&] { return static_cast<double>(rng() % 3); },               // few distinct values
      // Deviations that rounding to 4 decimals makes larger or wipes out.
      [&] { return 50 + (rng() % 2 ? 0.00015 : -0.00015); },
      [&] { return 50 + (rng() % 2 ? 0.00004 : -0.00004); },
  };
  int outcomes[2] = {0, 0};
  for (const std::size_t n : {64, 65, 100, 1000, 20000}) {
    for (const auto& kind : kinds) {
      std::vector<double> x(n);
      for (double& v : x) v = kind();
      std::vector<std::vector<double>> series = {x};
      // The last value moved onto the upper limit it makes, and a hair either side.
      for (int round = 0; round < 30; ++round) x.back() = LookExactly(x).high;
      for (const double at : {x.back(), std::nextafter(x.back(), 1e300), std::nextafter(x.back(), -1e300),
                              x.back() + 0.0005, x.back() - 0.0005}) {
        series.push_back(x);
        series.back().back() = at;
      }
      for (const std::vector<double>& s : series) {
        Make({{s}});
        const bool exact = LookExactly(s).outliers;
        EXPECT_EQ(VariableHasOutliers(Data(), 0), exact) << n << " values, the last " << s.back();
        ++outcomes[exact];
      }
    }
  }
  EXPECT_GT(outcomes[0], 20);
  EXPECT_GT(outcomes[1], 20);
}

}  // namespace
}  // namespace tavrel
