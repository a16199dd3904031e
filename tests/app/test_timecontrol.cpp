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
