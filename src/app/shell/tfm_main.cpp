#include "app/shell/tfm_main.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include "app/cluster/run_cluster.h"
#include "app/cluster/run_cluster_views.h"
#include "app/cluster/tfm_param_cluster.h"
#include "app/data/command_frame.h"
#include "app/data/show_results.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_new_data.h"
#include "app/data/tfm_var.h"
#include "app/graphs/run_comb_graph.h"
#include "app/graphs/run_graph_editor.h"
#include "app/graphs/run_graphic.h"
#include "app/graphs/tfm_c_graph_cfg.h"
#include "app/graphs/tfm_comb_graph.h"
#include "app/graphs/tfm_edit_mark_ax_x.h"
#include "app/graphs/tfm_gr_scater.h"
#include "app/graphs/tfm_gragh_cfg.h"
#include "app/graphs/tfm_graphic.h"
#include "app/graphs/tfm_level.h"
#include "app/preparation/run_data_table.h"
#include "app/preparation/tfm_show_table.h"
#include "app/shell/command_options.h"
#include "app/shell/message_service.h"
#include "app/shell/mnemonics.h"
#include "app/shell/program_session.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_about_bx.h"
#include "app/shell/tfm_config.h"
#include "app/shell/tfm_sys.h"
#include "app/shell/tool_icons.h"
#include "app/statistics/calculators/run_calculators.h"
#include "app/statistics/run_statistics.h"
#include "app/statistics/tfm_see_file.h"
#include "app/statistics/tfm_stat_cfg1.h"
#include "core/base/errors.h"
#include "core/base/file_paths.h"
#include "core/base/program_version.h"
#include "core/cluster/cluster_options.h"
#include "core/commands/command_refusal.h"
#include "core/commands/table_commands.h"
#include "core/data/csv_reader.h"
#include "core/data/csv_writer.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/new_data.h"
#include "core/data/results_file.h"
#include "core/data/saved_table.h"
#include "core/data/session.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  return action;
}

// Every kind the load reads, then each kind alone; a file of any name may be
// chosen, the readers go by its contents where its name does not say.
const QString kDataFileFilter = QStringLiteral(
    "Все данные (*.txt *.TXT *.dat *.DAT *.out *.OUT *.csv *.CSV *.xls *.XLS *.xlsx *.XLSX *.xlsm *.XLSM *.ods "
    "*.ODS);;Текст (*.txt *.TXT *.dat *.DAT *.out *.OUT);;CSV (*.csv *.CSV);;Excel (*.xls *.XLS *.xlsx *.XLSX "
    "*.xlsm *.XLSM);;OpenDocument (*.ods *.ODS);;Все файлы (*)");

}  // namespace

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TfmMain");
  setWindowTitle(Text(ProgramCaption()));
  BuildMenus();
  BuildToolBar();
  BuildStatusLine();
  AssignMnemonics(this);
  resize(900, 560);
}

void TfmMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  mnInput = MenuItem(file, "mnInput", QStringLiteral("Ввод "), Qt::Key_F3);
  mnNewFile = MenuItem(file, "mnNewFile", QStringLiteral("Новые данные"), QKeySequence(Qt::CTRL | Qt::Key_N));
  mnDataTable = MenuItem(file, "mnDataTable", QStringLiteral("Подготовка данных"), Qt::Key_F4);
  mnSaveData = MenuItem(file, "mnSaveData", QStringLiteral("Сохранение данных "), QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  mnExit = MenuItem(file, "mnExit", QStringLiteral("Выход"), QKeySequence(Qt::ALT | Qt::Key_X));
  mnRecentSeparator = file->addSeparator();
  mnRecentSeparator->setObjectName("mnRecentSeparator");
  mnRecentSeparator->setVisible(false);
  for (int k = 0; k < kRecentFilesMax; ++k) {
    QAction* entry = MenuItem(file, "", Text(RecentCaption(k, "name")));
    entry->setObjectName(QStringLiteral("mnFileName%1").arg(k + 1));
    entry->setVisible(false);
    connect(entry, &QAction::triggered, this, Guarded([this, k] { FileNameClick(k); }));
    mnFileName.push_back(entry);
  }

  QMenu* graph = menuBar()->addMenu(QStringLiteral("График"));
  mnGraph = MenuItem(graph, "mnGraph", QStringLiteral("Последовательный"));
  mnCombGraph = MenuItem(graph, "mnCombGraph", QStringLiteral("Комбинированный"));
  mnEditGraph = MenuItem(graph, "mnEditGraph", QStringLiteral("Редактирование"));
  mnGrScater = MenuItem(graph, "mnGrScater", QStringLiteral("Диаграмма рассеяния"));

  QMenu* calc = menuBar()->addMenu(QStringLiteral("Вычисления"));
  mnStat = MenuItem(calc, "mnStat", QStringLiteral("Статистика"));
  calc->addSeparator();
  mnCluster = MenuItem(calc, "mnCluster", QStringLiteral("Кластерный анализ"));
  mnClGraph = MenuItem(calc, "mnClGraph", QStringLiteral("Динамика кластеров"));
  mnClTree = MenuItem(calc, "mnClTree", QStringLiteral("Дерево кластеров"));
  calc->addSeparator();
  mnTable22 = MenuItem(calc, "mnTable22", QStringLiteral("Таблица \"2x2\""));
  mnDs = MenuItem(calc, "mnDs", QStringLiteral("Диагностика"));
  mnStudent = MenuItem(calc, "mnStudent", QStringLiteral("Различие средних "));
  calc->addSeparator();
  mnSeeResults = MenuItem(calc, "mnSeeResults", QStringLiteral("Просмотр результатов"));

  QMenu* service = menuBar()->addMenu(QStringLiteral("Сервис"));
  mnHelp = MenuItem(service, "mnHelp", QStringLiteral("Справка"), Qt::Key_F1);
  mnSysInfo = MenuItem(service, "mnSysInfo", QStringLiteral("Системная информация"));
  mnConfig = MenuItem(service, "mnConfig", QStringLiteral("Настройка программы"));
  service->addSeparator();
  mnAbout = MenuItem(service, "mnAbout", QStringLiteral("О программе..."));

  // Every command runs guarded: a failure it does not catch is shown and the program goes on.
  connect(mnInput, &QAction::triggered, this, Guarded([this] { InputClick(); }));
  connect(mnNewFile, &QAction::triggered, this, Guarded([this] { NewDataClick(false); }));
  connect(mnDataTable, &QAction::triggered, this, Guarded([this] { RunDataTable(*this, false); }));
  connect(mnSaveData, &QAction::triggered, this, Guarded([this] { SaveData(); }));
  connect(mnExit, &QAction::triggered, this, &QWidget::close);
  connect(mnStat, &QAction::triggered, this, Guarded([this] { mnStatClick(); }));
  connect(mnGraph, &QAction::triggered, this, Guarded([this] { RunSequentialGraph(*this, false); }));
  connect(mnEditGraph, &QAction::triggered, this, Guarded([this] { RunGraphEditor(*this); }));
  connect(mnGrScater, &QAction::triggered, this, Guarded([this] { RunScatterDiagram(*this); }));
  connect(mnCluster, &QAction::triggered, this, Guarded([this] { mnClusterClick(); }));
  connect(mnClTree, &QAction::triggered, this, Guarded([this] { RunClusterTree(*this); }));
  connect(mnCombGraph, &QAction::triggered, this, Guarded([this] { RunCombinedGraph(*this); }));
  connect(mnClGraph, &QAction::triggered, this, Guarded([this] { ClGraph(*this); }));
  connect(mnTable22, &QAction::triggered, this, Guarded([this] { RunTable22(this); }));
  connect(mnDs, &QAction::triggered, this, Guarded([this] { RunDiagnostic(this); }));
  connect(mnStudent, &QAction::triggered, this, Guarded([this] { RunStudent(this); }));
  connect(mnSeeResults, &QAction::triggered, this, Guarded([this] { mnSeeResultsClick(); }));
  connect(mnHelp, &QAction::triggered, this, Guarded([this] { mnHelpClick(); }));
  connect(mnConfig, &QAction::triggered, this, Guarded([this] { mnConfigClick(); }));
  connect(mnSysInfo, &QAction::triggered, this, Guarded([this] { RunSystemInformation(this); }));
  connect(mnAbout, &QAction::triggered, this, Guarded([this] { RunAbout(this, MakeTunePlayer()); }));
  // The cluster views open the windows of their own; until those exist the commands do nothing.
}

