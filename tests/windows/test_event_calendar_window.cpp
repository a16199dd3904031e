// The astronomical calendar: its lines, its window and its exports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTime>
#include <QTemporaryDir>

#include "astro/time/calendar_dates.h"
#include "export_tests.h"
#include "window_tests.h"
#include "windows/event_calendar_window.h"
#include "windows/wincommon.h"
#include "platform/time_zone.h"

using namespace noctaris;
using test::Child;

namespace {

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom);

QStringList Matching(const QStringList& lines, const QString& text) {
    QStringList out;
    for (const QString& l : lines)
        if (l.endsWith(QLatin1Char('\t') + text)) out << l;
    return out;
}

QStringList Items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

TEST(CalendarLines, HeaderFollowsTheLocale) {
    LocaleGuard g(kGerman);
    EXPECT_EQ(eventcal::HeaderLines("Chemnitz", 50.8333, 12.9167, 1),
              (QStringList{"Location: Chemnitz", QString::fromUtf8("Latitude: 50,83°"),
                           QString::fromUtf8("Longitude: 12,92°"), "Time zone offset from UT: 1,00 h",
                           " "}));
    QLocale::setDefault(kBritish);
    EXPECT_EQ(eventcal::HeaderLines("Quito", -0.22, -78.5, -5)[3], "Time zone offset from UT: -5.00 h");
}

TEST(CalendarLines, HeaderNamesTheZoneAndTheOffsetsItsClockKeeps) {
    // zoneinfo: Sydney keeps +10:00 and +11:00 in 2026, Singapore +08:00 only, New York -05:00
    // and -04:00; Europe/Berlin kept no summer time in 1970 (+01:00 only).
    const auto zoneLine = [](const char* id, double standard, bool legal, int first, int last) {
        return eventcal::HeaderLines("X", 0, 0, PlaceZone(id, standard, legal), id, first, last)[3];
    };
    EXPECT_EQ(zoneLine("Australia/Sydney", 10, true, 2026, 2026), "Time zone: Australia/Sydney (UTC+10:00, UTC+11:00)");
    EXPECT_EQ(zoneLine("Asia/Singapore", 8, true, 2026, 2026), "Time zone: Asia/Singapore (UTC+08:00)");
    EXPECT_EQ(zoneLine("America/New_York", -5, true, 2026, 2026), "Time zone: America/New_York (UTC-05:00, UTC-04:00)");
    EXPECT_EQ(zoneLine("Europe/Berlin", 1, true, 1970, 1970), "Time zone: Europe/Berlin (UTC+01:00)");
    EXPECT_EQ(zoneLine("Europe/Berlin", 1, true, 1970, 1980), "Time zone: Europe/Berlin (UTC+01:00, UTC+02:00)");
    // Standard time shown: only the standard offset.
    EXPECT_EQ(zoneLine("Europe/Berlin", 1, false, 2026, 2026), "Time zone: Europe/Berlin (UTC+01:00)");
    // No zone name: the offset from UT as before.
    EXPECT_EQ(eventcal::HeaderLines("X", 0, 0, ZoneDescription{-5, SummerTimeRule::None, nullptr}, "", 2026, 2026)[3],
              "Time zone offset from UT: -5.00 h");
}

