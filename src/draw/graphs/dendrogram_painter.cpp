#include "draw/graphs/dendrogram_painter.h"

#include <QPainter>

#include "draw/graphs/canvas.h"
#include "draw/graphs/picture_file.h"

namespace tavrel {

namespace {

// Navy lines, the objects' numbers in small Arial.
const QColor kTreeColor(0, 0, 128);
constexpr int kLabelPointSize = 6;

}  // namespace

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
  p.setFont(GraphFont("Arial", kLabelPointSize));
  p.setPen(Qt::black);
  for (const DendrogramLabel& label : layout.labels) {
    if (label.x < left || label.x > right) continue;
    TextOut(p, label.x, layout.labelTop, QStringLiteral("%1").arg(label.object, 2));
  }
  p.restore();
}

QString SaveDendrogram(const QString& path, const DendrogramLayout& layout) {
  const QSize size(layout.width, layout.height);
  return SavePicture(path, size, [&](QPainter& p) { DrawDendrogram(p, layout, QRect(QPoint(0, 0), size)); });
}

}  // namespace tavrel
