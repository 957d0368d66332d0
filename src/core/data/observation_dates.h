#pragma once
// The dates of the observations, when the data file gives them: a first column
// of dates in a CSV table or a workbook. A date is held as spreadsheets hold
// it, a serial number of days from 30 December 1899, the time of day as its
// fraction; NaN stands for an observation without a date (a row inserted in
// the data table).
#include <string>
#include <string_view>

#include "core/base/checked_array.h"

namespace tavrel {

// The serial of a calendar day; month 1..12, day 1..31.
double DateSerial(int year, int month, int day);

// A date as the files write it: "2024-01-05", "05.01.2024" or "05/01/2024"
// (day first), each with an optional time "10:30" or "10:30:15" after a blank
// or (in the ISO form) a "T". False when text is not one or names no real day.
bool ParseDateText(std::string_view text, double& serial);

// A date in ISO form, "2024-01-05", with the time of day after a blank when
// it has one ("2024-01-05 10:30", seconds only when there are some). Empty for NaN.
std::string IsoDateText(double serial);

// A date for people, "05.01.2024" (with the time as IsoDateText). Empty for NaN.
std::string DayMonthYearText(double serial);

// The X-axis label of a date: "05.01", with the year ("05.01.2024") when
// previous (the date labelled before) is NaN or of another year. Empty for NaN.
std::string DateLabel(double serial, double previous);

// Whether dates holds a date (not only observations without one).
bool AnyDate(const Array<double>& dates);

// "05.01.2024 – 20.01.2024": the earliest and the latest of the dates; empty
// when there is none.
std::string DateRangeText(const Array<double>& dates);

// "20.01.2024 – 05.01.2024": the dates of the first and the last observation
// that have one, in the rows' order (the ends of a graph's X axis); empty when
// there is none.
std::string FirstToLastDateText(const Array<double>& dates);

}  // namespace tavrel
