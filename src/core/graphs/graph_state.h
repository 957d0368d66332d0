#pragma once
// What the graphs keep between their windows: the options of the settings
// dialog, the printed title, the level lines and the day marks with their pens.
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

struct GraphState {
  // Options of the graph settings dialog, for the run.
  bool UpperXAxis = false;
  bool XLabelsEvery5 = false;
  bool Smooth3 = false;
  bool Smooth5 = false;
  std::string PrintTitle;

  // Level lines (per load).
  bool ShowLevels = false;
  std::vector<VariableLevels> LevelValues;
  std::array<std::string, kLevelLineCount> LevelLabels;
  PenSpec LevelPen{kPenSolid, kMaroon, 0};
  bool LevelTicksOnly = false;

  // Day marks (per load): entry i marks observation row i.
  bool ShowXMarks = false;
  std::vector<bool> XMarks;
  PenSpec XMarkPen{kPenSolid, kNavy, 0};
};

// The single graph state of the process.
GraphState& Graph();
// Back to the state at program start (for tests).
void ResetGraphState();
// Forgets the level lines and day marks of the data set that is being replaced.
void ClearGraphOverlays();

// The levels remembered for the variable of that name, or nullptr.
const VariableLevels* LevelsOf(const std::string& name);
// The entry for that name, made when missing.
VariableLevels& LevelsFor(const std::string& name);

// Adds the sentences on the smoothing now chosen to the data preparation note.
void AppendSmoothingNotes();

}  // namespace tavrel
