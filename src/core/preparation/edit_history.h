#pragma once
// The data table's history of changes, for undo and redo. A step keeps only
// what its command changed (some cells, one observation, one variable, the
// values of some variables, or the whole table where a command changed most of
// it) and the small state around the values: names, counts, the variables in
// force, the observation count and the processing note. Undoing a step swaps
// what it keeps with the data set, so the same step then redoes it.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/base/checked_array.h"

namespace tavrel {

struct DataSet;

// A place in the table: variable and observation.
struct CellPlace {
  int variable = 0;
  std::int32_t observation = 0;
};

// What a command is about to change, taken from the data set before it runs.
class Change {
 public:
  static Change Cells(const DataSet& d, const std::vector<CellPlace>& places);
  static Change ObservationInserted(const DataSet& d, std::int32_t at);
  static Change ObservationRemoved(const DataSet& d, std::int32_t at);
  static Change ObservationMoved(const DataSet& d, std::int32_t from, std::int32_t to);
  static Change VariableInserted(const DataSet& d, int at);
  static Change VariableRemoved(const DataSet& d, int at);
  static Change VariableMoved(const DataSet& d, int from, int to);
  // Any change at all: the whole table is held until the command has run;
  // then only the variables it changed are kept, or the whole table when the
  // command changed most of it or its shape.
  static Change Any(const DataSet& d);

  // After the command: false when it changed nothing.
  bool Finish(const DataSet& after);
  // Swaps what the change holds with the data set: once undoes, again redoes.
  void Swap(DataSet& d);
  // Puts d back as it was when the change was taken.
  void Revert(DataSet& d);
  // Memory the change holds, in bytes.
  std::size_t Bytes() const;

  // The state around the values.
  struct Frame {
    Array<std::string> names;
    Array<std::int32_t> counts;
    Array<double> steps;
    int numVar = 0, lastVar = 0, fullLastVar = 0;
    std::int32_t numObs = 0, lastObs = -1;
    std::string note;
    bool operator==(const Frame&) const = default;
  };

 private:
  struct CellValue {
    CellPlace place;
    double value = 0;
  };
  struct CellValues {
    std::vector<CellValue> cells;
  };
  // An observation of every variable; held while it is out of the data set.
  struct Observation {
    std::int32_t at = 0;
    std::vector<double> values;
    bool held = false;
  };
  struct Variable {
    int at = 0;
    Array<double> values;
    bool held = false;
  };
  struct Move {
    bool observation = false;
    int from = 0, to = 0;
  };
  struct Columns {
    std::vector<std::pair<int, Array<double>>> columns;
  };
  struct Whole {
    Array<Array<double>> values;
    bool pending = false;  // taken by Any, not yet reduced by Finish
  };

  explicit Change(const DataSet& d);

  Frame frame_;
  std::variant<CellValues, Observation, Variable, Move, Columns, Whole> body_;
};

inline constexpr std::size_t kHistorySteps = 100;
inline constexpr std::size_t kHistoryMemory = std::size_t{512} << 20;

class EditHistory {
 public:
  explicit EditHistory(std::size_t memoryLimit = kHistoryMemory, std::size_t maxSteps = kHistorySteps);

  // A finished command: the change taken before it, the data set after it,
  // its caption, and whether missing-value codes at variables' ends were
  // padding before it (the table's flag, restored with the step). A command
  // that changed nothing adds no step. The steps undone are forgotten; the
  // oldest steps go when there are too many or they hold too much memory.
  void Add(Change&& change, const DataSet& after, std::string caption, bool paddedBefore);

  // Undoes or redoes the newest step on d and swaps padded with the step's.
  // False (and the history emptied) when d is no longer the data set the
  // history left: it was changed or replaced elsewhere.
  bool Undo(DataSet& d, bool& padded);
  bool Redo(DataSet& d, bool& padded);

  // Empties the history unless d is the data set it left.
  void Check(const DataSet& d);
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  const std::string& UndoCaption() const;
  const std::string& RedoCaption() const;
  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  struct Step {
    Change change;
    std::string caption;
    bool padded = false;
  };
  bool Move(std::deque<Step>& from, std::deque<Step>& to, DataSet& d, bool& padded);
  void Remember(const DataSet& d);
  static std::size_t StepBytes(const Step& s) { return s.change.Bytes() + s.caption.size() + sizeof(Step); }

  std::size_t memoryLimit_;
  std::size_t maxSteps_;
  std::deque<Step> undo_, redo_;
  std::size_t bytes_ = 0;
  // What the data set looked like when the history last touched it.
  Change::Frame left_;
  std::vector<std::size_t> leftShape_;
};

}  // namespace tavrel
