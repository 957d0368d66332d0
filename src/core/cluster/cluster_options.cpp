#include "core/cluster/cluster_options.h"

#include <algorithm>

#include "core/base/checked_array.h"
#include "core/shell/settings.h"

namespace tavrel {

ClusterOptions ClusterOptionsFrom(const Settings& s) {
  ClusterOptions o;
  // A value the dialog could not show is taken as its first item (or the
  // nearest number of clusters the spin edit allows).
  if (s.ObjectDistance >= 0 && s.ObjectDistance < kObjectDistanceCount) o.ObjectDistance = s.ObjectDistance;
  if (s.ClusterDistance >= 0 && s.ClusterDistance < kJoiningMethodCount) o.ClusterDistance = s.ClusterDistance;
  o.ClusterNumber = std::clamp(s.ClusterNumber, kMinClusterNumber, kMaxClusterNumber);
  o.AddClustNumber = s.IsAddClustNumber;
  o.ClustCont = s.IsClustCont;
  return o;
}

namespace {

const Array<const char*> kObjectDistanceCaptions = {"Евклидово", "Махалонобиса", "Хемминга"};
const Array<const char*> kJoiningMethodCaptions = {
    "\"Ближнего соседа\"", "\"Дальнего соседа\"", "Средней связи", "Центроидный ", "Уорда", "\"Гибкий\" "};

}  // namespace

const char* ObjectDistanceCaption(int index) { return kObjectDistanceCaptions[index]; }
const char* JoiningMethodCaption(int index) { return kJoiningMethodCaptions[index]; }

}  // namespace tavrel