TEST(CalendarLines, Year2012AtZonePlusOne) {
    LocaleGuard g(kGerman);
    const EventList list = eventcal::BuildLocalizedEventList(2012, 1);
    // Delta T for the middle of 2012 from the observed values (66.60 s on 1 January 2012, 66.91 s
    // on 1 January 2013).
    EXPECT_NEAR(eventcal::ListDeltaTDays(list) * 86400, 66.75, 0.05);
    const QStringList lines = eventcal::EventLines(2012, 1);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(list.Entries.size()));
    // The equinox 2012-03-20 05:14 UT as published (US Naval Observatory), 06:14 at zone +1.
    EXPECT_EQ(Matching(lines, "Spring equinox"),
              QStringList{"Tu 20.3.12\t06:14:27\tSpring equinox"});
    // Summer-time lines: two tabs in a row, no time, on the Sunday.
    EXPECT_EQ(Matching(lines, "Start of summer time"),
              QStringList{"Su 25.3.12\t\tStart of summer time"});
    EXPECT_EQ(Matching(lines, "End of summer time"),
              QStringList{"Su 28.10.12\t\tEnd of summer time"});
    // First quarter 2012-01-01 06:15 UT as published.
    EXPECT_EQ(lines.first(), "Su 1.1.12\t07:14:42\tFirst quarter");
    // Numbers in texts with the locale's decimal separator.
    EXPECT_EQ(Matching(lines, "Partial lunar eclipse, magnitude 0,37").size(), 1);
    EXPECT_EQ(
        Matching(lines, QString::fromUtf8("Venus at greatest elongation west: 45,8°")).size(),
        1);
    const QRegularExpression notANumber(QStringLiteral("\\b(nan|inf|infinity)\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const QString& l : lines) EXPECT_FALSE(l.contains(notANumber)) << l.toStdString();
}

TEST(CalendarLines, LocalDateAndWeekday) {
    LocaleGuard g(kBritish);
    // 23:30 UT at zone +1 is already the next day.
    const double jd = CalendarToJDZoned(2012, 3, 20, 23, 30, 0, 0).value();
    EXPECT_EQ(eventcal::EventLine({jd, "Event", true}, 0, 1), "We 21.3.12\t00:30:00\tEvent");
    EXPECT_EQ(eventcal::EventLine({jd, "Event", true}, 0, 0), "Tu 20.3.12\t23:30:00\tEvent");
    // Delta T is taken off before the zone is added.
    EXPECT_EQ(eventcal::EventLine({jd, "Event", true}, 60.0 / 86400, -5),
              "Tu 20.3.12\t18:29:00\tEvent");
    // Rounded to the nearest second, across midnight too.
    EXPECT_EQ(eventcal::EventLine({jd, "Event", true}, 0.4 / 86400, 0), "Tu 20.3.12\t23:30:00\tEvent");
    EXPECT_EQ(eventcal::EventLine({jd, "Event", true}, 0.6 / 86400, 0), "Tu 20.3.12\t23:29:59\tEvent");
    const double midnight = CalendarToJDZoned(2012, 3, 21, 0, 0, 0, 0).value();
    EXPECT_EQ(eventcal::EventLine({midnight - 0.3 / 86400, "Event", true}, 0, 0),
              "We 21.3.12\t00:00:00\tEvent");
    // A summer-time change stays on its Sunday in every zone (00:00 UT minus Delta T would be
    // Saturday west of Greenwich).
    const double sunday = CalendarToJDZoned(2026, 3, 29, 0, 0, 0, 0).value();
    for (double zone : {-10.0, -5.0, 0.0, 1.0, 5.5, 12.0})
        EXPECT_EQ(eventcal::EventLine({sunday, "Start of summer time", false}, 70.0 / 86400, zone),
                  "Su 29.3.26\t\tStart of summer time");
}

// On the place's legal clock: its own changes and summer times (tzdata; the eclipse's time as
// published, 12 Aug 2026 17:46 UT).
TEST(CalendarLines, ThePlacesOwnClock) {
    LocaleGuard g(kBritish);
    const QStringList sydney = eventcal::EventLines(2026, PlaceZone("Australia/Sydney", 10, true));
    EXPECT_EQ(Matching(sydney, "End of summer time"), QStringList{"Su 5.4.26\t\tEnd of summer time"});
    EXPECT_EQ(Matching(sydney, "Start of summer time"), QStringList{"Su 4.10.26\t\tStart of summer time"});
    const QStringList singapore = eventcal::EventLines(2026, PlaceZone("Asia/Singapore", 8, true));
    EXPECT_TRUE(Matching(singapore, "Start of summer time").isEmpty());
    EXPECT_TRUE(Matching(singapore, "End of summer time").isEmpty());
    const QStringList chemnitz = eventcal::EventLines(2026, PlaceZone("Europe/Berlin", 1, true));
    ASSERT_EQ(Matching(chemnitz, "Total solar eclipse").size(), 1);
    EXPECT_TRUE(Matching(chemnitz, "Total solar eclipse")[0].startsWith("We 12.8.26\t19:4"));
    EXPECT_TRUE(Matching(chemnitz, "Start of summer time")[0].startsWith("Su 29.3.26"));
    // Standard time all year when summer time is not considered; the changes are still listed.
    const QStringList standard = eventcal::EventLines(2026, PlaceZone("Europe/Berlin", 1, false));
    EXPECT_TRUE(Matching(standard, "Total solar eclipse")[0].startsWith("We 12.8.26\t18:4"));
    EXPECT_EQ(Matching(standard, "End of summer time").size(), 1);
}

TEST(CalendarLines, YearsWithoutSummerTimeAndEarlyYears) {
    LocaleGuard g(kBritish);
    const QStringList y1979 = eventcal::EventLines(1979, 1);
    EXPECT_TRUE(Matching(y1979, "Start of summer time").isEmpty());
    EXPECT_TRUE(Matching(y1979, "End of summer time").isEmpty());
    EXPECT_GT(y1979.size(), 100);
    const QStringList y800 = eventcal::EventLines(800, 1);
    EXPECT_EQ(Matching(y800, "Spring equinox").size(), 1);
    EXPECT_TRUE(Matching(y800, "Spring equinox")[0].contains(".3.0\t"));
    EXPECT_GT(y800.size(), 100);
}

class EventCalendarWindowTest : public ::testing::Test {
protected:
    void SetUp() override { noctaris::SetDialogsAllowed(false); }
    LocaleGuard guard_{kGerman};
};

TEST_F(EventCalendarWindowTest, ComponentsAndTexts) {
    ObserverState s;
    EventCalendarWindow w(s);
    EXPECT_EQ(w.windowTitle(), "Astronomical calendar");
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(Child<QLabel>(w, "yearLabel")->text(), "Year");
    EXPECT_EQ(Child<QPushButton>(w, "showButton")->text(), "Show");
    EXPECT_EQ(Child<QLineEdit>(w, "yearEdit")->text(), "2012");
    EXPECT_EQ(Child<QListWidget>(w, "eventList")->count(), 0);  // filled when shown
}

TEST_F(EventCalendarWindowTest, OpeningShowsTheCurrentYear) {
    ObserverState s;
    s.PlaceName = "Chemnitz";
    s.Latitude = 50.8333;
    s.Longitude = 12.9167;
    s.TimeZone = 1;
    QComboBox places;
    places.addItem("Chemnitz (Sachsen)");
    EventCalendarWindow w(s, &places);
    QLineEdit* const yearEdit = Child<QLineEdit>(w, "yearEdit");
    QListWidget* const eventList = Child<QListWidget>(w, "eventList");
    yearEdit->setText("1999");
    w.show();  // showCurrentYear
    EXPECT_EQ(yearEdit->text(), QString::number(QDate::currentDate().year()));
    const QStringList items = Items(eventList);
    ASSERT_GT(items.size(), 100);
    EXPECT_EQ(items[0], "Location: Chemnitz (Sachsen)");
    EXPECT_EQ(items[4], " ");
    EXPECT_EQ(items.mid(5), eventcal::EventLines(QDate::currentDate().year(), 1));

    // 2026 in Chemnitz: the seasons and summer time as published (US Naval Observatory, UT to
    // the minute: 14:46, 08:24, 00:05, 20:50), in standard time (+1 h).
    yearEdit->setText("2026");
    Child<QPushButton>(w, "showButton")->click();
    const QStringList y2026 = Items(eventList).mid(5);
    auto near = [&](const char* text, const char* dayAndWeekday, int hour, int minute) {
        const QStringList m = Matching(y2026, text);
        if (m.size() != 1 || !m[0].startsWith(QString::fromLatin1(dayAndWeekday) + '\t'))
            return false;
        const QTime t = QTime::fromString(m[0].section('\t', 1, 1), "hh:mm:ss");
        return t.isValid() && std::abs(t.secsTo(QTime(hour, minute))) <= 40;
    };
    EXPECT_TRUE(near("Spring equinox", "Fr 20.3.26", 15, 46));
    EXPECT_TRUE(near("Summer solstice", "Su 21.6.26", 9, 24));
    EXPECT_TRUE(near("Autumn equinox", "We 23.9.26", 1, 5));
    EXPECT_TRUE(near("Winter solstice", "Mo 21.12.26", 21, 50));
    EXPECT_EQ(Matching(y2026, "Start of summer time"),
              QStringList{"Su 29.3.26\t\tStart of summer time"});
    EXPECT_EQ(Matching(y2026, "End of summer time"),
              QStringList{"Su 25.10.26\t\tEnd of summer time"});
    EXPECT_TRUE(Matching(y2026, "Total solar eclipse")[0].startsWith("We 12.8.26\t18:4"));

    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!dir.isEmpty()) {
        eventList->doItemsLayout();  // done by the event loop in the program
        w.grab().save(QDir(dir).filePath("event_calendar_2026_top.png"));
        eventList->scrollToItem(eventList->item(60));
        w.grab().save(QDir(dir).filePath("event_calendar_2026.png"));
    }
}

