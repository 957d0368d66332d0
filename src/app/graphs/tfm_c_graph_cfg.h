#pragma once
// "Настройка": the kind of the combined chart (lines, bars, areas and how
// several series share a position), its grid and view, then the chart.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavrel {

class TfmCombGraph;

class TfmcGraphCfg : public QDialog {
  Q_OBJECT
 public:
  TfmcGraphCfg(TfmCombGraph* chart, QWidget* parent = nullptr);

  // Charts opened in this run, for their file names.
  int ChartsOpened() const { return charts_; }
  // Seeds the series' colours; from the clock unless a test fixes it.
  void SetColourSeed(unsigned seed) { seed_ = seed; }

  QGroupBox* rgrGraphType;
  QRadioButton* rbLine;
  QRadioButton* rbBar;
  QRadioButton* rbArea;
  QComboBox* cbType;
  QCheckBox* cbxGrid;
  QCheckBox* cbx3D;
  QCheckBox* cbxOrtogonal;
  QSpinBox* sedAngle;
  QSpinBox* sedRotation;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void rgrGraphTypeClick();
  void EnableViewControls();
  void btbtnOKClick();

  TfmCombGraph* chart_;
  int charts_ = 0;
  unsigned seed_ = 0;
};

}  // namespace tavrel
