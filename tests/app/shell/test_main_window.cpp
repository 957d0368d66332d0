// The main window's commands as a user drives them: start-up, loading, the
// recent files, new data, saving and the rules that enable the commands.
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QToolBar>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "core/data/data_input.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_new_data.h"
#include "app/data/tfm_var.h"
#include "app/shell/mnemonics.h"
#include "app/shell/single_instance.h"
#include "app/preparation/tfm_show_table.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

class TestMainWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;

  // A main window started as the program starts it.
  std::unique_ptr<TfmMain> Start() {
    auto main = std::make_unique<TfmMain>();
    main->show();
    return main;
  }
  // Loads a data file through "Ввод " and the file dialog; a loaded file opens the data table.
  void Load(TfmMain& main, const QString& path, bool loads = true) {
    std::vector<ModalScript::Step> steps = {PickFile(path)};
    if (loads) steps.push_back(CloseDataTable());
    ModalScript script(steps);
    main.mnInput->trigger();
    QVERIFY(script.Done());
  }
  QString DataFile(const QString& name, const QByteArray& text = "A B C\n1 2 3\n4 5 6\n7 8 9\n") {
    return home_->Write("data/" + name, text);
  }
  QStringList RecentEntries(const TfmMain& main) {
    QStringList entries;
    for (QAction* a : main.mnFileName) {
      if (a->isVisible()) entries << a->text();
    }
    return entries;
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  void MenusAndToolBarCarryTheirTextsShortcutsAndHints() {
    home_->WriteSettings();
    auto main = Start();
    QCOMPARE(main->windowTitle(), QStringLiteral("Tavrel 1.0.0.1"));
    QStringList menus;
    for (QAction* a : main->menuBar()->actions()) menus << WithoutMnemonic(a->text());
    QCOMPARE(menus, (QStringList{"Файл", "График", "Вычисления", "Сервис"}));
    const std::vector<std::tuple<QAction*, QString, QKeySequence>> items = {
        {main->mnInput, "Ввод ", Qt::Key_F3},
        {main->mnNewFile, "Новые данные", QKeySequence("Ctrl+N")},
        {main->mnDataTable, "Подготовка данных", Qt::Key_F4},
        {main->mnSaveData, "Сохранение данных ", QKeySequence("Ctrl+S")},
        {main->mnExit, "Выход", QKeySequence("Alt+X")},
        {main->mnTable22, "Таблица \"2x2\"", {}},
        {main->mnStudent, "Различие средних ", {}},
        {main->mnHelp, "Справка", Qt::Key_F1},
        {main->mnAbout, "О программе...", {}},
    };
    for (const auto& [action, text, key] : items) {
      QCOMPARE(WithoutMnemonic(action->text()), text);
      QCOMPARE(action->shortcut(), key);
    }
    QStringList hints;
    for (QAction* a : main->toolBar->actions()) hints << (a->isSeparator() ? "|" : a->toolTip());
    QCOMPARE(hints.join(";"),
             QStringLiteral("Ввод данных;Новые данные;Подготовка данных;Сохранить данные ;|;"
                            "Последовательный график;Комбинированный график;Диаграмма рассеяния;|;"
                            "Статистика;Кластерный анализ;Динамика кластеров;Дерево кластеров;|;"
                            "Просмотр результатов;|;Таблица \"2х2\";Диагностика;Различие по Стьюденту;|;"
                            "Настройка программы;Справка;|;Выход"));
    for (QAction* a : main->toolBar->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
    QCOMPARE(main->pnlFile->width(), 360);
    QCOMPARE(main->progressBar->width(), 304);
    QVERIFY(messages_->shown.empty());
  }

  void EveryMenuAndMenuItemHasItsOwnAltLetter() {
    home_->WriteSettings();
    auto main = Start();
    std::vector<QList<QAction*>> groups = {main->menuBar()->actions()};
    for (QAction* a : main->menuBar()->actions()) groups.push_back(a->menu()->actions());
    for (const QList<QAction*>& group : groups) {
      QSet<QChar> letters;
      for (QAction* a : group) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QString text = a->text();
        const qsizetype amp = text.indexOf('&');
        QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(text));
        const QChar letter = text[amp + 1].toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(text));
        letters.insert(letter);
      }
    }
    QCOMPARE(main->mnStat->text(), QStringLiteral("&Статистика"));
  }

  void AFileNamedAtStartIsLoadedAsTheInputCommandLoadsIt() {
    home_->WriteSettings();
    auto main = Start();
    const QString path = DataFile("pulse.txt");
    {
      ModalScript script({CloseDataTable()});  // the table opens after the load
      main->OpenFromCommandLine(path);
      QVERIFY(script.Done());
    }
    QCOMPARE(Data().NumVar, 3);
    QCOMPARE(main->pnlFile->text(), path);
    QVERIFY(main->mnStat->isEnabled());
    QCOMPARE(RecentEntries(*main).size(), 1);
    QVERIFY(messages_->shown.empty());

    main->OpenFromCommandLine(home_->Path("data/none.txt"));  // refused as the input command refuses it
    QCOMPARE(messages_->Texts().size(), 1);
    QCOMPARE(RecentEntries(*main).size(), 1);
  }

  void HelpWithoutTheGuideSaysSo() {
    home_->WriteSettings({{"SystemPath", home_->Path("sys/")}});
    auto main = Start();
    main->mnHelp->trigger();
    QVERIFY(!Config().SystemPath.empty());
    QCOMPARE(messages_->Texts(), QStringList{"Руководство пользователя не установлено: (" +
                                             QString::fromStdString(Config().SystemPath) + "tavrel.pdf)"});
    QCOMPARE(messages_->shown[0].first, MessageKind::Information);
  }

  void HelpWithoutAViewerNamesTheGuideAndCopiesItsPath() {
    home_->WriteSettings({{"SystemPath", home_->Path("sys/")}});
    const QString guide = home_->Write("sys/tavrel.pdf", "%PDF-1.4\n");
    auto main = Start();
    // No program on the path opens anything.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", home_->Path("sys").toUtf8());
    struct RestorePath {
      QByteArray path;
      ~RestorePath() { qputenv("PATH", path); }
    } restore{path};
    const QString text = "Нет программы для просмотра руководства: " + guide +
                         "\nСкопировать путь к руководству в буфер обмена?";
    QGuiApplication::clipboard()->clear();
    for (bool copy : {false, true}) {
      messages_->shown.clear();
      messages_->answers = {copy};
      main->mnHelp->trigger();  // F1
      QCOMPARE(messages_->Texts(), QStringList{text});
      QCOMPARE(messages_->shown[0].first, MessageKind::Confirmation);
      QCOMPARE(QGuiApplication::clipboard()->text(), copy ? guide : QString());
    }
  }

  void ProgressIsShownAtMostTwentyTimesASecond() {
    home_->WriteSettings();
    auto main = Start();
    int shown = 0;
    connect(main->progressBar, &QProgressBar::valueChanged, [&shown] { ++shown; });
    QElapsedTimer clock;
    clock.start();
    main->SetProgress(0, 200000);
    for (int step = 1; step <= 200000; ++step) main->SetProgress(step, 200000);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(shown <= 2 + elapsed / TfmMain::kActivityIntervalMs, qPrintable(QString::number(shown)));
    main->SetProgress(0, 1);  // a reset shows at once
    QCOMPARE(main->progressBar->value(), 0);
  }

  void TheWindowStaysWhileACommandWorks() {
    home_->WriteSettings();
    auto main = Start();
    DataFile("pulse.txt");
    {
      ModalScript script({CloseDataTable()});
      main->OpenFromCommandLine(home_->Path("data/pulse.txt"));
      QVERIFY(script.Done());
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);  // as every computation has it
    QVERIFY(!main->close());
    QCOMPARE(Data().NumVar, 3);
    QApplication::restoreOverrideCursor();
    QVERIFY(main->close());
  }

  void WithoutASettingsFileTheUserIsWarnedAndTheProgramRuns() {
    auto main = Start();
    QCOMPARE(messages_->Texts(), QStringList{QStringLiteral("Нет файла конфигурации:") +
                                             QString::fromStdString(UserSettingsPath())});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QVERIFY(!main->mnStat->isEnabled());
    QVERIFY(main->mnInput->isEnabled());
  }

  // A mistyped key is named, and the keys after it still count: the
  // missing-value code stays -999 rather than 0.
  void ABadSettingsKeyIsReportedAndTheOthersAreRead() {
    home_->WriteSettings({{"StepX", "5x"}});
    auto main = Start();
    QCOMPARE(messages_->Texts(), QStringList{"«5x» не является целым числом (ключ StepX раздела Graphic файла "
                                             "конфигурации)"});
    QCOMPARE(messages_->shown[0].first, MessageKind::Error);
    QCOMPARE(Config().StepX, 0);
    QCOMPARE(Config().EmptyValue, -999);
  }

  void LoadingEnablesTheDataCommandsAndNamesTheFile() {
    home_->WriteSettings();
    auto main = Start();
    QList<QAction*> dataCommands = {main->mnStat, main->mnCluster, main->mnDataTable, main->mnSaveData,
                                    main->mnGraph, main->mnEditGraph, main->mnCombGraph, main->mnGrScater,
                                    main->tbtnStat, main->tbtnCluster, main->tbtnDataTable, main->tbtnGraph,
                                    main->tbtnSaveData, main->tbtnGrScater, main->tbtnCombGraph};
    QList<QAction*> clusterCommands = {main->mnClGraph, main->mnClTree, main->tbtnClGraph, main->tbtnClTree};
    QList<QAction*> always = {main->mnInput, main->mnNewFile, main->mnExit, main->mnTable22, main->mnDs,
                              main->mnStudent, main->mnSeeResults, main->mnHelp, main->mnSysInfo,
                              main->mnConfig, main->mnAbout, main->tbtnExit, main->tbtnHelp};
    for (QAction* a : dataCommands + clusterCommands) QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    for (QAction* a : always) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!main->mnRecentSeparator->isVisible());

    const QString path = DataFile("Pulse.txt");
    Load(*main, path);
    QCOMPARE(main->pnlFile->text(), path);
    QCOMPARE(main->pnlInform->text(), QString());
    QCOMPARE(Data().NumVar, 3);
    QCOMPARE(Config().InputCat, home_->Path("data/").toStdString());
    for (QAction* a : dataCommands) QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    for (QAction* a : clusterCommands) QVERIFY(!a->isEnabled());
    QCOMPARE(RecentEntries(*main), QStringList{"&1 " + path});
    QVERIFY(main->mnRecentSeparator->isVisible());

    // A failed load names its fault and where, and keeps the data in force
    // (edited since its load) with its commands and its file in the status line.
    Data().DataValues[0][0] = 42;
    const QString bad = home_->Path("data/bad.txt");
    const std::vector<std::pair<QByteArray, QString>> failures = {
        {"A B\n1,5 2\n", "Ошибка ввода: неверные числовые данные\nФайл " + bad + ", строка 2: «1,5» не является числом"},
        {"A B\n", "Ошибка ввода: нет числовых данных (n=0)"},
        {QByteArray("A B\n1 \0\n", 8), "Ошибка ввода: неверные числовые данные\nФайл " + bad +
                                               ", строка 2: недопустимый управляющий символ (код 0)"},
    };
    for (const auto& [text, message] : failures) {
      messages_->shown.clear();
      Load(*main, DataFile("bad.txt", text), false);
      QCOMPARE(messages_->Texts(), QStringList{message});
      QCOMPARE(main->pnlFile->text(), path);
      QCOMPARE(Data().DataFileName, path.toStdString());
      QCOMPARE(Data().NumVar, 3);
      QCOMPARE(Data().DataValues[0][0], 42.0);
      QVERIFY(main->mnStat->isEnabled());
      QCOMPARE(RecentEntries(*main).size(), 1);
    }
    // Cancelling the file dialog changes nothing.
    Load(*main, path);
    messages_->shown.clear();
    ModalScript script({Cancel()});
    main->tbtnInput->trigger();
    QVERIFY(script.Done());
    QCOMPARE(main->pnlFile->text(), path);
    QCOMPARE(Data().NumVar, 3);
  }

  void RecentFilesKeepTheirOrderAndEveryEntryReopensItsFile() {
    home_->WriteSettings();
    auto main = Start();
    QStringList paths;
    for (int i = 1; i <= 9; ++i) paths << DataFile(QStringLiteral("File%1.txt").arg(i), QByteArray("A B\n") +
                                                       QByteArray::number(i) + " 1\n" + QByteArray::number(i) + " 2\n");
    for (int i = 0; i < 3; ++i) Load(*main, paths[i]);
    Load(*main, paths[1]);
    QCOMPARE(RecentEntries(*main), (QStringList{"&1 " + paths[2], "&2 " + paths[1], "&3 " + paths[0]}));
    for (int i = 3; i < 9; ++i) Load(*main, paths[i]);
    const QStringList entries = RecentEntries(*main);
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.first(), "&1 " + paths[8]);
    QCOMPARE(entries.last(), "&8 " + paths[1]);  // the first file has gone

    // Entry 7 (older than the fourth) reopens its file as the first four do; the list stays as it is.
    main->mnFileName[6]->trigger();
    QCOMPARE(Data().DataFileName, paths[2].toStdString());
    QCOMPARE(Data().DataValues[0][0], 3.0);
    QCOMPARE(main->pnlFile->text(), paths[2]);
    QCOMPARE(RecentEntries(*main), entries);

    // A file that has gone since: the warning with the system's reason, and
    // the file in force stays.
    QFile::remove(paths[8]);
    messages_->shown.clear();
    main->mnFileName[0]->trigger();
    QCOMPARE(messages_->Texts(), QStringList{"Не удаётся открыть файл " +
                                             paths[8] + ": нет такого файла или каталога"});
    QCOMPARE(Data().DataFileName, paths[2].toStdString());
    QCOMPARE(Data().DataValues[0][0], 3.0);
    QCOMPARE(main->pnlFile->text(), paths[2]);
  }

  void NewDataMakesADataSetAndCancellingKeepsTheLoadedOne() {
    home_->WriteSettings();
    auto main = Start();
    const QString path = DataFile("pulse.txt");
    Load(*main, path);

    // "Отмена", and "Далее" with no values, leave the loaded data in force.
    for (const auto& step : {Cancel(), On<TfmNewData>([](TfmNewData* d) {
                               d->sedRow->setValue(0);
                               d->btbtnOK->click();
                             })}) {
      ModalScript script({step});
      main->mnNewFile->trigger();
      QVERIFY(script.Done());
      QCOMPARE(Data().NumVar, 3);
      QCOMPARE(Data().DataFileName, path.toStdString());
      QCOMPARE(main->pnlFile->text(), path);
    }

    ModalScript menu({On<TfmNewData>([](TfmNewData* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("Создание новых данных"));
      QCOMPARE(d->edVarName->text(), QStringLiteral("Var1 Var2 Var3"));
      d->sedCol->setValue(4);
      d->btnMakeName->click();
      QCOMPARE(d->edVarName->text(), QStringLiteral(" Var1 Var2 Var3 Var4"));
      d->cbxRandom->setChecked(false);
      d->btbtnOK->click();
    }), CloseDataTable()});
    main->mnNewFile->trigger();
    QVERIFY(menu.Done());
    QCOMPARE(Data().NumVar, 4);
    QCOMPARE(Data().NumObs, 10);
    QCOMPARE(Data().DataValues[3][9], 0.0);
    QCOMPARE(main->pnlFile->text(), QStringLiteral("новый файл"));
    QCOMPARE(RecentEntries(*main), (QStringList{"&1 newfile.txt", "&2 " + path}));

    ModalScript toolBar({On<TfmNewData>([](TfmNewData* d) {
      d->edFileName->setText("trial.txt");
      d->btbtnOK->click();
    }), CloseDataTable()});
    main->tbtnNewFile->trigger();
    QVERIFY(toolBar.Done());
    QCOMPARE(main->pnlFile->text(), QStringLiteral("trial.txt"));
    QVERIFY(main->mnStat->isEnabled());
  }

  void SavingWritesTheChosenVariablesAndWidensUnlessKept() {
    home_->WriteSettings({{"OutputCat", home_->Path("out")}});
    QDir().mkpath(home_->Path("out"));
    auto main = Start();
    Load(*main, DataFile("pulse.txt", "A Pulse C\n1 2.5 3\n4 5 6\n"));
    const QString out = home_->Path("out/pulse.out");

    for (const bool keep : {false, true}) {
      ModalScript script({On<TfmVar>([keep](TfmVar* d) {
                            for (const char* name : {"Pulse", "C"}) {
                              d->variableList->findItems(name, Qt::MatchExactly).first()->setSelected(true);
                            }
                            d->cbxSavePrm->setChecked(keep);
                            d->btbtnOK->click();
                          }),
                          On<TfmDBFout>([](TfmDBFout* d) {
                            QVERIFY(d->cbxTypeFile->isEnabled());
                            QCOMPARE(d->edTableName->text(), QStringLiteral("pulse.out"));
                            d->btbtnOK->click();
                          })});
      messages_->answers = {false};  // rewrite, when the file is there
      main->mnSaveData->trigger();
      QVERIFY(script.Done());
      QCOMPARE(ReadAll(out), QByteArray("   Pulse        C \r\n    2.50     3.00 \r\n    5.00     6.00 \r\n"));
      QCOMPARE(Data().NumVar, keep ? 2 : 3);
      QCOMPARE(Data().DataFileName, home_->Path("data/pulse.txt").toStdString());
      Data().KeepSelection = false;
      WidenVariables(Data());
    }

    // Cancelling the output dialog widens in any case and writes nothing.
    QFile::remove(out);
    ModalScript cancelled({On<TfmVar>([](TfmVar* d) {
                             d->variableList->item(0)->setSelected(true);
                             d->cbxSavePrm->setChecked(true);
                             d->btbtnOK->click();
                           }),
                           Cancel()});
    main->mnSaveData->trigger();
    QVERIFY(cancelled.Done());
    QCOMPARE(Data().NumVar, 3);
    QVERIFY(!QFile::exists(out));
  }

  // "Excel" proposes a workbook's name; the table is saved in the format of
  // the name given (a workbook, a CSV table) and loads back the same.
  void SavingWritesAWorkbookOrCsvByTheName() {
    home_->WriteSettings({{"OutputCat", home_->Path("out")}});
    QDir().mkpath(home_->Path("out"));
    auto main = Start();
    Load(*main, DataFile("pulse.txt", "Пульс Temp\n72 36.6\n-999 37.25\n"));
    const std::vector<std::string> names(Data().VarNames.begin(), Data().VarNames.end());
    const auto values = Data().DataValues;
    for (const QString& name : {QStringLiteral("pulse.xlsx"), QStringLiteral("pulse.csv")}) {
      ModalScript script({ChooseVariables({}), On<TfmDBFout>([name](TfmDBFout* d) {
                            if (name.endsWith(".xlsx")) {
                              d->cbxTypeFile->setCurrentIndex(1);
                              emit d->cbxTypeFile->activated(1);
                              QCOMPARE(d->edTableName->text(), name);
                            } else {
                              d->edTableName->setText(name);
                            }
                            d->btbtnOK->click();
                          })});
      main->mnSaveData->trigger();
      QVERIFY(script.Done());
      QVERIFY(messages_->shown.empty());
      Session session;  // with the program's missing-value code, which an empty CSV field stands for
      session.settings = Config();
      session.data.EmptyValue = Data().EmptyValue;
      QVERIFY(LoadDataFile(home_->Path("out/" + name).toStdString(), session).loaded);
      QVERIFY(std::vector<std::string>(session.data.VarNames.begin(), session.data.VarNames.end()) == names);
      QVERIFY(session.data.DataValues == values);
    }
  }

  // A data file named *.out in the output directory is what the output dialog
  // proposes: writing there would destroy the data, so another name is asked for.
  void TheDataFileIsNeverWrittenAsResults() {
    home_->WriteSettings({{"OutputCat", home_->Path("data")}});
    auto main = Start();
    const QByteArray original("A B\n1 2\n3 4\n");
    const QString data = DataFile("days.out", original);
    Load(*main, data);
    const QString other = home_->Path("data/saved.out");
    ModalScript script({ChooseVariables({0, 1}), On<TfmDBFout>([&](TfmDBFout* d) {
                          QCOMPARE(d->edTableName->text(), QStringLiteral("days.out"));
                          d->btbtnOK->click();
                          QVERIFY(d->isVisible());  // the dialog stays for another name
                          d->edTableName->setText(QStringLiteral("saved.out"));
                          d->btbtnOK->click();
                        })});
    main->mnSaveData->trigger();
    QVERIFY(script.Done());
    QCOMPARE(messages_->Texts(), QStringList{"Файл результатов совпадает с файлом данных: " + data +
                                             "\nЗапись в него испортила бы данные; укажите другое имя файла."});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QCOMPARE(ReadAll(data), original);
    QVERIFY(ReadAll(other).startsWith("       A        B \r\n"));
  }

  void ASecondCopyIsRefusedWhileTheFirstRuns() {
    home_->WriteSettings();
    QProcess first;
    first.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    first.start(QStringLiteral(TAVREL_APP), {"-platform", "offscreen"});
    QVERIFY(first.waitForStarted());
    const QString lock = QString::fromStdString(InstanceLockPath(TAVREL_APP));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 10000);
    QTest::qWait(500);

    // This process is the second copy.
    {
      InstanceGuard guard;
      QVERIFY(!StartsAsFirstCopy(guard, TAVREL_APP));
      QCOMPARE(messages_->Texts(), QStringList{"Программа уже запущена"});
      QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    }
    first.kill();
    QVERIFY(first.waitForFinished());
    InstanceGuard afterDeath;
    QVERIFY(StartsAsFirstCopy(afterDeath, TAVREL_APP));
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
