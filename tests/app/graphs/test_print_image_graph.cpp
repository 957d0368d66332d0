// Printing a picture window on one page: the picture is scaled to the page at
// any printer resolution, the job always ends, and the status line is cleared.
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>

#include "app_test_support.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/print_image_graph.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

const QSize kPicture(736, 469);

// A black frame around the picture's edge and a red block in its middle.
void PaintTestPicture(QPainter& p) {
  p.fillRect(QRect(0, 0, kPicture.width(), 4), Qt::black);
  p.fillRect(QRect(0, kPicture.height() - 4, kPicture.width(), 4), Qt::black);
  p.fillRect(QRect(0, 0, 4, kPicture.height()), Qt::black);
  p.fillRect(QRect(kPicture.width() - 4, 0, 4, kPicture.height()), Qt::black);
  p.fillRect(QRect(300, 200, 136, 69), Qt::red);
}

int PdfPages(const QString& pdf) {
  QProcess info;
  info.start("pdfinfo", {pdf});
  if (!info.waitForFinished(30000)) return -1;
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The first page rendered at 50 dpi.
QImage RenderedPage(const QString& pdf) {
  QProcess render;
  const QString stem = pdf + "-page";
  render.start("pdftoppm", {"-r", "50", "-png", "-singlefile", pdf, stem});
  if (!render.waitForFinished(60000)) return {};
  return QImage(stem + ".png");
}

// The bounding box of the pixels that are not white, in the page image.
QRect InkBox(const QImage& page, bool redOnly) {
  QRect box;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      const bool ink = redOnly ? (c.red() > 180 && c.green() < 90 && c.blue() < 90) : c.lightness() < 200;
      if (ink) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

class TestPrintImageGraph : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    home_->WriteSettings({{"OutputCat", home_->Path("")}});
    messages_ = std::make_unique<Messages>();
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  void OnePageWithTheWholePictureInsideAtAnyResolution_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("72 dpi: below the screen's, shrunk") << 72 << false;
    QTest::newRow("300 dpi") << 300 << false;
    QTest::newRow("1200 dpi: larger than the page at the resolution ratio") << 1200 << false;
    QTest::newRow("1200 dpi, landscape") << 1200 << true;
  }
  void OnePageWithTheWholePictureInsideAtAnyResolution() {
    QFETCH(int, dpi);
    QFETCH(bool, landscape);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = home_->Path(QString("print-%1.pdf").arg(dpi));
    printer.setOutputFileName(pdf);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QVERIFY(PrintPicture(printer, kPicture, PaintTestPicture, 96));
    QCOMPARE(PdfPages(pdf), 1);
    const QImage page = RenderedPage(pdf);
    QVERIFY(!page.isNull());
    const QRect ink = InkBox(page, false);
    QVERIFY2(!ink.isEmpty(), "the page is blank");
    // The frame is whole: inside the page, never cut at its right or bottom edge.
    QVERIFY(ink.left() > 0 && ink.top() > 0);
    QVERIFY(ink.right() < page.width() - 1 && ink.bottom() < page.height() - 1);
    // The shape is the picture's, and so is the red block's place within it.
    QVERIFY(qAbs(double(ink.width()) / ink.height() - double(kPicture.width()) / kPicture.height()) < 0.03);
    const QRect red = InkBox(page, true);
    QVERIFY(!red.isEmpty());
    const double scale = double(ink.width()) / kPicture.width();
    QVERIFY(qAbs((red.left() - ink.left()) / scale - 300) < 4);
    QVERIFY(qAbs((red.top() - ink.top()) / scale - 200) < 4);
    // Never larger than at the resolution ratio: at 50 dpi the 96-dpi picture is at most 736*50/96 wide.
    QVERIFY(ink.width() <= kPicture.width() * 50 / 96 + 2);
  }

  void PrintingFromAWindowClearsTheStatusAndAFailureSaysSo() {
    TfmMain main;
    main.show();
    QWidget window;
    QImage picture(kPicture, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QString statusWhilePrinting;
    {
      QPainter p(&picture);
      PaintTestPicture(p);
    }
    // A printer writing to a directory that does not exist cannot start the job.
    GraphPrinter().setOutputFormat(QPrinter::PdfFormat);
    GraphPrinter().setOutputFileName(home_->Path("no/such/dir/out.pdf"));
    QVERIFY(!PrintImageGraph(&window, picture));
    QCOMPARE(messages_->Texts(), QStringList{"Не удалось напечатать график."});
    QCOMPARE(main.pnlInform->text(), QString());

    const QString pdf = home_->Path("window.pdf");
    GraphPrinter().setOutputFileName(pdf);
    QVERIFY(PrintImageGraph(&window, kPicture, [&](QPainter& p) {
      statusWhilePrinting = main.pnlInform->text();
      p.drawImage(0, 0, picture);
    }));
    QCOMPARE(statusWhilePrinting, QString("Печатаю графику..."));
    QCOMPARE(main.pnlInform->text(), QString());
    QCOMPARE(PdfPages(pdf), 1);
    QCOMPARE(messages_->Texts().size(), 1);
  }
};

QTEST_MAIN(TestPrintImageGraph)
#include "test_print_image_graph.moc"
