#include "app/data/tfm_var.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/variable_selection.h"
#include "core/shell/settings.h"
#include "app/shell/message_service.h"

namespace tavrel {

TfmVar::TfmVar(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmVar");
  setWindowTitle(QStringLiteral("Выбор переменных"));
  variableList = new QListWidget(this);
  variableList->setObjectName("variableList");
  variableList->setSelectionMode(QAbstractItemView::MultiSelection);
  cbxSavePrm = new QCheckBox(QStringLiteral("Сохранить выбор:"), this);
  cbxSavePrm->setObjectName("cbxSavePrm");
  cbxSavePrm->setLayoutDirection(Qt::RightToLeft);
  cbxSavePrm->setToolTip(QStringLiteral("Удаляет невыбранные переменные"));
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  bbtnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCancel->setObjectName("bbtnCancel");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(variableList);
  layout->addWidget(cbxSavePrm, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addLayout(buttons);
  resize(260, 380);

  connect(btbtnOK, &QPushButton::clicked, this, &TfmVar::btbtnOKClick);
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfmVar::Execute() {
  IsAbort = true;
  const SelectionStart start = BeginSelection(Data(), Config());
  if (!start.warning.empty()) ShowMessage(MessageKind::Warning, start.warning, this);
  if (!start.enough) {
    // Nothing to choose from: the command ends whichever way the dialog is left.
    EndSelection(Data(), Data().KeepSelection);
    return false;
  }
  cbxSavePrm->setChecked(Data().KeepSelection);
  variableList->clear();
  for (long long i = 0; i < start.names.Count(); ++i) {
    variableList->addItem(QString::fromStdString(start.names[i]));
    variableList->item(static_cast<int>(i))->setSelected(start.preselected[i]);
  }
  if (variableList->count() > 0) variableList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  // "Отмена", Esc and the close box stop the command.
  IsAbort = exec() == QDialog::Rejected;
  EndSelection(Data(), cbxSavePrm->isChecked());
  return !IsAbort;
}

void TfmVar::btbtnOKClick() {
  std::vector<int> chosen;
  for (int i = 0; i < variableList->count(); ++i) {
    if (variableList->item(i)->isSelected()) chosen.push_back(i);
  }
  const std::string warning = ConfirmSelection(Data(), Config(), chosen);
  if (!warning.empty()) {
    ShowMessage(MessageKind::Warning, warning, this);
    return;
  }
  accept();
}

}  // namespace tavrel