TEST_F(EventCalendarWindowTest, AYearThatIsNoNumberKeepsTheHeader) {
    ObserverState s;
    EventCalendarWindow w(s);
    QLineEdit* const yearEdit = Child<QLineEdit>(w, "yearEdit");
    QListWidget* const eventList = Child<QListWidget>(w, "eventList");
    yearEdit->setText("20x6");
    w.showYear();  // reports the conversion error, raises nothing
    EXPECT_EQ(eventList->count(), 5);
    yearEdit->setText("0");  // no year 0 in the calendar's dates
    w.showYear();
    EXPECT_EQ(eventList->count(), 5);
    yearEdit->setText("2147483647");
    w.showYear();
    EXPECT_EQ(eventList->count(), 5);
    yearEdit->setText(" 2012 ");
    w.showYear();
    EXPECT_GT(eventList->count(), 100);
}

}  // namespace

// ---- Export ------------------------------------------------------------------------------------

class CalendarExportTest : public EventCalendarWindowTest {
protected:
    CalendarExportTest() {
        observer_.PlaceName = "Wien, A";  // as the German program shows it; its exports are English
        observer_.PlaceExportName = "Vienna, A";
        observer_.Latitude = 48.2;
        observer_.Longitude = 16.37;
        observer_.TimeZone = 1;
        observer_.ZoneId = "Europe/Vienna";
        observer_.ConsiderSummerTime = true;  // the legal clock, as the command line's default
        places_.addItem("Wien, A");
    }
    // The window with the year 2026 listed; "Export…" answers with `answer`.
    std::unique_ptr<EventCalendarWindow> Open(test::FakePrompt& answer) {
        auto w = std::make_unique<EventCalendarWindow>(observer_, &places_, answer.prompt());
        Child<QLineEdit>(*w, "yearEdit")->setText("2026");
        w->showYear();
        return w;
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ObserverState observer_;
    QComboBox places_;
    QTemporaryDir dir_;
};

TEST_F(CalendarExportTest, TheButtonExportsOnlyAListedYearAndFitsBesideTheYearControls) {
    test::FakePrompt answer{dir_.filePath("x.ics"), ""};
    EventCalendarWindow w(observer_, &places_, answer.prompt());
    QPushButton* const exportButton = Child<QPushButton>(w, "exportButton");
    EXPECT_EQ(exportButton->text(), QString::fromUtf8("Export…"));
    EXPECT_FALSE(exportButton->isEnabled()) << "nothing listed yet";
    Child<QLineEdit>(w, "yearEdit")->setText("20x6");
    w.showYear();
    EXPECT_FALSE(exportButton->isEnabled()) << "a year that is no number lists nothing to export";
    Child<QLineEdit>(w, "yearEdit")->setText("2026");
    w.showYear();
    EXPECT_TRUE(exportButton->isEnabled());

    const QRect button = exportButton->geometry();
    EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(button));
    for (const char* name : {"eventList", "yearLabel", "yearEdit", "showButton"})
        EXPECT_FALSE(button.intersects(Child<QWidget>(w, name)->geometry())) << name;
    EXPECT_GE(button.width(), exportButton->sizeHint().width()) << "the caption fits";
}

