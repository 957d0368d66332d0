#pragma once
// "Масштаб по оси У": the Y tick step of every variable in force, typed by the user.
#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tavrel {

class TfmEditScaleY : public QDialog {
  Q_OBJECT
 public:
  explicit TfmEditScaleY(QWidget* parent = nullptr);

  QTableWidget* stepsGrid;
  QPushButton* OKBtn;
  QPushButton* bbtnCancel;

 private:
  void FormShow();
  void OKBtnClick();
};

}  // namespace tavrel
