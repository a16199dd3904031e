#include <gtest/gtest.h>

#include <tuple>

#include <QDateTime>

#include "app/timecontrol.h"

using namespace noctaris;

namespace {

ObserverState At(int y, int mo, int d, int h, int mi, int s) {
    ObserverState o;
    o.Year = y, o.Month = mo, o.Day = d, o.Hour = h, o.Minute = mi, o.Second = s;
    return o;
}

// The observer's moment against a reading of Qt's own (proleptic Gregorian) calendar.
::testing::AssertionResult SameMoment(const ObserverState& o, const QDateTime& t) {
    const QDate d = t.date();
    const QTime c = t.time();
    if (o.Year == d.year() && o.Month == d.month() && o.Day == d.day() && o.Hour == c.hour() &&
        o.Minute == c.minute() && o.Second == c.second())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << o.Year << "-" << o.Month << "-" << o.Day << " " << o.Hour << ":"
                                         << o.Minute << ":" << o.Second << " instead of "
                                         << t.toString(Qt::ISODateWithMs).toStdString();
}

}  // namespace

TEST(TimeControl, StepTable) {
    EXPECT_EQ(kTimeSteps.size(), 16u);
    EXPECT_STREQ(kTimeSteps[14].caption, "23 h 56 min");
    // The step of 0.9972621969282218 d (23 h 56 min 3.45 s), to the millisecond.
    EXPECT_NEAR(StepMilliseconds(14), 0.9972621969282218 * 86'400'000, 0.5);
    EXPECT_EQ(StepMilliseconds(0), 15'000);
    EXPECT_EQ(StepMilliseconds(15), 86'400'000);
    EXPECT_EQ(StepMilliseconds(-1), 15'000);
    EXPECT_EQ(StepMilliseconds(16), 15'000);
    EXPECT_EQ(IntervalForSpeed(1), 100);
    EXPECT_EQ(IntervalForSpeed(100), 1);
}

TEST(TimeControl, StepsCrossDatesAndTheCalendarReform) {
    ObserverState s = At(2024, 2, 28, 23, 59, 50);
    AnimationState forwards, backwards;
    backwards.TimeDirection = -1;
    AnimationStep(s, forwards, 15'000);
    EXPECT_TRUE(SameMoment(s, QDateTime(QDate(2024, 2, 29), QTime(0, 0, 5), Qt::UTC)));
    AnimationStep(s, backwards, 86'400'000);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 20240228);
    // Across the calendar reform: 1582-10-15 minus one day is 1582-10-04, and back.
    s = At(1582, 10, 15, 12, 0, 0);
    AnimationStep(s, backwards, 86'400'000);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 15821004);
    s = At(1582, 10, 4, 23, 59, 59);
    AnimationStep(s, forwards, 1000);
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 15821015);
    EXPECT_EQ(s.Hour * 10000 + s.Minute * 100 + s.Second, 0);
    // Neither the start of the Julian day count nor the end of 31 December 9999 can be passed;
    // the state stays as it was.
    s = At(-4712, 1, 1, 12, 0, 0);
    EXPECT_FALSE(AnimationStep(s, backwards, 86'400'000));
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, -47120000 + 101);
    s = At(-4712, 1, 2, 0, 0, 15);
    EXPECT_TRUE(AnimationStep(s, backwards, 15'000));  // the first midnight of the count is still there
    EXPECT_EQ(s.Day * 1000000 + s.Hour * 10000 + s.Minute * 100 + s.Second, 2000000);
    EXPECT_FALSE(AnimationStep(s, backwards, 1000));
    s = At(9999, 12, 31, 23, 59, 45);
    AnimationState last = forwards;
    last.SubSecondMs = 1;
    EXPECT_TRUE(AnimationStep(s, forwards, 14'999));  // the day's last millisecond
    EXPECT_TRUE(SameMoment(s, QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC)));
    EXPECT_EQ(forwards.SubSecondMs, 999);
    EXPECT_FALSE(AnimationStep(s, forwards, 1));
    s = At(9999, 12, 30, 12, 0, 0);
    EXPECT_FALSE(AnimationStep(s, last, 86'400'000 + 43'199'999));
    EXPECT_TRUE(SameMoment(s, QDateTime(QDate(9999, 12, 30), QTime(12, 0), Qt::UTC)));
}

// n steps of s move the clock by exactly n * s, however many steps and whichever way: each
// step is checked against Qt's calendar arithmetic.
TEST(TimeControl, StepsAddUpExactly) {
    struct Run {
        QDateTime start;
        int stepIndex;
        double direction;
        int steps;
    };
    const Run runs[] = {
        {QDateTime(QDate(2026, 12, 31), QTime(23, 0, 0), Qt::UTC), 2, 1, 2000},   // 1 min over New Year
        {QDateTime(QDate(2027, 1, 1), QTime(0, 5, 0), Qt::UTC), 0, -1, 2000},     // 15 s back over it
        {QDateTime(QDate(2026, 12, 7), QTime(21, 32, 17), Qt::UTC), 14, 1, 1000}, // 23 h 56 min
        // hours back over a leap day and a year
        {QDateTime(QDate(2028, 3, 1), QTime(0, 30, 0), Qt::UTC), 9, -1, 9000},
        {QDateTime(QDate(2026, 6, 30), QTime(23, 59, 45), Qt::UTC), 1, 1, 5000},  // 30 s
    };
    for (const Run& r : runs) {
        ObserverState s = At(r.start.date().year(), r.start.date().month(), r.start.date().day(),
                             r.start.time().hour(), r.start.time().minute(), r.start.time().second());
        AnimationState a;
        a.TimeDirection = r.direction;
        const long long step = StepMilliseconds(r.stepIndex) * static_cast<long long>(r.direction);
        int wrong = 0;
        for (int n = 1; n <= r.steps; ++n) {
            AnimationStep(s, a, StepMilliseconds(r.stepIndex));
            const QDateTime expected = r.start.addMSecs(n * step);
            // The clock shows whole seconds: the moment rounded down.
            const QDateTime shown = expected.addMSecs(-((expected.time().msec() + 1000) % 1000));
            if (!SameMoment(s, shown) && ++wrong <= 3)
                ADD_FAILURE() << "step " << n << " of " << kTimeSteps[r.stepIndex].caption << ": "
                              << SameMoment(s, shown).message();
        }
        EXPECT_EQ(wrong, 0) << kTimeSteps[r.stepIndex].caption;
        // And back the same number of steps: exactly the start again.
        a.TimeDirection = -r.direction;
        for (int n = 0; n < r.steps; ++n) AnimationStep(s, a, StepMilliseconds(r.stepIndex));
        EXPECT_TRUE(SameMoment(s, r.start));
        EXPECT_EQ(a.SubSecondMs, 0);
    }
}

TEST(TimeControl, MomentCountRoundTrip) {
    for (const ObserverState& o : {At(2026, 12, 7, 21, 32, 17), At(1582, 10, 4, 23, 59, 59),
                                   At(1582, 10, 15, 0, 0, 0), At(1, 1, 1, 0, 0, 0), At(-4712, 1, 2, 0, 0, 0)}) {
        ObserverState back;
        int ms = -1;
        SetMoment(back, MomentMs(o, 250), &ms);
        EXPECT_EQ(ms, 250);
        EXPECT_EQ(std::tie(back.Year, back.Month, back.Day, back.Hour, back.Minute, back.Second),
                  std::tie(o.Year, o.Month, o.Day, o.Hour, o.Minute, o.Second));
    }
    // Consecutive days are 86,400,000 ms apart, over the reform too.
    EXPECT_EQ(MomentMs(At(1582, 10, 15, 0, 0, 0), 0) - MomentMs(At(1582, 10, 4, 0, 0, 0), 0), 86'400'000);
    EXPECT_EQ(MomentMs(At(-4712, 1, 2, 0, 0, 0), 0), 0);
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
    // A QDate is a day; before the calendar reform its civil name is Julian: QDate's proleptic
    // Gregorian 1582-10-14 is the Julian 1582-10-04.
    SetObserverDate(s, QDate(1582, 10, 14));
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 15821004);
    SetObserverDate(s, QDate(1, 1, 1));  // JD 1721425.5, Julian 0001-01-03
    EXPECT_EQ(s.Year * 10000 + s.Month * 100 + s.Day, 10103);

    // And back into the day of the date edit.
    for (const QDate d : {QDate(2024, 2, 29), QDate(1582, 10, 14), QDate(1582, 10, 15), QDate(1, 1, 1),
                          QDate(9999, 12, 31)}) {
        SetObserverDate(s, d);
        EXPECT_EQ(ObserverCalendarDate(s), d) << d.toString(Qt::ISODate).toStdString();
    }
    s.Year = 1582, s.Month = 10, s.Day = 10;  // not a day of the time base's calendar
    EXPECT_FALSE(ObserverCalendarDate(s).isValid());
}
