#pragma once
// Day-number dates: whole days since 30.12.1899 held in a double, as stored in the files.
#include <optional>
#include <string>
#include <string_view>

namespace kw {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  bool operator==(const CivilDate&) const = default;
};

double EncodeDate(int year, int month, int day);
CivilDate DecodeDate(double dayNumber);
bool IsValidCivilDate(int year, int month, int day);
// 1 = Sunday, 2 = Monday, 3 = Tuesday ... 7 = Saturday.
int DayOfWeek(double dayNumber);
inline constexpr int kTuesday = 3;
inline constexpr int kFriday = 6;

// Local date and time as a day number; Today has no fraction, Now has the time of day.
double TodayDayNumber();
double NowDayNumber();

// "dd.mm.yyyy".
std::string DateText(double dayNumber);
// Strict: d.m.yyyy or dd.mm.yyyy, a real calendar date in 1900..9999, nothing else.
std::optional<double> ParseDateText(std::string_view text);
// Strict ISO form yyyy-mm-dd.
std::optional<double> ParseIsoDate(std::string_view text);

}  // namespace kw
