#pragma once
// The Russian text of a system error number, for the messages that name one.
#include <string>

namespace tavrel {

// The common cases (no such file, no permission, no space left, read-only file
// system and a few more) in Russian; any other number as the system words it,
// followed by its number.
std::string SystemErrorText(int errnum);

}  // namespace tavrel
