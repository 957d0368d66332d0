#include "app/preparation/tfm_show_table.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/shell/settings.h"
#include "core/data/errors.h"
#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/data/text_codec.h"
#include "app/data/show_results.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/graphs/tfm_gr_distr.h"
#include "app/preparation/data_table_model.h"
#include "app/preparation/data_table_view.h"
#include "core/preparation/missing_outliers.h"
#include "core/preparation/table_edit.h"
#include "app/preparation/tfm_arifm.h"
#include "app/preparation/tfm_prm_edit.h"
#include "app/preparation/tfm_replace.h"
#include "app/preparation/tfm_shift.h"
#include "core/preparation/transformations.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"
#include "core/statistics/normality.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

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
  StringGrid1 = new DataTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setModel(model);
  BuildMenus();
  BuildToolBar();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar1);
  layout->addWidget(StringGrid1, 1);
  resize(1000, 640);

  fmShift = new TfmShift(this);
  fmReplace = new TfmReplace(this);
  fmArifm = new TfmArifm(this);
  fmPrmEdit = new TfmPrmEdit(this);

  connect(StringGrid1, &DataTableView::commitRequested, this, Guarded([this] { CommitCell(); }));
  connect(StringGrid1, &DataTableView::insertRowRequested, this, Guarded([this] { AddRow(); }));
  connect(StringGrid1, &DataTableView::deleteRowRequested, this, Guarded([this] { DeleteRow(); }));
  StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(StringGrid1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at)); });
  // A dragged column or row is taken over once the drag has ended.
  connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
    Moving = true;
    QTimer::singleShot(0, this, Guarded([this, from, to] { MoveColumn(from, to); }));
  });
  connect(StringGrid1->verticalHeader(), &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
    QTimer::singleShot(0, this, Guarded([this, from, to] { MoveRow(from, to); }));
  });
}

QAction* TfmShowTable::Button(const char* name, const QString& hint, const QIcon& icon,
                              const std::function<void()>& click) {
  QAction* action = ToolBar1->addAction(icon, hint);
  action->setObjectName(name);
  action->setToolTip(hint);
  if (click) connect(action, &QAction::triggered, this, Guarded(click));
  return action;
}

void TfmShowTable::BuildMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  mnpDelRow = MenuItem(PopupMenu1, "mnpDelRow", QStringLiteral("Удалить строку"));
  mnpDelRow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  mnpAddRow = MenuItem(PopupMenu1, "mnpAddRow", QStringLiteral("Добавить строку"));
  mnpAddRow->setShortcut(QKeySequence(Qt::Key_Insert));
  mnpDelCol = MenuItem(PopupMenu1, "mnpDelCol", QStringLiteral("Удалить столбец"));
  mnpAddCol = MenuItem(PopupMenu1, "mnpAddCol", QStringLiteral("Добавить столбец"));
  // The grid handles both keys itself; the menu shows them.
  for (QAction* a : {mnpDelRow, mnpAddRow}) a->setShortcutContext(Qt::WidgetShortcut);
  connect(mnpDelRow, &QAction::triggered, this, Guarded([this] { DeleteRow(); }));
  connect(mnpAddRow, &QAction::triggered, this, Guarded([this] { AddRow(); }));
  connect(mnpDelCol, &QAction::triggered, this, Guarded([this] { DeleteColumn(); }));
  connect(mnpAddCol, &QAction::triggered, this, Guarded([this] { AddColumn(); }));

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  pmnEmptyMean = MenuItem(PopupMenu2, "pmnEmptyMean", QStringLiteral("Заменить средним"));
  pmnEmptyDel = MenuItem(PopupMenu2, "pmnEmptyDel", QStringLiteral("Удалить"));
  pmnEmptyDelPair = MenuItem(PopupMenu2, "pmnEmptyDelPair", QStringLiteral("Удалить попарно"));
  pmnEmptyDelPair->setCheckable(true);
  pmnEmptyRowDel = MenuItem(PopupMenu2, "pmnEmptyRowDel", QStringLiteral("Удалить ряд"));
  connect(pmnEmptyMean, &QAction::triggered, this, Guarded([this] { Cleaning(MissingToMean, false, false); }));
  connect(pmnEmptyDel, &QAction::triggered, this, Guarded([this] { Cleaning(DeleteMissing, true, false); }));
  connect(pmnEmptyRowDel, &QAction::triggered, this, Guarded([this] { Cleaning(DeleteMissingRows, false, false); }));
  connect(pmnEmptyDelPair, &QAction::toggled, this, [](bool on) { Data().PairwiseMissing = on; });

  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName("PopupMenu3");
  pmnOutMean = MenuItem(PopupMenu3, "pmnOutMean", QStringLiteral("Заменить средним"));
  pmnOutDel = MenuItem(PopupMenu3, "pmnOutDel", QStringLiteral("Удалить"));
  pmnOutDelPair = MenuItem(PopupMenu3, "pmnOutDelPair", QStringLiteral("Удалить попарно"));
  pmnOutDelPair->setCheckable(true);
  pmnOutDelRow = MenuItem(PopupMenu3, "pmnOutDelRow", QStringLiteral("Удалить ряд"));
  pmnOutSel = MenuItem(PopupMenu3, "pmnOutSel", QStringLiteral("Выбрать"));
  pmnOutSelRow = MenuItem(PopupMenu3, "pmnOutSelRow", QStringLiteral("Выбрать ряд"));
  connect(pmnOutMean, &QAction::triggered, this, Guarded([this] { Cleaning(OutliersToMean, false, true); }));
  connect(pmnOutDel, &QAction::triggered, this, Guarded([this] { Cleaning(DeleteOutliers, true, true); }));
  connect(pmnOutDelRow, &QAction::triggered, this, Guarded([this] { Cleaning(DeleteOutlierRows, false, true); }));
  connect(pmnOutSel, &QAction::triggered, this, Guarded([this] { Cleaning(KeepOutliers, true, true); }));
  connect(pmnOutSelRow, &QAction::triggered, this, Guarded([this] { Cleaning(KeepOutlierRows, false, true); }));
  connect(pmnOutDelPair, &QAction::toggled, this, [](bool on) { Data().PairwiseOutliers = on; });
}

