#pragma once
// "Правка имен переменных": the names of the variables in force, one per row.
#include <QDialog>

class QTableWidget;
class QPushButton;

namespace tavrel {

class TfmPrmEdit : public QDialog {
  Q_OBJECT
 public:
  explicit TfmPrmEdit(QWidget* parent = nullptr);
  // Shows the dialog; "Далее" renames, "Отмена" changes nothing.
  void Execute();

  QTableWidget* namesGrid;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 private:
  void OKBtnClick();
};

}  // namespace tavrel
