#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <cstdlib>
#include <limits>

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpression>
#include <QPlainTextEdit>

#include "chart/projection.h"
#include "window_tests.h"
#include "support.h"
#include "windows/sun_window.h"
#include "windows/wincommon.h"

using namespace noctaris;
using test::Child;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

InfoSnapshot SnapshotOf(const ObserverState& o) { return InfoSnapshot{MomentSnapshot::Of(o)}; }

QStringList Lines(const QString& report) { return report.split(QStringLiteral("\r\n")); }

// The Sun as the chart places it (on a 1029 x 664 chart facing south).
SunChartPosition ChartSun(const ObserverState& o) {
    SunChartPosition sun;
    PlaceSunOnChart(MakeChartFrame(o, 1029, 664, 0), o, sun);
    return sun;
}

SunChartPosition AtRightAscensionHours(double hours) {
    SunChartPosition sun;
    sun.RightAscension = hours * 15 * std::numbers::pi / 180;
    return sun;
}

// Chemnitz, 2026-12-07 21:30 CET: the Sun far south in Ophiuchus, set at about four, risen
// at about eight, culminating at noon (the equation of time cancels the place's 8.6 minutes
// east of the zone meridian). Against python3-ephem 4.1.4, in the chart's frame (the J2000
// equator and equinox of the stars): right ascension 16.9414 h = 16 h 56.5 min, declination
// -22.633°, azimuth 120.433°, height -49.730°; mean sidereal time 02:27:54 (ephem: apparent
// 02:27:55.1), so the hour angle is 36.975° - 254.121° = -217.15°.
const char* const kChemnitzReport =
    "Date\t\t7.12.2026\r\n"
    "Day of year\t341\r\n"
    "Time\t\t21:30:00\r\n"
    "Declination\t-22,64\u00B0\r\n"
    "Right ascension\t16h56min\r\n"
    "Constellation\tOphiuchus\r\n"
    "Hour angle\t-217,15\u00B0\r\n"
    "Azimuth\t\t120,43\u00B0\r\n"
    "Altitude\t\t-49,73\u00B0\r\n"
    "Equation of time\t8,22 min\r\n"
    "Sidereal time\t2 h 28 min\r\n"
    "Distance\t\t147384067 km\r\n"
    "Diameter\t\t32' 28\"\r\n"
    "\r\n"
    "Sunrise\t\t07:56:21 UTC+01:00\r\n"
    "Sunset\t\t16:03:24 UTC+01:00\r\n"
    "Culmination\t12:00:00 UTC+01:00";

}  // namespace

TEST(SunReportText, ChemnitzDecemberEvening) {
    test::PinnedLocale pin(kGerman);
    const ObserverState o = test::Chemnitz();
    EXPECT_EQ(BuildSunReport(SnapshotOf(o), o, ChartSun(o)), QString::fromUtf8(kChemnitzReport));
}

TEST(SunReportText, NumbersFollowTheLocaleTheDateDoesNot) {
    test::PinnedLocale pin(kEnglish);
    ObserverState o = test::Chemnitz(2017, 3, 5, 12, 0);
    const QStringList lines = Lines(BuildSunReport(SnapshotOf(o), o, ChartSun(o)));
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], QStringLiteral("Date\t\t5.3.2017"));  // never padded
    EXPECT_EQ(lines[1], QStringLiteral("Day of year\t64"));
    // python3-ephem: -5.975° (J2000), right ascension 23.0686 h = 23 h 4.1 min.
    EXPECT_EQ(lines[3], QStringLiteral("Declination\t-5.98\u00B0"));
    EXPECT_EQ(lines[4], QStringLiteral("Right ascension\t23h4min"));
    EXPECT_EQ(lines[9], QStringLiteral("Equation of time\t-11.78 min"));
}

TEST(SunReportText, RightAscensionMinutesAndConstellation) {
    test::PinnedLocale pin(kGerman);
    const ObserverState o = test::Chemnitz();
    const InfoSnapshot snap = SnapshotOf(o);
    auto lines = [&](double hours) { return Lines(BuildSunReport(snap, o, AtRightAscensionHours(hours))); };
    // Rounded to the minute first, then split: never 60 minutes.
    EXPECT_EQ(lines(5.9999)[4], QStringLiteral("Right ascension\t6h0min"));
    EXPECT_EQ(lines(23.9999)[4], QStringLiteral("Right ascension\t0h0min"));
    EXPECT_EQ(lines(5.9999)[5], QStringLiteral("Constellation\tGemini"));
    EXPECT_EQ(lines(0.5)[5], QStringLiteral("Constellation\tPisces"));
    EXPECT_EQ(lines(23.5)[5], QStringLiteral("Constellation\tPisces"));
    // A value beyond a day is taken into it: 36 h as 12 h, 25 h as 1 h.
    EXPECT_EQ(lines(36)[4], QStringLiteral("Right ascension\t12h0min"));
    EXPECT_EQ(lines(36)[5], QStringLiteral("Constellation\tVirgo"));
    EXPECT_EQ(lines(25)[4], QStringLiteral("Right ascension\t1h0min"));
}

