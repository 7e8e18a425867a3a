// Date-times are doubles: days since 1899-12-30, with the time of day as the
// fraction. This is the form kept in memory and written in every file.
#pragma once

#include <string>

namespace zelvora {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

// Days of the calendar date (proleptic Gregorian) since 1899-12-30.
double EncodeDate(int year, int month, int day);
// Requires: 0 <= hour < 24, 0 <= minute, second < 60, 0 <= msec < 1000.
double EncodeTime(int hour, int minute, int second, int msec = 0);
// The calendar date of a date-time (the fraction is dropped toward the
// earlier day, also before 1899-12-30).
CivilDate DecodeDate(double date_time);

// The local date and time now.
double Now();
// Today at midnight, local time.
double Today();

// "yyyy-mm-dd".
std::string FormatIsoDate(double date_time);
// "December 8, 2026" (month name, day, year: the reports' page headings).
std::string FormatHeadingDate(double date_time);
// "12/8/2026", the short date (month/day/year, no leading zeros).
std::string FormatShortDate(double date_time);
// "Tuesday, December 8, 2026", the long date.
std::string FormatLongDate(double date_time);

}  // namespace zelvora
