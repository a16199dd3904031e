// The moon phase calendar: calendar routines, the grid placement, the phase picture of each
// day, the painting and the window.
#include <limits>

#include <QCalendar>
#include <QDate>
#include <gtest/gtest.h>

#include "astro/theories/moon.h"
#include "astro/time/timebase.h"
#include "windows/moon_phase_calendar_window.h"

using namespace noctaris;
using namespace noctaris::mooncal;

namespace {

int CellOf(int year, int month, int n) { return FirstCell(DayOfWeek(year, month, 1), 1) + n - 1; }

}  // namespace

TEST(MoonCalendarRoutines, JulianThenGregorianCalendar) {
    EXPECT_FALSE(IsCalendarLeapYear(1900));
    EXPECT_TRUE(IsCalendarLeapYear(2000));
    EXPECT_TRUE(IsCalendarLeapYear(2024));
    EXPECT_FALSE(IsCalendarLeapYear(2026));
    EXPECT_TRUE(IsCalendarLeapYear(1500));  // a Julian leap year
    EXPECT_TRUE(IsCalendarLeapYear(1600));
    EXPECT_EQ(DaysInMonth(IsCalendarLeapYear(1900), 2), 28);
    EXPECT_EQ(DaysInMonth(IsCalendarLeapYear(1500), 2), 29);
    // 4 October 1582 was a Thursday, the next day Friday 15 October; 1 March 1500 a Sunday.
    EXPECT_EQ(DayOfWeek(1582, 10, 4), 5);
    EXPECT_EQ(DayOfWeek(1582, 10, 15), 6);
    EXPECT_EQ(DayOfWeek(1500, 3, 1), 1);
    EXPECT_EQ(DayOffset(1582, 10, 15), 4);
    EXPECT_FALSE(DayOffset(1582, 10, 10));
    EXPECT_EQ(DayOffset(1500, 2, 29), 28);
    // The days that exist get a picture, the dropped ones none.
    const MonthPictures october = ComputeMonthPictures(1582, 10);
    for (int n = 1; n <= 31; ++n) EXPECT_EQ(october[n - 1] >= 0, n <= 4 || n >= 15) << n;
}

TEST(MoonCalendarRoutines, DaysInMonthOfEveryMonth) {
    const int expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(DaysInMonth(false, m), expected[m - 1]) << m;
        EXPECT_EQ(DaysInMonth(true, m), m == 2 ? 29 : expected[m - 1]) << m;
    }
    EXPECT_EQ(DaysInMonth(false, 0), 0);
    EXPECT_EQ(DaysInMonth(true, 13), 0);
    EXPECT_EQ(DaysInMonth(true, -1), 0);
}

