#pragma once
// "Создание новых данных": a new data set of zeros or random numbers.
#include <QDialog>

#include "core/data/new_data.h"

class QSpinBox;
class QLineEdit;
class QCheckBox;
class QPushButton;

namespace tavrel {

class TfmNewData : public QDialog {
  Q_OBJECT
 public:
  explicit TfmNewData(QWidget* parent = nullptr);

  // What the controls ask for.
  NewDataRequest Request() const;

  QSpinBox* sedCol;
  QSpinBox* sedRow;
  QLineEdit* edVarName;
  QPushButton* btnMakeName;
  QLineEdit* edFileName;
  QCheckBox* cbxRandom;
  QSpinBox* sedMaxRandom;
  QPushButton* btbtnOK;
  QPushButton* cancelButton;

 private:
  void btnMakeNameClick();
};

}  // namespace tavrel
