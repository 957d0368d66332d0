#include "shell/distance_names.h"

namespace tavrel {

const Array<std::string>& ObjectDistanceNames() {
  static const Array<std::string> names{"Евклидово", "Махалонобиса", "Хемминга"};
  return names;
}

const Array<std::string>& ClusterDistanceNames() {
  static const Array<std::string> names{"\"Ближнего соседа\"", "\"Дальнего соседа\"", "Средней связи",
                                        "Центроидный метод", "Метод Уорда",        "\"Гибкий\" метод"};
  return names;
}

}  // namespace tavrel