TEST(MoonCalendarRoutines, TextsOfMonthsAndWeekdays) {
    EXPECT_EQ(MonthName(1), "January");
    EXPECT_EQ(MonthName(9), "September");
    EXPECT_EQ(MonthName(12), "December");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
    const char* headings[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(WeekdayHeading(i), headings[i]);
    EXPECT_EQ(WeekdayHeading(7), "");
}

TEST(MoonCalendarRoutines, WeekdaySundayFirstAgreesWithTheCalendar) {
    EXPECT_EQ(DayOfWeek(1899, 12, 30), 7);  // Saturday, TDateTime 0
    EXPECT_EQ(DayOfWeek(1899, 12, 31), 1);  // Sunday
    EXPECT_EQ(DayOfWeek(2026, 12, 1), 3);   // Tuesday
    EXPECT_EQ(DayOfWeek(1, 1, 1), 7);       // Saturday (Julian calendar)
    // Before and after the zero of the serial, and across centuries; Qt's own calendars name
    // the days, Julian before the reform.
    for (QDate d(1890, 1, 1); d < QDate(1910, 1, 1); d = d.addDays(13))
        ASSERT_EQ(DayOfWeek(d.year(), d.month(), d.day()), d.dayOfWeek() % 7 + 1) << d.toString(Qt::ISODate).toStdString();
    const QCalendar julian(QCalendar::System::Julian);
    for (QDate d(1, 1, 1, julian); d < QDate(9999, 1, 1); d = d.addDays(3653)) {
        const QCalendar c = d < QDate(1582, 10, 15) ? julian : QCalendar();
        ASSERT_EQ(DayOfWeek(d.year(c), d.month(c), d.day(c)), d.dayOfWeek() % 7 + 1) << d.toString(Qt::ISODate).toStdString();
    }
}

TEST(MoonCalendarGrid, FirstDayPlacementByWeekday) {
    // December 2025: 31 days from a Monday fill cells 8..38, rows 1..5; row 0 stays empty.
    EXPECT_EQ(CellOf(2025, 12, 1), 8);
    EXPECT_EQ(CellOf(2025, 12, 31), 38);
    EXPECT_EQ(CellOf(2025, 12, 31) / 7, 5);
    // February 2026 begins on a Sunday: second row, column 0.
    EXPECT_EQ(CellOf(2026, 2, 1), 7);
    // December 2026 begins on a Tuesday, August 2026 on a Saturday: first row.
    EXPECT_EQ(CellOf(2026, 12, 1), 2);
    EXPECT_EQ(CellOf(2026, 8, 1), 6);
    // Any day of the month gives the same start cell.
    for (int n = 1; n <= 31; ++n) EXPECT_EQ(FirstCell(DayOfWeek(2025, 12, n), n), 8) << n;
}

TEST(MoonCalendarGrid, EveryMonthFitsSixRowsWithDaysOnTheirWeekday) {
    for (int y = 1999; y <= 2030; ++y)
        for (int m = 1; m <= 12; ++m) {
            const int days = DaysInMonth(IsCalendarLeapYear(y), m);
            const int first = CellOf(y, m, 1);
            ASSERT_GE(first, 2);
            ASSERT_LE(first, 8);
            ASSERT_LE(first + days - 1, 41) << y << "-" << m;
            ASSERT_EQ(first % 7, DayOfWeek(y, m, 1) - 1);
        }
}

TEST(MoonCalendarGrid, LayoutOfTheDefaultSize) {
    const Layout l = Layout::For(QSize(784, 578));
    EXPECT_EQ(l.a, 98);
    EXPECT_EQ(l.d, 49);
    EXPECT_EQ(l.h, 76);
}

TEST(MoonCalendarPictures, PictureForAgeAndSheetPlaces) {
    const long double perPicture = 29.530589L / 28;
    EXPECT_EQ(PictureForAge(0), 0);
    EXPECT_EQ(PictureForAge(perPicture * 0.999L), 0);
    EXPECT_EQ(PictureForAge(perPicture * 1.001L), 1);
    EXPECT_EQ(PictureForAge(14.77L), 14);
    EXPECT_EQ(PictureForAge(29.5305L), 27);
    EXPECT_EQ(PictureForAge(29.530589L), 0);    // a whole lunation wraps to new moon, never 28
    EXPECT_EQ(PictureForAge(-2.0L), 27);        // wraps, though MoonAge is never negative
    EXPECT_EQ(PictureForAge(std::numeric_limits<long double>::quiet_NaN()), 0);

    EXPECT_EQ(SheetPictureOrigin(0), QPoint(18, 14));
    EXPECT_EQ(SheetPictureOrigin(6), QPoint(534, 14));
    EXPECT_EQ(SheetPictureOrigin(7), QPoint(18, 93));
    EXPECT_EQ(SheetPictureOrigin(27), QPoint(534, 251));
    // The last picture lies inside the 602 x 315 sheet.
    EXPECT_LE(SheetPictureOrigin(27).x() + 52, 602);
    EXPECT_LE(SheetPictureOrigin(27).y() + 52, 315);
}

TEST(MoonCalendarPictures, December2026) {
    // New moon on 9 December 2026 (about 01 h), full moon on the 24th.
    const MonthPictures p = ComputeMonthPictures(2026, 12);
    EXPECT_EQ(p[7], 27);   // the 8th, just before new moon
    EXPECT_EQ(p[8], 0);    // the 9th: new moon
    EXPECT_EQ(p[9], 1);
    EXPECT_EQ(p[23], 14);  // the 24th: full moon
    // From day to day the picture advances by one or two (or none, rarely), modulo 28.
    for (int n = 1; n < 31; ++n) {
        const int step = (p[n] - p[n - 1] + 28) % 28;
        EXPECT_GE(step, 0) << n;
        EXPECT_LE(step, 2) << n;
    }
}

TEST(MoonCalendarPictures, ShortMonthsLeaveTheRestUnused) {
    const MonthPictures feb1900 = ComputeMonthPictures(1900, 2);
    EXPECT_GE(feb1900[27], 0);
    EXPECT_EQ(feb1900[28], -1);
    const MonthPictures feb2000 = ComputeMonthPictures(2000, 2);
    EXPECT_GE(feb2000[28], 0);
    EXPECT_EQ(feb2000[29], -1);
    const MonthPictures apr = ComputeMonthPictures(2026, 4);
    EXPECT_GE(apr[29], 0);
    EXPECT_EQ(apr[30], -1);
}

TEST(MoonCalendarPictures, SecondNewMoonDayInARowShowsPictureOne) {
    const long double perPicture = 29.530589L / 28;
    // 12:00 UT of 4 and of 5 August 2024 both lie within the first picture's span of ages.
    ASSERT_LT(MoonAge(Instant::FromUT(DateTimeToJD(EncodeDate(2024, 8, 4) + 0.5))), perPicture);
    ASSERT_LT(MoonAge(Instant::FromUT(DateTimeToJD(EncodeDate(2024, 8, 5) + 0.5))), perPicture);
    const MonthPictures p = ComputeMonthPictures(2024, 8);
    EXPECT_EQ(p[2], 27);
    EXPECT_EQ(p[3], 0);
    EXPECT_EQ(p[4], 1);
    EXPECT_EQ(p[5], 1);
}

TEST(MoonCalendarPictures, FirstOfTheMonthHasNoPreviousDay) {
    const long double perPicture = 29.530589L / 28;
    // 31 October and 1 November 1997 both lie within the first picture's span, but the
    // calendar of November does not look back into October.
    ASSERT_LT(MoonAge(Instant::FromUT(DateTimeToJD(EncodeDate(1997, 10, 31) + 0.5))), perPicture);
    ASSERT_LT(MoonAge(Instant::FromUT(DateTimeToJD(EncodeDate(1997, 11, 1) + 0.5))), perPicture);
    EXPECT_EQ(ComputeMonthPictures(1997, 10)[30], 0);
    EXPECT_EQ(ComputeMonthPictures(1997, 11)[0], 0);
}
