#pragma once
#include <string>

namespace tavrel {

struct FileVersion {
  int major = 0;
  int minor = 0;
  int release = 0;
  int build = 0;
};

// The version compiled into the program.
FileVersion ReadFileVersion();
// "major.minor.release.build".
std::string VersionText();
// The main window's caption, "Tavrel " and the version; the title of every report.
std::string ProgramCaption();

}  // namespace tavrel
