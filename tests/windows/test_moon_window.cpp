#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>

#include "astro/sunmoon_reports.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "support.h"
#include "windows/moon_window.h"
#include "windows/wincommon.h"

// Readable failure messages for texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace noctaris;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

InfoSnapshot SnapshotOf(const ObserverState& o) { return InfoSnapshot{MomentSnapshot::Of(o)}; }

QStringList Lines(const QString& report) { return report.split(QStringLiteral("\r\n")); }

// Chemnitz, 2026-12-07 21:30 CET, a day and a bit before the new moon of 9 December (00:52 UT),
// with the Moon near apogee (11 December). The age counts from the new moon of 9 November.
const char* const kChemnitzReport =
    "Date\t\t07.12.2026\r\n"
    "Julian Date\t2461382,35417 JD\r\n"
    "Universal time\t20:30:00\r\n"
    "Local time\t21:30:00 ; 01.12.2026\r\n"
    "Sidereal time\t02:27:44\r\n"
    "Moon age\t\t28 d 14 h 26 min\r\n"
    "Earth distance\t402481,9 km\r\n"
    "\t\t63,10 Earth radius\r\n"
    "Illuminating part\t1,41 %\r\n"
    "Moon diameter\t0,495\u00B0 = 29'41,3\"\r\n"
    "\r\n"
    "New moon\t09.12.2026\r\n"
    "Lunation\t\t1286\r\n"
    "First quarter\t17.12.2026\r\n"
    "Full moon\t\t24.12.2026\r\n"
    "Last quarter\t30.12.2026\r\n"
    "New moon\t07.01.2027\r\n"
    "Perigee\t\tUT 08:32 24.12.2026\r\n"
    "Apogee\t\tUT 06:46 11.12.2026\r\n"
    "Rising time\tUT 05:42 hour\r\n"
    "\t\t06:42 hour, local time\r\n"
    "Culmination\tUT 09:38 hour\r\n"
    "\t\t10:38 hour, local time\r\n"
    "Sunset time\tUT 13:26 hour\r\n"
    "\t\t14:26 hour, local time\r\n";

}  // namespace

TEST(MoonReportText, ChemnitzEveningBeforeNewMoon) {
    test::PinnedLocale pin(kGerman);
    const ObserverState o = test::Chemnitz();
    // Line 4 shows the computer's date, line 1 the chosen one.
    EXPECT_EQ(BuildMoonReport(SnapshotOf(o), o, EncodeDate(2026, 12, 1)),
              QString::fromUtf8(kChemnitzReport));
}

TEST(MoonReportText, NumbersAndDatesFollowTheLocale) {
    test::PinnedLocale pin(kEnglish);
    const ObserverState o = test::Chemnitz();
    const QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o, EncodeDate(2026, 12, 1)));
    EXPECT_EQ(lines[0], QStringLiteral("Date\t\t12/7/2026"));
    EXPECT_EQ(lines[1], QStringLiteral("Julian Date\t2461382.35417 JD"));
    EXPECT_EQ(lines[6], QStringLiteral("Earth distance\t402481.9 km"));
    EXPECT_EQ(lines[9], QStringLiteral("Moon diameter\t0.495\u00B0 = 29'41.3\""));
    // The fixed hour-minute pattern stays a 24-hour clock.
    EXPECT_EQ(lines[19], QStringLiteral("Rising time\tUT 05:42 hour"));
}

TEST(MoonReportText, NoRisingOrSettingLinesWhenTheMoonStaysDown) {
    test::PinnedLocale pin(kGerman);
    ObserverState o = test::Chemnitz();
    o.Latitude = 80;  // the Moon stands far south that day
    const QString report = BuildMoonReport(SnapshotOf(o), o, EncodeDate(2026, 12, 1));
    const QStringList lines = Lines(report);
    ASSERT_EQ(lines.size(), 20);  // 19 lines, each ended by CR LF
    EXPECT_TRUE(lines[18].startsWith(QStringLiteral("Apogee\t\tUT ")));
    EXPECT_TRUE(lines[19].isEmpty());
    EXPECT_FALSE(report.contains(QStringLiteral("Rising time")));
}

