#include "core/preparation/edit_history.h"

#include <algorithm>

#include "core/data/dataset.h"

namespace tavrel {

namespace {

template <class T>
void MoveEntry(std::vector<T>& a, long long from, long long to) {
  T moved = std::move(a[static_cast<std::size_t>(from)]);
  a.erase(a.begin() + from);
  a.insert(a.begin() + to, std::move(moved));
}

std::vector<std::size_t> Shape(const DataSet& d) {
  std::vector<std::size_t> shape;
  shape.reserve(d.DataValues.size());
  for (const auto& column : d.DataValues) shape.push_back(column.size());
  return shape;
}

Change::Frame FrameOf(const DataSet& d) {
  return {d.VarNames, d.VarCounts, d.VarSteps, d.NumVar, d.LastVar, d.FullLastVar, d.NumObs, d.LastObs,
          d.ProcessingNote};
}

void SwapFrame(Change::Frame& f, DataSet& d) {
  std::swap(f.names, d.VarNames);
  std::swap(f.counts, d.VarCounts);
  std::swap(f.steps, d.VarSteps);
  std::swap(f.numVar, d.NumVar);
  std::swap(f.lastVar, d.LastVar);
  std::swap(f.fullLastVar, d.FullLastVar);
  std::swap(f.numObs, d.NumObs);
  std::swap(f.lastObs, d.LastObs);
  std::swap(f.note, d.ProcessingNote);
}

std::size_t FrameBytes(const Change::Frame& f) {
  std::size_t bytes = sizeof(f) + f.counts.size() * sizeof(std::int32_t) + f.steps.size() * sizeof(double) +
                      f.note.capacity();
  for (const std::string& name : f.names) bytes += sizeof(name) + name.capacity();
  return bytes;
}

// Whether equal in every bit: a value that is not a number counts as unchanged too.
bool SameValues(const Array<double>& a, const Array<double>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](double x, double y) {
           return x == y || (x != x && y != y);
         });
}

}  // namespace

Change::Change(const DataSet& d) : frame_(FrameOf(d)) {}

Change Change::Cells(const DataSet& d, const std::vector<CellPlace>& places) {
  Change c(d);
  CellValues body;
  body.cells.reserve(places.size());
  for (const CellPlace& p : places) body.cells.push_back({p, d.DataValues[p.variable][p.observation]});
  c.body_ = std::move(body);
  return c;
}

Change Change::ObservationInserted(const DataSet& d, std::int32_t at) {
  Change c(d);
  c.body_ = Observation{at, {}, false};
  return c;
}

Change Change::ObservationRemoved(const DataSet& d, std::int32_t at) {
  Change c(d);
  Observation body{at, {}, true};
  body.values.reserve(d.DataValues.size());
  for (const auto& column : d.DataValues) body.values.push_back(column[at]);
  c.body_ = std::move(body);
  return c;
}

Change Change::ObservationMoved(const DataSet& d, std::int32_t from, std::int32_t to) {
  Change c(d);
  c.body_ = Move{true, from, to};
  return c;
}

Change Change::VariableInserted(const DataSet& d, int at) {
  Change c(d);
  c.body_ = Variable{at, {}, false};
  return c;
}

Change Change::VariableRemoved(const DataSet& d, int at) {
  Change c(d);
  c.body_ = Variable{at, d.DataValues[at], true};
  return c;
}

Change Change::VariableMoved(const DataSet& d, int from, int to) {
  Change c(d);
  c.body_ = Move{false, from, to};
  return c;
}

Change Change::Any(const DataSet& d) {
  Change c(d);
  c.body_ = Whole{d.DataValues, true};
  return c;
}

bool Change::Finish(const DataSet& after) {
  const bool sameFrame = frame_ == FrameOf(after);
  if (auto* cells = std::get_if<CellValues>(&body_)) {
    if (!sameFrame) return true;
    return std::any_of(cells->cells.begin(), cells->cells.end(), [&after](const CellValue& c) {
      return after.DataValues[c.place.variable][c.place.observation] != c.value;
    });
  }
  auto* whole = std::get_if<Whole>(&body_);
  if (!whole || !whole->pending) return true;
  whole->pending = false;
  Array<Array<double>>& before = whole->values;
  if (before.size() != after.DataValues.size()) return true;
  std::vector<int> changed;
  for (std::size_t v = 0; v < before.size(); ++v) {
    const auto& now = after.DataValues[static_cast<long long>(v)];
    if (before[v].size() != now.size()) return true;  // a new shape: the whole table stays
    if (!SameValues(before[v], now)) changed.push_back(static_cast<int>(v));
  }
  if (changed.empty()) {
    body_ = Columns{};  // the values stay; only the frame changed
    return !sameFrame;
  }
  if (changed.size() * 2 > before.size()) return true;
  Columns columns;
  for (int v : changed) columns.columns.emplace_back(v, std::move(before[v]));
  body_ = std::move(columns);
  return true;
}

