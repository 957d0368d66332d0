#include "app/statistics/tfm_stat_cfg1.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/shell/typed_number.h"
#include "app/shell/command_options.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(name);
  box->setToolTip(QString::fromUtf8(hint));
  box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

}  // namespace

TfmStatCfg1::TfmStatCfg1(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmStatCfg1");
  setWindowTitle(QStringLiteral("Выбор статистики"));
  lbxStat = new QListWidget(this);
  lbxStat->setObjectName("lbxStat");
  for (int i = 0; i < kAnalysisCount; ++i) lbxStat->addItem(QString::fromUtf8(AnalysisCaption(i)));
  cbEqualHead = CheckBox(this, "cbEqualHead", "Одинаковые переменные:", "Вывод переменных только с одинаковыми именами");
  cbReliablePrm = CheckBox(this, "cbReliablePrm", "Достоверные статистики:", "Вывод только достоверных статистик (p<0.05)");
  cbxLevels = CheckBox(this, "cbxLevels", "Уровень @:", "Вывод заданного значения M+n@");
  edLevel = new QLineEdit(this);
  edLevel->setObjectName("edLevel");
  edLevel->setMaximumWidth(60);
  edLevel->hide();
  OKBtn = new QPushButton(QStringLiteral("Далее"), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  btnCancel->setObjectName("btnCancel");

  auto* level = new QHBoxLayout;
  level->addWidget(cbxLevels);
  level->addWidget(edLevel);
  level->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbxStat);
  layout->addWidget(cbEqualHead, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addWidget(cbReliablePrm, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addLayout(level);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons);
  setFixedSize(300, 380);

  lbxStat->setCurrentRow(0);
  connect(lbxStat, &QListWidget::itemClicked, this, &TfmStatCfg1::lbxStatClick);
  connect(lbxStat, &QListWidget::currentRowChanged, this, &TfmStatCfg1::lbxStatClick);
  connect(cbxLevels, &QCheckBox::toggled, this, &TfmStatCfg1::cbxLevelsClick);
  connect(OKBtn, &QPushButton::clicked, this, &TfmStatCfg1::OKBtnClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  lbxStatClick();
}

bool TfmStatCfg1::Execute() {
  // The boxes wait until an analysis is picked.
  cbEqualHead->setEnabled(false);
  cbReliablePrm->setEnabled(false);
  cbxLevels->setEnabled(false);
  return exec() == QDialog::Accepted;
}

void TfmStatCfg1::lbxStatClick() {
  const int item = lbxStat->currentRow();
  cbEqualHead->setEnabled(item >= kStudent);
  cbReliablePrm->setEnabled(item >= kPearson);
  cbxLevels->setEnabled(item == kThresholdLevels);
}

void TfmStatCfg1::cbxLevelsClick() { edLevel->setVisible(cbxLevels->isChecked()); }

void TfmStatCfg1::OKBtnClick() {
  std::optional<double> level;
  if (cbxLevels->isChecked()) {
    level = TypedNumber(edLevel, QStringLiteral("Уровень @"));
    if (!level) return;
  }
  StatOptions& options = StatConfig();
  options.StSel = std::max(lbxStat->currentRow(), 0);
  options.EqualNamesOnly = cbEqualHead->isChecked();
  options.ReliableOnly = cbReliablePrm->isChecked();
  options.UserLevelOn = level.has_value();
  if (level) options.UserLevel = *level;
  accept();
}

}  // namespace tavrel
