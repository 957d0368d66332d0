#pragma once
// The plain canvas operations every graph draws with, keeping the pixel
// conventions of the program's pictures: a rectangle leaves out its right and
// bottom edges, text is placed by its top-left corner, and a pen of width 0 is
// one pixel wide.
#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>
#include <cstdint>
#include <string>

#include "core/data/graph_overlays.h"

class QPainter;
class QPaintDevice;

namespace tavrel {

void DrawLine(QPainter& p, int x1, int y1, int x2, int y2);
// A 5-pixel circle in the current pen and brush.
void DrawCircleMark(QPainter& p, int x, int y);
// A 3x3 square in the current brush.
void DrawSquareMark(QPainter& p, int x, int y);

// The outline of the rectangle from (left, top) up to but not including
// (right, bottom), filled with the current brush.
void DrawRectangle(QPainter& p, int left, int top, int right, int bottom);
// Text whose top-left corner is at (x, y).
void TextOut(QPainter& p, int x, int y, const QString& text);
int TextWidth(const QPainter& p, const QString& text);
int TextHeight(const QPainter& p);
// How many observations apart dates are labelled on an X axis of stepX pixels
// per observation in the painter's font (DateLabelStep of the engine).
int DateLabelStep(const QPainter& p, int stepX);

QColor RgbColor(std::uint32_t rgb);
// A pen of the given width (0: one pixel) and numbered style.
QPen StyledPen(const QColor& color, int width, int style = kPenSolid);
QPen StyledPen(const PenSpec& spec);
// The graph font of the settings: family and size in points.
QFont GraphFont(const std::string& family, int pointSize);
// The left margin of the graphs: the width of eight "W" in font on device.
int GraphLeftMargin(const QFont& font, QPaintDevice* device);
// The width of the widest digit in font on device.
int DigitWidth(const QFont& font, QPaintDevice* device);

}  // namespace tavrel
