#pragma once
// "Арифметика переменных": R = A op B, observation by observation.
#include <QDialog>

class QComboBox;
class QPushButton;

namespace tavrel {

class TfmArifm : public QDialog {
  Q_OBJECT
 public:
  explicit TfmArifm(QWidget* parent = nullptr);
  // Shows the dialog for the variables in force.
  void Execute();

  QComboBox* cbxVar1;
  QComboBox* cbxSign;
  QComboBox* cbxVar2;
  QComboBox* cbxResult;
  QPushButton* Button1;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;

 private:
  void Button1Click();
};

}  // namespace tavrel
