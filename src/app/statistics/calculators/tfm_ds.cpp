#include "app/statistics/calculators/tfm_ds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/statistics/calculators/calculator_frame.h"
#include "app/statistics/calculators/calculator_grid.h"
#include "core/statistics/diagnostic_accuracy.h"

namespace tavrel {

TfmDs::TfmDs(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmDs");
  setWindowTitle(QStringLiteral("Диагностическая информативность"));
  inputGrid = new CalculatorGrid("inputGrid", {QStringLiteral("Патология+"), QStringLiteral("Патология-")},
                                   {QStringLiteral("Тест+"), QStringLiteral("Тест-")}, true, 100, this);
  QStringList keys;
  for (const char* key : kDiagnosticKeys) keys << QString::fromUtf8(key);
  vlDs = new CalculatorGrid("vlDs", {QString()}, keys, false, 90, this);

  auto* input = new QVBoxLayout;
  input->addWidget(new QLabel(QStringLiteral("Частоты (абс.)"), this));
  input->addWidget(inputGrid);
  input->addStretch();
  auto* grids = new QHBoxLayout;
  grids->addLayout(input);
  grids->addSpacing(12);
  grids->addWidget(vlDs, 0, Qt::AlignTop);
  const CalculatorButtons buttons = LayOutCalculator(this, grids, "OkBtn", [this] { btnCalcClick(); });
  btnCalc = buttons.calculate;
  OkBtn = buttons.close;
  inputGrid->setCurrentCell(0, 0);
}

void TfmDs::btnCalcClick() {
  inputGrid->CommitEdit();
  DiagnosticCells cells;
  cells.tp = inputGrid->Cell(1, 1).toStdString();
  cells.fp = inputGrid->Cell(2, 1).toStdString();
  cells.fn = inputGrid->Cell(1, 2).toStdString();
  cells.tn = inputGrid->Cell(2, 2).toStdString();
  const DiagnosticView view = Diagnostic(cells);
  if (ShowRefusal(view.refusal, this)) return;
  for (int i = 0; i < kDiagnosticMeasures; ++i) vlDs->SetCell(1, i + 1, QString::fromStdString(view.values[i]));
  CopyResult(view.clipboard);
}

}  // namespace tavrel
