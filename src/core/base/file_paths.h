#pragma once
// The parts of a path, with "/" as the separator.
#include <string>

namespace tavrel {

// The file name of a path without its directory.
std::string FileNameOf(const std::string& path);
// The directory of a path with its trailing "/", empty when it has none.
std::string DirectoryOf(const std::string& path);

}  // namespace tavrel
