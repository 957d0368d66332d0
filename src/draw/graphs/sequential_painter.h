#pragma once
// Painting the sequential graph from its layout: the window, an image, a
// vector picture and printed pages all go through these routines. Painting
// only reads the layout; it shows nothing and changes nothing.
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "core/graphs/sequential_layout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace tavrel {

// How the graph looks on one device.
struct SequentialLook {
  QFont font;
  int penWidth = 1;
};

// The whole graph on one surface, drawing only what lies inside exposed.
void DrawGraph(QPainter& p, const SequentialLayout& layout, const SequentialLook& look, const QRect& exposed);

// The graph over pages, each closed with its X axis and marks; the title at
// the top left of the first page. The layout must have been made with the
// device's page height. Returns false when the device could not be painted on.
bool DrawPrintedGraph(QPagedPaintDevice& device, const SequentialLayout& layout, const SequentialLook& look,
                      const QString& title);

// The pieces, for the graphs built on this one.
// Ticks reach tickLength pixels left of the axis.
void DrawYAxis(QPainter& p, int left, int bottom, const YTicks& ticks, int pixelStep, int tickLength = 3);
void DrawCurve(QPainter& p, const SequentialLayout& layout, const SequentialBand& band, const QRect& exposed);
void DrawXAxis(QPainter& p, const SequentialLayout& layout, long long right, int y, std::int32_t last, bool upper,
               const QRect& exposed);
void DrawLevels(QPainter& p, const SequentialLayout& layout, const SequentialBand& band, const SequentialLook& look);
void DrawXMarks(QPainter& p, const SequentialLayout& layout, long long right, int top, int bottom,
                const SequentialLook& look);

// The graph's font and pen width of the window and of printing, from the settings.
SequentialLook ScreenLook(const Settings& s);
SequentialLook PrintLook(const Settings& s);
// The device description for the window or a picture (screen steps, upper
// axis as the options choose), and for printed pages (print steps, paging, no upper axis).
SequentialDevice ScreenDevice(const SequentialLook& look, QPaintDevice* device, const Settings& s,
                              const GraphOptions& options);
SequentialDevice PrintDevice(const SequentialLook& look, QPagedPaintDevice& device, const Settings& s);

// The whole graph of the source with the screen settings as a picture file
// chosen by its suffix. Returns an empty text or the message to show; the
// layout's own messages go to messages.
QString SaveSequentialPicture(const QString& path, const SequentialSource& source, std::vector<std::string>& messages);
// The graph as printed, over A4 pages of a PDF file at printer resolution.
QString SavePrintedSequential(const QString& path, const SequentialSource& source, const QString& title,
                              std::vector<std::string>& messages);

}  // namespace tavrel
