// The sequential graph command and its windows: the settings, Y step, level,
// mark and print settings dialogs on their confirm and cancel paths, zooming,
// saving and printing from the graph window.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <array>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/graph_run_options.h"
#include "core/data/session.h"
#include "app/graphs/tfm_edit_mark_ax_x.h"
#include "app/graphs/tfm_edit_scale_y.h"
#include "app/graphs/tfm_gragh_cfg.h"
#include "app/graphs/tfm_graphic.h"
#include "app/graphs/tfm_level.h"
#include "app/graphs/tfm_print_cfg.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

class TestGraphWindows : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;

  void Load(const QByteArray& text) {
    QVERIFY(main_->ReadDataFile(home_->Write("data/days.txt", text).toStdString()));
    main_->EnableDataCommands(true);
  }
  static ModalScript::Step GoOn() {
    return On<TfmGraghCfg>([](TfmGraghCfg* d) { d->btbtnOK->click(); });
  }
  static ModalScript::Step CloseGraph(std::function<void(TfmGraphic*)> f = {}) {
    return On<TfmGraphic>([f](TfmGraphic* w) {
      if (f) f(w);
      w->tbtnRectRound->trigger();
    });
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    home_->WriteSettings({{"OutputCat", home_->Path("")}, {"StepX", "10"}, {"StepY", "30"}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
    Load("A B C\n1 10 100\n2 30 200\n3 20 -999\n4 40 400\n5 50 500\n6 60 600\n7 70 700\n8 80 800\n");
  }
  void cleanup() {
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void TheCommandShowsTheGraphOfTheChosenVariablesAndWidensAfterwards() {
    int bands = 0;
    ModalScript script({ChooseVariables({0, 2}), GoOn(), CloseGraph([&bands](TfmGraphic* w) {
                          bands = static_cast<int>(w->graphArea->Layout().bands.size());
                          QCOMPARE(w->graphArea->Layout().bands[1].name, std::string("C"));
                        })});
    main_->mnGraph->trigger();
    QVERIFY(script.Done());
    QCOMPARE(bands, 2);
    QCOMPARE(Data().NumVar, 3);
    QCOMPARE(messages_->Texts(), QStringList{});
  }

  void CancellingTheSettingsOpensNoGraphButTheCloseBoxGoesOn() {
    for (const auto& [way, leave] : WaysToCancel("bbtnCancel")) {
      if (way == "close box") continue;  // goes on, below
      ProgramSession().overlays.ShowXMarks = true;
      ModalScript cancel({ChooseVariables({0}), [&leave = leave](QWidget* w) { leave(w); }});
      main_->tbtnGraph->trigger();
      QVERIFY2(cancel.Done(), qPrintable(way));  // no graph window
      QVERIFY(!ProgramSession().overlays.ShowXMarks);  // the tool bar's graph starts without marks
      QCOMPARE(Data().NumVar, 3);
    }

    bool shown = false;
    ModalScript closeBox({ChooseVariables({0}), On<TfmGraghCfg>([](TfmGraghCfg* d) { d->close(); }),
                          CloseGraph([&shown](TfmGraphic*) { shown = true; })});
    main_->mnGraph->trigger();
    QVERIFY(closeBox.Done());
    QVERIFY(shown);
  }

  void TheSettingsDialogTakesItsControlsOnlyOnDalee() {
    TfmGraghCfg& cfg = *main_->fmGraghCfg;
    const struct {
      bool confirm;
      int stepX;
    } cases[] = {{false, 10}, {true, 7}};
    for (const auto& c : cases) {
      Data().ProcessingNote.clear();
      ModalScript script({On<TfmGraghCfg>([&c](TfmGraghCfg* d) {
        d->seStepX->setValue(7);
        d->cbxSmooth3->setChecked(true);
        d->cbxSmooth5->setChecked(true);
        d->cbScaleY->setCurrentIndex(1);
        (c.confirm ? d->btbtnOK : d->bbtnCancel)->click();
      })});
      const bool goesOn = cfg.Execute();
      QVERIFY(script.Done());
      QCOMPARE(goesOn, c.confirm);
      QCOMPARE(Config().StepX, c.stepX);
      QCOMPARE(GraphRunOptions().Smooth3, c.confirm);
      QCOMPARE(GraphRunOptions().Smooth5, c.confirm);
      // The graph names its smoothing; the reports' title blocks do not.
      QCOMPARE(QString::fromStdString(Data().ProcessingNote), QString());
      QCOMPARE(Config().YScaleType, c.confirm ? 1 : 0);
    }
    // "Стандарт": StepY x range / 100 (B's range 70 with StepY 30).
    QCOMPARE(Data().VarSteps[1], 30 * 70 / 100.0);
  }

  void AStepThatIsNotPositiveIsRefusedAndTheDialogStaysOpen() {
    ModalScript script({On<TfmEditScaleY>([this](TfmEditScaleY* d) {
      QCOMPARE(d->stepsGrid->rowCount(), 3);
      d->stepsGrid->item(0, 1)->setText("2,5");
      d->stepsGrid->item(1, 1)->setText("0");
      d->OKBtn->click();
      QVERIFY(d->isVisible());
      QCOMPARE(messages_->Texts().size(), 1);
      QVERIFY(messages_->Texts()[0].contains("B"));
      QVERIFY(Data().VarSteps[0] != 2.5);  // nothing taken over
      d->stepsGrid->item(1, 1)->setText("abc");
      d->OKBtn->click();
      QCOMPARE(messages_->Texts().size(), 2);
      d->stepsGrid->item(1, 1)->setText("5");
      d->OKBtn->click();
    })});
    main_->fmGraghCfg->btnChangeScale->click();
    QVERIFY(script.Done());
    QCOMPARE(Data().VarSteps[0], 2.5);
    QCOMPARE(Data().VarSteps[1], 5.0);
    QCOMPARE(Config().YScaleType, 2);
    QCOMPARE(main_->fmGraghCfg->cbScaleY->currentIndex(), 2);
  }

  void TheLevelDialogChecksEveryCellFirstAndRemembersLevelsByVariable() {
    NarrowTo(Data(), {1});
    ModalScript script({On<TfmLevel>([this](TfmLevel* d) {
      QCOMPARE(d->levelsGrid->rowCount(), 1);
      QCOMPARE(d->levelsGrid->item(0, 1)->text(), QString("45.000"));  // the mean of B
      d->edSigma[1]->setValue(2.0);
      d->levelsGrid->item(0, 3)->setText("x1");
      d->btbtnOK->click();
      QVERIFY(d->isVisible());
      QCOMPARE(messages_->Texts().size(), 1);
      QVERIFY(messages_->Texts()[0].contains("x1"));
      QVERIFY(LevelsOf(ProgramSession().overlays, "B") == nullptr);
      d->levelsGrid->item(0, 3)->setText("55,5");
      d->btbtnOK->click();
    })});
    main_->fmLevel->Execute();
    QVERIFY(script.Done());
    QVERIFY(ProgramSession().overlays.ShowLevels);
    QCOMPARE(QString::fromStdString(ProgramSession().overlays.LevelLabels[1]), QStringLiteral("M+2.0@"));
    const VariableLevels* b = LevelsOf(ProgramSession().overlays, "B");
    QVERIFY(b);
    QCOMPARE(b->values[0], 45.0);
    QCOMPARE(b->values[2], 55.5);

    ModalScript cancel({On<TfmLevel>([](TfmLevel* d) { d->bbtnCancel->click(); })});
    main_->fmLevel->Execute();
    QVERIFY(cancel.Done());
    QVERIFY(!ProgramSession().overlays.ShowLevels);
  }

  void TheMarksDialogMarksTheSelectedDaysAndCancelClearsThem() {
    ModalScript script({On<TfmEditMarkAxX>([](TfmEditMarkAxX* d) {
      QCOMPARE(d->marksList->model()->rowCount(), 8);
      d->marksList->selectionModel()->select(d->marksList->model()->index(2, 0), QItemSelectionModel::Select);
      d->btnOK->click();
    })});
    main_->fmEditMarkAxX->Execute();
    QVERIFY(script.Done());
    QVERIFY(ProgramSession().overlays.ShowXMarks);
    QCOMPARE(ProgramSession().overlays.XMarks,
             (std::vector<bool>{false, false, true, false, false, false, false, false}));

    ModalScript reopen({On<TfmEditMarkAxX>([](TfmEditMarkAxX* d) {
      QCOMPARE(d->marksList->selectionModel()->selectedIndexes().size(), 1);
      d->marksList->clearSelection();
      d->btnOK->click();
    })});
    main_->fmEditMarkAxX->Execute();
    QVERIFY(!ProgramSession().overlays.ShowXMarks);

    ProgramSession().overlays.XMarks[1] = true;
    ProgramSession().overlays.ShowXMarks = true;
    ModalScript cancel({On<TfmEditMarkAxX>([](TfmEditMarkAxX* d) { d->bbtnCansel->click(); })});
    main_->fmEditMarkAxX->Execute();
    QVERIFY(!ProgramSession().overlays.ShowXMarks);
    QCOMPARE(ProgramSession().overlays.XMarks, std::vector<bool>(8, false));
  }

  void AFailedLoadKeepsTheLevelsAndMarksOfTheDataInForce() {
    ModalScript levels({On<TfmLevel>([](TfmLevel* d) { d->btbtnOK->click(); })});
    main_->fmLevel->Execute();
    QVERIFY(levels.Done());
    ModalScript marks({On<TfmEditMarkAxX>([](TfmEditMarkAxX* d) {
      d->marksList->selectionModel()->select(d->marksList->model()->index(2, 0), QItemSelectionModel::Select);
      d->btnOK->click();
    })});
    main_->fmEditMarkAxX->Execute();
    QVERIFY(marks.Done());
    Config().YScaleType = 1;
    const GraphOverlays& overlays = ProgramSession().overlays;
    QVERIFY(overlays.ShowLevels);
    const VariableLevels* before = LevelsOf(overlays, "B");
    QVERIFY(before);
    const std::array<double, kLevelLineCount> levelsOfB = before->values;

    QVERIFY(!main_->ReadDataFile(home_->Write("data/bad.txt", "A B\n1 x\n").toStdString()));
    QVERIFY(!main_->ReadDataFile(home_->Path("data/missing.txt").toStdString()));
    QCOMPARE(messages_->Texts().size(), 2);
    QCOMPARE(Data().NumObs, 8);
    QVERIFY(overlays.ShowLevels);
    QVERIFY(LevelsOf(overlays, "B"));
    QCOMPARE(LevelsOf(overlays, "B")->values, levelsOfB);
    QVERIFY(overlays.ShowXMarks);
    QCOMPARE(overlays.XMarks, (std::vector<bool>{false, false, true, false, false, false, false, false}));
    QCOMPARE(Config().YScaleType, 1);

    // The graph drawn next still shows them.
    ModalScript graph({CloseGraph([](TfmGraphic* w) {
      QCOMPARE(w->graphArea->Layout().marks, std::vector<std::int32_t>{2});
      QVERIFY(!w->graphArea->Layout().bands[1].levels.empty());
    })});
    main_->fmGraphic->Execute();
    QVERIFY(graph.Done());

    // Data that do load replace them.
    Load("A B\n1 2\n3 4\n");
    QVERIFY(!overlays.ShowLevels);
    QVERIFY(overlays.LevelValues.empty());
    QVERIFY(!overlays.ShowXMarks);
    QCOMPARE(Config().YScaleType, 0);
  }

  void ZoomKeepsTheStepsAtLeastOneAndAccumulatesUnroundedSteps() {
    TfmGraphic& g = *main_->fmGraphic;
    ModalScript script({On<TfmGraphic>([](TfmGraphic* w) {
      w->tbtnMax->trigger();
      QCOMPARE(w->stX, 10.5);
      QCOMPARE(Config().StepX, 10);  // halves to even
      w->tbtnMax->trigger();
      QCOMPARE(Config().StepX, 11);
      Config().StepX = 1;
      Config().StepY = 1;
      w->stX = w->stY = 1;
      for (int i = 0; i < 5; ++i) w->mnpMin->trigger();
      QCOMPARE(Config().StepX, 1);
      QCOMPARE(Config().StepY, 1);
      w->tbtnMax->trigger();
      QVERIFY(w->stX >= 1.05);
      w->tbtnRectRound->trigger();
    })});
    g.Execute();
    QVERIFY(script.Done());
  }

  void ASmoothingMessageIsShownOnceNotOnEveryPaint() {
    GraphRunOptions().Smooth5 = true;  // eight values are too few
    ModalScript script({On<TfmGraphic>([](TfmGraphic* w) {
      w->graphArea->viewport()->grab();
      w->graphArea->viewport()->grab();
      w->tbtnRectRound->trigger();
    })});
    main_->fmGraphic->Execute();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts().size(), 3);  // once for each variable, at the layout
    QCOMPARE(main_->fmGraphic->rebuilds, 1);
    QCOMPARE(main_->fmGraphic->windowTitle(), QStringLiteral("Графика"));  // nothing was smoothed

    // The smoothing a graph went through is named in its caption.
    GraphRunOptions().Smooth5 = false;
    GraphRunOptions().Smooth3 = true;
    QString caption;
    ModalScript smoothed({On<TfmGraphic>([&caption](TfmGraphic* w) {
      caption = w->windowTitle();
      w->tbtnRectRound->trigger();
    })});
    main_->fmGraphic->Execute();
    QVERIFY(smoothed.Done());
    QCOMPARE(caption, QStringLiteral("Графика — Данные сглажены по 3 точкам."));
  }

  void SavingWritesTheVisiblePartAndAsksBeforeReplacing() {
    const QString bmp = home_->Path("g.bmp");
    const QString pdf = home_->Path("g.pdf");
    ModalScript script({On<TfmGraphic>([&](TfmGraphic* w) {
      QVERIFY(w->SaveGraph(bmp));
      QVERIFY(w->SaveGraph(pdf));
      QVERIFY(!w->SaveGraph(home_->Path("none/g.png")));
      w->tbtnRectRound->trigger();
    })});
    main_->fmGraphic->Execute();
    QVERIFY(script.Done());
    QImage image(bmp);
    QCOMPARE(image.size(), main_->fmGraphic->graphArea->viewport()->size());
    QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    QCOMPARE(messages_->Texts().size(), 1);
    QVERIFY(messages_->Texts()[0].contains(home_->Path("none/g.png")));

    // Replacing: No keeps the file as it was.
    QFile::resize(bmp, 10);
    messages_->answers = {false};
    ModalScript no({On<TfmGraphic>([](TfmGraphic* w) {
                      QTimer::singleShot(0, w->tbtnSave, &QAction::trigger);  // answered by the next step
                    }), PickFile(bmp),
                    CloseGraph()});
    main_->fmGraphic->Execute();
    QVERIFY(no.Done());
    QCOMPARE(QFileInfo(bmp).size(), 10);
  }

  void ThePrintSettingsTakeEffectAndPrintingGoesOverPages() {
    QPrinter& printer = GraphPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString out = home_->Path("printed.pdf");
    printer.setOutputFileName(out);
    ModalScript script({On<TfmGraphic>([](TfmGraphic* w) { QTimer::singleShot(0, w->tbtnCfg, &QAction::trigger); }),
                        On<TfmPrintCfg>([](TfmPrintCfg* d) {
                          QVERIFY(!d->cbxListDirection->isChecked());
                          d->cbxListDirection->setChecked(true);
                          d->sePrStepY->setValue(100);
                          d->edTitleGraph->setText(QStringLiteral("Пульс"));
                          d->printButton->click();  // prints, and the dialog stays
                          QVERIFY(d->isVisible());
                          d->okButton->click();
                        }),
                        CloseGraph()});
    main_->fmGraphic->Execute();
    QVERIFY(script.Done());
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(Config().PrintStepY, 100);
    QCOMPARE(QString::fromStdString(GraphRunOptions().PrintTitle), QStringLiteral("Пульс"));
    QVERIFY(ReadAll(out).startsWith("%PDF"));
    QCOMPARE(main_->pnlInform->text(), QString());
    QCOMPARE(messages_->Texts(), QStringList{});
    printer.setPageOrientation(QPageLayout::Portrait);
  }
};

QTEST_MAIN(TestGraphWindows)
#include "test_graph_windows.moc"
