#include "app/preparation/tfm_show_table.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/data/command_frame.h"
#include "app/data/show_results.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/graphs/tfm_gr_distr.h"
#include "app/preparation/data_table_model.h"
#include "app/preparation/data_table_view.h"
#include "app/preparation/tfm_arifm.h"
#include "app/preparation/tfm_prm_edit.h"
#include "app/preparation/tfm_replace.h"
#include "app/preparation/tfm_shift.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/mnemonics.h"
#include "app/shell/program_session.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tool_icons.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/table_edit.h"
#include "core/preparation/transformations.h"
#include "core/shell/settings.h"
#include "core/statistics/normality.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

const QString kTypedValue = QStringLiteral("Ввод значения");
const QString kTypedValues = QStringLiteral("Ввод значений");

// A tool bar picture made of a short text, for the commands the icon theme has no picture for.
QIcon GlyphIcon(const QString& glyph, const QColor& colour = QColor(0x20, 0x40, 0x80)) {
  QPixmap pixmap(28, 28);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(glyph.size() > 2 ? 10 : 15);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

// The code box loses its focus while the window's widgets are torn down; its
// handler must not run on a table that is no longer whole.
TfmShowTable::~TfmShowTable() { edEmpty->disconnect(this); }

TfmShowTable::TfmShowTable(TfmMain& main) : QDialog(&main), main_(main) {
  setObjectName("TfmShowTable");
  setWindowTitle(QStringLiteral("Подготовка данных"));
  model = new DataTableModel(this);
  grid = new DataTableView(this);
  grid->setObjectName("grid");
  grid->setModel(model);
  BuildMenus();
  BuildToolBar();
  mnEdit->addAction(tbtnUndo);
  mnEdit->addAction(tbtnRedo);
  mnEdit->addSeparator();
  mnEdit->addActions(contextMenu->actions());
  contextMenu->insertActions(contextMenu->actions().value(0), {tbtnUndo, tbtnRedo});
  contextMenu->insertSeparator(contextMenu->actions().value(2));
  for (QMenu* menu : {contextMenu, missingMenu, outlierMenu, mnEdit}) AssignMnemonics(menu->actions());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar);
  layout->addWidget(toolBar);
  layout->addWidget(grid, 1);
  resize(1000, 640);

  fmShift = new TfmShift(this);
  fmReplace = new TfmReplace(this);
  fmArifm = new TfmArifm(this);
  fmPrmEdit = new TfmPrmEdit(this);

  connect(grid, &DataTableView::commitRequested, this, Guarded([this] { CommitCell(); }));
  connect(grid, &DataTableView::insertRowRequested, this, Guarded([this] { AddRow(); }));
  connect(grid, &DataTableView::deleteRowRequested, this, Guarded([this] { DeleteRow(); }));
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { contextMenu->popup(grid->viewport()->mapToGlobal(at)); });
  // A dragged column or row is taken over once the drag has ended.
  connect(grid->horizontalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
    Moving = true;
    QTimer::singleShot(0, this, Guarded([this, from, to] { MoveColumn(from, to); }));
  });
  connect(grid->verticalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
    QTimer::singleShot(0, this, Guarded([this, from, to] { MoveRow(from, to); }));
  });
}

QAction* TfmShowTable::Button(const char* name, const QString& hint, const QIcon& icon,
                              const std::function<void()>& click) {
  QAction* action = toolBar->addAction(WithFaintDisabled(icon, toolBar->iconSize().width()), hint);
  action->setObjectName(name);
  action->setToolTip(hint);
  if (click) connect(action, &QAction::triggered, this, Guarded(click));
  return action;
}

