#pragma once
// The list of recently loaded data files at the end of the "Файл" menu.
#include <string>

#include "core/base/checked_array.h"

namespace tavrel {

inline constexpr int kRecentFilesMax = 8;

class RecentFiles {
 public:
  // Puts a loaded file's name first. A name already listed stays where it is;
  // a ninth name pushes the oldest out. Names keep their case.
  void Add(const std::string& name);
  // The names, newest first.
  const Array<std::string>& Names() const { return names_; }

 private:
  Array<std::string> names_;
};

// The menu caption of entry position (0-based): "&1 name" .. "&8 name".
std::string RecentCaption(int position, const std::string& name);

}  // namespace tavrel
