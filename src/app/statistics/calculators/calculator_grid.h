#pragma once
// The small grids of the calculators: a heading row and a heading column
// around a few cells, addressed as (column, row) with the headings at 0.
#include <QColor>
#include <QStringList>
#include <QTableWidget>

namespace tavrel {

// The colour of a significant result; other results are on white.
inline const QColor kSignificantColour(166, 202, 240);

class CalculatorGrid : public QTableWidget {
  Q_OBJECT
 public:
  // columnHeadings name columns 1.., rowHeadings rows 1..; cellWidth is the
  // width of each column of cells.
  CalculatorGrid(const char* name, const QStringList& columnHeadings, const QStringList& rowHeadings, bool editable,
                 int cellWidth, QWidget* parent);

  // The text of cell (column, row), counted from the headings.
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);
  // The background of all cells.
  void SetCellColour(const QColor& colour);
  QColor CellColour(int column, int row) const;
  // Takes a cell being typed into into the grid before the grid is read.
  void CommitEdit();
  // Makes the heading column this wide, so that grids standing one above the other line up.
  void SetHeadingWidth(int width);
  int HeadingWidth() const;

 private:
  QTableWidgetItem* Item(int column, int row) const;
  void FitToCells();

  int headingWidth_ = 0;  // 0: as wide as the headings need
};

}  // namespace tavrel
