#pragma once
// The start-up test for a running copy of the program.
#include <string>

#include "core/shell/instance_guard.h"

namespace tavrel {

// True when no other copy of programFile runs (guard then holds the lock);
// otherwise warns "Программа уже запущена" and returns false.
bool StartsAsFirstCopy(InstanceGuard& guard, const std::string& programFile);

}  // namespace tavrel
