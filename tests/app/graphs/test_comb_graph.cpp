// The chart window with the cluster dynamics: the bars as the model gives
// them, the proposed file names, scrolling, zoom, values, saving and printing,
// in 2-D and in the 3-D view, and its "Setup" dialog.
#include <QAction>
#include <QClipboard>
#include <QAreaSeries>
#include <QBarSeries>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPercentBarSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QPrinter>
#include <QValueAxis>
#include <memory>

#include "app_test_support.h"
#include "app/graphs/chart_scene_view.h"
#include "app/graphs/tfm_c_graph_cfg.h"
#include "app/graphs/tfm_comb_graf_cfg.h"
#include "app/graphs/tfm_comb_graph.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

void StoreClusterRun(std::int32_t joins, bool found, int chosen) {
  ClusterResult& r = Data().Cluster;
  r.ClustArray.assign(static_cast<std::size_t>(joins) + 1, Clust{});
  for (std::int32_t s = 0; s <= joins; ++s) r.ClustArray[s].Clevel = s * s;
  r.Found = found;
  r.ChosenStep = chosen;
}

// Two line series of positive values, so the Y axis may start above 0.
ChartModel TwoLines() {
  ChartModel model;
  for (const char* title : {"A", "B"}) {
    ChartSeries s;
    s.title = title;
    s.rgb = 0x0000FF;
    s.symbolsShown = true;
    s.values = {50, 60, 70, 100};
    model.series.push_back(s);
  }
  return model;
}

QValueAxis* Axis(TfmCombGraph& w, Qt::Orientation o) {
  return qobject_cast<QValueAxis*>(w.Chart1->axes(o).first());
}

// Prints the chart window's chart to a PDF file: one landscape page.
void PrintsOneLandscapePage(TfmCombGraph& w, const QString& pdf) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  QVERIFY(w.PrintTo(printer));
  QCOMPARE(PdfPageCount(ReadAll(pdf)), 1);
  QVERIFY(printer.pageLayout().orientation() == QPageLayout::Landscape);
}

}  // namespace

