#pragma once
// Significance texts: a test value compared with the critical values of its
// distribution gives "<0.001", "<0.01", "<0.05", ">0.05" or blanks.
#include <cstdint>
#include <string>

namespace tavrel {

// A significance text of at most 6 characters.
using PText = std::string;

// Whether a significance text reports a result significant at 0.05 or beyond
// (neither ">0.05" nor blanks).
bool Significant(const PText& p);

// Student's t against the two-sided table; k is the caller's size argument.
// The 0.01 and 0.05 texts end in a blank.
PText PByT(std::int32_t k, double x, bool showNs);

// A normal deviate against 1.96, 2.58 and 3.29 (strict comparisons).
PText PByZ(double z, bool showNs);

// The Wilson-Hilferty approximation of the chi-square point for the deviate z.
double Chi2Critical(std::int32_t df, double z);

// Chi-square with df degrees of freedom; returns true when not significant at 0.05.
bool PByChi2(std::int32_t df, double chi2, bool showNs, PText& p);

// Asymmetry and excess coefficients of a sample of size n, by absolute value;
// true when not significant at 0.05.
bool PBySkew(std::int32_t n, double as, bool showNs, PText& p);
bool PByExcess(std::int32_t n, double ex, bool showNs, PText& p);

}  // namespace tavrel
