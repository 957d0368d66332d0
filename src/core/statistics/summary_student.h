#pragma once
// The calculator of Student's test from summary values: two means with their
// sigmas or standard errors and sizes, as typed, give t and its significance.
#include <array>
#include <string>

#include "core/statistics/p_text.h"

namespace tavrel {

inline constexpr const char* kStudentNumberError = "Ошибка работы с целыми числами";
inline constexpr const char* kStudentSigmaError = "Ошибка вычисления @";

// The input grid's texts of the two samples.
struct SummaryStudentCells {
  std::array<std::string, 2> mean, sigma, sem, size;
};

// What the calculator shows after "Расчет".
struct SummaryStudentView {
  std::string refusal;  // the warning shown in place of a result; empty when computed
  std::string t;        // t with 4 significant digits
  std::string p;        // "p" and the significance text
  bool significant = false;
  std::string clipboard;
};

// Reads the texts and applies the test. Standard errors are used when both are
// given (sigma = m * sqrt(N - 1)), else both sigmas; sizes below 2, negative
// spreads and texts that are not numbers are refused. Sigmas of 0 in both
// samples leave the test undefined: t reads "NAN" and p ">0.05" (see StudentTest).
SummaryStudentView SummaryStudent(const SummaryStudentCells& cells);

}  // namespace tavrel
