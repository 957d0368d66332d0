#include "core/statistics/summary_student.h"

#include <cmath>

#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/base/text_codec.h"
#include "core/statistics/calculator_input.h"
#include "core/statistics/student_test.h"

namespace tavrel {

namespace {

std::string Field(int sample, const char* row) { return "Параметр " + std::to_string(sample + 1) + ", " + row; }

bool Filled(const std::array<std::string, 2>& cells) {
  return !TrimBlanks(cells[0]).empty() && !TrimBlanks(cells[1]).empty();
}

}  // namespace

SummaryStudentView SummaryStudent(const SummaryStudentCells& cells) {
  SummaryStudentView view;
  try {
    std::int32_t n[2];
    for (int i = 0; i < 2; ++i) {
      n[i] = CalculatorInteger(cells.size[i], Field(i, "N"), kStudentNumberError);
      // A sample of one value has no spread and the test no degrees of freedom.
      if (n[i] < 2)
        throw ConversionError(std::string(kStudentNumberError) + "\n" + Field(i, "N") + ": размер выборки меньше 2");
    }
    const bool fromErrors = Filled(cells.sem);
    if (!fromErrors && !Filled(cells.sigma)) {
      view.refusal = kStudentSigmaError;
      return view;
    }
    double s[2], m[2];
    for (int i = 0; i < 2; ++i) {
      const char* row = fromErrors ? "m" : "@";
      const double spread =
          CalculatorNumber(fromErrors ? cells.sem[i] : cells.sigma[i], Field(i, row), kStudentNumberError);
      if (spread < 0) {
        view.refusal = std::string(kStudentSigmaError) + "\n" + Field(i, row) + ": отрицательное значение";
        return view;
      }
      s[i] = fromErrors ? spread * std::sqrt(n[i] - 1.0) : spread;
    }
    for (int i = 0; i < 2; ++i) m[i] = CalculatorNumber(cells.mean[i], Field(i, "Среднее"), kStudentNumberError);

    const StudentTTest test = StudentTest(m[0], s[0], n[0], m[1], s[1], n[1]);
    view.t = FloatText(test.t, 4);
    view.p = "p" + test.p;
    view.significant = Significant(test.p);
    view.clipboard = "t-критерий: " + view.t + ", p: " + test.p;
  } catch (const ConversionError& e) {
    view = {};
    view.refusal = e.what();
  }
  return view;
}

}  // namespace tavrel
