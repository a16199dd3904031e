#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>

#include "astro/reports/sunmoon_reports.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "window_tests.h"
#include "support.h"
#include "windows/moon_window.h"
#include "windows/wincommon.h"

using namespace noctaris;
using test::Child;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

InfoSnapshot SnapshotOf(const ObserverState& o) { return InfoSnapshot{MomentSnapshot::Of(o)}; }

QStringList Lines(const QString& report) { return report.split(QStringLiteral("\r\n")); }

// Chemnitz, 2026-12-07 21:30 CET (20:30 UT), a day and a bit before the new moon of 9 December
// (00:52 UT), with the Moon near apogee (11 December). Against independent values:
//  - the age counts from the new moon of 2026-11-09 07:02 UT (US Naval Observatory): 28 d 13 h
//    28 min; the lunation shown is that one, from 9 November to 9 December;
//  - mean sidereal time 02:27:54 (python3-ephem: apparent 02:27:55.1, the equation of the
//    equinoxes -1.1 s);
//  - distance 402572 km (python3-ephem) at the chart's moment;
//  - rising 06:43:49, culmination 10:38:39, setting 14:26:53 local time (python3-ephem, upper
//    limb with 34' of refraction), shown to the nearest minute.
const char* const kChemnitzReport =
    "Date\t\t07.12.2026\r\n"
    "Julian Date\t2461382,35417 JD\r\n"
    "Universal time\t20:30:00\r\n"
    "Local time\t21:30:00 UTC+01:00 ; 07.12.2026\r\n"
    "Sidereal time\t02:27:54\r\n"
    "Moon age\t\t28 d 13 h 28 min\r\n"
    "Distance\t\t402571,7 km\r\n"
    "\t\t63,12 Earth radii\r\n"
    "Illuminated fraction\t1,31 %\r\n"
    "Moon diameter\t0,495\u00B0 = 29'40,9\"\r\n"
    "\r\n"
    "New moon\t09.11.2026\r\n"
    "Lunation\t\t1285\r\n"
    "First quarter\t17.11.2026\r\n"
    "Full moon\t\t24.11.2026\r\n"
    "Last quarter\t01.12.2026\r\n"
    "New moon\t09.12.2026\r\n"
    "Perigee\t\t08:34 UT, 24.12.2026\r\n"
    "Apogee\t\t06:46 UT, 11.12.2026\r\n"
    "Moonrise\t\t05:44 UT\r\n"
    "\t\t06:44 UTC+01:00\r\n"
    "Culmination\t09:39 UT\r\n"
    "\t\t10:39 UTC+01:00\r\n"
    "Moonset\t\t13:27 UT\r\n"
    "\t\t14:27 UTC+01:00\r\n";

// Summed brightness of the columns [x0, x1) of an image.
double Light(const QImage& image, int x0, int x1) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x) sum += qGray(image.pixel(x, y));
    return sum;
}

}  // namespace

TEST(MoonReportText, ChemnitzEveningBeforeNewMoon) {
    test::PinnedLocale pin(kGerman);
    const ObserverState o = test::Chemnitz();
    // Line 4 shows the chart's own date beside its local time, whatever the computer's date.
    EXPECT_EQ(BuildMoonReport(SnapshotOf(o), o), QString::fromUtf8(kChemnitzReport));
}

TEST(MoonReportText, NumbersAndDatesFollowTheLocale) {
    test::PinnedLocale pin(kEnglish);
    const ObserverState o = test::Chemnitz();
    const QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_EQ(lines[0], QStringLiteral("Date\t\t12/7/2026"));
    EXPECT_EQ(lines[1], QStringLiteral("Julian Date\t2461382.35417 JD"));
    EXPECT_EQ(lines[6], QStringLiteral("Distance\t\t402571.7 km"));
    EXPECT_EQ(lines[9], QStringLiteral("Moon diameter\t0.495\u00B0 = 29'40.9\""));
    // The fixed hour-minute pattern stays a 24-hour clock.
    EXPECT_EQ(lines[19], QStringLiteral("Moonrise\t\t05:44 UT"));
}

