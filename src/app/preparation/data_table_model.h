#pragma once
// The data table's grid as a model over the data set: a value becomes text
// only when the view asks for it, and typed texts wait beside the data set
// until they are committed, so display rounding never reaches the data.
#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QVector>
#include <vector>

#include "core/preparation/edit_history.h"
#include "core/preparation/table_edit.h"

namespace tavrel {

class DataTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The rows the table shows above the values, as header roles of each column.
  enum SummaryRole { MaxRole = Qt::UserRole + 1, MinRole, CountRole };

  explicit DataTableModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Keeps a changed text as typed; it reaches the data set when committed.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Shows the data set anew; typed texts not committed are dropped.
  void Fill();
  // Commits the typed text of one cell; returns the message when it is not a number.
  QString CommitCell(const QModelIndex& index, bool missingAbsent);
  // Commits every typed text, all or none; returns the message naming the
  // first bad cell (its place in badCell) and changes nothing then.
  QString Store(bool missingAbsent, QModelIndex* badCell = nullptr);
  bool HasEdits() const { return !edits_.isEmpty(); }
  bool IsEdited(const QModelIndex& index) const { return edits_.contains(Key(index.row(), index.column())); }
  // The places of the typed texts not yet committed.
  std::vector<CellPlace> EditedPlaces() const;
  // The variable names changed in the data set.
  void RefreshNames();

 private:
  static quint64 Key(int row, int column) { return (quint64(quint32(column)) << 32) | quint32(row); }
  // A column's summary rows, made when the header first shows them (a table
  // of a million rows needs a few milliseconds a column).
  struct SummaryTexts;
  const SummaryTexts& Summary(int column) const;

  QHash<quint64, QString> edits_;
  struct SummaryTexts {
    bool made = false;
    QString max, min, count;
  };
  mutable QVector<SummaryTexts> summaries_;
};

}  // namespace tavrel
