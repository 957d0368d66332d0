#pragma once
// Painting the chart, flat or in its 3-D view, on the window, an image, a
// vector picture or a printer page alike.
#include <QRectF>
#include <QSizeF>
#include <string>
#include <vector>

#include "core/graphs/chart_scene.h"

class QPainter;

namespace tavrel {

// Text sizes of the scene's fonts, which are sized in pixels of a 96 dpi
// screen so that a scaled painter scales them with the rest of the picture.
TextMeasure ChartSceneTextMeasure();

// The scene, its items in order.
void PaintChartScene(QPainter& p, const ChartScene& scene);

// The chart laid out for a picture of size (pixels of a 96 dpi screen) and
// painted scaled into target, keeping its proportions, centred.
void DrawChart(QPainter& p, const QRectF& target, const QSizeF& size, const ChartModel& model,
               const std::vector<StackedSeries>& stacked, const ChartRange& range, const ChartView& view, bool marks,
               const std::string& means);

}  // namespace tavrel
