// Loading workbooks through the main window's input command, as a user does.
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

class TestSpreadsheetLoad : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;

  // Loads path through the file dialog; a load that succeeds opens the data table.
  void Load(TfmMain& main, const QString& path, bool loads = true) {
    std::vector<ModalScript::Step> steps = {PickFile(path)};
    if (loads) steps.push_back(CloseDataTable());
    ModalScript script(steps);
    main.mnInput->trigger();
    QVERIFY(script.Done());
  }
  struct Table {
    std::vector<std::string> names;
    std::vector<std::vector<double>> columns;
    bool operator==(const Table&) const = default;
  };
  static Table Current() {
    Table t{{Data().VarNames.begin(), Data().VarNames.end()}, {}};
    for (const auto& c : Data().DataValues) t.columns.emplace_back(c.begin(), c.end());
    return t;
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    home_->WriteSettings();
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  // The window takes its own directory for the program's; the .xls reader lies beside the program.
  static void ShowBesideTheProgram(TfmMain& main) {
    main.show();
    Data().ExeDir = QFileInfo(TAVREL_APP).absolutePath().toStdString() + "/";
  }

  void AWorkbookLoadsAsItsTextFileDoes() {
    TfmMain main;
    ShowBesideTheProgram(main);
    Load(main, home_->Write("pulse.txt", "Pulse Давление Temperature\n72 120 36.6\n80 130.5 37.1\n64 110 36.9\n"));
    const Table text = Current();
    QCOMPARE(text.names.size(), 3u);

    const QString xls = home_->Write("Pulse.xls", ReadAll(TAVREL_TEST_DATA "/spreadsheets/pulse.xls"));
    Load(main, xls);
    QVERIFY(messages_->shown.empty());
    QVERIFY(Current() == text);
    QCOMPARE(main.pnlFile->text(), xls);
    QCOMPARE(main.pnlInform->text(), QString());
    QVERIFY(main.mnStat->isEnabled());
    QCOMPARE(main.mnFileName[0]->text(), "&1 " + xls);
  }

  void ABadWorkbookNamesItsFaultThenTheMissingData() {
    TfmMain main;
    ShowBesideTheProgram(main);
    const QString good = home_->Write("book.xls", ReadAll(TAVREL_TEST_DATA "/spreadsheets/pulse.xls"));
    Load(main, good);
    const Table loaded = Current();
    // The same file spoilt since: reopened from the recent files.
    home_->Write("book.xls", "not a workbook");
    main.mnFileName[0]->trigger();
    const QStringList expected = {"Ошибка в данных xls-файла\nФайл не является книгой Excel",
                                  "Ошибка ввода: нет числовых данных (n=0)"};
    QCOMPARE(messages_->Texts(), expected);
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QCOMPARE(messages_->shown[1].first, MessageKind::Warning);
    QVERIFY(Current() == loaded);  // a failed load keeps the data in force

    messages_->shown.clear();
    Load(main, good, false);
    QCOMPARE(messages_->Texts(), expected);
    QVERIFY(Current() == loaded);
    QCOMPARE(main.pnlFile->text(), good);
  }
};

QTEST_MAIN(TestSpreadsheetLoad)
#include "test_spreadsheet_load.moc"
