// The chart window with the cluster dynamics: the bars as the model gives
// them, the proposed file names, scrolling, zoom, values, saving and printing,
// in 2-D and in the 3-D view.
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
#include "graphs/chart_scene_view.h"
#include "graphs/tfm_c_graph_cfg.h"
#include "graphs/tfm_comb_graph.h"
#include "shell/tfm_main.h"

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
                 {"Столбчатый", "Один за другим", "QBarSeries", 3, "graph3.bmp"},
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
};

QTEST_MAIN(TestCombGraph)
#include "test_comb_graph.moc"
