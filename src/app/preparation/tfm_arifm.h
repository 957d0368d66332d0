#pragma once
// "Арифметика переменных": R = A op B, observation by observation. Each
// "Расчет" says what it did; leaving by "Отмена", Esc or the close box puts
// the data back as they were when the dialog opened.
#include <QDialog>
#include <optional>

#include "core/preparation/edit_history.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tavrel {

class TfmArifm : public QDialog {
  Q_OBJECT
 public:
  explicit TfmArifm(QWidget* parent = nullptr);
  // Shows the dialog for the variables in force; returns the change when
  // kept with "Далее" and nothing when the data are as they were.
  std::optional<Change> Execute();

  QComboBox* cbxVar1;
  QComboBox* cbxSign;
  QComboBox* cbxVar2;
  QComboBox* cbxResult;
  QLabel* lblDone;
  QPushButton* btnCalculate;
  QPushButton* OkBtn;
  QPushButton* CancelBtn;

 private:
  void CalculateClick();
};

}  // namespace tavrel