void TfmMain::BuildToolBar() {
  toolBar = addToolBar(QStringLiteral("Панель инструментов"));
  toolBar->setObjectName("toolBar");
  toolBar->setMovable(false);
  toolBar->setIconSize(QSize(28, 28));
  auto button = [this](const char* name, const QIcon& icon, const QString& hint, QAction* menuItem) {
    QAction* action = toolBar->addAction(WithFaintDisabled(icon, toolBar->iconSize().width()), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    if (menuItem) connect(action, &QAction::triggered, menuItem, &QAction::trigger);
    return action;
  };
  auto standard = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  tbtnInput = button("tbtnInput", standard(QStyle::SP_DialogOpenButton), QStringLiteral("Ввод данных"), mnInput);
  tbtnNewFile = button("tbtnNewFile", standard(QStyle::SP_FileIcon), QStringLiteral("Новые данные"), nullptr);
  tbtnDataTable = button("tbtnDataTable", standard(QStyle::SP_FileDialogDetailedView),
                         QStringLiteral("Подготовка данных"), mnDataTable);
  tbtnSaveData =
      button("tbtnSaveData", standard(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить данные "), mnSaveData);
  toolBar->addSeparator();
  tbtnGraph = button("tbtnGraph", DrawToolIcon(ToolPicture::SequentialGraph),
                     QStringLiteral("Последовательный график"), nullptr);
  tbtnCombGraph = button("tbtnCombGraph", DrawToolIcon(ToolPicture::CombinedGraph),
                         QStringLiteral("Комбинированный график"), mnCombGraph);
  tbtnGrScater = button("tbtnGrScater", DrawToolIcon(ToolPicture::ScatterDiagram),
                        QStringLiteral("Диаграмма рассеяния"), mnGrScater);
  toolBar->addSeparator();
  tbtnStat = button("tbtnStat", DrawToolIcon(ToolPicture::Statistics), QStringLiteral("Статистика"), mnStat);
  tbtnCluster =
      button("tbtnCluster", DrawToolIcon(ToolPicture::Cluster), QStringLiteral("Кластерный анализ"), mnCluster);
  tbtnClGraph = button("tbtnClGraph", DrawToolIcon(ToolPicture::ClusterDynamics),
                       QStringLiteral("Динамика кластеров"), mnClGraph);
  tbtnClTree =
      button("tbtnClTree", DrawToolIcon(ToolPicture::ClusterTree), QStringLiteral("Дерево кластеров"), mnClTree);
  toolBar->addSeparator();
  tbtnSeeResults = button("tbtnSeeResults", standard(QStyle::SP_FileDialogContentsView),
                          QStringLiteral("Просмотр результатов"), mnSeeResults);
  toolBar->addSeparator();
  tbtnTable22 =
      button("tbtnTable22", DrawToolIcon(ToolPicture::Table22), QStringLiteral("Таблица \"2х2\""), mnTable22);
  tbtnDs = button("tbtnDs", DrawToolIcon(ToolPicture::Diagnostics), QStringLiteral("Диагностика"), mnDs);
  tbtnStudent =
      button("tbtnStudent", DrawToolIcon(ToolPicture::Student), QStringLiteral("Различие по Стьюденту"), mnStudent);
  toolBar->addSeparator();
  tbtnConfig = button("tbtnConfig", DrawToolIcon(ToolPicture::Configuration), QStringLiteral("Настройка программы"),
                      mnConfig);
  tbtnHelp = button("tbtnHelp", standard(QStyle::SP_DialogHelpButton), QStringLiteral("Справка"), mnHelp);
  toolBar->addSeparator();
  tbtnExit = button("tbtnExit", standard(QStyle::SP_DialogCloseButton), QStringLiteral("Выход"), mnExit);

  // The tool bar's new data names the data file in the status line; the
  // sequential graph of the tool bar starts without day marks.
  connect(tbtnNewFile, &QAction::triggered, this, Guarded([this] { NewDataClick(true); }));
  connect(tbtnGraph, &QAction::triggered, this, Guarded([this] { RunSequentialGraph(*this, true); }));
}

void TfmMain::BuildStatusLine() {
  pnlFile = new QLabel(this);
  pnlFile->setObjectName("pnlFile");
  pnlFile->setFixedWidth(360);
  pnlInform = new QLabel(this);
  pnlInform->setObjectName("pnlInform");
  progressBar = new QProgressBar(this);
  progressBar->setObjectName("progressBar");
  progressBar->setFixedWidth(304);
  progressBar->setRange(0, 100);
  progressBar->setValue(0);
  progressBar->setTextVisible(false);
  statusBar()->addWidget(pnlFile);
  statusBar()->addWidget(pnlInform, 1);
  statusBar()->addPermanentWidget(progressBar);
  statusBar()->setFixedHeight(23);
}

void TfmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TfmMain::FormShow() {
  EnableDataCommands(false);
  EnableClusterCommands(false);
  const std::string exeDir = QDir(QApplication::applicationDirPath()).absolutePath().toStdString() + "/";
  Data().ExeDir = exeDir;
  const std::string settingsPath = UserSettingsPath();
  EnsureUserSettings(settingsPath, exeDir);
  try {
    if (!LoadSessionSettings(settingsPath, ProgramSession()))
      ShowMessage(MessageKind::Warning, kNoSettingsFile + settingsPath, this);
  } catch (const ConversionError& e) {
    ShowMessage(MessageKind::Error, std::string(e.what()), this);
  } catch (const InOutError& e) {
    ShowMessage(MessageKind::Error, std::string(e.what()), this);
  }
  ClusterConfig() = ClusterOptionsFrom(Config());
  CreateRunWindows();
}

void TfmMain::CreateRunWindows() {
  fmVar = new TfmVar(this);
  fmDBFout = new TfmDBFout(this);
  fmParamCluster = new TfmParamCluster(this);
  fmStatCfg1 = new TfmStatCfg1(this);
  fmSeeFile = new TfmSeeFile(this);
  fmLevel = new TfmLevel(this);
  fmEditMarkAxX = new TfmEditMarkAxX(this);
  fmGraghCfg = new TfmGraghCfg(fmLevel, fmEditMarkAxX, this);
  fmGraphic = new TfmGraphic(this, fmLevel, fmEditMarkAxX, this);
  fmShowTable = new TfmShowTable(*this);
  fmCombGraph = new TfmCombGraph(this, this);
  fmcGraphCfg = new TfmcGraphCfg(fmCombGraph, this);
}

void TfmMain::closeEvent(QCloseEvent* event) {
  // The hourglass is up while a command works on the data: the window stays.
  if (QApplication::overrideCursor()) {
    event->ignore();
    return;
  }
  ClearDataSet(Data());
  Data().SelectMask.clear();
  QMainWindow::closeEvent(event);
}

void TfmMain::EnableDataCommands(bool on) {
  for (QAction* a : {tbtnStat, tbtnCluster, tbtnDataTable, tbtnGraph, tbtnSaveData, tbtnGrScater, tbtnCombGraph,
                     mnCluster, mnSaveData, mnDataTable, mnStat, mnGraph, mnEditGraph, mnCombGraph, mnGrScater}) {
    a->setEnabled(on);
  }
}

void TfmMain::EnableClusterCommands(bool on) {
  for (QAction* a : {tbtnClGraph, tbtnClTree, mnClGraph, mnClTree}) a->setEnabled(on);
}

void TfmMain::ChangeMenu() {
  recentFiles_.Add(Data().DataFileName);
  const Array<std::string>& names = recentFiles_.Names();
  mnRecentSeparator->setVisible(names.Count() > 0);
  for (int k = 0; k < kRecentFilesMax; ++k) {
    const bool filled = k < names.Count();
    // "&" in a file name must not turn into a keyboard mnemonic.
    if (filled) mnFileName[k]->setText(Text(RecentCaption(k, "")) + Text(names[k]).replace('&', "&&"));
    mnFileName[k]->setVisible(filled);
  }
}

void TfmMain::SetInform(const QString& text) {
  pnlInform->setText(text);
  ShowActivity();
}

void TfmMain::SetProgress(int position, int maximum) {
  const int top = std::max(maximum, 1);
  progressMaximum_ = top;
  progressPosition_ = std::clamp(position, 0, top);
  // A reset shows at once; steps only when the last showing is old enough.
  if (position == 0 || !activityShown_.isValid() || activityShown_.elapsed() >= kActivityIntervalMs) ShowActivity();
}

void TfmMain::ShowActivity() {
  progressBar->setMaximum(progressMaximum_);
  progressBar->setValue(progressPosition_);
  activityShown_.restart();
  // The window repaints during long work (no closed dialog left drawn over it);
  // the user's input waits until the command ends.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TfmMain::ReadDataFile(const std::string& path) {
  SetInform(QStringLiteral("Ввод данных..."));
  EnableClusterCommands(false);
  LoadOutcome outcome;
  try {
    outcome = LoadDataFile(path, ProgramSession());
  } catch (...) {
    SetInform({});
    throw;
  }
  SetInform({});
  // A failed load keeps the data in force, so the status line goes on naming its file.
  if (!outcome.readerWarning.empty()) ShowMessage(MessageKind::Warning, outcome.readerWarning, this);
  if (!outcome.warning.empty()) ShowMessage(MessageKind::Warning, outcome.warning, this);
  return outcome.loaded;
}

bool TfmMain::FileSelect() {
  QFileDialog dialog(this, QStringLiteral("Открыть файл"), Text(EffectiveDirectory(Config().InputCat)),
                     kDataFileFilter);
  dialog.setObjectName("FileOpenDialog");
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return LoadFile(dialog.selectedFiles().first());
}

bool TfmMain::LoadFile(const QString& path) {
  const std::string file = path.toStdString();
  const bool loaded = ReadDataFile(file);
  Config().InputCat = DirectoryOf(file);
  return loaded;
}

void TfmMain::InputLoaded() {
  ChangeMenu();
  EnableDataCommands(true);
  pnlFile->setText(Text(Data().DataFileName));
  RunDataTable(*this, true);
}

void TfmMain::InputClick() {
  if (FileSelect()) InputLoaded();
}

void TfmMain::OpenFromCommandLine(const QString& path) {
  RunGuarded([&] {
    if (LoadFile(path)) InputLoaded();
  });
}

void TfmMain::FileNameClick(int position) {
  if (position >= recentFiles_.Names().Count()) return;
  if (!ReadDataFile(recentFiles_.Names()[position])) return;
  pnlFile->setText(Text(Data().DataFileName));
  fmShowTable->ForgetChanges();  // they belonged to the data before
}

void TfmMain::NewDataClick(bool fromToolBar) {
  TfmNewData dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;  // cancelling keeps the data in force
  if (!MakeNewData(dialog.Request(), NewDataRandom(), ProgramSession())) return;
  ChangeMenu();
  EnableDataCommands(true);
  EnableClusterCommands(false);
  pnlFile->setText(fromToolBar ? Text(Data().DataFileName) : QStringLiteral("новый файл"));
  RunDataTable(*this, true);
}

void TfmMain::SaveData() {
  Data().OperationMode = kModeSaving;
  WidenOnExit widen;
  if (!fmVar->Execute()) return;
  try {
    RefuseUnsavable(Data(), kMaxCsvColumns);  // the text table's own limit is checked once its name is known
    if (!fmDBFout->Execute()) {
      WidenVariables(Data());
      return;
    }
    WriteTableCommand(ResultsFile(), Data(), {Data().DataFileName, {}}, SystemDecimalPoint());
  } catch (const CommandRefusal& refusal) {
    ShowRefusal(refusal, this);
  }
}

void TfmMain::mnStatClick() { RunStatistics(*this); }

void TfmMain::mnClusterClick() { RunClusterCommand(*this); }

void TfmMain::mnSeeResultsClick() { ShowResults(ResultsCaller::MainWindow, *fmSeeFile); }

namespace {

// Whether the desktop names a program for PDF files. Where it cannot be
// asked, opening the guide is tried and tells itself.
bool HasPdfViewer() {
  const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (query.isEmpty()) return true;
  QProcess process;
  process.start(query, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/pdf")});
  if (!process.waitForFinished(3000)) {
    process.kill();
    process.waitForFinished(1000);
    return true;
  }
  return process.exitCode() != 0 || !process.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

void TfmMain::mnHelpClick() {
  const std::string dir = Config().SystemPath.empty() ? Data().ExeDir : Config().SystemPath;
  const QString guide = Text(ResultsFilePath(dir, "tavrel.pdf"));
  if (!QFileInfo(guide).isFile()) {
    ShowMessage(MessageKind::Information, QStringLiteral("Руководство пользователя не установлено: (") + guide + ")", this);
    return;
  }
  if (HasPdfViewer() && QDesktopServices::openUrl(QUrl::fromLocalFile(guide))) return;
  if (ShowMessage(MessageKind::Confirmation,
                  QStringLiteral("Нет программы для просмотра руководства: ") + guide +
                      QStringLiteral("\nСкопировать путь к руководству в буфер обмена?"),
                  this)) {
    QGuiApplication::clipboard()->setText(guide);
  }
}

void TfmMain::mnConfigClick() {
  TfmConfig dialog(UserSettingsPath(), this);
  dialog.exec();
}

}  // namespace tavrel
