// The calendars, the orbit plan, the terminator window and the sky chart in German: what the
// translation changes, what it must leave alone (exports, names the program looks up), and
// that the longer German texts still fit their fixed places.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTranslator>

#include "chart/canvas.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "windows/event_calendar_window.h"
#include "windows/exports.h"
#include "windows/moon_phase_calendar_window.h"
#include "windows/orbits_plan.h"
#include "windows/orbits_window.h"
#include "windows/terminator_window.h"
#include "windows/wincommon.h"
#include "windows/window_tests.h"

using namespace noctaris;

namespace {

// German installed for the life of the object; English (no translator) again afterwards.
class German {
public:
    German() {
        loaded_ = translator_.load(QStringLiteral(NOCTARIS_GERMAN_QM));
        if (loaded_) QCoreApplication::installTranslator(&translator_);
    }
    ~German() { QCoreApplication::removeTranslator(&translator_); }
    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

const QLocale kGermanLocale(QLocale::German, QLocale::Germany);
constexpr double kCet = 1;  // Chemnitz's zone

// Whether a line of the calendar begins with `start` (weekday, date, time) and ends with `text`.
bool HasLine(const QStringList& lines, const char* start, const char* text) {
    return std::any_of(lines.begin(), lines.end(), [&](const QString& l) {
        return l.startsWith(QString::fromUtf8(start)) && l.endsWith(QString::fromUtf8(text));
    });
}

QStringList Columns(const QString& line) { return line.split(QLatin1Char('\t')); }

TEST(GermanCalendar, EventLinesInGermanAtTheSameInstants) {
    LocaleGuard l(kGermanLocale);
    const QStringList english = eventcal::EventLines(2026, kCet);
    German de;
    ASSERT_TRUE(de.loaded());
    const QStringList german = eventcal::EventLines(2026, kCet);

    // March equinox 2026-03-20 14:46 UT (a Friday), annular solar eclipse 2026-02-17 (a
    // Tuesday), total lunar eclipse at the full moon of 2026-03-03 (a Tuesday).
    EXPECT_TRUE(HasLine(german, "Fr 20.3.26\t15:4", "\tFrühlingsanfang"));
    EXPECT_TRUE(HasLine(german, "Di 17.2.26\t", "\tRingförmige Sonnenfinsternis"));
    EXPECT_TRUE(HasLine(german, "Di 3.3.26\t", "\tVollmond"));
    EXPECT_TRUE(std::any_of(german.begin(), german.end(), [](const QString& s) {
        return s.startsWith(QStringLiteral("Di 3.3.26\t")) &&
               s.contains(QString::fromUtf8("\tTotale Mondfinsternis, Größe = 1,"));
    }));
    EXPECT_TRUE(german.contains(QString::fromUtf8("So 29.3.26\t\tBeginn der Sommerzeit")));
    EXPECT_TRUE(german.contains(QString::fromUtf8("So 25.10.26\t\tEnde der Sommerzeit")));

    // Line by line the same events at the same times: only the weekday and the text differ,
    // and no English text is left over.
    ASSERT_EQ(german.size(), english.size());
    const QStringList leftover = {"moon", "sun", "eclipse", "Mercury", "Earth", "Neptune",
                                  "summer", "perigee", "apogee", "elongation", "quarter"};
    for (qsizetype i = 0; i < german.size(); ++i) {
        const QStringList g = Columns(german[i]), e = Columns(english[i]);
        ASSERT_EQ(g.size(), 3) << german[i].toStdString();
        EXPECT_EQ(g[0].mid(2), e[0].mid(2)) << i;  // the date after the weekday
        EXPECT_EQ(g[1], e[1]) << i;
        EXPECT_NE(g[2], e[2]) << e[2].toStdString();
        for (const QString& word : leftover)
            EXPECT_FALSE(g[2].contains(word)) << g[2].toStdString();
    }
    EXPECT_TRUE(HasLine(german, "", "\tMond in Erdnähe (Perigäum)"));
    EXPECT_TRUE(std::any_of(german.begin(), german.end(), [](const QString& s) {
        return s.contains(QString::fromUtf8("\tMerkur in größter östlicher Elongation: ")) &&
               s.endsWith(QString::fromUtf8("°"));
    }));

    EXPECT_EQ(eventcal::HeaderLines(QStringLiteral("Chemnitz"), 50.83, 12.92, 1)[0],
              QStringLiteral("Ort: Chemnitz"));
}

TEST(GermanCalendar, EnglishTextsAreTheRecordedOnes) {
    // Without a translator every shown text is the event's own English text, byte for byte.
    LocaleGuard l(kGermanLocale);
    for (int year : {1995, 2026}) {
        const EventList list = eventcal::BuildLocalizedEventList(year, kCet);
        for (const CalendarEvent& e : list.Entries)
            EXPECT_EQ(eventcal::EventText(e).toStdString(), e.Text);
    }
    // An event made from a text alone shows that text in every language.
    German de;
    EXPECT_EQ(eventcal::EventText(CalendarEvent(2451545, "Event")), QStringLiteral("Event"));
}

TEST(GermanCalendar, ExportsStayEnglish) {
    LocaleGuard l(kGermanLocale);
    const QDateTime stamp(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    const QByteArray csv = exports::ToCsv(eventcal::CalendarRecords(2026, 2026, kCet));
    const QByteArray ics = eventcal::CalendarIcs(2026, 2026, QStringLiteral("Chemnitz"), kCet, stamp);
    German de;
    ASSERT_TRUE(de.loaded());
    EXPECT_EQ(exports::ToCsv(eventcal::CalendarRecords(2026, 2026, kCet)), csv);
    EXPECT_EQ(eventcal::CalendarIcs(2026, 2026, QStringLiteral("Chemnitz"), kCet, stamp), ics);
    EXPECT_TRUE(csv.contains("Annular solar eclipse"));
    EXPECT_TRUE(ics.contains("SUMMARY:Full moon"));
    EXPECT_FALSE(ics.contains("Vollmond"));
}

TEST(GermanCalendar, MoonPhaseCalendarHeadings) {
    German de;
    ASSERT_TRUE(de.loaded());
    EXPECT_EQ(mooncal::MonthName(3), QString::fromUtf8("März"));
    EXPECT_EQ(mooncal::MonthName(12), QStringLiteral("Dezember"));
    EXPECT_EQ(mooncal::MonthName(13), QString());
    const QStringList headings = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(mooncal::WeekdayHeading(c), headings[c]) << c;

    MoonPhaseCalendarWindow w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mondphasenkalender"));
}

// The compass letter at the middle of a chart facing `view` and the letters left to right.
QString LettersFacing(SkyChart& chart, double view) {
    ObserverState state;
    state.Latitude = 50.83;
    state.Longitude = 12.92;
    state.TimeZone = 1;
    state.Year = 2026;
    state.Month = 12;
    state.Day = 7;
    state.Hour = 21;
    ChartObjectLists lists;
    chart.Redraw(QSize(320, 200), state, DisplayOptions{}, view, lists);
    std::vector<SkyChart::CompassMark> marks = chart.CompassMarks();
    std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    QString letters;
    for (const auto& m : marks) letters += m.letter;
    return letters;
}

TEST(GermanChart, CompassLettersInEachLanguage) {
    const Catalogs catalogs;
    SkyChart english(catalogs);
    // Facing east (azimuth -90 from the south): north on the left, south on the right.
    EXPECT_EQ(LettersFacing(english, -90), QStringLiteral("NES"));
    EXPECT_EQ(LettersFacing(english, 0), QStringLiteral("ESW"));
    EXPECT_EQ(LettersFacing(english, 90), QStringLiteral("SWN"));
    EXPECT_EQ(LettersFacing(english, 180), QStringLiteral("WNE"));
    EXPECT_EQ(LettersFacing(english, -180), QStringLiteral("WNE"));

    German de;
    ASSERT_TRUE(de.loaded());
    SkyChart german(catalogs);  // labels are prepared in the language of their making
    EXPECT_EQ(LettersFacing(german, -90), QStringLiteral("NOS"));
    EXPECT_EQ(LettersFacing(german, 0), QStringLiteral("OSW"));
    EXPECT_EQ(LettersFacing(german, 90), QStringLiteral("SWN"));
    EXPECT_EQ(LettersFacing(german, 180), QStringLiteral("WNO"));
    // Facing east the east letter stands in the middle.
    LettersFacing(german, -90);
    const auto& east = *std::find_if(german.CompassMarks().begin(), german.CompassMarks().end(),
                                     [](const auto& m) { return m.letter == QStringLiteral("O"); });
    EXPECT_NEAR(east.x, 160, 10);
    EXPECT_EQ(LettersFacing(english, -90), QStringLiteral("NES"));  // the English chart keeps its letters

    EXPECT_TRUE(SkyChart::CaptionText([] {
                    ObserverState s;
                    s.Year = 2026, s.Month = 7, s.Day = 1, s.ConsiderSummerTime = true;
                    s.TimeZone = 1, s.ZoneId = "Europe/Berlin";
                    return s;
                }()).endsWith(QStringLiteral(" CEST")));
}

TEST(GermanChart, VenusPanelTextsFitThePanel) {
    LocaleGuard l(kGermanLocale);
    const ChartFonts fonts;
    auto expectFit = [&](const std::array<QString, 3>& lines) {
        for (const QString& line : lines)  // drawn from x = 15 inside the frame at x = 159
            EXPECT_LE(15 + fonts.Metrics(ChartFont::Small).horizontalAdvance(line), 158) << line.toStdString();
    };
    expectFit(VenusPanelTexts(63.87, -4.83, 1.0));  // the widest numbers, in English
    German de;
    ASSERT_TRUE(de.loaded());
    const auto lines = VenusPanelTexts(63.87, -4.83, 1.0);
    EXPECT_EQ(lines[0], QStringLiteral("Durchmesser 63,87\""));
    EXPECT_EQ(lines[2], QStringLiteral("Beleuchteter Anteil 100,0"));
    expectFit(lines);
    int x = 10;  // the Jupiter legend, in a panel 320 wide
    for (const char* moon : kJupiterMoonNames)
        x += fonts.Metrics(ChartFont::Small).horizontalAdvance(QCoreApplication::translate("ChartPanels", moon)) + 10;
    EXPECT_LT(x, 320);
}

TEST(GermanOrbits, NamesShownInGermanPickedInEnglish) {
    German de;
    ASSERT_TRUE(de.loaded());
    EXPECT_EQ(OrbitObjectDisplayName(*FindOrbitObject(QStringLiteral("Dwarfplanet Pluto"))),
              QStringLiteral("Zwergplanet Pluto"));
    EXPECT_EQ(OrbitObjectDisplayLabel(*FindOrbitObject(QStringLiteral("Mercury"))), QStringLiteral("Merkur"));
    EXPECT_EQ(OrbitObjectDisplayLabel(*FindOrbitObject(QStringLiteral("Asteroid Ceres"))), QStringLiteral("Ceres"));
    EXPECT_EQ(ScaleBarFor(10).Label, QStringLiteral("5 AE"));

    OrbitsWindow w(MainWindowSize{});
    const auto* list = w.findChild<QListWidget*>(QStringLiteral("objectList"));
    ASSERT_NE(list, nullptr);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("Merkur")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Neptun")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Mercury")));
    ASSERT_TRUE(w.setTicked(QStringLiteral("Mercury"), true));
    ASSERT_TRUE(w.setTicked(QStringLiteral("Earth"), true));
    EXPECT_EQ(w.tickedNames(), QStringList({"Earth", "Mercury"}));  // "Erde" sorts before "Merkur"
}