TEST(MoonReportText, AnEventThatDoesNotHappenKeepsItsLabel) {
    test::PinnedLocale pin(kGerman);
    ObserverState o = test::Chemnitz();
    o.Latitude = 80;  // the Moon stands far south that day: it neither rises nor sets
    QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    ASSERT_EQ(lines.size(), 24);  // 23 lines, each ended by CR LF
    EXPECT_TRUE(lines[18].startsWith(QStringLiteral("Apogee\t\t")));
    EXPECT_EQ(lines[19], QStringLiteral("Moonrise\t\tnone on this day"));
    EXPECT_TRUE(lines[20].startsWith(QStringLiteral("Culmination\t")) && lines[20].endsWith(QStringLiteral(" UT")));
    EXPECT_EQ(lines[22], QStringLiteral("Moonset\t\tnone on this day"));
    EXPECT_TRUE(lines[23].isEmpty());
    // In Chemnitz the Moon set on 16 December 2026 at 23:46 and next on 18 December at 01:00
    // local time (python3-ephem): the 17th has no moonset, and no other day's time stands in.
    o = test::Chemnitz(2026, 12, 17, 12, 0);
    lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_EQ(lines[19], QStringLiteral("Moonrise\t\t11:03 UT"));  // 12:03:23 local
    EXPECT_EQ(lines[20], QStringLiteral("\t\t12:03 UTC+01:00"));
    EXPECT_EQ(lines[21], QStringLiteral("Culmination\t17:24 UT"));  // 18:23:33 local
    EXPECT_EQ(lines[23], QStringLiteral("Moonset\t\tnone on this day"));
}

TEST(MoonReportText, AgeAndLunationInEveryZone) {
    test::PinnedLocale pin(kGerman);
    // Los Angeles (zone -8), 2026-12-09 12:00: 20:00 UT, 19 h 8 min after the new moon of
    // 00:52 UT (US Naval Observatory), which fell on 8 December local time.
    ObserverState o = test::Chemnitz(2026, 12, 9, 12, 0);
    o.TimeZone = -8;
    o.Latitude = 34.05;
    o.Longitude = -118.24;
    QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_EQ(lines[5], QStringLiteral("Moon age\t\t0 d 19 h 8 min"));
    EXPECT_EQ(lines[11], QStringLiteral("New moon\t08.12.2026"));
    EXPECT_EQ(lines[14], QStringLiteral("Full moon\t\t23.12.2026"));  // 01:28 UT on the 24th
    EXPECT_EQ(lines[16], QStringLiteral("New moon\t07.01.2027"));
    // Chemnitz, 01:30 on 9 December: the new moon is 22 minutes ahead, so the Moon is old and
    // the lunation is the one before.
    o = test::Chemnitz(2026, 12, 9, 1, 30);
    lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_EQ(lines[5], QStringLiteral("Moon age\t\t29 d 17 h 28 min"));
    EXPECT_EQ(lines[11], QStringLiteral("New moon\t09.11.2026"));
    EXPECT_EQ(lines[16], QStringLiteral("New moon\t09.12.2026"));
}

TEST(MoonReportText, NextPerigeeAndApogeeFromUniversalTime) {
    test::PinnedLocale pin(kGerman);
    // 1984-07-18 13:59 local time at zone +1 is 12:59 UT: the apogee of that day, about 13:30 UT
    // (python3-ephem: greatest Earth-Moon distance), is still ahead and is the one shown.
    const ObserverState o = test::Chemnitz(1984, 7, 18, 13, 59);
    const QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_TRUE(lines[18].startsWith(QStringLiteral("Apogee\t\t13:")))
        << lines[18].toStdString();
    EXPECT_TRUE(lines[18].endsWith(QStringLiteral(" 18.07.1984"))) << lines[18].toStdString();
}

