#include "app/data/tfm_new_data.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrel {

namespace {

QSpinBox* SpinBox(QWidget* parent, const char* name, int max, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(0, max);
  box->setValue(value);
  return box;
}

}  // namespace

TfmNewData::TfmNewData(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmNewData");
  setWindowTitle(QStringLiteral("Создание новых данных"));
  const NewDataRequest defaults;
  sedCol = SpinBox(this, "sedCol", 100, defaults.variables);
  sedRow = SpinBox(this, "sedRow", 10000, defaults.values);
  edVarName = new QLineEdit(QString::fromStdString(defaults.names), this);
  edVarName->setObjectName("edVarName");
  btnMakeName = new QPushButton(QStringLiteral("Авто"), this);
  btnMakeName->setObjectName("btnMakeName");
  edFileName = new QLineEdit(QString::fromStdString(defaults.fileName), this);
  edFileName->setObjectName("edFileName");
  cbxRandom = new QCheckBox(QStringLiteral("Случайные значения:"), this);
  cbxRandom->setObjectName("cbxRandom");
  cbxRandom->setLayoutDirection(Qt::RightToLeft);
  cbxRandom->setChecked(defaults.random);
  sedMaxRandom = SpinBox(this, "sedMaxRandom", 10000, defaults.maxRandom);
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton->setObjectName("cancelButton");

  auto* counts = new QFormLayout;
  counts->addRow(QStringLiteral("Число переменных:"), sedCol);
  counts->addRow(QStringLiteral("Число значений:"), sedRow);
  auto* names = new QHBoxLayout;
  names->addWidget(edVarName, 1);
  names->addWidget(btnMakeName);
  auto* random = new QHBoxLayout;
  random->addWidget(cbxRandom);
  random->addSpacing(16);
  random->addWidget(new QLabel(QStringLiteral("Max:"), this));
  random->addWidget(sedMaxRandom);
  random->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btbtnOK);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(counts);
  layout->addWidget(new QLabel(QStringLiteral("Имена переменных (через пробел)"), this));
  layout->addLayout(names);
  layout->addWidget(new QLabel(QStringLiteral("Название файла"), this));
  layout->addWidget(edFileName);
  layout->addLayout(random);
  layout->addLayout(buttons);
  resize(380, 0);

  connect(btnMakeName, &QPushButton::clicked, this, &TfmNewData::btnMakeNameClick);
  connect(btbtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmNewData::btnMakeNameClick() {
  if (sedCol->value() > 0) edVarName->setText(QString::fromStdString(AutoNames(sedCol->value())));
}

NewDataRequest TfmNewData::Request() const {
  NewDataRequest request;
  request.variables = sedCol->value();
  request.values = sedRow->value();
  request.names = edVarName->text().toStdString();
  request.fileName = edFileName->text().toStdString();
  request.random = cbxRandom->isChecked();
  request.maxRandom = sedMaxRandom->value();
  return request;
}

}  // namespace tavrel
