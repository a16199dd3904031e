#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <limits>

#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStringList>

#include "astro/reports/ephemeris_table.h"
#include "window_tests.h"
#include "support.h"
#include "windows/planet_window.h"
#include "windows/wincommon.h"

using namespace noctaris;
using test::Child;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

PlanetSnapshot Snapshot(const char* planet, int y = 2026, int mo = 12, int d = 7, int h = 21,
                        int mi = 30, int s = 0, double zone = 1) {
    PlanetSnapshot snap;
    snap.Planet = *BodyFromName(planet);
    snap.TimeZone = zone;
    snap.Year = y;
    snap.Month = mo;
    snap.Day = d;
    snap.Hour = h;
    snap.Minute = mi;
    snap.Second = s;
    return snap;
}

PlanetInfo Crafted() {
    PlanetInfo info;
    PlanetEphemerisRecord& r = info.Record;
    r.HelioLongitude = 123.456;
    r.HelioLatitude = -1.234;
    r.RadiusVector = 5.4321;
    r.Distance = 4.6;            // 2295.25 s of light time
    r.GeoLongitude = 130.006;
    r.GeoLatitude = 0.875;
    r.RAHours = 8;
    r.RAMinutes = 41.25;
    r.DecDegrees = 18;
    r.DecMinutes = 37.66;
    r.Diameter = 42.8;
    r.Magnitude = -2.547;
    info.RiseAndSet.rise = 19.5;
    info.RiseAndSet.set = 10.25;
    return info;
}

}  // namespace

TEST(PlanetTexts, RiseAndSetTexts) {
    test::PinnedLocale pin(kEnglish);
    EXPECT_EQ(RiseSetText(6.5333, {}), "6h32m");
    EXPECT_EQ(RiseSetText(6.9999, {}), "7h0m");   // rounded to the minute, then split
    EXPECT_EQ(RiseSetText(0, {}), "0h0m");
    EXPECT_EQ(RiseSetText(25.5, {}), "25h30m");   // a large zone may carry the time past 24 h
    EXPECT_EQ(RiseSetText(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysBelow = true}), "not visible");
    EXPECT_EQ(RiseSetText(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysAbove = true}), "visible");
    EXPECT_EQ(RiseSetText(std::numeric_limits<double>::quiet_NaN(), {}), "-");
    EXPECT_EQ(RiseSetText(std::numeric_limits<double>::infinity(), {}), "-");
}

TEST(PlanetTexts, DeclinationDegreesKeepTheSignBelowOneDegree) {
    test::PinnedLocale pin(kEnglish);
    EXPECT_EQ(DeclinationDegreeText(-0.0, -20), "-0");
    EXPECT_EQ(DeclinationDegreeText(0.0, -20), "-0");
    EXPECT_EQ(DeclinationDegreeText(-5, -20), "-5");  // no second minus
    EXPECT_EQ(DeclinationDegreeText(0, 20), "0");
    EXPECT_EQ(DeclinationDegreeText(23, 26.5), "23");

    PlanetInfo info = Crafted();
    info.Record.DecDegrees = -0.0;
    info.Record.DecMinutes = -20;
    const QStringList lines = PlanetComputedBlock(info).split("\r\n");
    EXPECT_EQ(lines[5], "Right ascension 8h 41.3m, declination -0° 20.0'");
}

TEST(PlanetTexts, ComputedBlockLinesAndFormats) {
    test::PinnedLocale pin(kEnglish);
    const QString text = PlanetComputedBlock(Crafted());
    EXPECT_FALSE(text.endsWith("\n"));
    EXPECT_FALSE(text.contains('\t'));
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "Heliocentric longitude 123.46°, latitude -1.23°");
    EXPECT_EQ(lines[1], "Radius vector 5.43 AU");
    EXPECT_EQ(lines[2], "Distance 4.60 AU");
    EXPECT_EQ(lines[3], "Light time 38 min 15 s");
    EXPECT_EQ(lines[4], "Geocentric longitude 130.01°, latitude 0.88°");
    EXPECT_EQ(lines[5], "Right ascension 8h 41.3m, declination 18° 37.7'");
    EXPECT_EQ(lines[6], "Diameter 42.80\"");
    EXPECT_EQ(lines[7], "Magnitude -2.55");
    EXPECT_EQ(lines[8], "Rises 19h30m, sets 10h15m");

    test::PinnedLocale german(kGerman);
    const QStringList de = PlanetComputedBlock(Crafted()).split("\r\n");
    EXPECT_EQ(de[0], "Heliocentric longitude 123,46°, latitude -1,23°");
    EXPECT_EQ(de[5], "Right ascension 8h 41,3m, declination 18° 37,7'");
    EXPECT_EQ(de[7], "Magnitude -2,55");
}

