#pragma once
// The chart window's 3-D picture: lays the chart out when its size or the
// chart changes and paints the laid-out scene.
#include <QWidget>
#include <functional>

#include "core/graphs/chart_scene.h"

namespace tavrel {

class ChartSceneView : public QWidget {
 public:
  // layout gives the scene for a picture of the given size.
  using Layout = std::function<ChartScene(const QSizeF&)>;
  ChartSceneView(Layout layout, QWidget* parent);

  // Lays the chart out again and repaints it.
  void Relayout();
  const ChartScene& Scene() const { return scene_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Layout layout_;
  ChartScene scene_;
};

}  // namespace tavrel
