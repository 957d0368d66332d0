#pragma once
// "Выбор переменных": the variables a command works on.
#include <QDialog>

class QListWidget;
class QCheckBox;
class QPushButton;

namespace tavrel {

class TfmVar : public QDialog {
  Q_OBJECT
 public:
  explicit TfmVar(QWidget* parent = nullptr);

  // Shows the dialog for the current OperationMode; afterwards IsAbort tells
  // whether the command must stop. The chosen variables are then in force.
  void Execute();
  bool IsAbort = false;

  QListWidget* variableList;
  QCheckBox* cbxSavePrm;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 private:
  void btbtnOKClick();
};

}  // namespace tavrel
