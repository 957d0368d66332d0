#pragma once
// Painting the distribution graph and the scatter diagram from their layouts,
// on any device (window image, file, printer) in the picture's own pixels.
#include "draw/graphs/picture_file.h"
#include "core/graphs/picture_layouts.h"

class QPainter;

namespace tavrel {

void DrawDistributionPicture(QPainter& p, const DistributionLayout& g);
void DrawScatterPicture(QPainter& p, const ScatterLayout& g);

}  // namespace tavrel