void Change::Swap(DataSet& d) {
  struct Visitor {
    DataSet& d;
    void operator()(CellValues& b) const {
      for (CellValue& c : b.cells) std::swap(d.DataValues[c.place.variable][c.place.observation], c.value);
    }
    void operator()(Observation& b) const {
      const auto at = static_cast<long long>(b.at);
      if (b.held) {
        for (std::size_t v = 0; v < b.values.size(); ++v) {
          auto& column = d.DataValues[static_cast<long long>(v)];
          column.insert(column.begin() + at, b.values[v]);
        }
        b.values.clear();
      } else {
        b.values.reserve(d.DataValues.size());
        for (auto& column : d.DataValues) {
          b.values.push_back(column[at]);
          column.erase(column.begin() + at);
        }
      }
      b.held = !b.held;
    }
    void operator()(Variable& b) const {
      if (b.held) {
        d.DataValues.insert(d.DataValues.begin() + b.at, std::move(b.values));
        b.values = {};
      } else {
        b.values = std::move(d.DataValues[b.at]);
        d.DataValues.erase(d.DataValues.begin() + b.at);
      }
      b.held = !b.held;
    }
    void operator()(Move& b) const {
      if (b.observation) {
        for (auto& column : d.DataValues) MoveEntry(column, b.to, b.from);
      } else {
        MoveEntry(d.DataValues, b.to, b.from);
      }
      std::swap(b.from, b.to);
    }
    void operator()(Columns& b) const {
      for (auto& [v, values] : b.columns) std::swap(d.DataValues[v], values);
    }
    void operator()(Whole& b) const { std::swap(d.DataValues, b.values); }
  };
  std::visit(Visitor{d}, body_);
  SwapFrame(frame_, d);
}

void Change::Revert(DataSet& d) {
  if (Finish(d)) Swap(d);
}

std::size_t Change::Bytes() const {
  struct Visitor {
    std::size_t operator()(const CellValues& b) const { return b.cells.capacity() * sizeof(CellValue); }
    std::size_t operator()(const Observation& b) const { return b.values.capacity() * sizeof(double); }
    std::size_t operator()(const Variable& b) const { return b.values.capacity() * sizeof(double); }
    std::size_t operator()(const Move&) const { return 0; }
    std::size_t operator()(const Columns& b) const {
      std::size_t bytes = b.columns.capacity() * sizeof(b.columns.front());
      for (const auto& column : b.columns) bytes += column.second.capacity() * sizeof(double);
      return bytes;
    }
    std::size_t operator()(const Whole& b) const {
      std::size_t bytes = b.values.capacity() * sizeof(b.values.front());
      for (const auto& column : b.values) bytes += column.capacity() * sizeof(double);
      return bytes;
    }
  };
  return sizeof(*this) + FrameBytes(frame_) + std::visit(Visitor{}, body_);
}

EditHistory::EditHistory(std::size_t memoryLimit, std::size_t maxSteps)
    : memoryLimit_(memoryLimit), maxSteps_(std::max<std::size_t>(maxSteps, 1)) {}

void EditHistory::Add(Change&& change, const DataSet& after, std::string caption, bool paddedBefore) {
  if (!change.Finish(after)) return;
  for (const Step& s : redo_) bytes_ -= StepBytes(s);
  redo_.clear();
  undo_.push_back({std::move(change), std::move(caption), paddedBefore});
  bytes_ += StepBytes(undo_.back());
  // The newest step stays even when it alone is over the limit.
  while (undo_.size() > 1 && (undo_.size() > maxSteps_ || bytes_ > memoryLimit_)) {
    bytes_ -= StepBytes(undo_.front());
    undo_.pop_front();
  }
  Remember(after);
}

bool EditHistory::Undo(DataSet& d, bool& padded) { return Move(undo_, redo_, d, padded); }

bool EditHistory::Redo(DataSet& d, bool& padded) { return Move(redo_, undo_, d, padded); }

bool EditHistory::Move(std::deque<Step>& from, std::deque<Step>& to, DataSet& d, bool& padded) {
  Check(d);
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  bytes_ -= StepBytes(step);
  step.change.Swap(d);
  std::swap(step.padded, padded);
  to.push_back(std::move(step));
  bytes_ += StepBytes(to.back());
  Remember(d);
  return true;
}

void EditHistory::Check(const DataSet& d) {
  if (!CanUndo() && !CanRedo()) return;
  // The axis steps follow the settings; they are no change of the data.
  Change::Frame now = FrameOf(d);
  now.steps = left_.steps;
  if (left_ != now || leftShape_ != Shape(d)) Clear();
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
}

const std::string& EditHistory::UndoCaption() const {
  static const std::string none;
  return undo_.empty() ? none : undo_.back().caption;
}

const std::string& EditHistory::RedoCaption() const {
  static const std::string none;
  return redo_.empty() ? none : redo_.back().caption;
}

void EditHistory::Remember(const DataSet& d) {
  left_ = FrameOf(d);
  leftShape_ = Shape(d);
}

}  // namespace tavrel