void TfmShowTable::BuildMenus() {
  menuBar = new QMenuBar(this);
  menuBar->setObjectName("menuBar");
  mnEdit = menuBar->addMenu(QStringLiteral("&Правка"));
  mnEdit->setObjectName("mnEdit");
  contextMenu = new QMenu(this);
  contextMenu->setObjectName("contextMenu");
  mnpDelRow = MenuItem(contextMenu, "mnpDelRow", QStringLiteral("Удалить строку"));
  mnpDelRow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  mnpAddRow = MenuItem(contextMenu, "mnpAddRow", QStringLiteral("Добавить строку"));
  mnpAddRow->setShortcut(QKeySequence(Qt::Key_Insert));
  mnpDelCol = MenuItem(contextMenu, "mnpDelCol", QStringLiteral("Удалить столбец"));
  mnpAddCol = MenuItem(contextMenu, "mnpAddCol", QStringLiteral("Добавить столбец"));
  // The grid handles both keys itself; the menu shows them.
  for (QAction* a : {mnpDelRow, mnpAddRow}) a->setShortcutContext(Qt::WidgetShortcut);
  connect(mnpDelRow, &QAction::triggered, this, Guarded([this] { DeleteRow(); }));
  connect(mnpAddRow, &QAction::triggered, this, Guarded([this] { AddRow(); }));
  connect(mnpDelCol, &QAction::triggered, this, Guarded([this] { DeleteColumn(); }));
  connect(mnpAddCol, &QAction::triggered, this, Guarded([this] { AddColumn(); }));
  // Short cuts of the whole window; the menus show them.
  tbtnUndo = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Отменить"), this);
  tbtnUndo->setObjectName("tbtnUndo");
  tbtnUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  tbtnRedo = new QAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Повторить"), this);
  tbtnRedo->setObjectName("tbtnRedo");
  tbtnRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  addAction(tbtnUndo);
  addAction(tbtnRedo);
  connect(tbtnUndo, &QAction::triggered, this, Guarded([this] { Undo(); }));
  connect(tbtnRedo, &QAction::triggered, this, Guarded([this] { Redo(); }));

  missingMenu = new QMenu(this);
  missingMenu->setObjectName("missingMenu");
  pmnEmptyMean = MenuItem(missingMenu, "pmnEmptyMean", QStringLiteral("Заменить средним"));
  pmnEmptyDel = MenuItem(missingMenu, "pmnEmptyDel", QStringLiteral("Удалить"));
  pmnEmptyDelPair = MenuItem(missingMenu, "pmnEmptyDelPair", QStringLiteral("Удалить попарно"));
  pmnEmptyDelPair->setCheckable(true);
  pmnEmptyRowDel = MenuItem(missingMenu, "pmnEmptyRowDel", QStringLiteral("Удалить ряд"));
  connect(pmnEmptyMean, &QAction::triggered, this,
          Guarded([this] { Cleaning(MissingToMean, false, false, pmnEmptyMean); }));
  connect(pmnEmptyDel, &QAction::triggered, this,
          Guarded([this] { Cleaning(DeleteMissing, true, false, pmnEmptyDel); }));
  connect(pmnEmptyRowDel, &QAction::triggered, this,
          Guarded([this] { Cleaning(DeleteMissingRows, false, false, pmnEmptyRowDel); }));
  connect(pmnEmptyDelPair, &QAction::toggled, this, [](bool on) { Data().PairwiseMissing = on; });

  outlierMenu = new QMenu(this);
  outlierMenu->setObjectName("outlierMenu");
  pmnOutMean = MenuItem(outlierMenu, "pmnOutMean", QStringLiteral("Заменить средним"));
  pmnOutDel = MenuItem(outlierMenu, "pmnOutDel", QStringLiteral("Удалить"));
  pmnOutDelPair = MenuItem(outlierMenu, "pmnOutDelPair", QStringLiteral("Удалить попарно"));
  pmnOutDelPair->setCheckable(true);
  pmnOutDelRow = MenuItem(outlierMenu, "pmnOutDelRow", QStringLiteral("Удалить ряд"));
  pmnOutSel = MenuItem(outlierMenu, "pmnOutSel", QStringLiteral("Выбрать"));
  pmnOutSelRow = MenuItem(outlierMenu, "pmnOutSelRow", QStringLiteral("Выбрать ряд"));
  connect(pmnOutMean, &QAction::triggered, this,
          Guarded([this] { Cleaning(OutliersToMean, false, true, pmnOutMean); }));
  connect(pmnOutDel, &QAction::triggered, this, Guarded([this] { Cleaning(DeleteOutliers, true, true, pmnOutDel); }));
  connect(pmnOutDelRow, &QAction::triggered, this,
          Guarded([this] { Cleaning(DeleteOutlierRows, false, true, pmnOutDelRow); }));
  connect(pmnOutSel, &QAction::triggered, this, Guarded([this] { Cleaning(KeepOutliers, true, true, pmnOutSel); }));
  connect(pmnOutSelRow, &QAction::triggered, this,
          Guarded([this] { Cleaning(KeepOutlierRows, false, true, pmnOutSelRow); }));
  connect(pmnOutDelPair, &QAction::toggled, this, [](bool on) { Data().PairwiseOutliers = on; });
}

