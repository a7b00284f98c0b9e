#include "core/dates.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace kw {

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 30.12.1899 is 25569 days before 01.01.1970.
constexpr long long kUnixEpochDayNumber = 25569;

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int ToInt(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

std::optional<double> FromParts(std::string_view y, std::string_view m, std::string_view d) {
  if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d)) return std::nullopt;
  if (y.size() != 4 || m.size() > 2 || d.size() > 2) return std::nullopt;
  const int yy = ToInt(y), mm = ToInt(m), dd = ToInt(d);
  if (yy < 1900 || !IsValidCivilDate(yy, mm, dd)) return std::nullopt;
  return EncodeDate(yy, mm, dd);
}
}  // namespace

double EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                             kUnixEpochDayNumber);
}

CivilDate DecodeDate(double dayNumber) {
  return CivilFromDays(static_cast<long long>(std::floor(dayNumber)) - kUnixEpochDayNumber);
}

bool IsValidCivilDate(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last;
}

int DayOfWeek(double dayNumber) {
  // Day 0 (30.12.1899) was a Saturday.
  const long long d = static_cast<long long>(std::floor(dayNumber));
  return static_cast<int>(((d + 6) % 7 + 7) % 7) + 1;
}

double NowDayNumber() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  const double day = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return day + (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

double TodayDayNumber() { return std::floor(NowDayNumber()); }

std::string DateText(double dayNumber) {
  const CivilDate c = DecodeDate(dayNumber);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", c.day, c.month, c.year);
  return buf;
}

std::optional<double> ParseDateText(std::string_view text) {
  const auto p1 = text.find('.');
  if (p1 == std::string_view::npos) return std::nullopt;
  const auto p2 = text.find('.', p1 + 1);
  if (p2 == std::string_view::npos) return std::nullopt;
  return FromParts(text.substr(p2 + 1), text.substr(p1 + 1, p2 - p1 - 1), text.substr(0, p1));
}

std::optional<double> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  return FromParts(text.substr(0, 4), text.substr(5, 2), text.substr(8, 2));
}

}  // namespace kw
