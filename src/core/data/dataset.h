#pragma once
// The data set a session works on, and the routines that keep it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/base/checked_array.h"
#include "core/data/cluster_result.h"

namespace tavrel {

struct Settings;

// Which kind of command is running; read by the variable and output dialogs.
enum OperationModes : std::uint8_t {
  kModeStatistics = 0,
  kModeSequentialGraph = 1,
  kModeGraphicEditor = 2,
  kModeDistributionGraph = 3,
  kModeScatterDiagram = 4,
  kModeCluster = 5,
  kModeSaving = 6,
};

inline constexpr int kMaxVariables = 100;  // names a data file may have

struct DataSet {
  Array<Array<double>> DataValues;  // [variable][observation]
  Array<std::string> VarNames;      // UTF-8, at most 8 characters Windows-1251 can hold
  Array<std::int32_t> VarCounts;
  Array<double> VarSteps;
  // The observations' dates (observation_dates.h): empty when the data file
  // gave none, otherwise one for each of the NumObs rows, kept through every
  // row operation.
  Array<double> Dates;
  int NumVar = 0;       // variables in force; 0 = no data
  int LastVar = 0;      // NumVar - 1 while NumVar > 0
  int FullLastVar = 0;  // last variable of the whole data set
  std::int32_t NumObs = 0;
  std::int32_t LastObs = -1;
  std::int32_t EmptyValue = 0;  // the missing-value code
  int OperationMode = kModeStatistics;
  bool KeepSelection = false;
  bool FirstSelection = true;
  Array<bool> SelectMask;  // the remembered selection; survives loads
  bool HasMissing = false;
  // Pair analyses drop a pair's observation when either value is missing
  // (PairwiseMissing) or an outlier (PairwiseOutliers); set by the data table.
  bool PairwiseMissing = false;
  bool PairwiseOutliers = false;
  std::string DataFileName;
  std::string DataFileShortName;
  std::string ResultsFileName = "data.out";
  std::string ProcessingNote;
  std::string ExeDir;  // the program's directory, ending with "/"

  ClusterResult Cluster;  // the last cluster run, per load
};

// A copy of variable v: its name, its count - 1 (-1 for no values) and values 0..last.
struct Variable {
  std::string name;
  std::int32_t last = -1;
  Array<double> values;
};
Variable GetVariable(const DataSet& d, int v);

// The Y axis step of every variable, by the settings' YScaleType, StepY and ZeroY.
void ComputeVarSteps(DataSet& d, const Settings& s);
// The same for the given variables alone, after values of theirs changed; all
// of them when the steps are not those of the data set's variables in number.
void ComputeVarStepsOf(DataSet& d, const Settings& s, const std::vector<int>& variables);
double NiceStep(double range);

// Removes the variables in force that hold no data: every value that is not
// missing is 0, or no value is present. The last variable is never removed.
// Returns false (with the data set's counts unchanged) when it failed; the
// caller warns with kRemoveEmptyVarsFailed.
bool RemoveEmptyVars(DataSet& d);
inline constexpr const char* kRemoveEmptyVarsFailed = "Ошибка удаления пустой переменной.";

bool HasMissingValues(const DataSet& d);
// Calls work(v) for the variables v = 0..variables - 1 of d; those of a large
// table are shared among the cores, each taking every so-many-th. A failure
// is thrown again here once all have ended.
void ForEachVariable(const DataSet& d, int variables, const std::function<void(int v)>& work);
// Whether holds(v) is true for some variable v of d (0..LastVar), looked at
// as ForEachVariable does; the search stops once one is found.
bool AnyVariable(const DataSet& d, const std::function<bool(int v)>& holds);
// Whether a[0..n] holds the missing-value code.
bool ContainsEmpty(const Array<double>& a, std::int32_t n, double emptyValue);
bool CountsDiffer(const Array<std::int32_t>& a, std::int32_t n);

// A data set without data that keeps what survives a load of d: the
// missing-value code, the remembered selection, the command mode, the flags
// on missing values, the file names, the processing note and the program's directory.
DataSet EmptiedDataSet(const DataSet& d);
// d becomes EmptiedDataSet(d).
void ClearDataSet(DataSet& d);

// Narrowing and widening the variables in force (the variable dialog moves the
// chosen variables to the front; a finished command widens again).
void SwapVariables(DataSet& d, int a, int b);
void NarrowTo(DataSet& d, const std::vector<int>& chosen);
void WidenVariables(DataSet& d);
void WidenUnlessKept(DataSet& d);

}  // namespace tavrel
