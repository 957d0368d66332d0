#include "app/preparation/tfm_arifm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/preparation/transformations.h"
#include "app/shell/busy_cursor.h"

namespace tavrel {

namespace {

// "1 значение", "3 значения", "15 значений".
QString CountOfValues(std::int32_t n) {
  const std::int32_t tens = n % 100, units = n % 10;
  const char* word = tens >= 11 && tens <= 14 ? "значений"
                     : units == 1               ? "значение"
                     : units >= 2 && units <= 4 ? "значения"
                                                : "значений";
  return QString::number(n) + ' ' + QString::fromUtf8(word);
}

}  // namespace

TfmArifm::TfmArifm(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmArifm");
  setWindowTitle(QStringLiteral("Арифметика переменных"));
  auto combo = [this](const char* name) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setMinimumWidth(100);
    return box;
  };
  cbxVar1 = combo("cbxVar1");
  cbxSign = combo("cbxSign");
  cbxSign->setMinimumWidth(48);
  cbxSign->addItems({"+", "-", "*", "/"});
  cbxVar2 = combo("cbxVar2");
  cbxResult = combo("cbxResult");
  lblDone = new QLabel(this);
  lblDone->setObjectName("lblDone");
  btnCalculate = new QPushButton(QStringLiteral("Расчет"), this);
  btnCalculate->setObjectName("btnCalculate");
  OkBtn = new QPushButton(QStringLiteral("Далее"), this);
  OkBtn->setObjectName("OkBtn");
  OkBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Отмена"), this);
  CancelBtn->setObjectName("CancelBtn");
  auto* row = new QHBoxLayout;
  row->addWidget(cbxVar1);
  row->addWidget(cbxSign);
  row->addWidget(cbxVar2);
  row->addWidget(new QLabel(QStringLiteral("="), this));
  row->addWidget(cbxResult);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCalculate);
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(lblDone);
  layout->addLayout(buttons);
  connect(btnCalculate, &QPushButton::clicked, this, &TfmArifm::CalculateClick);
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<Change> TfmArifm::Execute() {
  const DataSet& d = Data();
  for (QComboBox* box : {cbxVar1, cbxVar2, cbxResult}) {
    box->clear();
    for (int v = 0; v <= d.LastVar; ++v) box->addItem(QString::fromStdString(d.VarNames[v]));
  }
  // With a single variable it stands in all three places.
  const int second = d.LastVar >= 1 ? 1 : 0;
  cbxVar1->setCurrentIndex(0);
  cbxVar2->setCurrentIndex(second);
  cbxResult->setCurrentIndex(second);
  cbxSign->setCurrentIndex(0);
  lblDone->clear();
  std::optional<Change> change;
  {
    BusyCursor busy;
    change.emplace(Change::Any(Data()));
  }
  if (exec() == Accepted) return change;
  BusyCursor busy;
  change->Revert(Data());
  return std::nullopt;
}

void TfmArifm::CalculateClick() {
  if (cbxVar1->currentIndex() < 0 || cbxVar2->currentIndex() < 0 || cbxResult->currentIndex() < 0) return;
  std::int32_t computed = 0;
  {
    BusyCursor busy;
    computed = Arithmetic(Data(), cbxVar1->currentIndex(), cbxSign->currentText().at(0).toLatin1(),
                          cbxVar2->currentIndex(), cbxResult->currentIndex());
  }
  auto name = [](const QComboBox* box) { return box->currentText().trimmed(); };
  lblDone->setText(QStringLiteral("%1 = %2 %3 %4: %5")
                       .arg(name(cbxResult), name(cbxVar1), cbxSign->currentText(), name(cbxVar2),
                            CountOfValues(computed)));
}

}  // namespace tavrel