TEST(MoonReportText, TimesBeforeNineteenHundredAndAcrossMidnight) {
    test::PinnedLocale pin(kGerman);
    // 1850-06-01 00:30 local, zone +1: universal time is 23:30 of the day before. The day count
    // of such a date is negative; its time of day still counts from the earlier midnight.
    ObserverState o = test::Chemnitz(1850, 6, 1, 0, 30);
    const QStringList lines = Lines(BuildMoonReport(SnapshotOf(o), o, EncodeDate(2026, 12, 1)));
    EXPECT_EQ(lines[0], QStringLiteral("Date\t\t01.06.1850"));
    EXPECT_EQ(lines[1], Format(QStringLiteral("Julian Date\t%.5f JD"),
                               {static_cast<double>(DateToJD(1850, 6, 1)) - 0.5 / 24}));
    EXPECT_EQ(lines[2], QStringLiteral("Universal time\t23:30:00"));
    EXPECT_EQ(lines[3], QStringLiteral("Local time\t00:30:00 ; 01.12.2026"));
    const int age = lines[5].section('\t', 2).section(' ', 0, 0).toInt();
    EXPECT_GE(age, 0);
    EXPECT_LE(age, 29);

    // Before the calendar reform the Julian calendar counts.
    o = test::Chemnitz(1500, 3, 1, 12, 0);
    o.TimeZone = 0;
    EXPECT_EQ(Lines(BuildMoonReport(SnapshotOf(o), o, 0))[1],
              Format(QStringLiteral("Julian Date\t%.5f JD"),
                     {static_cast<double>(JulianCalendarToJD(1500, 3, 1)) + 0.5}));
}

TEST(MoonReportText, MidnightJulianDayIsTheChartsOne) {
    for (int year : {1200, 1582, 1899, 2026})
        for (int month : {1, 2, 3, 10, 12})
            for (double zone : {-5.0, 0.0, 1.0, 5.75})
                EXPECT_DOUBLE_EQ(ReportMidnightJD(year, month, 15, zone),
                                 LocalDateToJD(year, month, 15, zone));
}

TEST(MoonReportText, AnInvalidDateRaises) {
    ObserverState o = test::Chemnitz();
    o.Month = 2;
    o.Day = 30;
    EXPECT_THROW(BuildMoonReport(SnapshotOf(o), o, 0), ConversionError);
}

TEST(MoonWindow, LayoutAndFixedData) {
    const ObserverState o = test::Chemnitz();
    const InfoSnapshot snap = SnapshotOf(o);
    MoonWindow w(&snap, &o);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Moon parameter"));
    EXPECT_EQ(w.size(), QSize(519, 360));
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Moon"));
    EXPECT_EQ(w.Image1->pixmap().size(), QSize(117, 117));
    EXPECT_TRUE(w.Memo1->isReadOnly());
    EXPECT_TRUE(w.Memo2->isReadOnly());
    const QStringList fixed = w.Memo2->toPlainText().split('\n');
    ASSERT_EQ(fixed.size(), 10);
    EXPECT_EQ(fixed[3], QStringLiteral("Volume 2,2\u00B710^10 km\u00B3 = 0,02 VE"));
    EXPECT_EQ(fixed[7], QStringLiteral("Inclination of orbit 5\u00B08'43\""));
}

TEST(MoonWindow, RebuildsFromTheSnapshotAndSurvivesABadOne) {
    test::PinnedLocale pin(kGerman);
    noctaris::SetDialogsAllowed(false);
    const ObserverState o = test::Chemnitz();
    InfoSnapshot snap = SnapshotOf(o);
    MoonWindow w(&snap, &o);
    w.SetTodayProvider([] { return EncodeDate(2026, 12, 1); });
    w.show();  // showing rebuilds
    EXPECT_EQ(w.Report(), QString::fromUtf8(kChemnitzReport));
    EXPECT_EQ(w.Memo1->toPlainText(), QString(w.Report()).replace("\r\n", "\n"));

    snap.Hour = 22;  // the main window refreshes the snapshot, then calls pb2Paint
    w.pb2Paint();
    EXPECT_TRUE(w.Report().contains(QStringLiteral("Local time\t22:30:00 ; 01.12.2026")));

    const QString before = w.Report();
    snap.Day = 31;
    snap.Month = 11;  // no 31 November: the rebuild fails, nothing escapes, the text stays
    EXPECT_NO_THROW(w.pb2Paint());
    EXPECT_EQ(w.Report(), before);

    // A look at the window: save it where NOCTARIS_GRAB_DIR points.
    snap = SnapshotOf(o);
    w.pb2Paint();
    const QPixmap shot = w.grab();
    EXPECT_EQ(shot.size(), QSize(519, 360));
    if (const char* dir = std::getenv("NOCTARIS_GRAB_DIR"))
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("moon_window.png")));
}
