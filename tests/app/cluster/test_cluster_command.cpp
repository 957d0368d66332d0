// The command "Кластерный анализ" from the menu to the results file and the
// viewer: a completed run, the refusal with missing values, a failed run.
#include <QPushButton>
#include <memory>
#include <optional>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/cluster/tfm_param_cluster.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "core/shell/settings.h"
#include "app/shell/tfm_main.h"
#include "app/statistics/tfm_see_file.h"

using namespace tavrel;
using namespace tavrel::test;

class TestClusterCommand : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;
  QString out_;

  void Load(const QByteArray& text) {
    QVERIFY(main_->ReadDataFile(home_->Write("data/days.txt", text).toStdString()));
    main_->EnableDataCommands(true);
  }
  static ModalScript::Step Parameters() {
    return On<TfmParamCluster>([](TfmParamCluster* d) { d->findChild<QPushButton*>("OKBtn")->click(); });
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    out_ = home_->Path("res/");
    QDir().mkpath(out_);
    home_->WriteSettings({{"OutputCat", out_}, {"InnerEditor", "1"}, {"ObjectDistance", "0"},
                          {"ClusterDistance", "4"}, {"ClusterNumber", "2"}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void ACompletedRunWritesTheReportShowsItAndEnablesTheClusterViews() {
    Load("A B C\n1 2 3\n1 3 5\n9 8 7\n8 9 9\n2 2 4\n");
    QVERIFY(!main_->mnClGraph->isEnabled());
    QString shown;
    ModalScript script({ChooseVariables({0, 2}), Parameters(), AcceptOutput(), On<TfmSeeFile>([&shown](TfmSeeFile* v) {
                          shown = v->resultsText->toPlainText();
                          v->tbtnExit->trigger();
                        })});
    main_->tbtnCluster->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts(), QStringList{});
    const QString text = QString::fromUtf8(ReadAll(out_ + "days.out"));
    QVERIFY(text.contains(QStringLiteral(" КЛАСТЕРНЫЙ АНАЛИЗ")));
    QVERIFY(text.contains(QStringLiteral(" Переменные:\r\n A C\r\n")));
    QCOMPARE(shown, QString(text).replace("\r\n", "\n"));
    QVERIFY(main_->mnClGraph->isEnabled());
    QVERIFY(main_->tbtnClTree->isEnabled());
    QCOMPARE(Data().NumVar, 3);  // widened again
    QCOMPARE(Data().Cluster.ClustArray.Count(), 5);
    QCOMPARE(main_->pnlInform->text(), QString());
  }

  void EveryWayOutOfTheParametersStopsTheRunAndWritesNothing() {
    Load("A B C\n1 2 3\n1 3 5\n9 8 7\n8 9 9\n");
    for (auto& [way, step] : WaysToCancel("btnCancel")) {
      ModalScript script({ChooseVariables({0, 1}), step});
      main_->mnCluster->trigger();
      QVERIFY2(script.Done(), qPrintable(way));  // no output dialog, no viewer
      QVERIFY2(messages_->Texts().isEmpty(), qPrintable(way));
      QVERIFY2(!QFile::exists(out_ + "days.out"), qPrintable(way));
      QCOMPARE(Data().NumVar, 3);
      QVERIFY(!main_->mnClGraph->isEnabled());
    }
    // Cancelling the append question writes nothing either; the distance names
    // of a run come from the settings in force.
    home_->Write("res/days.out", "kept\r\n");
    messages_->replies = {Answer::Cancel};
    {
      ModalScript script({ChooseVariables({0, 1}), Parameters(), AcceptOutput()});
      main_->mnCluster->trigger();
      QVERIFY(script.Done());
      QCOMPARE(ReadAll(out_ + "days.out"), QByteArray("kept\r\n"));
      QCOMPARE(Data().NumVar, 3);
    }
    messages_->replies = {Answer::No};
    ModalScript script({ChooseVariables({0, 1}), Parameters(), AcceptOutput(),
                        On<TfmSeeFile>([](TfmSeeFile* v) { v->tbtnExit->trigger(); })});
    main_->mnCluster->trigger();
    QVERIFY(script.Done());
    const QString text = QString::fromUtf8(ReadAll(out_ + "days.out"));
    QVERIFY(!text.contains("kept"));
    QVERIFY(text.contains(QStringLiteral("Расстояние между объектами : Евклидово\r\n")));
    QVERIFY(text.contains(QStringLiteral("Расстояние между кластерами: Уорда\r\n")));
  }

  // Refusals come straight after the variable dialog: no further dialog, and
  // the results file (here with earlier results) is left alone.
  void RefusalsComeBeforeTheResultsFileAndTheVariablesAreWidened() {
    QByteArray tall("A B C\n");
    for (int i = 0; i < 3002; ++i) tall += QByteArray::number(i % 7) + " 1 2\n";
    const std::pair<QByteArray, QString> cases[] = {
        {"A B C\n1 2 3\n1 -999 5\n9 8 7\n", "Пропуски не удалены."},
        {tall, "Массив данных >3000: 3002 значений"},
    };
    for (const auto& [text, message] : cases) {
      messages_->shown.clear();
      Load(text);
      const QString report = home_->Write("res/days.out", "earlier results\r\n");
      ModalScript script({ChooseVariables({0, 1})});
      main_->mnCluster->trigger();
      QVERIFY(script.Done());
      QCOMPARE(messages_->Texts(), QStringList{message});
      QCOMPARE(Data().NumVar, 3);
      QCOMPARE(ReadAll(report), QByteArray("earlier results\r\n"));
    }
  }

  // A failed run leaves the results file as it was, appended to or replaced
  // (no file is left where there was none).
  void AFailedRunShowsItsMessageAndLeavesTheViewsDisabled() {
    Load("A B\n5 1\n5 2\n5 3\n");  // A is constant: it cannot be standardised
    const std::optional<Answer> answers[] = {std::nullopt, Answer::Yes, Answer::No};
    for (const std::optional<Answer>& answer : answers) {
      messages_->shown.clear();
      messages_->replies.clear();
      if (answer) {
        home_->Write("res/days.out", "earlier results\r\n");
        messages_->replies = {*answer};
      }
      ModalScript script({ChooseVariables({}), Parameters(), AcceptOutput()});
      main_->mnCluster->trigger();
      QVERIFY(script.Done());
      const QStringList texts = messages_->Texts();
      QCOMPARE(texts.size(), answer ? 2 : 1);
      QVERIFY2(texts.back().startsWith(QStringLiteral("Ошибка нормирования: A")), qPrintable(texts.back()));
      QVERIFY(!main_->mnClGraph->isEnabled());
      QCOMPARE(Data().NumVar, 2);
      QCOMPARE(main_->progressBar->value(), 0);
      if (answer) QCOMPARE(ReadAll(out_ + "days.out"), QByteArray("earlier results\r\n"));
      else QVERIFY(!QFile::exists(out_ + "days.out"));
      QVERIFY(!ResultsFile().IsOpen());
    }
  }
};

QTEST_MAIN(TestClusterCommand)
#include "test_cluster_command.moc"