void TfmShowTable::BuildToolBar() {
  toolBar = new QToolBar(this);
  toolBar->setObjectName("toolBar");
  toolBar->setIconSize(QSize(24, 24));
  auto standard = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  tbtnFileInput = Button("tbtnFileInput", QStringLiteral("Ввод данных"), standard(QStyle::SP_DialogOpenButton),
                         [this] { tbtnFileInputClick(); });
  tbtnSaveData = Button("tbtnSaveData", QStringLiteral("Сохранить данные"), standard(QStyle::SP_DialogSaveButton),
                        [this] { tbtnSaveDataClick(); });
  toolBar->addAction(tbtnUndo);
  toolBar->addAction(tbtnRedo);
  toolBar->addSeparator();
  tbtnSeeResults = Button("tbtnSeeResults", QStringLiteral("Просмотр файла"),
                          standard(QStyle::SP_FileDialogContentsView), [this] { tbtnSeeResultsClick(); });
  tbtnRecalc = Button("tbtnRecalc", QStringLiteral("Обновить таблицу"), standard(QStyle::SP_BrowserReload), [this] {
    if (StoreGrid()) FillGrid();
  });
  toolBar->addSeparator();
  tbtnSelVar = Button("tbtnSelVar", QStringLiteral("Выбор переменных"), GlyphIcon("✓"), [this] { tbtnSelVarClick(); });
  tbtnEditTitle = Button("tbtnEditTitle", QStringLiteral("Правка имен переменных"), GlyphIcon("Aa"),
                         [this] { tbtnEditTitleClick(); });
  toolBar->addSeparator();
  tbtnDistr = Button("tbtnDistr", QStringLiteral("График распределения"), GlyphIcon("▁▆▂", QColor(0x10, 0x70, 0x30)),
                     [this] { tbtnDistrClick(); });
  tbtnCalcDistr = Button("tbtnCalcDistr", QStringLiteral("Оценка распределения"), GlyphIcon("χ²"),
                         [this] { tbtnCalcDistrClick(); });
  toolBar->addSeparator();
  tbtnLog = Button("tbtnLog", QStringLiteral("Логарифмирование"), GlyphIcon("ln"),
                   [this] { RunOnChosen(LogVariables, false, QStringLiteral("Логарифмирование")); });
  tbtnDiff = Button("tbtnDiff", QStringLiteral("Приросты"), GlyphIcon("Δ"),
                    [this] { RunOnChosen(Differences, true, QStringLiteral("Приросты")); });
  tbtnNormir = Button("tbtnNormir", QStringLiteral("Нормирование"), GlyphIcon("σ"),
                      [this] { RunOnChosen(NormaliseVariables, false, QStringLiteral("Нормирование")); });
  tbtnShift = Button("tbtnShift", QStringLiteral("Смещение "), GlyphIcon("⇅"), [this] { tbtnShiftClick(); });
  tbtnReplace = Button("tbtnReplace", QStringLiteral("Замена "), GlyphIcon("a→b"), [this] { tbtnReplaceClick(); });
  tbtnMath = Button("tbtnMath", QStringLiteral("Арифметика переменных"), GlyphIcon("±×"), [this] { tbtnMathClick(); });
  toolBar->addSeparator();
  tbtnDelRow = Button("tbtnDelRow", QStringLiteral("Удалить строку: Ctrl+Del"), GlyphIcon("−≡", QColor(0xa0, 0x20, 0x20)),
                      nullptr);
  tbtnAddRow = Button("tbtnAddRow", QStringLiteral("Добавить строку: Ins"), GlyphIcon("+≡"), nullptr);
  tbtnDelCol = Button("tbtnDelCol", QStringLiteral("Удалить столбец"), GlyphIcon("−‖", QColor(0xa0, 0x20, 0x20)),
                      nullptr);
  tbtnAddCol = Button("tbtnAddCol", QStringLiteral("Добавить столбец"), GlyphIcon("+‖"), nullptr);
  connect(tbtnDelRow, &QAction::triggered, mnpDelRow, &QAction::trigger);
  connect(tbtnAddRow, &QAction::triggered, mnpAddRow, &QAction::trigger);
  connect(tbtnDelCol, &QAction::triggered, mnpDelCol, &QAction::trigger);
  connect(tbtnAddCol, &QAction::triggered, mnpAddCol, &QAction::trigger);
  toolBar->addSeparator();

  tbtnEmpty = new QToolButton(this);
  tbtnEmpty->setObjectName("tbtnEmpty");
  tbtnEmpty->setText(QStringLiteral("Пропуски"));
  tbtnEmpty->setToolTip(QStringLiteral("Пропуски"));
  tbtnEmpty->setMenu(missingMenu);
  tbtnEmpty->setPopupMode(QToolButton::InstantPopup);
  tbtnEmpty->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar->addWidget(tbtnEmpty);
  edEmpty = new QLineEdit(this);
  edEmpty->setObjectName("edEmpty");
  edEmpty->setToolTip(QStringLiteral("Пропуск"));
  edEmpty->setFixedWidth(60);
  edEmpty->setAlignment(Qt::AlignRight);
  toolBar->addWidget(edEmpty);
  connect(edEmpty, &QLineEdit::editingFinished, this, Guarded([this] { edEmptyDone(); }));
  tbtnOut = new QToolButton(this);
  tbtnOut->setObjectName("tbtnOut");
  tbtnOut->setText(QStringLiteral("Всплески"));
  tbtnOut->setToolTip(QStringLiteral("Всплески"));
  tbtnOut->setMenu(outlierMenu);
  tbtnOut->setPopupMode(QToolButton::InstantPopup);
  tbtnOut->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar->addWidget(tbtnOut);
  toolBar->addSeparator();
  tbtnClose = Button("tbtnClose", QStringLiteral("Выход"), standard(QStyle::SP_DialogCloseButton), [this] { close(); });
}