class TestCombGraph : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    home_->WriteSettings({{"OutputCat", home_->Path("out")}});
    QDir().mkpath(home_->Path("out"));
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void TheDynamicsShowTwoBarSetsTheChosenOneInMaroonUnderNumberedNames() {
    StoreClusterRun(30, true, 25);
    main_->EnableClusterCommands(true);
    QStringList names, sets;
    int bars = 0;
    QColor selected;
    bool chosenSelected = false;
    int seriesAfter = -1;
    const auto look = On<TfmCombGraph>([&](TfmCombGraph* w) {
      names << QFileInfo(w->st).fileName();
      QCOMPARE(QFileInfo(w->st).absolutePath(), QFileInfo(home_->Path("out")).absoluteFilePath());
      const QList<QAbstractSeries*> series = w->Chart1->series();
      QCOMPARE(series.size(), 1);
      auto* bs = qobject_cast<QBarSeries*>(series.first());
      QVERIFY(bs);
      sets.clear();
      for (QBarSet* set : bs->barSets()) sets << set->label();
      bars = static_cast<int>(bs->barSets().first()->count());
      selected = bs->barSets().first()->selectedColor();
      chosenSelected = bs->barSets().first()->isBarSelected(25 - 20);
      w->tbtnClose->trigger();
    });
    {
      ModalScript script({look});
      main_->mnClGraph->trigger();
      QVERIFY(script.Done());
    }
    ModalScript script({look});
    main_->tbtnClGraph->trigger();
    QVERIFY(script.Done());
    seriesAfter = static_cast<int>(main_->fmCombGraph->Chart1->series().size());
    QCOMPARE(names, (QStringList{"clustgraph1.bmp", "clustgraph2.bmp"}));
    QCOMPARE(sets, (QStringList{"Расстояние", "Прирост"}));
    QCOMPARE(bars, 10);
    QCOMPARE(selected, QColor(128, 0, 0));
    QVERIFY(chosenSelected);
    QCOMPARE(seriesAfter, 0);
  }

  void TheCombinedChartShowsTheChosenKindWithItsMeans() {
    QVERIFY(main_->ReadDataFile(home_->Write("data/days.txt", "A B C\n1 2 -1\n3 4 -2\n5 6 -3\n").toStdString()));
    main_->EnableDataCommands(true);
    const struct {
      QString kind;
      QString sub;
      const char* seriesClass;
      int series;
      QString file;
    } cases[] = {{"Линейный", "", "QLineSeries", 3, "graph1.bmp"},
                 {"Столбчатый", "Стек 100%", "QPercentBarSeries", 1, "graph2.bmp"},
                 // Behind one another: the uncovered parts stacked, and the tops for the values.
                 {"Столбчатый", "Один за другим", "QStackedBarSeries", 4, "graph3.bmp"},
                 {"С областями", "Стек", "QAreaSeries", 3, "graph4.bmp"}};
    for (const auto& c : cases) {
      QString means, file, seriesClass;
      int series = -1;
      ModalScript script({ChooseVariables({0, 1, 2}), On<TfmcGraphCfg>([&](TfmcGraphCfg* d) {
                            for (QRadioButton* b : {d->rbLine, d->rbBar, d->rbArea})
                              if (b->text() == c.kind) b->setChecked(true);
                            if (!c.sub.isEmpty()) d->cbType->setCurrentText(c.sub);
                            QCOMPARE(d->cbType->isEnabled(), !c.sub.isEmpty());
                            d->seed = 5;
                            QTimer::singleShot(0, d->btbtnOK, &QPushButton::click);
                          }),
                          On<TfmCombGraph>([&](TfmCombGraph* w) {
                            means = w->lblStat->text();
                            file = QFileInfo(w->st).fileName();
                            series = static_cast<int>(w->Chart1->series().size());
                            seriesClass = w->Chart1->series().first()->metaObject()->className();
                            w->tbtnClose->trigger();
                          })});
      main_->mnCombGraph->trigger();
      QVERIFY(script.Done());
      QCOMPARE(means, QStringLiteral("Mean:  A=3.0  B=4.0  C=NAN"));
      QCOMPARE(file, c.file);
      QCOMPARE(series, c.series);
      QCOMPARE(seriesClass, QString(c.seriesClass));
    }
    QVERIFY(messages_->shown.empty());
  }

  void ABarChartOfMoreBarsThanItCanShowSaysSo() {
    QByteArray text = "A\n";
    for (int j = 0; j <= kMaxBars; ++j) text += QByteArray::number(j % 7) + "\n";
    QVERIFY(main_->ReadDataFile(home_->Write("data/long.txt", text).toStdString()));
    main_->EnableDataCommands(true);
    ModalScript script({ChooseVariables({0}), On<TfmcGraphCfg>([](TfmcGraphCfg* d) {
                          d->rbBar->setChecked(true);
                          d->btbtnOK->click();  // refused: the dialog stays
                          QVERIFY(d->isVisible());
                          d->bbtnCancel->click();
                        })});
    main_->mnCombGraph->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->shown.size(), std::size_t(1));
    QVERIFY(messages_->shown.front().second.startsWith(QStringLiteral("Слишком много столбцов: 3001.")));
    QCOMPARE(main_->fmcGraphCfg->nmb, 0);
  }

  void ScrollingZoomValuesSavingAndPrinting() {
    StoreClusterRun(8, false, 255);
    TfmCombGraph& w = *main_->fmCombGraph;
    w.SetModel(ClusterDynamicsModel(Data().Cluster));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* x = qobject_cast<QValueAxis*>(w.Chart1->axes(Qt::Horizontal).first());
    const double min = x->min(), max = x->max();
    w.tbtnLeft->trigger();  // towards larger X by a tenth of the range
    QCOMPARE(x->min(), min + (max - min) / 10);
    w.tbtnRight->trigger();
    QCOMPARE(x->min(), min);
    w.tbtnZoomIn->trigger();
    QVERIFY(x->max() - x->min() < max - min);
    w.tbtnUnZoom->trigger();
    QCOMPARE(x->max() - x->min(), max - min);
    w.tbtnNumbers->trigger();
    QVERIFY(w.cMarks);
    QVERIFY(qobject_cast<QBarSeries*>(w.Chart1->series().first())->isLabelsVisible());

    const QString bmp = home_->Path("out/chart.bmp");
    QVERIFY(w.SaveChart(bmp));
    QVERIFY(ReadAll(bmp).startsWith("BM"));  // the format the name says
    QVERIFY(!w.SaveChart(home_->Path("no/dir/chart.png")));
    QCOMPARE(messages_->shown.size(), std::size_t(1));

    PrintsOneLandscapePage(w, home_->Path("out/chart.pdf"));
    w.close();
  }

  void TheThreeDViewTurnsZoomsSavesAndPrints() {
    StoreClusterRun(12, true, 7);
    TfmCombGraph& w = *main_->fmCombGraph;
    w.view.view3D = true;
    w.SetModel(ClusterDynamicsModel(Data().Cluster));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.Chart3D->isVisible());
    QVERIFY(!w.ChartView1->isVisible());

    // Every setting of the view changes the picture.
    QImage last = w.Chart3D->grab().toImage();
    const auto changed = [&] {
      w.ApplyView();
      const QImage now = w.Chart3D->grab().toImage();
      const bool differs = now != last;
      last = now;
      return differs;
    };
    w.view.orthogonal = false;
    QVERIFY(changed());
    w.view.elevation = 330;
    QVERIFY(changed());
    w.view.rotation = 20;
    QVERIFY(changed());
    w.view.depthPercent = 30;
    QVERIFY(changed());
    w.tbtnNumbers->trigger();
    QVERIFY(w.cMarks);
    QVERIFY(changed());

    const ChartRange full = w.Range3D();
    w.tbtnLeft->trigger();  // towards larger X by a tenth of the range
    QCOMPARE(w.Range3D().xMin, full.xMin + (full.xMax - full.xMin) / 10);
    w.tbtnUp->trigger();
    QCOMPARE(w.Range3D().yMin, full.yMin - (full.yMax - full.yMin) / 10);
    QVERIFY(changed());
    w.tbtnZoomIn->trigger();
    QVERIFY(w.Range3D().xMax - w.Range3D().xMin < full.xMax - full.xMin);
    w.tbtnUnZoom->trigger();
    QCOMPARE(w.Range3D().xMin, full.xMin);
    QCOMPARE(w.Range3D().yMax, full.yMax);

    const QString png = home_->Path("out/chart3d.png"), pdf = home_->Path("out/chart3d.pdf");
    QVERIFY(w.SaveChart(png));
    QCOMPARE(QImage(png).size(), w.Chart3D->size());
    QVERIFY(w.SaveChart(pdf));
    QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    PrintsOneLandscapePage(w, home_->Path("out/printed3d.pdf"));
    w.tbtnPicToBuffer->trigger();
    QCOMPARE(QApplication::clipboard()->image(), w.Chart3D->grab().toImage());
    QVERIFY(messages_->shown.empty());

    // Back in 2-D the chart component shows the chart again.
    w.view.view3D = false;
    w.ApplyView();
    QVERIFY(w.ChartView1->isVisible());
    QVERIFY(!w.Chart3D->isVisible());
    w.close();
  }

  void SavedLinesShowTheirSymbolsAtThePoints() {
    // One flat line per symbol: without its symbol no pixel of the series
    // colour stands two rows above or below a point.
    ChartModel model;
    for (int k = 0; k < kPointSymbolCount; ++k) {
      ChartSeries s;
      s.title = "S" + std::to_string(k);
      s.rgb = 0x0000FF;
      s.symbol = static_cast<PointSymbol>(k);
      s.symbolsShown = true;
      s.values = {2.0 * k + 1, 2.0 * k + 1, 2.0 * k + 1};
      model.series.push_back(s);
    }
    TfmCombGraph& w = *main_->fmCombGraph;
    w.SetModel(model);
    w.resize(400, 400);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString png = home_->Path("out/lines.png");
    QVERIFY(w.WriteChart(png).isEmpty());
    const QImage picture(png);
    QVERIFY(!picture.isNull());
    const QList<QAbstractSeries*> series = w.Chart1->series();
    for (int k = 0; k < kPointSymbolCount; ++k) {
      const QPointF inChart = w.Chart1->mapToPosition(QPointF(1, 2.0 * k + 1), series[k]);
      const QPoint at = w.ChartView1->mapFromScene(w.Chart1->mapToScene(inChart));
      int symbolPixels = 0;
      for (int dy : {-2, 2}) {
        for (int dx = -2; dx <= 2; ++dx) {
          const QColor c = picture.pixelColor(at + QPoint(dx, dy));
          if (c.blue() > 200 && c.red() < 120 && c.green() < 120) ++symbolPixels;
        }
      }
      QVERIFY2(symbolPixels > 0, qPrintable(QStringLiteral("symbol %1").arg(k)));
    }
    w.close();
  }

  void SetupLoadsTheChartAndChangesItAtOnceFurtherAppliesValuesAndSize() {
    TfmCombGraph& w = *main_->fmCombGraph;
    QVERIFY(!w.fmCombGrafCfg);
    w.view.view3D = true;
    w.view.orthogonal = false;
    w.view.elevation = 100;
    w.view.depthPercent = 20;
    w.view.marginLeft = 10;
    w.view.gridX = false;
    w.cMarks = false;
    w.SetModel(TwoLines());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.fmCombGrafCfg);
    QCOMPARE(w.Chart1->margins().left(), static_cast<int>(w.Chart1->size().width() * 10 / 100));
    QVERIFY(!Axis(w, Qt::Horizontal)->isGridLineVisible());
    QCOMPARE(Axis(w, Qt::Vertical)->min(), 0.0);

    ModalScript script({On<TfmCombGrafCfg>([&](TfmCombGrafCfg* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("Setup"));
      // Loaded from the chart, enabled as the 3-D view allows.
      QVERIFY(d->cbx3D->isChecked());
      QVERIFY(!d->cbxOrtogonal->isChecked());
      QCOMPARE(d->sedAngle->value(), 100);
      QCOMPARE(d->sedChart3DPercent->value(), 20);
      QCOMPARE(d->seLeft->value(), 10);
      QCOMPARE(d->seTop->value(), 3);
      QCOMPARE(d->sedFontSizeX->value(), 12);
      QVERIFY(!d->cbxGridX->isChecked());
      QVERIFY(d->cbxGridY->isChecked());
      QVERIFY(d->cbxAxYzero->isChecked());
      QVERIFY(!d->cbxMarks->isChecked());
      QVERIFY(d->sedAngle->isEnabled() && d->sedRotation->isEnabled() && d->sedChart3DPercent->isEnabled());
      d->cbxOrtogonal->setChecked(true);
      QVERIFY(!d->sedAngle->isEnabled() && !d->sedRotation->isEnabled() && d->sedChart3DPercent->isEnabled());
      QVERIFY(w.view.orthogonal);
      d->cbx3D->setChecked(false);
      QVERIFY(!d->cbxOrtogonal->isEnabled() && !d->sedChart3DPercent->isEnabled());
      QVERIFY(!w.view.view3D);

      // Each change reaches the chart at once.
      d->seLeft->setValue(20);
      d->seBottom->setValue(15);
      QCOMPARE(w.Chart1->margins().left(), static_cast<int>(w.Chart1->size().width() * 20 / 100));
      QCOMPARE(w.Chart1->margins().bottom(), static_cast<int>(w.Chart1->size().height() * 15 / 100));
      d->sedFontSizeX->setValue(7);
      d->sedFontSizeY->setValue(16);
      QCOMPARE(Axis(w, Qt::Horizontal)->labelsFont().pointSize(), 7);
      QCOMPARE(Axis(w, Qt::Vertical)->labelsFont().pointSize(), 16);
      d->cbxGridX->setChecked(true);
      d->cbxGridY->setChecked(false);
      QVERIFY(Axis(w, Qt::Horizontal)->isGridLineVisible());
      QVERIFY(!Axis(w, Qt::Vertical)->isGridLineVisible());
      d->cbxAxYzero->setChecked(false);
      QVERIFY(Axis(w, Qt::Vertical)->min() > 0 && Axis(w, Qt::Vertical)->min() <= 50);
      QVERIFY(!w.cMarks);  // values and size wait for "Further"

      d->cbxMarks->setChecked(true);
      d->seCanvasWidth->setValue(700);
      d->seCanvasHeight->setValue(500);
      QCOMPARE(w.size(), QSize(900, 600));
      d->btnOK->click();
    })});
    w.tbtbGraphSetup->trigger();
    QVERIFY(script.Done());
    QVERIFY(w.cMarks);
    QVERIFY(qobject_cast<QLineSeries*>(w.Chart1->series().first())->pointLabelsVisible());
    QCOMPARE(w.size(), QSize(700, 500));
    QVERIFY(!w.view.yFromZero);
    QCOMPARE(w.view.fontSizeY, 16);
    w.close();
    QVERIFY(!w.fmCombGrafCfg);  // freed with the window
  }

  void LeavingSetupPutsTheChartBackAsItWas() {
    TfmCombGraph& w = *main_->fmCombGraph;
    w.SetModel(TwoLines());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const ChartView before = w.view;
    const QMargins margins = w.Chart1->margins();
    for (const auto& [way, leave] : WaysToCancel("bbtnCancel")) {
      ModalScript script({On<TfmCombGrafCfg>([&, leave = leave](TfmCombGrafCfg* d) {
        d->seTop->setValue(30);
        d->cbxGridY->setChecked(false);
        d->cbxAxYzero->setChecked(false);
        d->cbxMarks->setChecked(true);
        d->seCanvasWidth->setValue(500);
        QVERIFY(!Axis(w, Qt::Vertical)->isGridLineVisible());
        leave(d);
      })});
      w.tbtbGraphSetup->trigger();
      QVERIFY2(script.Done(), qPrintable(way));
      QVERIFY2(w.view.marginTop == before.marginTop && w.view.gridY && w.view.yFromZero, qPrintable(way));
      QCOMPARE(w.Chart1->margins(), margins);
      QVERIFY(Axis(w, Qt::Vertical)->isGridLineVisible());
      QCOMPARE(Axis(w, Qt::Vertical)->min(), 0.0);
      QVERIFY(!w.cMarks);
      QCOMPARE(w.size(), QSize(900, 600));
    }
    w.close();
  }
};

QTEST_MAIN(TestCombGraph)
#include "test_comb_graph.moc"
