#pragma once
// "Различие по t-критерию Стьюдента": two means compared from their sigmas or
// standard errors and sizes; t and p shown and copied to the clipboard.
#include <QDialog>

class QPushButton;

namespace tavrel {

class CalculatorGrid;

class TfmStudent1 : public QDialog {
  Q_OBJECT
 public:
  explicit TfmStudent1(QWidget* parent = nullptr);

  CalculatorGrid* inputGrid;   // the input: (sample, row) with rows mean, sigma, standard error, size
  CalculatorGrid* resultGrid;  // the result: t in (1, 1), p in (2, 1)
  QPushButton* btnCalc;
  QPushButton* OkBtn;

 private:
  void btnCalcClick();
};

}  // namespace tavrel
