#include "core/graphs/date_labels.h"

#include <algorithm>
#include <cmath>

#include "core/data/observation_dates.h"

namespace tavrel {

std::int32_t DateLabelStep(double labelWidth, double pixelsPerObservation) {
  if (!(pixelsPerObservation > 0)) return 1;
  const double step = std::ceil((labelWidth + 4) / pixelsPerObservation);
  return static_cast<std::int32_t>(std::clamp(step, 1.0, 2147483647.0));
}

std::string DateTickLabel(const double* dates, std::int32_t j, std::int32_t step, std::int32_t first) {
  if (j % step != 0) return {};
  const double previous = j - step >= first ? dates[j - step] : std::nan("");
  return DateLabel(dates[j], previous);
}

}  // namespace tavrel
