#pragma once
// Transformations of the variables in force: normalisation, differences,
// logarithms, shifting series against each other, replacing a value,
// arithmetic between variables and renaming.
#include <string>
#include <vector>

namespace tavrel {

struct DataSet;

inline constexpr const char* kNoteNormalised = "Данные нормированы.";
inline constexpr const char* kNoteDifferences = "Приросты.";
inline constexpr const char* kNoteLogarithm = "Логарифмирование.";

inline constexpr const char* kNotEnoughForShift = "Данных недостаточно.";
inline constexpr const char* kNothingEntered = "Данные не введены";

// Each value x becomes (x - mean) / sigma; with sigma 0 every value becomes 0.
void NormaliseVariables(DataSet& d);
// x[j] := x[j + 1] - x[j] (missing where either is missing); the count drops by
// one and the last place holds the missing-value code. A variable without
// values stays as it is.
void Differences(DataSet& d);
// x := ln |x| for x other than 0; 0 stays 0.
void LogVariables(DataSet& d);

// Shifts the variables in force (the chosen ones, 0..LastVar) against the
// others by shift observations: a positive shift pairs row j of the chosen
// with row j + shift of the others, a negative one the reverse; |shift| rows
// are lost. Refuses (false, nothing moved) when fewer than 3 observations would
// remain. Either way every variable is in force afterwards.
bool ShiftSeries(DataSet& d, int shift);

// Every value of the variable (every variable in force for -1) exactly equal
// to from becomes to.
void ReplaceValues(DataSet& d, double from, double to, int variable);

// r := a op b per observation, op one of '+', '-', '*', '/' (a division by 0
// gives 0). Where either operand is missing or beyond its count, the result
// is missing; the result's count is the smaller of the operands' counts.
void Arithmetic(DataSet& d, int a, char op, int b, int r);

// The names of the variables in force, one text each, made clean
// (CleanName: no blank inside, an empty text gives "Var" and the column number).
void RenameVariables(DataSet& d, const std::vector<std::string>& names);

}  // namespace tavrel
