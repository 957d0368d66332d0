#pragma once
// "Настройка графики": steps, Y scale, axes, smoothing, pen width and font of
// the sequential graph and the graphic editor.
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrel {

class TfmLevel;
class TfmEditMarkAxX;

class TfmGraghCfg : public QDialog {
  Q_OBJECT
 public:
  TfmGraghCfg(TfmLevel* level, TfmEditMarkAxX* marks, QWidget* parent = nullptr);

  // Shows the dialog; true when the command goes on. The close box goes on
  // with the settings as they were; "Отмена" and Esc stop the command.
  [[nodiscard]] bool Execute();

  QSpinBox* seStepX;
  QCheckBox* cbxAxXinterval;
  QCheckBox* cbxData;
  QCheckBox* cbxUpperAxX;
  QPushButton* btnMarkX;
  QSpinBox* seStepY;
  QComboBox* cbScaleY;
  QPushButton* btnChangeScale;
  QCheckBox* cbxZeroY;
  QPushButton* btnMarkY;
  QSpinBox* sedPenWidth;
  QPushButton* btnGraphFont;
  QCheckBox* cbxSmooth3;
  QCheckBox* cbxSmooth5;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();
  void btbtnOKClick();
  void btnChangeScaleClick();
  void btnGraphFontClick();

  TfmLevel* level_;
  TfmEditMarkAxX* marks_;
  QList<QWidget*> scaleControls_;  // off in the graphic editor
  QFont lastFont_;
  bool fontChosen_ = false;
  bool cancelled_ = false;  // left with "Отмена" or Esc
};

}  // namespace tavrel
