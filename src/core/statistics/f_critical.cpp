#include "core/statistics/f_critical.h"

#include <algorithm>
#include <cmath>

#include "core/base/checked_array.h"
#include "core/statistics/f_distribution.h"

namespace tavrel {

namespace {

const Array<double> kRowDf = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,  12,  13,  14,  15,   16,         17, 18,
                              19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,  30,  32,  34,  36,   38,         40, 42,
                              44, 46, 48, 50, 55, 60, 65, 70, 80, 100, 125, 150, 200, 400, 1000, kInfiniteDf};
const Array<double> kColumnDf = {1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  11,          12,
                                 14, 16, 20, 24, 30, 40, 50, 75, 100, 200, 500, kInfiniteDf};

// Rows of the classic printed table, kept as published; the other rows are
// computed from the distribution itself.
struct PublishedRow {
  int row;
  Array<double> values;
};
const Array<PublishedRow> kPublishedRows = {
    {0, {161, 200, 216, 225, 230, 234, 237, 239, 241, 242, 243, 244, 245, 246, 248, 249, 250, 251, 252, 253, 253, 254,
         254, 254}},
    {1, {18.51, 19.0, 19.16, 19.25, 19.3,  19.33, 19.36, 19.37, 19.38, 19.39, 19.4, 19.41,
         19.42, 19.43, 19.44, 19.45, 19.46, 19.47, 19.47, 19.48, 19.49, 19.49, 19.5, 19.5}},
    {9, {4.96, 4.1,  3.71, 3.48, 3.33, 3.22, 3.14, 3.07, 3.02, 2.97, 2.94, 2.91,
         2.86, 2.81, 2.77, 2.74, 2.7,  2.67, 2.64, 2.61, 2.59, 2.56, 2.55, 2.54}},
    {29, {4.17, 3.32, 2.92, 2.69, 2.53, 2.42, 2.34, 2.27, 2.21, 2.16, 2.12, 2.09,
          2.04, 1.99, 1.93, 1.89, 1.84, 1.79, 1.76, 1.72, 1.69, 1.66, 1.64, 1.62}},
    {51, {3.84, 2.99, 2.6,  2.37, 2.21, 2.09, 2.01, 1.94, 1.88, 1.83, 1.79, 1.75,
          1.69, 1.64, 1.57, 1.52, 1.46, 1.4,  1.35, 1.28, 1.24, 1.17, 1.11, 1.0}},
};

using Table = Array<Array<double>>;

// Every entry: two decimals, whole numbers in the first row (as printed tables have them).
Table BuildTable() {
  Table table(kFTableRows, Array<double>(kFTableColumns, 0.0));
  for (int r = 0; r < kFTableRows; ++r) {
    const double scale = r == 0 ? 1 : 100;
    for (int c = 0; c < kFTableColumns; ++c)
      table[r][c] = std::round(FUpperPoint(kColumnDf[c], kRowDf[r], 0.05) * scale) / scale;
  }
  for (const PublishedRow& p : kPublishedRows) table[p.row] = p.values;
  return table;
}

const Table& FTable() {
  static const Table table = BuildTable();
  return table;
}

// The first tabulated degrees of freedom not below df (sizes below 1 take the first).
int TableIndex(const Array<double>& tabulated, std::int32_t df) {
  const auto it = std::lower_bound(tabulated.begin(), tabulated.end(), static_cast<double>(df));
  return static_cast<int>(it - tabulated.begin());
}

}  // namespace

double FTableEntry(int row, int column) { return FTable()[row][column]; }
double FTableRowDf(int row) { return kRowDf[row]; }
double FTableColumnDf(int column) { return kColumnDf[column]; }

double FCritical(std::int32_t df1, std::int32_t df2) {
  if (df1 <= 30 || df2 <= 30) return FTableEntry(TableIndex(kRowDf, df2), TableIndex(kColumnDf, df1));
  const double g = 1.0 / df1 - 1.0 / df2;
  const double h = 2.0 / (1.0 / df1 + 1.0 / df2);
  return std::pow(10.0, 1.4287 / std::sqrt(std::fabs(h - 0.95)) - 0.681 * g);
}

}  // namespace tavrel
