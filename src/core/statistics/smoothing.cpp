#include "core/statistics/smoothing.h"

#include <algorithm>
#include <cmath>

#include "core/base/text_codec.h"

namespace tavrel {

namespace {

std::string TooFewValues(int points, const std::string& name) {
  return "Ошибка сглаживания по " + std::to_string(points) + " точкам:  в " + std::string(TrimBlanks(name)) +
         " мало значений";
}

}  // namespace

std::string SmoothBy3(Array<double>& values, std::int32_t last, const std::string& name) {
  if (last <= 6) return TooFewValues(3, name);
  const Array<double>& v = values;
  const std::int32_t n = last;
  const double f = (5 * v[1] + 2 * v[2] - v[3]) / 6;
  const double l = (5 * v[n] + 2 * v[n - 1] - v[n - 2]) / 6;
  // In place: the value before i is kept as it was before it was smoothed.
  double before = v[1];
  for (std::int32_t i = 2; i <= n - 1; ++i) {
    const double here = v[i];
    values[i] = (before + here + v[i + 1]) / 3;
    before = here;
  }
  values[1] = f >= 0 ? f : values[2];
  values[n] = l >= 0 ? l : values[n - 1];
  return {};
}

std::string SmoothBy5(Array<double>& values, std::int32_t last, const std::string& name) {
  if (last <= 10) return TooFewValues(5, name);
  const Array<double>& v = values;
  const std::int32_t n = last;
  const double e1 = (3 * v[1] + 2 * v[2] + v[3] - v[5]) / 5;
  const double e2 = (4 * v[1] + 3 * v[2] + 2 * v[3] + v[4]) / 10;
  const double e3 = (v[n - 3] + 2 * v[n - 2] + 3 * v[n - 1] + 4 * v[n]) / 10;
  const double e4 = (3 * v[n] + 2 * v[n - 1] + v[n - 2] - v[n - 4]) / 5;
  // In place: the two values before i are kept as they were before they were smoothed.
  double twoBefore = v[1], before = v[2];
  for (std::int32_t i = 3; i <= n - 2; ++i) {
    const double here = v[i];
    values[i] = (twoBefore + before + here + v[i + 1] + v[i + 2]) / 5;
    twoBefore = before;
    before = here;
  }
  values[2] = e2 >= 0 ? e2 : values[3];
  values[1] = e1 >= 0 ? e1 : e2;
  values[n - 1] = e3 >= 0 ? e3 : values[n - 2];
  values[n] = e4 >= 0 ? e4 : e3;
  return {};
}

std::string SmoothRuns(Array<double>& values, std::int32_t last, const std::string& name, double emptyValue,
                       int points) {
  const auto smooth = points == 3 ? &SmoothBy3 : &SmoothBy5;
  const auto present = [&](std::int32_t j) { return values[j] != emptyValue && std::isfinite(values[j]); };
  std::string refusal;
  bool smoothed = false;
  Array<double> run;
  for (std::int32_t from = 0; from <= last;) {
    if (!present(from)) {
      ++from;
      continue;
    }
    std::int32_t to = from;
    while (to < last && present(to + 1)) ++to;
    run.assign(values.begin() + from, values.begin() + to + 1);
    std::string message = smooth(run, to - from, name);
    if (message.empty()) {
      std::copy(run.begin(), run.end(), values.begin() + from);
      smoothed = true;
    } else if (refusal.empty()) {
      refusal = std::move(message);
    }
    from = to + 1;
  }
  if (smoothed) return {};
  return refusal.empty() ? smooth(run, -1, name) : refusal;
}

}  // namespace tavrel
