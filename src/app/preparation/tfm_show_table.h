#pragma once
// "Подготовка данных": the data set as an editable grid, and every command that
// prepares it: rows and columns, missing values, outliers, transformations,
// the distribution estimate, saving and reading another file.
#include <QDialog>
#include <functional>
#include <optional>

#include "core/preparation/edit_history.h"
#include "core/preparation/table_edit.h"

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace tavrel {

struct DataSet;

class DataTableModel;
class DataTableView;
class TfmMain;
class TfmShift;
class TfmReplace;
class TfmArifm;
class TfmPrmEdit;

class TfmShowTable : public QDialog {
  Q_OBJECT
 public:
  explicit TfmShowTable(TfmMain& main);
  ~TfmShowTable() override;

  // Shows the table modally. After a load or new data the removals of the
  // data before are forgotten (afterLoad).
  void Execute(bool afterLoad);
  // What every showing starts with: the flags of a showing, the code box and the grid.
  void FormShow(bool afterLoad);
  // New data are in force: the removals and the changes of the data before
  // are forgotten.
  void ForgetChanges();

  void FillGrid();
  // Writes the typed cells into the data set; false (with the bad cell named
  // and selected, and nothing changed) when one is not a number.
  bool StoreGrid();
  void CommitCell();
  void EnableTableCommands(bool missing);
  // Steps back or forward through the changes made in the table.
  void Undo();
  void Redo();
  const EditHistory& History() const { return history_; }

  bool Moving = false;
  // Missing values were removed from single variables: the missing-value code
  // at a variable's end is padding. Kept until the next load or new data.
  bool IsDel = false;

  DataTableModel* model;
  DataTableView* grid;
  QMenuBar* menuBar;
  QMenu* mnEdit;
  QToolBar* toolBar;
  QAction* tbtnUndo;
  QAction* tbtnRedo;
  QAction* tbtnFileInput;
  QAction* tbtnSaveData;
  QAction* tbtnSeeResults;
  QAction* tbtnRecalc;
  QAction* tbtnSelVar;
  QAction* tbtnEditTitle;
  QAction* tbtnDistr;
  QAction* tbtnCalcDistr;
  QAction* tbtnLog;
  QAction* tbtnDiff;
  QAction* tbtnNormir;
  QAction* tbtnShift;
  QAction* tbtnReplace;
  QAction* tbtnMath;
  QAction* tbtnDelRow;
  QAction* tbtnAddRow;
  QAction* tbtnDelCol;
  QAction* tbtnAddCol;
  QToolButton* tbtnEmpty;
  QLineEdit* edEmpty;
  QToolButton* tbtnOut;
  QAction* tbtnClose;

  QMenu* contextMenu;
  QAction* mnpDelRow;
  QAction* mnpAddRow;
  QAction* mnpDelCol;
  QAction* mnpAddCol;
  QMenu* missingMenu;
  QAction* pmnEmptyMean;
  QAction* pmnEmptyDel;
  QAction* pmnEmptyDelPair;
  QAction* pmnEmptyRowDel;
  QMenu* outlierMenu;
  QAction* pmnOutMean;
  QAction* pmnOutDel;
  QAction* pmnOutDelPair;
  QAction* pmnOutDelRow;
  QAction* pmnOutSel;
  QAction* pmnOutSelRow;

  TfmShift* fmShift;
  TfmReplace* fmReplace;
  TfmArifm* fmArifm;
  TfmPrmEdit* fmPrmEdit;

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildToolBar();
  void BuildMenus();
  QAction* Button(const char* name, const QString& hint, const QIcon& icon, const std::function<void()>& click);

  void tbtnFileInputClick();
  void tbtnSaveDataClick();
  void tbtnSeeResultsClick();
  void tbtnSelVarClick();
  void tbtnEditTitleClick();
  void tbtnDistrClick();
  void tbtnCalcDistrClick();
  void RunOnChosen(void (*routine)(DataSet&), bool setsIsDel, const QString& caption);
  void tbtnShiftClick();
  void tbtnReplaceClick();
  void tbtnMathClick();
  // Stores the grid, then changes its rows or columns at the current cell;
  // the edit returns what it changed, nothing when the place is outside the grid.
  void EditShape(const QString& caption, const std::function<std::optional<Change>(int row, int column)>& edit);
  void DeleteRow();
  void AddRow();
  void DeleteColumn();
  void AddColumn();
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);
  // A cleaning command; its menu item names the step.
  void Cleaning(void (*routine)(DataSet&), bool setsIsDel, bool needsComplete, const QAction* item);
  // A finished command becomes a step of the history; paddedBefore is IsDel before it.
  void Remember(Change&& change, const QString& caption, bool paddedBefore);
  void UpdateUndoActions();
  void edEmptyDone();
  // The one guard of the outlier and transformation commands after the
  // typed cells were stored: no missing value may have appeared.
  bool RefuseMissing();

  TfmMain& main_;
  bool applyingEmpty_ = false;
  EditHistory history_;
  TableStateKeeper tableState_;  // as of the last fill, with each value typed since
};

}  // namespace tavrel
