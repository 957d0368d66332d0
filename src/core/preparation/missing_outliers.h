#pragma once
// Cleaning the variables in force of a data set of missing values and outliers. Each routine
// rewrites the data set in place and appends its note to ProcessingNote; the
// row-removing ones move the rows of every variable of the data set, the
// variables outside a narrowed set included, so observations stay aligned.
#include <cstdint>

namespace tavrel {

struct DataSet;

inline constexpr const char* kNoteMissingToMean = " Пропуски заменены средними.";
inline constexpr const char* kNoteMissingDeleted = "Пропуски удалены.";
inline constexpr const char* kNoteMissingRowsDeleted = "Удалены ряды с пропусками.";
inline constexpr const char* kNoteOutliersToMean = "Всплески заменены средними.";
inline constexpr const char* kNoteOutliersDeleted = "Всплески удалены.";
inline constexpr const char* kNoteOutlierRowsDeleted = "Удалены ряды с всплесками.";
inline constexpr const char* kNoteOutliersKept = "Массив из всплесков.";
inline constexpr const char* kNoteOutlierRowsKept = "Выбраны ряды с всплесками.";

// Every missing value of a variable becomes the mean of its values present; a
// variable with no value present stays as it is.
void MissingToMean(DataSet& d);
// Removes the missing values of each variable: the others move to the front,
// the count drops, the freed places hold the missing-value code.
void DeleteMissing(DataSet& d);
// Removes every observation in which some variable in force is missing.
void DeleteMissingRows(DataSet& d);
// Outliers, taken against the mean and deviation without them, become that mean.
void OutliersToMean(DataSet& d);
// Removes the outliers of each variable as DeleteMissing removes missing values.
void DeleteOutliers(DataSet& d);
// Removes every observation in which some variable in force is an outlier.
void DeleteOutlierRows(DataSet& d);
// Keeps only the outliers of each variable, padded as DeleteMissing pads.
void KeepOutliers(DataSet& d);
// Keeps only the observations in which some variable in force is an outlier.
void KeepOutlierRows(DataSet& d);

// Whether some variable in force holds a value outside its outlier limits.
bool HasOutliers(const DataSet& d);
// Whether variable v does (as HasOutliers asks of each).
bool VariableHasOutliers(const DataSet& d, int v);

}  // namespace tavrel
