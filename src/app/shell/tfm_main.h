#pragma once
#include <QMainWindow>

namespace tavrel {

// The program's main window: menu bar, tool bar and status line.
class TfmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfmMain(QWidget* parent = nullptr);
};

}  // namespace tavrel
