#include "core/shell/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/shell/ini_file.h"
#include "core/shell/setting_ranges.h"

namespace tavrel {

namespace {

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

void MakeDirectories(const std::string& dir) {
  for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
    if (pos == dir.size() || dir[pos] == '/') mkdir(dir.substr(0, pos).c_str(), 0755);
  }
}

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  std::string dir = home && *home ? home : "/";
  if (dir.back() != '/') dir += '/';
  return dir;
}

// Reads the keys in their fixed order. An integer that does not convert, or
// lies outside its range, keeps its field as it was and is noted; the keys
// after it are read all the same.
class SettingsReader {
 public:
  explicit SettingsReader(const IniFile& ini) : ini_(ini) {}

  void Int(const char* section, const char* key, std::int32_t& field) {
    if (const auto value = Integer(section, key)) field = *value;
  }
  // An integer that must also lie in range: one outside it keeps the field as
  // it was and is noted, as one that does not convert.
  void Int(const char* section, const char* key, std::int32_t& field, SettingRange range) {
    const auto value = Integer(section, key);
    if (!value) return;
    if (range.Holds(*value)) {
      field = *value;
    } else {
      Note(section, key,
           "«" + std::to_string(*value) + "» вне допустимых значений " + std::to_string(range.min) + ".." +
               std::to_string(range.max));
    }
  }
  // What was not taken, one key a line; empty when every key was.
  const std::string& Problems() const { return problems_; }
  void Bool(const char* section, const char* key, bool& field) {
    const std::string text = ini_.Read(section, key).value_or("0");
    field = !text.empty() && text != "0";
  }
  void String(const char* section, const char* key, std::string& field) {
    field = ini_.Read(section, key).value_or("");
  }

 private:
  std::optional<std::int32_t> Integer(const char* section, const char* key) {
    try {
      return UserInteger(ini_.Read(section, key).value_or(""));
    } catch (const ConversionError& e) {
      Note(section, key, e.what());
      return std::nullopt;
    }
  }
  void Note(const char* section, const char* key, const std::string& problem) {
    if (!problems_.empty()) problems_ += "\n";
    problems_ += problem + " (ключ " + key + " раздела " + section + " файла конфигурации)";
  }

  const IniFile& ini_;
  std::string problems_;
};

std::string BoolText(bool b) { return b ? "1" : "0"; }

}  // namespace

std::string UserSettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base = xdg && *xdg ? xdg : HomeDirectory() + ".config";
  if (base.back() != '/') base += '/';
  return base + "tavrel/" + kSettingsFileName;
}

