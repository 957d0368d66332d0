#pragma once
// A data set made in the test, and the text a report routine writes for it.
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"
#include "test_support.h"

namespace tavrel::test {

struct TestVariable {
  std::string name;
  std::vector<double> values;
};

class ReportTest : public EngineTest {
 protected:
  // The options of the statistics command in the test.
  StatOptions options_;

  // Replaces the data set by these variables (counts may differ) and puts all of them in force.
  static void SetVariables(const std::vector<TestVariable>& vars) {
    DataSet& d = Data();
    std::size_t obs = 0;
    for (const TestVariable& v : vars) obs = std::max(obs, v.values.size());
    d.DataValues.clear();
    d.VarNames.clear();
    d.VarCounts.clear();
    for (const TestVariable& v : vars) {
      Array<double> row(v.values);
      row.resize(obs, 0.0);
      d.DataValues.push_back(row);
      d.VarNames.push_back(v.name);
      d.VarCounts.push_back(static_cast<std::int32_t>(v.values.size()));
    }
    d.NumVar = static_cast<int>(vars.size());
    d.LastVar = d.FullLastVar = d.NumVar - 1;
    d.NumObs = static_cast<std::int32_t>(obs);
    d.LastObs = d.NumObs - 1;
  }

  // What body writes to a fresh results file.
  std::string Written(const std::function<void(ResultsFileWriter& out)>& body) const {
    const std::string path = TempPath("report.out");
    ResultsFileWriter out;
    out.Open(path, false);
    body(out);
    out.Close();
    return ReadFile(path);
  }

  // What a table of the statistics command writes for the data set in force with options_.
  template <class Table>
  std::string TableText(Table table, const ProgressFn& progress = {}) {
    return Written([&](ResultsFileWriter& out) {
      if constexpr (std::is_invocable_v<Table, ResultsFileWriter&, DataSet&, const StatOptions&, const ProgressFn&>) {
        table(out, Data(), options_, progress);
      } else {
        table(out, Data(), progress);
      }
    });
  }
};

}  // namespace tavrel::test
