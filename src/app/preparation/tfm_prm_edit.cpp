#include "app/preparation/tfm_prm_edit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/preparation/transformations.h"

namespace tavrel {

TfmPrmEdit::TfmPrmEdit(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmPrmEdit");
  setWindowTitle(QStringLiteral("Правка имен переменных"));
  // A short list of names: items are fine here.
  StringGrid2 = new QTableWidget(0, 1, this);
  StringGrid2->setObjectName("StringGrid2");
  StringGrid2->horizontalHeader()->hide();
  StringGrid2->horizontalHeader()->setStretchLastSection(true);
  StringGrid2->verticalHeader()->setDefaultSectionSize(20);
  OKBtn = new QPushButton(QStringLiteral("Далее"), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Отмена"), this);
  CancelBtn->setObjectName("CancelBtn");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid2);
  layout->addLayout(buttons);
  resize(240, 360);
  connect(OKBtn, &QPushButton::clicked, this, &TfmPrmEdit::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmPrmEdit::Execute() {
  const DataSet& d = Data();
  StringGrid2->setRowCount(d.LastVar + 1);
  for (int v = 0; v <= d.LastVar; ++v) {
    StringGrid2->setItem(v, 0, new QTableWidgetItem(QString::fromStdString(d.VarNames[v]).trimmed()));
  }
  if (d.LastVar >= 0) StringGrid2->setCurrentCell(0, 0);
  exec();
  StringGrid2->setRowCount(0);
}

void TfmPrmEdit::OKBtnClick() {
  std::vector<std::string> names;
  for (int r = 0; r < StringGrid2->rowCount(); ++r) {
    const QTableWidgetItem* item = StringGrid2->item(r, 0);
    names.push_back(item ? item->text().toStdString() : std::string());
  }
  RenameVariables(Data(), names);
  accept();
}

}  // namespace tavrel