void TfmShowTable::Execute(bool afterLoad) {
  FormShow(afterLoad);
  exec();
}

void TfmShowTable::FormShow(bool afterLoad) {
  if (afterLoad) ForgetChanges();
  history_.Check(Data());
  Moving = false;
  Data().PairwiseMissing = false;
  pmnEmptyDelPair->setChecked(false);
  pmnOutDelPair->setChecked(Data().PairwiseOutliers);
  edEmpty->setText(QString::number(Data().EmptyValue));
  FillGrid();
  grid->setFocus();
}

void TfmShowTable::ForgetChanges() {
  IsDel = false;
  history_.Clear();
  UpdateUndoActions();
}

void TfmShowTable::FillGrid() {
  const QModelIndex current = grid->currentIndex();
  {
    BusyCursor busy;
    model->Fill();
  }
  // The current cell stays where it was, as far as the grid still reaches.
  if (model->rowCount() > 0 && model->columnCount() > 0) {
    grid->setCurrentIndex(model->index(std::clamp(current.row(), 0, model->rowCount() - 1),
                                              std::clamp(current.column(), 0, model->columnCount() - 1)));
  }
  tableState_.ForgetAll();
  const TableState state = tableState_.State(Data());
  Data().HasMissing = state.missing;
  EnableTableCommands(state.missing);
  tbtnOut->setEnabled(!state.missing && state.outliers);
  UpdateUndoActions();
}

bool TfmShowTable::StoreGrid() {
  grid->FinishEditing();
  if (!model->HasEdits()) return true;
  QModelIndex bad;
  const std::vector<CellPlace> places = model->EditedPlaces();
  Change change = Change::Cells(Data(), places);
  const bool padded = IsDel;
  const QString error = model->Store(IsDel, &bad);
  if (error.isEmpty()) {
    for (const CellPlace& place : places) tableState_.Forget(place.variable);
    Data().HasMissing = HasMissingValues(Data());
    Remember(std::move(change), places.size() == 1 ? kTypedValue : kTypedValues, padded);
    return true;
  }
  if (bad.isValid()) grid->setCurrentIndex(bad);
  ShowMessage(MessageKind::Warning, error, this);
  return false;
}

