// SVG pictures: read back as XML, each drawn element is checked with the
// style, transform and clip it inherits from its groups; the document is
// written while it is painted; and a real SVG renderer draws what the
// painter would have drawn on an image.
#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <functional>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "core/data/data_input.h"
#include "draw/graphs/canvas.h"
#include "draw/graphs/picture_file.h"
#include "draw/graphs/sequential_painter.h"
#include "draw/graphs/svg_stream_device.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// One drawn element with the attributes it has or inherits, the transforms
// of its groups (outermost first) and the clip paths over it.
struct Drawn {
  QString name;
  QHash<QString, QString> attributes;
  QStringList transforms;
  QStringList clips;
  QString text;
};

struct Document {
  QString error;  // empty for a well-formed document
  QString root;
  QList<Drawn> drawn;
  QHash<QString, QString> clipPaths;  // id -> the "d" of its path
};

Document Read(const QByteArray& svg) {
  Document doc;
  QXmlStreamReader xml(svg);
  QList<Drawn> groups;  // the open groups, their attributes inherited
  QString clipId;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == QLatin1String("g")) groups.removeLast();
    if (!xml.isStartElement()) continue;
    const QString name = xml.name().toString();
    if (doc.root.isEmpty()) doc.root = name;
    Drawn d = groups.isEmpty() ? Drawn{} : groups.last();
    d.name = name;
    for (const QXmlStreamAttribute& a : xml.attributes()) {
      const QString key = a.qualifiedName().toString();
      if (key == QLatin1String("transform")) {
        d.transforms << a.value().toString();
      } else if (key == QLatin1String("clip-path")) {
        d.clips << a.value().toString().mid(5).chopped(1);  // url(#id)
      } else {
        d.attributes[key] = a.value().toString();
      }
    }
    if (name == QLatin1String("g")) {
      groups << d;
    } else if (name == QLatin1String("clipPath")) {
      clipId = d.attributes.value("id");
    } else if (name == QLatin1String("path") && !clipId.isEmpty()) {
      doc.clipPaths[clipId] = d.attributes.value("d");
      clipId.clear();
    } else if (name != QLatin1String("svg") && name != QLatin1String("defs")) {
      if (name == QLatin1String("text")) d.text = xml.readElementText();
      doc.drawn << d;
    }
  }
  if (xml.hasError()) doc.error = xml.errorString();
  return doc;
}

// The bounds "left,top right,bottom" of a path's "d" of straight lines.
QString Bounds(const QString& path) {
  QPolygonF points;
  for (const QString& point : QString(path).replace('M', 'L').remove('Z').split('L', Qt::SkipEmptyParts)) {
    const QStringList xy = point.split(',');
    points << QPointF(xy.value(0).toDouble(), xy.value(1).toDouble());
  }
  const QRectF r = points.boundingRect();
  return QString("%1,%2 %3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

QByteArray PaintSvg(const QSize& size, const std::function<void(QPainter&)>& paint) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  SvgStreamDevice svg(buffer, size, kPictureDpi);
  QPainter p;
  if (!p.begin(&svg)) return {};
  paint(p);
  return p.end() ? buffer.data() : QByteArray();
}

// A device taking what is written and counting how much came before the picture ended.
class RecordingDevice : public QIODevice {
 public:
  qint64 largestWrite = 0;
  qint64 written = 0;
  bool refuse = false;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 size) override {
    if (refuse) return -1;
    largestWrite = std::max(largestWrite, size);
    written += size;
    return size;
  }
};

}  // namespace

