#pragma once
// The graph of the first variable in force that the graphic editor starts
// from: one band filling the picture, drawn once into it.
#include <QSize>
#include <string>
#include <vector>

#include "draw/graphs/sequential_painter.h"

class QPainter;

namespace tavrel {

// The plot's margins inside the picture.
inline constexpr int kEditorPlotLeft = 60;
inline constexpr int kEditorPlotRight = 60;   // from the right edge
inline constexpr int kEditorPlotTop = 20;
inline constexpr int kEditorPlotBottom = 40;  // from the bottom edge

// Paints the graph of variable 0 of the source's data set with its options
// (smoothing, labels every 5) and overlays (level lines, day marks) on a white
// picture of the given size. A
// variable without values, or a picture too small for a plot, gets its name
// and an empty frame. Returns what the user must hear (a series too short to
// smooth).
std::vector<std::string> DrawEditorGraph(QPainter& p, const QSize& size, const SequentialLook& look,
                                         const SequentialSource& source);

}  // namespace tavrel
