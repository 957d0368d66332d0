// The sequential graph's painting, probed at a few pixels of an image painted
// with a fixed font: points, gaps, axes, level lines, day marks; and the
// printed graph over pages of a PDF file.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <functional>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "core/data/data_input.h"
#include "draw/graphs/canvas.h"
#include "app/graphs/graph_run_options.h"
#include "core/data/session.h"
#include "draw/graphs/picture_file.h"
#include "core/graphs/sequential_layout.h"
#include "draw/graphs/sequential_painter.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

constexpr int kLeft = 50;
constexpr int kStepX = 10;
constexpr int kStepY = 20;

SequentialDevice Device(int stepX = kStepX) {
  SequentialDevice d;
  d.left = kLeft;
  d.stepX = stepX;
  d.stepY = kStepY;
  return d;
}

SequentialLook Look() { return {GraphFont("DejaVu Sans", 8), 0}; }

QImage Paint(const SequentialLayout& layout) {
  QImage image(600, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  DrawGraph(p, layout, Look(), image.rect());
  return image;
}

bool IsColor(const QImage& image, int x, int y, QColor color) { return image.pixelColor(x, y) == color; }
bool IsBlack(const QImage& image, int x, int y) { return IsColor(image, x, y, Qt::black); }

}  // namespace

class TestSequentialDrawing : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;

  void Load(const QByteArray& text) {
    Data().EmptyValue = -999;
    Data().DataFileName = home_->Write("data/days.txt", text).toStdString();
    QVERIFY(LoadDataFile(Data().DataFileName, ProgramSession()).loaded);
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
  }
  void cleanup() { home_.reset(); }

  void PointsSitAtTheirPixelsAndAGapDrawsNothing() {
    // Ticks 0, 1, 2, 3: one data unit is 20 pixels.
    Load("A\n0\n1\n-999\n2\n");
    Data().VarSteps[0] = 1;
    const SequentialLayout layout = ComputeSequentialLayout(ProgramGraphSource(), Device());
    const SequentialBand& a = layout.bands[0];
    const QImage image = Paint(layout);
    struct {
      int obs;
      double value;
    } points[] = {{0, 0}, {1, 1}, {3, 2}};
    for (const auto& pt : points) {
      const int x = kLeft + kStepX * (pt.obs + 1);
      const int y = a.bottom - static_cast<int>(pt.value * kStepY) - 1;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) QVERIFY2(IsBlack(image, x + dx, y + dy), qPrintable(QString::number(pt.obs)));
    }
    // The missing day: no square, and no line from the second point to the fourth.
    const int gapX = kLeft + kStepX * 3;
    for (int y = a.top + 1; y < a.bottom - 1; ++y) QVERIFY2(!IsBlack(image, gapX, y), qPrintable(QString::number(y)));
    // The first two points are joined.
    QVERIFY(IsBlack(image, kLeft + 15, a.bottom - 1 - kStepY / 2));
  }

  void TheXAxisHasItsTicksEveryFifthDoubledAndNoneAtSmallSteps() {
    QByteArray text = "A\n";
    for (int i = 0; i < 12; ++i) text += QByteArray::number(i % 3 + 1) + "\n";
    Load(text);
    GraphRunOptions().XLabelsEvery5 = true;
    const SequentialLayout every5 = ComputeSequentialLayout(ProgramGraphSource(), Device());
    const int y = every5.bands[0].bottom;
    QImage image = Paint(every5);
    const int x4 = kLeft + kStepX * 4, x5 = kLeft + kStepX * 5;
    // A line leaves out its end point, as the axis ticks were always drawn.
    QVERIFY(IsBlack(image, x4, y + 4));
    QVERIFY(!IsBlack(image, x4, y + 5));
    QVERIFY(!IsBlack(image, x4 + 1, y + 3));
    QVERIFY(IsBlack(image, x5, y + 6));
    QVERIFY(IsBlack(image, x5 + 1, y + 6));
    QVERIFY(IsBlack(image, kLeft + 3, y));  // the axis line

    GraphRunOptions().XLabelsEvery5 = false;
    image = Paint(ComputeSequentialLayout(ProgramGraphSource(), Device(2)));
    for (int x = kLeft + 2; x < kLeft + 20; ++x) QVERIFY(!IsBlack(image, x, y + 3));
    QVERIFY(!IsBlack(image, kLeft + 3, y + 1));
  }

  // With "Даты" set and dates in the file, the X axis names days in place of
  // numbers (the year at the first label and where it changes); without
  // either the axis is as before.
  void DatesLabelTheXAxisWhenAskedFor() {
    QByteArray text = "Дата;A\n";
    for (int i = 0; i < 12; ++i) text += QByteArray::number(27 + i % 5) + ".12.2023;" + QByteArray::number(i % 3 + 1) + "\n";
    Data().EmptyValue = -999;
    Data().DataFileName = home_->Write("data/days.csv", text).toStdString();
    QVERIFY(LoadDataFile(Data().DataFileName, ProgramSession()).loaded);
    Config().IsData = false;
    const SequentialLayout numbered = ComputeSequentialLayout(ProgramGraphSource(), Device(40));
    QVERIFY(numbered.dates == nullptr);
    Config().IsData = true;
    const SequentialLayout dated = ComputeSequentialLayout(ProgramGraphSource(), Device(40));
    QVERIFY(dated.dates == Data().Dates.data());
    const QImage withDates = Paint(dated);
    QVERIFY(withDates != Paint(numbered));
    const int y = dated.bands[0].bottom;
    // Text below the axis under the first observation: its date.
    bool ink = false;
    for (int x = kLeft + 41; x < kLeft + 100; ++x)
      for (int dy = 5; dy < 18; ++dy) ink = ink || IsBlack(withDates, x, y + dy);
    QVERIFY(ink);

    Load("A\n1\n2\n");  // no dates: the setting changes nothing
    QVERIFY(ComputeSequentialLayout(ProgramGraphSource(), Device(40)).dates == nullptr);
    Config().IsData = false;
  }

  void LevelsLieOnTheirRowsAndMarksOnTheirDays() {
    Load("A\n10\n20\n30\n40\n");
    Data().VarSteps[0] = 10;
    GraphOverlays& g = ProgramSession().overlays;
    g.ShowLevels = true;
    g.LevelLabels = {"Среднее", "Нет", "Нет"};
    LevelsFor(g, "A").values = {25, 0, 0};
    g.ShowXMarks = true;
    g.XMarks = {false, false, true, false};
    const SequentialLayout layout = ComputeSequentialLayout(ProgramGraphSource(), Device());
    const SequentialBand& a = layout.bands[0];
    const QImage image = Paint(layout);
    const int levelY = a.bottom - static_cast<int>((25 - 10) * 2) - 1;
    QVERIFY(IsColor(image, kLeft + 12, levelY, RgbColor(kMaroon)));
    QVERIFY(IsColor(image, static_cast<int>(a.right) - 3, levelY, RgbColor(kMaroon)));
    const int markX = kLeft + kStepX * 3;
    QVERIFY(IsColor(image, markX, a.top + 4, RgbColor(kNavy)));
    QVERIFY(!IsColor(image, markX + kStepX, a.top + 4, RgbColor(kNavy)));

    // Ticks only: short strokes beside the axis, joined by one vertical stroke.
    g.LevelTicksOnly = true;
    g.LevelLabels = {"Среднее", "Число", "Нет"};
    LevelsFor(g, "A").values = {25, 35, 0};
    const QImage ticks = Paint(ComputeSequentialLayout(ProgramGraphSource(), Device()));
    QVERIFY(IsColor(ticks, kLeft + 7, levelY, RgbColor(kMaroon)));
    QVERIFY(IsColor(ticks, kLeft + 7, levelY - 10, RgbColor(kMaroon)));
    QVERIFY(!IsColor(ticks, kLeft + 20, levelY, RgbColor(kMaroon)));
  }

  void OnlyTheExposedPartIsPaintedAndPaintingShowsNoMessage() {
    Messages messages;
    Load("Short\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    GraphRunOptions().Smooth5 = true;  // ten values are too few: the layout has its message
    const SequentialLayout layout = ComputeSequentialLayout(ProgramGraphSource(), Device());
    QCOMPARE(layout.messages.size(), std::size_t{1});
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      DrawGraph(p, layout, Look(), QRect(0, 0, kLeft + 15, 400));
    }
    int y = 0;
    QVERIFY(layout.PointY(layout.bands[0], 0, y));
    QVERIFY(IsBlack(image, kLeft + kStepX, y));
    QVERIFY(layout.PointY(layout.bands[0], 7, y));
    QVERIFY(!IsBlack(image, kLeft + kStepX * 8, y));
    QVERIFY(messages.shown.empty());
  }

  void APrintedGraphTallerThanAPageGoesOverPagesEachClosedWithItsAxis() {
    QByteArray text = "A B C D E F\n";
    for (int i = 0; i < 20; ++i)
      for (int v = 0; v < 6; ++v) text += QByteArray::number((i * (v + 3)) % 17) + (v == 5 ? "\n" : " ");
    Load(text);
    Config().PrintStepX = 20;
    Config().PrintStepY = 300;
    Config().PrintGraphFontName = "DejaVu Sans";
    Config().PrintGraphFontSize = 10;
    Config().PrintPenWidth = 2;
    const QString path = home_->Path("graph.pdf");
    std::vector<std::string> messages;
    QCOMPARE(SavePrintedSequential(path, ProgramGraphSource(), QStringLiteral("Пульс"), messages), QString());
    const QByteArray pdf = ReadAll(path);
    QVERIFY(pdf.startsWith("%PDF"));

    QPdfWriter writer(home_->Path("probe.pdf"));
    writer.setResolution(kPrintDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const SequentialLayout layout =
        ComputeSequentialLayout(ProgramGraphSource(), PrintDevice(PrintLook(Config()), writer, Config()));
    QVERIFY(layout.pages.size() > 1);
    QCOMPARE(PdfPageCount(pdf), static_cast<int>(layout.pages.size()));
    for (const SequentialPage& page : layout.pages) {
      QCOMPARE(page.axisY, layout.bands[static_cast<std::size_t>(page.lastBand)].bottom);
      QVERIFY(page.axisY + 10 <= writer.height() || page.firstBand == page.lastBand);
    }
  }

  void APictureIsWrittenByItsSuffixAndAFailureNamesTheFile() {
    Load("A\n1\n2\n3\n");
    const struct {
      const char* name;
      QByteArray head;
    } cases[] = {{"g.bmp", "BM"}, {"g", "BM"}, {"g.png", "\x89PNG"}, {"g.jpg", "\xFF\xD8"},
                 {"g.svg", "<?xml"}, {"g.pdf", "%PDF"}};
    const auto paint = [](QPainter& p) { p.drawLine(0, 0, 10, 10); };
    for (const auto& c : cases) {
      const QString path = home_->Path(c.name);
      QCOMPARE(SavePicture(path, QSize(40, 30), paint), QString());
      QVERIFY2(ReadAll(path).startsWith(c.head), c.name);
    }
    const QString missingDir = home_->Path("no/such/dir/g.png");
    QVERIFY(SavePicture(missingDir, QSize(40, 30), paint).contains(missingDir));
    QVERIFY(SavePicture(home_->Path("g.gif"), QSize(40, 30), paint).contains(home_->Path("g.gif")));
    QVERIFY(!QFile::exists(home_->Path("g.gif")));
  }

  // A raster picture beyond its format's size is refused before it is drawn,
  // naming the limit and the vector formats; a vector picture of that size is not.
  void ARasterPictureTooLargeIsRefusedBeforeDrawing() {
    bool painted = false;
    const auto paint = [&painted](QPainter& p) {
      painted = true;
      p.drawLine(0, 0, 10, 10);
    };
    const struct {
      const char* name;
      QSize size;
      const char* limit;  // empty: written
    } cases[] = {{"wide.jpg", QSize(70000, 10), "65 535"}, {"wide.png", QSize(70000, 10), ""},
                 {"huge.png", QSize(600000, 24000), "268 435 456"}, {"huge.bmp", QSize(20000, 20000), "268 435 456"},
                 {"huge.svg", QSize(600000, 24000), ""}};
    for (const auto& c : cases) {
      painted = false;
      const QString path = home_->Path(c.name);
      const QString failure = SavePicture(path, c.size, paint);
      if (*c.limit == 0) {
        QCOMPARE(failure, QString());
        QVERIFY(QFile::exists(path));
        continue;
      }
      QVERIFY2(failure.contains(path) && failure.contains(QString::fromUtf8(c.limit).replace(' ', QChar(0xA0))) &&
                   failure.contains(".pdf") && failure.contains(".svg"),
               qPrintable(failure));
      QVERIFY2(!painted, c.name);
      QVERIFY(!QFile::exists(path));
    }
  }

  // Pictures follow the rule of every output: a pipe, a directory or a file
  // nobody may write are refused before anything is drawn into them, and a
  // character device is written as it is, never replaced by a file.
  void APictureTargetThatIsNoFileIsRefusedOrWrittenDirectly() {
    Load("A\n1\n2\n3\n");
    const auto paint = [](QPainter& p) { p.drawLine(0, 0, 10, 10); };
    std::vector<std::string> messages;
    // The pictures of windows and the printed graph of the batch tool.
    const std::function<QString(const QString&)> writers[] = {
        [&](const QString& path) { return SavePicture(path + ".png", QSize(40, 30), paint); },
        [&](const QString& path) { return SavePicture(path + ".svg", QSize(40, 30), paint); },
        [&](const QString& path) { return SavePrintedSequential(path + ".pdf", ProgramGraphSource(), QStringLiteral("Пульс"), messages); },
    };
    const char* const suffixes[] = {".png", ".svg", ".pdf"};
    for (const char* suffix : suffixes) {
      QVERIFY(mkfifo(QFile::encodeName(home_->Path("fifo") + suffix).constData(), 0666) == 0);
      QVERIFY(QDir().mkpath(home_->Path("directory") + suffix));
      const QString readOnly = home_->Write(QStringLiteral("kept") + suffix, "kept");
      QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    }
    const std::pair<QString, QString> refused[] = {
        {"fifo", "это канал, а не файл"}, {"directory", "это каталог, а не файл"}, {"kept", "нет доступа"}};
    for (std::size_t w = 0; w < std::size(writers); ++w) {
      for (const auto& [name, reason] : refused) {
        const QString path = home_->Path(name);
        QCOMPARE(writers[w](path), "Не удаётся открыть файл " + path + suffixes[w] + ": " + reason);
      }
      QCOMPARE(ReadAll(home_->Path("kept") + suffixes[w]), QByteArray("kept"));
    }

    const QByteArray device = QFile::encodeName(home_->Path("null"));
    if (getuid() != 0) QSKIP("device nodes are made only by the administrator");
    for (std::size_t w = 0; w < std::size(writers); ++w) {
      const QByteArray node = device + suffixes[w];
      QVERIFY(mknod(node.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 && chmod(node.constData(), 0666) == 0);
      QCOMPARE(writers[w](home_->Path("null")), QString());
      struct stat info {};
      QVERIFY2(stat(node.constData(), &info) == 0 && S_ISCHR(info.st_mode), suffixes[w]);
    }
  }
};

QTEST_MAIN(TestSequentialDrawing)
#include "test_sequential_drawing.moc"