TEST(PlanetTexts, LightTimeSplitsAfterRounding) {
    test::PinnedLocale pin(kEnglish);
    PlanetInfo info = Crafted();
    info.Record.Distance = 119.6 * 299792.458 / 149597870.0;  // 119.6 s: 2 min 0 s, not 1 min 60 s
    EXPECT_EQ(PlanetComputedBlock(info).split("\r\n")[3], "Light time 2 min 0 s");
    info.Record.Distance = std::numeric_limits<double>::quiet_NaN();
    const QString text = PlanetComputedBlock(info);
    EXPECT_FALSE(text.contains("nan", Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains("inf", Qt::CaseInsensitive));
}

TEST(PlanetTexts, MomentIsTheLocalClockTimeInUT) {
    // 2026-12-07 21:30:00 at zone +1 is 20:30 UT.
    EXPECT_NEAR(PlanetMomentJD(Snapshot("Saturn")), 2461381.5 + 20.5 / 24, 1e-9);
    EXPECT_NEAR(PlanetMomentJD(Snapshot("Saturn", 2000, 1, 1, 12, 0, 0, 0)), 2451545.0, 1e-9);
    EXPECT_NEAR(PlanetMomentJD(Snapshot("Mars", 2024, 6, 1, 0, 0, 30, -5.5)),
                2460462.5 + 5.5 / 24 + 30.0 / 86400, 1e-9);
    // Before the calendar reform the date is Julian: 1582-10-04 is the day before 1582-10-15.
    EXPECT_NEAR(PlanetMomentJD(Snapshot("Mars", 1582, 10, 4, 0, 0, 0, 0)) + 1,
                PlanetMomentJD(Snapshot("Mars", 1582, 10, 15, 0, 0, 0, 0)), 1e-9);
}

TEST(PlanetTexts, OnAChangeDayRiseAndSetAreReadOnTheirOwnClock) {
    // Chemnitz, 29 Mar 2026, the clock going from CET to CEST at 01:00 UT (zoneinfo). Venus
    // rises 05:32 UT and sets 19:25 UT (python3-ephem: 07:32:18 and 21:24:57 CEST), whether the
    // moment is before the change or after it. Uranus sets at 22:17 UT on the 28th (23:17 CET)
    // and 22:14 UT on the 29th (00:14 CEST on the 30th): not on this day.
    test::PinnedLocale pin(kEnglish);
    for (int hour : {1, 12}) {
        SCOPED_TRACE(hour);
        ObserverState o = test::Chemnitz(2026, 3, 29, hour, 30);
        o.ConsiderSummerTime = true;
        PlanetSnapshot s;
        static_cast<MomentSnapshot&>(s) = MomentSnapshot::Of(o);
        s.Planet = Body::Venus;
        EXPECT_TRUE(PlanetComputedBlock(s, o, true).endsWith("Rises 7h32m, sets 21h25m"))
            << PlanetComputedBlock(s, o, true).toStdString();
        s.Planet = Body::Uranus;
        EXPECT_TRUE(PlanetComputedBlock(s, o, true).endsWith(", sets -"))
            << PlanetComputedBlock(s, o, true).toStdString();
    }
}

TEST(PlanetTexts, OnTheDayOfTwentyFiveHoursEveryHourHasItsRiseAndSet) {
    // Chemnitz, 25 Oct 2026, the clock going back from CEST to CET at 01:00 UT: the day runs
    // from 22:00 UT on the 24th to 23:00 UT. python3-ephem (centre at 0°, no refraction): Mars
    // rises 22:34 UT on the 24th (00:34 CEST) and again 22:33 UT (23:33 CET), sets 13:38 UT
    // (14:38 CET); Jupiter rises 23:26 UT on the 24th (01:26 CEST), sets 13:50 UT (14:50 CET).
    // The day's first passages, whether the moment is before the change or after it; a few
    // minutes for the theory, which holds the planet's place of the moment all day.
    test::PinnedLocale pin(kEnglish);
    const auto minutes = [](const QString& block, const char* which) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("%1 (\\d+)h(\\d+)m").arg(QLatin1String(which))).match(block);
        return m.hasMatch() ? m.captured(1).toInt() * 60 + m.captured(2).toInt() : -1;
    };
    struct Expected {
        Body planet;
        int rise, set;  // minutes on the clock
    };
    for (int hour : {1, 12}) {
        SCOPED_TRACE(hour);
        ObserverState o = test::Chemnitz(2026, 10, 25, hour, 30);
        o.ConsiderSummerTime = true;
        PlanetSnapshot s;
        static_cast<MomentSnapshot&>(s) = MomentSnapshot::Of(o);
        for (const Expected& e : {Expected{Body::Mars, 34, 14 * 60 + 38}, Expected{Body::Jupiter, 60 + 26, 14 * 60 + 50}}) {
            s.Planet = e.planet;
            const QString block = PlanetComputedBlock(s, o, true);
            SCOPED_TRACE(block.toStdString());
            EXPECT_NEAR(minutes(block, "Rises"), e.rise, 4);
            EXPECT_NEAR(minutes(block, "sets"), e.set, 4);
        }
    }
}

