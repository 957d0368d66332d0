#pragma once
// The frame of a command that works on chosen variables.
#include <QString>

#include "app/shell/program_session.h"
#include "app/shell/tfm_main.h"
#include "core/data/dataset.h"

namespace tavrel {

// Widens the variables again when the command ends, whichever way it ends
// (finished, refused, cancelled or failed), unless the user keeps the selection.
class WidenOnExit {
 public:
  WidenOnExit() = default;
  WidenOnExit(const WidenOnExit&) = delete;
  WidenOnExit& operator=(const WidenOnExit&) = delete;
  ~WidenOnExit() { WidenUnlessKept(Data()); }
};

// The main window's progress bar and status line while a report is written,
// reset when the command ends, whichever way it ends.
class ProgressShown {
 public:
  ProgressShown(TfmMain& main, const QString& status) : main_(main) {
    main_.SetProgress(0, 1);
    main_.SetInform(status);
  }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;
  ~ProgressShown() {
    main_.SetProgress(0, 1);
    main_.SetInform({});
  }

 private:
  TfmMain& main_;
};

}  // namespace tavrel