TEST(MoonReportText, TimesBeforeNineteenHundredAndAcrossMidnight) {
    test::PinnedLocale pin(kGerman);
    // 1850-06-01 00:30 local, zone +1: universal time is 23:30 of the day before. The day count
    // of such a date is negative; its time of day still counts from the earlier midnight.
    ObserverState o = test::Chemnitz(1850, 6, 1, 0, 30);
    const QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o));
    EXPECT_EQ(lines[0], QStringLiteral("Date\t\t01.06.1850"));
    EXPECT_EQ(lines[1], Format(QStringLiteral("Julian Date\t%.5f JD"),
                               {static_cast<double>(DateToJD(1850, 6, 1)) - 0.5 / 24}));
    EXPECT_EQ(lines[2], QStringLiteral("Universal time\t23:30:00"));
    EXPECT_EQ(lines[3], QStringLiteral("Local time\t00:30:00 UTC+01:00 ; 01.06.1850"));
    const int age = lines[5].section('\t', 2).section(' ', 0, 0).toInt();
    EXPECT_GE(age, 0);
    EXPECT_LE(age, 29);

    // Before the calendar reform the Julian calendar counts.
    o = test::Chemnitz(1500, 3, 1, 12, 0);
    o.TimeZone = 0;
    EXPECT_EQ(Lines(BuildMoonReport(SnapshotOf(o), o))[1],
              Format(QStringLiteral("Julian Date\t%.5f JD"),
                     {static_cast<double>(JulianCalendarToJD(1500, 3, 1)) + 0.5}));
}

TEST(MoonReportText, OnAChangeDayEachTimeIsReadOnItsOwnClockOverTheWholeLocalDay) {
    // python3-ephem and zoneinfo. Chemnitz 29 Mar 2026, a day of 23 hours: moonset 03:40 UT,
    // after the change at 01:00 UT, is 05:40 CEST also when the moment is before the change;
    // each local time names the zone of its own instant.
    // 25 Oct 2026, a day of 25 hours: the culmination at 22:34 UT is 23:34 CET, in its last
    // hour; the moonset 04:52 UT is 05:52 CET.
    for (bool precise : {false, true}) {
        SCOPED_TRACE(precise ? "precise" : "classic");
        ObserverState spring = test::Chemnitz(2026, 3, 29, 1, 30);
        spring.ConsiderSummerTime = true;
        InfoSnapshot snapshot = SnapshotOf(spring);
        snapshot.Precise = precise;
        QString report = BuildMoonReport(snapshot, spring);
        EXPECT_TRUE(report.contains(QStringLiteral("Moonset\t\t03:40 UT\r\n\t\t05:40 CEST\r\n")))
            << report.toStdString();
        ObserverState autumn = test::Chemnitz(2026, 10, 25, 21, 30);
        autumn.ConsiderSummerTime = true;
        snapshot = SnapshotOf(autumn);
        snapshot.Precise = precise;
        report = BuildMoonReport(snapshot, autumn);
        EXPECT_TRUE(report.contains(QStringLiteral("Culmination\t22:34 UT\r\n\t\t23:34 CET\r\n")))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("Moonset\t\t04:5")) &&
                    report.contains(QStringLiteral("\t\t05:5")))
            << report.toStdString();
    }
}

TEST(MoonReportText, AnInvalidDateRaises) {
    ObserverState o = test::Chemnitz();
    o.Month = 2;
    o.Day = 30;
    EXPECT_THROW(BuildMoonReport(SnapshotOf(o), o), ConversionError);
}

TEST(MoonWindow, LayoutAndFixedData) {
    const ObserverState o = test::Chemnitz();
    const InfoSnapshot snap = SnapshotOf(o);
    MoonWindow w(&snap, &o);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Moon data"));
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(Child<QLabel>(w, "nameLabel")->text(), QStringLiteral("Moon"));
    EXPECT_EQ(Child<QLabel>(w, "photo")->pixmap().size(), QSize(117, 117));
    EXPECT_TRUE(Child<QPlainTextEdit>(w, "reportText")->isReadOnly());
    EXPECT_TRUE(Child<QPlainTextEdit>(w, "fixedDataText")->isReadOnly());
    const QStringList fixed = Child<QPlainTextEdit>(w, "fixedDataText")->toPlainText().split('\n');
    ASSERT_EQ(fixed.size(), 10);
    EXPECT_EQ(fixed[3], QString::fromUtf8("Volume 2.2·10¹⁰ km³ = 0.02 V⊕"));
    EXPECT_EQ(fixed[7], QStringLiteral("Orbital inclination 5\u00B08'43\""));
}

