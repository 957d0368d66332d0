#include "app/data/tfm_var.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/dataset.h"
#include "core/data/variable_selection.h"
#include "core/shell/settings.h"
#include "app/shell/message_service.h"

namespace tavrel {

TfmVar::TfmVar(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmVar");
  setWindowTitle(QStringLiteral("Выбор переменных"));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
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
  layout->addWidget(ListBox1);
  layout->addWidget(cbxSavePrm, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addLayout(buttons);
  resize(260, 380);

  connect(btbtnOK, &QPushButton::clicked, this, &TfmVar::btbtnOKClick);
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmVar::Execute() {
  IsAbort = false;
  const SelectionStart start = BeginSelection(Data(), Config());
  if (!start.warning.empty()) ShowMessage(MessageKind::Warning, start.warning, this);
  if (!start.enough) {
    // Nothing to choose from: the command ends whichever way the dialog is left.
    IsAbort = true;
    EndSelection(Data(), Data().KeepSelection);
    return;
  }
  cbxSavePrm->setChecked(Data().KeepSelection);
  ListBox1->clear();
  for (long long i = 0; i < start.names.Count(); ++i) {
    ListBox1->addItem(QString::fromStdString(start.names[i]));
    ListBox1->item(static_cast<int>(i))->setSelected(start.preselected[i]);
  }
  if (ListBox1->count() > 0) ListBox1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  // "Отмена", Esc and the close box stop the command.
  if (exec() == QDialog::Rejected) IsAbort = true;
  EndSelection(Data(), cbxSavePrm->isChecked());
}

void TfmVar::btbtnOKClick() {
  std::vector<int> chosen;
  for (int i = 0; i < ListBox1->count(); ++i) {
    if (ListBox1->item(i)->isSelected()) chosen.push_back(i);
  }
  const std::string warning = ConfirmSelection(Data(), Config(), chosen);
  if (!warning.empty()) {
    ShowMessage(MessageKind::Warning, warning, this);
    return;
  }
  accept();
}

}  // namespace tavrel
