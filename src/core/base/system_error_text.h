#pragma once
// The Russian wording of the operating system's error codes, for messages
// that tell the user why a file could not be opened, read or written.
#include <string>

namespace tavrel {

// The reason for errno value errnum, in Russian and in lower case (so it can
// follow a colon): "нет такого файла или каталога", "нет доступа", ...
// A code without its own wording is given as the system words it, followed
// by its number in brackets.
std::string SystemErrorText(int errnum);

}  // namespace tavrel