void TfmShowTable::BuildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setIconSize(QSize(24, 24));
  auto standard = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  tbtnFileInput = Button("tbtnFileInput", QStringLiteral("Ввод данных"), standard(QStyle::SP_DialogOpenButton),
                         [this] { tbtnFileInputClick(); });
  tbtnSaveData = Button("tbtnSaveData", QStringLiteral("Сохранить данные"), standard(QStyle::SP_DialogSaveButton),
                        [this] { tbtnSaveDataClick(); });
  tbtnSeeResults = Button("tbtnSeeResults", QStringLiteral("Просмотр файла"),
                          standard(QStyle::SP_FileDialogContentsView), [this] { tbtnSeeResultsClick(); });
  tbtnRecalc = Button("tbtnRecalc", QStringLiteral("Обновить таблицу"), standard(QStyle::SP_BrowserReload), [this] {
    if (StoreGrid()) FillGrid();
  });
  ToolBar1->addSeparator();
  tbtnSelVar = Button("tbtnSelVar", QStringLiteral("Выбор переменных"), GlyphIcon("✓"), [this] { tbtnSelVarClick(); });
  tbtnEditTitle = Button("tbtnEditTitle", QStringLiteral("Правка имен переменных"), GlyphIcon("Aa"),
                         [this] { tbtnEditTitleClick(); });
  ToolBar1->addSeparator();
  tbtnDistr = Button("tbtnDistr", QStringLiteral("График распределения"), GlyphIcon("▁▆▂", QColor(0x10, 0x70, 0x30)),
                     [this] { tbtnDistrClick(); });
  tbtnCalcDistr = Button("tbtnCalcDistr", QStringLiteral("Оценка распределения"), GlyphIcon("χ²"),
                         [this] { tbtnCalcDistrClick(); });
  ToolBar1->addSeparator();
  tbtnLog = Button("tbtnLog", QStringLiteral("Логарифмирование"), GlyphIcon("ln"),
                   [this] { RunOnChosen(LogVariables, false); });
  tbtnDiff = Button("tbtnDiff", QStringLiteral("Приросты"), GlyphIcon("Δ"), [this] { RunOnChosen(Differences, true); });
  tbtnNormir = Button("tbtnNormir", QStringLiteral("Нормирование"), GlyphIcon("σ"),
                      [this] { RunOnChosen(NormaliseVariables, false); });
  tbtnShift = Button("tbtnShift", QStringLiteral("Смещение "), GlyphIcon("⇅"), [this] { tbtnShiftClick(); });
  tbtnReplace = Button("tbtnReplace", QStringLiteral("Замена "), GlyphIcon("a→b"), [this] { tbtnReplaceClick(); });
  tbtnMath = Button("tbtnMath", QStringLiteral("Арифметика переменных"), GlyphIcon("±×"), [this] { tbtnMathClick(); });
  ToolBar1->addSeparator();
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
  ToolBar1->addSeparator();

  tbtnEmpty = new QToolButton(this);
  tbtnEmpty->setObjectName("tbtnEmpty");
  tbtnEmpty->setText(QStringLiteral("Пропуски"));
  tbtnEmpty->setToolTip(QStringLiteral("Пропуски"));
  tbtnEmpty->setMenu(PopupMenu2);
  tbtnEmpty->setPopupMode(QToolButton::InstantPopup);
  tbtnEmpty->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ToolBar1->addWidget(tbtnEmpty);
  edEmpty = new QLineEdit(this);
  edEmpty->setObjectName("edEmpty");
  edEmpty->setToolTip(QStringLiteral("Пропуск"));
  edEmpty->setFixedWidth(60);
  edEmpty->setAlignment(Qt::AlignRight);
  ToolBar1->addWidget(edEmpty);
  connect(edEmpty, &QLineEdit::editingFinished, this, Guarded([this] { edEmptyDone(); }));
  tbtnOut = new QToolButton(this);
  tbtnOut->setObjectName("tbtnOut");
  tbtnOut->setText(QStringLiteral("Всплески"));
  tbtnOut->setToolTip(QStringLiteral("Всплески"));
  tbtnOut->setMenu(PopupMenu3);
  tbtnOut->setPopupMode(QToolButton::InstantPopup);
  tbtnOut->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ToolBar1->addWidget(tbtnOut);
  ToolBar1->addSeparator();
  tbtnClose = Button("tbtnClose", QStringLiteral("Выход"), standard(QStyle::SP_DialogCloseButton), [this] { close(); });
}

