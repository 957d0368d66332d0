#include "app/graphs/tfm_c_graph_cfg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/graphs/chart_model.h"
#include "app/graphs/graph_widgets.h"
#include "app/graphs/tfm_comb_graph.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/shell/tavrel_application.h"

namespace tavrel {

TfmcGraphCfg::TfmcGraphCfg(TfmCombGraph* chart, QWidget* parent) : QDialog(parent), chart_(chart) {
  setObjectName("TfmcGraphCfg");
  setWindowTitle(QStringLiteral("Настройка"));
  auto* column = new QVBoxLayout(this);
  rgrGraphType = new QGroupBox(QStringLiteral("Тип графика"), this);
  rgrGraphType->setObjectName("rgrGraphType");
  auto* types = new QVBoxLayout(rgrGraphType);
  rbLine = new QRadioButton(QStringLiteral("Линейный"), rgrGraphType);
  rbBar = new QRadioButton(QStringLiteral("Столбчатый"), rgrGraphType);
  rbArea = new QRadioButton(QStringLiteral("С областями"), rgrGraphType);
  for (QRadioButton* b : {rbLine, rbBar, rbArea}) {
    types->addWidget(b);
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) rgrGraphTypeClick();
    });
  }
  column->addWidget(rgrGraphType);
  cbType = new QComboBox(this);
  cbType->setObjectName("cbType");
  column->addWidget(cbType);

  auto* form = new QFormLayout;
  cbxGrid = NamedCheck(this, "cbxGrid");
  cbx3D = NamedCheck(this, "cbx3D");
  cbxOrtogonal = NamedCheck(this, "cbxOrtogonal");
  sedAngle = NamedSpin(this, "sedAngle", 1, 600);
  sedRotation = NamedSpin(this, "sedRotation", 1, 600);
  form->addRow(QStringLiteral("Сетка:"), cbxGrid);
  form->addRow(QStringLiteral("Трехмерный вид:"), cbx3D);
  form->addRow(QStringLiteral("Перпендикулярно:"), cbxOrtogonal);
  form->addRow(QStringLiteral("Подъем:"), sedAngle);
  form->addRow(QStringLiteral("Поворот:"), sedRotation);
  column->addLayout(form);
  auto* buttons = new QHBoxLayout;
  btbtnOK = NamedButton(this, "btbtnOK", QStringLiteral("Далее"));
  btbtnOK->setDefault(true);
  bbtnCancel = NamedButton(this, "bbtnCancel", QStringLiteral("Отмена"));
  buttons->addStretch();
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);

  rbLine->setChecked(true);
  cbType->setEnabled(false);
  cbxOrtogonal->setChecked(true);
  sedAngle->setValue(345);
  sedRotation->setValue(345);
  EnableViewControls();
  connect(cbx3D, &QCheckBox::toggled, this, [this] { EnableViewControls(); });
  connect(cbxOrtogonal, &QCheckBox::toggled, this, [this] { EnableViewControls(); });
  connect(cbxGrid, &QCheckBox::toggled, this, [this](bool on) {
    chart_->view.gridX = chart_->view.gridY = on;
    chart_->ApplyView();
  });
  connect(btbtnOK, &QPushButton::clicked, this, Guarded([this] { btbtnOKClick(); }));
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmcGraphCfg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  cbxGrid->setChecked(chart_->view.gridY);
}

void TfmcGraphCfg::rgrGraphTypeClick() {
  cbType->clear();
  if (rbBar->isChecked()) {
    cbType->addItems({QStringLiteral("Подряд"), QStringLiteral("Один за другим"), QStringLiteral("Стек"),
                      QStringLiteral("Стек 100%")});
  } else if (rbArea->isChecked()) {
    cbType->addItems({QStringLiteral("Один за другим"), QStringLiteral("Стек"), QStringLiteral("Стек 100%")});
  }
  cbType->setEnabled(!rbLine->isChecked());
  cbType->setCurrentIndex(cbType->count() > 0 ? 0 : -1);
}

void TfmcGraphCfg::EnableViewControls() {
  cbxOrtogonal->setEnabled(cbx3D->isChecked());
  const bool angles = cbx3D->isChecked() && !cbxOrtogonal->isChecked();
  sedAngle->setEnabled(angles);
  sedRotation->setEnabled(angles);
}

void TfmcGraphCfg::btbtnOKClick() {
  SeriesKind kind = SeriesKind::Line;
  MultiMode mode = MultiMode::None;
  const QString sub = cbType->currentText();
  if (rbBar->isChecked()) {
    kind = SeriesKind::Bar;
    mode = sub == QStringLiteral("Подряд") ? MultiMode::Side : MultiMode::None;
  } else if (rbArea->isChecked()) {
    kind = SeriesKind::Area;
  }
  if (sub == QStringLiteral("Стек")) mode = MultiMode::Stacked;
  if (sub == QStringLiteral("Стек 100%")) mode = MultiMode::Stacked100;

  std::string refusal = kind == SeriesKind::Bar ? TooManyBars(Data()) : std::string();
  if (!refusal.empty()) {
    ShowMessage(MessageKind::Warning, refusal, this);
    return;
  }
  const unsigned useSeed = seed_ != 0 ? seed_ : static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch());
  ChartModel model = CombinedModel(Data(), kind, mode, cbx3D->isChecked(), useSeed, Config().IsData);
  // The extremes the window finds its points by also tell whether it can be drawn.
  std::vector<StackedSeries> stacked = StackedWithBlocks(model);
  refusal = UndrawableRange(model, stacked);
  if (!refusal.empty()) {
    ShowMessage(MessageKind::Warning, refusal, this);
    return;
  }
  ChartView& view = chart_->view;
  view.view3D = cbx3D->isChecked();
  if (view.view3D) {
    view.orthogonal = cbxOrtogonal->isChecked();
    if (!view.orthogonal) {
      view.elevation = sedAngle->value();
      view.rotation = sedRotation->value();
    }
  }
  hide();
  ++charts_;
  chart_->st = QString::fromStdString(
      ResultsFilePath(EffectiveDirectory(Config().OutputCat), "graph" + std::to_string(charts_) + ".bmp"));
  chart_->Execute(std::move(model), std::move(stacked), QString::fromStdString(MeansLine(Data())));
  accept();
}

}  // namespace tavrel
