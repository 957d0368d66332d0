#include "core/graphs/chart_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace tavrel {

namespace {

// Half the width of the line: a point at y fills from y - kHalfLine to y + kHalfLine.
constexpr double kHalfLine = 0.5;

struct Run {
  double top;
  double bottom;
};

}  // namespace

std::vector<Vec2> ColumnRunsOf(const std::vector<Vec2>& points) {
  // The extent of the line in each column it crosses, in order.
  struct Column {
    double x;
    Run run;
  };
  std::vector<Column> columns;
  const auto add = [&](double column, double y0, double y1) {
    if (columns.empty() || columns.back().x != column)
      columns.push_back({column, {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}});
    Run& run = columns.back().run;
    run.top = std::min({run.top, y0, y1});
    run.bottom = std::max({run.bottom, y0, y1});
  };
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Vec2 a = i == 0 ? points[0] : points[i - 1];
    const Vec2 b = points[i];
    const double first = std::floor(a.x), last = std::floor(b.x);
    if (a.x == b.x || first == last) {
      add(first, a.y, b.y);
      continue;
    }
    // A segment across several columns, taken in the line's direction: its
    // height where it enters and leaves each.
    const double slope = (b.y - a.y) / (b.x - a.x);
    const double left = std::min(a.x, b.x), right = std::max(a.x, b.x), step = first < last ? 1 : -1;
    for (double column = first; column != last + step; column += step) {
      const double x0 = std::max(left, column), x1 = std::min(right, column + 1);
      add(column, a.y + (x0 - a.x) * slope, a.y + (x1 - a.x) * slope);
    }
  }
  std::vector<Vec2> runs;
  runs.reserve(2 * columns.size());
  for (const Column& c : columns) {
    runs.push_back({c.x, c.run.top - kHalfLine});
    runs.push_back({c.x + 1, c.run.bottom + kHalfLine});
  }
  return runs;
}

void DropCoveredRuns(std::vector<std::vector<Vec2>*>& items) {
  // What the items painted later cover in each column, as runs apart from
  // one another in order from the top.
  std::unordered_map<double, std::vector<Run>> covered;
  std::vector<Vec2> kept;
  for (std::size_t i = items.size(); i-- > 0;) {
    std::vector<Vec2>& runs = *items[i];
    kept.clear();
    for (std::size_t k = 0; k + 1 < runs.size(); k += 2) {
      const double x = runs[k].x;
      Run run{runs[k].y, runs[k + 1].y};
      std::vector<Run>& cover = covered[x];
      // The parts of the run between the covered ones.
      double from = run.top;
      for (const Run& c : cover) {
        if (c.bottom <= from) continue;
        if (c.top >= run.bottom) break;
        if (c.top > from) {
          kept.push_back({x, from});
          kept.push_back({x + 1, c.top});
        }
        from = std::max(from, c.bottom);
      }
      if (from < run.bottom) {
        kept.push_back({x, from});
        kept.push_back({x + 1, run.bottom});
      }
      // The run joins the cover, merged with those it meets.
      auto at = std::lower_bound(cover.begin(), cover.end(), run.top, [](const Run& c, double top) {
        return c.bottom < top;
      });
      auto end = at;
      while (end != cover.end() && end->top <= run.bottom) {
        run.top = std::min(run.top, end->top);
        run.bottom = std::max(run.bottom, end->bottom);
        ++end;
      }
      at = cover.erase(at, end);
      cover.insert(at, run);
    }
    runs.assign(kept.begin(), kept.end());
  }
}

}  // namespace tavrel
