// The output dialog: the proposed name and directories, append or rewrite,
// and the ways the dialog stays open.
#include <sys/stat.h>

#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/data/tfm_dbf_out.h"

using namespace tavrel;
using namespace tavrel::test;

class TestOutputDialog : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  QString out_;
  bool goesOn_ = false;  // the last Run's answer

  std::unique_ptr<TfmDBFout> Make() {
    Config().OutputCat = out_.toStdString();
    Config().InputCat = home_->Path("in/").toStdString();
    return std::make_unique<TfmDBFout>();
  }
  void Run(TfmDBFout& dialog, std::vector<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    goesOn_ = dialog.Execute();
    QVERIFY(script.Done());
  }
  void WriteReport(const char* line) {
    ResultsFile().WriteLn(line);
    ResultsFile().Close();
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    out_ = home_->Path("res/");
    QDir().mkpath(out_);
    Data().DataFileShortName = "pulse.txt";
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  void ProposesTheDataFilesNameInTheResultsDirectory() {
    auto dialog = Make();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Вывод в файл "));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(dialog->cbxCatalog->count(), 2);
    QCOMPARE(dialog->cbxCatalog->itemText(1), home_->Path("in/"));
    for (const int mode : {kModeStatistics, kModeSaving}) {
      Data().OperationMode = mode;
      Run(*dialog, {On<TfmDBFout>([mode, this](TfmDBFout* d) {
            QCOMPARE(d->edTableName->text(), QStringLiteral("pulse.out"));
            QCOMPARE(d->cbxCatalog->currentText(), out_);
            QCOMPARE(d->cbxTypeFile->currentText(), QStringLiteral("Текст"));
            QCOMPARE(d->cbxTypeFile->isEnabled(), mode == kModeSaving);
            d->btbtnOK->click();
          })});
      QVERIFY(goesOn_);
      QVERIFY(ResultsFile().IsOpen());
      QCOMPARE(Data().ResultsFileName, (out_ + "pulse.out").toStdString());
      WriteReport("report");
    }
    QVERIFY(messages_->shown.size() == 1);  // the second time the file was there
  }

  void AppendsRewritesOrCancelsAsTheUserAnswers() {
    auto dialog = Make();
    Run(*dialog, {AcceptOutput()});
    WriteReport("first");
    struct Case {
      Answer answer;
      QByteArray content;
      bool aborted;
    };
    const Case cases[] = {{Answer::Yes, "first\r\nsecond\r\n", false},
                          {Answer::No, "second\r\n", false},
                          {Answer::Cancel, "first\r\n", true}};
    for (const Case& c : cases) {
      QFile::remove(out_ + "pulse.out");
      Run(*dialog, {AcceptOutput()});
      WriteReport("first");
      messages_->shown.clear();
      messages_->replies = {c.answer};
      Run(*dialog, {AcceptOutput()});
      QCOMPARE(goesOn_, !c.aborted);
      QCOMPARE(dialog->isVisible(), false);
      QCOMPARE(ResultsFile().IsOpen(), !c.aborted);
      if (!c.aborted) WriteReport("second");
      QCOMPARE(messages_->Texts(), QStringList{"Добавить в файл pulse.out?"});
      QCOMPARE(messages_->shown[0].first, MessageKind::Question);
      QCOMPARE(ReadAll(out_ + "pulse.out"), c.content);
    }
  }

  void StaysOpenForAnEmptyNameOrAFileThatCannotBeOpened() {
    auto dialog = Make();
    Run(*dialog, {On<TfmDBFout>([](TfmDBFout* d) {
                    d->edTableName->setText("   ");
                    d->btbtnOK->click();
                    QVERIFY(d->isVisible());
                    d->edTableName->setText("x.out");
                    d->cbxCatalog->setCurrentText("/nonexistent-dir/");
                    d->btbtnOK->click();
                    QVERIFY(d->isVisible());
                    QTest::keyClick(d, Qt::Key_Escape);
                  })});
    QVERIFY(!goesOn_);
    QVERIFY(!ResultsFile().IsOpen());
    QCOMPARE(messages_->shown.size(), size_t{1});
    QCOMPARE(messages_->shown[0].first, MessageKind::Error);
  }

  // What no output may be is refused before the append question, with the
  // reason; the dialog stays open for another name and the file stays as it was.
  void RefusesWhatNoOutputMayBe() {
    const QString data = home_->Write("res/days.out", "A\n1\n");
    Data().DataFileName = data.toStdString();
    QVERIFY(mkfifo(QFile::encodeName(out_ + "fifo.out").constData(), 0666) == 0);
    QVERIFY(QDir().mkpath(out_ + "directory.out"));
    const QString readOnly = home_->Write("res/kept.out", "kept\r\n");
    QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const std::pair<QString, QString> cases[] = {
        {"days.out", "Файл результатов совпадает с файлом данных: " + data +
                         "\nЗапись в него испортила бы данные; укажите другое имя файла."},
        {"fifo.out", "Не удаётся открыть файл " + out_ + "fifo.out: это канал, а не файл"},
        {"directory.out", "Не удаётся открыть файл " + out_ + "directory.out: это каталог, а не файл"},
        {"kept.out", "Не удаётся открыть файл " + readOnly + ": нет доступа"},
    };
    auto dialog = Make();
    for (const auto& [name, message] : cases) {
      messages_->shown.clear();
      Run(*dialog, {On<TfmDBFout>([&name = name](TfmDBFout* d) {
                      d->edTableName->setText(name);
                      d->btbtnOK->click();
                      QVERIFY(d->isVisible());  // another name can be given
                      QTest::keyClick(d, Qt::Key_Escape);
                    })});
      QVERIFY(!goesOn_);
      QVERIFY(!ResultsFile().IsOpen());
      QCOMPARE(messages_->Texts(), QStringList{message});
      QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    }
    QCOMPARE(ReadAll(data), QByteArray("A\n1\n"));
    QCOMPARE(ReadAll(readOnly), QByteArray("kept\r\n"));
  }

  void ADirectoryTypedWithoutItsSeparatorStillHoldsTheFile() {
    auto dialog = Make();
    Run(*dialog, {On<TfmDBFout>([this](TfmDBFout* d) {
          d->cbxCatalog->setCurrentText(home_->Path("res"));
          d->btbtnOK->click();
        })});
    WriteReport("x");
    QVERIFY(QFile::exists(out_ + "pulse.out"));
    QCOMPARE(Config().OutputCat, home_->Path("res").toStdString());
    QVERIFY(dialog->cbxCatalog->findText(home_->Path("res")) >= 0);  // kept in the list
  }
};

QTEST_MAIN(TestOutputDialog)
#include "test_output_dialog.moc"
