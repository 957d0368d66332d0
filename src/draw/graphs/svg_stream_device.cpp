#include "draw/graphs/svg_stream_device.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QIODevice>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QRegion>
#include <QTextItem>
#include <QTransform>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace tavrel {

namespace {

// The buffer is handed to the device whenever it holds this many bytes.
constexpr std::size_t kFlushSize = 64 * 1024;

// What the engine draws itself; gradients, patterns and the like are left to
// the painter, which draws them as images.
QPaintEngine::PaintEngineFeatures SvgFeatures() {
  return QPaintEngine::PrimitiveTransform | QPaintEngine::PixmapTransform | QPaintEngine::AlphaBlend |
         QPaintEngine::PainterPaths | QPaintEngine::Antialiasing | QPaintEngine::ConstantOpacity |
         QPaintEngine::PaintOutsidePaintEvent;
}

void AppendInt(std::string& out, long long v) {
  char text[24];
  out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// A coordinate to a ten-thousandth of a pixel, in the fewest digits; what
// cannot be a number in SVG (infinite or undefined) as 0.
void AppendNumber(std::string& out, double v) {
  if (!std::isfinite(v)) v = 0;
  if (std::abs(v) < 1e12) v = std::round(v * 1e4) / 1e4;
  if (v == 0) v = 0;  // no "-0"
  char text[32];
  out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
}

void AppendPoint(std::string& out, const QPointF& p) {
  AppendNumber(out, p.x());
  out += ',';
  AppendNumber(out, p.y());
}

void AppendPoint(std::string& out, const QPoint& p) {
  AppendInt(out, p.x());
  out += ',';
  AppendInt(out, p.y());
}

// Text as XML character data or an attribute value, in UTF-8; the control
// characters XML cannot hold are left out.
void AppendEscaped(std::string& out, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
}

void AppendAttribute(std::string& out, const char* name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNumber(out, value);
  out += '"';
}

void AppendColor(std::string& out, const char* name, const QColor& color, double opacity) {
  out += ' ';
  out += name;
  out += "=\"";
  out += color.name(QColor::HexRgb).toStdString();
  out += '"';
  const double alpha = color.alphaF() * opacity;
  if (alpha < 1) AppendAttribute(out, (std::string(name) + "-opacity").c_str(), alpha);
}

// The "d" data of a path: a closing "Z" where a subpath ends where it began.
void AppendPathData(std::string& out, const QPainterPath& path) {
  QPointF start;
  QPointF last;
  int pieces = 0;
  const auto close = [&] {
    if (pieces > 2 && last == start) out += 'Z';
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        close();
        out += 'M';
        start = e;
        pieces = 0;
        break;
      case QPainterPath::LineToElement:
        out += 'L';
        break;
      case QPainterPath::CurveToElement:
        out += 'C';
        break;
      case QPainterPath::CurveToDataElement:
        out += ' ';
        break;
    }
    AppendPoint(out, e);
    last = e;
    ++pieces;
  }
  close();
}

const char* FillRule(Qt::FillRule rule) { return rule == Qt::WindingFill ? "nonzero" : "evenodd"; }

}  // namespace

class SvgStreamEngine : public QPaintEngine {
 public:
  SvgStreamEngine(QIODevice& out, const QSize& size, int dpi)
      : QPaintEngine(SvgFeatures()), out_(out), size_(size), dpi_(dpi) {}

  bool begin(QPaintDevice*) override {
    buffer_.clear();
    failed_ = false;
    clipOpen_ = styleOpen_ = false;
    clipCount_ = 0;
    buffer_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    buffer_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    const double mmPerPixel = 25.4 / dpi_;
    buffer_ += " width=\"";
    AppendNumber(buffer_, size_.width() * mmPerPixel);
    buffer_ += "mm\" height=\"";
    AppendNumber(buffer_, size_.height() * mmPerPixel);
    buffer_ += "mm\" viewBox=\"0 0 ";
    AppendInt(buffer_, size_.width());
    buffer_ += ' ';
    AppendInt(buffer_, size_.height());
    buffer_ += "\">\n";
    return true;
  }

