#pragma once
#include <string>

namespace tavrel {

// The directory of the running program's file (links resolved, so a link in
// bin gives the directory of the real file), ending with "/"; "./" when the
// system does not tell.
std::string RunningProgramDirectory();

}  // namespace tavrel
