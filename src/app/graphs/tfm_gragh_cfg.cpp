#include "app/graphs/tfm_gragh_cfg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/graphs/graph_run_options.h"
#include "core/shell/setting_ranges.h"
#include "app/graphs/graph_widgets.h"
#include "app/graphs/tfm_edit_mark_ax_x.h"
#include "app/graphs/tfm_edit_scale_y.h"
#include "app/graphs/tfm_level.h"
#include "core/shell/settings.h"

namespace tavrel {

TfmGraghCfg::TfmGraghCfg(TfmLevel* level, TfmEditMarkAxX* marks, QWidget* parent)
    : QDialog(parent), level_(level), marks_(marks) {
  setObjectName("TfmGraghCfg");
  setWindowTitle(QStringLiteral("Настройка графики"));
  auto* column = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  column->addLayout(groups);

  auto* axisX = new QGroupBox(QStringLiteral("Ось Х"), this);
  auto* formX = new QFormLayout(axisX);
  seStepX = NamedSpin(axisX, "seStepX", kGraphStep.min, kGraphStep.max);
  auto* stepXLabel = new QLabel(QStringLiteral("Шаг:"), axisX);
  formX->addRow(stepXLabel, seStepX);
  cbxAxXinterval = NamedCheck(axisX, "cbxAxXinterval", QStringLiteral("Вывод меток с интервалом в 5 значений"));
  formX->addRow(QStringLiteral("Интервал:"), cbxAxXinterval);
  cbxData = NamedCheck(axisX, "cbxData", QStringLiteral("Вывод дат из поля DATE, а не порядкового номера"));
  formX->addRow(QStringLiteral("Вывод дат:"), cbxData);
  cbxUpperAxX = NamedCheck(axisX, "cbxUpperAxX", QStringLiteral("Вывод оси наверху графика"));
  formX->addRow(QStringLiteral("Верхняя:"), cbxUpperAxX);
  btnMarkX = NamedButton(axisX, "btnMarkX", QStringLiteral("Выбор меток"), QStringLiteral("Выбор меток по оси Х"));
  formX->addRow(btnMarkX);
  groups->addWidget(axisX);

  auto* axisY = new QGroupBox(QStringLiteral("Ось У"), this);
  auto* formY = new QFormLayout(axisY);
  seStepY = NamedSpin(axisY, "seStepY", kGraphStep.min, kGraphStep.max);
  auto* stepYLabel = new QLabel(QStringLiteral("Шаг:"), axisY);
  formY->addRow(stepYLabel, seStepY);
  cbScaleY = new QComboBox(axisY);
  cbScaleY->setObjectName("cbScaleY");
  cbScaleY->addItems({QStringLiteral("Автомат"), QStringLiteral("Стандарт"), QStringLiteral("Выбор")});
  auto* scaleLabel = new QLabel(QStringLiteral("Масштаб:"), axisY);
  formY->addRow(scaleLabel, cbScaleY);
  btnChangeScale = NamedButton(axisY, "btnChangeScale", QStringLiteral("Изменить масштаб"));
  formY->addRow(btnChangeScale);
  cbxZeroY = NamedCheck(axisY, "cbxZeroY", QStringLiteral("Начало отсчета значений от 0, а не от минимума"));
  formY->addRow(QStringLiteral("От 0:"), cbxZeroY);
  btnMarkY = NamedButton(axisY, "btnMarkY", QStringLiteral("Выбор меток"));
  formY->addRow(btnMarkY);
  groups->addWidget(axisY);

  auto* right = new QVBoxLayout;
  auto* graphics = new QGroupBox(QStringLiteral("Графика "), this);
  auto* formG = new QFormLayout(graphics);
  sedPenWidth = NamedSpin(graphics, "sedPenWidth", kGraphPenWidth.min, kGraphPenWidth.max);
  sedPenWidth->setValue(Config().GraphPenWidth);
  formG->addRow(QStringLiteral("Толщина линии:"), sedPenWidth);
  btnGraphFont = NamedButton(graphics, "btnGraphFont", QStringLiteral("Шрифт"));
  formG->addRow(btnGraphFont);
  right->addWidget(graphics);
  auto* data = new QGroupBox(QStringLiteral("Данные"), this);
  auto* formD = new QFormLayout(data);
  cbxSmooth3 = NamedCheck(data, "cbxSmooth3", QStringLiteral("Сглаживание по 3 точкам"));
  formD->addRow(QStringLiteral("Сглаживание (3):"), cbxSmooth3);
  cbxSmooth5 = NamedCheck(data, "cbxSmooth5", QStringLiteral("Сглаживание по 5 точкам"));
  formD->addRow(QStringLiteral("Сглаживание (5):"), cbxSmooth5);
  right->addWidget(data);
  groups->addLayout(right);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  btbtnOK = NamedButton(this, "btbtnOK", QStringLiteral("Далее"));
  btbtnOK->setDefault(true);
  bbtnCancel = NamedButton(this, "bbtnCancel", QStringLiteral("Отмена"));
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);

