#include "app/statistics/text_lines_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

namespace tavrel {

namespace {

constexpr int kMargin = 4;
constexpr int kTabChars = 8;

// Characters in a UTF-8 line: every byte that does not continue a sequence.
int CharCount(const char* begin, const char* end) {
  int count = 0;
  for (const char* p = begin; p != end; ++p) {
    if (*p == '\t') count += kTabChars;
    else if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

TextLinesView::TextLinesView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  viewport()->setCursor(Qt::IBeamCursor);
}

void TextLinesView::SetBytes(QByteArray bytes) {
  bytes_ = std::move(bytes);
  starts_.assign(1, 0);
  widestChars_ = 0;
  const char* const data = bytes_.constData();
  const char* const end = data + bytes_.size();
  // Without tabs a line's characters never outnumber its bytes, so most lines
  // need no counting.
  const bool tabs = bytes_.contains('\t');
  const char* line = data;
  for (;;) {
    const auto* nl = static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
    const char* lineEnd = nl ? nl : end;
    if (tabs || lineEnd - line > widestChars_) widestChars_ = std::max(widestChars_, CharCount(line, lineEnd));
    if (!nl) break;
    line = nl + 1;
    starts_.push_back(line - data);
  }
  anchor_ = cursor_ = Position{};
  AdjustScrollBars();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  viewport()->update();
}

QString TextLinesView::LineText(int line) const {
  if (line < 0 || line >= LineCount()) return {};
  const qsizetype begin = starts_[static_cast<size_t>(line)];
  qsizetype end = line + 1 < LineCount() ? starts_[static_cast<size_t>(line) + 1] - 1 : bytes_.size();
  if (end > begin && bytes_[end - 1] == '\r') --end;
  return QString::fromUtf8(bytes_.constData() + begin, end - begin);
}

QString TextLinesView::Text() const {
  QString text = QString::fromUtf8(bytes_);
  text.remove(QLatin1Char('\r'));
  return text;
}

int TextLinesView::LineOfByte(qsizetype offset) const {
  const auto after = std::upper_bound(starts_.cbegin(), starts_.cend(), std::max<qsizetype>(offset, 0));
  return static_cast<int>(after - starts_.cbegin()) - 1;
}

QString TextLinesView::SelectedText() const {
  const auto [from, to] = std::minmax(anchor_, cursor_);
  if (from.line == to.line) return LineText(from.line).mid(from.column, to.column - from.column);
  QString text = LineText(from.line).mid(from.column);
  for (int line = from.line + 1; line < to.line; ++line) text += QLatin1Char('\n') + LineText(line);
  return text + QLatin1Char('\n') + LineText(to.line).left(to.column);
}

int TextLinesView::TextX() const { return kMargin - horizontalScrollBar()->value(); }

TextLinesView::Position TextLinesView::PositionAt(QPoint point) const {
  Position at;
  at.line = std::clamp(TopLine() + point.y() / std::max(1, fontMetrics().lineSpacing()), 0, LineCount() - 1);
  const QString text = LineText(at.line);
  const QFontMetrics metrics = fontMetrics();
  int x = TextX();
  // The column whose character's middle is to the right of the point.
  while (at.column < text.size()) {
    const int advance = metrics.horizontalAdvance(text[at.column]);
    if (point.x() < x + advance / 2) break;
    x += advance;
    ++at.column;
  }
  return at;
}

int TextLinesView::TopLine() const { return verticalScrollBar()->value(); }

void TextLinesView::ScrollToLine(int line) { verticalScrollBar()->setValue(line); }

int TextLinesView::VisibleLines() const {
  return std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
}

void TextLinesView::AdjustScrollBars() {
  // As in the text editor, the last line stops at the bottom.
  verticalScrollBar()->setRange(0, std::max(0, LineCount() - VisibleLines()));
  verticalScrollBar()->setPageStep(VisibleLines());
  verticalScrollBar()->setSingleStep(1);
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('W'));
  const int width = widestChars_ * charWidth + 2 * kMargin;
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(charWidth);
}

void TextLinesView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QFontMetrics metrics = fontMetrics();
  const int spacing = metrics.lineSpacing();
  const int x = TextX();
  const int width = viewport()->width() - x;
  const int first = TopLine();
  const int last = std::min(LineCount(), first + VisibleLines() + 1);
  const auto [from, to] = std::minmax(anchor_, cursor_);
  constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
  for (int line = first; line < last; ++line) {
    const QString text = LineText(line);
    const QRect rect(x, (line - first) * spacing, width, spacing);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect, kFlags, text);
    if (from < to && from.line <= line && line <= to.line) {
      // The selected part over again in the selection's colours; a selected
      // line break shows as a character's width after the line.
      const int left = x + (line == from.line ? metrics.horizontalAdvance(text.left(from.column)) : 0);
      const int right = x + (line == to.line ? metrics.horizontalAdvance(text.left(to.column))
                                             : metrics.horizontalAdvance(text) + metrics.averageCharWidth());
      const QRect selected(left, rect.top(), right - left, spacing);
      painter.fillRect(selected, palette().color(QPalette::Highlight));
      painter.save();
      painter.setClipRect(selected);
      painter.setPen(palette().color(QPalette::HighlightedText));
      painter.drawText(rect, kFlags, text);
      painter.restore();
    }
  }
}

void TextLinesView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  AdjustScrollBars();
}

void TextLinesView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    anchor_ = Position{};
    cursor_ = Position{LineCount() - 1, static_cast<int>(LineText(LineCount() - 1).size())};
    viewport()->update();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    if (anchor_ < cursor_ || cursor_ < anchor_) QApplication::clipboard()->setText(SelectedText());
    return;
  }
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_Home) return ScrollToLine(0);
    if (event->key() == Qt::Key_End) return ScrollToLine(LineCount() - 1);
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TextLinesView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  cursor_ = PositionAt(event->position().toPoint());
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
  viewport()->update();
}

void TextLinesView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QAbstractScrollArea::mouseMoveEvent(event);
  const QPoint point = event->position().toPoint();
  // Dragging past the top or the bottom scrolls the text along.
  if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (point.y() >= viewport()->height()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  cursor_ = PositionAt(point);
  viewport()->update();
}

void TextLinesView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    AdjustScrollBars();
    viewport()->update();
  }
}

}  // namespace tavrel
