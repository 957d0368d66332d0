#pragma once
// The program's settings: one field per key of the settings file.
#include <cstdint>
#include <string>

namespace tavrel {

struct Settings {
  // System
  std::string SystemPath;
  std::string HelpFile;
  std::int32_t EmptyValue = 0;
  std::string InputCat;
  std::string OutputCat;
  bool InnerEditor = false;
  std::string ExtEditor;
  bool IsZeroVarInput = false;
  bool SavePrmSel = false;
  // Graphic
  std::int32_t StepX = 0;
  std::int32_t StepY = 0;
  std::int32_t GraphFontSize = 0;
  std::string GraphFontName;
  std::int32_t GraphPenWidth = 0;
  std::int32_t YScaleType = 0;
  bool IsData = false;
  bool ZeroY = false;
  // PrintGraphic
  std::int32_t PrintStepX = 0;
  std::int32_t PrintStepY = 0;
  std::int32_t PrintGraphFontSize = 0;
  std::string PrintGraphFontName;
  std::int32_t PrintPenWidth = 0;
  // Font
  std::int32_t TextFontSize = 0;
  std::int32_t PrintTextFontSize = 0;
  std::string TextFontName;
  std::string PrintTextFontName;
  // Cluster
  std::int32_t ObjectDistance = 0;
  std::int32_t ClusterDistance = 0;
  bool IsAddClustNumber = false;
  bool IsClustCont = false;
  std::int32_t ClusterNumber = 0;

  // Not in the file: captions of the chosen distance methods.
  std::string ObjectDistanceName;
  std::string ClusterDistanceName;
};

inline constexpr const char* kSettingsFileName = "Tavrel.ini";
inline constexpr const char* kNoSettingsFile = "Нет файла конфигурации:";

// Where the user's settings file lives: $XDG_CONFIG_HOME/tavrel/Tavrel.ini,
// by default ~/.config/tavrel/Tavrel.ini.
std::string UserSettingsPath();

// Copies the distributed settings file (beside the program, in exeDir) to
// userPath when userPath does not exist yet. Returns whether userPath exists afterwards.
bool EnsureUserSettings(const std::string& userPath, const std::string& exeDir);

// Reads the settings file into s in the fixed key order. Returns false
// when the file does not exist (the caller warns with kNoSettingsFile + path).
// An integer key that does not convert, or a step, pen width or font size
// outside the values the file may hold (setting_ranges.h), keeps its start
// value while every other key is read; then a ConversionError names each such
// key with its text, one a line. A file that cannot be read (a directory, no
// permission, a special file, more than kMaxSettingsBytes) is an InOutError.
bool LoadSettings(const std::string& path, Settings& s);

// The directory texts as the user typed them in the configuration dialog; the
// file keeps these while the settings hold them normalised.
struct TypedDirectories {
  std::string SystemPath;
  std::string InputCat;
  std::string OutputCat;
};

// Writes every key of s the configuration dialog saves to the file at path (created
// when missing), keeping its other keys, sections and order. An empty ExtEditor
// leaves the file's old value. The file is replaced atomically.
void SaveSettings(const std::string& path, const Settings& s, const TypedDirectories& typed);

// A directory setting as used: trimmed, "/" appended when missing; empty stays empty.
std::string NormaliseDirectory(const std::string& text);
// A directory to work in: the setting, or the user's home directory when it is empty.
std::string EffectiveDirectory(const std::string& dir);

}  // namespace tavrel
