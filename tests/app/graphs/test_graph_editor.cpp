// The graphic editor: the first graph drawn from the data, the drawing tools
// at known pixels, selection with the clipboard and the paste box, undo after
// each kind of change, opening and saving pictures, and the menu command.
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <memory>

#include "app/graphs/graph_printer.h"
#include "app/graphs/graph_run_options.h"
#include "app/graphs/tfm_gr_edit.h"
#include "app/graphs/tfm_gragh_cfg.h"
#include "app/shell/program_session.h"
#include "app/shell/tfm_main.h"
#include "app_test_support.h"
#include "core/base/numbers.h"
#include "core/data/data_input.h"
#include "core/data/session.h"
#include "core/graphs/y_ticks.h"
#include "draw/graphs/canvas.h"
#include "draw/graphs/editor_graph_painter.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

const QColor kWhite(Qt::white);
const QColor kBlack(Qt::black);

SequentialLook Look() { return {GraphFont("DejaVu Sans", 8), 0}; }

QImage PaintEditorGraph(const QSize& size, std::vector<std::string>* messages = nullptr) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  std::vector<std::string> said = DrawEditorGraph(p, size, Look(), ProgramGraphSource());
  if (messages) *messages = said;
  return image;
}

// Black pixels of image inside r.
int BlackIn(const QImage& image, const QRect& r) {
  int count = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) count += image.pixelColor(x, y) == kBlack;
  return count;
}

}  // namespace

