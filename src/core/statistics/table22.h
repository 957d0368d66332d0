#pragma once
// The 2x2 contingency table: the event counts and totals of two samples give
// chi-square without continuity correction, its significance and the row
// percentages.
#include <array>
#include <string>

#include "core/statistics/p_text.h"

namespace tavrel {

inline constexpr const char* kTable22BadData = "Неверные данные: х1>x2";
inline constexpr const char* kTable22NumberError = "Ошибка операций с целыми числами";

struct Table22Result {
  double chi2 = 0;
  PText p;  // PByChi2OneDf
  // Row percentages: [sample][0] with the event, [sample][1] without it.
  std::array<std::array<double, 2>, 2> percent{};
};

// Chi-square with one degree of freedom against its 0.001, 0.01 and 0.05
// points 10.827, 6.635 and 3.841 (strict comparisons): "<0.001", "<0.01",
// "<0.05" or ">0.05".
PText PByChi2OneDf(double chi2);

// Whether the counts make a table: none negative, no event count above its total.
bool Table22Valid(double x1, double total1, double x2, double total2);

// The test of x1 events in total1 against x2 in total2 (a valid table). A row
// or column summing to 0 gives an undefined or infinite chi-square or percentage.
Table22Result Table22Test(double x1, double total1, double x2, double total2);

// The input grid's texts: the event count and the total of each sample.
struct Table22Cells {
  std::array<std::string, 2> events, totals;
};

// What the calculator shows after "Расчет".
struct Table22View {
  std::string refusal;  // the warning shown in place of a result; empty when computed
  std::string chi2;     // 2 decimals, at most 4 significant digits
  std::string p;        // "p" and the significance text
  bool significant = false;
  std::array<std::array<std::string, 2>, 2> percent;  // 1 decimal, at most 4 significant digits
  std::string clipboard;
};

Table22View Table22(const Table22Cells& cells);

}  // namespace tavrel
