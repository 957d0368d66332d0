#include "core/data/variable_name.h"

#include "core/base/text_codec.h"

namespace tavrel {

std::string DefaultName(int column) { return "Var" + std::to_string(column); }

std::string CleanName(std::string_view text, int column) {
  // Cleaned before it is cut, so that a cut never ends the name on a blank.
  std::string name(TrimBlanks(text));
  if (name.empty()) return DefaultName(column);
  for (char& c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code <= 32 || code == 127) c = '_';
  }
  return StoreName(name);
}

}  // namespace tavrel
