// The three calculator windows: what a user types, what they show in which
// colour, what they copy, and what they refuse.
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QToolBar>
#include <memory>

#include "app_test_support.h"
#include "app/shell/tfm_main.h"
#include "app/statistics/calculators/calculator_grid.h"
#include "app/statistics/calculators/tfm_ds.h"
#include "app/statistics/calculators/tfm_student1.h"
#include "app/statistics/calculators/tfm_table22.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

const QColor kWhite(Qt::white);

QStringList ColumnHeadings(const QTableWidget* grid) {
  QStringList h;
  for (int c = 0; c < grid->columnCount(); ++c) h << grid->horizontalHeaderItem(c)->text();
  return h;
}

QStringList RowHeadings(const QTableWidget* grid) {
  QStringList h;
  for (int r = 0; r < grid->rowCount(); ++r) h << grid->verticalHeaderItem(r)->text();
  return h;
}

// Types the texts into the cells of (column, row) pairs, column by column.
void Fill(CalculatorGrid* grid, const QStringList& texts) {
  int i = 0;
  for (int c = 1; c <= grid->columnCount(); ++c)
    for (int r = 1; r <= grid->rowCount(); ++r) grid->SetCell(c, r, texts[i++]);
}

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

}  // namespace

class TestCalculators : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;

  void ExpectWarning(const QString& text) {
    QCOMPARE(messages_->shown.size(), size_t{1});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QCOMPARE(messages_->shown[0].second, text);
    messages_->shown.clear();
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  void StudentShowsTAndPOnTheirColourAndCopiesThem() {
    TfmStudent1 w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Различие по t-критерию Стьюдента"));
    QCOMPARE(ColumnHeadings(w.inputGrid), (QStringList{"Параметр 1", "Параметр 2"}));
    QCOMPARE(RowHeadings(w.inputGrid), (QStringList{"Среднее", "@", "m", "N"}));
    QCOMPARE(ColumnHeadings(w.resultGrid), (QStringList{"t-критерий", "p"}));
    QCOMPARE(RowHeadings(w.resultGrid), (QStringList{"Результат"}));
    QCOMPARE(w.btnCalc->text(), QStringLiteral("Расчет"));
    QVERIFY(w.btnCalc->isDefault());
    QCOMPARE(w.OkBtn->text(), QStringLiteral("Далее"));

    struct Case {
      QStringList cells;  // mean, sigma, m, N of sample 1, then of sample 2
      QString t, p;
      QColor colour;
    };
    const Case cases[] = {
        {{"10", "2", "", "20", "12", "2", "", "20"}, "3.162", "p<0.01 ", kSignificantColour},
        // no spread at all: the degrees of freedom are undefined, and so is the test
        {{"10", "0", "", "30", "12", "0", "", "30"}, "NAN", "p>0.05", kWhite},
        {{"10", "", "0,5", "10", "11", "", "0.5", "10"}, "1.491", "p>0.05", kWhite},
    };
    for (const Case& c : cases) {
      Fill(w.inputGrid, c.cells);
      w.btnCalc->click();
      QCOMPARE(w.resultGrid->Cell(1, 1), c.t);
      QCOMPARE(w.resultGrid->Cell(2, 1), c.p);
      QCOMPARE(w.resultGrid->CellColour(1, 1), c.colour);
      QCOMPARE(w.resultGrid->CellColour(2, 1), c.colour);
      QCOMPARE(Clipboard(), "t-критерий: " + c.t + ", p: " + c.p.mid(1));
    }
    QVERIFY(messages_->shown.empty());
    // A single result cell copies as well.
    w.resultGrid->setCurrentCell(0, 0);
    QTest::keySequence(w.resultGrid, QKeySequence::Copy);
    QCOMPARE(Clipboard(), QStringLiteral("1.491"));
  }

  void StudentRefusalsChangeNothing() {
    TfmStudent1 w;
    Fill(w.inputGrid, {"10", "2", "", "20", "12", "2", "", "20"});
    w.btnCalc->click();
    const QString copied = Clipboard();

    w.inputGrid->SetCell(2, 4, "1");
    w.btnCalc->click();
    ExpectWarning("Ошибка работы с целыми числами\nПараметр 2, N: размер выборки меньше 2");
    w.inputGrid->SetCell(2, 4, "20");
    w.inputGrid->SetCell(2, 2, "");
    w.btnCalc->click();
    ExpectWarning("Ошибка вычисления @");
    w.inputGrid->SetCell(2, 2, "2");
    w.inputGrid->SetCell(1, 1, "1e309");
    w.btnCalc->click();
    ExpectWarning("Ошибка работы с целыми числами\nПараметр 1, Среднее: «1e309» выходит за пределы допустимых чисел");

    QCOMPARE(w.resultGrid->Cell(1, 1), QStringLiteral("3.162"));
    QCOMPARE(w.resultGrid->CellColour(1, 1), kSignificantColour);
    QCOMPARE(Clipboard(), copied);
  }

  void TextBeingTypedCountsWhenCalculating() {
    TfmStudent1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Fill(w.inputGrid, {"10", "2", "", "20", "12", "2", "", "20"});
    w.inputGrid->setFocus();
    w.inputGrid->setCurrentCell(0, 1);  // the second mean
    w.inputGrid->editItem(w.inputGrid->currentItem());
    auto* editor = qobject_cast<QLineEdit*>(w.inputGrid->indexWidget(w.inputGrid->currentIndex()));
    QVERIFY(editor);
    editor->setText("11");
    w.btnCalc->click();
    QCOMPARE(w.inputGrid->Cell(2, 1), QStringLiteral("11"));
    QCOMPARE(w.resultGrid->Cell(1, 1), QStringLiteral("1.581"));
  }

  void Table22ShowsChiSquarePercentagesAndColour() {
    TfmTable22 w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Таблица сопряженности \"2х2\""));
    QCOMPARE(ColumnHeadings(w.inputGrid), (QStringList{"Событие 1", "Всего"}));
    QCOMPARE(RowHeadings(w.inputGrid), (QStringList{"Выборка 1", "Выборка 2"}));
    QCOMPARE(ColumnHeadings(w.percentGrid), (QStringList{"Событие 1", "Событие 2"}));
    QCOMPARE(RowHeadings(w.percentGrid), (QStringList{"Выборка 1", "Выборка 2"}));
    QCOMPARE(ColumnHeadings(w.resultGrid), (QStringList{"Х2", "р"}));
    QCOMPARE(RowHeadings(w.resultGrid), (QStringList{"Результат"}));
    QCOMPARE(w.btbtnOK->text(), QStringLiteral("Далее"));
    QVERIFY(w.percentGrid->editTriggers() == QAbstractItemView::NoEditTriggers);

    struct Case {
      QStringList cells;  // events of samples 1 and 2, then their totals
      QString chi2, p;
      QColor colour;
      QStringList percent;  // column by column
    };
    const Case cases[] = {
        {{"10", "25", "50", "50"}, "9.89", "<0.01", kSignificantColour, {"20.0", "50.0", "80.0", "50.0"}},
        {{"12", "20", "40", "40"}, "3.33", ">0.05", kWhite, {"30.0", "50.0", "70.0", "50.0"}},
    };
    for (const Case& c : cases) {
      Fill(w.inputGrid, c.cells);
      w.btnCalc->click();
      QCOMPARE(w.resultGrid->Cell(1, 1), c.chi2);
      QCOMPARE(w.resultGrid->Cell(2, 1), "p" + c.p);
      QCOMPARE(w.resultGrid->CellColour(1, 1), c.colour);
      QCOMPARE(w.resultGrid->CellColour(2, 1), c.colour);
      QStringList percent;
      for (int col = 1; col <= 2; ++col)
        for (int row = 1; row <= 2; ++row) percent << w.percentGrid->Cell(col, row);
      QCOMPARE(percent, c.percent);
      QCOMPARE(Clipboard(), "Х2 = " + c.chi2 + ", p = " + c.p);
    }
    QVERIFY(messages_->shown.empty());

    // Refused: grids and clipboard keep the last result.
    for (const QStringList& bad : {QStringList{"45", "25", "40", "50"}, QStringList{"10", "-2", "50", "50"}}) {
      Fill(w.inputGrid, bad);
      w.btnCalc->click();
      ExpectWarning("Неверные данные: х1>x2");
    }
    Fill(w.inputGrid, {"10", "25", "50", "5O"});
    w.btnCalc->click();
    ExpectWarning("Ошибка операций с целыми числами\nВыборка 2, Всего: «5O» не является числом");
    QCOMPARE(w.resultGrid->Cell(1, 1), QStringLiteral("3.33"));
    QCOMPARE(w.percentGrid->Cell(1, 1), QStringLiteral("30.0"));
    QCOMPARE(Clipboard(), QStringLiteral("Х2 = 3.33, p = >0.05"));
  }

  void DiagnosticShowsSixMeasuresAndCopiesFive() {
    TfmDs w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Диагностическая информативность"));
    QCOMPARE(ColumnHeadings(w.inputGrid), (QStringList{"Патология+", "Патология-"}));
    QCOMPARE(RowHeadings(w.inputGrid), (QStringList{"Тест+", "Тест-"}));
    QCOMPARE(RowHeadings(w.vlDs), (QStringList{"Чувствительность", "Специфичность", "Прогноз +результата",
                                               "Прогноз -результата", "Точность", "Распространенность"}));
    // TP, FN, FP, TN as the grid holds them column by column
    Fill(w.inputGrid, {"90", "10", "20", "80"});
    w.btnCalc->click();
    QStringList values;
    for (int r = 1; r <= 6; ++r) values << w.vlDs->Cell(1, r);
    QCOMPARE(values, (QStringList{"90.00%", "80.00%", "81.82%", "88.89%", "85.00%", "50.00%"}));
    QCOMPARE(w.vlDs->CellColour(1, 1), kWhite);
    QCOMPARE(Clipboard(), QStringLiteral("Чувствительность: 90.00%\nСпецифичность: 80.00%\nПрогноз +результата: "
                                         "81.82%\nПрогноз -результата: 88.89%\nТочность: 85.00%"));

    Fill(w.inputGrid, {"0", "0", "20", "80"});
    w.btnCalc->click();
    QCOMPARE(w.vlDs->Cell(1, 1), QStringLiteral("NAN%"));
    QCOMPARE(w.vlDs->Cell(1, 2), QStringLiteral("80.00%"));
    QVERIFY(Clipboard().startsWith(QStringLiteral("Чувствительность: NAN%\n")));
    QVERIFY(messages_->shown.empty());

    Fill(w.inputGrid, {"12abc", "0", "20", "80"});
    w.btnCalc->click();
    ExpectWarning("Ошибка операций с целыми числами\nТест+, Патология+: «12abc» не является числом");
    QCOMPARE(w.vlDs->Cell(1, 1), QStringLiteral("NAN%"));
  }

  void MainWindowOpensEachCalculatorForTheCommandOnly() {
    home_->WriteSettings();
    TfmMain main;
    main.show();
    struct Case {
      QAction* menu;
      QAction* tool;
      QString title;
    };
    const Case cases[] = {
        {main.mnTable22, main.tbtnTable22, "Таблица сопряженности \"2х2\""},
        {main.mnDs, main.tbtnDs, "Диагностическая информативность"},
        {main.mnStudent, main.tbtnStudent, "Различие по t-критерию Стьюдента"},
    };
    for (const Case& c : cases) {
      QVERIFY(c.menu->isEnabled());  // no data needed
      QVERIFY(c.tool->isEnabled());
      // The close button, Escape and the close box all just close the window.
      ModalScript script({[&c](QWidget* w) {
                            QCOMPARE(w->windowTitle(), c.title);
                            w->findChild<QPushButton*>(w->objectName() == "TfmTable22" ? "btbtnOK" : "OkBtn")->click();
                          },
                          [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, [](QWidget* w) { w->close(); }});
      c.menu->trigger();
      c.tool->trigger();
      c.menu->trigger();
      QVERIFY(script.Done());
    }
    QVERIFY(main.findChild<TfmStudent1*>() == nullptr);
    QVERIFY(main.findChild<TfmTable22*>() == nullptr);
    QVERIFY(main.findChild<TfmDs*>() == nullptr);
    QVERIFY(messages_->shown.empty());
  }
};

QTEST_MAIN(TestCalculators)
#include "test_calculators.moc"
