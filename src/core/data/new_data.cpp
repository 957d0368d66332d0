#include "core/data/new_data.h"

#include <algorithm>
#include <utility>

#include "core/base/table_memory.h"
#include "core/base/text_codec.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/variable_name.h"

namespace tavrel {

std::string AutoNames(int variables) {
  std::string text;
  for (int i = 1; i <= variables; ++i) text += " " + DefaultName(i);
  return text;
}

bool MakeNewData(const NewDataRequest& request, std::mt19937& random, Session& session) {
  if (request.variables <= 0 || request.values <= 0) return false;
  DataSet d = EmptiedDataSet(session.data);
  d.NumObs = request.values;
  d.LastObs = d.NumObs - 1;
  d.NumVar = request.variables;
  d.LastVar = d.NumVar - 1;
  d.FullLastVar = d.LastVar;
  d.DataValues = ZeroColumns(static_cast<std::size_t>(d.NumVar), static_cast<std::size_t>(d.NumObs));
  if (request.random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<std::int32_t> whole(0, std::max(request.maxRandom, 2) - 1);
    for (std::int32_t j = 0; j < d.NumObs; ++j) {
      for (int v = 0; v < d.NumVar; ++v) {
        d.DataValues[v][j] = request.maxRandom < 2 ? unit(random) : whole(random);
      }
    }
  }
  d.VarCounts.assign(static_cast<std::size_t>(d.NumVar), d.NumObs);
  d.VarNames.assign(static_cast<std::size_t>(d.NumVar), std::string());
  const std::string_view typed = TrimBlanks(request.names);
  const Array<std::string> names = typed.empty() ? Array<std::string>() : SplitNames(typed);
  for (int v = 0; v < d.NumVar; ++v) {
    d.VarNames[v] = v < names.Count() ? names[v] : DefaultName(v + 1);
  }
  d.DataFileName = TrimBlanks(request.fileName).empty() ? kNewFileName : request.fileName;
  d.DataFileShortName = d.DataFileName;
  ReplaceDataSet(session, std::move(d));
  return true;
}

std::mt19937& NewDataRandom() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

}  // namespace tavrel
