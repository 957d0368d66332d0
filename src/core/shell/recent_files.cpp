#include "core/shell/recent_files.h"

#include <algorithm>

namespace tavrel {

void RecentFiles::Add(const std::string& name) {
  if (std::find(names_.begin(), names_.end(), name) != names_.end()) return;
  names_.insert(names_.begin(), name);
  if (names_.Count() > kRecentFilesMax) names_.pop_back();
}

std::string RecentCaption(int position, const std::string& name) {
  return "&" + std::to_string(position + 1) + " " + name;
}

}  // namespace tavrel
