#pragma once
// "Подготовка данных": the data set as an editable grid, and every command that
// prepares it: rows and columns, missing values, outliers, transformations,
// the distribution estimate, saving and reading another file.
#include <QDialog>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
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

  void FillGrid();
  // Writes the typed cells into the data set; false (with the bad cell named
  // and selected, and nothing changed) when one is not a number.
  bool StoreGrid();
  void CommitCell();
  void EnableTableCommands(bool missing);

  bool Moving = false;
  // Missing values were removed from single variables: the missing-value code
  // at a variable's end is padding. Kept until the next load or new data.
  bool IsDel = false;

  DataTableModel* model;
  DataTableView* StringGrid1;
  QToolBar* ToolBar1;
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

  QMenu* PopupMenu1;
  QAction* mnpDelRow;
  QAction* mnpAddRow;
  QAction* mnpDelCol;
  QAction* mnpAddCol;
  QMenu* PopupMenu2;
  QAction* pmnEmptyMean;
  QAction* pmnEmptyDel;
  QAction* pmnEmptyDelPair;
  QAction* pmnEmptyRowDel;
  QMenu* PopupMenu3;
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
  void RunOnChosen(void (*routine)(DataSet&), bool setsIsDel);
  void tbtnShiftClick();
  void tbtnReplaceClick();
  void tbtnMathClick();
  // Stores the grid, then changes its rows or columns at the current cell.
  void EditShape(const std::function<bool(int row, int column)>& edit);
  void DeleteRow();
  void AddRow();
  void DeleteColumn();
  void AddColumn();
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);
  void Cleaning(void (*routine)(DataSet&), bool setsIsDel, bool needsComplete);
  void edEmptyDone();
  // The one guard of the outlier and transformation commands after the
  // typed cells were stored: no missing value may have appeared.
  bool RefuseMissing();

  TfmMain& main_;
  bool applyingEmpty_ = false;
};

}  // namespace tavrel