TEST_F(CalendarExportTest, TheIcsParsesWithOneEventPerLineAndIsTheCommandLinesFile) {
    test::FakePrompt answer{dir_.filePath("wien.ics"), "iCalendar (*.ics)"};
    auto w = Open(answer);
    Child<QLineEdit>(*w, "yearEdit")->setText("1999");  // typed, not listed: the listed year goes
    Child<QPushButton>(*w, "exportButton")->click();
    ASSERT_EQ(answer.asked.size(), 1u);
    const SaveFileRequest& asked = answer.asked[0];
    EXPECT_EQ(asked.fileName, "calendar-2026.ics");
    ASSERT_EQ(asked.formats.size(), 2u);
    EXPECT_EQ(NameFilter(asked.formats[0]), "iCalendar (*.ics)");
    EXPECT_EQ(NameFilter(asked.formats[1]), "CSV (*.csv)");

    const QByteArray ics = Read(answer.path);
    ASSERT_FALSE(ics.isEmpty());
    // A real parser reads it: one VEVENT per calendar line, the line's text as SUMMARY.
    const QByteArray parsed = test::RunProgram(
        "/usr/bin/python3",
        {"-c",
         "import sys, icalendar\n"
         "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
         "assert str(cal['version']) == '2.0' and str(cal['prodid'])\n"
         "for e in cal.walk('VEVENT'):\n"
         "    assert e['dtstamp'] and e['uid'] and e['dtstart']\n"
         "    sys.stdout.buffer.write(str(e['summary']).encode() + b'\\n')\n",
         answer.path});
    QStringList texts;
    for (const QString& line : Items(Child<QListWidget>(*w, "eventList")).mid(5)) texts << line.section('\t', 2);
    ASSERT_GT(texts.size(), 100);
    EXPECT_EQ(QString::fromUtf8(parsed).split('\n', Qt::SkipEmptyParts), texts);

    if (test::CliProgram().isEmpty()) GTEST_SKIP() << "NOCTARIS_CLI not set: not compared with noctaris-cli";
    // The texts are the window's, numbers in the user's locale: the command line's in German too.
    const QByteArray cli =
        test::RunProgram(test::CliProgram(), {"calendar", "--year", "2026", "--place", "Wien, A", "--format", "ics"},
                         {{"LC_ALL", "de_DE.UTF-8"}});
    ASSERT_TRUE(cli.contains("magnitude 0\\,")) << "a German decimal comma, escaped";
    EXPECT_EQ(test::WithoutStamps(ics), test::WithoutStamps(cli));
}

