#pragma once
// What the pair tables share: the variables in force read once, the loop over
// all pairs j < k with its progress, the working series of a pair after the
// pairwise deletions, and the result of each pair from which a table is written.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/checked_array.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/statistics/decimal_values.h"
#include "core/statistics/p_text.h"
#include "core/statistics/progress.h"

namespace tavrel {

// A variable in force as the pair tables use it: its values 0..last are
// those of the data set's column, viewed, not copied (a pair table is made
// while the data set stays as it is).
struct PairVariable {
  std::string name;    // as stored
  std::string padded;  // the name after PadName
  std::int32_t last = -1;
  const Array<double>* values = nullptr;
  // Values 0..last, a copy.
  Array<double> Copy() const { return Array<double>(values->begin(), values->begin() + (last + 1)); }
};

// Variables 0..LastVar of the data set.
Array<PairVariable> ReadVariablesInForce(const DataSet& data);

// What DecimalValuesOf finds for the values of each variable, worked on the
// cores as ForEachVariable shares them out. It holds for the values of any
// pair of the variable, which are some of them.
std::vector<DecimalValues> DecimalValuesOfVariables(const DataSet& data, const Array<PairVariable>& vars);

// The pairwise deletions the data set asks for.
struct PairDeletion {
  bool missing = false;
  bool outliers = false;
  double empty = 0;  // the missing-value code
};
PairDeletion PairDeletionOf(const DataSet& data);

// How a pair of a pair table came out: computed, or the error its line reports.
enum class PairOutcome {
  kComputed,
  kUnequalSizes,      // the variables differ in size
  kSigmaZero,         // a standard deviation is 0
  kIdentical,         // every difference is 0
  kTiedRanks,         // the tie correction leaves nothing
  kNoTStatistic,      // 1 - rho^2 is not positive
  kTooFew,            // both samples hold fewer than 8 values
  kZeroVariance,      // the tie-corrected variance is 0
  kNegativeVariance,  // the tie-corrected variance is negative
};

// One pair of a pair table.
struct PairStatistic {
  int first = 0, second = 0;  // the variables, in force order
  PairOutcome outcome = PairOutcome::kComputed;
  std::int32_t n = 0;   // the pairs worked with, or the size of the first sample
  std::int32_t n2 = 0;  // the size of the second sample of the two-sample tests
  double value = 0;     // the coefficient r or rho, or the criterion t, z or U
  double t = 0;         // the t of a correlation coefficient: signed for r, of |rho|; 0 when it is 1
  PText p;              // the significance text
};

// Takes the pairs of a table one by one, in pair order, as they are computed.
using PairSink = std::function<void(const PairStatistic& pair)>;

// The pairs of a table in pair order, without those left out for their names.
using PairTable = Array<PairStatistic>;
// A sink that appends to table.
PairSink Into(PairTable& table);

// After a pair was computed from the data set: adds to its processing note the
// sentence of each pairwise deletion the pair was worked with.
void NotePairDeletions(DataSet& data, const PairStatistic& pair);

// Whether the pair is to be skipped for EqualNamesOnly (stored names differ).
bool SkippedForNames(const PairVariable& x, const PairVariable& y, bool equalNamesOnly);

class PairSeries;

// The pair loop of the analyses that pair observation i with observation i:
// with skipNames, pairs of differently named variables are left out;
// variables of different sizes give kUnequalSizes; the others are prepared
// and handed to compute, whose result (with the variables filled in) goes to
// take. The pairs are worked on two threads as ComputePairsInOrder works them.
void ComputePreparedPairs(const Array<PairVariable>& vars, const PairDeletion& deletion, bool skipNames,
                          const ProgressFn& progress,
                          const std::function<PairStatistic(int worker, int j, int k, const PairSeries& pair)>& compute,
                          const PairSink& take);

// The pairs j < k of the variables (none left out for their names; those of
// different sizes kUnequalSizes) worked for an analysis that keeps something
// large for each variable: the rows are taken in blocks of blockRows
// variables, startBlock(first, end) is called for each block of rows
// first..end - 1 before its pairs, and the pairs of the block are worked
// column by column, all of column k on one of two workers:
// computeColumn(worker, k, rows, out) gets the rows j of the block (j < k)
// whose variable has k's size, and writes the pair (j, k) of rows[i] to
// out[i]. A worker so needs variable k's data only while it works column k.
// The pairs of a block are taken in pair order once the block is done.
using ColumnComputation =
    std::function<void(int worker, int k, const std::vector<int>& rows, PairStatistic* out)>;
void ComputePairsByColumns(const Array<PairVariable>& vars, int blockRows, const ProgressFn& progress,
                           const std::function<void(int first, int end)>& startBlock,
                           const ColumnComputation& computeColumn, const PairSink& take);

// Calls compute(worker, j, k) for the pairs j = 0..lastVar, k = j + 1..lastVar
// in that order, on one of two threads (worker 0 or 1, see ForEachInOrder:
// what compute keeps per worker is its own), and the progress and take on the
// calling thread, pair after pair in order. Pairs that skip leaves out are
// neither computed nor taken.
void ComputePairsInOrder(int lastVar, const ProgressFn& progress, const std::function<bool(int j, int k)>& skip,
                         const std::function<PairStatistic(int worker, int j, int k)>& compute, const PairSink& take);

// For the analyses that make the sums of all pairs at once (pair_products.h):
// whether every pair keeps the variables' own values (no pairwise deletion
// asked for, all variables of one size, two or more of them); where each
// variable's values start; and every pair j < k handed to take in pair
// order, result(j, k, place) being its result, place its number in that order
// from 0, with the variables filled in.
bool EveryPairOwn(const Array<PairVariable>& vars, const PairDeletion& deletion);
std::vector<const double*> ColumnsOf(const Array<PairVariable>& vars);
void TakeEveryPair(int count, const std::function<PairStatistic(int j, int k, std::size_t place)>& result,
                   const PairSink& take);

// Whether ReliableOnly leaves out a result line with this significance text.
bool Unreliable(const std::string& p, bool reliableOnly);

// The text of a pair's line after its prefix, or nothing when the pair has no line.
using PairText = std::function<std::optional<std::string>(const PairStatistic& pair)>;

// A sink that writes each pair's line: the prefix (one blank, the first name
// [8], one blank, the second name [8]) and the text.
PairSink LineWriter(ResultsFileWriter& out, const Array<PairVariable>& vars, const PairText& text);

// How a table computes its pairs of the given variables, handing each to take.
using PairComputation = std::function<void(const Array<PairVariable>& vars, const PairSink& take)>;

// The lines of a table of prepared pairs: reads the data set's variables in
// force, computes the pairs and writes each line as it comes, adding the
// pairwise deletions worked with to the processing note.
void WritePreparedPairLines(ResultsFileWriter& out, DataSet& data, const PairComputation& compute,
                            const PairText& text);

// The working series of a pair of equal sizes: the variables' own values, or
// copies with the pairwise deletions applied when the data set asks for them.
class PairSeries {
 public:
  void Prepare(const PairVariable& a, const PairVariable& b, const PairDeletion& deletion);
  const Array<double>& X() const { return *x_; }
  const Array<double>& Y() const { return *y_; }
  std::int32_t Last() const { return last_; }
  // True when nothing was dropped, so that the series are the variables' own
  // values in their own order and whatever was computed for a variable holds.
  bool Own() const { return own_; }

 private:
  const Array<double>* x_ = nullptr;
  const Array<double>* y_ = nullptr;
  std::int32_t last_ = -1;
  bool own_ = true;
  Array<double> workX_, workY_;
};

}  // namespace tavrel
