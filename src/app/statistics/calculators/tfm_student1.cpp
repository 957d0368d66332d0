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
  StringGrid1 = new CalculatorGrid(
      "StringGrid1", {QStringLiteral("Параметр 1"), QStringLiteral("Параметр 2")},
      {QStringLiteral("Среднее"), QStringLiteral("@"), QStringLiteral("m"), QStringLiteral("N")}, true, 110, this);
  StringGrid3 = new CalculatorGrid("StringGrid3", {QStringLiteral("t-критерий"), QStringLiteral("p")},
                                   {QStringLiteral("Результат")}, false, 110, this);
  const int heading = std::max(StringGrid1->HeadingWidth(), StringGrid3->HeadingWidth());
  StringGrid1->SetHeadingWidth(heading);
  StringGrid3->SetHeadingWidth(heading);

  auto* grids = new QVBoxLayout;
  grids->addWidget(new QLabel(QStringLiteral("Исходные данные"), this));
  grids->addWidget(StringGrid1);
  grids->addSpacing(8);
  grids->addWidget(StringGrid3);
  const CalculatorButtons buttons = LayOutCalculator(this, grids, "OkBtn", [this] { btnCalcClick(); });
  btnCalc = buttons.calculate;
  OkBtn = buttons.close;
  StringGrid1->setCurrentCell(0, 0);
}

void TfmStudent1::btnCalcClick() {
  StringGrid1->CommitEdit();
  SummaryStudentCells cells;
  for (int i = 0; i < 2; ++i) {
    cells.mean[i] = StringGrid1->Cell(i + 1, kMean).toStdString();
    cells.sigma[i] = StringGrid1->Cell(i + 1, kSigma).toStdString();
    cells.sem[i] = StringGrid1->Cell(i + 1, kError).toStdString();
    cells.size[i] = StringGrid1->Cell(i + 1, kSize).toStdString();
  }
  const SummaryStudentView view = SummaryStudent(cells);
  if (ShowRefusal(view.refusal, this)) return;
  StringGrid3->SetCell(1, 1, QString::fromStdString(view.t));
  StringGrid3->SetCell(2, 1, QString::fromStdString(view.p));
  StringGrid3->SetCellColour(view.significant ? kSignificantColour : QColor(Qt::white));
  CopyResult(view.clipboard);
}

}  // namespace tavrel