  bool end() override {
    CloseStyle();
    CloseClip();
    buffer_ += "</svg>\n";
    Flush();
    return !failed_;
  }

  void updateState(const QPaintEngineState& state) override {
    const DirtyFlags flags = state.state();
    if (flags & (DirtyPen | DirtyBrush | DirtyTransform | DirtyOpacity)) styleChanged_ = true;
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & DirtyOpacity) opacity_ = state.opacity();
    // A clip comes in the coordinates of the transform it was set under and
    // is kept in the picture's.
    if (flags & DirtyClipRegion) {
      QPainterPath path;
      for (const QRect& r : state.clipRegion()) path.addRect(r);
      ChangeClip(path, state.clipOperation());
    }
    if (flags & DirtyClipPath) ChangeClip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipEnabled) clipEnabled_ = state.isClipEnabled();
  }

  using QPaintEngine::drawEllipse;
  using QPaintEngine::drawLines;
  using QPaintEngine::drawPolygon;
  using QPaintEngine::drawRects;

  void drawRects(const QRect* rects, int count) override { Rectangles(rects, count); }
  void drawRects(const QRectF* rects, int count) override { Rectangles(rects, count); }

  void drawLines(const QLineF* lines, int count) override {
    if (Invisible(false)) return;
    for (int i = 0; i < count; ++i) {
      Open("<line");
      AppendAttribute(buffer_, "x1", lines[i].x1());
      AppendAttribute(buffer_, "y1", lines[i].y1());
      AppendAttribute(buffer_, "x2", lines[i].x2());
      AppendAttribute(buffer_, "y2", lines[i].y2());
      Close();
    }
  }

  void drawEllipse(const QRectF& r) override {
    if (Invisible(true)) return;
    const QRectF n = r.normalized();
    Open("<ellipse");
    AppendAttribute(buffer_, "cx", n.center().x());
    AppendAttribute(buffer_, "cy", n.center().y());
    AppendAttribute(buffer_, "rx", n.width() / 2);
    AppendAttribute(buffer_, "ry", n.height() / 2);
    Close();
  }

  void drawPath(const QPainterPath& path) override {
    if (path.isEmpty() || Invisible(true)) return;
    Open("<path fill-rule=\"");
    buffer_ += FillRule(path.fillRule());
    buffer_ += "\" d=\"";
    AppendPathData(buffer_, path);
    buffer_ += '"';
    Close();
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override { Polygon(points, count, mode); }
  void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override { Polygon(points, count, mode); }

  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
  }

  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override {
    const QImage part = sr == QRectF(image.rect()) ? image : image.copy(sr.toAlignedRect());
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    if (part.isNull() || !part.save(&pngBuffer, "PNG")) return;
    Open("<image preserveAspectRatio=\"none\"");
    AppendAttribute(buffer_, "x", r.x());
    AppendAttribute(buffer_, "y", r.y());
    AppendAttribute(buffer_, "width", r.width());
    AppendAttribute(buffer_, "height", r.height());
    if (opacity_ < 1) AppendAttribute(buffer_, "opacity", opacity_);
    buffer_ += " xlink:href=\"data:image/png;base64,";
    Flush();
    const QByteArray base64 = png.toBase64();
    for (qsizetype from = 0; from < base64.size(); from += static_cast<qsizetype>(kFlushSize)) {
      const qsizetype n = std::min<qsizetype>(base64.size() - from, static_cast<qsizetype>(kFlushSize));
      buffer_.append(base64.constData() + from, static_cast<std::size_t>(n));
      Flush();
    }
    buffer_ += '"';
    Close();
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    if (pen_.style() == Qt::NoPen) return;
    const QFont font = item.font();
    Open("<text xml:space=\"preserve\" stroke=\"none\"");
    AppendColor(buffer_, "fill", pen_.color(), opacity_);
    AppendAttribute(buffer_, "x", p.x());
    AppendAttribute(buffer_, "y", p.y());
    buffer_ += " font-family=\"";
    AppendEscaped(buffer_, font.family());
    buffer_ += '"';
    AppendAttribute(buffer_, "font-size", font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi_ / 72);
    AppendAttribute(buffer_, "font-weight", font.weight());
    if (font.italic()) buffer_ += " font-style=\"italic\"";
    buffer_ += '>';
    AppendEscaped(buffer_, item.text());
    buffer_ += "</text>\n";
    MaybeFlush();
  }

  Type type() const override { return SVG; }

 private:
  // Nothing to draw with a shape's (or a line's) pen and brush.
  bool Invisible(bool filled) const {
    return pen_.style() == Qt::NoPen && (!filled || brush_.style() == Qt::NoBrush);
  }

  // One rectangle as such, several (the points of a curve) as one path.
  template <typename Rect>
  void Rectangles(const Rect* rects, int count) {
    if (count < 1 || Invisible(true)) return;
    if (count == 1) {
      const QRectF r = QRectF(rects[0]).normalized();
      Open("<rect");
      AppendAttribute(buffer_, "x", r.x());
      AppendAttribute(buffer_, "y", r.y());
      AppendAttribute(buffer_, "width", r.width());
      AppendAttribute(buffer_, "height", r.height());
      Close();
      return;
    }
    Open("<path fill-rule=\"nonzero\" d=\"");
    for (int i = 0; i < count; ++i) {
      const Rect r = rects[i].normalized();
      buffer_ += 'M';
      AppendPoint(buffer_, r.topLeft());
      buffer_ += 'h';
      AppendNumber(buffer_, r.width());
      buffer_ += 'v';
      AppendNumber(buffer_, r.height());
      buffer_ += 'h';
      AppendNumber(buffer_, -r.width());
      buffer_ += 'z';
      MaybeFlush();
    }
    buffer_ += '"';
    Close();
  }

  template <typename Point>
  void Polygon(const Point* points, int count, PolygonDrawMode mode) {
    const bool line = mode == PolylineMode;
    if (count < 1 || Invisible(!line)) return;
    if (line) {
      Open("<polyline fill=\"none\" points=\"");
    } else {
      Open("<polygon fill-rule=\"");
      buffer_ += mode == WindingMode ? "nonzero" : "evenodd";
      buffer_ += "\" points=\"";
    }
    for (int i = 0; i < count; ++i) {
      if (i > 0) buffer_ += ' ';
      AppendPoint(buffer_, points[i]);
      MaybeFlush();
    }
    buffer_ += '"';
    Close();
  }

  void ChangeClip(const QPainterPath& logical, Qt::ClipOperation op) {
    const QPainterPath path = transform_.map(logical);
    if (op == Qt::NoClip) {
      clip_.reset();
    } else if (op == Qt::IntersectClip && clip_) {
      clip_ = clip_->intersected(path);
    } else {
      clip_ = path;
    }
  }

  // The attributes of the group an element is drawn in.
  std::string StyleAttributes() const {
    std::string s;
    if (brush_.style() == Qt::NoBrush) {
      s += " fill=\"none\"";
    } else {
      AppendColor(s, "fill", brush_.color(), opacity_);
    }
    if (pen_.style() == Qt::NoPen) {
      s += " stroke=\"none\"";
    } else {
      AppendColor(s, "stroke", pen_.color(), opacity_);
      const double width = pen_.widthF() > 0 ? pen_.widthF() : 1;
      AppendAttribute(s, "stroke-width", width);
      switch (pen_.capStyle()) {
        case Qt::SquareCap: s += " stroke-linecap=\"square\""; break;
        case Qt::RoundCap: s += " stroke-linecap=\"round\""; break;
        default: s += " stroke-linecap=\"butt\""; break;
      }
      switch (pen_.joinStyle()) {
        case Qt::BevelJoin: s += " stroke-linejoin=\"bevel\""; break;
        case Qt::RoundJoin: s += " stroke-linejoin=\"round\""; break;
        default:
          s += " stroke-linejoin=\"miter\"";
          AppendAttribute(s, "stroke-miterlimit", std::max(1.0, pen_.miterLimit()));
          break;
      }
      if (pen_.style() != Qt::SolidLine) {
        // The pattern counts pen widths.
        s += " stroke-dasharray=\"";
        const QList<qreal> pattern = pen_.dashPattern();
        for (qsizetype i = 0; i < pattern.size(); ++i) {
          if (i > 0) s += ',';
          AppendNumber(s, pattern[i] * width);
        }
        s += '"';
        if (pen_.dashOffset() != 0) AppendAttribute(s, "stroke-dashoffset", pen_.dashOffset() * width);
      }
      if (pen_.isCosmetic()) s += " vector-effect=\"non-scaling-stroke\"";
    }
    if (!transform_.isIdentity()) {
      s += " transform=\"matrix(";
      const double m[] = {transform_.m11(), transform_.m12(), transform_.m21(),
                          transform_.m22(), transform_.dx(),  transform_.dy()};
      for (int i = 0; i < 6; ++i) {
        if (i > 0) s += ',';
        AppendNumber(s, m[i]);
      }
      s += ")\"";
    }
    return s;
  }

  // Opens the groups the painter's clip and style call for, then the element.
  void Open(const char* element) {
    const std::optional<QPainterPath> clip = clipEnabled_ ? clip_ : std::nullopt;
    if (clip.has_value() != clipOpen_ || (clip && *clip != writtenClip_)) {
      CloseStyle();
      CloseClip();
      if (clip) {
        buffer_ += "<defs><clipPath id=\"c";
        AppendInt(buffer_, ++clipCount_);
        buffer_ += "\"><path clip-rule=\"";
        buffer_ += FillRule(clip->fillRule());
        buffer_ += "\" d=\"";
        AppendPathData(buffer_, *clip);
        buffer_ += "\"/></clipPath></defs>\n<g clip-path=\"url(#c";
        AppendInt(buffer_, clipCount_);
        buffer_ += ")\">\n";
        writtenClip_ = *clip;
        clipOpen_ = true;
      }
    }
    if (styleChanged_ || !styleOpen_) {
      std::string style = StyleAttributes();
      if (!styleOpen_ || style != writtenStyle_) {
        CloseStyle();
        buffer_ += "<g";
        buffer_ += style;
        buffer_ += ">\n";
        writtenStyle_ = std::move(style);
        styleOpen_ = true;
      }
      styleChanged_ = false;
    }
    buffer_ += element;
  }

  void Close() {
    buffer_ += "/>\n";
    MaybeFlush();
  }

  void CloseStyle() {
    if (styleOpen_) buffer_ += "</g>\n";
    styleOpen_ = false;
  }

  void CloseClip() {
    if (clipOpen_) buffer_ += "</g>\n";
    clipOpen_ = false;
  }

  void MaybeFlush() {
    if (buffer_.size() >= kFlushSize) Flush();
  }

  void Flush() {
    if (!failed_ && !buffer_.empty()) {
      const auto size = static_cast<qint64>(buffer_.size());
      failed_ = out_.write(buffer_.data(), size) != size;
    }
    buffer_.clear();
  }

  QIODevice& out_;
  QSize size_;
  int dpi_;
  std::string buffer_;
  bool failed_ = false;

  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  double opacity_ = 1;
  std::optional<QPainterPath> clip_;
  bool clipEnabled_ = false;

  bool styleChanged_ = true;
  bool styleOpen_ = false;
  std::string writtenStyle_;
  bool clipOpen_ = false;
  QPainterPath writtenClip_;
  long long clipCount_ = 0;
};

SvgStreamDevice::SvgStreamDevice(QIODevice& out, const QSize& size, int dpi)
    : size_(size), dpi_(dpi), engine_(std::make_unique<SvgStreamEngine>(out, size, dpi)) {}

SvgStreamDevice::~SvgStreamDevice() = default;

QPaintEngine* SvgStreamDevice::paintEngine() const { return engine_.get(); }

int SvgStreamDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return qRound(size_.width() * 25.4 / dpi_);
    case PdmHeightMM: return qRound(size_.height() * 25.4 / dpi_);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
  }
}

}  // namespace tavrel
