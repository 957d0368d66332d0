// The data table window as a user drives it: the grid and its summary rows,
// typing, rows and columns, the cleaning menus, the transformations and their
// dialogs, and opening and closing without touching the data.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <cmath>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/preparation/data_table_model.h"
#include "app/preparation/data_table_view.h"
#include "core/preparation/missing_outliers.h"
#include "app/preparation/tfm_arifm.h"
#include "app/preparation/tfm_prm_edit.h"
#include "app/preparation/tfm_replace.h"
#include "app/preparation/tfm_shift.h"
#include "app/preparation/tfm_show_table.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// Ten observations; B has one outlier (100), C a value that two decimals would turn into 0.
const QByteArray kClean =
    "A B C\n"
    "1 1 3.14159\n2 1 0.004\n3 1 2\n4 1 1\n5 1 3\n6 1 2\n7 1 1\n8 1 3\n9 1 2\n10 100 1\n";
const QByteArray kMissing = "A B\n4 1\n-999 2\n6 3\n";

std::vector<double> Values(int v) {
  const auto& row = Data().DataValues[v];
  return std::vector<double>(row.begin(), row.end());
}

// All that undo and redo must bring back: every variable (those not in force
// too), counts, names, the observations and variables in force, the note and
// whether a variable's trailing missing codes are padding.
struct TableSnapshot {
  std::vector<std::vector<double>> values;
  std::vector<std::int32_t> counts;
  std::vector<std::string> names;
  int numVar, fullLastVar;
  std::int32_t numObs;
  std::string note;
  bool padded;
  bool operator==(const TableSnapshot&) const = default;
};

TableSnapshot Snapshot(const TfmShowTable& table) {
  const DataSet& d = Data();
  TableSnapshot s{{}, {d.VarCounts.begin(), d.VarCounts.end()}, {d.VarNames.begin(), d.VarNames.end()},
                  d.NumVar, d.FullLastVar, d.NumObs, d.ProcessingNote, table.IsDel};
  for (const auto& row : d.DataValues) s.values.emplace_back(row.begin(), row.end());
  return s;
}

// Two variables with a missing value and ten rows with an outlier in B.
const QByteArray kMissingTen = "A B C\n1 2 3\n-999 3 4\n5 -999 6\n7 8 9\n2 2 2\n";

}  // namespace

