#include "core/statistics/normality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "app/shell/program_session.h"
#include "core/base/numbers.h"
#include "core/statistics/descriptive.h"
#include "report_fixture.h"

namespace tavrel {
namespace {

const std::vector<double> kNormal60 = {38.2, 38.5, 56.7, 27.1, 48.6, 27.4, 61.0, 52.0, 63.6, 45.0, 54.0, 47.1,
                                       42.6, 51.5, 37.4, 46.5, 57.0, 50.6, 45.9, 71.9, 50.6, 44.1, 51.6, 44.8,
                                       46.1, 46.5, 70.3, 50.2, 51.8, 56.7, 70.2, 47.8, 43.8, 74.7, 35.4, 46.3,
                                       56.7, 72.8, 40.5, 25.7, 56.6, 44.8, 46.1, 54.6, 52.2, 52.9, 45.7, 62.9,
                                       65.0, 50.3, 45.5, 57.3, 54.8, 39.6, 45.4, 60.5, 49.0, 46.7, 52.1, 49.7};
const std::vector<double> kSkewed40 = {6.9, 9.3,  0.1, 7.7, 2.3, 4.3, 0.0, 0.2, 1.0, 15.5, 1.1, 7.0, 13.3, 14.2,
                                       2.1, 2.2,  3.7, 7.5, 0.6, 6.9, 8.0, 9.8, 0.2, 14.6, 0.5, 2.1, 4.7,  12.5,
                                       2.1, 12.9, 3.9, 1.9, 1.9, 1.0, 0.4, 0.8, 5.8, 28.6, 0.9, 0.2};

class NormalityTest : public test::ReportTest {};

TEST_F(NormalityTest, NormalityTable) {
  Data().EmptyValue = -999;
  std::vector<double> oneToEleven(11);
  std::iota(oneToEleven.begin(), oneToEleven.end(), 1.0);
  SetVariables({{"Normal", kNormal60},
                {"Skewed", kSkewed40},
                {"Const", std::vector<double>(10, 3.0)},
                {"Eleven", oneToEleven},
                {"Two", {1, 2}},
                {"One", {4}}});
  const std::string text = TableText(NormalityStat);
  test::ExpectGolden(text, "statistics/normality.out");
  EXPECT_NE(text.find(" Const       " + std::string("   @ = 0        ") + "  " + "   @ = 0        " + "    @ = 0\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" Eleven   "), std::string::npos);
  EXPECT_NE(text.find("    ст.свободы = 0\r\n Two"), std::string::npos) << text;  // Eleven ends so
}

TEST_F(NormalityTest, MomentsFollowTheirFormulas) {
  Data().EmptyValue = -999;
  const Array<double> v(kSkewed40);
  const std::int32_t last = 39;
  double mean = 0, sigma = 0;
  MeanSigma(v, last, Data().EmptyValue, mean, sigma);
  double m3 = 0, m4 = 0;
  for (double x : kSkewed40) {
    m3 += std::pow(x - mean, 3);
    m4 += std::pow(x - mean, 4);
  }
  SkewExcessResult r;
  EXPECT_FALSE(SkewExcess(v, last, mean, sigma, -999, true, r));
  EXPECT_NEAR(r.as, m3 / 40 / std::pow(sigma, 3), 1e-12);
  EXPECT_NEAR(r.ex, m4 / 40 / std::pow(sigma, 4) - 3, 1e-12);
  EXPECT_EQ(r.pAs, "<0.01");  // As about 1.7 against 0.869 for 36 to 40 values
  EXPECT_EQ(r.error, "");

  EXPECT_TRUE(SkewExcess(v, last, mean, 0, -999, true, r));
  EXPECT_EQ(r.error, "   @ = 0        ");
  EXPECT_EQ(r.as, -999);
  EXPECT_EQ(r.pAs, "");

  Chi2Result fit;
  EXPECT_TRUE(Chi2Normality(v, last, mean, 0, -999, true, fit));
  EXPECT_EQ(fit.error, "@ = 0");
  EXPECT_EQ(fit.chi2, -999);
  for (std::int32_t shortLast : {2, 1, 0, -1}) {  // too few values for classes
    EXPECT_TRUE(Chi2Normality(v, shortLast, 1, 1, -999, true, fit)) << shortLast;
    EXPECT_EQ(fit.error, "  ст.свободы = 0");
    EXPECT_EQ(fit.p, "    ");
  }
}

TEST_F(NormalityTest, ChiSquareOfTheHistogramAgainstTheNormalLaw) {
  // The 60 values fall into 9 classes of width 5.436 from 25.646: observed 3, 1, 5, 18, 14,
  // 9, 4, 1, 5 against expected 1.41, 3.73, 7.44, 11.20, 12.71, 10.88, 7.02, 3.42, 1.25
  // (worked out by hand); no class is below 0.5, so chi2 = 23.369 with 6 degrees of freedom.
  // The 40 skewed values keep 4 of 8 classes after the right end merges: 19.43 with 1.
  struct Case {
    const std::vector<double>* values;
    double chi2;
    const char* p;
  };
  for (const Case& c : {Case{&kNormal60, 23.369, "<0.01"}, Case{&kSkewed40, 19.43, "<0.001"}}) {
    const Array<double> v(*c.values);
    const std::int32_t last = static_cast<std::int32_t>(v.Count() - 1);
    double mean = 0, sigma = 0;
    MeanSigma(v, last, Data().EmptyValue, mean, sigma);
    Chi2Result fit;
    EXPECT_FALSE(Chi2Normality(v, last, mean, sigma, -999, true, fit));
    EXPECT_NEAR(fit.chi2, c.chi2, 0.005);
    EXPECT_EQ(fit.p, c.p) << fit.chi2;
    EXPECT_EQ(fit.error, "");
  }
}

// A coefficient that happens to equal the missing-value code is still a
// number: with code 0, a symmetric series shows its asymmetry 0.00, not a blank.
TEST_F(NormalityTest, ACoefficientEqualToTheMissingCodeIsShown) {
  Data().EmptyValue = 0;
  SetVariables({{"Sym", {1, 2, 3, 4, 5, 6, 7, 8, 9}}});
  const NormalityRow row = NormalityOf(GetVariable(Data(), 0), 0);
  EXPECT_EQ(row.moments.as, 0);
  EXPECT_EQ(row.moments.error, "");
  const std::string text = TableText(NormalityStat);
  EXPECT_NE(text.find(" Sym             0.00  " + row.moments.pAs + "  "), std::string::npos) << text;
}

}  // namespace
}  // namespace tavrel
