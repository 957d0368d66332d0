#include "statistics/calculators/tfm_student1.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/message_service.h"
#include "shell/tavrel_application.h"
#include "statistics/calculators/calculator_grid.h"
#include "statistics/summary_student.h"

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
  btnCalc = CalculateButton(this);
  OkBtn = CloseButton("OkBtn", this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Исходные данные"), this));
  layout->addWidget(StringGrid1);
  layout->addSpacing(8);
  layout->addWidget(StringGrid3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCalc);
  buttons->addWidget(OkBtn);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  StringGrid1->setCurrentCell(0, 0);
  connect(btnCalc, &QPushButton::clicked, this, Guarded([this] { btnCalcClick(); }));
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
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
  if (!view.refusal.empty()) {
    ShowMessage(MessageKind::Warning, view.refusal, this);
    return;
  }
  StringGrid3->SetCell(1, 1, QString::fromStdString(view.t));
  StringGrid3->SetCell(2, 1, QString::fromStdString(view.p));
  StringGrid3->SetCellColour(view.significant ? kSignificantColour : QColor(Qt::white));
  QGuiApplication::clipboard()->setText(QString::fromStdString(view.clipboard));
}

}  // namespace tavrel
