#include "core/statistics/p_text.h"

#include <cmath>

#include "core/base/checked_array.h"

namespace tavrel {

namespace {

const char* const kNotSignificant = ">0.05";
const char* const kBlank = "     ";

PText Ns(bool showNs) { return showNs ? kNotSignificant : kBlank; }

// Two-sided critical values of t; columns 1 to 30 degrees of freedom, then 40,
// 50, 60, 80, 100, 120 and infinitely many.
const Array<double> kStudent05 = {
    12.7, 4.3,  3.18, 2.78, 2.57, 2.45, 2.37, 2.31, 2.26, 2.23, 2.2,  2.18, 2.16, 2.15, 2.13, 2.12, 2.11, 2.1,  2.09,
    2.09, 2.08, 2.07, 2.07, 2.06, 2.06, 2.06, 2.05, 2.05, 2.04, 2.04, 2.02, 2.01, 2.0,  1.99, 1.98, 1.98, 1.96};
const Array<double> kStudent01 = {
    63.7, 9.93, 5.84, 4.6,  4.03, 3.71, 3.5,  3.36, 3.25, 3.17, 3.11, 3.06, 3.01, 2.98, 2.95, 2.92, 2.9,  2.88, 2.86,
    2.85, 2.83, 2.82, 2.81, 2.8,  2.79, 2.78, 2.77, 2.76, 2.76, 2.75, 2.7,  2.68, 2.66, 2.64, 2.63, 2.62, 2.58};
const Array<double> kStudent001 = {
    636.6, 31.6, 12.94, 8.61, 6.87, 5.96, 5.41, 5.04, 4.78, 4.59, 4.44, 4.32, 4.22, 4.14, 4.04, 4.02, 3.97, 3.92, 3.88,
    3.85,  3.82, 3.79,  3.77, 3.75, 3.73, 3.71, 3.69, 3.67, 3.66, 3.65, 3.55, 3.5,  3.46, 3.42, 3.39, 3.37, 3.29};

// Column (counted from 1) of the t table for the size argument k.
int StudentColumn(std::int32_t k) {
  if (k <= 1) return 1;
  if (k <= 31) return k - 1;
  if (k <= 41) return 31;
  if (k <= 51) return 32;
  if (k <= 61) return 33;
  if (k <= 81) return 34;
  if (k <= 101) return 35;
  if (k <= 121) return 36;
  return 37;
}

// Critical values of a coefficient by sample size: the largest n of each size
// class (the last class is open) with its 0.05 and 0.01 values.
struct SizeClass {
  std::int32_t upTo;
  double p05;
  double p01;
};

const Array<SizeClass> kSkewTable = {
    {25, 0.711, 1.061},  {30, 0.661, 0.928},  {35, 0.621, 0.921},  {40, 0.587, 0.869},  {45, 0.558, 0.825},
    {50, 0.533, 0.787},  {60, 0.492, 0.723},  {70, 0.459, 0.673},  {80, 0.432, 0.631},  {90, 0.409, 0.596},
    {100, 0.389, 0.567}, {125, 0.35, 0.508},  {150, 0.321, 0.464}, {175, 0.298, 0.43},  {200, 0.28, 0.403},
    {250, 0.251, 0.36},  {300, 0.23, 0.329},  {INT32_MAX, 0.213, 0.305}};

const Array<SizeClass> kExcessTable = {
    {11, 0.907, 0.936},  {16, 0.888, 0.914},  {21, 0.877, 0.9},    {26, 0.869, 0.89},   {31, 0.863, 0.883},
    {36, 0.858, 0.877},  {41, 0.854, 0.872},  {46, 0.851, 0.868},  {51, 0.848, 0.865},  {61, 0.843, 0.859},
    {81, 0.84, 0.855},   {91, 0.838, 0.852},  {101, 0.835, 0.848}, {201, 0.834, 0.846}, {301, 0.823, 0.832},
    {401, 0.818, 0.826}, {INT32_MAX, 0.816, 0.822}};

bool ByCoefficient(const Array<SizeClass>& table, std::int32_t n, double coefficient, bool showNs, PText& p) {
  long long c = 0;
  while (n > table[c].upTo) ++c;
  const double a = std::fabs(coefficient);
  if (a >= table[c].p01) {
    p = "<0.01";
  } else if (a >= table[c].p05) {
    p = "<0.05";
  } else {
    p = Ns(showNs);
    return true;
  }
  return false;
}

}  // namespace

bool Significant(const PText& p) { return p != kNotSignificant && p.find_first_not_of(' ') != PText::npos; }

PText PByT(std::int32_t k, double x, bool showNs) {
  const int c = StudentColumn(k) - 1;
  if (x >= kStudent001[c]) return "<0.001";
  if (x >= kStudent01[c]) return "<0.01 ";
  if (x >= kStudent05[c]) return "<0.05 ";
  return Ns(showNs);
}

PText PByZ(double z, bool showNs) {
  if (z > 3.29) return "<0.001";
  if (z > 2.58) return "<0.01";
  if (z > 1.96) return "<0.05";
  return Ns(showNs);
}

double Chi2Critical(std::int32_t df, double z) {
  const double v = df;
  const double q = 2.0 / (9.0 * v);
  const double base = 1.0 - q + z * std::sqrt(q);
  return v * base * base * base;
}

bool PByChi2(std::int32_t df, double chi2, bool showNs, PText& p) {
  if (chi2 - Chi2Critical(df, 3.29) > 0) {
    p = "<0.001";
  } else if (chi2 - Chi2Critical(df, 2.58) > 0) {
    p = "<0.01";
  } else if (chi2 - Chi2Critical(df, 1.96) > 0) {
    p = "<0.05";
  } else {
    p = Ns(showNs);
    return true;
  }
  return false;
}

bool PBySkew(std::int32_t n, double as, bool showNs, PText& p) {
  return ByCoefficient(kSkewTable, n, as, showNs, p);
}

bool PByExcess(std::int32_t n, double ex, bool showNs, PText& p) {
  return ByCoefficient(kExcessTable, n, ex, showNs, p);
}

}  // namespace tavrel
