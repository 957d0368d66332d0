#include "app/statistics/calculators/tfm_student1.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/statistics/calculators/calculator_frame.h"
#include "app/statistics/calculators/calculator_grid.h"
#include "core/statistics/summary_student.h"

namespace tavrel {

namespace {

enum Row { kMean = 1, kSigma = 2, kError = 3, kSize = 4 };

}  // namespace

TfmStudent1::TfmStudent1(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmStudent1");
  setWindowTitle(QStringLiteral("Различие по t-критерию Стьюдента"));
  inputGrid = new CalculatorGrid(
      "inputGrid", {QStringLiteral("Параметр 1"), QStringLiteral("Параметр 2")},
      {QStringLiteral("Среднее"), QStringLiteral("@"), QStringLiteral("m"), QStringLiteral("N")}, true, 110, this);
  resultGrid = new CalculatorGrid("resultGrid", {QStringLiteral("t-критерий"), QStringLiteral("p")},
                                   {QStringLiteral("Результат")}, false, 110, this);
  const int heading = std::max(inputGrid->HeadingWidth(), resultGrid->HeadingWidth());
  inputGrid->SetHeadingWidth(heading);
  resultGrid->SetHeadingWidth(heading);

  auto* grids = new QVBoxLayout;
  grids->addWidget(new QLabel(QStringLiteral("Исходные данные"), this));
  grids->addWidget(inputGrid);
  grids->addSpacing(8);
  grids->addWidget(resultGrid);
  const CalculatorButtons buttons = LayOutCalculator(this, grids, "OkBtn", [this] { btnCalcClick(); });
  btnCalc = buttons.calculate;
  OkBtn = buttons.close;
  inputGrid->setCurrentCell(0, 0);
}

void TfmStudent1::btnCalcClick() {
  inputGrid->CommitEdit();
  SummaryStudentCells cells;
  for (int i = 0; i < 2; ++i) {
    cells.mean[i] = inputGrid->Cell(i + 1, kMean).toStdString();
    cells.sigma[i] = inputGrid->Cell(i + 1, kSigma).toStdString();
    cells.sem[i] = inputGrid->Cell(i + 1, kError).toStdString();
    cells.size[i] = inputGrid->Cell(i + 1, kSize).toStdString();
  }
  const SummaryStudentView view = SummaryStudent(cells);
  if (ShowRefusal(view.refusal, this)) return;
  resultGrid->SetCell(1, 1, QString::fromStdString(view.t));
  resultGrid->SetCell(2, 1, QString::fromStdString(view.p));
  resultGrid->SetCellColour(view.significant ? kSignificantColour : QColor(Qt::white));
  CopyResult(view.clipboard);
}

}  // namespace tavrel