class TestDataTable : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;
  TfmShowTable* table_ = nullptr;

  // Loads the text and shows the table as it opens after a load.
  void Open(const QByteArray& text) {
    QVERIFY(main_->ReadDataFile(home_->Write("data/pulse.txt", text).toStdString()));
    main_->EnableDataCommands(true);
    table_ = main_->fmShowTable;
    table_->FormShow(true);
    table_->show();
  }
  QString Cell(int row, int column) const { return table_->model->index(row, column).data().toString(); }
  QString Summary(int column, int role) const {
    return table_->model->headerData(column, Qt::Horizontal, role).toString();
  }
  void Type(int row, int column, const QString& text) {
    table_->grid->setCurrentIndex(table_->model->index(row, column));
    QVERIFY(table_->model->setData(table_->model->index(row, column), text));
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    QDir().mkpath(home_->Path("res"));
    home_->WriteSettings({{"OutputCat", home_->Path("res/")}, {"InnerEditor", "1"}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    if (table_) table_->hide();
    table_ = nullptr;
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void GridShowsTheDataWithTealSummaryRows() {
    Open(kClean);
    QAbstractItemModelTester tester(table_->model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(table_->windowTitle(), QStringLiteral("Подготовка данных"));
    QCOMPARE(table_->model->rowCount(), 10);
    QCOMPARE(table_->model->columnCount(), 3);
    QCOMPARE(table_->model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("C"));
    QCOMPARE(table_->model->headerData(0, Qt::Vertical).toInt(), 1);
    QCOMPARE(Cell(0, 2), QStringLiteral("3,14"));
    QCOMPARE(Cell(1, 2), QStringLiteral("0,00"));
    QCOMPARE(table_->model->index(1, 2).data(Qt::EditRole).toString(), QStringLiteral("0,004"));
    QCOMPARE(Summary(1, DataTableModel::MaxRole), QStringLiteral("100,00"));
    QCOMPARE(Summary(1, DataTableModel::MinRole), QStringLiteral("1,00"));
    QCOMPARE(Summary(1, DataTableModel::CountRole), QStringLiteral("10"));

    // The summary rows are teal under the name, with white text; the corner names them.
    const QImage header = table_->grid->horizontalHeader()->grab().toImage();
    const int h = TableHeader::kRowHeight;
    QCOMPARE(header.pixelColor(60, h + 1), QColor(0x00, 0x80, 0x80));
    QVERIFY(header.pixelColor(60, h / 2) != QColor(0x00, 0x80, 0x80));
    bool white = false;
    for (int x = 2; x < 68 && !white; ++x)
      for (int y = h * 3 + 2; y < h * 4 - 2 && !white; ++y) white = header.pixelColor(x, y) == QColor(255, 255, 255);
    QVERIFY2(white, "no white text in the count row");
    const QImage view = table_->grid->grab().toImage();
    QCOMPARE(view.pixelColor(4, h * 2 + 3), QColor(0x00, 0x80, 0x80));  // the corner's "MIN"
  }

  void OpeningAndClosingChangesNoValue() {
    Open(kClean);
    const std::vector<double> before = Values(2);
    QVERIFY(table_->close());
    QCOMPARE(Values(2), before);
    QCOMPARE(Data().NumVar, 3);  // the variable of small values is not dropped
    // Neither does a command of the table, nor typing a value elsewhere.
    table_->FormShow(false);
    table_->show();
    Type(5, 0, "7,5");
    table_->tbtnRecalc->trigger();
    QCOMPARE(Values(2), before);
    QCOMPARE(Data().DataValues[0][5], 7.5);
  }

  void EnterCommitsTheCellAndABadCellChangesNothing() {
    Open(kClean);
    Type(0, 1, " 250.5 ");
    QCOMPARE(Data().DataValues[1][0], 1.0);  // not yet
    QTest::keyClick(table_->grid, Qt::Key_Return);
    QCOMPARE(Data().DataValues[1][0], 250.5);
    QCOMPARE(Summary(1, DataTableModel::MaxRole), QStringLiteral("250,50"));

    Type(2, 0, "33");
    Type(3, 1, "12x");
    table_->tbtnRecalc->trigger();
    QCOMPARE(messages_->Texts(), QStringList{"Переменная B, наблюдение 4: «12x» не является числом"});
    QCOMPARE(Data().DataValues[0][2], 3.0);  // the good cell waits too
    QCOMPARE(table_->grid->currentIndex(), table_->model->index(3, 1));
    QVERIFY(!table_->close());  // the window stays open with the texts
    QVERIFY(table_->isVisible());
    QCOMPARE(Cell(3, 1), QStringLiteral("12x"));
    Type(3, 1, "12");
    QVERIFY(table_->close());
    QCOMPARE(Data().DataValues[0][2], 33.0);
    QCOMPARE(Data().DataValues[1][3], 12.0);
  }

  void RowsAndColumnsByKeysMenusAndDragging() {
    Open("A B C\n1 2 3\n4 5 6\n");
    QTest::keyClick(table_->grid, Qt::Key_Insert);  // at the current row, the first
    QCOMPARE(Data().NumObs, 3);
    QCOMPARE(Values(0), (std::vector<double>{0, 1, 4}));
    QCOMPARE(Cell(0, 2), QStringLiteral("0,00"));
    table_->grid->setCurrentIndex(table_->model->index(0, 1));
    for (int i = 0; i < 3; ++i) QTest::keyClick(table_->grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Values(1), (std::vector<double>{5}));  // the only row left stays
    QCOMPARE(Data().NumObs, 1);

    table_->grid->setCurrentIndex(table_->model->index(0, 1));
    table_->mnpAddCol->trigger();
    QCOMPARE(Data().VarNames, (Array<std::string>{"A", "Var4", "B", "C"}));
    QCOMPARE(Summary(1, DataTableModel::CountRole), QStringLiteral("1"));
    table_->tbtnDelCol->trigger();
    QCOMPARE(Data().VarNames, (Array<std::string>{"A", "B", "C"}));

    // Dragging C before A: the data set takes the new order.
    table_->grid->horizontalHeader()->moveSection(2, 0);
    QTRY_COMPARE(Data().VarNames, (Array<std::string>{"C", "A", "B"}));
    QCOMPARE(table_->model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("C"));
    QCOMPARE(table_->grid->horizontalHeader()->visualIndex(0), 0);
    QVERIFY(!table_->Moving);
  }

  void ButtonsFollowMissingValuesAndOutliers() {
    Open(kMissing);
    QVERIFY(table_->tbtnEmpty->isEnabled());
    QVERIFY(!table_->tbtnOut->isEnabled());
    for (QAction* a : {table_->tbtnNormir, table_->tbtnDiff, table_->tbtnLog, table_->tbtnDistr,
                       table_->tbtnCalcDistr, table_->tbtnMath}) {
      QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    }
    Open(kClean);
    QVERIFY(!table_->tbtnEmpty->isEnabled());
    QVERIFY(table_->tbtnOut->isEnabled());
    QVERIFY(table_->tbtnNormir->isEnabled());
    // Typing the missing code and Enter: the missing-value menu becomes the one to use.
    Type(0, 0, "-999");
    QTest::keyClick(table_->grid, Qt::Key_Return);
    QVERIFY(table_->tbtnEmpty->isEnabled());
    QVERIFY(!table_->tbtnOut->isEnabled());
    // And a number typed over it again: the outlier menu is back.
    Type(0, 0, "1");
    QTest::keyClick(table_->grid, Qt::Key_Return);
    QVERIFY(!table_->tbtnEmpty->isEnabled());
    QVERIFY(table_->tbtnOut->isEnabled());
  }

  void MenuCommandsCleanTheDataAndLeaveTheirNotes() {
    struct Case {
      const char* what;
      QByteArray text;
      QAction* TfmShowTable::*item;
      std::vector<double> first;
      std::int32_t count;
      const char* note;
    };
    const Case cases[] = {
        {"missing to mean", kMissing, &TfmShowTable::pmnEmptyMean, {4, 5, 6}, 3, kNoteMissingToMean},
        {"missing deleted", kMissing, &TfmShowTable::pmnEmptyDel, {4, 6, -999}, 2, kNoteMissingDeleted},
        {"missing rows", kMissing, &TfmShowTable::pmnEmptyRowDel, {4, 6}, 2, kNoteMissingRowsDeleted},
        {"outliers to mean", kClean, &TfmShowTable::pmnOutMean, std::vector<double>(10, 1), 10,
         kNoteOutliersToMean},
        {"outliers deleted", kClean, &TfmShowTable::pmnOutDel, {1, 1, 1, 1, 1, 1, 1, 1, 1, -999}, 9,
         kNoteOutliersDeleted},
        {"outlier rows", kClean, &TfmShowTable::pmnOutDelRow, std::vector<double>(9, 1), 9, kNoteOutlierRowsDeleted},
        {"outliers kept", kClean, &TfmShowTable::pmnOutSel, {100}, 1, kNoteOutliersKept},
        {"outlier rows kept", kClean, &TfmShowTable::pmnOutSelRow, {100}, 1, kNoteOutlierRowsKept},
    };
    for (const Case& c : cases) {
      Open(c.text);
      const int v = c.text == kMissing ? 0 : 1;
      (table_->*c.item)->trigger();
      QVERIFY2(Values(v) == c.first, c.what);
      QCOMPARE(Data().VarCounts[v], c.count);
      QCOMPARE(Data().ProcessingNote, std::string(c.note));
      QCOMPARE(table_->model->rowCount(), Data().NumObs);
      QCOMPARE(Summary(v, DataTableModel::CountRole), QString::number(c.count));
      // Closing and reopening keeps the removal: the padding stays out of the count.
      QVERIFY(table_->close());
      table_->FormShow(false);
      QCOMPARE(Data().VarCounts[v], c.count);
    }
    messages_->shown.clear();

    // The pair deletions only set their flags, shown as checked items.
    Open(kMissing);
    table_->pmnEmptyDelPair->trigger();
    QVERIFY(Data().PairwiseMissing);
    QVERIFY(table_->pmnEmptyDelPair->isChecked());
    QCOMPARE(Values(0), (std::vector<double>{4, -999, 6}));
    table_->FormShow(false);  // a new showing ends it
    QVERIFY(!Data().PairwiseMissing);
    QVERIFY(!table_->pmnEmptyDelPair->isChecked());
    Open(kClean);
    table_->pmnOutDelPair->trigger();
    table_->FormShow(true);
    QVERIFY(Data().PairwiseOutliers);  // lasts for the run
    QVERIFY(table_->pmnOutDelPair->isChecked());

    // An outlier command after a missing code was typed: refused, nothing changed.
    Open(kClean);
    Type(0, 0, "-999");
    table_->pmnOutDel->trigger();
    QCOMPARE(messages_->Texts(), QStringList{"Пропуски не удалены."});
    QCOMPARE(Data().VarCounts[1], 10);
    QCOMPARE(Data().ProcessingNote, std::string());
  }

  void TransformationsThroughTheVariableDialog() {
    Open("A B\n1 1\n4 2\n9 3\n");
    ModalScript diff({ChooseVariables({0})});
    table_->tbtnDiff->trigger();
    QVERIFY(diff.Done());
    QCOMPARE(Values(0), (std::vector<double>{3, 5, -999}));
    QCOMPARE(Data().VarCounts[0], 2);
    QCOMPARE(Values(1), (std::vector<double>{1, 2, 3}));
    QCOMPARE(Data().NumVar, 2);  // widened again
    QCOMPARE(Data().ProcessingNote, std::string("Приросты."));
    QCOMPARE(Summary(0, DataTableModel::CountRole), QStringLiteral("2"));

    // The last place is padding now: closing and reopening keeps it out.
    QVERIFY(table_->close());
    table_->FormShow(false);
    QCOMPARE(Data().VarCounts[0], 2);

    ModalScript cancelled({Cancel()});
    table_->tbtnLog->trigger();
    QVERIFY(cancelled.Done());
    QCOMPARE(Data().ProcessingNote, std::string("Приросты."));
  }

  void ShiftDialogShiftsAndRefusesTooLargeAShift() {
    Open("A B\n1 10\n2 20\n3 30\n4 40\n5 50\n");
    ModalScript script({ChooseVariables({0}), On<TfmShift>([](TfmShift* d) {
                          QCOMPARE(d->windowTitle(), QStringLiteral("Смещение рядов"));
                          QCOMPARE(d->spnShift->value(), 1);
                          d->btbtnOK->click();
                        })});
    table_->tbtnShift->trigger();
    QVERIFY(script.Done());
    QCOMPARE(Values(0), (std::vector<double>{1, 2, 3, 4}));
    QCOMPARE(Values(1), (std::vector<double>{20, 30, 40, 50}));
    QCOMPARE(table_->model->rowCount(), 4);

    ModalScript refused({ChooseVariables({1}), On<TfmShift>([](TfmShift* d) {
                           d->spnShift->setValue(-2);
                           d->btbtnOK->click();
                         })});
    table_->tbtnShift->trigger();
    QVERIFY(refused.Done());
    QCOMPARE(messages_->Texts(), QStringList{"Данных недостаточно."});
    QCOMPARE(Data().NumObs, 4);
    QCOMPARE(Data().NumVar, 2);

    // Any whole number can be typed; one the data cannot take changes nothing.
    const TableSnapshot shifted = Snapshot(*table_);
    for (const char* typed : {"45", "-45", "3"}) {
      messages_->shown.clear();
      ModalScript large({ChooseVariables({0}), On<TfmShift>([typed](TfmShift* d) {
                           d->spnShift->selectAll();
                           QTest::keyClicks(d->spnShift, typed);
                           QCOMPARE(d->spnShift->value(), QString(typed).toInt());
                           d->btbtnOK->click();
                         })});
      table_->tbtnShift->trigger();
      QVERIFY(large.Done());
      QCOMPARE(messages_->Texts(), QStringList{"Данных недостаточно."});
      QVERIFY(Snapshot(*table_) == shifted);
      QCOMPARE(table_->tbtnUndo->text(), QStringLiteral("&Отменить: Смещение"));  // the first shift
    }

    // Leaving by the close box widens the variables as well.
    ModalScript closed({ChooseVariables({1}), [](QWidget* w) { w->close(); }});
    table_->tbtnShift->trigger();
    QVERIFY(closed.Done());
    QCOMPARE(Data().NumVar, 2);
    QCOMPARE(Data().VarNames[0], std::string("A"));
  }

  void ReplaceArithmeticAndRenameDialogs() {
    Open("A B C\n1 2 9\n6 0 9\n1 3 9\n");
    ModalScript replace({On<TfmReplace>([this](TfmReplace* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("Замена значений"));
      QCOMPARE(d->cbxVar1->itemText(0), QStringLiteral("Все"));
      QCOMPARE(d->cbxVar1->currentIndex(), -1);
      d->edNmb1->setText("1");
      d->edNmb2->setText("1,5");
      d->btbtnOK->click();  // no variable chosen
      QCOMPARE(messages_->Texts(), QStringList{"Выберите переменную."});
      d->edNmb1->clear();
      d->btbtnOK->click();
      QCOMPARE(messages_->Texts().last(), QStringLiteral("Данные не введены"));
      d->edNmb1->setText("1");
      d->cbxVar1->setCurrentIndex(1);
      d->edNmb2->setText("x");
      d->btbtnOK->click();
      QCOMPARE(messages_->Texts().last(), QStringLiteral("Замещающее значение: «x» не является числом"));
      QCOMPARE(Values(0), (std::vector<double>{1, 6, 1}));
      d->edNmb2->setText("1.5");
      d->btbtnOK->click();
    })});
    table_->tbtnReplace->trigger();
    QVERIFY(replace.Done());
    QCOMPARE(Values(0), (std::vector<double>{1.5, 6, 1.5}));

    ModalScript arithmetic({On<TfmArifm>([](TfmArifm* d) {
      QCOMPARE(d->cbxVar1->currentIndex(), 0);
      QCOMPARE(d->cbxVar2->currentIndex(), 1);
      QCOMPARE(d->cbxResult->currentIndex(), 1);
      QCOMPARE(d->cbxSign->currentText(), QStringLiteral("+"));
      d->cbxSign->setCurrentIndex(3);
      d->cbxResult->setCurrentIndex(2);
      d->btnCalculate->click();
      d->OkBtn->click();
    })});
    table_->tbtnMath->trigger();
    QVERIFY(arithmetic.Done());
    QCOMPARE(Values(2), (std::vector<double>{0.75, 0, 0.5}));  // 6 / 0 gives 0
    QCOMPARE(Cell(0, 2), QStringLiteral("0,75"));

    Type(0, 1, "8");  // typed, not yet committed: renaming keeps it
    ModalScript rename({On<TfmPrmEdit>([](TfmPrmEdit* d) {
      QCOMPARE(d->namesGrid->rowCount(), 3);
      QCOMPARE(d->namesGrid->item(1, 0)->text(), QStringLiteral("B"));
      d->namesGrid->item(0, 0)->setText(" Pulse rate ");
      d->namesGrid->item(1, 0)->setText("Temperature");
      d->namesGrid->item(2, 0)->setText(" \t ");
      d->OKBtn->click();
    })});
    table_->tbtnEditTitle->trigger();
    QVERIFY(rename.Done());
    // A name holds no blank and is never empty: the saved table reads back with its names.
    QCOMPARE(Data().VarNames, (Array<std::string>{"Pulse_ra", "Temperat", "Var3"}));
    QCOMPARE(table_->model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Temperat"));
    QCOMPARE(Cell(0, 1), QStringLiteral("8"));

    // A single variable stands in all three boxes.
    Open("A\n1\n2\n3\n");
    ModalScript single({On<TfmArifm>([](TfmArifm* d) {
      QCOMPARE(d->cbxVar2->currentIndex(), 0);
      QCOMPARE(d->cbxResult->currentIndex(), 0);
      d->cbxSign->setCurrentIndex(2);
      d->btnCalculate->click();
      d->OkBtn->click();
    })});
    table_->tbtnMath->trigger();
    QVERIFY(single.Done());
    QCOMPARE(Values(0), (std::vector<double>{1, 4, 9}));
  }

  void EveryCommandIsUndoneAndRedone() {
    struct Case {
      const char* caption;
      QByteArray text;
      std::function<void(TfmShowTable*)> command;
    };
    auto at = [](TfmShowTable* t, int row, int column) { t->grid->setCurrentIndex(t->model->index(row, column)); };
    auto script = [](std::vector<ModalScript::Step> steps, QAction* action) {
      ModalScript s(std::move(steps));
      action->trigger();
      QVERIFY(s.Done());
    };
    const Case cases[] = {
        {"Ввод значения", kClean, [&](TfmShowTable* t) {
           at(t, 2, 1);
           t->model->setData(t->model->index(2, 1), "7,25");
           QTest::keyClick(t->grid, Qt::Key_Return);
         }},
        {"Ввод значений", kClean, [&](TfmShowTable* t) {
           t->model->setData(t->model->index(2, 1), "7,25");
           t->model->setData(t->model->index(9, 2), "-3");
           t->tbtnRecalc->trigger();
         }},
        {"Добавить строку", kClean, [&](TfmShowTable* t) {
           at(t, 3, 0);
           QTest::keyClick(t->grid, Qt::Key_Insert);
         }},
        {"Удалить строку", kClean, [&](TfmShowTable* t) {
           at(t, 4, 1);
           QTest::keyClick(t->grid, Qt::Key_Delete, Qt::ControlModifier);
         }},
        {"Добавить столбец", kClean, [&](TfmShowTable* t) { at(t, 0, 1), t->mnpAddCol->trigger(); }},
        {"Удалить столбец", kClean, [&](TfmShowTable* t) { at(t, 0, 1), t->tbtnDelCol->trigger(); }},
        {"Перенос столбца", kClean, [&](TfmShowTable* t) {
           t->grid->horizontalHeader()->moveSection(2, 0);
           QTRY_COMPARE(Data().VarNames[0], std::string("C"));
         }},
        {"Перенос строки", kClean, [&](TfmShowTable* t) {
           t->grid->verticalHeader()->moveSection(0, 4);
           QTRY_COMPARE(Data().DataValues[0][4], 1.0);
         }},
        {"Заменить средним", kMissingTen, [](TfmShowTable* t) { t->pmnEmptyMean->trigger(); }},
        {"Удалить", kMissingTen, [](TfmShowTable* t) { t->pmnEmptyDel->trigger(); }},
        {"Удалить ряд", kMissingTen, [](TfmShowTable* t) { t->pmnEmptyRowDel->trigger(); }},
        {"Заменить средним", kClean, [](TfmShowTable* t) { t->pmnOutMean->trigger(); }},
        {"Удалить", kClean, [](TfmShowTable* t) { t->pmnOutDel->trigger(); }},
        {"Удалить ряд", kClean, [](TfmShowTable* t) { t->pmnOutDelRow->trigger(); }},
        {"Выбрать", kClean, [](TfmShowTable* t) { t->pmnOutSel->trigger(); }},
        {"Выбрать ряд", kClean, [](TfmShowTable* t) { t->pmnOutSelRow->trigger(); }},
        {"Нормирование", kClean, [&](TfmShowTable* t) { script({ChooseVariables({2})}, t->tbtnNormir); }},
        {"Приросты", kClean, [&](TfmShowTable* t) { script({ChooseVariables({0, 1})}, t->tbtnDiff); }},
        {"Логарифмирование", kClean, [&](TfmShowTable* t) { script({ChooseVariables({1}, true)}, t->tbtnLog); }},
        {"Смещение", kClean, [&](TfmShowTable* t) {
           script({ChooseVariables({1}), On<TfmShift>([](TfmShift* d) {
                     d->spnShift->setValue(-2);
                     d->btbtnOK->click();
                   })},
                  t->tbtnShift);
         }},
        {"Замена", kClean, [&](TfmShowTable* t) {
           script({On<TfmReplace>([](TfmReplace* d) {
                    d->edNmb1->setText("1");
                    d->edNmb2->setText("11");
                    d->cbxVar1->setCurrentIndex(0);
                    d->btbtnOK->click();
                  })},
                  t->tbtnReplace);
         }},
        {"Арифметика переменных", kClean, [&](TfmShowTable* t) {
           script({On<TfmArifm>([](TfmArifm* d) {
                    d->cbxSign->setCurrentIndex(2);
                    d->btnCalculate->click();
                    d->btnCalculate->click();
                    d->OkBtn->click();
                  })},
                  t->tbtnMath);
         }},
        {"Правка имен переменных", kClean, [&](TfmShowTable* t) {
           script({On<TfmPrmEdit>([](TfmPrmEdit* d) {
                    d->namesGrid->item(1, 0)->setText("Pulse");
                    d->OKBtn->click();
                  })},
                  t->tbtnEditTitle);
         }},
        {"Выбор переменных", kClean, [&](TfmShowTable* t) { script({ChooseVariables({0, 2})}, t->tbtnSelVar); }},
    };
    for (const Case& c : cases) {
      Open(c.text);
      QVERIFY(!table_->tbtnUndo->isEnabled());
      QVERIFY(!table_->tbtnRedo->isEnabled());
      const TableSnapshot before = Snapshot(*table_);
      c.command(table_);
      const TableSnapshot after = Snapshot(*table_);
      QVERIFY2(after != before, c.caption);
      QCOMPARE(table_->tbtnUndo->text(), QStringLiteral("&Отменить: ") + c.caption);
      QCOMPARE(table_->History().UndoSteps(), std::size_t{1});
      for (int round = 0; round < 2; ++round) {
        table_->tbtnUndo->trigger();
        QVERIFY2(Snapshot(*table_) == before, c.caption);
        QCOMPARE(table_->model->rowCount(), before.numObs);
        QCOMPARE(table_->model->columnCount(), before.numVar);
        QVERIFY(!table_->tbtnUndo->isEnabled());
        QCOMPARE(table_->tbtnRedo->text(), QStringLiteral("&Повторить: ") + c.caption);
        table_->tbtnRedo->trigger();
        QVERIFY2(Snapshot(*table_) == after, c.caption);
        QCOMPARE(table_->model->rowCount(), after.numObs);
        QCOMPARE(table_->model->columnCount(), after.numVar);
      }
      QVERIFY(messages_->shown.empty());
    }
  }

  void AChainOfChangesStepsBackToTheLoadedDataAndForwardAgain() {
    Open(kMissingTen);
    std::vector<TableSnapshot> states{Snapshot(*table_)};
    auto done = [&] { states.push_back(Snapshot(*table_)); };
    table_->grid->setCurrentIndex(table_->model->index(0, 2));
    table_->model->setData(table_->model->index(0, 2), "30");
    QTest::keyClick(table_->grid, Qt::Key_Return);
    done();
    table_->pmnEmptyDel->trigger();  // the note "Пропуски удалены." and padding
    done();
    QVERIFY(table_->IsDel);
    QTest::keyClick(table_->grid, Qt::Key_Insert);
    done();
    table_->mnpAddCol->trigger();
    done();
    ModalScript rename({On<TfmPrmEdit>([](TfmPrmEdit* d) {
      d->namesGrid->item(0, 0)->setText("Weight");
      d->OKBtn->click();
    })});
    table_->tbtnEditTitle->trigger();
    QVERIFY(rename.Done());
    done();
    QCOMPARE(Data().ProcessingNote, std::string("Пропуски удалены."));

    // Ctrl+Z and Ctrl+Y, and Ctrl+Shift+Z, in the window.
    table_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(table_));
    for (std::size_t i = states.size() - 1; i > 0; --i) {
      QTest::keyClick(table_->grid, Qt::Key_Z, Qt::ControlModifier);
      QVERIFY(Snapshot(*table_) == states[i - 1]);
    }
    QCOMPARE(Data().ProcessingNote, std::string());
    QVERIFY(!table_->IsDel);
    for (std::size_t i = 1; i < states.size(); ++i) {
      QTest::keyClick(table_->grid, Qt::Key_Y, Qt::ControlModifier);
      QVERIFY(Snapshot(*table_) == states[i]);
    }
    table_->tbtnUndo->trigger();
    QTest::keyClick(table_->grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(Snapshot(*table_) == states.back());

    // A new change forgets the steps undone.
    table_->tbtnUndo->trigger();
    table_->tbtnUndo->trigger();
    table_->mnpDelCol->trigger();
    QVERIFY(!table_->tbtnRedo->isEnabled());
    QCOMPARE(table_->tbtnUndo->text(), QStringLiteral("&Отменить: Удалить столбец"));

    // The menus: the window's "Правка" and the grid's context menu offer both.
    for (QMenu* menu : {table_->mnEdit, table_->contextMenu}) {
      for (QAction* a : {table_->tbtnUndo, table_->tbtnRedo, table_->mnpDelRow, table_->mnpAddRow,
                         table_->mnpDelCol, table_->mnpAddCol}) {
        QVERIFY2(menu->actions().contains(a), qPrintable(menu->objectName() + ": " + a->objectName()));
      }
      for (QAction* a : menu->actions()) QVERIFY2(a->isSeparator() || a->text().contains('&'), qPrintable(a->text()));
    }
    for (QMenu* menu : {table_->missingMenu, table_->outlierMenu})
      for (QAction* a : menu->actions()) QVERIFY2(a->text().contains('&'), qPrintable(a->text()));
  }

  void ALoadOrNewDataEmptiesTheHistory() {
    Open(kClean);
    table_->pmnOutMean->trigger();
    QVERIFY(table_->tbtnUndo->isEnabled());
    // Another file read from the table.
    const QString other = home_->Write("data/other.txt", "X Y\n1 2\n3 4\n5 6\n");
    ModalScript pick({PickFile(other)});
    table_->tbtnFileInput->trigger();
    QVERIFY(pick.Done());
    QCOMPARE(Data().VarNames[0], std::string("X"));
    QVERIFY(!table_->tbtnUndo->isEnabled());
    QVERIFY(!table_->tbtnRedo->isEnabled());
    // A load from the main window, the same file again: nothing of before is undone.
    table_->pmnOutMean->trigger();
    table_->mnpAddCol->trigger();
    QVERIFY(table_->tbtnUndo->isEnabled());
    main_->mnFileName[0]->trigger();  // the recent file, read again
    QCOMPARE(Data().DataFileName, other.toStdString());
    QVERIFY(!table_->tbtnUndo->isEnabled());
    // Data changed elsewhere while the table was closed: the history is not applied to them.
    table_->mnpAddCol->trigger();
    table_->hide();
    std::string renamed = "Z";
    Data().VarNames[0].swap(renamed);
    table_->FormShow(false);
    QVERIFY(!table_->tbtnUndo->isEnabled());
  }

  void ArithmeticSaysWhatEachCalculationDidAndCancelPutsTheDataBack() {
    Open("Рост Вес\n170 60\n180 70\n160 50\n");
    const TableSnapshot opened = Snapshot(*table_);
    for (const auto& [way, leave] : WaysToCancel("CancelBtn")) {
      ModalScript script({On<TfmArifm>([&leave](TfmArifm* d) {
        QVERIFY(d->lblDone->text().isEmpty());
        d->btnCalculate->click();
        QCOMPARE(d->lblDone->text(), QStringLiteral("Вес = Рост + Вес: 3 значения"));
        d->btnCalculate->click();
        QCOMPARE(Data().DataValues[1][0], 400.0);  // weight + 2 x height: shown, not hidden
        leave(d);
      })});
      table_->tbtnMath->trigger();
      QVERIFY(script.Done());
      QVERIFY2(Snapshot(*table_) == opened, qPrintable(way));
      QVERIFY(!table_->tbtnUndo->isEnabled());
    }
    ModalScript kept({On<TfmArifm>([](TfmArifm* d) {
      d->cbxSign->setCurrentIndex(1);
      d->cbxResult->setCurrentIndex(0);
      d->btnCalculate->click();
      QCOMPARE(d->lblDone->text(), QStringLiteral("Рост = Рост - Вес: 3 значения"));
      d->cbxResult->setCurrentIndex(1);
      d->btnCalculate->click();
      d->OkBtn->click();
    })});
    table_->tbtnMath->trigger();
    QVERIFY(kept.Done());
    QCOMPARE(Values(0), (std::vector<double>{110, 110, 110}));
    QCOMPARE(Values(1), (std::vector<double>{50, 40, 60}));
    QCOMPARE(table_->History().UndoSteps(), std::size_t{1});  // two calculations, one step
    table_->tbtnUndo->trigger();
    QVERIFY(Snapshot(*table_) == opened);
  }

  void MissingCodeBoxStoresTypedCellsFirst() {
    Open(kMissing);
    Type(0, 1, "7");
    table_->edEmpty->setText("abc");
    emit table_->edEmpty->editingFinished();
    QCOMPARE(messages_->Texts(), QStringList{"Ошибка ввода целого числа: abc"});
    QCOMPARE(table_->edEmpty->text(), QStringLiteral("-999"));
    table_->edEmpty->setText("6");
    emit table_->edEmpty->editingFinished();
    QCOMPARE(Data().EmptyValue, 6);
    QCOMPARE(Data().DataValues[1][0], 7.0);  // the typed value was kept
    QVERIFY(table_->tbtnEmpty->isEnabled());  // 6 is missing now
  }

  void DistributionEstimateWritesTheNormalityReport() {
    Open(kClean);
    QString shown;
    ModalScript script({AcceptOutput(), [&shown](QWidget* w) {
                          shown = w->windowTitle();
                          w->close();
                        }});
    table_->tbtnCalcDistr->trigger();
    QVERIFY(script.Done());
    const QString report = QString::fromUtf8(ReadAll(home_->Path("res/pulse.out")));
    QVERIFY2(report.contains(QStringLiteral("НОРМАЛЬНОСТЬ")), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("\"Tavrel ")));
  }
};

QTEST_MAIN(TestDataTable)
#include "test_data_table.moc"
