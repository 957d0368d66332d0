#pragma once
// The frame the fixed-size picture windows share: a tool bar with saving,
// printing, the printer set-up and closing, over the picture, which is drawn
// once when the window is shown.
#include <QDialog>
#include <QImage>
#include <QString>

#include "draw/graphs/picture_file.h"

class QAction;
class QLabel;
class QToolBar;

namespace tavrel {

class PictureWindow : public QDialog {
  Q_OBJECT
 public:
  // Shows the window modally; the picture is drawn first.
  void Execute();
  // Writes the picture to path by its suffix; says so and returns false when it failed.
  bool SavePictureAs(const QString& path);
  // Prints the picture on one page; says so and returns false when it failed.
  bool Print();
  // The picture as shown; blank after a refusal.
  const QImage& Picture() const { return picture_; }

  QToolBar* toolBar;
  QAction* saveTool;
  QAction* tbtnPrint;
  QAction* printSetupTool;
  QAction* tbtnExit;
  QLabel* pictureLabel;

 protected:
  PictureWindow(const char* name, const QString& caption, QWidget* parent);
  // Lays the picture out from the data; returns the refusal, or an empty text.
  virtual std::string Layout() = 0;
  // Paints the laid-out picture.
  virtual void Paint(QPainter& p) const = 0;

 private:
  void FormShow();
  void SaveClick();

  QImage picture_;
  bool drawn_ = false;  // false after a refusal: nothing to save or print
};

}  // namespace tavrel
