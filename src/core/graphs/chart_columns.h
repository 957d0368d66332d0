#pragma once
// A line drawn through more points than the plot has pixel columns fills a
// band a column at a time. Laid out as the runs it fills in each column, it
// paints in a fraction of the time a line takes, and runs that a series
// painted later covers need not be painted at all: a chart of a hundred such
// series then costs about what one costs.
#include <cstddef>
#include <vector>

#include "core/graphs/chart_projection.h"

namespace tavrel {

// The runs that a line of width 1 through points (left to right, x in
// pixels) fills, column by column: a pair of corners for each, its top left
// (x, y) and its bottom right (x + 1, y'), x whole.
std::vector<Vec2> ColumnRunsOf(const std::vector<Vec2>& points);

// Runs painted one after the other, items[i] over items[i - 1]: each keeps
// only what no later one covers. An item left with nothing has no corners.
void DropCoveredRuns(std::vector<std::vector<Vec2>*>& items);

}  // namespace tavrel
