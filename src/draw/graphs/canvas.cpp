#include "draw/graphs/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "core/graphs/date_labels.h"

namespace tavrel {

void DrawLine(QPainter& p, int x1, int y1, int x2, int y2) { p.drawLine(x1, y1, x2, y2); }

void DrawCircleMark(QPainter& p, int x, int y) { p.drawEllipse(QRect(x - 2, y - 2, 4, 4)); }

void DrawSquareMark(QPainter& p, int x, int y) { p.fillRect(QRect(x - 1, y - 1, 3, 3), p.brush()); }

void DrawRectangle(QPainter& p, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  // drawRect strokes one pixel beyond its width and height.
  p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TextOut(QPainter& p, int x, int y, const QString& text) { p.drawText(x, y + p.fontMetrics().ascent(), text); }

int TextWidth(const QPainter& p, const QString& text) { return p.fontMetrics().horizontalAdvance(text); }

int TextHeight(const QPainter& p) { return p.fontMetrics().height(); }

QColor RgbColor(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QPen StyledPen(const QColor& color, int width, int style) {
  static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                             Qt::DashDotDotLine};
  const Qt::PenStyle qtStyle = style >= 0 && style < 5 ? kStyles[style] : Qt::SolidLine;
  return QPen(color, width < 0 ? 0 : width, qtStyle, Qt::FlatCap, Qt::MiterJoin);
}

QPen StyledPen(const PenSpec& spec) { return StyledPen(RgbColor(spec.rgb), spec.width, spec.style); }

QFont GraphFont(const std::string& family, int pointSize) {
  QFont font(QString::fromStdString(family));
  font.setPointSize(pointSize > 0 ? pointSize : 8);
  return font;
}

int GraphLeftMargin(const QFont& font, QPaintDevice* device) {
  return QFontMetrics(font, device).horizontalAdvance(QStringLiteral("WWWWWWWW"));
}

int DigitWidth(const QFont& font, QPaintDevice* device) {
  const QFontMetrics metrics(font, device);
  int widest = 0;
  for (char c = '0'; c <= '9'; ++c) widest = std::max(widest, metrics.horizontalAdvance(QChar(c)));
  return widest;
}

int DateLabelStep(const QPainter& p, int stepX) {
  return DateLabelStep(TextWidth(p, QString::fromLatin1(kWidestDateLabel)), std::max(1, stepX));
}

}  // namespace tavrel