TEST(SunReportText, EventsOnThePlacesClock) {
    // Early July in Chemnitz the Sun rises at about 03:55 standard time: 04:55 CEST on the legal
    // clock from 1980, standard time before and with summer time not considered.
    test::PinnedLocale pin(kGerman);
    for (int year : {1979, 1980}) {
        for (bool legal : {false, true}) {
            ObserverState o = test::Chemnitz(year, 7, 1, 12, 0);
            o.ConsiderSummerTime = legal;
            const QString rise = Lines(BuildSunReport(SnapshotOf(o), o, ChartSun(o)))[14];
            const bool summer = legal && year == 1980;
            EXPECT_TRUE(rise.startsWith(summer ? QStringLiteral("Sunrise\t\t04:5") : QStringLiteral("Sunrise\t\t03:5")))
                << rise.toStdString();
            EXPECT_TRUE(rise.endsWith(summer ? QStringLiteral(" CEST") : legal ? QStringLiteral(" CET") : QStringLiteral(" UTC+01:00")))
                << rise.toStdString();
        }
    }
    // New York on 20 March 2026 keeps summer time already (python3-ephem: sunrise 06:59 EDT).
    ObserverState ny = test::Chemnitz(2026, 3, 20, 12, 0);
    ny.PlaceName = "New York, USA";
    ny.Latitude = 40.749979, ny.Longitude = -73.980017, ny.TimeZone = -5, ny.ZoneId = "America/New_York";
    ny.ConsiderSummerTime = true;
    const QString rise = Lines(BuildSunReport(SnapshotOf(ny), ny, ChartSun(ny)))[14];
    EXPECT_TRUE(rise.startsWith(QStringLiteral("Sunrise\t\t06:59")) && rise.endsWith(QStringLiteral(" EDT")))
        << rise.toStdString();
}

TEST(SunReportText, OnAChangeDayEachTimeIsReadOnItsOwnClock) {
    // The clock changes in the night; the day's events come after the change, so a moment
    // before it and one after show the same times. Sunrise and sunset from python3-ephem, the
    // offsets from zoneinfo: Chemnitz 29 Mar 2026 (CET to CEST at 01:00 UT) 06:51:09 and
    // 19:36:31 CEST; 25 Oct 2026 (CEST to CET at 01:00 UT) 06:47:51 and 16:56:42 CET; Sydney
    // 5 Apr 2026 (AEDT to AEST at 16:00 UT on the 4th) 06:09:50 and 17:45:44 AEST.
    struct Case {
        const char* zone;
        double latitude, longitude, standard;
        int month, day;
        int riseSeconds, setSeconds;
        const char* label;
    };
    const Case cases[] = {
        {"Europe/Berlin", 50.836667, 12.854444, 1, 3, 29, 6 * 3600 + 51 * 60 + 9, 19 * 3600 + 36 * 60 + 31, " CEST"},
        {"Europe/Berlin", 50.836667, 12.854444, 1, 10, 25, 6 * 3600 + 47 * 60 + 51, 16 * 3600 + 56 * 60 + 42, " CET"},
        {"Australia/Sydney", -33.92, 151.1852, 10, 4, 5, 6 * 3600 + 9 * 60 + 50, 17 * 3600 + 45 * 60 + 44, " AEST"},
    };
    const auto seconds = [](const QString& line) {
        const QStringList hms = line.section(QLatin1Char('\t'), -1).section(QLatin1Char(' '), 0, 0).split(QLatin1Char(':'));
        return hms.size() == 3 ? hms[0].toInt() * 3600 + hms[1].toInt() * 60 + hms[2].toInt() : -1;
    };
    for (const Case& c : cases) {
        for (int hour : {1, 12}) {  // before and after the change
            ObserverState o = test::Chemnitz(2026, c.month, c.day, hour, 30);
            o.Latitude = c.latitude, o.Longitude = c.longitude, o.TimeZone = c.standard, o.ZoneId = c.zone;
            o.ConsiderSummerTime = true;
            for (bool precise : {false, true}) {
                InfoSnapshot snapshot = SnapshotOf(o);
                snapshot.Precise = precise;
                const QStringList lines = Lines(BuildSunReport(snapshot, o, ChartSun(o)));
                const QString rise = lines[precise ? 15 : 14], set = lines[precise ? 16 : 15];
                SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.month) + " " + std::to_string(hour) +
                             (precise ? " precise" : ""));
                EXPECT_NEAR(seconds(rise), c.riseSeconds, 60) << rise.toStdString();
                EXPECT_NEAR(seconds(set), c.setSeconds, 60) << set.toStdString();
                EXPECT_TRUE(rise.endsWith(QLatin1String(c.label)) && set.endsWith(QLatin1String(c.label)))
                    << rise.toStdString();
            }
        }
    }
}

