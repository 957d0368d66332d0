#pragma once
// Where everything of the sequential graph goes, computed once when the graph
// is shown or its settings, levels, marks or zoom change; painting only reads it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/checked_array.h"
#include "core/data/graph_overlays.h"
#include "core/graphs/graph_options.h"
#include "core/graphs/y_ticks.h"

namespace tavrel {

struct DataSet;
struct Settings;

// What the sequential graph is drawn from.
struct SequentialSource {
  const DataSet& data;
  const Settings& settings;
  const GraphOptions& options;
  const GraphOverlays& overlays;
};

// The device a layout is made for: the window (screen settings) or a page.
struct SequentialDevice {
  int left = 0;        // left margin: the width of "WWWWWWWW" in the graph font
  int stepX = 1;       // pixels between two observations
  int stepY = 1;       // pixels between two Y ticks
  int firstTop = 30;   // top of the first band
  bool upperAxis = false;
  int pageHeight = 0;  // a page's height in device pixels; 0 lays out one endless page
  int pageWidth = 0;   // a page's width; 0: the days run on without a break
  int digitWidth = 0;  // width of one digit of the axis font, in device pixels
};

// Every how many ticks the X axis carries a day number: 1 when a label of
// labelWidth pixels fits one step of stepX, else the smallest of 5, 10, 20, 50,
// 100, 200, 500, ... whose labels stand clear of each other. With every5 the
// labels stay on multiples of 5 (5 when they fit there, else the next that fits).
int XLabelInterval(int stepX, int labelWidth, bool every5);

inline constexpr int kScreenFirstTop = 30;
inline constexpr int kPrintFirstTop = 100;

// A level line at its pixel row in its band.
struct LevelRow {
  int line = 0;  // 0..2
  int y = 0;
};

struct SequentialBand {
  int variable = 0;  // position in the data set
  std::string name;
  std::int32_t last = -1;  // last observation index
  YTicks ticks;
  int top = 0;
  int bottom = 0;
  long long right = 0;  // right end R
  int page = 0;
  std::vector<LevelRow> levels;
  const double* values = nullptr;  // the row of the data set the layout was made from
  // Drawn smoothed by the layout's smoothing (else as in the data set): the
  // smoothed values are computed for what is drawn, never kept.
  bool smoothed = false;
};

// One printed page: its bands and the X axis that closes it, over the days
// firstDay..lastDay (observation rows), drawn shift pixels to the left of
// where they lie in the whole graph. Every page repeats its bands' names and Y axes.
struct SequentialPage {
  int firstBand = 0;
  int lastBand = 0;
  int axisY = 0;
  std::int32_t firstDay = 0;
  std::int32_t lastDay = 0;
  long long shift = 0;
};

struct SequentialLayout {
  SequentialDevice device;
  double emptyValue = 0;
  bool labelsEvery5 = false;
  int xLabelEvery = 1;  // day k carries its number when k is a multiple of it
  std::string smoothing;  // the smoothing some band went through, named in the caption and the printed title
  bool smoothBy3 = false;  // the smoothing of the bands drawn smoothed
  bool smoothBy5 = false;
  // The observations' dates, labelling the X axis in place of their numbers
  // when the setting IsData asks for them and the data set has any; else null.
  const double* dates = nullptr;
  // "05.01.2024 – 20.01.2024", the first and the last observation's dates, when the
  // dates are shown, named in the printed title; else empty.
  std::string dateRange;
  std::vector<SequentialBand> bands;
  // Pages in reading order: the first days of every band, then the next days.
  std::vector<SequentialPage> pages;
  std::vector<std::int32_t> marks;  // observation rows with a day mark, within the table
  bool showLevels = false;
  bool levelTicksOnly = false;
  std::array<std::string, kLevelLineCount> levelLabels;
  PenSpec levelPen;
  PenSpec markPen;
  long long width = 0;   // extents of the whole graph, margins included
  long long height = 0;
  // What the user must hear (smoothing of too short a series), shown by the caller.
  std::vector<std::string> messages;

  // Observations first..final of band b as drawn (smoothed, or as in the data
  // set), into out; NaN at its gaps (missing or not finite).
  void DrawnValues(const SequentialBand& b, std::int32_t first, std::int32_t final, std::vector<double>& out) const;
  // Pixel row of a value of band b as drawn, or false for a gap.
  bool RowOf(const SequentialBand& b, double x, int& y) const;
  // Pixel row of observation j of band b, or false for a gap.
  bool PointY(const SequentialBand& b, std::int32_t j, int& y) const;
  long long PointX(std::int32_t j) const { return device.left + static_cast<long long>(device.stepX) * (j + 1); }
};

// Lays out the variables in force 0..LastVar of the source's data set with its
// VarSteps, the setting ZeroY, the options (smoothing, labels every 5) and the
// overlays (levels, marks). The bands point into the data set's rows: the
// layout is valid while that data set lives and its values stay as they were,
// and is made again when they change. Coordinates that would not fit the
// drawing system are an OverflowError.
SequentialLayout ComputeSequentialLayout(const SequentialSource& source, const SequentialDevice& device);

}  // namespace tavrel
