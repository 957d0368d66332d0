#include "app/graphs/tfm_comb_graf_cfg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/graphs/graph_widgets.h"
#include "app/graphs/tfm_comb_graph.h"

namespace tavrel {

TfmCombGrafCfg::TfmCombGrafCfg(TfmCombGraph* chart, QWidget* parent) : QDialog(parent), chart_(chart) {
  setObjectName("TfmCombGrafCfg");
  setWindowTitle(QStringLiteral("Вид графика"));
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  column->addLayout(form);
  const auto label = [this](const QString& caption, QWidget* buddy) {
    auto* l = new QLabel(caption, this);
    l->setBuddy(buddy);
    return l;
  };

  cbx3D = NamedCheck(this, "cbx3D");
  cbxOrtogonal = NamedCheck(this, "cbxOrtogonal");
  sedAngle = NamedSpin(this, "sedAngle", 1, 600);
  sedRotation = NamedSpin(this, "sedRotation", 1, 600);
  sedChart3DPercent = NamedSpin(this, "sedChart3DPercent", 1, 50);
  lblAngle_ = label(QStringLiteral("Подъем:"), sedAngle);
  lblRotation_ = label(QStringLiteral("Поворот:"), sedRotation);
  lblDepth_ = label(QStringLiteral("Глубина:"), sedChart3DPercent);
  form->addRow(QStringLiteral("Трехмерный вид:"), cbx3D);
  form->addRow(QStringLiteral("Перпендикулярно:"), cbxOrtogonal);
  form->addRow(lblAngle_, sedAngle);
  form->addRow(lblRotation_, sedRotation);
  form->addRow(lblDepth_, sedChart3DPercent);

  seTop = NamedSpin(this, "seTop", 1, 50);
  seBottom = NamedSpin(this, "seBottom", 1, 50);
  seLeft = NamedSpin(this, "seLeft", 1, 50);
  seRight = NamedSpin(this, "seRight", 1, 50);
  form->addRow(QStringLiteral("Поле сверху:"), seTop);
  form->addRow(QStringLiteral("Поле снизу:"), seBottom);
  form->addRow(QStringLiteral("Поле слева:"), seLeft);
  form->addRow(QStringLiteral("Поле справа:"), seRight);

  sedFontSizeX = NamedSpin(this, "sedFontSizeX", 1, 18);
  sedFontSizeY = NamedSpin(this, "sedFontSizeY", 1, 18);
  cbxGridX = NamedCheck(this, "cbxGridX");
  cbxGridY = NamedCheck(this, "cbxGridY");
  cbxAxYzero = NamedCheck(this, "cbxAxYzero");
  form->addRow(QStringLiteral("Шрифт оси X:"), sedFontSizeX);
  form->addRow(QStringLiteral("Шрифт оси Y:"), sedFontSizeY);
  form->addRow(QStringLiteral("Сетка X:"), cbxGridX);
  form->addRow(QStringLiteral("Сетка Y:"), cbxGridY);
  form->addRow(QStringLiteral("Ось Y от 0:"), cbxAxYzero);

  cbxMarks = NamedCheck(this, "cbxMarks");
  seCanvasWidth = NamedSpin(this, "seCanvasWidth", 1, 3000);
  seCanvasHeight = NamedSpin(this, "seCanvasHeight", 1, 2000);
  seCanvasWidth->setValue(900);
  seCanvasHeight->setValue(600);
  form->addRow(QStringLiteral("Значения:"), cbxMarks);
  form->addRow(QStringLiteral("Ширина окна:"), seCanvasWidth);
  form->addRow(QStringLiteral("Высота окна:"), seCanvasHeight);

  auto* buttons = new QHBoxLayout;
  btnOK = NamedButton(this, "btnOK", QStringLiteral("Далее"));
  btnOK->setDefault(true);
  bbtnCancel = NamedButton(this, "bbtnCancel", QStringLiteral("Отмена"));
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);

  for (QCheckBox* box : {cbx3D, cbxOrtogonal, cbxGridX, cbxGridY, cbxAxYzero})
    connect(box, &QCheckBox::toggled, this, [this] { ApplyControls(); });
  for (QSpinBox* spin : {sedAngle, sedRotation, sedChart3DPercent, seTop, seBottom, seLeft, seRight, sedFontSizeX,
                         sedFontSizeY})
    connect(spin, &QSpinBox::valueChanged, this, [this] { ApplyControls(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmCombGrafCfg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfmCombGrafCfg::FormShow() {
  shown_ = chart_->view;
  const ChartView& v = chart_->view;
  loading_ = true;
  cbxMarks->setChecked(chart_->cMarks);
  cbx3D->setChecked(v.view3D);
  cbxOrtogonal->setChecked(v.orthogonal);
  sedAngle->setValue(v.elevation);
  sedRotation->setValue(v.rotation);
  sedChart3DPercent->setValue(v.depthPercent);
  seTop->setValue(v.marginTop);
  seBottom->setValue(v.marginBottom);
  seLeft->setValue(v.marginLeft);
  seRight->setValue(v.marginRight);
  sedFontSizeX->setValue(v.fontSizeX);
  sedFontSizeY->setValue(v.fontSizeY);
  cbxGridX->setChecked(v.gridX);
  cbxGridY->setChecked(v.gridY);
  cbxAxYzero->setChecked(v.yFromZero);
  seCanvasWidth->setValue(chart_->width());
  seCanvasHeight->setValue(chart_->height());
  loading_ = false;
  EnableViewControls();
}

void TfmCombGrafCfg::EnableViewControls() {
  const bool on = cbx3D->isChecked();
  const bool angles = on && !cbxOrtogonal->isChecked();
  cbxOrtogonal->setEnabled(on);
  for (QWidget* w : std::initializer_list<QWidget*>{sedAngle, lblAngle_, sedRotation, lblRotation_})
    w->setEnabled(angles);
  sedChart3DPercent->setEnabled(on);
  lblDepth_->setEnabled(on);
}

void TfmCombGrafCfg::ApplyControls() {
  EnableViewControls();
  if (loading_) return;
  ChartView& v = chart_->view;
  v.view3D = cbx3D->isChecked();
  v.orthogonal = cbxOrtogonal->isChecked();
  v.elevation = sedAngle->value();
  v.rotation = sedRotation->value();
  v.depthPercent = sedChart3DPercent->value();
  v.marginTop = seTop->value();
  v.marginBottom = seBottom->value();
  v.marginLeft = seLeft->value();
  v.marginRight = seRight->value();
  v.fontSizeX = sedFontSizeX->value();
  v.fontSizeY = sedFontSizeY->value();
  v.gridX = cbxGridX->isChecked();
  v.gridY = cbxGridY->isChecked();
  v.yFromZero = cbxAxYzero->isChecked();
  chart_->ApplyView();
}

void TfmCombGrafCfg::btnOKClick() {
  chart_->ShowValues(cbxMarks->isChecked());
  chart_->resize(seCanvasWidth->value(), seCanvasHeight->value());
  accept();
}

void TfmCombGrafCfg::reject() {
  chart_->view = shown_;
  chart_->ApplyView();
  QDialog::reject();
}

}  // namespace tavrel
