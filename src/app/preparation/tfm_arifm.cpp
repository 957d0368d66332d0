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
  Button1 = new QPushButton(QStringLiteral("Расчет"), this);
  Button1->setObjectName("Button1");
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
  buttons->addWidget(Button1);
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
  connect(Button1, &QPushButton::clicked, this, &TfmArifm::Button1Click);
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmArifm::Execute() {
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
  exec();
}

void TfmArifm::Button1Click() {
  if (cbxVar1->currentIndex() < 0 || cbxVar2->currentIndex() < 0 || cbxResult->currentIndex() < 0) return;
  BusyCursor busy;
  Arithmetic(Data(), cbxVar1->currentIndex(), cbxSign->currentText().at(0).toLatin1(), cbxVar2->currentIndex(),
             cbxResult->currentIndex());
}

}  // namespace tavrel
