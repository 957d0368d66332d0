#include "app/statistics/calculators/calculator_grid.h"

#include <QHeaderView>
#include <algorithm>

namespace tavrel {

CalculatorGrid::CalculatorGrid(const char* name, const QStringList& columnHeadings, const QStringList& rowHeadings,
                               bool editable, int cellWidth, QWidget* parent)
    : QTableWidget(static_cast<int>(rowHeadings.size()), static_cast<int>(columnHeadings.size()), parent) {
  setObjectName(QString::fromLatin1(name));
  setHorizontalHeaderLabels(columnHeadings);
  setVerticalHeaderLabels(rowHeadings);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
  }
  horizontalHeader()->setDefaultSectionSize(cellWidth);
  // A key-value list has no column headings.
  if (std::all_of(columnHeadings.begin(), columnHeadings.end(), [](const QString& h) { return h.isEmpty(); }))
    horizontalHeader()->hide();
  setCornerButtonEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Typing into a cell replaces its text, as in a spreadsheet; F2 or a double click edits it.
  setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                 QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                           : QAbstractItemView::NoEditTriggers);
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      auto* item = new QTableWidgetItem;
      if (!editable) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      setItem(r, c, item);
    }
  }
  SetCellColour(Qt::white);
  // A selected cell of a grid without the focus looks like any other cell.
  QPalette p = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
  setPalette(p);
  FitToCells();
}

QTableWidgetItem* CalculatorGrid::Item(int column, int row) const { return item(row - 1, column - 1); }

QString CalculatorGrid::Cell(int column, int row) const { return Item(column, row)->text(); }

void CalculatorGrid::SetCell(int column, int row, const QString& text) { Item(column, row)->setText(text); }

void CalculatorGrid::SetCellColour(const QColor& colour) {
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) item(r, c)->setBackground(colour);
}

QColor CalculatorGrid::CellColour(int column, int row) const { return Item(column, row)->background().color(); }

void CalculatorGrid::CommitEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void CalculatorGrid::SetHeadingWidth(int width) {
  headingWidth_ = width;
  verticalHeader()->setFixedWidth(width);
  FitToCells();
}

int CalculatorGrid::HeadingWidth() const {
  return headingWidth_ ? headingWidth_ : verticalHeader()->sizeHint().width();
}

void CalculatorGrid::FitToCells() {
  const int frame = 2 * frameWidth();
  setFixedSize(HeadingWidth() + horizontalHeader()->length() + frame,
               (horizontalHeader()->isHidden() ? 0 : horizontalHeader()->sizeHint().height()) +
                   verticalHeader()->length() + frame);
}

}  // namespace tavrel
