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

  // Shows the dialog for the current OperationMode; true when the command goes
  // on, with the chosen variables in force.
  bool Execute();
  // The last Execute's answer turned round, for the data table's commands.
  bool IsAbort = false;

  QListWidget* variableList;
  QCheckBox* cbxSavePrm;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 private:
  void btbtnOKClick();
};

}  // namespace tavrel
