#include "statistics/statistics_run.h"

#include "data/checked_array.h"

namespace tavrel {

StatOptions& StatConfig() {
  static StatOptions options;
  return options;
}

void ResetStatOptions() { StatConfig() = StatOptions{}; }

const char* AnalysisCaption(int stSel) {
  static const Array<const char*> kCaptions = {
      "Элементарная статистика", "Вариативность данных",   "Пороговые уровни ",
      "Нормальность данных",     "Корреляция по Пирсону",  "Корреляция по Спирмену",
      "Различие по Стьюденту",   "Различие пар по Стьюденту", "Различие по Уилкоксону",
      "Различие пар по Уилкоксону"};
  return kCaptions[stSel];
}

}  // namespace tavrel
