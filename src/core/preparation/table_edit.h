#pragma once
// The data table's edits of a data set: typed cells, observations and
// variables inserted, deleted or moved (each recomputes the axis steps with the
// settings given), and the summary rows it shows. Row operations move the rows
// of every variable, those outside a narrowed set too.
#include <cstdint>
#include <string>
#include <vector>

namespace tavrel {

struct DataSet;
struct Settings;

// The grid holds at most this many columns, the observation numbers included.
inline constexpr int kMaxTableColumns = 255;

// A value typed into the table: variable, observation and the text as typed.
struct CellEdit {
  int variable = 0;
  std::int32_t observation = 0;
  std::string text;
};

// The message for a cell whose text is not a number, empty when it is one.
std::string CellEditError(const DataSet& d, const CellEdit& edit);

// Writes the typed values into the data set, all or none: when some text is
// not a number, returns the message naming the first such cell and changes
// nothing. A value typed below a variable's count extends the count to it.
// With missingAbsent (after missing values were removed from single
// variables) the missing-value code at a variable's end is padding, not data:
// its count ends before it.
std::string ApplyCellEdits(DataSet& d, const Settings& s, const std::vector<CellEdit>& edits,
                           bool missingAbsent = false);

// Drops the variables outside a narrowed set for good.
void DropHiddenVariables(DataSet& d, const Settings& s);

// A new observation at position at (0..NumObs) with the value 0. False when
// at is outside that range.
bool InsertObservation(DataSet& d, const Settings& s, std::int32_t at);
// Removes observation at; false when it does not exist or is the only one.
bool DeleteObservation(DataSet& d, const Settings& s, std::int32_t at);
// Moves observation from to position to.
bool MoveObservation(DataSet& d, const Settings& s, std::int32_t from, std::int32_t to);

// A new variable in force at position at (0..NumVar), named "Var" and the new
// number of variables in force, all values 0. False when at is outside that
// range or the table already has kMaxTableColumns columns.
bool InsertVariable(DataSet& d, const Settings& s, int at);
// Removes variable at of those in force; false when it is the only one.
bool DeleteVariable(DataSet& d, const Settings& s, int at);
// Moves variable from to position to among those in force.
bool MoveVariable(DataSet& d, const Settings& s, int from, int to);

// What the table shows above a variable's values: its largest and smallest
// value (missing values skipped when it has any) and its count.
struct ColumnSummary {
  double max = 0;
  double min = 0;
  std::int32_t count = 0;
};
ColumnSummary SummariseVariable(const DataSet& d, int v);

// Which cleaning commands apply: missing values present, or else outliers.
struct TableState {
  bool missing = false;
  bool outliers = false;
};
// The state kept variable by variable, so that after values typed in one
// variable of a long table only that variable is looked at again.
class TableStateKeeper {
 public:
  // The state of d, looking only at the variables forgotten since they were
  // last looked at (all of them when the variables are not the same in number).
  TableState State(const DataSet& d);
  // The values of variable v, or of every variable, have changed.
  void Forget(int v);
  void ForgetAll();

 private:
  enum Known : signed char { kUnknown = -1, kNo = 0, kYes = 1 };
  std::vector<Known> missing_;
  std::vector<Known> outliers_;
};

}  // namespace tavrel
