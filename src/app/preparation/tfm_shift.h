#pragma once
// "Смещение рядов": how many observations the chosen series are shifted by.
#include <QDialog>

class QSpinBox;
class QPushButton;

namespace tavrel {

class TfmShift : public QDialog {
  Q_OBJECT
 public:
  explicit TfmShift(QWidget* parent = nullptr);

  // Shows the dialog for the data set in force; "Далее" shifts the chosen
  // variables. Every way out leaves all variables in force.
  void Execute();
  int Shf = 0;

  QSpinBox* spnShift;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 private:
  void btbtnOKClick();
};

}  // namespace tavrel
