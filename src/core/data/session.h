#pragma once
// A session: the data set, what lives and dies with it (the level lines and
// day marks of its graphs; its cluster result lives inside it), and the
// settings it is worked on with. The program holds one, each batch run makes
// one, tests make their own.
#include <string>

#include "core/data/dataset.h"
#include "core/data/graph_overlays.h"
#include "core/shell/settings.h"

namespace tavrel {

struct Session {
  DataSet data;
  GraphOverlays overlays;
  Settings settings;
};

// Puts a newly made data set in force in place of the session's: the level
// lines and day marks of the one replaced are forgotten, and the Y scale goes
// back to its automatic steps, computed for the new data set.
void ReplaceDataSet(Session& session, DataSet&& fresh);

// LoadSettings into the session's settings; the data set takes the
// missing-value code read, also when some other key did not convert.
bool LoadSessionSettings(const std::string& path, Session& session);

}  // namespace tavrel