// Every label, button and box under `parent` shows its whole text and stays clear of its
// siblings (except `overlapping`, which lies over another on purpose).
void ExpectNothingClipped(const QWidget& parent, const QStringList& overlapping = {}) {
    QList<const QWidget*> controls;
    for (const QWidget* c : parent.findChildren<const QWidget*>()) {
        // Pop-ups (the date fields' calendars) are windows of their own.
        if (c->isHidden() || c->parentWidget() == nullptr || c->window() != parent.window()) continue;
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(c)) text = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(c)) text = button->text();
        else if (!qobject_cast<const QSpinBox*>(c) && !qobject_cast<const QLineEdit*>(c)) continue;
        controls << c;
        if (text.isEmpty()) continue;
        const int needed = qobject_cast<const QPushButton*>(c)
                               ? c->fontMetrics().horizontalAdvance(text) + 8
                               : c->sizeHint().width();
        EXPECT_LE(needed, c->width()) << parent.objectName().toStdString() << ": " << text.toStdString();
        EXPECT_LE(c->geometry().right(), c->parentWidget()->width()) << text.toStdString();
    }
    for (const QWidget* a : controls) {
        for (const QWidget* b : controls) {
            if (a >= b || a->parentWidget() != b->parentWidget() || overlapping.contains(a->objectName()) ||
                overlapping.contains(b->objectName()))
                continue;
            // Boxes stacked closely share a few pixels of their margins, not of their texts.
            EXPECT_FALSE(a->geometry().adjusted(0, 3, 0, -3).intersects(b->geometry().adjusted(0, 3, 0, -3)))
                << a->objectName().toStdString() << " / " << b->objectName().toStdString();
        }
    }
}

