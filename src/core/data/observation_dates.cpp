#include "core/data/observation_dates.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tavrel {

namespace {

// Days from 1 January 1970 of a day of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<std::int64_t>(y - era * 400);
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  std::int64_t year;
  int month, day;
};

Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

constexpr std::int64_t kSerialEpoch = -25569;  // 30 December 1899, in days from 1970

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// Reads exactly count digits at pos.
bool Digits(std::string_view s, std::size_t& pos, int count, int& value) {
  value = 0;
  for (int k = 0; k < count; ++k, ++pos) {
    if (pos >= s.size() || s[pos] < '0' || s[pos] > '9') return false;
    value = value * 10 + (s[pos] - '0');
  }
  return true;
}

// One or two digits at pos.
bool ShortNumber(std::string_view s, std::size_t& pos, int& value) {
  if (!Digits(s, pos, 1, value)) return false;
  int next = 0;
  std::size_t p = pos;
  if (Digits(s, p, 1, next)) {
    value = value * 10 + next;
    pos = p;
  }
  return true;
}

bool Expect(std::string_view s, std::size_t& pos, char c) {
  if (pos >= s.size() || s[pos] != c) return false;
  ++pos;
  return true;
}

// "HH:MM" or "HH:MM:SS" from pos to the end, as a fraction of a day.
bool TimeOfDay(std::string_view s, std::size_t pos, double& fraction) {
  int h = 0, m = 0, sec = 0;
  if (!ShortNumber(s, pos, h) || !Expect(s, pos, ':') || !Digits(s, pos, 2, m)) return false;
  if (pos < s.size() && (!Expect(s, pos, ':') || !Digits(s, pos, 2, sec))) return false;
  if (pos != s.size() || h > 23 || m > 59 || sec > 59) return false;
  fraction = (h * 3600 + m * 60 + sec) / 86400.0;
  return true;
}

std::string TimeText(double serial) {
  const double whole = std::floor(serial);
  const auto seconds = static_cast<long>(std::lround((serial - whole) * 86400));
  if (seconds == 0 || seconds >= 86400) return {};
  char buf[64];
  if (seconds % 60 != 0) {
    std::snprintf(buf, sizeof buf, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  } else {
    std::snprintf(buf, sizeof buf, " %02ld:%02ld", seconds / 3600, seconds / 60 % 60);
  }
  return buf;
}

Civil CivilOf(double serial) {
  // A time that rounds to the next midnight belongs to the next day.
  const double rounded = std::floor(serial + 0.5 / 86400);
  return CivilFromDays(static_cast<std::int64_t>(rounded) + kSerialEpoch);
}

}  // namespace

double DateSerial(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kSerialEpoch);
}

bool ParseDateText(std::string_view text, double& serial) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::size_t pos = 0;
  int year = 0, month = 0, day = 0;
  bool iso = false;
  if (text.size() >= 10 && text[4] == '-') {
    iso = true;
    if (!Digits(text, pos, 4, year) || !Expect(text, pos, '-') || !Digits(text, pos, 2, month) ||
        !Expect(text, pos, '-') || !Digits(text, pos, 2, day)) {
      return false;
    }
  } else {
    if (!ShortNumber(text, pos, day) || pos >= text.size()) return false;
    const char separator = text[pos];
    if ((separator != '.' && separator != '/') || !Expect(text, pos, separator) || !ShortNumber(text, pos, month) ||
        !Expect(text, pos, separator) || !Digits(text, pos, 4, year)) {
      return false;
    }
  }
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  double fraction = 0;
  if (pos < text.size()) {
    const char between = text[pos];
    if (!(between == ' ' || (iso && between == 'T'))) return false;
    ++pos;
    while (between == ' ' && pos < text.size() && text[pos] == ' ') ++pos;
    if (!TimeOfDay(text, pos, fraction)) return false;
  }
  serial = DateSerial(year, month, day) + fraction;
  return true;
}

std::string IsoDateText(double serial) {
  if (std::isnan(serial)) return {};
  const Civil c = CivilOf(serial);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d", static_cast<long long>(c.year), c.month, c.day);
  return buf + TimeText(serial);
}

std::string DayMonthYearText(double serial) {
  if (std::isnan(serial)) return {};
  const Civil c = CivilOf(serial);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04lld", c.day, c.month, static_cast<long long>(c.year));
  return buf + TimeText(serial);
}

std::string DateLabel(double serial, double previous) {
  if (std::isnan(serial)) return {};
  const Civil c = CivilOf(serial);
  char buf[32];
  if (!std::isnan(previous) && CivilOf(previous).year == c.year) {
    std::snprintf(buf, sizeof buf, "%02d.%02d", c.day, c.month);
  } else {
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04lld", c.day, c.month, static_cast<long long>(c.year));
  }
  return buf;
}

bool AnyDate(const Array<double>& dates) {
  for (const double date : dates)
    if (!std::isnan(date)) return true;
  return false;
}

std::string DateRangeText(const Array<double>& dates) {
  double first = NAN, last = NAN;
  for (const double date : dates) {
    if (std::isnan(date)) continue;
    if (std::isnan(first) || date < first) first = date;
    if (std::isnan(last) || date > last) last = date;
  }
  if (std::isnan(first)) return {};
  return DayMonthYearText(first) + " – " + DayMonthYearText(last);
}

std::string FirstToLastDateText(const Array<double>& dates) {
  const auto dated = [](double date) { return !std::isnan(date); };
  const auto first = std::find_if(dates.begin(), dates.end(), dated);
  if (first == dates.end()) return {};
  const auto last = std::find_if(dates.rbegin(), dates.rend(), dated);
  return DayMonthYearText(*first) + " – " + DayMonthYearText(*last);
}

}  // namespace tavrel
