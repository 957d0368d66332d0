#pragma once
// "Системная информация": the machine's memory, disk, processor, board and system.
#include <QDialog>

#include "core/shell/system_info.h"

class QPushButton;
class QTableWidget;

namespace tavrel {

class TfmSys : public QDialog {
  Q_OBJECT
 public:
  explicit TfmSys(const SystemInfo& info, QWidget* parent = nullptr);

  // The keys and their values; a value may be edited on screen, nothing is kept.
  QTableWidget* vlSys;
  QPushButton* btnCancel;
};

// The command: reads the running system and shows the window.
void RunSystemInformation(QWidget* parent);

}  // namespace tavrel
