#include "core/cluster/distance_names.h"

#include "core/cluster/cluster_options.h"

namespace tavrel {

const Array<std::string>& ObjectDistanceNames() {
  // The same captions as the cluster parameter dialog's.
  static const Array<std::string> names = [] {
    Array<std::string> all;
    for (int i = 0; i < kObjectDistanceCount; ++i) all.push_back(ObjectDistanceCaption(i));
    return all;
  }();
  return names;
}

const Array<std::string>& ClusterDistanceNames() {
  static const Array<std::string> names{"\"Ближнего соседа\"", "\"Дальнего соседа\"", "Средней связи",
                                        "Центроидный метод", "Метод Уорда",        "\"Гибкий\" метод"};
  return names;
}

}  // namespace tavrel