TEST(SunReportText, PolarNightHasNoRiseOrSet) {
    test::PinnedLocale pin(kGerman);
    ObserverState o = test::Chemnitz();
    o.Latitude = 80;
    const QString report = BuildSunReport(SnapshotOf(o), o, ChartSun(o));
    EXPECT_TRUE(report.contains(QStringLiteral("\r\nSunrise\t\tNo rise\r\nSunset\t\tNo set\r\n")))
        << report.toStdString();
    // The Sun still culminates, below the horizon: at 12:00:00 (PyEphem).
    EXPECT_TRUE(report.contains(QRegularExpression(QStringLiteral("Culmination\t(11:59|12:00)"))))
        << report.toStdString();
}

TEST(SunReportText, ChartValuesThatAreNotNumbersNeverShow) {
    const ObserverState o = test::Chemnitz();
    SunChartPosition sun;
    sun.RightAscension = std::numeric_limits<double>::quiet_NaN();
    sun.Declination = std::numeric_limits<double>::infinity();
    sun.Azimuth = std::numeric_limits<double>::quiet_NaN();
    sun.Altitude = -std::numeric_limits<double>::infinity();
    const QString report = BuildSunReport(SnapshotOf(o), o, sun).toLower();
    EXPECT_FALSE(report.contains(QStringLiteral("nan")));
    EXPECT_FALSE(report.contains(QStringLiteral("inf")));
}

TEST(SunWindow, LayoutAndFixedData) {
    const ObserverState o = test::Chemnitz();
    const InfoSnapshot snap = SnapshotOf(o);
    const SunChartPosition sun;
    SunWindow w(&snap, &o, &sun);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sun data"));
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(Child<QLabel>(w, "nameLabel")->text(), QStringLiteral("Sun"));
    EXPECT_EQ(Child<QLabel>(w, "photo")->pixmap().size(), QSize(117, 117));
    EXPECT_TRUE(Child<QPlainTextEdit>(w, "reportText")->isReadOnly());
    EXPECT_FALSE(Child<QPlainTextEdit>(w, "fixedDataText")->isReadOnly());
    const QStringList fixed = Child<QPlainTextEdit>(w, "fixedDataText")->toPlainText().split('\n');
    ASSERT_EQ(fixed.size(), 12);
    EXPECT_EQ(fixed[0], QStringLiteral("Mean distance 149597893 km"));
    EXPECT_EQ(fixed[2], QString::fromUtf8("Volume 1.410·10¹⁸ km³"));
    EXPECT_EQ(fixed[9], QStringLiteral("Spectral class G2"));
    EXPECT_EQ(fixed[10], QStringLiteral("Luminosity class V"));
}

TEST(SunWindow, ReadsTheSunWhereTheChartLastPutIt) {
    test::PinnedLocale pin(kGerman);
    noctaris::SetDialogsAllowed(false);
    const ObserverState o = test::Chemnitz();
    InfoSnapshot snap = SnapshotOf(o);
    SunChartPosition sun = ChartSun(o);
    SunWindow w(&snap, &o, [&sun] { return sun; });
    w.show();  // showing rebuilds
    EXPECT_EQ(w.report(), QString::fromUtf8(kChemnitzReport));
    QPlainTextEdit* const reportText = Child<QPlainTextEdit>(w, "reportText");
    EXPECT_EQ(reportText->toPlainText(), QString(w.report()).replace("\r\n", "\n"));

    sun.Azimuth = 12.5;  // the chart redrew, then calls refresh
    w.refresh();
    EXPECT_TRUE(w.report().contains(QStringLiteral("Azimuth\t\t12,50\u00B0")));

    const QString before = w.report();
    snap.Month = 13;  // not a date: nothing escapes, the text stays
    EXPECT_NO_THROW(w.refresh());
    EXPECT_EQ(w.report(), before);

    snap = SnapshotOf(o);
    sun = ChartSun(o);
    w.refresh();
    const QPixmap shot = w.grab();
    if (const char* dir = std::getenv("NOCTARIS_GRAB_DIR"))
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("sun_window.png")));
}
