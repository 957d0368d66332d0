#include "statistics/text_lines_view.h"

#include <QKeyEvent>
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
  const char* line = data;
  for (;;) {
    const auto* nl = static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
    const char* lineEnd = nl ? nl : end;
    // A line's characters never outnumber its bytes: most lines are skipped without counting.
    if (lineEnd - line > widestChars_) widestChars_ = std::max(widestChars_, CharCount(line, lineEnd));
    if (!nl) break;
    line = nl + 1;
    starts_.push_back(line - data);
  }
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
  painter.setPen(palette().color(QPalette::Text));
  const int spacing = fontMetrics().lineSpacing();
  const int x = kMargin - horizontalScrollBar()->value();
  const int width = viewport()->width() - x;
  const int first = TopLine();
  const int last = std::min(LineCount(), first + VisibleLines() + 1);
  for (int line = first; line < last; ++line) {
    const QRect rect(x, (line - first) * spacing, width, spacing);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs, LineText(line));
  }
}

void TextLinesView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  AdjustScrollBars();
}

void TextLinesView::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_Home) return ScrollToLine(0);
    if (event->key() == Qt::Key_End) return ScrollToLine(LineCount() - 1);
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TextLinesView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    AdjustScrollBars();
    viewport()->update();
  }
}

}  // namespace tavrel
