#include "app/graphs/tfm_edit_scale_y.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "app/graphs/graph_widgets.h"
#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"

namespace tavrel {

TfmEditScaleY::TfmEditScaleY(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmEditScaleY");
  setWindowTitle(QStringLiteral("Масштаб по оси У"));
  auto* column = new QVBoxLayout(this);
  stepsGrid = new QTableWidget(this);
  stepsGrid->setObjectName("stepsGrid");
  stepsGrid->setColumnCount(2);
  stepsGrid->setHorizontalHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("Шаг")});
  stepsGrid->verticalHeader()->hide();
  stepsGrid->setColumnWidth(0, 80);
  stepsGrid->setColumnWidth(1, 86);
  column->addWidget(stepsGrid, 1);
  auto* buttons = new QHBoxLayout;
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  bbtnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCancel->setObjectName("bbtnCancel");
  buttons->addWidget(OKBtn);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(220, 320);
  FormShow();
}

void TfmEditScaleY::FormShow() {
  const DataSet& d = Data();
  FillVariableRows(stepsGrid);
  for (int v = 0; v < stepsGrid->rowCount(); ++v) {
    const double step = v < d.VarSteps.Count() ? d.VarSteps[v] : 0.0;
    stepsGrid->setItem(v, 1, new QTableWidgetItem(QString::fromStdString(FloatText(step))));
  }
}

void TfmEditScaleY::OKBtnClick() {
  DataSet& d = Data();
  std::vector<double> steps(static_cast<std::size_t>(stepsGrid->rowCount()));
  for (int v = 0; v < stepsGrid->rowCount(); ++v) {
    const QString text = stepsGrid->item(v, 1) ? stepsGrid->item(v, 1)->text() : QString();
    double step = 0;
    bool valid = true;
    try {
      step = UserNumber(text.toStdString());
    } catch (const ConversionError&) {
      valid = false;
    }
    // A step must be a positive number: the ticks are that far apart.
    if (!valid || !(step > 0) || !std::isfinite(step)) {
      ShowMessage(MessageKind::Warning,
                  QStringLiteral("Шаг переменной %1 должен быть положительным числом: \"%2\".")
                      .arg(stepsGrid->item(v, 0)->text(), text),
                  this);
      stepsGrid->setCurrentCell(v, 1);
      return;
    }
    steps[static_cast<std::size_t>(v)] = step;
  }
  for (std::size_t v = 0; v < steps.size(); ++v)
    if (static_cast<long long>(v) < d.VarSteps.Count()) d.VarSteps[static_cast<long long>(v)] = steps[v];
  accept();
}

}  // namespace tavrel
