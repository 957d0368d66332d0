#pragma once
// Shows the results file in the program's viewer or in the external editor.

namespace tavrel {

class TfmSeeFile;

enum class ResultsCaller {
  MainWindow,  // the command "Просмотр результатов"
  AfterRun,    // the end of an analysis, and the data table window
};

void ShowResults(ResultsCaller caller, TfmSeeFile& viewer);

}  // namespace tavrel
