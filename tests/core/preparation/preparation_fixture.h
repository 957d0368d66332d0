#pragma once
// A small data set built from columns, for the preparation tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "test_support.h"

namespace tavrel::test {

inline constexpr double E = -999;  // the missing-value code of these tests

struct Column {
  std::vector<double> values;
  int count = -1;  // -1: every value counts
};

class PreparationTest : public EngineTest {
 protected:
  // The columns form the data set; the first inForce of them are in force
  // (all when -1), the rest are hidden by a kept selection.
  void Make(const std::vector<Column>& columns, int inForce = -1) {
    DataSet& d = Data();
    d.EmptyValue = static_cast<std::int32_t>(E);
    d.DataValues.clear();
    d.VarNames.clear();
    d.VarCounts.clear();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const Column& c = columns[i];
      d.DataValues.push_back(Array<double>(c.values.begin(), c.values.end()));
      d.VarNames.push_back(std::string(1, static_cast<char>('A' + i)));
      d.VarCounts.push_back(c.count < 0 ? static_cast<std::int32_t>(c.values.size()) : c.count);
    }
    d.FullLastVar = static_cast<int>(columns.size()) - 1;
    d.NumVar = inForce < 0 ? static_cast<int>(columns.size()) : inForce;
    d.LastVar = d.NumVar - 1;
    d.NumObs = static_cast<std::int32_t>(columns[0].values.size());
    d.LastObs = d.NumObs - 1;
    d.ProcessingNote.clear();
  }

  // The data set must hold exactly these columns: every value of each row
  // (NumObs of them) and each count.
  static void ExpectColumns(const std::vector<Column>& expected) {
    const DataSet& d = Data();
    ASSERT_EQ(d.FullLastVar + 1, static_cast<int>(expected.size()));
    ASSERT_EQ(d.DataValues.Count(), static_cast<long long>(expected.size()));
    for (std::size_t v = 0; v < expected.size(); ++v) {
      const Column& c = expected[v];
      const Array<double>& row = d.DataValues[static_cast<long long>(v)];
      EXPECT_EQ(std::vector<double>(row.begin(), row.end()), c.values) << "variable " << v;
      EXPECT_EQ(d.VarCounts[static_cast<long long>(v)],
                c.count < 0 ? static_cast<std::int32_t>(c.values.size()) : c.count)
          << "variable " << v;
    }
    EXPECT_EQ(d.NumObs, static_cast<std::int32_t>(expected[0].values.size()));
    EXPECT_EQ(d.LastObs, d.NumObs - 1);
  }
};

}  // namespace tavrel::test
