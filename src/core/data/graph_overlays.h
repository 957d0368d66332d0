#pragma once
// What the sequential graph draws over its bands: the level lines and the day
// marks with their pens. They belong to the data set they were set up for.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrel {

// Pen styles as the dialogs number them.
enum PenStyles : std::uint8_t { kPenSolid = 0, kPenDash, kPenDot, kPenDashDot, kPenDashDotDot };

struct PenSpec {
  int style = kPenSolid;
  std::uint32_t rgb = 0;  // 0xRRGGBB
  int width = 0;          // 0 draws the thinnest line
};

inline constexpr std::uint32_t kMaroon = 0x800000;
inline constexpr std::uint32_t kNavy = 0x000080;
inline constexpr int kLevelLineCount = 3;
inline constexpr const char* kLevelOff = "Нет";

// The three level values of one variable, remembered by its name so that a
// later graph of another selection draws them on that variable's band only.
struct VariableLevels {
  std::string name;
  std::array<double, kLevelLineCount> values{};
};

struct GraphOverlays {
  // Level lines; the values and whether they show go with the data set.
  bool ShowLevels = false;
  std::vector<VariableLevels> LevelValues;
  std::array<std::string, kLevelLineCount> LevelLabels;
  PenSpec LevelPen{kPenSolid, kMaroon, 0};
  bool LevelTicksOnly = false;

  // Day marks: entry i marks observation row i; they go with the data set.
  bool ShowXMarks = false;
  std::vector<bool> XMarks;
  PenSpec XMarkPen{kPenSolid, kNavy, 0};
};

// Forgets the level values and the day marks of a data set that was replaced;
// the captions and pens stay as the dialogs left them.
void ForgetLevelsAndMarks(GraphOverlays& overlays);

// The levels remembered for the variable of that name, or nullptr.
const VariableLevels* LevelsOf(const GraphOverlays& overlays, const std::string& name);
// The entry for that name, made when missing.
VariableLevels& LevelsFor(GraphOverlays& overlays, const std::string& name);

}  // namespace tavrel
