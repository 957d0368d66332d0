#include "core/statistics/summary_student.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/statistics/student_test.h"

namespace tavrel {
namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

// The values of t below were computed by hand from the pooled and the
// unequal-variance formulas; the decision between them reads the F table, and
// p reads the t table at the column of the degrees of freedom.
TEST(StudentTest, ChoosesTheFormByTheVarianceRatio) {
  struct Case {
    double m1, s1;
    std::int32_t n1;
    double m2, s2;
    std::int32_t n2;
    bool pooled;
    std::int64_t df;
    double t;
    const char* p;
  };
  const Case cases[] = {
      // ratio 1 below F(19, 19): pooled, df 38 read in the column of 40
      {10, 2, 20, 12, 2, 20, true, 38, 3.1622777, "<0.01 "},
      // ratio 4 not below F(9, 11) = 2.90: unequal, df 10.15 -> 10
      {5, 4, 10, 2, 1, 12, false, 10, 2.3122575, "<0.05 "},
      // ratio 10 against F(2, 39): unequal with df 2.006 -> 2, t 1.73 far below 4.30
      {20, 10, 3, 10, 1, 40, false, 2, 1.7314017, ">0.05"},
      // ratio 1.2 below F(14, 11): pooled, df 25
      {3.5, 1.2, 15, 4.1, 1.0, 12, true, 25, 1.3876403, ">0.05"},
      // one sigma 0: an infinite ratio, unequal form with df 21 - 2
      {10, 0, 20, 12, 2, 20, false, 19, 4.4721360, "<0.001"},
      // equal means
      {7, 1, 10, 7, 1.5, 10, true, 18, 0, ">0.05"},
      // sizes at the 32-bit limit: the pooled df needs 64 bits
      {0, 1, kIntMax, 1, 1, kIntMax, true, 2 * std::int64_t{kIntMax} - 2, 32767.99999, "<0.001"},
      // and the unequal-variance df of 2.4e9 is held at the limit
      {1, 4, kIntMax, 0, 1, kIntMax, false, kIntMax, 11239.331, "<0.001"},
  };
  for (const Case& c : cases) {
    const StudentTTest r = StudentTest(c.m1, c.s1, c.n1, c.m2, c.s2, c.n2);
    EXPECT_EQ(r.pooled, c.pooled) << c.m1 << " " << c.n1;
    EXPECT_EQ(r.df, c.df) << c.m1 << " " << c.n1;
    EXPECT_NEAR(r.t, c.t, 1e-6 * (1 + c.t)) << c.m1 << " " << c.n1;
    EXPECT_EQ(r.p, c.p) << c.m1 << " " << c.n1;
  }
  // No spread at all: the unequal-variance df is undefined, and so is the test.
  const StudentTTest none = StudentTest(10, 0, 20, 12, 0, 20);
  EXPECT_TRUE(std::isnan(none.t));
  EXPECT_EQ(none.df, 0);
  EXPECT_EQ(none.p, ">0.05");
}

// Two samples as typed, their spreads in the sigma row or in the standard-error row.
SummaryStudentCells Typed(bool errors, const char* m1, const char* s1, const char* n1, const char* m2, const char* s2,
                          const char* n2) {
  SummaryStudentCells c;
  c.mean = {m1, m2};
  (errors ? c.sem : c.sigma) = {s1, s2};
  c.size = {n1, n2};
  return c;
}

template <class... Texts>
SummaryStudentCells Sigmas(Texts... texts) {
  return Typed(false, texts...);
}

template <class... Texts>
SummaryStudentCells Errors(Texts... texts) {
  return Typed(true, texts...);
}

TEST(SummaryStudent, ShowsAndCopiesTAndP) {
  struct Case {
    SummaryStudentCells cells;
    const char* t;
    const char* p;
    bool significant;
  };
  SummaryStudentCells oneErrorOnly = Sigmas("10", "2", "20", "12", "2", "20");
  oneErrorOnly.sem = {"0.1", ""};
  const Case cases[] = {
      {Sigmas("10", "2", "20", "12", "2", "20"), "3.162", "<0.01 ", true},
      // standard errors 0.5 with sizes 10 are sigmas 1.5: pooled, df 18, t = 2 / (1.5 * sqrt(0.2))
      {Errors("10", "0.5", "10", "12", "0,5", "10"), "2.981", "<0.01 ", true},
      // both standard errors win over the sigmas; a single one does not
      {[] {
         SummaryStudentCells c = Errors("10", "0.5", "10", "12", "0.5", "10");
         c.sigma = {"100", "100"};
         return c;
       }(),
       "2.981", "<0.01 ", true},
      {oneErrorOnly, "3.162", "<0.01 ", true},
      {Sigmas(" 10 ", "2", " 20", "11", "2", "20 "), "1.581", ">0.05", false},
      {Sigmas("5", "4", "10", "2", "1", "12"), "2.312", "<0.05 ", true},
      {Sigmas("7,25", "1", "10", "7.25", "1,5", "10"), "0", ">0.05", false},
      // non-finite results are written, not refused: a difference beyond a double, no spread at all
      {Sigmas("1e308", "1", "10", "-1e308", "1", "10"), "INF", "<0.001", true},
      {Sigmas("10", "0", "30", "12", "0", "30"), "NAN", ">0.05", false},
      {Errors("10", "0", "30", "12", "0", "30"), "NAN", ">0.05", false},
  };
  for (const Case& c : cases) {
    const SummaryStudentView v = SummaryStudent(c.cells);
    EXPECT_EQ(v.refusal, "") << c.t;
    EXPECT_EQ(v.t, c.t);
    EXPECT_EQ(v.p, std::string("p") + c.p) << c.t;
    EXPECT_EQ(v.significant, c.significant) << c.t;
    EXPECT_EQ(v.clipboard, std::string("t-критерий: ") + c.t + ", p: " + c.p);
  }
}

TEST(SummaryStudent, RefusesWhatIsNoTest) {
  const std::string number = "Ошибка работы с целыми числами\n";
  const std::pair<SummaryStudentCells, std::string> cases[] = {
      {Sigmas("10", "2", "1", "12", "2", "20"), number + "Параметр 1, N: размер выборки меньше 2"},
      {Sigmas("10", "2", "20", "12", "2", "0"), number + "Параметр 2, N: размер выборки меньше 2"},
      {Errors("10", "0.5", "20", "12", "0.5", "-5"), number + "Параметр 2, N: размер выборки меньше 2"},
      {Sigmas("10", "2", "20.5", "12", "2", "20"), number + "Параметр 1, N: «20.5» не является целым числом"},
      {Sigmas("10", "2", "99999999999", "12", "2", "20"),
       number + "Параметр 1, N: «99999999999» не является целым числом"},
      {Sigmas("abc", "2", "20", "12", "2", "20"), number + "Параметр 1, Среднее: «abc» не является числом"},
      {Sigmas("10", "2", "20", "", "2", "20"), number + "Параметр 2, Среднее: «» не является числом"},
      {Errors("10", "0.5", "20", "12", "1..5", "20"), number + "Параметр 2, m: «1..5» не является числом"},
      {Sigmas("10", "2", "20", "12", "", "20"), "Ошибка вычисления @"},
      {Sigmas("10", "-2", "20", "12", "2", "20"), "Ошибка вычисления @\nПараметр 1, @: отрицательное значение"},
      {Sigmas("1e400", "1", "10", "0", "1", "10"),
       number + "Параметр 1, Среднее: «1e400» выходит за пределы допустимых чисел"},
      {Errors("10", "1", "20", "12", " 1e309 ", "20"),
       number + "Параметр 2, m: «1e309» выходит за пределы допустимых чисел"},
  };
  for (const auto& [cells, message] : cases) {
    const SummaryStudentView v = SummaryStudent(cells);
    EXPECT_EQ(v.refusal, message);
    EXPECT_EQ(v.clipboard, "") << message;
  }
}

}  // namespace
}  // namespace tavrel
