#include "support/DateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Runs a test in a fixed time zone and restores the process's own afterwards.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone)
    {
        const char* old = std::getenv("TZ");
        hadZone = old != nullptr;
        if (hadZone)
            previous = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (hadZone)
            setenv("TZ", previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool hadZone = false;
    std::string previous;
};

DateTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    DateTime value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

}  // namespace

TEST(DateTime, NormalizeRollsOverMonthEnds)
{
    ZoneGuard zone("UTC");
    DateTime leap = Date(2024, 2, 30);
    EXPECT_EQ(leap.FormatDateISO(), "2024-03-01");
    EXPECT_EQ(Date(2023, 2, 30).FormatDateISO(), "2023-03-02");
    EXPECT_EQ(Date(2023, 4, 31).FormatDateISO(), "2023-05-01");
    EXPECT_EQ(Date(2023, 12, 31, 23, 59, 60).FormatDateISO(), "2024-01-01");
    DateTime d = Date(2024, 3, 7, 9, 5, 0);
    EXPECT_FALSE(d.invalid);
    EXPECT_EQ(d.weekday, 4);
    EXPECT_EQ(d.epoch, 1709802300);
    EXPECT_EQ(d.FormatDateDMY(), "07/03/2024");
    EXPECT_EQ(d.FormatDateMDY(), "03/07/2024");
    EXPECT_EQ(d.FormatTime(), "09:05:00");
    EXPECT_EQ(d.MonthNameIt(), "MARZO");
    EXPECT_EQ(d.MonthNameEn(), "MARCH");
    EXPECT_EQ(d.WeekdayNameIt(), "Gioved\xEC");
    EXPECT_EQ(d.WeekdayNameEn(), "Thursday");
}

TEST(DateTime, ParsingChecksLengthDigitsAndYears)
{
    ZoneGuard zone("UTC");
    DateTime d;
    EXPECT_EQ(d.ParseDateDMY("25/12/1978").FormatDateISO(), "1978-12-25");
    EXPECT_EQ(d.ParseTime("23:59:58").FormatTime(), "23:59:58");
    EXPECT_EQ(d.FormatDateISO(), "1978-12-25");
    EXPECT_EQ(d.ParseDateMDY("12-25-2099").FormatDateISO(), "2099-12-25");
    EXPECT_TRUE(DateTime().ParseDateDMY("31/12/1977").invalid);
    EXPECT_TRUE(DateTime().ParseDateDMY("01/01/2100").invalid);
    EXPECT_TRUE(DateTime().ParseDateDMY("1/1/2000").invalid);
    EXPECT_TRUE(DateTime().ParseDateDMY("ab/01/2000").invalid);
    EXPECT_TRUE(Date(2000, 1, 1).ParseTime("1:02:03").invalid);
    EXPECT_TRUE(DateTime().ParseTime("01:02:03").invalid);  // no date to put it on
    EXPECT_EQ(DateTime().FormatDateDMY(), "");
    EXPECT_EQ(DateTime().MonthNameIt(), "");
}

TEST(DateTime, ArithmeticAcrossMonthsAndYears)
{
    ZoneGuard zone("UTC");
    EXPECT_EQ(Date(2023, 1, 31).AddMonths(1).FormatDateISO(), "2023-02-28");
    EXPECT_EQ(Date(2024, 1, 31).AddMonths(1).FormatDateISO(), "2024-02-29");
    EXPECT_EQ(Date(2023, 11, 30).AddMonths(3).FormatDateISO(), "2024-02-29");
    EXPECT_EQ(Date(2023, 1, 15).AddMonths(-13).FormatDateISO(), "2021-12-15");
    EXPECT_EQ(Date(2023, 3, 31).AddMonths(-1).FormatDateISO(), "2023-02-28");
    EXPECT_EQ(Date(2024, 2, 29).AddYears(1).FormatDateISO(), "2025-03-01");
    EXPECT_EQ(Date(2024, 2, 28).AddDays(1).FormatDateISO(), "2024-02-29");
    EXPECT_EQ(Date(2024, 3, 1).AddDays(-1).FormatDateISO(), "2024-02-29");
    EXPECT_EQ(Date(2023, 12, 31, 23, 0, 0).AddHours(1).FormatDateISO(), "2024-01-01");
    EXPECT_EQ(Date(2024, 1, 1).AddMinutes(-1).FormatTime(), "23:59:00");
    EXPECT_EQ(Date(2024, 1, 1).AddSeconds(90).FormatTime(), "00:01:30");
    EXPECT_TRUE(DateTime().AddDays(1).invalid);
    EXPECT_TRUE(Date(2024, 1, 1).AddSeconds(INT64_MAX).invalid);

    EXPECT_EQ(Date(2024, 2, 1).DaysInMonth(), 29);
    EXPECT_EQ(Date(2023, 2, 1).DaysInMonth(), 28);
    EXPECT_EQ(Date(1900, 2, 1).DaysInMonth(), 28);
    EXPECT_EQ(Date(2000, 2, 1).DaysInMonth(), 29);
    EXPECT_EQ(Date(2024, 2, 10).MonthWeekdays(), "45601234560123456012345601234");
    EXPECT_EQ(DaysBetween(Date(2024, 2, 28, 23, 0, 0), Date(2024, 3, 1, 1, 0, 0)), 2);
    EXPECT_EQ(DaysBetween(Date(2025, 1, 1), Date(2024, 1, 1)), -366);
}

