#include "app/statistics/calculators/tfm_table22.h"

#include <QGridLayout>
#include <QLabel>

#include "app/statistics/calculators/calculator_frame.h"
#include "app/statistics/calculators/calculator_grid.h"
#include "core/statistics/table22.h"

namespace tavrel {

TfmTable22::TfmTable22(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmTable22");
  setWindowTitle(QStringLiteral("Таблица сопряженности \"2х2\""));
  const QStringList samples = {QStringLiteral("Выборка 1"), QStringLiteral("Выборка 2")};
  inputGrid = new CalculatorGrid("inputGrid", {QStringLiteral("Событие 1"), QStringLiteral("Всего")}, samples, true,
                                   90, this);
  percentGrid = new CalculatorGrid("percentGrid", {QStringLiteral("Событие 1"), QStringLiteral("Событие 2")}, samples,
                                   false, 90, this);
  resultGrid = new CalculatorGrid("resultGrid", {QStringLiteral("Х2"), QStringLiteral("р")},
                                   {QStringLiteral("Результат")}, false, 90, this);
  int heading = 0;
  for (CalculatorGrid* grid : {inputGrid, percentGrid, resultGrid})
    heading = std::max(heading, grid->HeadingWidth());
  for (CalculatorGrid* grid : {inputGrid, percentGrid, resultGrid}) grid->SetHeadingWidth(heading);

  auto* grids = new QGridLayout;
  grids->addWidget(new QLabel(QStringLiteral("Частоты (абс.)"), this), 0, 0);
  grids->addWidget(inputGrid, 1, 0);
  grids->addWidget(new QLabel(QStringLiteral("Частоты (%)"), this), 0, 1);
  grids->addWidget(percentGrid, 1, 1);
  grids->addWidget(resultGrid, 2, 0);
  grids->setRowMinimumHeight(2, resultGrid->height() + 8);
  grids->setAlignment(resultGrid, Qt::AlignBottom | Qt::AlignLeft);
  const CalculatorButtons buttons = LayOutCalculator(this, grids, "btbtnOK", [this] { btnCalcClick(); });
  btnCalc = buttons.calculate;
  btbtnOK = buttons.close;
  inputGrid->setCurrentCell(0, 0);
}

void TfmTable22::btnCalcClick() {
  inputGrid->CommitEdit();
  Table22Cells cells;
  for (int i = 0; i < 2; ++i) {
    cells.events[i] = inputGrid->Cell(1, i + 1).toStdString();
    cells.totals[i] = inputGrid->Cell(2, i + 1).toStdString();
  }
  const Table22View view = Table22(cells);
  if (ShowRefusal(view.refusal, this)) return;
  resultGrid->SetCell(1, 1, QString::fromStdString(view.chi2));
  resultGrid->SetCell(2, 1, QString::fromStdString(view.p));
  resultGrid->SetCellColour(view.significant ? kSignificantColour : QColor(Qt::white));
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) percentGrid->SetCell(j + 1, i + 1, QString::fromStdString(view.percent[i][j]));
  CopyResult(view.clipboard);
}

}  // namespace tavrel
