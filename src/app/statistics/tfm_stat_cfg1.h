#pragma once
// "Выбор статистики": which of the ten analyses runs, and its options.
#include <QDialog>

class QListWidget;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavrel {

class TfmStatCfg1 : public QDialog {
  Q_OBJECT
 public:
  explicit TfmStatCfg1(QWidget* parent = nullptr);

  // Shows the dialog; "Далее" takes the options into StatConfig(), the close
  // box leaves them as they were.
  void Execute();

  QListWidget* lbxStat;
  QCheckBox* cbEqualHead;
  QCheckBox* cbReliablePrm;
  QCheckBox* cbxLevels;
  QLineEdit* edLevel;
  QPushButton* OKBtn;

 private:
  void lbxStatClick();
  void cbxLevelsClick();
  void OKBtnClick();
};

}  // namespace tavrel