TEST(DateTime, DaylightSavingChangesKeepCalendarDays)
{
    ZoneGuard zone("Europe/Rome");
    // Summer time began on 31 March 2024 and ended on 27 October 2024.
    EXPECT_EQ(Date(2024, 3, 10).DaysInMonth(), 31);
    EXPECT_EQ(DaysBetween(Date(2024, 3, 30), Date(2024, 4, 1)), 2);
    EXPECT_EQ(DaysBetween(Date(2024, 10, 26), Date(2024, 10, 28)), 2);
    DateTime autumn = Date(2024, 10, 27).AddDays(1);
    EXPECT_EQ(autumn.FormatDateISO() + " " + autumn.FormatTime(), "2024-10-28 00:00:00");
    EXPECT_EQ(SecondsBetween(Date(2024, 3, 31), Date(2024, 4, 1)), 23 * 3600);
    EXPECT_EQ(Date(2024, 3, 31, 2, 30, 0).FormatTime(), "03:30:00");  // a time that never was
}

TEST(DateTime, MillisecondsAndComparison)
{
    DateTime start = Now();
    EXPECT_FALSE(start.invalid);
    EXPECT_EQ(start.millisecond, 0);
    DateTime later = start.AddMilliseconds(1500);
    EXPECT_EQ(later.epoch, start.epoch + 1);
    EXPECT_EQ(later.millisecond, 500);
    EXPECT_EQ(MillisecondsBetween(start, later), 1500);
    EXPECT_EQ(MillisecondsBetween(later, start), -1500);
    EXPECT_EQ(later.AddMilliseconds(500).millisecond, 0);
    DateTime back = start.AddMilliseconds(-1);
    EXPECT_EQ(back.epoch, start.epoch - 1);
    EXPECT_EQ(back.millisecond, 999);

    DateTime same = start;
    same.millisecond = 0;
    EXPECT_EQ(MillisecondsBetween(start, same), 0);
    EXPECT_EQ(Compare(start, later), -1);
    EXPECT_EQ(Compare(later, start), 1);
    EXPECT_EQ(Compare(start, start.AddMilliseconds(999)), 0);  // whole seconds
    EXPECT_TRUE(start < later && start <= later && start != later);
    EXPECT_TRUE(later > start && later >= start && !(later == start));
    EXPECT_TRUE(start == start.AddMilliseconds(300));

    DateTime invalid;
    EXPECT_EQ(Compare(invalid, later), 0);
    EXPECT_EQ(MillisecondsBetween(invalid, later), 0);
    EXPECT_EQ(SecondsBetween(invalid, later), 0);
    EXPECT_EQ(DaysBetween(invalid, later), 0);
    EXPECT_FALSE(invalid < later);
    EXPECT_FALSE(invalid > later);
    EXPECT_FALSE(invalid != later);
    EXPECT_TRUE(invalid <= later);
    EXPECT_TRUE(invalid >= later);
    EXPECT_TRUE(invalid == later);
}

TEST(DateTime, EasterAndHolidays)
{
    ZoneGuard zone("UTC");
    EXPECT_EQ(EasterSunday(2024).FormatDateISO(), "2024-03-31");
    EXPECT_EQ(EasterSunday(2025).FormatDateISO(), "2025-04-20");
    EXPECT_EQ(EasterSunday(2000).FormatDateISO(), "2000-04-23");
    EXPECT_EQ(EasterSunday(1981).FormatDateISO(), "1981-04-19");  // first exception
    EXPECT_EQ(EasterSunday(1954).FormatDateISO(), "1954-04-18");  // second exception
    EXPECT_EQ(EasterSunday(2285).FormatDateISO(), "2285-03-22");  // the earliest date
    EXPECT_TRUE(EasterSunday(1499).invalid);
    EXPECT_TRUE(EasterSunday(2500).invalid);
    // Cross-checked with the Meeus/Jones/Butcher algorithm over the whole table.
    for (int year = 1500; year <= 2499; ++year) {
        int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
        int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
        int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
        DateTime easter = EasterSunday(year);
        ASSERT_EQ(easter.month, (h + l - 7 * m + 114) / 31) << year;
        ASSERT_EQ(easter.day, (h + l - 7 * m + 114) % 31 + 1) << year;
        ASSERT_EQ(easter.weekday, 0) << year;
    }

    EXPECT_TRUE(Date(2024, 4, 1).IsHoliday());  // Easter Monday in the next month
    EXPECT_TRUE(Date(2024, 3, 31).IsHoliday());
    EXPECT_FALSE(Date(2024, 4, 2).IsHoliday());
    EXPECT_TRUE(Date(2023, 6, 2).IsHoliday());
    EXPECT_FALSE(Date(2023, 12, 27).IsHoliday());
    EXPECT_FALSE(DateTime().IsHoliday());
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
}
