#include "app/shell/program_session.h"

#include "core/data/results_file.h"
#include "core/data/session.h"

namespace tavrel {

Session& ProgramSession() {
  static Session session;
  return session;
}

DataSet& Data() { return ProgramSession().data; }

Settings& Config() { return ProgramSession().settings; }

ResultsFileWriter& ResultsFile() {
  static ResultsFileWriter writer;
  return writer;
}

void ResetDataSet() {
  ProgramSession().data = DataSet{};
  ProgramSession().overlays = GraphOverlays{};
}

void ResetSettings() { ProgramSession().settings = Settings{}; }

}  // namespace tavrel
