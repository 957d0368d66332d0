#pragma once
// "Настройка печати": print steps, pen width, font, orientation and title of
// the printed sequential graph, and printing at once.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrel {

class TfmGraphic;

class TfmPrintCfg : public QDialog {
  Q_OBJECT
 public:
  TfmPrintCfg(TfmGraphic* graphic, QWidget* parent = nullptr);

  QCheckBox* cbxListDirection;
  QSpinBox* sePenWidth;
  QSpinBox* sePrStepX;
  QSpinBox* sePrStepY;
  QPushButton* btnPrintParam;
  QPushButton* btnGraphPrintFont;
  QLineEdit* edTitleGraph;
  QPushButton* okButton;
  QPushButton* printButton;
  QPushButton* bbtnCancel;

 private:
  void FormShow();
  void Apply();
  void btnGraphPrintFontClick();
  void btnPrintParamClick();

  TfmGraphic* graphic_;
};

}  // namespace tavrel
