#pragma once
// The Russian wording of the reasons libzip and expat give, as SystemErrorText
// words the system's: lower case, to follow a colon.
#include <string>

struct zip_error;

namespace tavrel {

// Why libzip failed: "не является zip-архивом", "неверная контрольная сумма"...
// A failure of the system (reading, seeking) adds its reason after a colon.
// A code without its own wording is given with its number.
std::string ZipErrorText(const zip_error* error);
// The same for a bare libzip code, as zip_open reports it.
std::string ZipErrorText(int code);

// Why expat refused a document (an XML_Error code): "документ составлен
// неверно", "незакрытый тег"... A code without its own wording is given with its number.
std::string XmlErrorText(int code);

}  // namespace tavrel
