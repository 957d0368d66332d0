#pragma once
// The values the graph settings may take: the ranges the dialogs offer, and
// the wider ones the settings file may hold (a file may ask for more than a
// dialog offers, say a print step for a printer of fine resolution). A value
// outside its file range would draw nothing sound, and is refused on reading.
#include <cstdint>

namespace tavrel {

struct SettingRange {
  std::int32_t min = 0;
  std::int32_t max = 0;

  constexpr bool Holds(std::int32_t value) const { return value >= min && value <= max; }
  constexpr bool Holds(SettingRange part) const { return Holds(part.min) && Holds(part.max); }
};

// What the settings file may hold: steps in pixels or printer dots, pen widths, font sizes in points.
inline constexpr SettingRange kStepValues{1, 1000};
inline constexpr SettingRange kPenWidthValues{1, 1000};
inline constexpr SettingRange kFontSizeValues{1, 1000};

// The configuration dialog's spin boxes.
inline constexpr SettingRange kConfigStepX{1, 40};
inline constexpr SettingRange kConfigStepY{6, 60};
inline constexpr SettingRange kConfigPenWidth{1, 1000};
// The print steps and pen width, in the configuration and the print settings dialogs.
inline constexpr SettingRange kPrintStep{10, 100};
inline constexpr SettingRange kPrintPenWidth{1, 40};
// The graph settings dialog's.
inline constexpr SettingRange kGraphStep{1, 1000};
inline constexpr SettingRange kGraphPenWidth{1, 6};

static_assert(kStepValues.Holds(kConfigStepX) && kStepValues.Holds(kConfigStepY) && kStepValues.Holds(kPrintStep) &&
              kStepValues.Holds(kGraphStep));
static_assert(kPenWidthValues.Holds(kConfigPenWidth) && kPenWidthValues.Holds(kPrintPenWidth) &&
              kPenWidthValues.Holds(kGraphPenWidth));

}  // namespace tavrel
