// Local calendar date-time values with whole-second epochs and a millisecond
// part that only AddMilliseconds moves. All calendar work goes through the C
// library's local time (mktime/localtime), so the values follow the zone's
// daylight-saving rules.
#pragma once

#include <cstdint>
#include <string>

struct DateTime {
    int32_t year = 0;        // all four digits
    int32_t month = 0;       // 1..12
    int32_t weekday = 0;     // 0 Sunday .. 6 Saturday, derived
    int32_t day = 0;         // 1..31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t millisecond = 0; // 0..999
    int64_t epoch = 0;       // seconds since 1970, derived
    bool invalid = true;     // no date set yet, or a parse/normalisation failed

    // Setters change this value (and return it, so calls chain). A failed
    // parse or normalisation sets invalid.
    DateTime& SetDate(int year, int month, int day);
    DateTime& SetDateTime(int year, int month, int day, int hour, int minute, int second);
    DateTime& ParseDateDMY(const std::string& text);  // "25/12/1978", years 1978..2099
    DateTime& ParseDateMDY(const std::string& text);  // "12/25/1978"
    DateTime& ParseTime(const std::string& text);     // "23:59:58", keeps the date
    // Recomputes every field from year..second (31 April becomes 1 May).
    DateTime& Normalize();

    // Arithmetic returns a new value; an invalid value comes back unchanged.
    [[nodiscard]] DateTime AddYears(int n) const;
    [[nodiscard]] DateTime AddMonths(int n) const;  // 31 January + 1 gives 28/29 February
    [[nodiscard]] DateTime AddDays(int64_t n) const;  // keeps the wall-clock time
    [[nodiscard]] DateTime AddHours(int64_t n) const;
    [[nodiscard]] DateTime AddMinutes(int64_t n) const;
    [[nodiscard]] DateTime AddSeconds(int64_t n) const;
    [[nodiscard]] DateTime AddMilliseconds(int64_t n) const;

    // Formatting of an invalid value gives an empty text.
    std::string FormatDateDMY() const;  // "07/03/2024"
    std::string FormatDateMDY() const;  // "03/07/2024"
    std::string FormatDateISO() const;  // "2024-03-07"
    std::string FormatTime() const;     // "09:05:00"
    std::string MonthNameIt() const;    // "GENNAIO"
    std::string MonthNameEn() const;    // "JANUARY"
    std::string WeekdayNameIt() const;  // "Domenica", "Luned\xEC" (ISO 8859-1)
    std::string WeekdayNameEn() const;  // "Sunday"
    int DaysInMonth() const;            // 0 when invalid
    // One weekday digit ('0'..'6') for every day of this month, day 1 first.
    std::string MonthWeekdays() const;
    // Italian public holidays, Easter Sunday and Monday included.
    bool IsHoliday() const;

    int GetYear() const { return year; }
    int GetMonth() const { return month; }
    int GetDay() const { return day; }
    int GetHour() const { return hour; }
    int GetMinute() const { return minute; }
    int GetSecond() const { return second; }
};

// The current local time, millisecond 0.
DateTime Now();

bool IsLeapYear(int year);
// Gregorian Easter Sunday (Gauss); years outside 1500..2499 give an invalid date.
DateTime EasterSunday(int year);

// All of these give 0 when a is invalid.
int64_t DaysBetween(const DateTime& a, const DateTime& b);    // calendar days b - a
int64_t SecondsBetween(const DateTime& a, const DateTime& b);
int64_t MillisecondsBetween(const DateTime& a, const DateTime& b);
int Compare(const DateTime& a, const DateTime& b);  // -1, 0, 1 by epoch

// By epoch (whole seconds). An invalid left value makes <, > and != false and
// <=, >= and == true.
bool operator<(const DateTime& a, const DateTime& b);
bool operator<=(const DateTime& a, const DateTime& b);
bool operator>(const DateTime& a, const DateTime& b);
bool operator>=(const DateTime& a, const DateTime& b);
bool operator==(const DateTime& a, const DateTime& b);
bool operator!=(const DateTime& a, const DateTime& b);