void TfmShowTable::CommitCell() {
  const QModelIndex index = grid->currentIndex();
  if (!index.isValid() || !model->IsEdited(index)) return;
  Change change = Change::Cells(Data(), {{index.column(), index.row()}});
  const bool padded = IsDel;
  const QString error = model->CommitCell(index, IsDel);
  if (!error.isEmpty()) {
    ShowMessage(MessageKind::Warning, error, this);
    return;
  }
  Remember(std::move(change), kTypedValue, padded);
  // Only the variable typed in is looked at again.
  tableState_.Forget(index.column());
  const TableState state = tableState_.State(Data());
  Data().HasMissing = state.missing;
  EnableTableCommands(state.missing);
  tbtnOut->setEnabled(!state.missing && state.outliers);
}

void TfmShowTable::Remember(Change&& change, const QString& caption, bool paddedBefore) {
  history_.Add(std::move(change), Data(), caption.toStdString(), paddedBefore);
  UpdateUndoActions();
}

void TfmShowTable::UpdateUndoActions() {
  const bool undo = history_.CanUndo();
  const bool redo = history_.CanRedo();
  tbtnUndo->setEnabled(undo);
  tbtnRedo->setEnabled(redo);
  // Alt+О and Alt+П in the menus; the tool bar's hints name the step too.
  const QString undoText = undo ? QStringLiteral("Отменить: ") + QString::fromStdString(history_.UndoCaption())
                                : QStringLiteral("Отменить");
  const QString redoText = redo ? QStringLiteral("Повторить: ") + QString::fromStdString(history_.RedoCaption())
                                : QStringLiteral("Повторить");
  tbtnUndo->setText(QStringLiteral("&") + undoText);
  tbtnRedo->setText(QStringLiteral("&") + redoText);
  tbtnUndo->setToolTip(undoText + QStringLiteral(" (Ctrl+Z)"));
  tbtnRedo->setToolTip(redoText + QStringLiteral(" (Ctrl+Y)"));
}

void TfmShowTable::Undo() {
  if (!StoreGrid()) return;
  history_.Undo(Data(), IsDel);
  FillGrid();
}

void TfmShowTable::Redo() {
  if (!StoreGrid()) return;
  history_.Redo(Data(), IsDel);
  FillGrid();
}

void TfmShowTable::EnableTableCommands(bool missing) {
  tbtnEmpty->setEnabled(missing);
  for (QAction* a : {tbtnNormir, tbtnDiff, tbtnLog, tbtnDistr, tbtnCalcDistr, tbtnMath}) a->setEnabled(!missing);
}

bool TfmShowTable::RefuseMissing() {
  if (!HasMissingValues(Data())) return false;
  ShowMessage(MessageKind::Warning, std::string(kMissingNotRemoved), this);
  FillGrid();
  return true;
}

void TfmShowTable::reject() {
  if (!StoreGrid()) return;
  QDialog::reject();
}

