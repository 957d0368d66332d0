#include "statistics/calculators/tfm_ds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/message_service.h"
#include "shell/tavrel_application.h"
#include "statistics/calculators/calculator_grid.h"
#include "statistics/diagnostic_accuracy.h"

namespace tavrel {

TfmDs::TfmDs(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmDs");
  setWindowTitle(QStringLiteral("Диагностическая информативность"));
  StringGrid1 = new CalculatorGrid("StringGrid1", {QStringLiteral("Патология+"), QStringLiteral("Патология-")},
                                   {QStringLiteral("Тест+"), QStringLiteral("Тест-")}, true, 100, this);
  QStringList keys;
  for (const char* key : kDiagnosticKeys) keys << QString::fromUtf8(key);
  vlDs = new CalculatorGrid("vlDs", {QString()}, keys, false, 90, this);
  btnCalc = CalculateButton(this);
  OkBtn = CloseButton("OkBtn", this);

  auto* input = new QVBoxLayout;
  input->addWidget(new QLabel(QStringLiteral("Частоты (абс.)"), this));
  input->addWidget(StringGrid1);
  input->addStretch();
  auto* grids = new QHBoxLayout;
  grids->addLayout(input);
  grids->addSpacing(12);
  grids->addWidget(vlDs, 0, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCalc);
  buttons->addWidget(OkBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grids);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  StringGrid1->setCurrentCell(0, 0);
  connect(btnCalc, &QPushButton::clicked, this, Guarded([this] { btnCalcClick(); }));
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TfmDs::btnCalcClick() {
  StringGrid1->CommitEdit();
  DiagnosticCells cells;
  cells.tp = StringGrid1->Cell(1, 1).toStdString();
  cells.fp = StringGrid1->Cell(2, 1).toStdString();
  cells.fn = StringGrid1->Cell(1, 2).toStdString();
  cells.tn = StringGrid1->Cell(2, 2).toStdString();
  const DiagnosticView view = Diagnostic(cells);
  if (!view.refusal.empty()) {
    ShowMessage(MessageKind::Warning, view.refusal, this);
    return;
  }
  for (int i = 0; i < kDiagnosticMeasures; ++i) vlDs->SetCell(1, i + 1, QString::fromStdString(view.values[i]));
  QGuiApplication::clipboard()->setText(QString::fromStdString(view.clipboard));
}

}  // namespace tavrel
