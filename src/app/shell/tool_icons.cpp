#include "app/shell/tool_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavrel {

namespace {

constexpr int kSize = 32;

void Glyph(QPainter& p, const QString& text, int pixelSize, const QColor& colour) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Frame(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.setBrush(QColor(250, 250, 245));
  p.drawRoundedRect(QRectF(2.5, 2.5, kSize - 5, kSize - 5), 4, 4);
}

void Axes(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.drawLine(5, 4, 5, 27);
  p.drawLine(5, 27, 28, 27);
}

void Draw(QPainter& p, ToolPicture picture) {
  const QColor blue(30, 90, 190), red(200, 40, 40), green(30, 140, 60);
  switch (picture) {
    case ToolPicture::SequentialGraph: {
      Axes(p);
      p.setPen(QPen(blue, 2));
      const QPointF line[] = {{6, 20}, {10, 12}, {14, 17}, {18, 8}, {22, 14}, {27, 6}};
      p.drawPolyline(line, 6);
      p.setPen(QPen(red, 1, Qt::DashLine));
      p.drawLine(6, 10, 28, 10);
      break;
    }
    case ToolPicture::CombinedGraph: {
      Axes(p);
      p.setPen(Qt::NoPen);
      p.setBrush(green);
      p.drawRect(8, 16, 4, 11);
      p.drawRect(15, 11, 4, 16);
      p.drawRect(22, 19, 4, 8);
      p.setPen(QPen(red, 2));
      const QPointF line[] = {{7, 12}, {14, 6}, {21, 10}, {28, 4}};
      p.drawPolyline(line, 4);
      break;
    }
    case ToolPicture::ScatterDiagram: {
      Axes(p);
      p.setPen(Qt::NoPen);
      p.setBrush(blue);
      const QPointF dots[] = {{9, 22}, {12, 19}, {14, 21}, {17, 15}, {19, 17}, {22, 11}, {25, 8}, {24, 13}};
      for (const QPointF& d : dots) p.drawEllipse(d, 1.8, 1.8);
      break;
    }
    case ToolPicture::Statistics:
      Frame(p);
      Glyph(p, QStringLiteral("Σ"), 22, blue);
      break;
    case ToolPicture::Cluster: {
      p.setPen(QPen(blue, 1.5));
      p.setBrush(QColor(210, 225, 250));
      p.drawEllipse(QPointF(11, 12), 8, 8);
      p.setPen(QPen(red, 1.5));
      p.setBrush(QColor(250, 220, 220));
      p.drawEllipse(QPointF(21, 21), 8, 8);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 40, 40));
      for (const QPointF& d : {QPointF(9, 10), QPointF(13, 13), QPointF(10, 15), QPointF(20, 20),
                               QPointF(23, 23), QPointF(22, 18)}) {
        p.drawEllipse(d, 1.5, 1.5);
      }
      break;
    }
    case ToolPicture::ClusterDynamics: {
      Axes(p);
      p.setPen(Qt::NoPen);
      const QColor colours[] = {blue, red, green, blue, red, blue, green};
      const int heights[] = {8, 14, 6, 10, 16, 12, 9};
      for (int i = 0; i < 7; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(7 + i * 3, 27 - heights[i], 3, heights[i]);
      }
      break;
    }
    case ToolPicture::ClusterTree: {
      p.setPen(QPen(QColor(40, 40, 40), 1.8));
      p.drawLine(6, 28, 6, 20);
      p.drawLine(12, 28, 12, 20);
      p.drawLine(6, 20, 12, 20);
      p.drawLine(20, 28, 20, 16);
      p.drawLine(26, 28, 26, 16);
      p.drawLine(20, 16, 26, 16);
      p.drawLine(9, 20, 9, 8);
      p.drawLine(23, 16, 23, 8);
      p.drawLine(9, 8, 23, 8);
      p.drawLine(16, 8, 16, 3);
      break;
    }
    case ToolPicture::Table22:
      Frame(p);
      p.setPen(QPen(QColor(90, 90, 90), 1));
      p.drawLine(16, 3, 16, 29);
      p.drawLine(3, 16, 29, 16);
      Glyph(p, QString(), 10, blue);
      p.drawText(QRect(3, 3, 13, 13), Qt::AlignCenter, QStringLiteral("a"));
      p.drawText(QRect(16, 3, 13, 13), Qt::AlignCenter, QStringLiteral("b"));
      p.drawText(QRect(3, 16, 13, 13), Qt::AlignCenter, QStringLiteral("c"));
      p.drawText(QRect(16, 16, 13, 13), Qt::AlignCenter, QStringLiteral("d"));
      break;
    case ToolPicture::Diagnostics:
      Frame(p);
      Glyph(p, QStringLiteral("Se"), 14, green);
      break;
    case ToolPicture::Student:
      Frame(p);
      Glyph(p, QStringLiteral("t"), 22, red);
      break;
    case ToolPicture::Configuration: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(90, 90, 100));
      p.translate(16, 16);
      for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-2.5, -14, 5, 7));
        p.rotate(45);
      }
      p.drawEllipse(QPointF(0, 0), 10, 10);
      p.setBrush(QColor(250, 250, 250));
      p.drawEllipse(QPointF(0, 0), 4, 4);
      break;
    }
    case ToolPicture::Printer:
    case ToolPicture::PrinterSetup: {
      p.setPen(QPen(QColor(60, 60, 60), 1.5));
      p.setBrush(QColor(255, 255, 255));
      p.drawRect(QRectF(9.5, 3.5, 13, 9));  // paper in
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(3.5, 11.5, 25, 11), 2, 2);
      p.setBrush(QColor(255, 255, 255));
      p.drawRect(QRectF(8.5, 18.5, 15, 10));  // paper out
      p.setPen(QPen(QColor(120, 120, 120), 1));
      p.drawLine(11, 22, 21, 22);
      p.drawLine(11, 25, 19, 25);
      if (picture == ToolPicture::PrinterSetup) {
        p.setPen(QPen(QColor(30, 90, 190), 2.5));
        p.drawLine(20, 30, 30, 20);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 190));
        p.drawEllipse(QPointF(29, 21), 3, 3);
      }
      break;
    }
  }
}

}  // namespace

QIcon DrawToolIcon(ToolPicture picture) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  Draw(p, picture);
  p.end();
  return QIcon(pixmap);
}

QIcon WithFaintDisabled(const QIcon& icon, int size) {
  QIcon result;
  for (int side : {size, size * 2}) {
    const QPixmap normal = icon.pixmap(QSize(side, side));
    result.addPixmap(normal, QIcon::Normal);
    QImage faint = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < faint.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(faint.scanLine(y));
      for (int x = 0; x < faint.width(); ++x) {
        const int grey = 128 + qGray(line[x]) / 2;
        line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
      }
    }
    result.addPixmap(QPixmap::fromImage(faint), QIcon::Disabled);
  }
  return result;
}

}  // namespace tavrel
