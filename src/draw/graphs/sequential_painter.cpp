#include "draw/graphs/sequential_painter.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPageSize>
#include <QPdfWriter>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/numbers.h"
#include "core/graphs/date_labels.h"
#include "core/shell/settings.h"
#include "draw/graphs/canvas.h"
#include "draw/graphs/picture_file.h"

namespace tavrel {

namespace {

constexpr int kLevelFontPoints = 6;
constexpr int kSquareMarkSize = 3;

// The observations firstDay..lastDay of 0..last whose points or labels may reach into exposed.
void ExposedObservations(const SequentialLayout& layout, const QRect& exposed, int margin, std::int32_t last,
                         std::int32_t firstDay, std::int32_t lastDay, std::int32_t& first, std::int32_t& final) {
  const long long step = layout.device.stepX;
  const long long from = (static_cast<long long>(exposed.left()) - layout.device.left - margin) / step - 2;
  const long long to = (static_cast<long long>(exposed.right()) - layout.device.left) / step + 1;
  first = static_cast<std::int32_t>(std::clamp<long long>(std::max<long long>(from, firstDay), 0,
                                                          std::max<std::int32_t>(last, 0)));
  final = static_cast<std::int32_t>(std::clamp<long long>(std::min<long long>(to, lastDay), -1, last));
}

void Reset(QPainter& p, const SequentialLook& look) {
  p.setPen(StyledPen(Qt::black, look.penWidth));
  p.setBrush(Qt::white);
  p.setFont(look.font);
}

// The bands of page, then its lower X axis and the marks from the first band's
// top. Names and Y axes stay at the left; the days are drawn pg.shift pixels
// to the left, and then only right of the Y axes.
void DrawBands(QPainter& p, const SequentialLayout& layout, const SequentialLook& look, const SequentialPage& pg,
               const QRect& exposed) {
  Reset(p, look);
  const int h = TextHeight(p);
  const int left = layout.device.left;
  const bool shifted = pg.shift != 0;
  const QRect days = exposed.translated(static_cast<int>(pg.shift), 0);
  const auto onDays = [&](auto draw) {
    p.save();
    if (shifted) {
      p.setClipRect(QRect(QPoint(left, exposed.top()), exposed.bottomRight()), Qt::IntersectClip);
      p.translate(-static_cast<double>(pg.shift), 0);
    }
    draw();
    p.restore();
  };
  for (int v = pg.firstBand; v <= pg.lastBand; ++v) {
    const SequentialBand& b = layout.bands[static_cast<std::size_t>(v)];
    if (b.bottom + h < exposed.top() || b.top > exposed.bottom() + 1) continue;
    DrawYAxis(p, left, b.bottom, b.ticks, layout.device.stepY);
    onDays([&] {
      DrawCurve(p, layout, b, days, pg.firstDay, pg.lastDay);
      if (layout.showLevels && !layout.levelTicksOnly) DrawLevels(p, layout, b, look);
    });
    if (shifted) DrawLine(p, left, b.top, left, b.bottom - 1);
    if (layout.showLevels && layout.levelTicksOnly) DrawLevels(p, layout, b, look);
    TextOut(p, 1, b.top, QString::fromStdString(b.name));
  }
  const SequentialBand& closing = layout.bands[static_cast<std::size_t>(pg.lastBand)];
  onDays([&] {
    DrawXAxis(p, layout, closing.right, pg.axisY, closing.last, false, days, pg.firstDay, pg.lastDay);
    if (!layout.marks.empty()) DrawXMarks(p, layout, closing.right, layout.device.firstTop, pg.axisY, look);
  });
}

}  // namespace

void DrawYAxis(QPainter& p, int left, int bottom, const YTicks& ticks, int pixelStep, int tickLength) {
  const bool labelled = TextHeight(p) < pixelStep + 2;
  const int h = TextHeight(p);
  for (std::size_t i = 0; i < ticks.values.size(); ++i) {
    const int y = bottom - static_cast<int>(i) * pixelStep - 1;
    if (labelled) {
      const QString label = QString::fromStdString(FixedText(ticks.values[i], 6, 1));
      TextOut(p, left - TextWidth(p, label) - 3, y - h, label);
    }
    DrawLine(p, left - tickLength, y, left, y);
  }
}

void DrawCurve(QPainter& p, const SequentialLayout& layout, const SequentialBand& band, const QRect& exposed,
               std::int32_t firstDay, std::int32_t lastDay) {
  const int left = layout.device.left;
  const int right = static_cast<int>(band.right);
  p.setBrush(Qt::white);
  DrawRectangle(p, left, band.top, right, band.bottom);
  if (band.last < 0) return;
  p.save();
  // A point never strays over the next band.
  p.setClipRect(QRect(QPoint(left, band.top), QPoint(right - 1, band.bottom - 1)), Qt::IntersectClip);
  p.setBrush(Qt::black);
  std::int32_t first = 0, final = 0;
  ExposedObservations(layout, exposed, 2, band.last, firstDay, lastDay, first, final);
  std::vector<QPoint> piece;
  piece.reserve(static_cast<std::size_t>(std::max(0, final - first + 1)));
  const auto flush = [&] {
    if (piece.size() > 1) p.drawPolyline(piece.data(), static_cast<int>(piece.size()));
    piece.clear();
  };
  std::vector<double> values;
  layout.DrawnValues(band, first, final, values);
  const auto pointY = [&](std::int32_t j, int& y) {
    return layout.RowOf(band, values[static_cast<std::size_t>(j - first)], y);
  };
  for (std::int32_t j = first; j <= final; ++j) {
    int y = 0;
    if (!pointY(j, y)) {
      flush();
      continue;
    }
    piece.emplace_back(static_cast<int>(layout.PointX(j)), y);
  }
  flush();
  // The 3x3 squares of the points (as DrawSquareMark) in one call: one
  // element in an SVG picture, a short rectangle operator each in a PDF.
  std::vector<QRect> squares;
  squares.reserve(piece.capacity());
  for (std::int32_t j = first; j <= final; ++j) {
    int y = 0;
    if (!pointY(j, y)) continue;
    const int x = static_cast<int>(layout.PointX(j));
    squares.emplace_back(x - 1, y - 1, kSquareMarkSize, kSquareMarkSize);
  }
  p.setPen(Qt::NoPen);
  p.drawRects(squares.data(), static_cast<int>(squares.size()));
  p.restore();
  p.setBrush(Qt::white);
}

void DrawXAxis(QPainter& p, const SequentialLayout& layout, long long right, int y, std::int32_t last, bool upper,
               const QRect& exposed, std::int32_t firstDay, std::int32_t lastDay) {
  const int stepX = layout.device.stepX;
  if (stepX < 3) return;
  const int h = TextHeight(p);
  if (y + 7 + h < exposed.top() || y - 7 - h > exposed.bottom()) return;
  const int every = layout.xLabelEvery;
  const QString widest = layout.dates ? QStringLiteral("00.00.0000") : QString::number(last + 1);
  const int widestWidth = TextWidth(p, widest);
  const int dateStep = DateLabelStep(p, stepX);
  std::int32_t first = 0, final = 0;
  ExposedObservations(layout, exposed, widestWidth + 2, last, firstDay, lastDay, first, final);
  const int dir = upper ? -1 : 1;
  const int labelY = upper ? y - 4 - h : y + 4;
  for (std::int32_t j = first; j <= final; ++j) {
    const std::int32_t k = j + 1;
    const int x = static_cast<int>(layout.PointX(j));
    DrawLine(p, x, y, x, y + dir * (upper ? 6 : 5));
    if (layout.dates) {
      TextOut(p, x + 1, labelY, QString::fromStdString(DateTickLabel(layout.dates, j, dateStep)));
      continue;
    }
    if (k % every != 0) continue;
    const QString label = QString::number(k);
    if (every == 1) {
      TextOut(p, x + 1, labelY, label);
      continue;
    }
    // A labelled tick among unlabelled ones is longer and double.
    DrawLine(p, x, y + dir * 5, x, y + dir * 7);
    DrawLine(p, x + 1, y, x + 1, y + dir * 7);
    TextOut(p, x + 2, labelY, label);
  }
  const int from = std::max(layout.device.left, exposed.left() - 1);
  const int to = static_cast<int>(std::min<long long>(right, exposed.right() + 1));
  if (from <= to) DrawLine(p, from, y, to, y);
}

void DrawLevels(QPainter& p, const SequentialLayout& layout, const SequentialBand& band, const SequentialLook& look) {
  if (band.levels.empty()) return;
  QFont small = look.font;
  small.setPointSize(kLevelFontPoints);
  p.setFont(small);
  p.setPen(StyledPen(layout.levelPen));
  const int left = layout.device.left;
  const int right = static_cast<int>(band.right);
  int lowest = band.bottom, highest = band.top;
  for (const LevelRow& row : band.levels) {
    if (layout.levelTicksOnly) {
      DrawLine(p, left + 5, row.y - 1, left + 10, row.y - 1);
      lowest = std::min(lowest, row.y);
      highest = std::max(highest, row.y);
    } else {
      DrawLine(p, left + 1, row.y - 1, right - 1, row.y - 1);
      TextOut(p, right + 4, row.y - 6, QString::fromStdString(layout.levelLabels[row.line]));
    }
  }
  // Ticks beside the axis are joined by a vertical stroke.
  if (layout.levelTicksOnly) DrawLine(p, left + 7, lowest, left + 7, highest);
  Reset(p, look);
}

void DrawXMarks(QPainter& p, const SequentialLayout& layout, long long right, int top, int bottom,
                const SequentialLook& look) {
  p.setPen(StyledPen(layout.markPen));
  for (const std::int32_t i : layout.marks) {
    const long long x = layout.PointX(i);
    if (x < right) DrawLine(p, static_cast<int>(x), top + 1, static_cast<int>(x), bottom - 1);
  }
  Reset(p, look);
}

void DrawGraph(QPainter& p, const SequentialLayout& layout, const SequentialLook& look, const QRect& exposed) {
  if (layout.bands.empty()) return;
  SequentialPage whole;
  whole.lastBand = static_cast<int>(layout.bands.size()) - 1;
  whole.axisY = layout.bands.back().bottom;
  whole.lastDay = kLastDay;
  DrawBands(p, layout, look, whole, exposed);
  if (layout.device.upperAxis) {
    const SequentialBand& first = layout.bands.front();
    DrawXAxis(p, layout, first.right, layout.device.firstTop, first.last, true, exposed);
  }
}

bool DrawPrintedGraph(QPagedPaintDevice& device, const SequentialLayout& layout, const SequentialLook& look,
                      const QString& title) {
  QPainter p;
  if (!p.begin(&device)) return false;
  const QRect page(0, 0, device.width(), device.height());
  Reset(p, look);
  // The title, the dates' range and the smoothing, each present one after the other.
  QStringList parts;
  for (const QString& part : {title, QString::fromStdString(layout.dateRange), QString::fromStdString(layout.smoothing)})
    if (!part.isEmpty()) parts << part;
  TextOut(p, 0, 0, parts.join(QStringLiteral(". ")));
  for (std::size_t k = 0; k < layout.pages.size(); ++k) {
    if (k > 0 && !device.newPage()) return false;
    DrawBands(p, layout, look, layout.pages[k], page);
  }
  return p.end();
}

namespace {

// What pictures written to files are measured on.
QImage& PictureDevice() {
  static QImage image = [] {
    QImage i(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(kPictureDpi / 0.0254);
    i.setDotsPerMeterX(dotsPerMeter);
    i.setDotsPerMeterY(dotsPerMeter);
    return i;
  }();
  return image;
}

}  // namespace

SequentialLook ScreenLook(const Settings& s) { return {GraphFont(s.GraphFontName, s.GraphFontSize), s.GraphPenWidth}; }

SequentialLook PrintLook(const Settings& s) {
  return {GraphFont(s.PrintGraphFontName, s.PrintGraphFontSize), s.PrintPenWidth};
}

SequentialDevice ScreenDevice(const SequentialLook& look, QPaintDevice* device, const Settings& s,
                              const GraphOptions& options) {
  SequentialDevice d;
  d.left = GraphLeftMargin(look.font, device);
  d.stepX = s.StepX;
  d.stepY = s.StepY;
  d.firstTop = kScreenFirstTop;
  d.upperAxis = options.UpperXAxis;
  d.digitWidth = DigitWidth(look.font, device);
  return d;
}

SequentialDevice PrintDevice(const SequentialLook& look, QPagedPaintDevice& device, const Settings& s) {
  SequentialDevice d;
  d.left = GraphLeftMargin(look.font, &device);
  d.stepX = s.PrintStepX;
  d.stepY = s.PrintStepY;
  d.firstTop = kPrintFirstTop;
  d.pageHeight = device.height();
  d.pageWidth = device.width();
  d.digitWidth = DigitWidth(look.font, &device);
  return d;
}

QString SaveSequentialPicture(const QString& path, const SequentialSource& source, std::vector<std::string>& messages) {
  const SequentialLook look = ScreenLook(source.settings);
  const SequentialLayout layout =
      ComputeSequentialLayout(source, ScreenDevice(look, &PictureDevice(), source.settings, source.options));
  messages = layout.messages;
  const QSize size(static_cast<int>(layout.width), static_cast<int>(layout.height));
  return SavePicture(path, size, [&](QPainter& p) { DrawGraph(p, layout, look, QRect(QPoint(0, 0), size)); });
}

QString SavePrintedSequential(const QString& path, const SequentialSource& source, const QString& title,
                              std::vector<std::string>& messages) {
  return WritePictureFile(path, [&](QIODevice& file) {
    QPdfWriter pdf(&file);
    pdf.setResolution(kPrintDpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const SequentialLook look = PrintLook(source.settings);
    const SequentialLayout layout = ComputeSequentialLayout(source, PrintDevice(look, pdf, source.settings));
    messages = layout.messages;
    return DrawPrintedGraph(pdf, layout, look, title);
  });
}

}  // namespace tavrel
