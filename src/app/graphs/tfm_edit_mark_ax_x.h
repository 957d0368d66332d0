#pragma once
// "Метки по оси Х": the observations (days) marked by vertical lines through all bands.
#include <QDialog>

class QListView;
class QPushButton;

namespace tavrel {

class PenBar;
class ObservationListModel;

class TfmEditMarkAxX : public QDialog {
  Q_OBJECT
 public:
  explicit TfmEditMarkAxX(QWidget* parent = nullptr);

  // Shows the observations with the marked ones selected; "Далее" marks the
  // selected ones, "Отмена" clears every mark.
  void Execute();

  QListView* marksList;
  PenBar* penBar;
  QPushButton* btnOK;
  QPushButton* bbtnCansel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow();
  void btnOKClick();
  void bbtnCanselClick();

  ObservationListModel* model_;
};

}  // namespace tavrel
