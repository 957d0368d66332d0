// The command "Статистика" from the menu to the results file and the viewer:
// each analysis, the refusal with missing values, and the widening afterwards.
#include <QLabel>
#include <QProgressBar>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "core/data/data_input.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/shell/command_options.h"
#include "app/shell/tfm_main.h"
#include "core/statistics/statistics_run.h"
#include "app/statistics/tfm_see_file.h"
#include "app/statistics/tfm_stat_cfg1.h"

using namespace tavrel;
using namespace tavrel::test;

class TestStatisticsRun : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;
  QString out_;

  void Load(const QByteArray& text) {
    const QString path = home_->Write("data/pulse.txt", text);
    QVERIFY(main_->ReadDataFile(path.toStdString()));
    main_->EnableDataCommands(true);
  }
  static ModalScript::Step Analysis(int item) {
    return On<TfmStatCfg1>([item](TfmStatCfg1* d) {
      d->lbxStat->setCurrentRow(item);
      d->OKBtn->click();
    });
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    StatConfig() = StatOptions{};
    out_ = home_->Path("res/");
    QDir().mkpath(out_);
    home_->WriteSettings({{"OutputCat", out_}, {"InnerEditor", "1"}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void EachAnalysisRunsFromTheMenuIntoTheFileAndTheViewer() {
    Load("A B C\n1 2 3\n4 6 5\n7 7 9\n2 9 4\n5 3 8\n");
    const QString results = out_ + "pulse.out";
    for (int item = 0; item < kAnalysisCount; ++item) {
      QString shown;
      messages_->answers = {true};  // append to the file of the previous analysis
      ModalScript script({ChooseVariables({}), Analysis(item), AcceptOutput(), On<TfmSeeFile>([&shown](TfmSeeFile* v) {
                            shown = v->resultsText->toPlainText();
                            v->tbtnExit->trigger();
                          })});
      (item % 2 ? main_->tbtnStat : main_->mnStat)->trigger();
      QVERIFY2(script.Done(), AnalysisCaption(item));
      QCOMPARE(StatConfig().StSel, item);
      const QString text = QString::fromUtf8(ReadAll(results));
      QCOMPARE(shown, QString(text).replace("\r\n", "\n"));
      QCOMPARE(text.count(QStringLiteral("\"Tavrel 1.0.0.1\"")), item + 1);
      QVERIFY(text.endsWith("\r\n"));
      QCOMPARE(Data().NumVar, 3);
    }
    // Nothing but the append questions of analyses 2 to 10.
    QCOMPARE(messages_->Texts(), QStringList(kAnalysisCount - 1, QStringLiteral("Добавить в файл pulse.out?")));
    QCOMPARE(main_->pnlInform->text(), QString());
    QCOMPARE(main_->progressBar->value(), 0);
    QVERIFY(QString::fromUtf8(ReadAll(results)).contains(QStringLiteral(" ЭЛЕМЕНТАРНАЯ СТАТИСТИКА")));
  }

  void EveryWayOutOfADialogStopsTheCommandAndChangesNothing() {
    Load("A B C\n1 2 3\n4 6 5\n7 7 9\n");
    const QString results = out_ + "pulse.out";
    const QByteArray before = "earlier reports\r\n";
    home_->Write("res/pulse.out", before);
    struct Case {
      QString name;
      std::vector<ModalScript::Step> steps;
      bool question;  // the append question was asked and cancelled
    };
    std::vector<Case> cases;
    for (auto& [way, step] : WaysToCancel("bbtnCancel")) cases.push_back({"variables: " + way, {step}, false});
    for (auto& [way, step] : WaysToCancel("btnCancel")) {
      cases.push_back({"choice: " + way, {ChooseVariables({0, 2}), step}, false});
    }
    cases.push_back({"append question: Отмена", {ChooseVariables({0, 2}), Analysis(3), AcceptOutput()}, true});
    for (Case& c : cases) {
      messages_->shown.clear();
      messages_->replies = {Answer::Cancel};
      ModalScript script(c.steps);
      main_->mnStat->trigger();
      QVERIFY2(script.Done(), qPrintable(c.name));  // no viewer, no further dialog
      QVERIFY2(messages_->Texts() == (c.question ? QStringList{"Добавить в файл pulse.out?"} : QStringList{}),
               qPrintable(c.name));
      QVERIFY2(ReadAll(results) == before, qPrintable(c.name));
      QVERIFY2(Data().NumVar == 3, qPrintable(c.name));
      QVERIFY2(StatConfig().StSel == (c.question ? 3 : 0), qPrintable(c.name));  // only "Далее" takes a choice
      QVERIFY(!ResultsFile().IsOpen());
    }
  }

  void ALevelIsTypedWithEitherDecimalPointAndBadTextIsRefused() {
    TfmStatCfg1& d = *main_->fmStatCfg1;
    const std::tuple<QString, bool, double> cases[] = {
        {"1,5", true, 1.5}, {" 2.25 ", true, 2.25}, {"-3", true, -3}, {"abc", false, 0}, {"1,5x", false, 0}, {"", false, 0}};
    for (const auto& [text, accepted, level] : cases) {
      messages_->shown.clear();
      StatConfig().UserLevel = 0;
      ModalScript script({On<TfmStatCfg1>([&](TfmStatCfg1* dialog) {
        dialog->lbxStat->setCurrentRow(2);
        dialog->cbxLevels->setEnabled(true);
        dialog->cbxLevels->setChecked(true);
        dialog->edLevel->setText(text);
        dialog->OKBtn->click();
        if (!accepted) {
          QVERIFY(dialog->isVisible());  // stays open for a correction
          dialog->btnCancel->click();
        }
      })});
      const bool goesOn = d.Execute();
      QVERIFY(script.Done());
      QCOMPARE(goesOn, accepted);
      QCOMPARE(StatConfig().UserLevel, level);
      QCOMPARE(messages_->Texts(), accepted ? QStringList{}
                                            : QStringList{QStringLiteral("Поле «Уровень @»: «%1» не является числом").arg(text)});
    }
  }

  void TheChoiceDialogEnablesTheOptionsOfTheAnalysis() {
    TfmStatCfg1& d = *main_->fmStatCfg1;
    QCOMPARE(d.windowTitle(), QStringLiteral("Выбор статистики"));
    QCOMPARE(d.lbxStat->count(), kAnalysisCount);
    QCOMPARE(d.lbxStat->item(2)->text(), QStringLiteral("Пороговые уровни "));
    QCOMPARE(d.cbxLevels->toolTip(), QStringLiteral("Вывод заданного значения M+n@"));
    const std::tuple<int, bool, bool, bool> cases[] = {
        {0, false, false, false}, {2, false, false, true}, {5, false, true, false}, {9, true, true, false}};
    for (const auto& [item, equal, reliable, levels] : cases) {
      d.lbxStat->setCurrentRow(item);
      QCOMPARE(d.cbEqualHead->isEnabled(), equal);
      QCOMPARE(d.cbReliablePrm->isEnabled(), reliable);
      QCOMPARE(d.cbxLevels->isEnabled(), levels);
    }
    d.lbxStat->setCurrentRow(2);
    d.cbxLevels->setChecked(true);
    QVERIFY(!d.edLevel->isHidden());
    d.edLevel->setText("1,5");
    d.cbReliablePrm->setChecked(true);
    d.OKBtn->click();
    QCOMPARE(StatConfig().UserLevel, 1.5);
    QVERIFY(StatConfig().UserLevelOn);
    QVERIFY(StatConfig().ReliableOnly);
    QCOMPARE(StatConfig().StSel, 2);
  }

  void MissingValuesRefuseAndTheVariablesAreWidenedUnlessKept() {
    Load("A B C\n1 2 3\n4 -999 5\n7 7 9\n");
    struct Case {
      int item;
      bool pairwise;
      bool keep;
      bool refused;
    };
    const Case cases[] = {{0, true, false, true}, {0, false, true, true}, {4, false, false, true},
                          {4, true, false, false}};
    for (const Case& c : cases) {
      messages_->shown.clear();
      Data().PairwiseMissing = c.pairwise;
      std::vector<ModalScript::Step> steps = {ChooseVariables({0, 1}, c.keep), Analysis(c.item)};
      if (!c.refused) steps.push_back(AcceptOutput());
      if (!c.refused) steps.push_back(On<TfmSeeFile>([](TfmSeeFile* v) { v->tbtnExit->trigger(); }));
      ModalScript script(steps);
      main_->mnStat->trigger();
      QVERIFY(script.Done());
      QCOMPARE(messages_->Texts(), c.refused ? QStringList{"Пропуски не удалены."} : QStringList{});
      QCOMPARE(Data().NumVar, c.keep ? 2 : 3);
      Data().KeepSelection = false;
      WidenVariables(Data());
    }
  }

  void AReportThatCannotBeWrittenIsReportedAndNotShown() {
    Load("A B C\n1 2 3\n4 6 5\n7 7 9\n");
    messages_->answers = {false};
    ModalScript script({ChooseVariables({0, 1}), Analysis(0), On<TfmDBFout>([](TfmDBFout* d) {
                          d->cbxCatalog->setCurrentText("/dev/");
                          d->edTableName->setText("full");  // every write fails: the disk is full
                          d->btbtnOK->click();
                        })});
    main_->mnStat->trigger();
    QVERIFY(script.Done());  // no viewer
    QCOMPARE(messages_->shown.size(), size_t{2});
    QCOMPARE(messages_->shown[1].first, MessageKind::Error);
    QVERIFY(messages_->shown[1].second.contains("/dev/full"));
    QVERIFY(!ResultsFile().IsOpen());
    QCOMPARE(Data().NumVar, 3);
    QCOMPARE(main_->pnlInform->text(), QString());
  }

  void CancellingTheOutputDialogWidensAndARunDisablesTheClusterViews() {
    Load("A B C\n1 2 3\n4 6 5\n7 7 9\n");
    main_->EnableClusterCommands(true);
    ModalScript script({ChooseVariables({2}), Analysis(0), Cancel()});
    main_->mnStat->trigger();
    QVERIFY(script.Done());
    QCOMPARE(Data().NumVar, 3);
    QVERIFY(!main_->mnClGraph->isEnabled());
    QVERIFY(!main_->tbtnClTree->isEnabled());
    QVERIFY(!QFile::exists(out_ + "pulse.out"));
  }
};

QTEST_MAIN(TestStatisticsRun)
#include "test_statistics_run.moc"