bool EnsureUserSettings(const std::string& userPath, const std::string& exeDir) {
  if (Exists(userPath)) return true;
  const std::string distributed = exeDir + kSettingsFileName;
  std::ifstream in(distributed, std::ios::binary);
  if (!in) return false;
  const std::size_t slash = userPath.rfind('/');
  if (slash != std::string::npos) MakeDirectories(userPath.substr(0, slash));
  {
    std::ofstream out(userPath + ".tmp", std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    if (!out) return false;
  }
  return std::rename((userPath + ".tmp").c_str(), userPath.c_str()) == 0;
}

bool LoadSettings(const std::string& path, Settings& s) {
  if (!Exists(path)) return false;
  const IniFile ini = IniFile::Load(path);
  SettingsReader r(ini);
  r.Int("Graphic", "StepX", s.StepX, kStepValues);
  r.Int("Graphic", "StepY", s.StepY, kStepValues);
  r.Int("Graphic", "GraphFontSize", s.GraphFontSize, kFontSizeValues);
  r.String("Graphic", "GraphFontName", s.GraphFontName);
  r.Int("Graphic", "GraphPenWidth", s.GraphPenWidth, kPenWidthValues);
  r.Int("PrintGraphic", "PrintStepX", s.PrintStepX, kStepValues);
  r.Int("PrintGraphic", "PrintStepY", s.PrintStepY, kStepValues);
  r.Int("PrintGraphic", "PrintGraphFontSize", s.PrintGraphFontSize, kFontSizeValues);
  r.String("PrintGraphic", "PrintGraphFontName", s.PrintGraphFontName);
  r.Int("PrintGraphic", "PrintPenWidth", s.PrintPenWidth, kPenWidthValues);
  r.Int("Graphic", "YScaleType", s.YScaleType);
  r.Bool("Graphic", "IsData", s.IsData);
  r.Bool("Graphic", "ZeroY", s.ZeroY);
  r.Int("Font", "TextFontSize", s.TextFontSize, kFontSizeValues);
  r.Int("Font", "PrintTextFontSize", s.PrintTextFontSize, kFontSizeValues);
  r.String("Font", "TextFontName", s.TextFontName);
  r.String("Font", "PrintTextFontName", s.PrintTextFontName);
  r.Bool("System", "InnerEditor", s.InnerEditor);
  r.String("System", "ExtEditor", s.ExtEditor);
  r.Int("Cluster", "ObjectDistance", s.ObjectDistance);
  r.Int("Cluster", "ClusterDistance", s.ClusterDistance);
  r.Bool("Cluster", "IsAddClustNumber", s.IsAddClustNumber);
  r.Bool("Cluster", "IsClustCont", s.IsClustCont);
  r.Int("Cluster", "ClusterNumber", s.ClusterNumber);
  r.String("System", "SystemPath", s.SystemPath);
  r.String("System", "HelpFile", s.HelpFile);
  r.Int("System", "EmptyValue", s.EmptyValue);
  r.String("System", "InputCat", s.InputCat);
  r.String("System", "OutputCat", s.OutputCat);
  r.Bool("System", "IsZeroVarInput", s.IsZeroVarInput);
  r.Bool("System", "SavePrmSel", s.SavePrmSel);
  if (!r.Problems().empty()) throw ConversionError(r.Problems());
  return true;
}

void SaveSettings(const std::string& path, const Settings& s, const TypedDirectories& typed) {
  IniFile ini = IniFile::Load(path);
  ini.Write("System", "SystemPath", typed.SystemPath);
  ini.Write("System", "InputCat", typed.InputCat);
  ini.Write("System", "OutputCat", typed.OutputCat);
  ini.Write("System", "EmptyValue", std::to_string(s.EmptyValue));
  ini.Write("System", "InnerEditor", BoolText(s.InnerEditor));
  ini.Write("System", "IsZeroVarInput", BoolText(s.IsZeroVarInput));
  ini.Write("System", "SavePrmSel", BoolText(s.SavePrmSel));
  if (!TrimBlanks(s.ExtEditor).empty()) ini.Write("System", "ExtEditor", s.ExtEditor);
  ini.Write("Graphic", "StepX", std::to_string(s.StepX));
  ini.Write("Graphic", "StepY", std::to_string(s.StepY));
  ini.Write("Graphic", "GraphFontSize", std::to_string(s.GraphFontSize));
  ini.Write("Graphic", "GraphFontName", s.GraphFontName);
  ini.Write("Graphic", "GraphPenWidth", std::to_string(s.GraphPenWidth));
  ini.Write("PrintGraphic", "PrintStepX", std::to_string(s.PrintStepX));
  ini.Write("PrintGraphic", "PrintStepY", std::to_string(s.PrintStepY));
  ini.Write("PrintGraphic", "PrintGraphFontSize", std::to_string(s.PrintGraphFontSize));
  ini.Write("PrintGraphic", "PrintGraphFontName", s.PrintGraphFontName);
  ini.Write("PrintGraphic", "PrintPenWidth", std::to_string(s.PrintPenWidth));
  ini.Write("Graphic", "YScaleType", std::to_string(s.YScaleType));
  ini.Write("Graphic", "ZeroY", BoolText(s.ZeroY));
  ini.Write("Graphic", "IsData", BoolText(s.IsData));
  ini.Write("Font", "TextFontSize", std::to_string(s.TextFontSize));
  ini.Write("Font", "PrintTextFontSize", std::to_string(s.PrintTextFontSize));
  ini.Write("Font", "TextFontName", s.TextFontName);
  ini.Write("Font", "PrintTextFontName", s.PrintTextFontName);
  ini.Write("Cluster", "ObjectDistance", std::to_string(s.ObjectDistance));
  ini.Write("Cluster", "ClusterDistance", std::to_string(s.ClusterDistance));
  ini.Write("Cluster", "IsAddClustNumber", BoolText(s.IsAddClustNumber));
  ini.Write("Cluster", "IsClustCont", BoolText(s.IsClustCont));
  ini.Write("Cluster", "ClusterNumber", std::to_string(s.ClusterNumber));
  ini.Save(path);
}

std::string NormaliseDirectory(const std::string& text) {
  std::string dir(TrimBlanks(text));
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string EffectiveDirectory(const std::string& dir) { return dir.empty() ? HomeDirectory() : dir; }

}  // namespace tavrel
