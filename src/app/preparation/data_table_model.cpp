#include "app/preparation/data_table_model.h"

#include <algorithm>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

QString EditText(double x) { return QString::fromStdString(ReplaceChar(FloatText(x), '.', ',')); }

}  // namespace

DataTableModel::DataTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int DataTableModel::rowCount(const QModelIndex& parent) const {
  const DataSet& d = Data();
  return parent.isValid() || d.NumVar <= 0 ? 0 : std::max(d.NumObs, 0);
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
  const DataSet& d = Data();
  return parent.isValid() || d.NumObs <= 0 ? 0 : std::max(d.NumVar, 0);
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const auto typed = edits_.constFind(Key(index.row(), index.column()));
  if (typed != edits_.constEnd()) return *typed;
  // A load replaces the data set before the table is filled again: until then
  // a place the data set no longer has shows nothing.
  const DataSet& d = Data();
  if (index.column() >= d.DataValues.Count() || index.row() >= d.DataValues[index.column()].Count()) return {};
  const double x = d.DataValues[index.column()][index.row()];
  return role == Qt::EditRole ? EditText(x) : QString::fromStdString(GridText(x));
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return section + 1;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  if (section < 0 || section >= summaries_.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return section < Data().VarNames.Count() ? QString::fromStdString(Data().VarNames[section]) : QString();
    case MaxRole: return Summary(section).max;
    case MinRole: return Summary(section).min;
    case CountRole: return Summary(section).count;
    default: return {};
  }
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return QAbstractTableModel::flags(index);
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool DataTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const QString text = value.toString();
  if (text == data(index, Qt::EditRole).toString()) return false;
  edits_.insert(Key(index.row(), index.column()), text);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

void DataTableModel::Fill() {
  beginResetModel();
  edits_.clear();
  const DataSet& d = Data();
  summaries_.fill({}, d.NumObs > 0 ? std::max(d.NumVar, 0) : 0);
  endResetModel();
}

const DataTableModel::SummaryTexts& DataTableModel::Summary(int column) const {
  SummaryTexts& texts = summaries_[column];
  if (!texts.made) {
    const ColumnSummary s = SummariseVariable(Data(), column);
    texts = {true, QString::fromStdString(GridText(s.max)), QString::fromStdString(GridText(s.min)),
             QString::number(s.count)};
  }
  return texts;
}

QString DataTableModel::CommitCell(const QModelIndex& index, bool missingAbsent) {
  const auto typed = edits_.constFind(Key(index.row(), index.column()));
  if (!index.isValid() || typed == edits_.constEnd()) return {};
  const std::string error =
      ApplyCellEdits(Data(), Config(), {{index.column(), index.row(), typed->toStdString()}}, missingAbsent);
  if (!error.empty()) return QString::fromStdString(error);
  edits_.remove(Key(index.row(), index.column()));
  summaries_[index.column()] = {};
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit headerDataChanged(Qt::Horizontal, index.column(), index.column());
  return {};
}

QString DataTableModel::Store(bool missingAbsent, QModelIndex* badCell) {
  if (edits_.isEmpty()) return {};
  std::vector<CellEdit> edits;
  edits.reserve(static_cast<std::size_t>(edits_.size()));
  for (auto it = edits_.constBegin(); it != edits_.constEnd(); ++it) {
    edits.push_back({int(it.key() >> 32), std::int32_t(it.key() & 0xffffffffu), it.value().toStdString()});
  }
  // The first bad cell in reading order is the one named.
  std::sort(edits.begin(), edits.end(), [](const CellEdit& a, const CellEdit& b) {
    return a.observation != b.observation ? a.observation < b.observation : a.variable < b.variable;
  });
  for (const CellEdit& e : edits) {
    const std::string error = CellEditError(Data(), e);
    if (error.empty()) continue;
    if (badCell) *badCell = index(e.observation, e.variable);
    return QString::fromStdString(error);
  }
  ApplyCellEdits(Data(), Config(), edits, missingAbsent);
  edits_.clear();
  summaries_.fill({});
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  return {};
}

std::vector<CellPlace> DataTableModel::EditedPlaces() const {
  std::vector<CellPlace> places;
  places.reserve(static_cast<std::size_t>(edits_.size()));
  for (auto it = edits_.constBegin(); it != edits_.constEnd(); ++it) {
    places.push_back({int(it.key() >> 32), std::int32_t(it.key() & 0xffffffffu)});
  }
  return places;
}

void DataTableModel::RefreshNames() { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); }

}  // namespace tavrel
