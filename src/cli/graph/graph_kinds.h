#pragma once
// The pictures the batch tool's graph command draws, one entry per kind.
#include <string>
#include <vector>

class QString;

namespace tavrel {
struct ChartModel;
struct ChartView;
struct GraphOptions;
}

namespace tavrel::cli {

class Arguments;

struct GraphKind {
  const char* name;
  int (*run)(const std::vector<std::string>& args);  // the arguments after the kind
};

// Draws the picture of the kind named first in args.
int RunGraph(const std::vector<std::string>& args);

// The picture file, the second word of a graph kind's arguments and its
// last: a missing one, one more word or a suffix no picture format has is a UsageError.
const std::string& PictureFile(const Arguments& args);

// The size of the chart pictures, that of the chart window.
inline constexpr int kChartWidth = 900;
inline constexpr int kChartHeight = 600;

// Writes the chart of model, as the chart window draws it, to path: the whole
// chart at kChartWidth x kChartHeight pixels with the line of means (none
// when empty) at its foot. A range that cannot be drawn or a failed write is
// a CommandRefusal.
void WriteChart(const QString& path, const ChartModel& model, const ChartView& view, const std::string& means);

// --smooth 3|5 of a graph kind switches that smoothing on in options; any other value is a UsageError.
void ApplySmoothOption(const Arguments& args, GraphOptions& options);

int RunSequentialGraph(const std::vector<std::string>& args);
int RunEditorGraph(const std::vector<std::string>& args);
int RunDendrogramGraph(const std::vector<std::string>& args);
int RunClusterDynamicsGraph(const std::vector<std::string>& args);
int RunCombinedGraph(const std::vector<std::string>& args);
int RunDistributionGraph(const std::vector<std::string>& args);
int RunScatterGraph(const std::vector<std::string>& args);

}  // namespace tavrel::cli
