#include "core/statistics/pair_deletion.h"

#include <string>
#include <string_view>

#include "core/data/dataset.h"
#include "core/statistics/descriptive.h"

namespace tavrel {

namespace {

// Adds a deletion sentence to the processing note unless the sentences at the
// note's end already include it, so that a run over many pairs (or repeated
// runs) records it once.
void NoteDeletion(std::string_view sentence) {
  std::string& note = Data().ProcessingNote;
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

void DeletePairsEmpty(Array<double>& x, Array<double>& y, std::int32_t& last) {
  NoteDeletion(kMissingDeletedNote);
  const double empty = Data().EmptyValue;
  DropPairs(x, y, last, [empty](double a, double b) { return a != empty && b != empty; });
}

void DeletePairsOutliers(Array<double>& x, Array<double>& y, std::int32_t& last) {
  NoteDeletion(kOutliersDeletedNote);
  double mean = 0, sigma = 0, lowX = 0, highX = 0, lowY = 0, highY = 0;
  MeanSigma(x, last, mean, sigma);
  OutlierLimits(last, mean, sigma, lowX, highX);
  MeanSigma(y, last, mean, sigma);
  OutlierLimits(last, mean, sigma, lowY, highY);
  DropPairs(x, y, last, [&](double a, double b) { return a >= lowX && a <= highX && b >= lowY && b <= highY; });
}

}  // namespace tavrel
