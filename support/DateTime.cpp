#include "support/DateTime.h"

#include "support/StringUtil.h"

#include <climits>
#include <ctime>

namespace {

constexpr int64_t secondsPerDay = 86400;
constexpr int64_t secondsPerHour = 3600;
constexpr int64_t secondsPerMinute = 60;

constexpr const char* monthNamesIt[] = {"GENNAIO", "FEBBRAIO", "MARZO", "APRILE", "MAGGIO",
                                        "GIUGNO", "LUGLIO", "AGOSTO", "SETTEMBRE", "OTTOBRE",
                                        "NOVEMBRE", "DICEMBRE"};
constexpr const char* monthNamesEn[] = {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE",
                                        "JULY", "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER",
                                        "DECEMBER"};
// The accented names end in the ISO 8859-1 byte 0xEC.
constexpr const char* weekdayNamesIt[] = {"Domenica", "Luned\xEC", "Marted\xEC", "Mercoled\xEC",
                                          "Gioved\xEC", "Venerd\xEC", "Sabato"};
constexpr const char* weekdayNamesEn[] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
constexpr int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
static_assert(sizeof monthNamesIt / sizeof *monthNamesIt == 12, "twelve months");
static_assert(sizeof monthNamesEn / sizeof *monthNamesEn == 12, "twelve months");
static_assert(sizeof weekdayNamesIt / sizeof *weekdayNamesIt == 7, "seven weekdays");
static_assert(sizeof weekdayNamesEn / sizeof *weekdayNamesEn == 7, "seven weekdays");
static_assert(sizeof daysInMonth / sizeof *daysInMonth == 12, "twelve months");

struct MonthDay {
    int month;
    int day;
};
constexpr MonthDay fixedHolidays[] = {{1, 1},  {1, 6},   {4, 25},  {5, 1},   {6, 2},
                                      {8, 15}, {11, 1},  {12, 8},  {12, 25}, {12, 26}};

// Gauss's M and N for each century from 1500 to 2499.
struct GaussCentury {
    int m;
    int n;
};
constexpr GaussCentury gaussTable[] = {{22, 2}, {22, 2}, {23, 3}, {23, 4}, {24, 5},
                                       {24, 5}, {24, 6}, {25, 0}, {26, 1}, {25, 1}};
constexpr int gaussFirstYear = 1500;
static_assert(sizeof gaussTable / sizeof *gaussTable == 10, "centuries 1500 to 2499");

bool FitsInt(int64_t value) { return value >= INT_MIN && value <= INT_MAX; }

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The broken-down local time of an epoch; false when it has none.
bool FillFromEpoch(DateTime& value, int64_t epoch)
{
    time_t seconds = static_cast<time_t>(epoch);
    struct tm local {};
    if (localtime_r(&seconds, &local) == nullptr || !FitsInt(int64_t{local.tm_year} + 1900)) {
        value.invalid = true;
        return false;
    }
    value.year = local.tm_year + 1900;
    value.month = local.tm_mon + 1;
    value.day = local.tm_mday;
    value.weekday = local.tm_wday;
    value.hour = local.tm_hour;
    value.minute = local.tm_min;
    value.second = local.tm_sec;
    value.epoch = epoch;
    value.invalid = false;
    return true;
}

DateTime ShiftedBySeconds(const DateTime& value, int64_t n, int64_t unit)
{
    DateTime result = value;
    int64_t delta, epoch;
    if (value.invalid)
        return result;
    if (__builtin_mul_overflow(n, unit, &delta) || __builtin_add_overflow(value.epoch, delta, &epoch))
        result.invalid = true;
    else
        FillFromEpoch(result, epoch);
    return result;
}

bool ParseDigits(const std::string& text, size_t start, size_t count, int& out)
{
    int value = 0;
    for (size_t i = start; i < start + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    out = value;
    return true;
}

int MonthLength(int year, int month)
{
    return month == 2 && IsLeapYear(year) ? 29 : daysInMonth[month - 1];
}

bool MonthInRange(int month) { return month >= 1 && month <= 12; }

}  // namespace

DateTime& DateTime::SetDate(int y, int m, int d)
{
    return SetDateTime(y, m, d, 0, 0, 0);
}

DateTime& DateTime::SetDateTime(int y, int m, int d, int h, int min, int s)
{
    year = y;
    month = m;
    day = d;
    hour = h;
    minute = min;
    second = s;
    millisecond = 0;
    return Normalize();
}

DateTime& DateTime::Normalize()
{
    struct tm broken {};
    int64_t tmYear = int64_t{year} - 1900;
    if (!FitsInt(tmYear) || !FitsInt(int64_t{month} - 1)) {
        invalid = true;
        return *this;
    }
    broken.tm_year = static_cast<int>(tmYear);
    broken.tm_mon = month - 1;
    broken.tm_mday = day;
    broken.tm_hour = hour;
    broken.tm_min = minute;
    broken.tm_sec = second;
    broken.tm_isdst = -1;  // let the zone's rules decide daylight saving
    time_t epochSeconds = mktime(&broken);
    if (epochSeconds == static_cast<time_t>(-1))
        invalid = true;
    else
        FillFromEpoch(*this, epochSeconds);
    return *this;
}

namespace {

// "dd/mm/yyyy" or "mm/dd/yyyy": the separators are not examined.
DateTime& ParseDate(DateTime& value, const std::string& text, bool dayFirst)
{
    int first = 0, second = 0, year = 0;
    if (text.size() != 10 || !ParseDigits(text, 0, 2, first) || !ParseDigits(text, 3, 2, second) ||
        !ParseDigits(text, 6, 4, year) || year < 1978 || year > 2099) {
        value.invalid = true;
        return value;
    }
    return dayFirst ? value.SetDate(year, second, first) : value.SetDate(year, first, second);
}

}  // namespace

DateTime& DateTime::ParseDateDMY(const std::string& text) { return ParseDate(*this, text, true); }

DateTime& DateTime::ParseDateMDY(const std::string& text) { return ParseDate(*this, text, false); }

DateTime& DateTime::ParseTime(const std::string& text)
{
    int h = 0, m = 0, s = 0;
    if (invalid)
        return *this;
    if (text.size() != 8 || !ParseDigits(text, 0, 2, h) || !ParseDigits(text, 3, 2, m) ||
        !ParseDigits(text, 6, 2, s)) {
        invalid = true;
        return *this;
    }
    hour = h;
    minute = m;
    second = s;
    return Normalize();
}

DateTime DateTime::AddYears(int n) const
{
    DateTime result = *this;
    if (invalid)
        return result;
    int64_t newYear = int64_t{year} + n;
    if (!FitsInt(newYear)) {
        result.invalid = true;
        return result;
    }
    result.year = static_cast<int32_t>(newYear);
    return result.Normalize();
}

DateTime DateTime::AddMonths(int n) const
{
    DateTime result = *this;
    if (invalid)
        return result;
    int64_t months = int64_t{year} * 12 + (month - 1) + n;
    int64_t newYear = FloorDiv(months, 12);
    if (!FitsInt(newYear)) {
        result.invalid = true;
        return result;
    }
    result.year = static_cast<int32_t>(newYear);
    result.month = static_cast<int32_t>(months - newYear * 12) + 1;
    int length = MonthLength(result.year, result.month);
    if (result.day > length)
        result.day = length;
    return result.Normalize();
}

DateTime DateTime::AddDays(int64_t n) const
{
    // Calendar days rather than n times 86400 seconds: a day across a
    // daylight-saving change is 23 or 25 hours long.
    DateTime result = *this;
    if (invalid)
        return result;
    int64_t newDay = int64_t{day} + n;
    if (!FitsInt(newDay)) {
        result.invalid = true;
        return result;
    }
    result.day = static_cast<int32_t>(newDay);
    return result.Normalize();
}

DateTime DateTime::AddHours(int64_t n) const { return ShiftedBySeconds(*this, n, secondsPerHour); }

DateTime DateTime::AddMinutes(int64_t n) const
{
    return ShiftedBySeconds(*this, n, secondsPerMinute);
}

DateTime DateTime::AddSeconds(int64_t n) const { return ShiftedBySeconds(*this, n, 1); }

DateTime DateTime::AddMilliseconds(int64_t n) const
{
    DateTime result = *this;
    int64_t total;
    if (invalid)
        return result;
    if (__builtin_add_overflow(n, int64_t{millisecond}, &total)) {
        result.invalid = true;
        return result;
    }
    // Floor division keeps the millisecond part in 0..999 for negative steps.
    result = ShiftedBySeconds(*this, FloorDiv(total, 1000), 1);
    result.millisecond = static_cast<int32_t>(total - FloorDiv(total, 1000) * 1000);
    return result;
}

std::string DateTime::FormatDateDMY() const
{
    if (invalid)
        return std::string();
    return FormatLong(day, '0', 2) + "/" + FormatLong(month, '0', 2) + "/" + FormatLong(year, '0', 4);
}

std::string DateTime::FormatDateMDY() const
{
    if (invalid)
        return std::string();
    return FormatLong(month, '0', 2) + "/" + FormatLong(day, '0', 2) + "/" + FormatLong(year, '0', 4);
}

std::string DateTime::FormatDateISO() const
{
    if (invalid)
        return std::string();
    return FormatLong(year, '0', 4) + "-" + FormatLong(month, '0', 2) + "-" + FormatLong(day, '0', 2);
}

std::string DateTime::FormatTime() const
{
    if (invalid)
        return std::string();
    return FormatLong(hour, '0', 2) + ":" + FormatLong(minute, '0', 2) + ":" +
           FormatLong(second, '0', 2);
}

std::string DateTime::MonthNameIt() const
{
    return !invalid && MonthInRange(month) ? monthNamesIt[month - 1] : "";
}

std::string DateTime::MonthNameEn() const
{
    return !invalid && MonthInRange(month) ? monthNamesEn[month - 1] : "";
}

std::string DateTime::WeekdayNameIt() const
{
    return !invalid && weekday >= 0 && weekday <= 6 ? weekdayNamesIt[weekday] : "";
}

std::string DateTime::WeekdayNameEn() const
{
    return !invalid && weekday >= 0 && weekday <= 6 ? weekdayNamesEn[weekday] : "";
}

int DateTime::DaysInMonth() const
{
    // From the calendar, not from local midnights: a month whose last day
    // starts daylight saving would otherwise lose a day.
    return !invalid && MonthInRange(month) ? MonthLength(year, month) : 0;
}

std::string DateTime::MonthWeekdays() const
{
    std::string digits;
    int length = DaysInMonth();
    if (length == 0)
        return digits;
    int firstWeekday = static_cast<int>(((weekday - (day - 1)) % 7 + 7) % 7);
    for (int i = 0; i < length; ++i)
        digits += static_cast<char>('0' + (firstWeekday + i) % 7);
    return digits;
}

bool DateTime::IsHoliday() const
{
    if (invalid)
        return false;
    for (const MonthDay& holiday : fixedHolidays)
        if (holiday.month == month && holiday.day == day)
            return true;
    DateTime easter = EasterSunday(year);
    if (easter.invalid)
        return false;
    DateTime easterMonday = easter.AddDays(1);
    return (easter.month == month && easter.day == day) ||
           (easterMonday.month == month && easterMonday.day == day);
}

DateTime Now()
{
    DateTime now;
    FillFromEpoch(now, static_cast<int64_t>(time(nullptr)));
    now.millisecond = 0;
    return now;
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

DateTime EasterSunday(int year)
{
    DateTime easter;
    if (year < gaussFirstYear || year >= gaussFirstYear + 100 * 10)
        return easter;
    const GaussCentury& century = gaussTable[(year - gaussFirstYear) / 100];
    int a = year % 19;
    int b = year % 4;
    int c = year % 7;
    int d = (19 * a + century.m) % 30;
    int e = (2 * b + 4 * c + 6 * d + century.n) % 7;
    int marchDay = 22 + d + e;  // past 31 it runs on into April
    // Gauss's two exceptions keep Easter on or before 25 April.
    if (d == 29 && e == 6)
        marchDay = 31 + 19;
    else if (d == 28 && e == 6 && (11 * century.m + 11) % 30 < 19)
        marchDay = 31 + 18;
    if (marchDay > 31)
        return easter.SetDate(year, 4, marchDay - 31);
    return easter.SetDate(year, 3, marchDay);
}

int64_t DaysBetween(const DateTime& a, const DateTime& b)
{
    if (a.invalid || b.invalid)
        return 0;
    DateTime startA, startB;
    startA.SetDate(a.year, a.month, a.day);
    startB.SetDate(b.year, b.month, b.day);
    if (startA.invalid || startB.invalid)
        return 0;
    // Rounded, since a day across a daylight-saving change is not 86400 s.
    int64_t difference = startB.epoch - startA.epoch;
    int64_t half = secondsPerDay / 2;
    return difference >= 0 ? (difference + half) / secondsPerDay
                           : -((-difference + half) / secondsPerDay);
}

int64_t SecondsBetween(const DateTime& a, const DateTime& b)
{
    if (a.invalid || b.invalid)
        return 0;
    return b.epoch - a.epoch;
}

int64_t MillisecondsBetween(const DateTime& a, const DateTime& b)
{
    int64_t milliseconds;
    if (a.invalid || b.invalid)
        return 0;
    // Only epochs hundreds of millions of years apart overflow; they saturate.
    if (__builtin_mul_overflow(b.epoch - a.epoch, int64_t{1000}, &milliseconds))
        return b.epoch > a.epoch ? INT64_MAX : INT64_MIN;
    return milliseconds + (b.millisecond - a.millisecond);
}

int Compare(const DateTime& a, const DateTime& b)
{
    if (a.invalid || a.epoch == b.epoch)
        return 0;
    return a.epoch > b.epoch ? 1 : -1;
}

bool operator<(const DateTime& a, const DateTime& b) { return !a.invalid && a.epoch < b.epoch; }
bool operator<=(const DateTime& a, const DateTime& b) { return a.invalid || a.epoch <= b.epoch; }
bool operator>(const DateTime& a, const DateTime& b) { return !a.invalid && a.epoch > b.epoch; }
bool operator>=(const DateTime& a, const DateTime& b) { return a.invalid || a.epoch >= b.epoch; }
bool operator==(const DateTime& a, const DateTime& b) { return a.invalid || a.epoch == b.epoch; }
bool operator!=(const DateTime& a, const DateTime& b) { return !a.invalid && a.epoch != b.epoch; }
