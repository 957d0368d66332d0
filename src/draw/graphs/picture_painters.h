#pragma once
// Painting the distribution graph and the scatter diagram from their layouts,
// on any device (window image, file, printer) in the picture's own pixels.
#include <QImage>

#include "graphs/picture_file.h"
#include "graphs/picture_layouts.h"

class QPainter;

namespace tavrel {

void DrawDistributionPicture(QPainter& p, const DistributionLayout& g);
void DrawScatterPicture(QPainter& p, const ScatterLayout& g);

// The picture painted once on a white image of the given size, as the windows show it.
QImage PaintedImage(const QSize& size, const PaintFunction& paint);

}  // namespace tavrel