class TestSvgPictures : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
  }
  void cleanup() { home_.reset(); }

  // The sequential graph saved as .svg: a well-formed SVG document that an
  // SVG renderer accepts, its names, Y labels and day numbers as text.
  void TheSequentialGraphIsAnSvgDocumentWithItsLabels() {
    Data().DataFileName = home_->Write("data/days.txt", "Пульс Вес\n60 70\n62 71\n65 69\n61 72\n").toStdString();
    QVERIFY(LoadDataFile(Data().DataFileName, ProgramSession()).loaded);
    Config().StepX = 30;
    Config().StepY = 40;
    std::vector<std::string> messages;
    const QString path = home_->Path("g.svg");
    QCOMPARE(SaveSequentialPicture(path, ProgramGraphSource(), messages), QString());
    const QByteArray svg = ReadAll(path);
    const Document doc = Read(svg);
    QCOMPARE(doc.error, QString());
    QCOMPARE(doc.root, QString("svg"));
    QVERIFY(QSvgRenderer(svg).isValid());
    QStringList texts;
    for (const Drawn& d : doc.drawn)
      if (d.name == QLatin1String("text")) texts << d.text.trimmed();
    for (const char* label : {"Пульс", "Вес", "60.0", "70.0", "1", "4"})
      QVERIFY2(texts.contains(QString::fromUtf8(label)), qPrintable(texts.join('|')));
    // The points' curve is one polyline of four points in each band.
    int curves = 0;
    for (const Drawn& d : doc.drawn)
      if (d.name == QLatin1String("polyline") && d.attributes.value("points").count(' ') == 3) ++curves;
    QCOMPARE(curves, 2);
  }

  // Each element carries the painter's state at the moment it was drawn.
  void EachElementCarriesThePainterState() {
    const struct {
      const char* what;
      std::function<void(QPainter&)> paint;
      const char* element;
      QHash<QString, QString> attributes;
      QStringList transforms;
      QStringList clips;  // the clip rectangles in picture pixels, outermost first
      const char* text;
    } cases[] = {
        {"dashed pen", [](QPainter& p) { p.setPen(StyledPen(Qt::red, 2, kPenDash)); p.drawLine(0, 5, 50, 5); },
         "line", {{"stroke", "#ff0000"}, {"stroke-width", "2"}, {"stroke-dasharray", "8,4"}, {"x2", "50"}}, {}, {}, ""},
        {"dotted one-pixel pen", [](QPainter& p) { p.setPen(StyledPen(Qt::blue, 0, kPenDot)); p.drawLine(0, 5, 50, 5); },
         "line", {{"stroke", "#0000ff"}, {"stroke-width", "1"}, {"stroke-dasharray", "1,2"},
                  {"vector-effect", "non-scaling-stroke"}}, {}, {}, ""},
        {"filled rectangle without pen",
         [](QPainter& p) { p.fillRect(QRect(10, 20, 30, 40), QColor(0, 128, 0)); },
         "rect", {{"fill", "#008000"}, {"stroke", "none"}, {"x", "10"}, {"y", "20"}, {"width", "30"}, {"height", "40"}},
         {}, {}, ""},
        {"translucent brush at half opacity",
         [](QPainter& p) { p.setOpacity(0.5); p.setBrush(QColor(255, 0, 0, 128)); p.setPen(Qt::NoPen); p.drawEllipse(QRectF(0, 0, 20, 10)); },
         "ellipse", {{"fill", "#ff0000"}, {"fill-opacity", "0.251"}, {"cx", "10"}, {"rx", "10"}, {"ry", "5"}}, {}, {}, ""},
        {"rotated text", [](QPainter& p) { p.translate(30, 40); p.rotate(-90); p.drawText(0, 0, "Пульс"); },
         "text", {{"fill", "#000000"}, {"x", "0"}, {"y", "0"}}, {"matrix(0,-1,1,0,30,40)"}, {}, "Пульс"},
        {"text escaped", [](QPainter& p) { p.drawText(5, 20, QString::fromUtf8("a<b & \"c\" 'd' > е")); },
         "text", {{"x", "5"}, {"y", "20"}}, {}, {}, "a<b & \"c\" 'd' > е"},
        {"clip under a transform, intersected",
         [](QPainter& p) {
           p.setClipRect(QRect(10, 10, 20, 20));
           p.translate(15, 15);
           p.setClipRect(QRect(0, 0, 100, 100), Qt::IntersectClip);
           p.drawLine(0, 0, 5, 5);
         },
         "line", {{"x1", "0"}, {"x2", "5"}}, {"matrix(1,0,0,1,15,15)"}, {"15,15 30,30"}, ""},
        {"clip gone after restore",
         [](QPainter& p) { p.save(); p.setClipRect(QRect(0, 0, 5, 5)); p.restore(); p.drawLine(0, 0, 5, 5); },
         "line", {{"x2", "5"}}, {}, {}, ""},
        {"clip kept by restore",
         [](QPainter& p) {
           p.setClipRect(QRect(2, 3, 10, 10));
           p.save();
           p.setClipRect(QRect(0, 0, 5, 5), Qt::IntersectClip);
           p.restore();
           p.drawLine(0, 0, 5, 5);
         },
         "line", {{"x2", "5"}}, {}, {"2,3 12,13"}, ""},
        {"rectangles of one call in one path",
         [](QPainter& p) {
           const QRect squares[] = {{1, 2, 3, 3}, {10, 20, 3, 3}};
           p.setPen(Qt::NoPen);
           p.setBrush(Qt::black);
           p.drawRects(squares, 2);
         },
         "path", {{"fill", "#000000"}, {"stroke", "none"}, {"d", "M1,2h3v3h-3zM10,20h3v3h-3z"}}, {}, {}, ""},
        {"path with a closed subpath",
         [](QPainter& p) {
           QPainterPath path;
           path.addRect(1, 2, 3, 4);
           path.moveTo(10, 10);
           path.cubicTo(11, 12, 13, 14, 15.5, 16.25);
           p.drawPath(path);
         },
         "path", {{"d", "M1,2L4,2L4,6L1,6L1,2ZM10,10C11,12 13,14 15.5,16.25"}}, {}, {}, ""},
    };
    for (const auto& c : cases) {
      const Document doc = Read(PaintSvg(QSize(100, 80), c.paint));
      QVERIFY2(doc.error.isEmpty(), qPrintable(doc.error));
      // Text of several scripts comes in runs, one element each.
      QString text;
      for (const Drawn& d : doc.drawn) {
        QVERIFY2(d.name == QLatin1String(c.element), c.what);
        text += d.text;
      }
      QCOMPARE(text, QString::fromUtf8(c.text));
      QVERIFY2(doc.drawn.size() == 1 || *c.text, c.what);
      const Drawn& d = doc.drawn.front();
      for (auto a = c.attributes.cbegin(); a != c.attributes.cend(); ++a)
        QVERIFY2(d.attributes.value(a.key()) == a.value(),
                 qPrintable(QString("%1: %2=\"%3\"").arg(c.what, a.key(), d.attributes.value(a.key()))));
      QVERIFY2(d.transforms == c.transforms, c.what);
      QStringList clips;
      for (const QString& id : d.clips) clips << Bounds(doc.clipPaths.value(id));
      QVERIFY2(clips == c.clips, qPrintable(QString(c.what) + ": " + clips.join("; ")));
    }
  }

  void AnImageIsEmbeddedAsPng() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::cyan);
    image.setPixel(1, 1, qRgb(200, 10, 30));
    const Document doc = Read(PaintSvg(QSize(20, 20), [&](QPainter& p) { p.drawImage(4, 5, image); }));
    QCOMPARE(doc.drawn.size(), 1);
    const Drawn& d = doc.drawn.front();
    QCOMPARE(d.name, QString("image"));
    QCOMPARE(d.attributes.value("x"), QString("4"));
    QCOMPARE(d.attributes.value("width"), QString("3"));
    const QString data = d.attributes.value("xlink:href");
    QVERIFY(data.startsWith("data:image/png;base64,"));
    const QImage embedded = QImage::fromData(QByteArray::fromBase64(data.mid(22).toLatin1()), "PNG");
    QCOMPARE(embedded.convertToFormat(QImage::Format_RGB32), image);
  }

  // An SVG renderer paints the file as the painter paints an image: the
  // centres of shapes drawn filled, stroked, moved and turned have their colours.
  void ARendererDrawsWhatWasPainted() {
    const auto paint = [](QPainter& p) {
      p.fillRect(QRect(0, 0, 200, 100), Qt::white);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 0, 0));
      p.drawRect(10, 10, 30, 30);
      p.save();
      p.translate(100, 50);
      p.rotate(45);
      p.setBrush(QColor(0, 0, 200));
      p.drawRect(-10, -10, 20, 20);
      p.restore();
      p.setPen(QPen(QColor(0, 150, 0), 6));
      p.drawPolyline(QPolygon({QPoint(150, 10), QPoint(190, 10), QPoint(190, 90)}));
      const QPoint triangle[] = {{20, 90}, {60, 90}, {40, 60}};
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(triangle, 3);
    };
    const QSize size(200, 100);
    QSvgRenderer renderer(PaintSvg(size, paint));
    QVERIFY(renderer.isValid());
    QImage rendered(size, QImage::Format_RGB32);
    rendered.fill(Qt::white);
    QPainter p(&rendered);
    renderer.render(&p);
    p.end();
    const QImage painted = PaintedImage(size, paint);
    for (const QPoint at : {QPoint(25, 25), QPoint(100, 50), QPoint(100, 62), QPoint(170, 10), QPoint(190, 50),
                            QPoint(40, 80), QPoint(5, 5), QPoint(170, 50)})
      QVERIFY2(rendered.pixel(at) == painted.pixel(at), qPrintable(QString("%1,%2").arg(at.x()).arg(at.y())));
  }

  // The document goes out while it is painted, in pieces of at most 64 KB,
  // so that a series of millions of points needs no more memory than a small one.
  void TheDocumentIsWrittenWhileItIsPainted() {
    RecordingDevice device;
    device.open(QIODevice::WriteOnly);
    SvgStreamDevice svg(device, QSize(100000, 100), kPictureDpi);
    QPainter p(&svg);
    std::vector<QPoint> points;
    for (int x = 0; x < 100000; ++x) points.emplace_back(x, x % 100);
    for (int band = 0; band < 10; ++band) p.drawPolyline(points.data(), static_cast<int>(points.size()));
    const qint64 beforeEnd = device.written;
    QVERIFY(p.end());
    QVERIFY2(beforeEnd > 5 * 1000000, qPrintable(QString::number(beforeEnd)));
    QVERIFY(device.written - beforeEnd <= 64 * 1024 + 100);
    QVERIFY(device.largestWrite <= 64 * 1024 + 100);
  }

  void AWriteThatFailsFailsThePicture() {
    RecordingDevice device;
    device.open(QIODevice::WriteOnly);
    device.refuse = true;
    SvgStreamDevice svg(device, QSize(10, 10), kPictureDpi);
    QPainter p(&svg);
    p.drawLine(0, 0, 5, 5);
    QVERIFY(!p.end());
  }
};

QTEST_MAIN(TestSvgPictures)
#include "test_svg_pictures.moc"
