#include "app/cluster/tfm_param_cluster.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "app/shell/command_options.h"
#include "app/shell/program_session.h"
#include "core/cluster/cluster_options.h"
#include "core/shell/settings.h"
#include "app/shell/typed_number.h"

namespace tavrel {

namespace {

QCheckBox* CheckBox(const char* name, const char* caption, const char* hint, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setToolTip(QString::fromUtf8(hint));
  box->setLayoutDirection(Qt::RightToLeft);  // the caption stands before the box
  return box;
}

// A radio group: its items in rows of the given number of columns.
QButtonGroup* RadioGroup(const char* name, const char* caption, const char* (*item)(int), int count, int columns,
                         QWidget* parent, QLayout* into) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  auto* grid = new QGridLayout(frame);
  auto* group = new QButtonGroup(frame);
  group->setObjectName(QString::fromLatin1(name));
  const int rows = (count + columns - 1) / columns;
  for (int i = 0; i < count; ++i) {
    auto* button = new QRadioButton(QString::fromUtf8(item(i)), frame);
    group->addButton(button, i);
    grid->addWidget(button, i % rows, i / rows);
  }
  into->addWidget(frame);
  return group;
}

}  // namespace

TfmParamCluster::TfmParamCluster(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Кластерный анализ"));
  auto* layout = new QVBoxLayout(this);

  auto* countRow = new QHBoxLayout;
  auto* countLabel = new QLabel(QStringLiteral("Число кластеров:"), this);
  sedNbmClust = new QSpinBox(this);
  sedNbmClust->setObjectName(QStringLiteral("sedNbmClust"));
  sedNbmClust->setRange(kMinClusterNumber, kMaxClusterNumber);
  countLabel->setBuddy(sedNbmClust);
  countRow->addWidget(countLabel);
  countRow->addWidget(sedNbmClust);
  countRow->addStretch();
  layout->addLayout(countRow);

  cbxAddClust = CheckBox("cbxAddClust", "Переменная кластеров:", "Добавление переменной номеров кластеров", this);
  cbxDistance =
      CheckBox("cbxDistance", "Расстояния между объектами:", "Вывод массива расстояний между объектами", this);
  cbxClustCont =
      CheckBox("cbxClustCont", "Содержание кластеров:", "Вывод порядковых номеров строк, вошедших в кластеры", this);
  for (QCheckBox* box : {cbxAddClust, cbxDistance, cbxClustCont}) layout->addWidget(box, 0, Qt::AlignLeft);

  rgrpObjDistance = RadioGroup("rgrpObjDistance", "Расстояние между объектами", ObjectDistanceCaption,
                               kObjectDistanceCount, 1, this, layout);
  rgrpClustDistance = RadioGroup("rgrpClustDistance", "Межкластерное расстояние (методы)", JoiningMethodCaption,
                                 kJoiningMethodCount, 2, this, layout);
  connect(rgrpClustDistance, &QButtonGroup::idClicked, this, [this] { rgrpClustDistanceClick(); });

  betaEdit = new QLineEdit(QString::fromLatin1(kDefaultBetaText), this);
  betaEdit->setObjectName(QStringLiteral("betaEdit"));
  layout->addWidget(betaEdit);

  OKBtn = new QPushButton(QStringLiteral("Далее"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons);
}

bool TfmParamCluster::Execute() { return exec() == QDialog::Accepted; }

void TfmParamCluster::showEvent(QShowEvent* event) {
  const ClusterOptions& o = ClusterConfig();
  if (QAbstractButton* b = rgrpObjDistance->button(o.ObjectDistance)) b->setChecked(true);
  if (QAbstractButton* b = rgrpClustDistance->button(o.ClusterDistance)) b->setChecked(true);
  sedNbmClust->setValue(o.ClusterNumber);
  cbxAddClust->setChecked(o.AddClustNumber);
  cbxDistance->setChecked(o.PrintDistances);
  cbxClustCont->setChecked(o.ClustCont);
  rgrpClustDistanceClick();
  QDialog::showEvent(event);
}

void TfmParamCluster::rgrpClustDistanceClick() { betaEdit->setVisible(rgrpClustDistance->checkedId() == kFlexible); }

void TfmParamCluster::OKBtnClick() {
  // Beta counts only for the flexible method, whose choice shows its field.
  std::optional<double> beta;
  if (rgrpClustDistance->checkedId() == kFlexible) {
    beta = TypedNumber(betaEdit, QStringLiteral("β"));
    if (!beta) return;
  }
  ClusterOptions& o = ClusterConfig();
  Settings& s = Config();
  if (rgrpObjDistance->checkedId() >= 0) {
    o.ObjectDistance = rgrpObjDistance->checkedId();
    s.ObjectDistanceName = ObjectDistanceCaption(o.ObjectDistance);
  }
  if (rgrpClustDistance->checkedId() >= 0) {
    o.ClusterDistance = rgrpClustDistance->checkedId();
    s.ClusterDistanceName = JoiningMethodCaption(o.ClusterDistance);
  }
  o.ClusterNumber = sedNbmClust->value();
  o.AddClustNumber = cbxAddClust->isChecked();
  o.PrintDistances = cbxDistance->isChecked();
  o.ClustCont = cbxClustCont->isChecked();
  if (beta) o.Beta = *beta;
  accept();
}

}  // namespace tavrel
