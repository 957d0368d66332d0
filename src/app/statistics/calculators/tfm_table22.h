#pragma once
// "Таблица сопряженности "2х2"": chi-square of two samples' event counts and
// totals, with the row percentages; the result is copied to the clipboard.
#include <QDialog>

class QPushButton;

namespace tavrel {

class CalculatorGrid;

class TfmTable22 : public QDialog {
  Q_OBJECT
 public:
  explicit TfmTable22(QWidget* parent = nullptr);

  CalculatorGrid* inputGrid;    // the input: events in (1, sample), totals in (2, sample)
  CalculatorGrid* percentGrid;  // the row percentages
  CalculatorGrid* resultGrid;   // the result: chi-square in (1, 1), p in (2, 1)
  QPushButton* btnCalc;
  QPushButton* btbtnOK;

 private:
  void btnCalcClick();
};

}  // namespace tavrel
