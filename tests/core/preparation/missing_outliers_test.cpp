#include "core/preparation/missing_outliers.h"

#include <cmath>
#include <functional>

#include "app/shell/program_session.h"
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

}  // namespace
}  // namespace tavrel
