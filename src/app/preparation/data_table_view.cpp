#include "app/preparation/data_table_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "app/preparation/data_table_model.h"

namespace tavrel {

namespace {

constexpr int kSummaryRows = 3;

// The teal rows' caption texts, 2 pixels right of and below the cell's corner.
void PaintSummaryCell(QPainter* painter, const QRect& cell, const QString& text, Qt::Alignment align) {
  painter->fillRect(cell, TableHeader::SummaryColour());
  painter->setPen(QColor(255, 255, 255));
  painter->drawText(cell.adjusted(2, 2, -3, 0), int(align | Qt::AlignTop), text);
  painter->setPen(TableHeader::SummaryColour().darker(130));
  painter->drawLine(cell.bottomLeft(), cell.bottomRight());
  painter->drawLine(cell.topRight(), cell.bottomRight());
}

// The corner above the observation numbers: "№", then the summary rows' captions.
class TableCorner : public QWidget {
 public:
  explicit TableCorner(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int h = TableHeader::kRowHeight;
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = QRect(0, 0, width(), h);
    option.text = QStringLiteral("№");
    option.textAlignment = Qt::AlignCenter;
    painter.save();
    style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    painter.restore();
    const QString captions[kSummaryRows] = {QStringLiteral("MAX"), QStringLiteral("MIN"), QStringLiteral("N")};
    for (int i = 0; i < kSummaryRows; ++i) {
      PaintSummaryCell(&painter, QRect(0, h * (i + 1), width(), h), captions[i], Qt::AlignLeft);
    }
  }
};

}  // namespace

TableHeader::TableHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setDefaultSectionSize(70);
  setMinimumSectionSize(24);
  setSectionResizeMode(QHeaderView::Interactive);
  setDefaultAlignment(Qt::AlignCenter);
}

QColor TableHeader::SummaryColour() { return QColor(0x00, 0x80, 0x80); }

QSize TableHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.setHeight(kRowHeight * (1 + kSummaryRows));
  return size;
}

void TableHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const QRect nameRect(rect.left(), rect.top(), rect.width(), kRowHeight);
  painter->save();
  QHeaderView::paintSection(painter, nameRect, logicalIndex);
  painter->restore();
  const int roles[kSummaryRows] = {DataTableModel::MaxRole, DataTableModel::MinRole, DataTableModel::CountRole};
  for (int i = 0; i < kSummaryRows; ++i) {
    const QRect cell(rect.left(), rect.top() + kRowHeight * (i + 1), rect.width(), kRowHeight);
    const QString text = model() ? model()->headerData(logicalIndex, Qt::Horizontal, roles[i]).toString() : QString();
    painter->save();
    PaintSummaryCell(painter, cell, text, Qt::AlignRight);
    painter->restore();
  }
}

DataTableView::DataTableView(QWidget* parent) : QTableView(parent) {
  setHorizontalHeader(new TableHeader(this));
  horizontalHeader()->setSectionsMovable(true);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(TableHeader::kRowHeight);
  verticalHeader()->setSectionsMovable(true);
  verticalHeader()->setMinimumWidth(48);
  setCornerButtonEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  corner_ = new TableCorner(this);
}

void DataTableView::FinishEditing() {
  if (state() != EditingState) return;
  QWidget* editor = QApplication::focusWidget();
  if (!editor || !viewport()->isAncestorOf(editor)) return;
  commitData(editor);
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataTableView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState) {
    emit commitRequested(currentIndex());
    return;
  }
  if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
    emit insertRowRequested();
    return;
  }
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
    emit deleteRowRequested();
    return;
  }
  QTableView::keyPressEvent(event);
}

void DataTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  // The delegate ends an edit with Enter by submitting it.
  if (hint == QAbstractItemDelegate::SubmitModelCache) emit commitRequested(currentIndex());
}

void DataTableView::updateGeometries() {
  QTableView::updateGeometries();
  const int frame = frameWidth();
  corner_->setGeometry(frame, frame, verticalHeader()->width(), TableHeader::kRowHeight * (1 + kSummaryRows));
  corner_->raise();
}

}  // namespace tavrel
