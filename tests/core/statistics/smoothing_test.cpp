#include "core/statistics/smoothing.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

Array<double> Line(int size) {
  Array<double> v;
  for (int i = 0; i < size; ++i) v.push_back(i);
  return v;
}

TEST(SmoothingTest, AStraightLineStaysStraight) {
  Array<double> v = Line(10);
  EXPECT_EQ(SmoothBy3(v, 9, "A"), "");
  for (int i = 0; i < 10; ++i) EXPECT_DOUBLE_EQ(v[i], i);
  v = Line(12);
  EXPECT_EQ(SmoothBy5(v, 11, "A"), "");
  for (int i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(v[i], i);
}

TEST(SmoothingTest, EndFormulasAndNegativeEnds) {
  Array<double> v = {10, 0, 0, 0, 0, 0, 0, 0, 9};
  EXPECT_EQ(SmoothBy3(v, 8, "A"), "");
  EXPECT_EQ(v, (Array<double>{10, 0, 0, 0, 0, 0, 0, 3, 7.5}));
  // A steep fall at the end: L = (5 * 0 + 2 * 6 - 30) / 6 < 0, so the end repeats its neighbour.
  v = {1, 1, 1, 1, 1, 1, 30, 6, 0};
  EXPECT_EQ(SmoothBy3(v, 8, "A"), "");
  EXPECT_DOUBLE_EQ(v[7], 12);
  EXPECT_DOUBLE_EQ(v[8], 12);
  EXPECT_DOUBLE_EQ(v[1], 1);
  // By 5: E4 = (3 * 0 + 2 * 0 + 0 - 50) / 5 < 0 gives E3 = (0 + 0 + 0 + 0) / 10 at the end.
  v = {0, 5, 5, 5, 5, 5, 5, 5, 50, 0, 0, 0, 0};
  EXPECT_EQ(SmoothBy5(v, 12, "A"), "");
  EXPECT_DOUBLE_EQ(v[12], 0);
  EXPECT_DOUBLE_EQ(v[11], 0);  // E3 = 0
  EXPECT_DOUBLE_EQ(v[10], 10);
  EXPECT_DOUBLE_EQ(v[1], 5);  // E1 = (15 + 10 + 5 - 5) / 5
  EXPECT_DOUBLE_EQ(v[2], 5);  // E2 = (20 + 15 + 10 + 5) / 10
}

TEST(SmoothingTest, ShortSeriesStayAndTellWhy) {
  Array<double> v = Line(7);
  EXPECT_EQ(SmoothBy3(v, 6, "Пульс  "), "Ошибка сглаживания по 3 точкам:  в Пульс мало значений");
  EXPECT_EQ(v, Line(7));
  v = Line(11);
  EXPECT_EQ(SmoothBy5(v, 10, " АД "), "Ошибка сглаживания по 5 точкам:  в АД мало значений");
  EXPECT_EQ(v, Line(11));
  v = Line(8);
  EXPECT_EQ(SmoothBy3(v, 7, "A"), "");
  v = Line(12);
  EXPECT_EQ(SmoothBy5(v, 11, "A"), "");
}

}  // namespace
}  // namespace tavrel
