#pragma once
// The 5% point of the variance-ratio test, from the F table or an approximation.
#include <cstdint>

namespace tavrel {

// The upper 5% point of F with df1 degrees of freedom of the numerator (the
// sample with the larger sigma) and df2 of the denominator. Sizes below 1 read
// the first row or column of the table.
double FCritical(std::int32_t df1, std::int32_t df2);

// The table entry for the tabulated degrees of freedom at row and column
// (counted from 0): 52 rows of the denominator, 24 columns of the numerator.
double FTableEntry(int row, int column);
inline constexpr int kFTableRows = 52;
inline constexpr int kFTableColumns = 24;
// The degrees of freedom of a row and of a column (kInfiniteDf in the last).
double FTableRowDf(int row);
double FTableColumnDf(int column);

}  // namespace tavrel
