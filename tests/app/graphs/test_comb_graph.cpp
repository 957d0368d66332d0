// The chart window with the cluster dynamics and the combined chart: the
// series as the model gives them, painted where the axis says, the proposed
// file names, scrolling, zoom, values, saving and printing, in 2-D and in the
// 3-D view, and its "Вид графика" dialog.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QPrinter>
#include <algorithm>
#include <map>
#include <memory>

#include "app/shell/program_session.h"
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

// The rows of the Y axis's labels and the columns of the X axis's, by their texts.
std::map<QString, double> LabelPlaces(const ChartScene& scene, TextAnchor anchor) {
  std::map<QString, double> places;
  for (std::size_t i = 0; i < scene.legend; ++i) {
    const SceneItem& item = scene.items[i];
    if (item.kind == SceneItemKind::Text && item.anchor == anchor)
      places[QString::fromStdString(item.text)] = anchor == TextAnchor::RightMiddle ? item.points[0].y : item.points[0].x;
  }
  return places;
}

// The point size of the scene's labels of one axis.
int LabelSize(const ChartScene& scene, TextAnchor anchor) {
  for (std::size_t i = 0; i < scene.legend; ++i)
    if (scene.items[i].kind == SceneItemKind::Text && scene.items[i].anchor == anchor) return scene.items[i].pointSize;
  return 0;
}

// The plot's frame: the first face painted.
QRectF PlotFrame(const ChartScene& scene) {
  QPolygonF corners;
  for (const Vec2& v : scene.items.front().points) corners << QPointF(v.x, v.y);
  return corners.boundingRect();
}

long DashedLines(const ChartScene& scene) {
  return std::count_if(scene.items.begin(), scene.items.end(), [](const SceneItem& i) { return i.dashed; });
}

