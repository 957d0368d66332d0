#include "core/data/session.h"

#include <utility>

#include "core/base/errors.h"

namespace tavrel {

void ReplaceDataSet(Session& session, DataSet&& fresh) {
  session.data = std::move(fresh);
  ForgetLevelsAndMarks(session.overlays);
  session.settings.YScaleType = 0;
  ComputeVarSteps(session.data, session.settings);
}

bool LoadSessionSettings(const std::string& path, Session& session) {
  try {
    const bool found = LoadSettings(path, session.settings);
    if (found) session.data.EmptyValue = session.settings.EmptyValue;
    return found;
  } catch (const ConversionError&) {
    session.data.EmptyValue = session.settings.EmptyValue;
    throw;
  }
}

}  // namespace tavrel
