#include "app/graphs/tfm_print_cfg.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "draw/graphs/canvas.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/graph_run_options.h"
#include "core/shell/setting_ranges.h"
#include "app/graphs/graph_widgets.h"
#include "app/graphs/tfm_graphic.h"
#include "core/shell/settings.h"

namespace tavrel {

TfmPrintCfg::TfmPrintCfg(TfmGraphic* graphic, QWidget* parent) : QDialog(parent), graphic_(graphic) {
  setObjectName("TfmPrintCfg");
  setWindowTitle(QStringLiteral("Настройка печати"));
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  cbxListDirection = new QCheckBox(this);
  cbxListDirection->setObjectName("cbxListDirection");
  form->addRow(QStringLiteral("Продольная печать:"), cbxListDirection);
  sePenWidth = NamedSpin(this, "sePenWidth", kPrintPenWidth.min, kPrintPenWidth.max);
  form->addRow(QStringLiteral("Толщина линии:"), sePenWidth);
  sePrStepX = NamedSpin(this, "sePrStepX", kPrintStep.min, kPrintStep.max, 2);
  form->addRow(QStringLiteral("Шаг по оси Х:"), sePrStepX);
  sePrStepY = NamedSpin(this, "sePrStepY", kPrintStep.min, kPrintStep.max, 2);
  form->addRow(QStringLiteral("Шаг по оси У:"), sePrStepY);
  edTitleGraph = new QLineEdit(this);
  edTitleGraph->setObjectName("edTitleGraph");
  form->addRow(QStringLiteral("Заголовок"), edTitleGraph);
  column->addLayout(form);
  auto* setup = new QHBoxLayout;
  btnPrintParam = NamedButton(this, "btnPrintParam", QStringLiteral("Принтер"));
  btnGraphPrintFont = NamedButton(this, "btnGraphPrintFont", QStringLiteral("Шрифт"));
  setup->addWidget(btnPrintParam);
  setup->addWidget(btnGraphPrintFont);
  setup->addStretch();
  column->addLayout(setup);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  okButton = NamedButton(this, "okButton", QStringLiteral("Далее"));
  okButton->setDefault(true);
  printButton = NamedButton(this, "printButton", QStringLiteral("Печать"));
  bbtnCancel = NamedButton(this, "bbtnCancel", QStringLiteral("Отмена"));
  buttons->addWidget(okButton);
  buttons->addWidget(printButton);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);
  connect(okButton, &QPushButton::clicked, this, [this] {
    Apply();
    accept();
  });
  connect(printButton, &QPushButton::clicked, this, [this] {
    Apply();
    if (graphic_) graphic_->PrintGraph();
  });
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnGraphPrintFont, &QPushButton::clicked, this, [this] { btnGraphPrintFontClick(); });
  connect(btnPrintParam, &QPushButton::clicked, this, [this] { btnPrintParamClick(); });
  FormShow();
}

void TfmPrintCfg::FormShow() {
  const Settings& s = Config();
  sePrStepX->setValue(s.PrintStepX);
  sePrStepY->setValue(s.PrintStepY);
  sePenWidth->setValue(s.PrintPenWidth);
  edTitleGraph->setText(QString::fromStdString(GraphRunOptions().PrintTitle));
  cbxListDirection->setChecked(false);
}

void TfmPrintCfg::Apply() {
  GraphPrinter().setPageOrientation(cbxListDirection->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  Settings& s = Config();
  s.PrintStepX = sePrStepX->value();
  s.PrintStepY = sePrStepY->value();
  s.PrintPenWidth = sePenWidth->value();
  GraphRunOptions().PrintTitle = edTitleGraph->text().toStdString();
}

void TfmPrintCfg::btnGraphPrintFontClick() {
  Settings& s = Config();
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, GraphFont(s.PrintGraphFontName, s.PrintGraphFontSize), this);
  if (!ok) return;
  s.PrintGraphFontName = font.family().toStdString();
  s.PrintGraphFontSize = font.pointSize();
}

void TfmPrintCfg::btnPrintParamClick() {
  QPrintDialog dialog(&GraphPrinter(), this);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.exec();
}

}  // namespace tavrel
