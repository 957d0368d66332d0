// The distribution graph from the data table and the scatter diagram from the
// main window: the pictures' pixels where the classes and pairs put them, the
// refusals, saving by suffix and printing.
#include <sys/stat.h>

#include <QAction>
#include <QPrinter>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/tfm_gr_distr.h"
#include "app/graphs/tfm_gr_scater.h"
#include "app/preparation/tfm_show_table.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// 21 values of A from 10 to 24, unevenly spread; B rises with A.
QByteArray DistributionData() {
  QByteArray text = "A B\n";
  for (int i = 0; i < 21; ++i) {
    const double a = i < 10 ? 10 + 0.3 * i : 24 - 0.5 * (20 - i);
    text += QByteArray::number(a) + " " + QByteArray::number(2 * a + (i % 3)) + "\n";
  }
  return text;
}

bool IsColor(const QImage& image, int x, int y, const QColor& color) {
  return image.pixelColor(x, y) == color;
}

}  // namespace

class TestPictureWindows : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;
  TfmShowTable* table_ = nullptr;

  void Open(const QByteArray& text) {
    QVERIFY(main_->ReadDataFile(home_->Write("data/pulse.txt", text).toStdString()));
    main_->EnableDataCommands(true);
    table_ = main_->fmShowTable;
    table_->FormShow(true);
    table_->show();
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    home_->WriteSettings({{"OutputCat", home_->Path("")}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    if (table_) table_->hide();
    table_ = nullptr;
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void DistributionGraphPutsItsCirclesOnTheClassesAndSaves() {
    Open(DistributionData());
    std::vector<double> values(Data().DataValues[0].begin(), Data().DataValues[0].begin() + 21);
    QImage picture;
    QStringList saved;
    ModalScript script({ChooseVariables({0}), On<TfmGrDistr>([&](TfmGrDistr* w) {
                          QCOMPARE(w->windowTitle(), QString("График распределения"));
                          picture = w->Picture();
                          for (const char* name : {"a.bmp", "a.png", "a.svg", "a"})
                            if (w->SavePictureAs(home_->Path(name))) saved << name;
                          w->tbtnExit->trigger();
                        })});
    table_->tbtnDistr->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts(), QStringList{});
    QCOMPARE(picture.size(), QSize(736, 469));
    // The classes, counted here: k = 7 from 21 values, each (a + i h, a + (i + 1) h].
    const double min = *std::min_element(values.begin(), values.end());
    const double max = *std::max_element(values.begin(), values.end());
    const int k = 7, left = 50, right = 736 - 60, bottom = 469 - 100, plot = bottom - 40 - 10;
    const double h = (max - min) * 1.02 / k, a = min - 0.01 * h;
    const int w = (right - left - 10) / k;
    const QColor navy(0, 0, 128);
    for (int i = 0; i < k; ++i) {
      int count = 0;
      for (double v : values) count += v > a + i * h && v <= a + (i + 1) * h;
      const int x = left + w / 2 + i * w;
      const int y = bottom - static_cast<int>(std::nearbyint(count / 21.0 * plot)) - 1;
      QVERIFY2(IsColor(picture, x, y, navy), qPrintable(QString("class %1 at %2,%3").arg(i).arg(x).arg(y)));
      QVERIFY(!IsColor(picture, x, y - 4, navy) || !IsColor(picture, x, y + 4, navy));  // a small circle
    }
    QCOMPARE(saved, (QStringList{"a.bmp", "a.png", "a.svg", "a"}));
    const QImage bmp(home_->Path("a.bmp"), "BMP");
    QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(QImage(home_->Path("a"), "BMP").size(), picture.size());  // no suffix: a bitmap
    QVERIFY(ReadAll(home_->Path("a.svg")).contains("<svg"));
    QCOMPARE(Data().NumVar, 2);  // the table's variables are back
  }

  void SavingFromTheToolBarAsksBeforeReplacingAFile() {
    Open(DistributionData());
    const QString bmp = home_->Write("old.bmp", "kept");
    messages_->answers = {false, true};
    const auto save = [](TfmGrDistr* w) { QTimer::singleShot(0, w->saveTool, &QAction::trigger); };
    ModalScript script({ChooseVariables({0}), On<TfmGrDistr>(save), PickFile(bmp),  // No: kept
                        On<TfmGrDistr>(save), PickFile(bmp),                          // Yes: replaced
                        On<TfmGrDistr>([](TfmGrDistr* w) { w->tbtnExit->trigger(); })});
    table_->tbtnDistr->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts().size(), 2);
    QVERIFY(messages_->Texts()[0].contains(QStringLiteral("уже существует")));
    QCOMPARE(QImage(bmp, "BMP").size(), QSize(736, 469));
  }

  // The save dialog refuses what no output may be, before the question and
  // before anything is drawn into it.
  void SavingRefusesTheDataFileAndAPipe() {
    Open(DistributionData());
    const QString data = home_->Path("data/pulse.txt");
    const QByteArray original = ReadAll(data);
    const QString fifo = home_->Path("pipe.bmp");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0666) == 0);
    const auto save = [](TfmGrDistr* w) { QTimer::singleShot(0, w->saveTool, &QAction::trigger); };
    ModalScript script({ChooseVariables({0}), On<TfmGrDistr>(save), PickFile(data), On<TfmGrDistr>(save),
                        PickFile(fifo), On<TfmGrDistr>([](TfmGrDistr* w) { w->tbtnExit->trigger(); })});
    table_->tbtnDistr->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts(),
             (QStringList{"Файл результатов совпадает с файлом данных: " + data +
                              "\nЗапись в него испортила бы данные; укажите другое имя файла.",
                          "Не удаётся открыть файл " + fifo + ": это канал, а не файл"}));
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QCOMPARE(ReadAll(data), original);
    QVERIFY(QFileInfo(fifo).isFile() == false);
  }

  void DistributionRefusalsLeaveABlankPicture_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    QTest::newRow("all equal") << QByteArray("A\n5\n5\n5\n5\n5\n5\n5\n5\n") << "Cреднеквадратическое отклонение=0";
    QTest::newRow("two values") << QByteArray("A\n1\n2\n") << "Данных недостаточно";
    QTest::newRow("five values") << QByteArray("A\n1\n2\n3\n4\n6\n") << "Число степеней свободы =0";
  }
  void DistributionRefusalsLeaveABlankPicture() {
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    Open(data);
    bool blank = false, canSave = true, canPrint = true;
    ModalScript script({ChooseVariables({0}), On<TfmGrDistr>([&](TfmGrDistr* w) {
                          const QImage& p = w->Picture();
                          QImage white(p.size(), p.format());
                          white.fill(Qt::white);
                          blank = p == white;
                          canSave = w->saveTool->isEnabled();
                          canPrint = w->tbtnPrint->isEnabled();
                          w->close();
                        })});
    table_->tbtnDistr->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts(), QStringList{message});
    QVERIFY(blank);
    QVERIFY(!canSave && !canPrint);
  }

  void ScatterDiagramFromTheMenuPlotsRedPointsAndPrints() {
    Open("X Y\n1 10\n3 30\n2 50\n5 20\n4 40\n");
    table_->hide();
    QImage picture;
    bool printed = false;
    GraphPrinter().setOutputFormat(QPrinter::PdfFormat);
    GraphPrinter().setOutputFileName(home_->Path("scatter.pdf"));
    ModalScript script({ChooseVariables({0, 1}), On<TfmGrScater>([&](TfmGrScater* w) {
                          QCOMPARE(w->windowTitle(), QString("Диаграмма рассеяния"));
                          picture = w->Picture();
                          printed = w->Print();
                          w->tbtnExit->trigger();
                        })});
    main_->mnGrScater->trigger();
    QVERIFY(script.Done());
    QVERIFY(printed);
    QVERIFY(ReadAll(home_->Path("scatter.pdf")).startsWith("%PDF"));
    const int left = 60, right = 736 - 60, top = 40, bottom = 469 - 60;
    const double kX = (right - left - 20) / 4.0, kY = (bottom - top - 20) / 40.0;
    const double xs[] = {1, 3, 2, 5, 4}, ys[] = {10, 30, 50, 20, 40};
    for (int i = 0; i < 5; ++i) {
      const int x = left + static_cast<int>(std::nearbyint((xs[i] - 1) * kX)) + 10;
      const int y = bottom - static_cast<int>(std::nearbyint((ys[i] - 10) * kY)) - 10;
      QVERIFY2(IsColor(picture, x, y, Qt::red), qPrintable(QString("pair %1").arg(i)));
    }
    // Nothing red elsewhere: e.g. no point invented at Y = 0 below the frame.
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) red += IsColor(picture, x, y, Qt::red);
    QVERIFY(red > 0 && red <= 5 * 9);
    QCOMPARE(messages_->Texts(), QStringList{});
  }

  void ScatterWithPairwiseDeletionLeavesOutTheMissingPair() {
    Open("X Y\n1 10\n-999 30\n2 50\n5 20\n");
    table_->hide();
    Data().PairwiseMissing = true;
    int points = -1;
    ModalScript script({ChooseVariables({0, 1}), On<TfmGrScater>([&](TfmGrScater* w) {
                          points = static_cast<int>(w->Graph().points.size());
                          w->close();
                        })});
    main_->mnGrScater->trigger();
    QVERIFY(script.Done());
    QCOMPARE(points, 3);
    QVERIFY(QString::fromStdString(Data().ProcessingNote).contains(QStringLiteral("Пропуски удалены попарно.")));
  }
};

QTEST_MAIN(TestPictureWindows)
#include "test_picture_windows.moc"
