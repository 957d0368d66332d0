#include "core/shell/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/data/errors.h"
#include "core/data/system_error_text.h"
#include "core/data/text_codec.h"

namespace tavrel {

namespace {

bool SameName(const std::string& a, const std::string& b) { return AsciiLower(a) == AsciiLower(b); }

}  // namespace

IniFile IniFile::Parse(const std::string& text) {
  IniFile ini;
  ini.sections_.push_back({});
  std::istringstream in(text);
  std::string raw;
  while (std::getline(in, raw)) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string trimmed(TrimBlanks(raw));
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      ini.sections_.push_back({trimmed.substr(1, trimmed.size() - 2), {}});
      continue;
    }
    Line line{raw, {}, {}};
    const std::size_t eq = trimmed.find('=');
    if (eq != std::string::npos && trimmed[0] != ';' && trimmed[0] != '#') {
      line.key = std::string(TrimBlanks(trimmed.substr(0, eq)));
      line.value = std::string(TrimBlanks(trimmed.substr(eq + 1)));
    }
    ini.sections_.back().lines.push_back(std::move(line));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return Parse("");
    throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  }
  if (S_ISDIR(info.st_mode)) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(EISDIR));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  std::ostringstream text;
  text << in.rdbuf();
  std::string bytes = text.str();
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  return Parse(bytes);
}

std::optional<std::string> IniFile::Read(const std::string& section, const std::string& key) const {
  for (const Section& s : sections_) {
    if (s.name.empty() || !SameName(s.name, section)) continue;
    for (const Line& line : s.lines)
      if (!line.key.empty() && SameName(line.key, key)) return line.value;
  }
  return std::nullopt;
}

void IniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
  Section* target = nullptr;
  for (Section& s : sections_) {
    if (s.name.empty() || !SameName(s.name, section)) continue;
    for (Line& line : s.lines) {
      if (!line.key.empty() && SameName(line.key, key)) {
        line.value = value;
        line.raw = line.key + "=" + value;
        return;
      }
    }
    if (!target) target = &s;
  }
  if (!target) {
    sections_.push_back({section, {}});
    target = &sections_.back();
  }
  // The new key goes after the section's last key, before trailing blank lines.
  auto pos = target->lines.end();
  while (pos != target->lines.begin() && std::prev(pos)->key.empty() &&
         TrimBlanks(std::prev(pos)->raw).empty())
    --pos;
  target->lines.insert(pos, Line{key + "=" + value, key, value});
}

std::string IniFile::Text() const {
  std::string out;
  for (const Section& s : sections_) {
    if (!s.name.empty()) out += "[" + s.name + "]\n";
    for (const Line& line : s.lines) out += line.raw + "\n";
  }
  return out;
}

void IniFile::Save(const std::string& path) const {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw InOutError("Не удаётся записать файл " + temp + ": " + SystemErrorText(errno));
    out << Text();
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      throw InOutError("Ошибка записи файла " + temp);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(temp.c_str());
    throw InOutError("Не удаётся заменить файл " + path + ": " + SystemErrorText(error));
  }
}

}  // namespace tavrel
