#include "app/graphs/graph_run_options.h"

#include "app/shell/program_session.h"
#include "core/data/session.h"

namespace tavrel {

GraphOptions& GraphRunOptions() {
  static GraphOptions options;
  return options;
}

SequentialSource ProgramGraphSource() {
  Session& session = ProgramSession();
  return {session.data, session.settings, GraphRunOptions(), session.overlays};
}

}  // namespace tavrel
