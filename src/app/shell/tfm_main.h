#pragma once
// The program's main window: menu bar, tool bar, status line, and the commands.
#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

#include "core/base/checked_array.h"
#include "core/shell/recent_files.h"

class QAction;
class QLabel;
class QProgressBar;
class QToolBar;

namespace tavrel {

class TfmVar;
class TfmDBFout;
class TfmParamCluster;
class TfmSeeFile;
class TfmShowTable;
class TfmStatCfg1;
class TfmGraphic;
class TfmCombGraph;
class TfmcGraphCfg;
class TfmGraghCfg;
class TfmLevel;
class TfmEditMarkAxX;

class TfmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfmMain(QWidget* parent = nullptr);

  void EnableDataCommands(bool on);
  void EnableClusterCommands(bool on);
  // Puts DataFileName first in the recent-files list.
  void ChangeMenu();
  // The file choice and load of the input command; true when data were loaded.
  bool FileSelect();
  // Loads the file named on the command line as the input command loads a chosen one.
  void OpenFromCommandLine(const QString& path);
  // Loads path with the status line and messages of a load; true when data
  // were loaded. A failed load keeps the data in force.
  bool ReadDataFile(const std::string& path);
  void SaveData();
  // The status line's activity text, shown at once.
  void SetInform(const QString& text);
  // The progress of a running analysis. Steps are shown at most every
  // kActivityIntervalMs, so that drawing never slows the work down.
  void SetProgress(int position, int maximum);
  static constexpr qint64 kActivityIntervalMs = 50;

  // Status line.
  QLabel* pnlFile;
  QLabel* pnlInform;
  QProgressBar* progressBar;

  // "Файл"
  QAction* mnInput;
  QAction* mnNewFile;
  QAction* mnDataTable;
  QAction* mnSaveData;
  QAction* mnExit;
  QAction* mnRecentSeparator;
  Array<QAction*> mnFileName;  // the eight recent-file entries
  // "График"
  QAction* mnGraph;
  QAction* mnCombGraph;
  QAction* mnEditGraph;
  QAction* mnGrScater;
  // "Вычисления"
  QAction* mnStat;
  QAction* mnCluster;
  QAction* mnClGraph;
  QAction* mnClTree;
  QAction* mnTable22;
  QAction* mnDs;
  QAction* mnStudent;
  QAction* mnSeeResults;
  // "Сервис"
  QAction* mnHelp;
  QAction* mnSysInfo;
  QAction* mnConfig;
  QAction* mnAbout;

  QToolBar* toolBar;
  QAction* tbtnInput;
  QAction* tbtnNewFile;
  QAction* tbtnDataTable;
  QAction* tbtnSaveData;
  QAction* tbtnGraph;
  QAction* tbtnCombGraph;
  QAction* tbtnGrScater;
  QAction* tbtnStat;
  QAction* tbtnCluster;
  QAction* tbtnClGraph;
  QAction* tbtnClTree;
  QAction* tbtnSeeResults;
  QAction* tbtnTable22;
  QAction* tbtnDs;
  QAction* tbtnStudent;
  QAction* tbtnConfig;
  QAction* tbtnHelp;
  QAction* tbtnExit;

  // The windows that live for the whole run, made when the main window is first shown.
  TfmVar* fmVar = nullptr;
  TfmStatCfg1* fmStatCfg1 = nullptr;
  TfmSeeFile* fmSeeFile = nullptr;
  TfmDBFout* fmDBFout = nullptr;
  TfmParamCluster* fmParamCluster = nullptr;
  TfmLevel* fmLevel = nullptr;
  TfmEditMarkAxX* fmEditMarkAxX = nullptr;
  TfmGraghCfg* fmGraghCfg = nullptr;
  TfmGraphic* fmGraphic = nullptr;
  TfmShowTable* fmShowTable = nullptr;
  TfmCombGraph* fmCombGraph = nullptr;
  TfmcGraphCfg* fmcGraphCfg = nullptr;
  // The number of the next cluster dynamics picture of this run, for its file name.
  int NextClusterGraphNumber() { return ++clusterGraphs_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusLine();
  void FormShow();
  void CreateRunWindows();

  void InputClick();
  bool LoadFile(const QString& path);
  void InputLoaded();
  void NewDataClick(bool fromToolBar);
  void FileNameClick(int position);
  void mnStatClick();
  void mnClusterClick();
  void mnSeeResultsClick();
  void mnHelpClick();
  void mnConfigClick();

  void ShowActivity();

  RecentFiles recentFiles_;
  int clusterGraphs_ = 0;  // cluster dynamics pictures shown in this run
  bool shown_ = false;
  QElapsedTimer activityShown_;
  int progressPosition_ = 0;
  int progressMaximum_ = 1;
};

}  // namespace tavrel
