#include <gtest/gtest.h>

#include "app/timecontrol.h"
#include "astro/errors.h"

using namespace noctaris;

TEST(TimeControl, StepTable) {
    EXPECT_EQ(kTimeSteps.size(), 16u);
    EXPECT_STREQ(kTimeSteps[14].caption, "23 h 56 min");
    EXPECT_EQ(StepDays(14), 0.9972621969282218);
    EXPECT_EQ(StepDays(-1), 1.0 / 5760);
    EXPECT_EQ(StepDays(16), 1.0 / 5760);
    EXPECT_EQ(IntervalForSpeed(1), 100);
    EXPECT_EQ(IntervalForSpeed(100), 1);
}

TEST(TimeControl, StepsTruncateAndCrossDates) {
    ObserverState s;
    s.Year = 2024, s.Month = 2, s.Day = 28, s.Hour = 23, s.Minute = 59, s.Second = 50;
    AnimationStep(s, 1, 1.0 / 5760);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 20240229);
    EXPECT_EQ(s.Hour * 10000 + s.Minute * 100 + s.Second, 5);
    AnimationStep(s, -1, 1.0);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 20240228);
    // Across the calendar reform: 1582-10-15 minus one day is 1582-10-04.
    s.Year = 1582, s.Month = 10, s.Day = 15, s.Hour = 12, s.Minute = 0, s.Second = 0;
    AnimationStep(s, -1, 1.0);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 15821004);
    // The start of the Julian day count cannot be passed.
    s.Year = -4712, s.Month = 1, s.Day = 1, s.Hour = 12;
    EXPECT_THROW(AnimationStep(s, -1, 1.0), ConversionError);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, -47120000 + 101);
}

TEST(TimeControl, TimeOfDayListAndDates) {
    const QStringList captions = TimeOfDayCaptions();
    ASSERT_EQ(captions.size(), kTimesOfDay);
    EXPECT_EQ(captions[0], "00:00");
    EXPECT_EQ(captions[145], "12:05");
    EXPECT_EQ(captions[287], "23:55");

    ObserverState s;
    s.Hour = 21, s.Minute = 34, s.Second = 17;
    EXPECT_EQ(TimeOfDayIndex(s), 12 * 21 + 6);  // 21:30, the entry at or before 21:34
    SetTimeOfDay(s, 287);
    EXPECT_EQ(s.Hour * 10000 + s.Minute * 100 + s.Second, 235517);  // the seconds stay

    SetObserverDate(s, QDate(2024, 2, 29));
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 20240229);
    // Before the calendar reform the time base counts Julian dates: QDate's proleptic
    // Gregorian 1582-10-14 is the Julian 1582-10-04.
    SetObserverDate(s, QDate(1582, 10, 14));
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 15821004);
    SetObserverDate(s, QDate(1, 1, 1));  // the date edit's first day: JD 1721425.5, Julian 0001-01-03
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 10103);
}