TEST_F(CalendarExportTest, TheCsvIsTheCommandLinesFile) {
    // A name without a suffix and the CSV filter chosen: CSV, under the name given.
    test::FakePrompt answer{dir_.filePath("wien"), "CSV (*.csv)"};
    auto w = Open(answer);
    Child<QPushButton>(*w, "exportButton")->click();
    const QByteArray csv = Read(answer.path);
    ASSERT_TRUE(csv.startsWith("utc,local,event\r\n"));
    // The spring equinox of 2026 (published: 20 March 14:46 UT) with a decimal point in the
    // texts, whatever the locale of the window (German here).
    EXPECT_TRUE(csv.contains("2026-03-20T14:4")) << csv.left(400).toStdString();
    EXPECT_TRUE(csv.contains("\r\n,2026-03-29,Start of summer time\r\n")) << "a date, no instant";
    EXPECT_FALSE(csv.contains("magnitude 0,")) << "numbers in the texts have a decimal point";

    if (test::CliProgram().isEmpty()) GTEST_SKIP() << "NOCTARIS_CLI not set: not compared with noctaris-cli";
    EXPECT_EQ(csv, test::RunProgram(test::CliProgram(), {"calendar", "--year", "2026", "--place", "Wien, A",
                                                         "--format", "csv"}));
}

TEST_F(CalendarExportTest, AFailedWriteIsReportedAndLeavesNoFile) {
    const QString path = dir_.filePath("no folder/wien.ics");
    test::FakePrompt answer{path, ""};
    auto w = Open(answer);
    test::CapturedFailures failures;
    Child<QPushButton>(*w, "exportButton")->click();
    ASSERT_EQ(failures.reports().size(), 1);
    EXPECT_TRUE(failures.reports()[0].startsWith("Astronomical calendar: "));
    EXPECT_TRUE(failures.reports()[0].contains(path)) << failures.reports()[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}