  scaleControls_ = {seStepX, seStepY, cbScaleY, cbxZeroY, btnChangeScale, stepXLabel, stepYLabel, scaleLabel};
  connect(btbtnOK, &QPushButton::clicked, this, [this] { btbtnOKClick(); });
  connect(bbtnCancel, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    reject();
  });
  connect(btnChangeScale, &QPushButton::clicked, this, [this] { btnChangeScaleClick(); });
  connect(btnGraphFont, &QPushButton::clicked, this, [this] { btnGraphFontClick(); });
  connect(btnMarkX, &QPushButton::clicked, this, [this] { marks_->Execute(); });
  connect(btnMarkY, &QPushButton::clicked, this, [this] { level_->Execute(); });
}

bool TfmGraghCfg::Execute() {
  FormShow();
  exec();
  return !cancelled_;
}

void TfmGraghCfg::FormShow() {
  cancelled_ = false;
  Settings& s = Config();
  const bool editor = Data().OperationMode == kModeGraphicEditor;
  for (QWidget* w : scaleControls_) w->setEnabled(!editor);
  if (editor) s.ZeroY = false;
  cbxData->setChecked(s.IsData);
  cbxAxXinterval->setChecked(GraphRunOptions().XLabelsEvery5);
  cbxZeroY->setChecked(s.ZeroY);
  seStepX->setValue(s.StepX);
  seStepY->setValue(s.StepY);
  cbScaleY->setCurrentIndex(s.YScaleType >= 0 && s.YScaleType <= 2 ? s.YScaleType : 0);
}

void TfmGraghCfg::btbtnOKClick() {
  Settings& s = Config();
  GraphOptions& g = GraphRunOptions();
  g.XLabelsEvery5 = cbxAxXinterval->isChecked();
  g.UpperXAxis = cbxUpperAxX->isChecked();
  s.IsData = cbxData->isChecked();
  g.Smooth3 = cbxSmooth3->isChecked();
  g.Smooth5 = cbxSmooth5->isChecked();
  AppendSmoothingNotes(g, Data());
  s.ZeroY = cbxZeroY->isChecked();
  s.StepX = seStepX->value();
  s.StepY = seStepY->value();
  const int scale = cbScaleY->currentIndex();
  const bool recompute = scale != s.YScaleType && scale != 2;
  s.YScaleType = scale;
  if (recompute) ComputeVarSteps(Data(), s);
  s.GraphPenWidth = sedPenWidth->value();
  cancelled_ = false;
  accept();
}

void TfmGraghCfg::btnChangeScaleClick() {
  Settings& s = Config();
  s.YScaleType = cbScaleY->currentIndex();
  if (s.YScaleType == 0 || s.YScaleType == 1) ComputeVarSteps(Data(), Config());
  TfmEditScaleY scale(this);
  scale.exec();
  cbScaleY->setCurrentIndex(2);
  s.YScaleType = 2;
}

void TfmGraghCfg::btnGraphFontClick() {
  bool ok = false;
  const QFont font = fontChosen_ ? QFontDialog::getFont(&ok, lastFont_, this) : QFontDialog::getFont(&ok, this);
  if (!ok) return;
  lastFont_ = font;
  fontChosen_ = true;
  Config().GraphFontName = font.family().toStdString();
  Config().GraphFontSize = font.pointSize();
}

void TfmGraghCfg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    bbtnCancel->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tavrel