void TfmShowTable::closeEvent(QCloseEvent* event) {
  if (!StoreGrid()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TfmShowTable::Cleaning(void (*routine)(DataSet&), bool setsIsDel, bool needsComplete, const QAction* item) {
  if (!StoreGrid()) return;
  if (needsComplete && RefuseMissing()) return;
  const bool padded = IsDel;
  {
    BusyCursor busy;
    Change change = Change::Any(Data());
    routine(Data());
    Remember(std::move(change), WithoutMnemonic(item->text()), padded);
  }
  if (setsIsDel) IsDel = true;
  FillGrid();
}

void TfmShowTable::RunOnChosen(void (*routine)(DataSet&), bool setsIsDel, const QString& caption) {
  if (!StoreGrid()) return;
  const bool padded = IsDel;
  std::optional<Change> change;
  {
    BusyCursor busy;
    change.emplace(Change::Any(Data()));
  }
  Data().OperationMode = kModeSaving;
  {
    WidenOnExit widen;
    if (main_.fmVar->Execute()) {
      if (HasMissingValues(Data())) {
        Data().HasMissing = true;
        ShowMessage(MessageKind::Warning, std::string(kMissingNotRemoved), this);
      } else {
        BusyCursor busy;
        routine(Data());
        if (setsIsDel) IsDel = true;
      }
    }
  }
  {
    BusyCursor busy;
    Remember(std::move(*change), caption, padded);
  }
  FillGrid();
}

void TfmShowTable::tbtnShiftClick() {
  if (!StoreGrid()) return;
  Change change = Change::Any(Data());
  DataSet& d = Data();
  d.OperationMode = kModeSaving;
  d.KeepSelection = false;
  main_.fmVar->cbxSavePrm->setEnabled(false);
  const bool chosen = main_.fmVar->Execute();
  main_.fmVar->cbxSavePrm->setEnabled(true);
  if (!chosen) {
    WidenVariables(Data());
  } else {
    fmShift->Execute();
  }
  Remember(std::move(change), QStringLiteral("Смещение"), IsDel);
  FillGrid();
}

void TfmShowTable::tbtnReplaceClick() {
  if (!StoreGrid()) return;
  Change change = Change::Any(Data());
  fmReplace->Execute();
  Remember(std::move(change), QStringLiteral("Замена"), IsDel);
  FillGrid();
}

void TfmShowTable::tbtnMathClick() {
  if (!StoreGrid() || RefuseMissing()) return;
  if (std::optional<Change> change = fmArifm->Execute()) {
    Remember(std::move(*change), QStringLiteral("Арифметика переменных"), IsDel);
  }
  FillGrid();
}

void TfmShowTable::tbtnEditTitleClick() {
  Change change = Change::Any(Data());
  fmPrmEdit->Execute();
  Remember(std::move(change), QStringLiteral("Правка имен переменных"), IsDel);
  // Typed cells stay as they are; only the names are shown anew.
  model->RefreshNames();
}

void TfmShowTable::tbtnSelVarClick() {
  if (!StoreGrid()) return;
  Change change = Change::Any(Data());
  DataSet& d = Data();
  d.OperationMode = kModeSaving;
  d.KeepSelection = true;
  if (!main_.fmVar->Execute()) return;
  DropHiddenVariables(Data(), Config());
  Remember(std::move(change), QStringLiteral("Выбор переменных"), IsDel);
  FillGrid();
  d.KeepSelection = false;
}

void TfmShowTable::tbtnSaveDataClick() {
  if (!StoreGrid()) return;
  main_.SaveData();
  FillGrid();
}

void TfmShowTable::tbtnSeeResultsClick() { ShowResults(ResultsCaller::AfterRun, *main_.fmSeeFile); }

void TfmShowTable::tbtnDistrClick() {
  if (!StoreGrid() || RefuseMissing()) return;
  Data().OperationMode = kModeDistributionGraph;
  {
    WidenOnExit widen;
    if (!main_.fmVar->Execute()) return;
    TfmGrDistr window(this);
    window.Execute();
  }
  FillGrid();
}

void TfmShowTable::tbtnCalcDistrClick() {
  if (!StoreGrid() || RefuseMissing()) return;
  if (!main_.fmDBFout->Execute()) return;
  std::string failure;
  {
    BusyCursor busy;
    main_.SetInform(QStringLiteral("Вычисление..."));
    try {
      const DataSet& d = Data();
      WriteTitle(ResultsFile(), d.DataFileName, main_.windowTitle().toStdString(), d.ProcessingNote);
      WriteVarList(ResultsFile(), d);
      NormalityStat(ResultsFile(), d, [this](int position, int maximum) { main_.SetProgress(position, maximum); });
    } catch (const TavrelError& e) {
      failure = e.what();
    }
    try {
      if (failure.empty()) ResultsFile().Close();
      else ResultsFile().Abandon();  // the file stays as it was
    } catch (const TavrelError& e) {
      failure = e.what();
    }
    main_.SetProgress(0, 1);
    main_.SetInform({});
  }
  if (!failure.empty()) {
    ShowMessage(MessageKind::Error, failure, this);
  } else {
    ShowResults(ResultsCaller::AfterRun, *main_.fmSeeFile);
    tbtnSeeResults->setEnabled(true);
  }
  FillGrid();
}

void TfmShowTable::tbtnFileInputClick() {
  if (!StoreGrid()) return;
  const bool loaded = main_.FileSelect();
  const DataSet& d = Data();
  if (!loaded && d.NumVar > 0 && d.NumObs > 0) return;  // cancelled, or the data in force stayed
  if (loaded) {
    main_.ChangeMenu();
    main_.EnableDataCommands(true);
    main_.pnlFile->setText(QString::fromStdString(d.DataFileName));
  }
  Moving = false;
  ForgetChanges();
  Data().PairwiseMissing = false;
  pmnEmptyDelPair->setChecked(false);
  edEmpty->setText(QString::number(Data().EmptyValue));
  FillGrid();
}

void TfmShowTable::EditShape(const QString& caption,
                             const std::function<std::optional<Change>(int row, int column)>& edit) {
  if (!StoreGrid()) return;
  const QModelIndex current = grid->currentIndex();
  const bool padded = IsDel;
  // A place outside the grid only beeps.
  std::optional<Change> change = edit(current.isValid() ? current.row() : 0, current.isValid() ? current.column() : 0);
  if (!change) {
    QApplication::beep();
    return;
  }
  Remember(std::move(*change), WithoutMnemonic(caption), padded);
  FillGrid();
}

void TfmShowTable::DeleteRow() {
  if (Data().NumObs < 2) return;
  EditShape(mnpDelRow->text(), [](int row, int) -> std::optional<Change> {
    if (row < 0 || row >= Data().NumObs) return std::nullopt;
    Change change = Change::ObservationRemoved(Data(), row);
    if (!DeleteObservation(Data(), Config(), row)) return std::nullopt;
    return change;
  });
}

void TfmShowTable::AddRow() {
  EditShape(mnpAddRow->text(), [](int row, int) -> std::optional<Change> {
    Change change = Change::ObservationInserted(Data(), row);
    if (!InsertObservation(Data(), Config(), row)) return std::nullopt;
    return change;
  });
}

void TfmShowTable::DeleteColumn() {
  if (Data().NumVar < 2) return;
  EditShape(mnpDelCol->text(), [](int, int column) -> std::optional<Change> {
    if (column < 0 || column > Data().LastVar) return std::nullopt;
    Change change = Change::VariableRemoved(Data(), column);
    if (!DeleteVariable(Data(), Config(), column)) return std::nullopt;
    return change;
  });
}

void TfmShowTable::AddColumn() {
  EditShape(mnpAddCol->text(), [](int, int column) -> std::optional<Change> {
    Change change = Change::VariableInserted(Data(), column);
    if (!InsertVariable(Data(), Config(), column)) return std::nullopt;
    return change;
  });
}

void TfmShowTable::MoveColumn(int from, int to) {
  QHeaderView* header = grid->horizontalHeader();
  {
    // The header goes back to plain order; the data set takes the new one.
    const QSignalBlocker block(header);
    header->moveSection(to, from);
  }
  Moving = false;
  if (!StoreGrid()) return;
  Change change = Change::VariableMoved(Data(), from, to);
  if (from != to && MoveVariable(Data(), Config(), from, to)) {
    Remember(std::move(change), QStringLiteral("Перенос столбца"), IsDel);
  }
  FillGrid();
}

void TfmShowTable::MoveRow(int from, int to) {
  QHeaderView* header = grid->verticalHeader();
  {
    const QSignalBlocker block(header);
    header->moveSection(to, from);
  }
  if (!StoreGrid()) return;
  Change change = Change::ObservationMoved(Data(), from, to);
  if (from != to && MoveObservation(Data(), Config(), from, to)) {
    Remember(std::move(change), QStringLiteral("Перенос строки"), IsDel);
  }
  FillGrid();
}

void TfmShowTable::edEmptyDone() {
  if (applyingEmpty_) return;
  applyingEmpty_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{applyingEmpty_};
  DataSet& d = Data();
  const std::string text(TrimBlanks(edEmpty->text().toStdString()));
  std::int32_t code = 0;
  try {
    code = UserInteger(text);
  } catch (const ConversionError&) {
    ShowMessage(MessageKind::Warning, "Ошибка ввода целого числа: " + text, this);
    edEmpty->setText(QString::number(d.EmptyValue));
    return;
  }
  if (code == d.EmptyValue) return;
  if (!StoreGrid()) {
    edEmpty->setText(QString::number(d.EmptyValue));
    return;
  }
  d.EmptyValue = code;
  FillGrid();
}

}  // namespace tavrel
