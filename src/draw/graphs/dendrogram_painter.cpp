#include "draw/graphs/dendrogram_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "draw/graphs/canvas.h"
#include "draw/graphs/picture_file.h"

namespace tavrel {

namespace {

// Navy lines, the objects' numbers in Arial of 11 pixels, written upward.
const QColor kTreeColor(0, 0, 128);
constexpr int kLabelPixels = 11;

QFont LabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(kLabelPixels);
  return font;
}

}  // namespace

DendrogramLabelSize MeasureDendrogramLabels(int objects) {
  const QFontMetrics metrics(LabelFont());
  return {metrics.height(), metrics.horizontalAdvance(QString::number(std::max(objects, 1)))};
}

DendrogramLayout LayDendrogram(const Array<Clust>& history, int width, int height) {
  return ComputeDendrogramLayout(history, width, height,
                                 MeasureDendrogramLabels(static_cast<int>(history.Count())));
}

void DrawDendrogram(QPainter& p, const DendrogramLayout& layout, const QRect& exposed) {
  p.save();
  p.fillRect(exposed, Qt::white);
  const int h = layout.height;
  // A margin for the labels' width keeps a leaf whose line is exposed labelled.
  const int left = exposed.left() - layout.step - 20, right = exposed.right() + layout.step + 20;
  p.setPen(StyledPen(kTreeColor, 1));
  for (const ClustGr& g : layout.joins) {
    if (std::max(g.iclsonX, g.icrsonX) < left || std::min(g.iclsonX, g.icrsonX) > right) continue;
    DrawLine(p, g.iclsonX, h - g.iclsonY1, g.iclsonX, h - g.Y2);
    DrawLine(p, g.icrsonX, h - g.icrsonY1, g.icrsonX, h - g.Y2);
    DrawLine(p, g.iclsonX, h - g.Y2, g.icrsonX, h - g.Y2);
  }
  p.setFont(LabelFont());
  p.setPen(Qt::black);
  const QFontMetrics metrics = p.fontMetrics();
  // Across the label its glyphs stand centred on the leaf's line.
  const int across = (metrics.ascent() - metrics.descent()) / 2;
  const int every = std::max(1, layout.labelEvery);
  for (std::size_t i = static_cast<std::size_t>(every) - 1; i < layout.labels.size(); i += static_cast<std::size_t>(every)) {
    const DendrogramLabel& label = layout.labels[i];
    if (label.x < left || label.x > right) continue;
    const QString text = QString::number(label.object);
    p.save();
    p.translate(label.x, layout.labelTop + metrics.horizontalAdvance(text));
    p.rotate(-90);
    p.drawText(0, across, text);
    p.restore();
  }
  p.restore();
}

QString SaveDendrogram(const QString& path, const DendrogramLayout& layout) {
  const QSize size(layout.width, layout.height);
  return SavePicture(path, size, [&](QPainter& p) { DrawDendrogram(p, layout, QRect(QPoint(0, 0), size)); });
}

}  // namespace tavrel