bool Near(const QColor& a, std::uint32_t rgb) {
  const QColor b((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
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

  void TheDynamicsShowTwoBarSeriesTheChosenOneInMaroonUnderNumberedNames() {
    StoreClusterRun(30, true, 25);
    main_->EnableClusterCommands(true);
    QStringList names, titles;
    std::size_t bars = 0;
    bool maroonShown = false;
    const auto look = On<TfmCombGraph>([&](TfmCombGraph* w) {
      names << QFileInfo(w->st).fileName();
      QCOMPARE(QFileInfo(w->st).absolutePath(), QFileInfo(home_->Path("out")).absoluteFilePath());
      titles.clear();
      for (const ChartSeries& s : w->Model().series) titles << QString::fromStdString(s.title);
      bars = w->Model().series.front().values.size();
      QCOMPARE(w->Model().mode, MultiMode::Side);
      // The chosen step's bar is painted maroon, the only one.
      const QImage shown = w->chartView->grab().toImage();
      for (int y = 0; y < shown.height() && !maroonShown; ++y)
        for (int x = 0; x < shown.width() && !maroonShown; ++x) maroonShown = shown.pixelColor(x, y) == QColor(128, 0, 0);
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
    QCOMPARE(names, (QStringList{"clustgraph1.bmp", "clustgraph2.bmp"}));
    QCOMPARE(titles, (QStringList{"Расстояние", "Прирост"}));
    QCOMPARE(bars, std::size_t(10));
    QVERIFY(maroonShown);
    QVERIFY(main_->fmCombGraph->Model().series.empty());  // the series go with the window
  }

  void ABarsTopAndALinesPointsStandWhereTheAxisSays() {
    ChartModel bars;
    ChartSeries bar;
    bar.kind = SeriesKind::Bar;
    bar.title = "B";
    bar.rgb = 0x800080;
    bar.values = {4, 7};
    bars.series = {bar};
    ChartModel lines = TwoLines();
    lines.series[0].rgb = 0xFF0000;
    lines.series[1].values = {10, 10, 10, 10};
    TfmCombGraph& w = *main_->fmCombGraph;
    w.resize(700, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Bar j's top at the row of its value's label, its body below, the ground above.
    w.SetModel(bars);
    QImage shown = w.chartView->grab().toImage();
    std::map<QString, double> rows = LabelPlaces(w.chartView->Scene(), TextAnchor::RightMiddle);
    std::map<QString, double> columns = LabelPlaces(w.chartView->Scene(), TextAnchor::TopCenter);
    for (const auto& [j, value] : {std::pair{0, QStringLiteral("4")}, {1, QStringLiteral("7")}}) {
      QVERIFY2(rows.count(value) && columns.count(QString::number(j)), qPrintable(value));
      const int x = qRound(columns[QString::number(j)]), top = qRound(rows[value]);
      QVERIFY2(Near(shown.pixelColor(x, top + 3), 0x800080), qPrintable(value));
      QVERIFY2(Near(shown.pixelColor(x, qRound(rows["0"]) - 3), 0x800080), qPrintable(value));
      QVERIFY2(!Near(shown.pixelColor(x, top - 3), 0x800080), qPrintable(value));
    }
    // The red line passes through (j, 50 + 10 j) etc.: red at each point, none a little above or below.
    w.SetModel(lines);
    shown = w.chartView->grab().toImage();
    rows = LabelPlaces(w.chartView->Scene(), TextAnchor::RightMiddle);
    columns = LabelPlaces(w.chartView->Scene(), TextAnchor::TopCenter);
    QVERIFY(rows.count("0") && rows.count("100") && columns.count("0") && columns.count("3"));
    const double perUnit = (rows["0"] - rows["100"]) / 100, perStep = (columns["3"] - columns["0"]) / 3;
    const double values[] = {50, 60, 70, 100};
    for (int j = 0; j < 4; ++j) {
      const int x = qRound(columns["0"] + j * perStep), y = qRound(rows["0"] - values[j] * perUnit);
      QVERIFY2(Near(shown.pixelColor(x, y), 0xFF0000), qPrintable(QString::number(j)));
      QVERIFY2(!Near(shown.pixelColor(x, y - 12), 0xFF0000) && !Near(shown.pixelColor(x, y + 12), 0xFF0000),
               qPrintable(QString::number(j)));
    }
    w.close();
  }

  void TheCombinedChartShowsTheChosenKindWithItsMeans() {
    QVERIFY(main_->ReadDataFile(home_->Write("data/days.txt", "A B C\n1 2 -1\n3 4 -2\n5 6 -3\n").toStdString()));
    main_->EnableDataCommands(true);
    const struct {
      QString kind;
      QString sub;
      SeriesKind seriesKind;
      MultiMode mode;
      QString file;
    } cases[] = {{"Линейный", "", SeriesKind::Line, MultiMode::None, "graph1.bmp"},
                 {"Столбчатый", "Стек 100%", SeriesKind::Bar, MultiMode::Stacked100, "graph2.bmp"},
                 {"Столбчатый", "Один за другим", SeriesKind::Bar, MultiMode::None, "graph3.bmp"},
                 {"С областями", "Стек", SeriesKind::Area, MultiMode::Stacked, "graph4.bmp"}};
    for (const auto& c : cases) {
      QString means, file;
      ChartModel model;
      bool meansInScene = false;
      ModalScript script({ChooseVariables({0, 1, 2}), On<TfmcGraphCfg>([&](TfmcGraphCfg* d) {
                            for (QRadioButton* b : {d->rbLine, d->rbBar, d->rbArea})
                              if (b->text() == c.kind) b->setChecked(true);
                            if (!c.sub.isEmpty()) d->cbType->setCurrentText(c.sub);
                            QCOMPARE(d->cbType->isEnabled(), !c.sub.isEmpty());
                            d->SetColourSeed(5);
                            QTimer::singleShot(0, d->btbtnOK, &QPushButton::click);
                          }),
                          On<TfmCombGraph>([&](TfmCombGraph* w) {
                            means = w->Means();
                            file = QFileInfo(w->st).fileName();
                            model = w->Model();
                            for (const SceneItem& item : w->chartView->Scene().items)
                              meansInScene = meansInScene || QString::fromStdString(item.text) == means;
                            w->tbtnClose->trigger();
                          })});
      main_->mnCombGraph->trigger();
      QVERIFY(script.Done());
      QCOMPARE(means, QStringLiteral("Средние:  A=3.0  B=4.0  C=NAN"));
      QVERIFY(meansInScene);  // drawn under the chart, so saved and printed with it
      QCOMPARE(file, c.file);
      QCOMPARE(model.series.size(), std::size_t(3));
      QVERIFY(model.series.front().kind == c.seriesKind);
      QVERIFY(model.mode == c.mode);
    }
    QVERIFY(messages_->shown.empty());
  }

  // With "Вывод дат:" set and dates in the file, the chart's X axis names the
  // days, flat and in 3-D; with the setting off it numbers the observations.
  void DatesLabelTheXAxisWhenAskedFor() {
    const QString file = home_->Write("data/days.csv", "Дата;A;B\n30.12.2023;1;2\n31.12.2023;3;4\n01.01.2024;5;6\n");
    QVERIFY(main_->ReadDataFile(file.toStdString()));
    main_->EnableDataCommands(true);
    const struct {
      bool asked;
      bool deep;
      QStringList labels;
    } cases[] = {{false, false, {"0", "1", "2"}},
                 {true, false, {"01.01.2024", "30.12.2023", "31.12"}},
                 {true, true, {"01.01.2024", "30.12.2023", "31.12"}}};
    for (const auto& c : cases) {
      Config().IsData = c.asked;
      QStringList labels;
      ModalScript script({ChooseVariables({0, 1}), On<TfmcGraphCfg>([&](TfmcGraphCfg* d) {
                            d->cbx3D->setChecked(c.deep);
                            QTimer::singleShot(0, d->btbtnOK, &QPushButton::click);
                          }),
                          On<TfmCombGraph>([&](TfmCombGraph* w) {
                            for (const auto& [text, x] : LabelPlaces(w->chartView->Scene(), TextAnchor::TopCenter))
                              labels << text;
                            w->tbtnClose->trigger();
                          })});
      main_->mnCombGraph->trigger();
      QVERIFY(script.Done());
      QCOMPARE(labels, c.labels);
    }
    Config().IsData = false;
    QVERIFY(messages_->shown.empty());
  }

  void AChartOfValuesBeyondWhatCanBeDrawnIsRefused() {
    QVERIFY(main_->ReadDataFile(home_->Write("data/huge.txt", "A B\n1e308 1\n-1e308 2\n").toStdString()));
    main_->EnableDataCommands(true);
    ModalScript script({ChooseVariables({0, 1}), On<TfmcGraphCfg>([](TfmcGraphCfg* d) {
                          d->rbBar->setChecked(true);
                          d->btbtnOK->click();  // refused: the dialog stays
                          QVERIFY(d->isVisible());
                          d->bbtnCancel->click();
                        })});
    main_->mnCombGraph->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->shown.size(), std::size_t(1));
    QVERIFY(messages_->shown.front().second.startsWith(QStringLiteral("Диапазон значений нельзя нарисовать")));
    QCOMPARE(main_->fmcGraphCfg->ChartsOpened(), 0);
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
    QCOMPARE(main_->fmcGraphCfg->ChartsOpened(), 0);
  }

  void ScrollingZoomValuesSavingAndPrinting() {
    StoreClusterRun(8, false, 255);
    TfmCombGraph& w = *main_->fmCombGraph;
    w.SetModel(ClusterDynamicsModel(Data().Cluster));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const double min = w.Range().xMin, max = w.Range().xMax;
    QCOMPARE(min, 0.5);  // the bars of steps 1..7 a half step inside the ends
    QCOMPARE(max, 7.5);
    w.tbtnLeft->trigger();  // towards larger X by a tenth of the range
    QCOMPARE(w.Range().xMin, min + (max - min) / 10);
    QVERIFY(LabelPlaces(w.chartView->Scene(), TextAnchor::TopCenter).count("1") == 0);  // step 1 left the picture
    w.tbtnRight->trigger();
    QCOMPARE(w.Range().xMin, min);
    w.tbtnZoomIn->trigger();
    QVERIFY(w.Range().xMax - w.Range().xMin < max - min);
    w.tbtnUnZoom->trigger();
    QCOMPARE(w.Range().xMax - w.Range().xMin, max - min);
    const auto values = [&w] {
      return std::count_if(w.chartView->Scene().items.begin(), w.chartView->Scene().items.end(),
                           [](const SceneItem& i) { return i.framed; });
    };
    QCOMPARE(values(), 0);
    w.tbtnNumbers->trigger();
    QVERIFY(w.cMarks);
    QCOMPARE(values(), 14);  // a value over each bar

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
    // Every setting of the view changes the picture.
    QImage last = w.chartView->grab().toImage();
    const auto changed = [&] {
      w.ApplyView();
      const QImage now = w.chartView->grab().toImage();
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

    const ChartRange full = w.Range();
    w.tbtnLeft->trigger();  // towards larger X by a tenth of the range
    QCOMPARE(w.Range().xMin, full.xMin + (full.xMax - full.xMin) / 10);
    w.tbtnUp->trigger();
    QCOMPARE(w.Range().yMin, full.yMin - (full.yMax - full.yMin) / 10);
    QVERIFY(changed());
    w.tbtnZoomIn->trigger();
    QVERIFY(w.Range().xMax - w.Range().xMin < full.xMax - full.xMin);
    w.tbtnUnZoom->trigger();
    QCOMPARE(w.Range().xMin, full.xMin);
    QCOMPARE(w.Range().yMax, full.yMax);

    const QString png = home_->Path("out/chart3d.png"), pdf = home_->Path("out/chart3d.pdf");
    QVERIFY(w.SaveChart(png));
    QCOMPARE(QImage(png).size(), w.chartView->size());
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), w.chartView->grab().toImage().convertToFormat(QImage::Format_RGB32));
    QVERIFY(w.SaveChart(pdf));
    QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    PrintsOneLandscapePage(w, home_->Path("out/printed3d.pdf"));
    w.tbtnPicToBuffer->trigger();
    QCOMPARE(QApplication::clipboard()->image(), w.chartView->grab().toImage());
    QVERIFY(messages_->shown.empty());

    // Back in 2-D: bars without sides, walls or floor.
    w.view.view3D = false;
    QVERIFY(changed());
    QVERIFY(std::none_of(w.chartView->Scene().items.begin(), w.chartView->Scene().items.end(),
                         [](const SceneItem& i) { return i.fill == ShadedColor(kOlive, 0.62); }));
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
    std::vector<QPoint> symbols;  // the middle point of each series, in its order
    for (std::size_t i = 0; i < w.chartView->Scene().legend; ++i) {
      const SceneItem& item = w.chartView->Scene().items[i];
      if (item.kind == SceneItemKind::Symbol && symbols.size() < 3 * kPointSymbolCount)
        symbols.push_back(QPoint(qRound(item.points[0].x), qRound(item.points[0].y)));
    }
    QCOMPARE(symbols.size(), std::size_t(3 * kPointSymbolCount));
    const std::map<QString, double> rows = LabelPlaces(w.chartView->Scene(), TextAnchor::RightMiddle);
    for (int k = 0; k < kPointSymbolCount; ++k) {
      // Flat, the last series is painted first: series k's symbols are the (5 - k)-th three.
      const QPoint at = symbols[static_cast<std::size_t>(3 * (kPointSymbolCount - 1 - k) + 1)];
      if (rows.count(QString::number(2 * k + 1))) QCOMPARE(at.y(), qRound(rows.at(QString::number(2 * k + 1))));
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
    const long yGridOnly = DashedLines(w.chartView->Scene());
    QVERIFY(yGridOnly > 0);
    QCOMPARE(w.Range().yMin, 0.0);

    ModalScript script({On<TfmCombGrafCfg>([&](TfmCombGrafCfg* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("Вид графика"));
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

      // Each change reaches the chart at once: the margins are parts of the picture.
      const QRectF before = PlotFrame(w.chartView->Scene());
      const QSizeF size = w.chartView->size();
      d->seLeft->setValue(20);
      d->seBottom->setValue(15);
      const QRectF after = PlotFrame(w.chartView->Scene());
      QVERIFY(std::abs(after.left() - before.left() - size.width() * 0.1) < 1e-6);
      QVERIFY(std::abs(before.bottom() - after.bottom() - size.height() * 0.09) < 1e-6);
      d->sedFontSizeX->setValue(7);
      d->sedFontSizeY->setValue(16);
      QCOMPARE(LabelSize(w.chartView->Scene(), TextAnchor::TopCenter), 7);
      QCOMPARE(LabelSize(w.chartView->Scene(), TextAnchor::RightMiddle), 16);
      d->cbxGridX->setChecked(true);
      const long bothGrids = DashedLines(w.chartView->Scene());
      QVERIFY(bothGrids > 0);
      d->cbxGridY->setChecked(false);
      QVERIFY(DashedLines(w.chartView->Scene()) > 0 && DashedLines(w.chartView->Scene()) < bothGrids);
      d->cbxGridX->setChecked(false);
      QCOMPARE(DashedLines(w.chartView->Scene()), 0L);
      d->cbxGridX->setChecked(true);
      d->cbxAxYzero->setChecked(false);
      QVERIFY(w.Range().yMin > 0 && w.Range().yMin <= 50);
      QVERIFY(!w.cMarks);  // values and size wait for "Далее"

      d->cbxMarks->setChecked(true);
      d->seCanvasWidth->setValue(700);
      d->seCanvasHeight->setValue(500);
      QCOMPARE(w.size(), QSize(900, 600));
      d->btnOK->click();
    })});
    w.graphSetupTool->trigger();
    QVERIFY(script.Done());
    QVERIFY(w.cMarks);
    QVERIFY(std::any_of(w.chartView->Scene().items.begin(), w.chartView->Scene().items.end(),
                        [](const SceneItem& i) { return i.framed && i.text == "100"; }));
    QCOMPARE(w.size(), QSize(700, 500));
    QVERIFY(!w.view.yFromZero);
    QCOMPARE(w.view.fontSizeY, 16);
    w.close();
    QVERIFY(!w.fmCombGrafCfg);  // freed with the window
  }

  void LeavingSetupPutsTheChartBackAsItWas() {
    TfmCombGraph& w = *main_->fmCombGraph;
    w.SetModel(TwoLines(), QStringLiteral("Средние:  A=70.0  B=70.0"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const ChartView before = w.view;
    const QImage shown = w.chartView->grab().toImage();
    for (const auto& [way, leave] : WaysToCancel("bbtnCancel")) {
      ModalScript script({On<TfmCombGrafCfg>([&, leave = leave](TfmCombGrafCfg* d) {
        d->cbx3D->setChecked(true);
        d->seTop->setValue(30);
        d->cbxGridY->setChecked(false);
        d->cbxAxYzero->setChecked(false);
        d->cbxMarks->setChecked(true);
        d->seCanvasWidth->setValue(500);
        QVERIFY(w.chartView->grab().toImage() != shown);
        leave(d);
      })});
      w.graphSetupTool->trigger();
      QVERIFY2(script.Done(), qPrintable(way));
      QVERIFY2(w.view.marginTop == before.marginTop && w.view.gridY && w.view.yFromZero && !w.view.view3D,
               qPrintable(way));
      QCOMPARE(w.Range().yMin, 0.0);
      QVERIFY(!w.cMarks);
      QCOMPARE(w.size(), QSize(900, 600));
      // The screen shows the chart exactly as before: no labels or lines left over from the 3-D view.
      QVERIFY2(w.chartView->grab().toImage() == shown, qPrintable(way));
    }
    w.close();
  }
};

QTEST_MAIN(TestCombGraph)
#include "test_comb_graph.moc"
