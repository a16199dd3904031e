// The places' legal clocks from the system's time-zone database, checked against published facts.
#include <gtest/gtest.h>

#include "platform/time_zone.h"

using namespace noctaris;

namespace {

Instant UT(int y, int mo, int d, int h, int mi = 0) { return Instant::FromCivil(y, mo, d, h, mi, 0, 0); }

CivilDateTime Local(int y, int mo, int d, int h, int mi = 0) { return {{y, mo, d}, {h, mi, 0}}; }

double HoursBetween(const Instant& a, const Instant& b) { return static_cast<double>((a.ut() - b.ut()) * 24); }

}  // namespace

TEST(TimeZone, OffsetsAndNamesOfKnownDates) {
    const ZoneDescription sydney = PlaceZone("Australia/Sydney", 10, true);
    const ZoneDescription newYork = PlaceZone("America/New_York", -5, true);
    const ZoneDescription singapore = PlaceZone("Asia/Singapore", 8, true);
    const ZoneDescription chemnitz = PlaceZone("Europe/Berlin", 1, true);
    ASSERT_EQ(sydney.summerTime, SummerTimeRule::Legal);
    EXPECT_EQ(OffsetHoursAt(sydney, UT(2026, 1, 15, 0)), 11);
    EXPECT_EQ(OffsetHoursAt(sydney, UT(2026, 7, 15, 0)), 10);
    EXPECT_EQ(ZoneLabelAt(sydney, UT(2026, 1, 15, 0)), "AEDT");
    EXPECT_TRUE(IsSummerTimeDay(sydney, {2026, 1, 15}));
    EXPECT_FALSE(IsSummerTimeDay(sydney, {2026, 7, 15}));
    // The United States change before Europe does.
    EXPECT_EQ(OffsetHoursAt(newYork, UT(2026, 3, 20, 12)), -4);
    EXPECT_EQ(OffsetHoursAt(chemnitz, UT(2026, 3, 20, 12)), 1);
    EXPECT_EQ(ZoneLabelAt(chemnitz, UT(2026, 7, 1, 12)), "CEST");
    for (int month = 1; month <= 12; ++month) EXPECT_EQ(OffsetHoursAt(singapore, UT(2026, month, 1, 0)), 8);
    EXPECT_EQ(ZoneLabelAt(singapore, UT(2026, 7, 1, 0)), "UTC+08:00");  // the database has only "+08"
    // No summer time in Germany between 1950 and 1979; before the database's first rule the
    // standard offset, not the local mean time of the 19th century.
    for (int year : {1955, 1970, 1979}) EXPECT_EQ(OffsetHoursAt(chemnitz, UT(year, 7, 1, 12)), 1) << year;
    EXPECT_EQ(OffsetHoursAt(chemnitz, UT(1980, 7, 1, 12)), 2);
    EXPECT_EQ(OffsetHoursAt(chemnitz, UT(1850, 7, 1, 12)), 1);
    EXPECT_EQ(OffsetHoursAt(chemnitz, UT(-500, 7, 1, 12)), 1);
    EXPECT_EQ(OffsetHoursAt(chemnitz, Instant::FromUT(1e12)), 1);  // far beyond any calendar
    // Standard time when asked for, or when the database does not know the zone.
    EXPECT_EQ(OffsetHoursAt(PlaceZone("Australia/Sydney", 10, false), UT(2026, 1, 15, 0)), 10);
    EXPECT_EQ(OffsetHoursAt(PlaceZone("Nowhere/Atlantis", 3, true), UT(2026, 1, 15, 0)), 3);
    EXPECT_EQ(ZoneLabelAt(PlaceZone("Asia/Kolkata", 5.5, false), UT(2026, 1, 15, 0)), "UTC+05:30");
}

TEST(TimeZone, ChangesOfTheYearAndTheHoursTheyMake) {
    // Sydney: summer time ends on 5 April 2026 at 03:00 AEDT and begins on 4 October at 02:00 AEST.
    const ZoneDescription sydney = PlaceZone("Australia/Sydney", 10, true);
    const std::vector<ClockChange> changes = ClockChangesInYear(sydney, 2026);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_NEAR(HoursBetween(changes[0].at, UT(2026, 4, 4, 16)), 0, 1e-6);
    EXPECT_TRUE(changes[0].summerBefore && !changes[0].summerAfter);
    EXPECT_NEAR(HoursBetween(changes[1].at, UT(2026, 10, 3, 16)), 0, 1e-6);
    EXPECT_EQ(changes[1].offsetAfterSeconds, 11 * 3600);
    EXPECT_TRUE(ClockChangesInYear(PlaceZone("Asia/Singapore", 8, true), 2026).empty());

    const ZoneDescription chemnitz = PlaceZone("Europe/Berlin", 1, true);
    // 29 March 2026 02:30 does not exist on the clock: read with the winter offset, as the
    // database does, it is 03:30 CEST.
    const ResolvedLocal skipped = ResolveLocal(Local(2026, 3, 29, 2, 30), chemnitz);
    EXPECT_EQ(skipped.reading, LocalReading::Skipped);
    EXPECT_NEAR(HoursBetween(skipped.instant, UT(2026, 3, 29, 1, 30)), 0, 1e-6);
    // 25 October 2026 02:30 happens twice; the first is 00:30 UT.
    const ResolvedLocal repeated = ResolveLocal(Local(2026, 10, 25, 2, 30), chemnitz);
    EXPECT_EQ(repeated.reading, LocalReading::Repeated);
    EXPECT_NEAR(HoursBetween(repeated.instant, UT(2026, 10, 25, 0, 30)), 0, 1e-6);
    // Any other hour of the change days, and the way back.
    for (int hour : {0, 1, 3, 12, 23}) {
        const ResolvedLocal r = ResolveLocal(Local(2026, 10, 25, hour), chemnitz);
        EXPECT_EQ(r.reading, LocalReading::Unique) << hour;
        const auto back = LocalFromInstant(r.instant, chemnitz);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->time.hour, hour);
        EXPECT_EQ(InstantFromLocal(Local(2026, 3, 29, hour), chemnitz).ut(),
                  ResolveLocal(Local(2026, 3, 29, hour), chemnitz).instant.ut());
    }
}
