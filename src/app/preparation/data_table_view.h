#pragma once
// The data table's grid: values below a header of four rows per variable
// (name, then MAX, MIN and N on teal), observation numbers at the left.
#include <QHeaderView>
#include <QTableView>

namespace tavrel {

// The column header: the name, and the three summary rows painted teal with white text.
class TableHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit TableHeader(QWidget* parent = nullptr);
  static constexpr int kRowHeight = 20;
  static QColor SummaryColour();

 protected:
  QSize sizeHint() const override;
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

class DataTableView : public QTableView {
  Q_OBJECT
 public:
  explicit DataTableView(QWidget* parent = nullptr);
  // A cell still being edited is taken as typed.
  void FinishEditing();

 signals:
  // Enter in the grid: the current cell is to be committed.
  void commitRequested(const QModelIndex& index);
  // Ins and Ctrl+Del in the grid.
  void insertRowRequested();
  void deleteRowRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void updateGeometries() override;

 private:
  QWidget* corner_;
};

}  // namespace tavrel
