#include "draw/graphs/picture_painters.h"

#include <QPainter>

#include "draw/graphs/canvas.h"

namespace tavrel {

namespace {

// The pictures' font, 11 pixels high whatever the device, so that the
// picture reads and looks the same in the window, in files and on paper.
constexpr int kLabelPixels = 11;

QFont PictureFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(kLabelPixels);
  return font;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

const QColor kEmpiricalColor(0, 0, 128);   // navy
const QColor kTheoreticalColor(128, 0, 0);  // maroon

// A tick label under an X tick, where it fits the tick spacing.
void XLabel(QPainter& p, const PictureTick& tick, int y, int spacing) {
  const QString label = Text(tick.label);
  if (TextWidth(p, label) < spacing + 1) TextOut(p, tick.at - 6, y, label);
}

}  // namespace

void DrawDistributionPicture(QPainter& p, const DistributionLayout& g) {
  if (!g.refusal.empty()) return;
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(StyledPen(Qt::black, 1));
  p.setFont(PictureFont());
  TextOut(p, 2, 1, Text(g.name));
  DrawRectangle(p, g.left, g.top, g.right, g.bottom);

  const auto polygon = [&p](const std::vector<PicturePoint>& points, bool marks) {
    for (std::size_t i = 1; i < points.size(); ++i)
      DrawLine(p, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    if (marks) {
      for (const PicturePoint& pt : points) DrawCircleMark(p, pt.x, pt.y);
    }
  };
  p.setBrush(kEmpiricalColor);
  p.setPen(StyledPen(kEmpiricalColor, 1));
  polygon(g.empirical, true);
  p.setBrush(Qt::NoBrush);
  p.setPen(StyledPen(kTheoreticalColor, 1, kPenDot));
  polygon(g.theoretical, false);

  p.setPen(StyledPen(Qt::black, 1));
  for (const PictureTick& tick : g.yTicks) {
    DrawLine(p, g.left, tick.at, g.left - 4, tick.at);
    const QString label = Text(tick.label);
    TextOut(p, g.left - TextWidth(p, label) - 4, tick.at - 6, label);
  }
  for (const PictureTick& tick : g.xTicks) {
    DrawLine(p, tick.at, g.bottom, tick.at, g.bottom + 5);
    XLabel(p, tick, g.bottom + 5, g.classWidth);
  }
  for (const PictureText& t : g.statistics) TextOut(p, t.x, t.y, Text(t.text));

  TextOut(p, g.left + 70, g.top - 30, QStringLiteral("Теоретические частоты"));
  p.setPen(StyledPen(kTheoreticalColor, 1, kPenDot));
  DrawLine(p, g.left + 40, g.top - 23, g.left + 60, g.top - 23);
  p.setPen(StyledPen(Qt::black, 1));
  TextOut(p, g.left + 270, g.top - 30, QStringLiteral("Эмпирические частоты"));
  p.setPen(StyledPen(kEmpiricalColor, 1));
  DrawLine(p, g.left + 240, g.top - 23, g.left + 260, g.top - 23);
  p.restore();
}

void DrawScatterPicture(QPainter& p, const ScatterLayout& g) {
  if (!g.refusal.empty()) return;
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(StyledPen(Qt::black, 1));
  p.setFont(PictureFont());
  TextOut(p, 10, 10, Text(g.yName));
  TextOut(p, g.right - 20, g.bottom + 20, Text(g.xName));
  DrawRectangle(p, g.left, g.top, g.right, g.bottom);

  p.setBrush(Qt::red);
  for (const PicturePoint& pt : g.points) DrawCircleMark(p, pt.x, pt.y);
  p.setBrush(Qt::NoBrush);

  for (const PictureTick& tick : g.xTicks) {
    DrawLine(p, tick.at, g.bottom, tick.at, g.bottom + 5);
    XLabel(p, tick, g.bottom + 6, g.stepX);
  }
  for (const PictureTick& tick : g.yTicks) {
    DrawLine(p, g.left, tick.at, g.left - 5, tick.at);
    const QString label = Text(tick.label);
    const int width = TextWidth(p, label);
    if (width < g.stepY + 1) TextOut(p, g.left - width - 4, tick.at - 6, label);
  }
  p.restore();
}

}  // namespace tavrel