void TfmShowTable::Execute(bool afterLoad) {
  FormShow(afterLoad);
  exec();
}

void TfmShowTable::FormShow(bool afterLoad) {
  if (afterLoad) IsDel = false;
  Moving = false;
  Data().PairwiseMissing = false;
  pmnEmptyDelPair->setChecked(false);
  pmnOutDelPair->setChecked(Data().PairwiseOutliers);
  edEmpty->setText(QString::number(Data().EmptyValue));
  FillGrid();
  StringGrid1->setFocus();
}

void TfmShowTable::FillGrid() {
  const QModelIndex current = StringGrid1->currentIndex();
  {
    BusyCursor busy;
    model->Fill();
  }
  // The current cell stays where it was, as far as the grid still reaches.
  if (model->rowCount() > 0 && model->columnCount() > 0) {
    StringGrid1->setCurrentIndex(model->index(std::clamp(current.row(), 0, model->rowCount() - 1),
                                              std::clamp(current.column(), 0, model->columnCount() - 1)));
  }
  const TableState state = CurrentTableState(Data());
  Data().HasMissing = state.missing;
  EnableTableCommands(state.missing);
  tbtnOut->setEnabled(!state.missing && state.outliers);
}

bool TfmShowTable::StoreGrid() {
  StringGrid1->FinishEditing();
  if (!model->HasEdits()) return true;
  QModelIndex bad;
  const QString error = model->Store(IsDel, &bad);
  if (error.isEmpty()) {
    Data().HasMissing = HasMissingValues(Data());
    return true;
  }
  if (bad.isValid()) StringGrid1->setCurrentIndex(bad);
  ShowMessage(MessageKind::Warning, error, this);
  return false;
}

