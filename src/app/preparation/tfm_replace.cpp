#include "app/preparation/tfm_replace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/preparation/transformations.h"

namespace tavrel {

TfmReplace::TfmReplace(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmReplace");
  setWindowTitle(QStringLiteral("Замена значений"));
  edNmb1 = new QLineEdit(this);
  edNmb1->setObjectName("edNmb1");
  edNmb2 = new QLineEdit(this);
  edNmb2->setObjectName("edNmb2");
  cbxVar1 = new QComboBox(this);
  cbxVar1->setObjectName("cbxVar1");
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  bbtnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCancel->setObjectName("bbtnCancel");
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Заменяемое значение:"), edNmb1);
  form->addRow(QStringLiteral("Замещающее значение:"), edNmb2);
  form->addRow(QStringLiteral("Переменная:"), cbxVar1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(btbtnOK, &QPushButton::clicked, this, &TfmReplace::btbtnOKClick);
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmReplace::Execute() {
  cbxVar1->clear();
  cbxVar1->addItem(QStringLiteral("Все"));
  const DataSet& d = Data();
  for (int v = 0; v <= d.LastVar; ++v) cbxVar1->addItem(QString::fromStdString(d.VarNames[v]));
  cbxVar1->setCurrentIndex(-1);
  exec();
}

void TfmReplace::btbtnOKClick() {
  const std::string from = edNmb1->text().trimmed().toStdString();
  const std::string to = edNmb2->text().trimmed().toStdString();
  if (from.empty() || to.empty()) {
    ShowMessage(MessageKind::Warning, std::string(kNothingEntered), this);
    return;
  }
  if (cbxVar1->currentIndex() < 0) {
    ShowMessage(MessageKind::Warning, QStringLiteral("Выберите переменную."), this);
    cbxVar1->setFocus();
    return;
  }
  double oldValue = 0, newValue = 0;
  try {
    oldValue = UserNumber(from);
  } catch (const ConversionError& e) {
    ShowMessage(MessageKind::Warning, "Заменяемое значение: " + std::string(e.what()), this);
    edNmb1->setFocus();
    return;
  }
  try {
    newValue = UserNumber(to);
  } catch (const ConversionError& e) {
    ShowMessage(MessageKind::Warning, "Замещающее значение: " + std::string(e.what()), this);
    edNmb2->setFocus();
    return;
  }
  ReplaceValues(Data(), oldValue, newValue, cbxVar1->currentIndex() - 1);
  accept();
}

}  // namespace tavrel
