#include "core/statistics/pair_deletion.h"

#include <gtest/gtest.h>

#include "core/data/dataset.h"
#include "test_support.h"

namespace tavrel {
namespace {

class PairDeletionTest : public test::EngineTest {};

TEST_F(PairDeletionTest, MissingValuesDropTheirPairAndTheLastPairTakesItsPlace) {
  Array<double> x = {-1, 2, 3, 4, 5}, y = {10, 20, -1, 40, 50};
  std::int32_t last = 4;
  DeletePairsEmpty(x, y, last, -1);
  EXPECT_EQ(last, 2);
  // position 0 gets pair 4; position 2 gets pair 3
  EXPECT_EQ(Array<double>(x.begin(), x.begin() + 3), (Array<double>{5, 2, 4}));
  EXPECT_EQ(Array<double>(y.begin(), y.begin() + 3), (Array<double>{50, 20, 40}));

  Array<double> a = {-1, -1}, b = {1, 2};
  last = 1;
  DeletePairsEmpty(a, b, last, -1);
  EXPECT_EQ(last, -1);
}

TEST_F(PairDeletionTest, OutliersOfEitherSeriesDropTheirPair) {
  // 19 values 10 and one 100: the limits of 20 values keep 10 and reject 100.
  Array<double> x(20, 10.0), y;
  x[3] = 100;
  for (int i = 0; i < 20; ++i) y.push_back(i);
  std::int32_t last = 19;
  DeletePairsOutliers(x, y, last, -999);
  EXPECT_EQ(last, 18);
  EXPECT_EQ(x[3], 10);
  EXPECT_EQ(y[3], 19);
}

TEST_F(PairDeletionTest, EachSentenceEntersTheNoteOnce) {
  std::string note = "Нормировка.";
  for (int pair = 0; pair < 20; ++pair) {
    NotePairDeletion(note, kMissingDeletedNote);
    NotePairDeletion(note, kOutliersDeletedNote);
  }
  EXPECT_EQ(note, "Нормировка.Пропуски удалены попарно. Всплески удалены попарно.");
  NotePairDeletion(note, kMissingDeletedNote);  // a later run finds both sentences at the end
  EXPECT_EQ(note, "Нормировка.Пропуски удалены попарно. Всплески удалены попарно.");
  note += " Логарифм.";
  NotePairDeletion(note, kOutliersDeletedNote);
  EXPECT_EQ(note,
            "Нормировка.Пропуски удалены попарно. Всплески удалены попарно. Логарифм. Всплески удалены попарно.");
}

}  // namespace
}  // namespace tavrel
