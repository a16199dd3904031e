#include <gtest/gtest.h>

#include "astro/time/timebase.h"

using namespace noctaris;

namespace {
std::string ConvertMessage(auto&& f) {
    try {
        f();
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "(no error)";
}

CivilDate Date(long double jd) { return JDToDate(jd); }
}  // namespace

TEST(TimeBase, ConstantsAndTDateTime) {
    EXPECT_EQ(JDOffset, 2415018.5L);
    EXPECT_EQ(Epoch2000Serial, 36526.0L);
    EXPECT_EQ(Epoch1999Serial, 36161.0L);
    EXPECT_EQ(DateTimeToJD(0), 2415018.5L);
    EXPECT_EQ(DateTimeToJD(36526.5), 2451545.0L);
    EXPECT_EQ(JDToDateTime(2451545.0L), 36526.5);
}

TEST(TimeBase, ReformDates) {
    EXPECT_EQ(DateToJD(2000, 1, 1), 2451544.5L);
    EXPECT_EQ(DateToJD(1582, 10, 4), 2299159.5L);
    EXPECT_EQ(DateToJD(1582, 10, 15), 2299160.5L);
    for (int d = 5; d <= 14; ++d)
        EXPECT_EQ(ConvertMessage([&] { DateToJD(1582, 10, d); }), "Fehler!") << d;

    EXPECT_EQ(Date(2299160.5L), (CivilDate{1582, 10, 15}));
    EXPECT_EQ(Date(2299159.5L), (CivilDate{1582, 10, 4}));
}

TEST(TimeBase, KnownJulianDays) {
    // Meeus' examples: 1957-10-04.81, 333-01-27 12h (Julian), -4712-01-01 12h.
    EXPECT_EQ(DateToJD(1957, 10, 4), 2436115.5L);
    EXPECT_EQ(DateToJD(333, 1, 27), 1842712.5L);
    EXPECT_EQ(DateToJD(-4712, 1, 1), -0.5L);
    EXPECT_EQ(DateToJD(1600, 12, 31), 2305812.5L);
    EXPECT_EQ(DateToJD(-1000, 7, 12), 1356000.5L);
}

TEST(TimeBase, LeapDaysAndRanges) {
    // 1900-02-29: a Julian date but not a Gregorian one.
    EXPECT_NO_THROW(JulianCalendarToJD(1900, 2, 29));
    EXPECT_EQ(ConvertMessage([] { GregorianCalendarToJD(1900, 2, 29); }), "Error!");
    EXPECT_EQ(ConvertMessage([] { DateToJD(1900, 2, 29); }), "Error!");
    EXPECT_NO_THROW(DateToJD(2000, 2, 29));
    EXPECT_EQ(ConvertMessage([] { GregorianCalendarToJD(2023, 2, 30); }), "Fehler!");
    EXPECT_EQ(ConvertMessage([] { GregorianCalendarToJD(2023, 2, 0); }), "Fehler!");
    EXPECT_EQ(ConvertMessage([] { GregorianCalendarToJD(2023, 4, 31); }), "Error!");
    EXPECT_EQ(ConvertMessage([] { JulianCalendarToJD(2023, 4, 31); }), "Error!");

    // Month 13/14 = January/February of the next year, month 0 = December of the year before.
    EXPECT_EQ(DateToJD(1999, 13, 1), DateToJD(2000, 1, 1));
    EXPECT_EQ(DateToJD(1999, 14, 29), DateToJD(2000, 2, 29));
    EXPECT_EQ(DateToJD(2000, 0, 31), DateToJD(1999, 12, 31));
    EXPECT_EQ(ConvertMessage([] { JulianCalendarToJD(2000, 15, 1); }), "Error!");
    EXPECT_EQ(ConvertMessage([] { GregorianCalendarToJD(2000, 15, 1); }), "Fehler!");
}

TEST(TimeBase, NegativeJulianDays) {
    EXPECT_EQ(ConvertMessage([] { JDToJulianCalendar(-1.0L); }), "Error!");
    EXPECT_EQ(ConvertMessage([] { JDToGregorianCalendar(-1.0L); }), "Error!");
    EXPECT_EQ(ConvertMessage([] { JDToDate(-0.25L); }), "Error!");
    // The earliest representable instant still converts.
    EXPECT_EQ(JDToDate(0.0L), (CivilDate{-4712, 1, 1}));
}

TEST(TimeBase, RoundTripsAcrossCenturies) {
    for (long double jd = 0.5L; jd < 5373484.5L; jd += 997.0L) {
        const CivilDate r = Date(jd);
        EXPECT_EQ(DateToJD(r.year, r.month, r.day), jd) << static_cast<double>(jd);
    }
    // The time of day is dropped: the whole civil day maps to one date.
    EXPECT_EQ(Date(2451544.5L).day, 1);
    EXPECT_EQ(Date(2451545.49L).day, 1);
    EXPECT_EQ(Date(2451545.5L).day, 2);
}

TEST(TimeBase, PlatformDateSerials) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    // The serial counts days of the civil calendar: 0001-01-01 (Julian) is JD 1721423.5, and
    // 1500-02-29 exists (a Julian leap day) while 1582-10-10 does not.
    EXPECT_EQ(EncodeDate(1, 1, 1), 1721423.5 - 2415018.5);
    EXPECT_EQ(EncodeDate(1500, 2, 29) + 1, EncodeDate(1500, 3, 1));
    EXPECT_EQ(DecodeDate(EncodeDate(1500, 2, 29)), (CivilDate{1500, 2, 29}));
    EXPECT_EQ(EncodeDate(1582, 10, 4) + 1, EncodeDate(1582, 10, 15));
    EXPECT_THROW(EncodeDate(1582, 10, 10), ConversionError);
    EXPECT_THROW(EncodeDate(2023, 2, 29), ConversionError);
    EXPECT_THROW(EncodeDate(1700, 2, 29), ConversionError);
    EXPECT_THROW(DecodeDate(EncodeDate(1, 1, 1) - 1), ConversionError);
    EXPECT_EQ(DecodeDate(EncodeDate(9999, 12, 31) + 0.5), (CivilDate{9999, 12, 31}));
    EXPECT_THROW(DecodeDate(EncodeDate(9999, 12, 31) + 1), ConversionError);
    EXPECT_EQ(DecodeDate(-1.75), (CivilDate{1899, 12, 29}));
    EXPECT_TRUE(IsLeapYear(1500));
    EXPECT_TRUE(IsLeapYear(1600));
    EXPECT_FALSE(IsLeapYear(1700));
    EXPECT_EQ(DaysInMonth(1500, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    for (double t = EncodeDate(1, 1, 1); t < 2958465; t += 1234.0) {
        const CivilDate d = DecodeDate(t);
        EXPECT_EQ(EncodeDate(d.year, d.month, d.day), t);
    }
    EXPECT_EQ(DecodeTime(36526.0 + EncodeTime(23, 59, 59, 999)), (TimeOfDay{23, 59, 59, 999}));
    EXPECT_EQ(DecodeTime(-1.75).hour, 18);  // negative serials keep a positive time of day
}
