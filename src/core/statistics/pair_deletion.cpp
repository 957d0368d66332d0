#include "core/statistics/pair_deletion.h"

#include <string>
#include <string_view>

#include "core/statistics/descriptive.h"

namespace tavrel {

void NotePairDeletion(std::string& note, std::string_view sentence) {
  std::string_view tail = note;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (std::string_view s : {std::string_view(kMissingDeletedNote), std::string_view(kOutliersDeletedNote)}) {
      if (!tail.ends_with(s)) continue;
      if (s == sentence) return;
      tail.remove_suffix(s.size());
      stripped = true;
    }
  }
  note += sentence;
}

namespace {

// Drops every position j of 0..last for which keep(j) is false, moving the last pair into its place.
template <class Keep>
void DropPairs(Array<double>& x, Array<double>& y, std::int32_t& last, Keep keep) {
  std::int32_t j = 0;
  while (j <= last) {
    if (keep(x[j], y[j])) {
      ++j;
    } else {
      x[j] = x[last];
      y[j] = y[last];
      --last;
    }
  }
}

}  // namespace

void DeletePairsEmpty(Array<double>& x, Array<double>& y, std::int32_t& last, double empty) {
  DropPairs(x, y, last, [empty](double a, double b) { return a != empty && b != empty; });
}

void DeletePairsOutliers(Array<double>& x, Array<double>& y, std::int32_t& last, double empty) {
  double mean = 0, sigma = 0, lowX = 0, highX = 0, lowY = 0, highY = 0;
  MeanSigma(x, last, empty, mean, sigma);
  OutlierLimits(last, mean, sigma, empty, lowX, highX);
  MeanSigma(y, last, empty, mean, sigma);
  OutlierLimits(last, mean, sigma, empty, lowY, highY);
  DropPairs(x, y, last, [&](double a, double b) { return a >= lowX && a <= highX && b >= lowY && b <= highY; });
}

}  // namespace tavrel