TEST(GermanLayout, WindowsShowTheirGermanTextsWhole) {
    LocaleGuard l(kGermanLocale);
    German de;
    ASSERT_TRUE(de.loaded());
    ObserverState observer;
    EventCalendarWindow calendar(observer);
    EXPECT_EQ(calendar.windowTitle(), QStringLiteral("Astronomischer Kalender"));
    ExpectNothingClipped(calendar);
    test::Child<QLineEdit>(calendar, "yearEdit")->setText(QStringLiteral("2026"));
    test::Child<QPushButton>(calendar, "showButton")->click();
    EXPECT_GT(test::Child<QListWidget>(calendar, "eventList")->count(), 60);
    test::SaveGrab(calendar, QStringLiteral("calendar_de"));

    // The longest German event line stays within the list: its text begins two tab stops in.
    const QFont f = WindowFont(12);
    const QFontMetricsF fm(f);
    const qreal tab = std::max(50 * fm.averageCharWidth() / 4, fm.horizontalAdvance(QStringLiteral("Mo 28.12.28")) + 12);
    qreal widest = 0;
    for (int year : {2026, 2027, 2028})
        for (const QString& line : eventcal::EventLines(year, kCet))
            widest = std::max(widest, fm.horizontalAdvance(Columns(line).last()));
    EXPECT_LE(2 * tab + widest, 601 - 4);

    MoonPhaseCalendarWindow moon;
    ExpectNothingClipped(moon);
    test::SaveGrab(moon, QStringLiteral("moon_phase_calendar_de"));

    OrbitsWindow orbits(MainWindowSize{});
    EXPECT_EQ(orbits.windowTitle(), QStringLiteral("Planetenbahnen"));
    ExpectNothingClipped(orbits);
    test::SaveGrab(orbits, QStringLiteral("orbits_de"));
    // The step's words sit left and right of the step box.
    const auto* step = orbits.findChild<QLabel*>(QStringLiteral("stepLabel"));
    const auto* unit = orbits.findChild<QLabel*>(QStringLiteral("stepUnitLabel"));
    const auto* spin = orbits.findChild<QSpinBox*>(QStringLiteral("stepSpin"));
    ASSERT_TRUE(step && unit && spin);
    EXPECT_LT(step->geometry().right(), spin->x());
    EXPECT_GT(unit->x(), spin->geometry().right());

    TerminatorWindow terminator(MainWindowSize{});
    terminator.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(terminator.windowTitle(), QStringLiteral("Tag-Nacht-Grenze"));
    ExpectNothingClipped(terminator);
    test::SaveGrab(terminator, QStringLiteral("terminator_de"));
}

}  // namespace
