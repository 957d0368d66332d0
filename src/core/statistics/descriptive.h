#pragma once
// The elementary estimates of a series 0..last that every statistic shares.
#include <cstdint>
#include <string>

#include "core/base/checked_array.h"

namespace tavrel {

// x rounded to d decimals, halves to the even neighbour.
double RoundDecimals(double x, int d);

// Mean and standard deviation (divisor last, each deviation rounded to 4
// decimals before squaring). last < 0 gives the missing-value code empty for
// both; a single value gives itself for both.
void MeanSigma(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma);
// The same over the values that are not missing (not equal to empty); 0 for
// both when all are missing.
void MeanSigmaNoEmpty(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma);
// The same over the values within the outlier limits of the whole series.
void MeanSigmaInLimits(const Array<double>& values, std::int32_t last, double empty, double& mean, double& sigma);

// The outlier limits mean -/+ e * sigma * f for a series of index + 1 values,
// rounded to 4 decimals; index < 0 gives the missing-value code empty, index 0 the mean.
void OutlierLimits(std::int32_t index, double mean, double sigma, double empty, double& low, double& high);

// A name whose trimmed text is shorter than 8 characters gets blanks appended
// up to 8 characters.
void PadName(std::string& name);

}  // namespace tavrel