void TfmShowTable::CommitCell() {
  const QString error = model->CommitCell(StringGrid1->currentIndex(), IsDel);
  if (!error.isEmpty()) {
    ShowMessage(MessageKind::Warning, error, this);
    return;
  }
  const TableState state = CurrentTableState(Data());
  Data().HasMissing = state.missing;
  EnableTableCommands(state.missing);
  tbtnOut->setEnabled(!state.missing && state.outliers);
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

void TfmShowTable::Cleaning(void (*routine)(DataSet&), bool setsIsDel, bool needsComplete) {
  if (!StoreGrid()) return;
  if (needsComplete && RefuseMissing()) return;
  {
    BusyCursor busy;
    routine(Data());
  }
  if (setsIsDel) IsDel = true;
  FillGrid();
}

void TfmShowTable::RunOnChosen(void (*routine)(DataSet&), bool setsIsDel) {
  if (!StoreGrid()) return;
  Data().OperationMode = kModeSaving;
  WidenOnExit widen;
  main_.fmVar->Execute();
  if (main_.fmVar->IsAbort) return;
  if (HasMissingValues(Data())) {
    Data().HasMissing = true;
    ShowMessage(MessageKind::Warning, std::string(kMissingNotRemoved), this);
  } else {
    BusyCursor busy;
    routine(Data());
    if (setsIsDel) IsDel = true;
  }
  WidenUnlessKept(Data());
  FillGrid();
}

void TfmShowTable::tbtnShiftClick() {
  if (!StoreGrid()) return;
  DataSet& d = Data();
  d.OperationMode = kModeSaving;
  d.KeepSelection = false;
  main_.fmVar->cbxSavePrm->setEnabled(false);
  main_.fmVar->Execute();
  main_.fmVar->cbxSavePrm->setEnabled(true);
  if (main_.fmVar->IsAbort) {
    WidenVariables(Data());
    return;
  }
  fmShift->Execute();
  FillGrid();
}

void TfmShowTable::tbtnReplaceClick() {
  if (!StoreGrid()) return;
  fmReplace->Execute();
  FillGrid();
}

void TfmShowTable::tbtnMathClick() {
  if (!StoreGrid() || RefuseMissing()) return;
  fmArifm->Execute();
  FillGrid();
}

void TfmShowTable::tbtnEditTitleClick() {
  fmPrmEdit->Execute();
  // Typed cells stay as they are; only the names are shown anew.
  model->RefreshNames();
}

void TfmShowTable::tbtnSelVarClick() {
  if (!StoreGrid()) return;
  DataSet& d = Data();
  d.OperationMode = kModeSaving;
  d.KeepSelection = true;
  main_.fmVar->Execute();
  if (main_.fmVar->IsAbort) return;
  DropHiddenVariables(Data(), Config());
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
    main_.fmVar->Execute();
    if (main_.fmVar->IsAbort) return;
    TfmGrDistr window(this);
    window.Execute();
  }
  FillGrid();
}

void TfmShowTable::tbtnCalcDistrClick() {
  if (!StoreGrid() || RefuseMissing()) return;
  main_.fmDBFout->Execute();
  if (main_.fmDBFout->IsAbort) return;
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
  IsDel = false;
  Data().PairwiseMissing = false;
  pmnEmptyDelPair->setChecked(false);
  edEmpty->setText(QString::number(Data().EmptyValue));
  FillGrid();
}

void TfmShowTable::EditShape(const std::function<bool(int row, int column)>& edit) {
  if (!StoreGrid()) return;
  const QModelIndex current = StringGrid1->currentIndex();
  // A place outside the grid only beeps.
  if (!edit(current.isValid() ? current.row() : 0, current.isValid() ? current.column() : 0)) {
    QApplication::beep();
    return;
  }
  FillGrid();
}

void TfmShowTable::DeleteRow() {
  if (Data().NumObs < 2) return;
  EditShape([](int row, int) { return DeleteObservation(Data(), Config(), row); });
}

void TfmShowTable::AddRow() {
  EditShape([](int row, int) { return InsertObservation(Data(), Config(), row); });
}

void TfmShowTable::DeleteColumn() {
  if (Data().NumVar < 2) return;
  EditShape([](int, int column) { return DeleteVariable(Data(), Config(), column); });
}

void TfmShowTable::AddColumn() {
  EditShape([](int, int column) { return InsertVariable(Data(), Config(), column); });
}

void TfmShowTable::MoveColumn(int from, int to) {
  QHeaderView* header = StringGrid1->horizontalHeader();
  {
    // The header goes back to plain order; the data set takes the new one.
    const QSignalBlocker block(header);
    header->moveSection(to, from);
  }
  Moving = false;
  if (!StoreGrid()) return;
  MoveVariable(Data(), Config(), from, to);
  FillGrid();
}

void TfmShowTable::MoveRow(int from, int to) {
  QHeaderView* header = StringGrid1->verticalHeader();
  {
    const QSignalBlocker block(header);
    header->moveSection(to, from);
  }
  if (!StoreGrid()) return;
  MoveObservation(Data(), Config(), from, to);
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
