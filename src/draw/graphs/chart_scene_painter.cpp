#include "draw/graphs/chart_scene_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "draw/graphs/canvas.h"

namespace tavrel {

namespace {

QFont SceneFont(int pointSize) {
  QFont font = GraphFont("Arial", pointSize);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72))));
  return font;
}

QPointF At(const Vec2& v) { return {v.x, v.y}; }

// Points that are not numbers or lie beyond any picture would stall the
// polygon fill; an item with one is left out.
bool Drawable(const SceneItem& item) {
  return std::all_of(item.points.begin(), item.points.end(), [](const Vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::fabs(v.x) < 1e7 && std::fabs(v.y) < 1e7;
  });
}

void PaintSymbol(QPainter& p, const SceneItem& item) {
  const QPointF c = At(item.points.front());
  const double h = kSymbolSize / 2;
  const QColor color = RgbColor(item.pen);
  p.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(RgbColor(item.fill));
  switch (item.symbol) {
    case PointSymbol::Rectangle: p.drawRect(QRectF(c.x() - h + 0.5, c.y() - h + 0.5, 2 * h - 1, 2 * h - 1)); break;
    case PointSymbol::Circle: p.drawEllipse(c, h - 0.5, h - 0.5); break;
    case PointSymbol::Triangle:
      p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - h), QPointF(c.x() + h, c.y() + h), QPointF(c.x() - h, c.y() + h)}));
      break;
    case PointSymbol::Star:
      p.drawLine(QPointF(c.x() - h * 0.7, c.y() - h * 0.7), QPointF(c.x() + h * 0.7, c.y() + h * 0.7));
      p.drawLine(QPointF(c.x() - h * 0.7, c.y() + h * 0.7), QPointF(c.x() + h * 0.7, c.y() - h * 0.7));
      [[fallthrough]];
    case PointSymbol::Cross:
      p.drawLine(QPointF(c.x() - h, c.y()), QPointF(c.x() + h, c.y()));
      p.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h));
      break;
    case PointSymbol::DiagCross:
      p.drawLine(QPointF(c.x() - h, c.y() - h), QPointF(c.x() + h, c.y() + h));
      p.drawLine(QPointF(c.x() - h, c.y() + h), QPointF(c.x() + h, c.y() - h));
      break;
  }
}

void PaintText(QPainter& p, const SceneItem& item) {
  if (item.points.empty()) return;
  const QFont font = SceneFont(item.pointSize);
  const QFontMetricsF metrics(font);
  const QString text = QString::fromStdString(item.text);
  const double w = metrics.horizontalAdvance(text), h = metrics.height();
  const QPointF at = At(item.points.front());
  QPointF topLeft;
  switch (item.anchor) {
    case TextAnchor::RightMiddle: topLeft = {at.x() - w, at.y() - h / 2}; break;
    case TextAnchor::TopCenter: topLeft = {at.x() - w / 2, at.y()}; break;
    case TextAnchor::BottomCenter: topLeft = {at.x() - w / 2, at.y() - h}; break;
    case TextAnchor::LeftMiddle: topLeft = {at.x(), at.y() - h / 2}; break;
  }
  if (item.framed) {
    const QRectF frame(topLeft.x() - 2, topLeft.y(), w + 4, h);
    topLeft.ry() -= 1;
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(RgbColor(item.fill));
    p.drawRect(frame.translated(0, -1));
  }
  p.setFont(font);
  p.setPen(RgbColor(item.pen));
  p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

// Whether the four corners go round a rectangle with upright sides.
bool UprightRectangle(const QPolygonF& q) {
  if (q.size() != 4) return false;
  const auto round = [&q](bool xFirst) {
    for (int i = 0; i < 4; ++i) {
      const QPointF& a = q[i];
      const QPointF& b = q[(i + 1) % 4];
      if ((i % 2 == 0) == xFirst ? a.x() != b.x() : a.y() != b.y()) return false;
    }
    return true;
  };
  return round(true) || round(false);
}

}  // namespace

TextMeasure ChartSceneTextMeasure() {
  return {[](const std::string& text, int pointSize) {
            return QFontMetricsF(SceneFont(pointSize)).horizontalAdvance(QString::fromStdString(text));
          },
          [](int pointSize) { return QFontMetricsF(SceneFont(pointSize)).height(); }};
}

void PaintChartScene(QPainter& p, const ChartScene& scene) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF polygon;
  for (const SceneItem& item : scene.items) {
    if (!Drawable(item)) continue;
    switch (item.kind) {
      case SceneItemKind::Face:
        polygon.clear();
        for (const Vec2& v : item.points) polygon << At(v);
        p.setPen(QPen(RgbColor(item.pen), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(RgbColor(item.fill));
        if (UprightRectangle(polygon)) {
          // A flat bar: upright edges need no smoothing, and thousands of
          // bars paint several times faster without it.
          p.setRenderHint(QPainter::Antialiasing, false);
          p.drawRect(polygon.boundingRect());
          p.setRenderHint(QPainter::Antialiasing);
          break;
        }
        // A band folding over itself stays filled where it overlaps.
        p.drawPolygon(polygon, Qt::WindingFill);
        break;
      case SceneItemKind::Line:
        polygon.clear();
        for (const Vec2& v : item.points) polygon << At(v);
        p.setPen(QPen(RgbColor(item.pen), 1, item.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
        p.drawPolyline(polygon);
        break;
      case SceneItemKind::Columns: {
        // Whole columns side by side need no smoothing.
        p.setRenderHint(QPainter::Antialiasing, false);
        const QColor color = RgbColor(item.pen);
        for (std::size_t k = 0; k + 1 < item.points.size(); k += 2)
          p.fillRect(QRectF(At(item.points[k]), At(item.points[k + 1])), color);
        p.setRenderHint(QPainter::Antialiasing);
        break;
      }
      case SceneItemKind::Symbol:
        if (!item.points.empty()) PaintSymbol(p, item);
        break;
      case SceneItemKind::Text:
        PaintText(p, item);
        break;
    }
  }
  p.restore();
}

void DrawChart(QPainter& p, const QRectF& target, const QSizeF& size, const ChartModel& model,
               const std::vector<StackedSeries>& stacked, const ChartRange& range, const ChartView& view, bool marks,
               const std::string& means) {
  if (target.isEmpty() || size.isEmpty()) return;
  const ChartScene scene = LayoutChartScene(model, stacked, range, view, marks, means, size.width(), size.height(),
                                            ChartSceneTextMeasure());
  const double scale = std::min(target.width() / size.width(), target.height() / size.height());
  p.save();
  p.fillRect(target, Qt::white);
  p.translate(target.x() + (target.width() - size.width() * scale) / 2,
              target.y() + (target.height() - size.height() * scale) / 2);
  p.scale(scale, scale);
  PaintChartScene(p, scene);
  p.restore();
}

}  // namespace tavrel
