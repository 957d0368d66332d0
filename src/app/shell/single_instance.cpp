#include "app/shell/single_instance.h"

#include "app/shell/message_service.h"

namespace tavrel {

bool StartsAsFirstCopy(InstanceGuard& guard, const std::string& programFile) {
  if (guard.IsFirstInstance(programFile)) return true;
  ShowMessage(MessageKind::Warning, std::string(kAlreadyRunning));
  return false;
}

}  // namespace tavrel
