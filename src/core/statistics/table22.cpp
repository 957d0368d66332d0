#include "core/statistics/table22.h"

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/statistics/calculator_input.h"

namespace tavrel {

namespace {

std::string Field(int sample, const char* column) { return "Выборка " + std::to_string(sample + 1) + ", " + column; }

}  // namespace

PText PByChi2OneDf(double chi2) {
  if (chi2 > 10.827) return "<0.001";
  if (chi2 > 6.635) return "<0.01";
  if (chi2 > 3.841) return "<0.05";
  return ">0.05";
}

bool Table22Valid(double x1, double total1, double x2, double total2) {
  return x1 >= 0 && x2 >= 0 && x1 <= total1 && x2 <= total2;
}

Table22Result Table22Test(double x1, double total1, double x2, double total2) {
  const double f11 = x1, f12 = total1 - x1, f21 = x2, f22 = total2 - x2;
  const double n = f11 + f12 + f21 + f22;
  const double cross = f11 * f22 - f21 * f12;
  Table22Result r;
  r.chi2 = n * cross * cross / ((f11 + f21) * (f12 + f22) * (f11 + f12) * (f21 + f22));
  r.p = PByChi2OneDf(r.chi2);
  r.percent = {
      {{f11 / (f11 + f12) * 100, f12 / (f11 + f12) * 100}, {f21 / (f21 + f22) * 100, f22 / (f21 + f22) * 100}}};
  return r;
}

Table22View Table22(const Table22Cells& cells) {
  Table22View view;
  double x[2], total[2];
  try {
    for (int i = 0; i < 2; ++i) {
      x[i] = CalculatorNumber(cells.events[i], Field(i, "Событие 1"), kTable22NumberError);
      total[i] = CalculatorNumber(cells.totals[i], Field(i, "Всего"), kTable22NumberError);
    }
  } catch (const ConversionError& e) {
    view.refusal = e.what();
    return view;
  }
  if (!Table22Valid(x[0], total[0], x[1], total[1])) {
    view.refusal = kTable22BadData;
    return view;
  }
  const Table22Result r = Table22Test(x[0], total[0], x[1], total[1]);
  view.chi2 = FixedDigitsText(r.chi2, 4, 2);
  view.p = "p" + r.p;
  view.significant = Significant(r.p);
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) view.percent[i][j] = FixedDigitsText(r.percent[i][j], 4, 1);
  view.clipboard = "Х2 = " + view.chi2 + ", p = " + r.p;
  return view;
}

}  // namespace tavrel
