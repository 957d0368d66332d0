#pragma once
// The session of the running program: the data set the windows show and the
// commands work on, its graphs' levels and marks, the settings, and the
// results file the commands write. Engine code never reaches for these: the
// windows and commands pass what the engine reads.
namespace tavrel {

struct DataSet;
struct Session;
struct Settings;
class ResultsFileWriter;

Session& ProgramSession();
DataSet& Data();      // ProgramSession().data
Settings& Config();   // ProgramSession().settings
ResultsFileWriter& ResultsFile();

// Back to the state at program start (for tests).
void ResetDataSet();
void ResetSettings();

}  // namespace tavrel
