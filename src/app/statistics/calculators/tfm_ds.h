#pragma once
// "Диагностическая информативность": sensitivity, specificity, predictive
// values, accuracy and prevalence of a diagnostic test from its four counts.
#include <QDialog>

class QPushButton;

namespace tavrel {

class CalculatorGrid;

class TfmDs : public QDialog {
  Q_OBJECT
 public:
  explicit TfmDs(QWidget* parent = nullptr);

  CalculatorGrid* inputGrid;  // the counts: (condition present / absent, test positive / negative)
  CalculatorGrid* vlDs;       // the six measures, one a row
  QPushButton* btnCalc;
  QPushButton* OkBtn;

 private:
  void btnCalcClick();
};

}  // namespace tavrel
