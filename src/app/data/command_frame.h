#pragma once
// The frame of a command that works on chosen variables.
#include "app/shell/program_session.h"
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

}  // namespace tavrel
