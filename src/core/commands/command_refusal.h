#pragma once
// How a command says it cannot do what was asked: one kind per reason, each
// with the program's own message. A window shows the message; the batch tool
// prints it and exits with the kind's code.
#include <string>

#include "core/base/errors.h"

namespace tavrel {

enum class RefusalKind {
  Input,     // the data file or a settings file named does not load
  Choice,    // the data or the chosen variables do not suit the command
  Output,    // the output file is refused or could not be written
  Analysis,  // the computation failed on these data
};

struct CommandRefusal : TavrelError {
  CommandRefusal(RefusalKind refusalKind, const std::string& message, bool isError = false)
      : TavrelError(message), kind(refusalKind), error(isError) {}
  RefusalKind kind;
  bool error;  // a window shows it as an error rather than a warning
};

// The batch tool's exit code for a refusal of that kind: 3 input, 4 choice,
// 5 output, 6 analysis (2 is a wrong call, 1 any other failure).
int ExitCode(RefusalKind kind);

}  // namespace tavrel
