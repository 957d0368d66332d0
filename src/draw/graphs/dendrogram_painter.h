#pragma once
// Painting the dendrogram from its layout, on the window, an image, a vector
// picture or a printer page alike.
#include <QRect>
#include <QString>

#include "core/cluster/dendrogram_layout.h"

class QPainter;

namespace tavrel {

// The picture's size when nothing else asks for one, as the window shows it.
inline constexpr int kDendrogramWidth = 736;
inline constexpr int kDendrogramHeight = 469;

// The size of the labels of a tree of so many objects, in the painter's label font.
DendrogramLabelSize MeasureDendrogramLabels(int objects);

// The tree of history laid out on a picture of width x height with the painter's labels.
DendrogramLayout LayDendrogram(const Array<Clust>& history, int width, int height);

// The tree on a white ground, drawing only what lies inside exposed.
void DrawDendrogram(QPainter& p, const DendrogramLayout& layout, const QRect& exposed);

// The whole tree written to path, by its suffix. Returns the failure to show, or empty.
QString SaveDendrogram(const QString& path, const DendrogramLayout& layout);

}  // namespace tavrel
