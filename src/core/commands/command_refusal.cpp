#include "core/commands/command_refusal.h"

namespace tavrel {

int ExitCode(RefusalKind kind) {
  switch (kind) {
    case RefusalKind::Input:
      return 3;
    case RefusalKind::Choice:
      return 4;
    case RefusalKind::Output:
      return 5;
    case RefusalKind::Analysis:
      return 6;
  }
  return 1;
}

}  // namespace tavrel
