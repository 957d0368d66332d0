#include "app/graphs/chart_scene_view.h"

#include <QPainter>

#include "draw/graphs/chart_scene_painter.h"

namespace tavrel {

ChartSceneView::ChartSceneView(Layout layout, QWidget* parent) : QWidget(parent), layout_(std::move(layout)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartSceneView::Relayout() {
  scene_ = layout_(QSizeF(size()));
  update();
}

void ChartSceneView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  PaintChartScene(p, scene_);
}

void ChartSceneView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

}  // namespace tavrel