TEST(MoonWindow, RebuildsFromTheSnapshotAndSurvivesABadOne) {
    test::PinnedLocale pin(kGerman);
    noctaris::SetDialogsAllowed(false);
    const ObserverState o = test::Chemnitz();
    InfoSnapshot snap = SnapshotOf(o);
    MoonWindow w(&snap, &o);
    w.show();  // showing rebuilds
    EXPECT_EQ(w.report(), QString::fromUtf8(kChemnitzReport));
    QPlainTextEdit* const reportText = Child<QPlainTextEdit>(w, "reportText");
    EXPECT_EQ(reportText->toPlainText(), QString(w.report()).replace("\r\n", "\n"));

    snap.Hour = 22;  // the main window refreshes the snapshot, then calls refresh
    w.refresh();
    EXPECT_TRUE(w.report().contains(QStringLiteral("Local time\t22:30:00 UTC+01:00 ; 07.12.2026")));

    const QString before = w.report();
    snap.Day = 31;
    snap.Month = 11;  // no 31 November: the rebuild fails, nothing escapes, the text stays
    EXPECT_NO_THROW(w.refresh());
    EXPECT_EQ(w.report(), before);

    // A look at the window: save it where NOCTARIS_GRAB_DIR points.
    snap = SnapshotOf(o);
    w.refresh();
    const QPixmap shot = w.grab();
    EXPECT_EQ(shot.size(), QSize(519, 360));
    if (const char* dir = std::getenv("NOCTARIS_GRAB_DIR"))
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("moon_window.png")));
}

TEST(MoonWindow, PhotoShowsThePhaseAsSeenFromTheHemisphere) {
    const QImage full = LoadPicture("pl9");
    const int w = full.width();
    const double all = Light(full, 0, w);
    EXPECT_GT(Light(MoonPhasePhoto(full, 1.0, true, false), 0, w), 0.97 * all);
    EXPECT_LT(Light(MoonPhasePhoto(full, 0.003, true, false), 0, w), 0.15 * all);
    // Lit fraction of the light grows with the phase.
    double previous = 0;
    for (double k : {0.1, 0.3, 0.5, 0.7, 0.9}) {
        const double light = Light(MoonPhasePhoto(full, k, false, false), 0, w);
        EXPECT_GT(light, previous) << k;
        previous = light;
    }
    // The first quarter from the north: lit on the right (west); from the south on the left;
    // the last quarter the other way round.
    const QImage north = MoonPhasePhoto(full, 0.5, true, false), south = MoonPhasePhoto(full, 0.5, true, true);
    EXPECT_GT(Light(north, w / 2 + 2, w), 4 * Light(north, 0, w / 2 - 2));
    EXPECT_GT(Light(south, 0, w / 2 - 2), 4 * Light(south, w / 2 + 2, w));
    const QImage waning = MoonPhasePhoto(full, 0.5, false, false);
    EXPECT_GT(Light(waning, 0, w / 2 - 2), 4 * Light(waning, w / 2 + 2, w));

    // The window: a day before the new moon (1.3 % lit) hardly any light; at the full Moon of
    // 24 December 2026 the whole disc.
    const ObserverState o = test::Chemnitz();
    InfoSnapshot snap = SnapshotOf(o);
    MoonWindow window(&snap, &o);
    window.refresh();
    const auto shown = [&] { return Child<QLabel>(window, "photo")->pixmap().toImage(); };
    EXPECT_LT(Light(shown(), 0, w), 0.15 * all);
    snap.Day = 24;
    snap.Hour = 2;
    window.refresh();
    EXPECT_GT(Light(shown(), 0, w), 0.95 * all);
}
