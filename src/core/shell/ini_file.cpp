#include "core/shell/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/base/errors.h"
#include "core/base/system_error_text.h"
#include "core/base/text_codec.h"

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

namespace {

// The whole of a settings file. Only a regular file of at most kMaxSettingsBytes
// is read: a pipe or a device is refused before a byte is read (it is opened
// without waiting for a writer), and so is a file grown past the limit meanwhile.
std::string SettingsBytes(const std::string& path, int fd) {
  const auto refuse = [&](const std::string& why) { throw InOutError("Не удаётся прочитать файл " + path + ": " + why); };
  struct stat info {};
  if (fstat(fd, &info) != 0) refuse(SystemErrorText(errno));
  if (S_ISDIR(info.st_mode)) refuse(SystemErrorText(EISDIR));
  if (!S_ISREG(info.st_mode)) refuse("это не обычный файл");
  const std::string tooLarge = "файл конфигурации больше " + std::to_string(kMaxSettingsBytes / (1024 * 1024)) + " МБ";
  if (info.st_size > kMaxSettingsBytes) refuse(tooLarge);
  std::string bytes;
  char chunk[16384];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) refuse(SystemErrorText(errno));
    if (n == 0) return bytes;
    bytes.append(chunk, static_cast<std::size_t>(n));
    if (bytes.size() > static_cast<std::size_t>(kMaxSettingsBytes)) refuse(tooLarge);
  }
}

}  // namespace

IniFile IniFile::Load(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Parse("");
    throw InOutError("Не удаётся прочитать файл " + path + ": " + SystemErrorText(errno));
  }
  std::string bytes;
  try {
    bytes = SettingsBytes(path, fd);
  } catch (...) {
    close(fd);
    throw;
  }
  close(fd);
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
