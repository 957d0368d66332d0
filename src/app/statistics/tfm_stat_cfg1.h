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

  // Shows the dialog; "Далее" takes the options into StatConfig() and the
  // command goes on (true). "Отмена", Esc and the close box leave them as they
  // were and the command stops (false).
  [[nodiscard]] bool Execute();

  QListWidget* lbxStat;
  QCheckBox* cbEqualHead;
  QCheckBox* cbReliablePrm;
  QCheckBox* cbxLevels;
  QLineEdit* edLevel;
  QPushButton* OKBtn;
  QPushButton* btnCancel;

 private:
  void lbxStatClick();
  void cbxLevelsClick();
  void OKBtnClick();
};

}  // namespace tavrel