class TestGraphEditor : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmGrEdit> editor_;

  void Load(const QByteArray& text) {
    Data().EmptyValue = -999;
    Data().DataFileName = home_->Write("data/days.txt", text).toStdString();
    QVERIFY(LoadDataFile(Data().DataFileName, ProgramSession()).loaded);
  }
  // An editor on a white picture of 300 x 200, shown so the mouse reaches it.
  TfmGrEdit& BlankEditor() {
    editor_ = std::make_unique<TfmGrEdit>(nullptr);
    editor_->show();
    editor_->FormShow(QSize(300, 200));
    editor_->Clear();
    return *editor_;
  }
  void Drag(TfmGrEdit& e, QPoint from, QPoint to) {
    QTest::mousePress(e.pictureBox, Qt::LeftButton, {}, from);
    QTest::mouseMove(e.pictureBox, (from + to) / 2);
    QTest::mouseMove(e.pictureBox, to);
    QTest::mouseRelease(e.pictureBox, Qt::LeftButton, {}, to);
  }
  void Click(TfmGrEdit& e, QPoint at) { QTest::mouseClick(e.pictureBox, Qt::LeftButton, {}, at); }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    QGuiApplication::clipboard()->clear();
  }
  void cleanup() {
    editor_.reset();
    messages_.reset();
    home_.reset();
  }

  void TheFirstGraphPlacesItsPointsInThePlotAndSurvivesEmptyAndLongSeries() {
    // 340 plot pixels over 4 days: 85 pixels a day; the ticks share the 240 pixels of the plot.
    Load("A B\n10 5\n20 -999\n-999 5\n30 5\n");
    Data().VarSteps[0] = 10;
    const QImage image = PaintEditorGraph(QSize(460, 300));
    const int bottom = 260;
    const int k = static_cast<int>(ComputeTicks(10, 30, 10, 1, false).values.size());
    const int s = RoundInt(240.0 / k);
    const struct {
      int x;
      int y;  // -1: no point on this day
    } days[] = {{145, bottom - 1}, {230, bottom - 1 - s}, {315, -1}, {400, bottom - 1 - 2 * s}};
    for (const auto& d : days) {
      if (d.y < 0) {
        QCOMPARE(BlackIn(image, QRect(d.x - 2, 21, 5, bottom - 22)), 0);
      } else {
        QVERIFY2(BlackIn(image, QRect(d.x - 1, d.y - 1, 3, 3)) == 9, qPrintable(QString::number(d.x)));
      }
    }
    // Days 1 and 2 are joined; nothing crosses the gap of day 3.
    QCOMPARE(image.pixelColor(187, bottom - 1 - s / 2), kBlack);
    QCOMPARE(BlackIn(image, QRect(250, 21, 130, bottom - 22)), 0);
    // The frame and the X axis with its ticks.
    QCOMPARE(image.pixelColor(60, 100), kBlack);
    QCOMPARE(image.pixelColor(145, bottom + 3), kBlack);

    // No values at all: the name and an empty frame, no failure.
    ResetDataSet();
    Load("A\n-999\n");
    Data().VarCounts[0] = 0;
    const QImage empty = PaintEditorGraph(QSize(460, 300));
    QCOMPARE(BlackIn(empty, QRect(61, 21, 338, 238)), 0);
    bool named = false;  // the name's text, drawn with smoothed edges
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 60; ++x) named = named || empty.pixelColor(x, y) != kWhite;
    QVERIFY(named);

    // More days than pixels: one pixel a day, and nothing beyond the plot's right edge.
    ResetDataSet();
    QByteArray many = "A\n";
    for (int i = 0; i < 1000; ++i) many += QByteArray::number(i % 7) + "\n";
    Load(many);
    const QImage dense = PaintEditorGraph(QSize(460, 300));
    QVERIFY(BlackIn(dense, QRect(62, 21, 330, 238)) > 0);
    QCOMPARE(BlackIn(dense, QRect(403, 21, 57, 238)), 0);  // a point on the edge reaches 2 pixels past it
  }

  void ToolsDrawTheirShapesAtTheMousePixelsAndShowTheirNames() {
    TfmGrEdit& e = BlankEditor();
    QCOMPARE(e.stbTool->text(), QStringLiteral("Прямая линия"));
    QTest::mouseMove(e.pictureBox, QPoint(17, 23));
    QCOMPARE(e.stbPosition->text(), QStringLiteral("X: 17, У: 23"));

    const struct {
      QAction* tool;
      QString status;
      QPoint from, to;
      std::vector<QPoint> black, white;
    } cases[] = {
        {e.tbtnLine, "Прямая линия", {10, 10}, {60, 10}, {{10, 10}, {35, 10}, {59, 10}}, {{35, 11}, {35, 9}}},
        {e.tbtnRect, "Прямоугольник", {100, 20}, {150, 60}, {{100, 20}, {149, 20}, {100, 59}, {149, 59}, {125, 20}},
         {{125, 40}, {150, 60}}},
        {e.tbtnEllipse, "Эллипс", {20, 100}, {80, 160}, {{20, 130}, {79, 130}, {50, 100}, {50, 159}},
         {{50, 130}, {21, 101}}},
        {e.tbtnRectRound, "Прямоугольник закругленный", {200, 100}, {280, 180}, {{240, 100}, {200, 140}},
         {{200, 100}, {240, 140}}},
    };
    for (const auto& c : cases) {
      c.tool->trigger();
      QCOMPARE(e.stbTool->text(), c.status);
      Drag(e, c.from, c.to);
      for (const QPoint& pt : c.black) QVERIFY2(e.Picture().pixelColor(pt) == kBlack, qPrintable(c.status));
      for (const QPoint& pt : c.white) QVERIFY2(e.Picture().pixelColor(pt) == kWhite, qPrintable(c.status));
    }
    e.tbtnDraw->trigger();
    QCOMPARE(e.stbTool->text(), QStringLiteral("Произвольная линия"));
    Drag(e, {150, 150}, {170, 150});
    QCOMPARE(e.Picture().pixelColor(155, 150), kBlack);
    QCOMPARE(e.Picture().pixelColor(165, 150), kBlack);
    e.selectTool->trigger();
    QCOMPARE(e.stbTool->text(), QStringLiteral("Выделение"));
  }

  void TheRubberBandAndTheSelectionFrameStayOutOfThePicture() {
    TfmGrEdit& e = BlankEditor();
    const QImage before = e.Picture();
    e.tbtnRect->trigger();
    QTest::mousePress(e.pictureBox, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(e.pictureBox, {90, 90});
    QCOMPARE(e.Picture(), before);  // the band is only shown
    e.PictureMouseUp({10, 10});      // released where it started: nothing drawn
    e.selectTool->trigger();
    Drag(e, {20, 20}, {120, 80});
    QVERIFY(!e.Selection().isEmpty());
    QCOMPARE(e.Picture(), before);
    const QString path = home_->Path("framed.png");
    QVERIFY(e.SaveToFile(path));
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), before);
    // The window shows the frame.
    const QImage shown = e.pictureBox->grab().toImage();
    QVERIFY(BlackIn(shown, QRect(20, 20, 100, 1)) > 0);
  }

  void CopyTakesTheSelectionAtItsSizeAndPasteDragsAndDropsIt() {
    TfmGrEdit& e = BlankEditor();
    e.tbtnRect->trigger();
    Drag(e, {30, 30}, {40, 36});  // a 10 x 6 outline
    QVERIFY(!e.tbtnPaste->isEnabled());

    // Copy with another tool does nothing; so does a click without a drag.
    e.tbtnCopy->trigger();
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
    e.selectTool->trigger();
    Click(e, {30, 30});
    e.tbtnCopy->trigger();
    QVERIFY(QGuiApplication::clipboard()->image().isNull());

    // Either direction of the drag selects the same pixels.
    const QImage expected = e.Picture().copy(QRect(25, 25, 20, 15));
    for (const auto& [from, to] : {std::pair{QPoint(25, 25), QPoint(45, 40)}, std::pair{QPoint(45, 40), QPoint(25, 25)}}) {
      Drag(e, from, to);
      e.tbtnCopy->trigger();
      const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
      QCOMPARE(copied.size(), QSize(20, 15));
      QCOMPARE(copied, expected);
    }
    QVERIFY(e.tbtnPaste->isEnabled());

    e.tbtnPaste->trigger();
    QVERIFY(e.IsPasting());
    QVERIFY(e.pbPasteBox->isVisible());
    QCOMPARE(e.pbPasteBox->geometry(), QRect(0, 0, 20, 15));
    // Dragged by the mouse to (150, 100), then dropped by the next click on the picture.
    QTest::mousePress(e.pbPasteBox, Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(e.pbPasteBox, {155, 105});
    QTest::mouseRelease(e.pbPasteBox, Qt::LeftButton, {}, {155, 105});
    QCOMPARE(e.pbPasteBox->pos(), QPoint(150, 100));
    QVERIFY(e.Picture().copy(150, 100, 20, 15) != expected);  // not dropped yet
    e.tbtnLine->trigger();
    Click(e, {250, 180});
    QVERIFY(!e.IsPasting());
    QVERIFY(!e.pbPasteBox->isVisible());
    QCOMPARE(e.Picture().copy(150, 100, 20, 15), expected);
  }

  void UndoRestoresThePictureBeforeEachKindOfChange() {
    const QString bad = home_->Write("bad.bmp", "not a picture");
    const QString small = home_->Path("small.png");
    {
      QImage dot(40, 30, QImage::Format_RGB32);
      dot.fill(Qt::red);
      QVERIFY(dot.save(small));
    }
    const struct {
      const char* action;
      std::function<void(TfmGrEdit&, TestGraphEditor&)> change;
    } cases[] = {
        {"line", [](TfmGrEdit& e, TestGraphEditor& t) { t.Drag(e, {100, 150}, {200, 150}); }},
        {"clear", [](TfmGrEdit& e, TestGraphEditor&) { e.tbtnClear->trigger(); }},
        {"cut",
         [](TfmGrEdit& e, TestGraphEditor& t) {
           e.selectTool->trigger();
           t.Drag(e, {5, 5}, {60, 60});
           e.tbtnCut->trigger();
         }},
        {"open", [small](TfmGrEdit& e, TestGraphEditor&) { QVERIFY(e.LoadFromFile(small)); }},
        {"text drop",
         [](TfmGrEdit& e, TestGraphEditor& t) {
           e.edText->setText("Пульс");
           e.tbtnText->trigger();
           QCOMPARE(e.stbTool->text(), QStringLiteral("Текст"));
           t.Click(e, {250, 190});
         }},
    };
    for (const auto& c : cases) {
      TfmGrEdit& e = BlankEditor();
      // A stroke before the change stays after its undo.
      e.tbtnLine->trigger();
      Drag(e, {10, 20}, {90, 20});
      const QImage before = e.Picture();
      c.change(e, *this);
      QVERIFY2(e.Picture() != before, c.action);
      e.tbtnUndo->trigger();
      QVERIFY2(e.Picture() == before, c.action);
    }
    // A file that is not a picture says so and changes nothing.
    TfmGrEdit& e = BlankEditor();
    const QImage before = e.Picture();
    QVERIFY(!e.LoadFromFile(bad));
    QCOMPARE(e.Picture(), before);
    // Qt's reasons are given in Russian.
    const QString missing = home_->Path("missing.png");
    QVERIFY(!e.LoadFromFile(missing));
    QCOMPARE(e.Picture(), before);
    QCOMPARE(messages_->Texts(),
             (QStringList{QStringLiteral("Не удалось загрузить рисунок из файла ") + bad +
                              QStringLiteral(": формат рисунка не поддерживается"),
                          QStringLiteral("Не удалось загрузить рисунок из файла ") + missing +
                              QStringLiteral(": нет такого файла или каталога")}));
  }

  void SavedPicturesOpenAgainAsTheyWereAndAFailedSaveSaysSo() {
    TfmGrEdit& e = BlankEditor();
    e.tbtnEllipse->trigger();
    Drag(e, {20, 20}, {120, 90});
    const QImage drawn = e.Picture();
    for (const QString name : {"saved.bmp", "saved.png"}) {
      const QString path = home_->Path(name);
      ModalScript save({PickFile(path)});
      e.tbtnSave->trigger();
      QVERIFY(save.Done());
      e.Clear();
      ModalScript open({PickFile(path)});
      e.tbtnOpen->trigger();
      QVERIFY(open.Done());
      QCOMPARE(e.Picture(), drawn);
    }
    QVERIFY(!e.SaveToFile(home_->Path("no/such/dir/x.bmp")));
    QVERIFY(!e.SaveToFile(home_->Path("")));
    QCOMPARE(messages_->Texts(),
             (QStringList{QStringLiteral("Не удалось сохранить график в файл ") + home_->Path("no/such/dir/x.bmp") +
                              QStringLiteral(": нет такого файла или каталога"),
                          QStringLiteral("Не удаётся открыть файл ") + home_->Path("") +
                              QStringLiteral(": это каталог, а не файл")}));
  }

  void PrintingPutsThePictureOnThePageOrSaysItFailed() {
    TfmGrEdit& e = BlankEditor();
    QPrinter& printer = GraphPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const struct {
      QString out;
      bool printed;
    } cases[] = {{home_->Path("printed.pdf"), true}, {home_->Path("no/such/dir/printed.pdf"), false}};
    for (const auto& c : cases) {
      messages_->shown.clear();
      printer.setOutputFileName(c.out);
      e.tbtnPrint->trigger();
      const QByteArray pdf = ReadAll(c.out);
      QCOMPARE(pdf.contains("/Subtype /Image"), c.printed);
      QCOMPARE(messages_->Texts(), c.printed ? QStringList{} : QStringList{"Не удалось напечатать график."});
    }
    printer.setOutputFileName({});
  }

  void TheMenuCommandOpensTheEditorWithTheChosenVariable() {
    home_->WriteSettings({{"OutputCat", home_->Path("")}});
    TfmMain main;
    main.show();
    QVERIFY(main.ReadDataFile(home_->Write("data/days.txt", "A B\n1 10\n2 30\n3 20\n").toStdString()));
    main.EnableDataCommands(true);
    QString title, status;
    ModalScript script({ChooseVariables({1}), On<TfmGraghCfg>([](TfmGraghCfg* d) { d->btbtnOK->click(); }),
                        On<TfmGrEdit>([&](TfmGrEdit* w) {
                          status = w->stbTool->text();
                          title = w->windowTitle();
                          QVERIFY(!w->Picture().isNull());
                          // A changed picture is not closed unasked: "Отмена" stays, "Нет" leaves.
                          Drag(*w, {10, 10}, {50, 50});
                          messages_->replies = {Answer::Cancel, Answer::No};
                          w->tbtnExit->trigger();
                          QVERIFY(w->isVisible());
                          w->tbtnExit->trigger();
                          QVERIFY(!w->isVisible());
                        })});
    main.mnEditGraph->trigger();
    QVERIFY(script.Done());
    QCOMPARE(title, QStringLiteral("Редактор графики"));
    QCOMPARE(status, QStringLiteral("Прямая линия"));
    QCOMPARE(Data().NumVar, 2);  // widened again afterwards
    QCOMPARE(messages_->Texts(), QStringList(2, QStringLiteral("Рисунок изменён. Сохранить его в файле?")));
  }
};

QTEST_MAIN(TestGraphEditor)
#include "test_graph_editor.moc"
