#pragma once
// "Замена значений": one value replaced by another in one variable or all.
#include <QDialog>

class QLineEdit;
class QComboBox;
class QPushButton;

namespace tavrel {

class TfmReplace : public QDialog {
  Q_OBJECT
 public:
  explicit TfmReplace(QWidget* parent = nullptr);
  // Shows the dialog for the variables in force.
  void Execute();

  QLineEdit* edNmb1;
  QLineEdit* edNmb2;
  QComboBox* cbxVar1;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 private:
  void btbtnOKClick();
};

}  // namespace tavrel
