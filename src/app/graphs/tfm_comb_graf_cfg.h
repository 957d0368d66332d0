#pragma once
// "Setup": the layout of the open chart (3-D view, margins, axis fonts, grids,
// the Y axis's start) changed at once, and the point values and the window's
// size on "Further". Leaving it otherwise puts the layout back as it was.
#include <QDialog>

#include "core/graphs/chart_view.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrel {

class TfmCombGraph;

class TfmCombGrafCfg : public QDialog {
  Q_OBJECT
 public:
  TfmCombGrafCfg(TfmCombGraph* chart, QWidget* parent = nullptr);

  QCheckBox* cbx3D;
  QCheckBox* cbxOrtogonal;
  QSpinBox* sedAngle;
  QSpinBox* sedRotation;
  QSpinBox* sedChart3DPercent;
  QSpinBox* seTop;
  QSpinBox* seBottom;
  QSpinBox* seLeft;
  QSpinBox* seRight;
  QSpinBox* sedFontSizeX;
  QSpinBox* sedFontSizeY;
  QCheckBox* cbxGridX;
  QCheckBox* cbxGridY;
  QCheckBox* cbxAxYzero;
  QCheckBox* cbxMarks;
  QSpinBox* seCanvasWidth;
  QSpinBox* seCanvasHeight;
  QPushButton* btnOK;
  QPushButton* bbtnCancel;

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void EnableViewControls();
  // Writes the controls into the chart's layout and redraws it.
  void ApplyControls();
  void btnOKClick();

  TfmCombGraph* chart_;
  ChartView shown_;       // the layout when the dialog opened, for leaving it
  bool loading_ = false;  // the controls are being filled from the chart
  QLabel* lblAngle_;
  QLabel* lblRotation_;
  QLabel* lblDepth_;
};

}  // namespace tavrel
