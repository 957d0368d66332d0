#pragma once
// "О программе": the program's picture, name and version, with a tune that
// plays over and over while the box is open.
#include <QDialog>
#include <memory>

#include "app/shell/tune_player.h"

class QLabel;
class QPushButton;

namespace tavrel {

class TfmAboutBx : public QDialog {
  Q_OBJECT
 public:
  explicit TfmAboutBx(std::unique_ptr<TunePlayer> player, QWidget* parent = nullptr);
  ~TfmAboutBx() override;

  // The tune to play while the box is open; none, or a file that does not exist, is silence.
  void SetTune(const QString& file) { tuneFile_ = file; }

  QLabel* imgPicture;
  QLabel* lblTitle;
  QLabel* lblSubtitle;
  QLabel* lblVersion;
  QLabel* lblNote;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::unique_ptr<TunePlayer> player_;
  QString tuneFile_;
  bool playing_ = false;
};

// The command: the box with the tune beside the program, shown modally.
void RunAbout(QWidget* parent, std::unique_ptr<TunePlayer> player);

}  // namespace tavrel
