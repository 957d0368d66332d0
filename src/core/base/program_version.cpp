#include "core/base/program_version.h"

#include "version.h"

namespace tavrel {

FileVersion ReadFileVersion() {
  return {TAVREL_VERSION_MAJOR, TAVREL_VERSION_MINOR, TAVREL_VERSION_RELEASE, TAVREL_VERSION_BUILD};
}

std::string VersionText() {
  const FileVersion v = ReadFileVersion();
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.release) + "." +
         std::to_string(v.build);
}

std::string ProgramCaption() { return "Tavrel " + VersionText(); }

}  // namespace tavrel