TEST(PlanetTexts, EveryChartPlanetHasPictureDataAndAFullBlock) {
    test::PinnedLocale pin(kEnglish);
    for (const char* name : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus"}) {
        EXPECT_FALSE(PlanetPictureName(*BodyFromName(name)).empty()) << name;
        EXPECT_FALSE(PlanetDataBlock(*BodyFromName(name)).isEmpty()) << name;
        const QString text = PlanetComputedBlock(Snapshot(name), test::Chemnitz());
        EXPECT_EQ(text.split("\r\n").size(), 9) << name;
        EXPECT_FALSE(text.contains("nan", Qt::CaseInsensitive)) << name;
    }
    EXPECT_EQ(PlanetPictureName(Body::Jupiter), "pl5");
    EXPECT_EQ(PlanetPictureName(Body::Moon), "");
    EXPECT_TRUE(PlanetDataBlock(Body::Jupiter).startsWith(
        "Mean distance 778 million km = 5.203 AU\r\nOrbital period 11 years 321 days\r\n"));
}

TEST(PlanetWindow, ShowsPictureNameDataAndComputedBlock) {
    test::PinnedLocale pin(kEnglish);
    noctaris::SetDialogsAllowed(false);
    const ObserverState chemnitz = test::Chemnitz();
    PlanetWindow w(Snapshot("Saturn"), chemnitz);
    QLabel* const name = Child<QLabel>(w, "nameLabel");
    QLabel* const picture = Child<QLabel>(w, "picture");
    QPlainTextEdit* const data = Child<QPlainTextEdit>(w, "dataText");
    QPlainTextEdit* const computed = Child<QPlainTextEdit>(w, "computedText");
    EXPECT_EQ(w.windowTitle(), "Planet data");
    EXPECT_TRUE(w.computedBlock().isEmpty());  // filled on activation
    w.show();
    EXPECT_EQ(name->text(), "Saturn");
    EXPECT_TRUE(name->font().bold());
    ASSERT_FALSE(picture->pixmap().isNull());
    // Picture above the name, the data beside them, the computed values below; all apart.
    EXPECT_LT(picture->geometry().bottom(), name->geometry().top());
    EXPECT_LT(picture->geometry().right(), data->geometry().left());
    EXPECT_LT(std::max(data->geometry().bottom(), name->geometry().bottom()), computed->geometry().top());
    EXPECT_TRUE(w.rect().contains(computed->geometry()) && w.rect().contains(data->geometry()));
    EXPECT_FALSE(Child<QPlainTextEdit>(w, "allDataText")->isVisible());
    EXPECT_TRUE(computed->isReadOnly());
    EXPECT_EQ(computed->focusPolicy(), Qt::NoFocus);

    EXPECT_EQ(w.dataBlock(), PlanetDataBlock(Body::Saturn));
    EXPECT_EQ(w.computedBlock(), PlanetComputedBlock(Snapshot("Saturn"), chemnitz));
    EXPECT_FALSE(computed->toPlainText().contains('\r'));
    EXPECT_EQ(computed->toPlainText(), QString(w.computedBlock()).replace("\r\n", "\n"));
    EXPECT_TRUE(data->toPlainText().startsWith("Mean distance 1427 million km = 9.539 AU\n"));

    // The values a person checks: Saturn about 10 AU away and of magnitude about +1.
    const QStringList lines = w.computedBlock().split("\r\n");
    EXPECT_TRUE(lines[2].startsWith("Distance 9.") || lines[2].startsWith("Distance 10."))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[7].startsWith("Magnitude 0.") || lines[7].startsWith("Magnitude 1."))
        << lines[7].toStdString();

    const QImage grab = w.grab().toImage();
    if (qEnvironmentVariableIsSet("NOCTARIS_GRAB_DIR")) {
        const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
        grab.save(dir + "/planet_saturn.png");
        PlanetWindow j(Snapshot("Jupiter"), chemnitz);
        j.show();
        j.grab().save(dir + "/planet_jupiter.png");
    }
}

TEST(PlanetWindow, AnUnknownNameLeavesPictureAndDataEmpty) {
    test::PinnedLocale pin(kEnglish);
    noctaris::SetDialogsAllowed(false);
    PlanetWindow w(Snapshot("Neptune"), test::Chemnitz());
    w.fill();
    EXPECT_EQ(Child<QLabel>(w, "nameLabel")->text(), "Neptune");
    EXPECT_TRUE(Child<QLabel>(w, "picture")->pixmap().isNull());
    EXPECT_EQ(w.dataBlock(), "");
    EXPECT_EQ(w.computedBlock().split("\r\n").size(), 9);
}
