#pragma once
// An INI file kept whole in memory: sections, keys, comments and their order
// survive a read-modify-write; a new key is appended to its section.
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

// The largest settings file read; the program's own is a few hundred bytes.
inline constexpr long long kMaxSettingsBytes = 1024 * 1024;

class IniFile {
 public:
  // Reads path (UTF-8); a missing file gives an empty one. An unreadable file,
  // one that is not a regular file (a pipe, a device) and one of more than
  // kMaxSettingsBytes are an InOutError.
  static IniFile Load(const std::string& path);
  static IniFile Parse(const std::string& text);

  // The value of key in section (names compared without ASCII case), if present.
  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  void Write(const std::string& section, const std::string& key, const std::string& value);

  std::string Text() const;
  // Writes the whole file to a temporary file beside path, then renames it over
  // path, so a failed write leaves the old file as it was. Failure is an InOutError.
  void Save(const std::string& path) const;

 private:
  struct Line {
    std::string raw;  // the line as read, for comments and blank lines
    std::string key;  // empty for lines that are not key=value
    std::string value;
  };
  struct Section {
    std::string name;  // empty for the lines before the first section
    std::vector<Line> lines;
  };
  std::vector<Section> sections_;
};

}  // namespace tavrel
