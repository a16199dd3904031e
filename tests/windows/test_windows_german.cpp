// The information windows in German: the reports, the ephemeris table, the planet window, the
// calendar, the orbits' controls and the About window through the German translation, checked
// against their English texts (the same numbers in the same order, no English label left), their
// columns and their boxes, also in larger fonts; and English again, byte for byte, once the
// translator is gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QTranslator>

#include "astro/theories/planets.h"
#include "chart/projection.h"
#include "support.h"
#include "window_tests.h"
#include "windows/about_window.h"
#include "windows/ephemeris_window.h"
#include "windows/event_calendar_window.h"
#include "windows/moon_window.h"
#include "windows/orbits_window.h"
#include "windows/planet_window.h"
#include "windows/sun_window.h"
#include "windows/wincommon.h"

#ifndef NOCTARIS_GERMAN_QM
#error "NOCTARIS_GERMAN_QM names the compiled German translation"
#endif

using namespace noctaris;
using test::Child;
using test::SaveGrab;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

InfoSnapshot InfoOf(const ObserverState& o) { return InfoSnapshot{MomentSnapshot::Of(o)}; }

PlanetSnapshot PlanetOf(const ObserverState& o, const char* name) {
    PlanetSnapshot s;
    static_cast<MomentSnapshot&>(s) = MomentSnapshot::Of(o);
    s.Planet = *BodyFromName(name);
    return s;
}

SunChartPosition ChartSun(const ObserverState& o) {
    SunChartPosition sun;
    PlaceSunOnChart(MakeChartFrame(o, 1029, 664, 0), o, sun);
    return sun;
}

QStringList Lines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// The numbers of a line in their order ("-22,64", "16", "56", ...): a translation words the
// labels and units its own way but must keep every value where the English line has it.
QStringList Numbers(const QString& line) {
    static const QRegularExpression number(QStringLiteral("-?\\d+(?:[.,]\\d+)*"));
    static const QString superscripts = QString::fromUtf8("⁰¹²³⁴⁵⁶⁷⁸⁹");
    // An exponent set in superscript digits counts as the number it is ("10²²" as "10^22").
    QString plain;
    bool exponent = false;
    for (const QChar c : line) {
        const qsizetype digit = superscripts.indexOf(c);
        if (digit >= 0 && !exponent) plain += u'^';
        plain += digit >= 0 ? QChar(static_cast<char16_t>(u'0' + digit)) : c;
        exponent = digit >= 0;
    }
    QStringList found;
    for (auto it = number.globalMatch(plain); it.hasNext();) found << it.next().captured();
    return found;
}

// The label of a report line: the text before its first tab.
QString Label(const QString& line) { return line.left(line.indexOf('\t')); }

// Each line of `german` has the numbers of the same line of `english`.
void ExpectSameNumbers(const QString& english, const QString& german) {
    const QStringList e = Lines(english), g = Lines(german);
    ASSERT_EQ(e.size(), g.size()) << german.toStdString();
    for (int i = 0; i < e.size(); ++i)
        EXPECT_EQ(Numbers(g[i]), Numbers(e[i]))
            << e[i].toStdString() << " | " << g[i].toStdString();
}

// None of the English words occurs in the German text as a word of its own.
void ExpectNoneOf(const QStringList& englishWords, const QString& german) {
    for (const QString& w : englishWords) {
        if (w.trimmed().isEmpty()) continue;
        const QRegularExpression word(
            QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(w.trimmed())));
        EXPECT_FALSE(german.contains(word)) << w.toStdString() << " in\n" << german.toStdString();
    }
}

// Every line of a text box stays on one line within the box's width, and all lines fit its
// height: nothing wraps, nothing is cut off at the side or the bottom.
void ExpectFits(QPlainTextEdit* box) {
    SCOPED_TRACE(box->objectName().toStdString());
    const int width = box->viewport()->width();
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
        ASSERT_NE(b.layout(), nullptr);
        EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
        if (b.layout()->lineCount() == 1) {
            const qreal right =
                b.layout()->lineAt(0).naturalTextWidth() + 2 * box->document()->documentMargin();
            EXPECT_LE(right, width) << b.text().toStdString();
        }
    }
    // The empty line after a report's last CR LF may fall below the box.
    int shown = box->document()->blockCount();
    if (box->document()->lastBlock().text().isEmpty()) --shown;
    const qreal height =
        shown * QFontMetricsF(box->font()).lineSpacing() + 2 * box->document()->documentMargin();
    EXPECT_LE(height, box->viewport()->height());
}

// Every value of a report box starts in the one value column (the x after a line's last tab).
void ExpectOneValueColumn(QPlainTextEdit* box) {
    qreal column = -1;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
        const int tab = static_cast<int>(b.text().lastIndexOf('\t'));
        if (tab < 0 || b.layout()->lineCount() != 1) continue;
        const qreal x = b.layout()->lineAt(0).cursorToX(tab + 1);
        if (column < 0) column = x;
        EXPECT_NEAR(x, column, 0.5) << b.text().toStdString();
    }
    EXPECT_GT(column, 0);
}

// A window with its title bar fits a small screen's work area (1024×600 less a panel), so it can
// open wholly on it.
void ExpectFitsSmallScreen(const QWidget& w) {
    EXPECT_LE(w.width(), 1024) << w.objectName().toStdString();
    EXPECT_LE(w.height() + 32, 600 - 24) << w.objectName().toStdString();
}

// A German program for the length of one test: the translator installed, numbers German.
class German : public ::testing::Test {
protected:
    void SetUp() override {
        SetDialogsAllowed(false);
        ASSERT_TRUE(translator_.load(QStringLiteral(NOCTARIS_GERMAN_QM))) << NOCTARIS_GERMAN_QM;
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator_); }
    void speakGerman() { ASSERT_TRUE(QCoreApplication::installTranslator(&translator_)); }
    void speakEnglish() { QCoreApplication::removeTranslator(&translator_); }

    test::PinnedLocale pin_{kGerman};
    const ObserverState chemnitz_ = test::Chemnitz();
    QTranslator translator_;
};

TEST_F(German, MoonReport) {
    const QString english = BuildMoonReport(InfoOf(chemnitz_), chemnitz_);
    speakGerman();
    const QString german = BuildMoonReport(InfoOf(chemnitz_), chemnitz_);
    const QStringList g = Lines(german);
    ASSERT_EQ(g.size(), 26);
    EXPECT_EQ(g[0], QStringLiteral("Datum\t07.12.2026"));
    EXPECT_EQ(g[1], QStringLiteral("Julianisches Datum\t2461382,35417 JD"));
    EXPECT_EQ(g[7], QStringLiteral("\t\t63,12 Erdradien"));
    EXPECT_EQ(g[8], QStringLiteral("Beleuchteter Anteil\t1,31 %"));
    EXPECT_EQ(g[11], QStringLiteral("Neumond\t09.11.2026"));
    EXPECT_EQ(g[13], QStringLiteral("Erstes Viertel\t17.11.2026"));
    EXPECT_EQ(g[17], QStringLiteral("Erdnähe\tUT 08:34 24.12.2026"));
    EXPECT_EQ(g[19], QStringLiteral("Mondaufgang\tUT 05:44 Uhr"));
    EXPECT_EQ(g[20], QStringLiteral("\t\t06:44 Uhr UTC+01:00"));
    EXPECT_EQ(g[21], QStringLiteral("Kulmination\tUT 09:39 Uhr"));
    EXPECT_EQ(g[23], QStringLiteral("Monduntergang\tUT 13:27 Uhr"));
    ExpectSameNumbers(english, german);
    QStringList labels;
    for (const QString& line : Lines(english))
        if (Label(line) != QStringLiteral("Lunation")) labels << Label(line);  // German too
    ExpectNoneOf(labels + QStringList{"hour", "local time", "Earth radius"}, german);

    // An event that does not happen is worded after its noun.
    ObserverState north = chemnitz_;
    north.Latitude = 80;
    const QStringList polar = Lines(BuildMoonReport(InfoOf(north), north));
    EXPECT_EQ(polar[19], QStringLiteral("Mondaufgang\tan diesem Tag keiner"));
    EXPECT_EQ(polar[22], QStringLiteral("Monduntergang\tan diesem Tag keiner"));

    // The precise report names its frame in German as well.
    const QString precise =
        FormatMoonReport(ComputePreciseMoonReport(InfoOf(chemnitz_), chemnitz_));
    EXPECT_TRUE(precise.contains(QStringLiteral("\r\nBezugssystem\tscheinbar, des Datums\r\n")));

    speakEnglish();
    EXPECT_EQ(BuildMoonReport(InfoOf(chemnitz_), chemnitz_), english);
    EXPECT_TRUE(english.startsWith(
        QStringLiteral("Date\t\t07.12.2026\r\nJulian Date\t2461382,35417 JD\r\n")));
}

TEST_F(German, SunReport) {
    const SunChartPosition sun = ChartSun(chemnitz_);
    const QString english = BuildSunReport(InfoOf(chemnitz_), chemnitz_, sun);
    speakGerman();
    const QString german = BuildSunReport(InfoOf(chemnitz_), chemnitz_, sun);
    const QStringList g = Lines(german);
    ASSERT_EQ(g.size(), 17);
    EXPECT_EQ(g[0], QStringLiteral("Datum\t7.12.2026"));
    EXPECT_EQ(g[1], QStringLiteral("Tag des Jahres\t341"));
    EXPECT_EQ(g[3], QStringLiteral("Deklination\t-22,64°"));
    EXPECT_EQ(g[4], QStringLiteral("Rektaszension\t16h56min"));
    EXPECT_EQ(g[5], QStringLiteral("Sternbild\tOphiuchus"));  // constellations keep their names
    EXPECT_EQ(g[10], QStringLiteral("Sternzeit\t2 h 28 min"));
    EXPECT_EQ(g[11], QStringLiteral("Entfernung\t147384067 km"));
    EXPECT_EQ(g[14], QStringLiteral("Sonnenaufgang\t07:56:21 UTC+01:00"));
    EXPECT_EQ(g[15], QStringLiteral("Sonnenuntergang\t16:03:24 UTC+01:00"));
    EXPECT_EQ(g[16], QStringLiteral("Kulmination\t12:00:00 UTC+01:00"));
    ExpectSameNumbers(english, german);
    QStringList labels;
    for (const QString& line : Lines(english)) labels << Label(line);
    ExpectNoneOf(labels, german);

    ObserverState north = chemnitz_;
    north.Latitude = 80;
    const QStringList polar = Lines(BuildSunReport(InfoOf(north), north, ChartSun(north)));
    EXPECT_EQ(polar[14], QStringLiteral("Sonnenaufgang\tKein Aufgang"));
    EXPECT_EQ(polar[15], QStringLiteral("Sonnenuntergang\tKein Untergang"));

    speakEnglish();
    EXPECT_EQ(BuildSunReport(InfoOf(chemnitz_), chemnitz_, sun), english);
    EXPECT_TRUE(english.endsWith(QStringLiteral("\r\nCulmination\t12:00:00 UTC+01:00")));
}

TEST_F(German, EphemerisTable) {
    const EphemerisSnapshot moment{MomentSnapshot::Of(chemnitz_)};
    const EphemerisTableTexts english = BuildEphemerisTable(moment, chemnitz_);
    speakGerman();
    const EphemerisTableTexts german = BuildEphemerisTable(moment, chemnitz_);
    const QStringList labels = {"",
                                "Helioz. Länge",
                                "Helioz. Breite",
                                "Radiusvektor",
                                "Entfernung",
                                "Lichtlaufzeit",
                                "Geoz. Länge",
                                "Geoz. Breite",
                                "Rektaszension",
                                "Deklination",
                                "Durchmesser",
                                "Vis. Helligkeit",
                                "Aufgang",
                                "Untergang",
                                "Sternbild",
                                "Azimut",
                                "Höhe",
                                "Sichtbarkeit"};
    for (int r = 0; r < kEphemRows; ++r) EXPECT_EQ(german.cells[r][0], labels[r]);
    for (int c = 1; c < kEphemCols; ++c) {
        SCOPED_TRACE(english.cells[0][c].toStdString());
        for (int r = 1; r < kEphemRows; ++r)
            EXPECT_EQ(Numbers(german.cells[r][c]), Numbers(english.cells[r][c]));
        EXPECT_TRUE(german.cells[3][c].endsWith(QStringLiteral(" AE")));
        EXPECT_TRUE(german.cells[17][c] == QStringLiteral("sichtbar") ||
                    german.cells[17][c] == QStringLiteral("unsichtbar"));
    }
    // Neptune stood above the horizon that evening, Mercury below it.
    EXPECT_EQ(german.cells[17][1], QStringLiteral("unsichtbar"));
    EXPECT_EQ(german.cells[17][7], QStringLiteral("sichtbar"));
    // The precise table names its frame in the corner.
    EXPECT_EQ(BuildEphemerisTable(moment, chemnitz_, true).cells[0][0],
              QStringLiteral("scheinbar, des Datums"));

    // The longer German labels fit their column, also in a larger font; the grid shows all.
    EphemerisWindow w(chemnitz_);
    w.snapshot() = moment;
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ephemeriden"));
    auto* table = Child<QTableWidget>(w, "table");
    for (const int pixels : {12, 20}) {
        SCOPED_TRACE(pixels);
        table->setFont(WindowFont(pixels));
        w.refresh();
        QApplication::processEvents();
        const QFontMetrics fm(table->font());
        for (int r = 1; r < kEphemRows; ++r) {
            EXPECT_EQ(table->item(r, 0)->text(), labels[r]);
            EXPECT_LE(fm.horizontalAdvance(labels[r]) + 8, table->columnWidth(0))
                << labels[r].toStdString();
            for (int c = 1; c < kEphemCols; ++c)
                EXPECT_LE(fm.horizontalAdvance(table->item(r, c)->text()) + 8, table->columnWidth(c))
                    << table->item(r, c)->text().toStdString();
            EXPECT_GE(table->rowHeight(r), fm.height());
        }
        const int last = kEphemCols - 1;
        EXPECT_LE(table->columnViewportPosition(last) + table->columnWidth(last), table->viewport()->width());
        EXPECT_LE(table->rowViewportPosition(kEphemRows - 1) + table->rowHeight(kEphemRows - 1),
                  table->viewport()->height());
        EXPECT_TRUE(w.rect().contains(table->geometry()));
        if (pixels == 12) ExpectFitsSmallScreen(w);
        SaveGrab(w, QStringLiteral("ephemeris_de_%1px").arg(pixels));
    }
    auto* exportButton = Child<QPushButton>(w, "exportButton");
    EXPECT_EQ(exportButton->text(), QStringLiteral("Exportieren…"));
    EXPECT_LE(exportButton->sizeHint().width(), exportButton->width());
    EXPECT_TRUE(w.rect().contains(exportButton->geometry()));

    speakEnglish();
    const EphemerisTableTexts again = BuildEphemerisTable(moment, chemnitz_);
    EXPECT_EQ(again.cells, english.cells);
    EXPECT_EQ(again.cells[9][0], QStringLiteral("Declination"));
}

TEST_F(German, PlanetWindow) {
    const QString english = PlanetComputedBlock(PlanetOf(chemnitz_, "Saturn"), chemnitz_);
    const QString englishData = PlanetDataBlock(Body::Mars);
    speakGerman();
    const QString german = PlanetComputedBlock(PlanetOf(chemnitz_, "Saturn"), chemnitz_);
    const QStringList g = Lines(german);
    ASSERT_EQ(g.size(), 9);
    EXPECT_TRUE(g[0].startsWith(QStringLiteral("Heliozentrisch: Länge = "))) << g[0].toStdString();
    EXPECT_TRUE(g[1].startsWith(QStringLiteral("Radiusvektor "))) << g[1].toStdString();
    EXPECT_TRUE(g[2].startsWith(QStringLiteral("Entfernung ")) &&
                g[2].endsWith(QStringLiteral(" AE")));
    EXPECT_TRUE(g[3].startsWith(QStringLiteral("Lichtlaufzeit ")));
    EXPECT_TRUE(g[5].startsWith(QStringLiteral("Rektaszension ")) &&
                g[5].contains(QStringLiteral(", Deklination ")))
        << g[5].toStdString();
    EXPECT_TRUE(g[7].startsWith(QStringLiteral("Visuelle Helligkeit ")));
    EXPECT_TRUE(g[8].startsWith(QStringLiteral("Aufgang ")) &&
                g[8].contains(QStringLiteral(" / Untergang ")));
    ExpectSameNumbers(english, german);
    ExpectNoneOf({"coordinates", "longitude", "latitude", "Radius vector", "Distance", "AU", "Light time",
                  "Diameter", "Magnitude", "Rises", "sets"},
                 german);
    // A frame other than the chart's own is named first.
    const PlanetInfo precise =
        ComputePrecisePlanetInfo(Body::Saturn, PlanetMomentJD(PlanetOf(chemnitz_, "Saturn")),
                                 chemnitz_.Latitude, chemnitz_.Longitude, 1);
    EXPECT_TRUE(PlanetComputedBlock(precise).startsWith(
        QStringLiteral("Bezugssystem: scheinbar, des Datums\r\n")));

    // The fixed data: the same values under German labels.
    const QString data = PlanetDataBlock(Body::Mars);
    EXPECT_TRUE(data.startsWith(QStringLiteral("Sonnenentfernung 227,94 Mio. km = 1,524 AE\r\n")));
    EXPECT_TRUE(data.endsWith(QStringLiteral("\r\n")));
    ExpectSameNumbers(englishData, data);
    ExpectNoneOf({"Mean distance", "million", "Orbital", "Rotation period", "inclination",
                  "eccentricity", "Mass", "Density", "Surface gravity", "Temperature", "M⊕"},
                 data);

    // Every planet's window shows its German texts unwrapped and whole, also in a larger font.
    for (const char* name :
         {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"}) {
        SCOPED_TRACE(name);
        PlanetWindow w(PlanetOf(chemnitz_, name), chemnitz_);
        w.show();
        QApplication::processEvents();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Planetendaten"));
        ExpectFits(Child<QPlainTextEdit>(w, "computedText"));
        ExpectFits(Child<QPlainTextEdit>(w, "dataText"));
        ExpectFitsSmallScreen(w);
        SaveGrab(w, QStringLiteral("planet_%1_de").arg(QLatin1String(name)));
    }
    {
        PlanetWindow w(PlanetOf(chemnitz_, "Jupiter"), chemnitz_);
        for (const char* box : {"computedText", "dataText"}) Child<QPlainTextEdit>(w, box)->setFont(WindowFont(17));
        w.show();
        QApplication::processEvents();
        ExpectFits(Child<QPlainTextEdit>(w, "computedText"));
        ExpectFits(Child<QPlainTextEdit>(w, "dataText"));
        SaveGrab(w, QStringLiteral("planet_Jupiter_de_17px"));
    }

    speakEnglish();
    EXPECT_EQ(PlanetComputedBlock(PlanetOf(chemnitz_, "Saturn"), chemnitz_), english);
    EXPECT_EQ(PlanetDataBlock(Body::Mars), englishData);
    for (const char* name : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus"}) {
        SCOPED_TRACE(name);  // the English texts fit the same geometry
        PlanetWindow w(PlanetOf(chemnitz_, name), chemnitz_);
        w.show();
        ExpectFits(Child<QPlainTextEdit>(w, "computedText"));
        ExpectFits(Child<QPlainTextEdit>(w, "dataText"));
    }
    EXPECT_TRUE(
        englishData.startsWith(QStringLiteral("Mean distance 227,94 million km = 1,524 AU\r\n")));
}

// The Moon and Sun windows: the German report in one value column, every line of both boxes
// within the box.
TEST_F(German, ParameterWindowsShowEverything) {
    const InfoSnapshot snapshot = InfoOf(chemnitz_);
    const SunChartPosition sun = ChartSun(chemnitz_);
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        if (german) speakGerman();
        MoonWindow moon(&snapshot, &chemnitz_);
        SunWindow sunWindow(&snapshot, &chemnitz_, &sun);
        for (ParameterWindow* w :
             {static_cast<ParameterWindow*>(&moon), static_cast<ParameterWindow*>(&sunWindow)}) {
            SCOPED_TRACE(w->objectName().toStdString());
            w->show();
            QApplication::processEvents();
            auto* report = Child<QPlainTextEdit>(*w, "reportText");
            ExpectFits(report);
            ExpectOneValueColumn(report);
            if (german) ExpectFits(Child<QPlainTextEdit>(*w, "fixedDataText"));
            SaveGrab(*w,
                     w->objectName() + (german ? QStringLiteral("_de") : QStringLiteral("_en")));
            w->hide();
        }
        if (german) {
            EXPECT_EQ(moon.windowTitle(), QStringLiteral("Monddaten"));
            EXPECT_EQ(sunWindow.windowTitle(), QStringLiteral("Sonnendaten"));
            EXPECT_EQ(Child<QLabel>(moon, "nameLabel")->text(), QStringLiteral("Mond"));
            EXPECT_EQ(Child<QLabel>(sunWindow, "nameLabel")->text(), QStringLiteral("Sonne"));
        }
    }
    const QStringList moonData = MoonFixedData(), sunData = SunFixedData();
    EXPECT_EQ(moonData[4], QStringLiteral("Masse 7,347·10^22 kg = 1/81 mE"));
    EXPECT_EQ(sunData[10], QStringLiteral("Leuchtkraftklasse V"));
    speakEnglish();
    EXPECT_EQ(MoonFixedData()[4], QString::fromUtf8("Mass 7,347·10²² kg = 1/81 M⊕"));
    for (int i = 0; i < moonData.size(); ++i)
        EXPECT_EQ(Numbers(moonData[i]), Numbers(MoonFixedData()[i]));
    for (int i = 0; i < sunData.size(); ++i)
        EXPECT_EQ(Numbers(sunData[i]), Numbers(SunFixedData()[i]));
}

// The astronomical calendar in German, also in a larger font: no line runs into the list's right
// edge (its last pixels stay white on every page), and the controls below lie apart in the window.
TEST_F(German, EventCalendarShowsWholeLines) {
    speakGerman();
    for (const int pixels : {12, 18}) {
        SCOPED_TRACE(pixels);
        EventCalendarWindow w(chemnitz_);
        auto* list = Child<QListWidget>(w, "eventList");
        list->setFont(WindowFont(pixels));
        Child<QLineEdit>(w, "yearEdit")->setText(QStringLiteral("2026"));
        w.showYear();
        w.show();
        QApplication::processEvents();
        ASSERT_GT(list->count(), 100);
        EXPECT_GE(list->visualItemRect(list->item(0)).height(), QFontMetrics(list->font()).height());
        for (int top = 0; top < list->count(); top += 10) {
            list->scrollToItem(list->item(top), QAbstractItemView::PositionAtTop);
            QApplication::processEvents();
            const QImage page = list->viewport()->grab().toImage();
            for (int x = page.width() - 3; x < page.width(); ++x)
                for (int y = 0; y < page.height(); ++y)
                    ASSERT_EQ(QColor(page.pixel(x, y)).lightness(), 255) << "line " << top << " at " << x << "," << y;
        }
        const QRect window = w.rect();
        QList<QRect> boxes;
        for (const char* name : {"eventList", "exportButton", "yearLabel", "yearEdit", "showButton"}) {
            const QRect r = Child<QWidget>(w, name)->geometry();
            EXPECT_TRUE(window.contains(r)) << name;
            for (const QRect& other : boxes) EXPECT_FALSE(r.intersects(other)) << name;
            boxes << r;
        }
        list->scrollToTop();
        if (pixels == 12) ExpectFitsSmallScreen(w);
        SaveGrab(w, QStringLiteral("event_calendar_de_%1px").arg(pixels));
    }
}

// Widgets of a window inside their parent, apart, and each at least as large as its text needs.
void ExpectLaidOut(QWidget& window, const QStringList& names) {
    QList<QRect> boxes;
    for (const QString& name : names) {
        auto* w = window.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(window.rect().contains(r)) << name.toStdString();
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << name.toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << name.toStdString();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_GE(w->width(), QFontMetrics(label->font()).horizontalAdvance(label->text())) << name.toStdString();
        }
        for (const QRect& other : boxes) EXPECT_FALSE(r.intersects(other)) << name.toStdString();
        boxes << r;
    }
}

// The orbits window's controls in German, also in a larger font.
TEST_F(German, OrbitsControlsFit) {
    speakGerman();
    for (const int pixels : {12, 18}) {
        SCOPED_TRACE(pixels);
        OrbitsWindow w(MainWindowSize{900, 640});
        Child<QWidget>(w, "controlPanel")->setFont(WindowFont(pixels));
        w.show();
        QEvent activate(QEvent::WindowActivate);  // the list follows the font when activated
        QApplication::sendEvent(&w, &activate);
        QApplication::processEvents();
        auto* list = Child<QListWidget>(w, "objectList");
        EXPECT_GE(list->viewport()->height(), list->count() * QFontMetrics(list->font()).height());
        for (int i = 0; i < list->count(); ++i)
            EXPECT_LE(list->visualItemRect(list->item(i)).right(), list->viewport()->width()) << i;
        EXPECT_EQ(Child<QLabel>(w, "stepLabel")->text(), QStringLiteral("Schritt"));
        EXPECT_EQ(Child<QLabel>(w, "stepUnitLabel")->text(), QStringLiteral("Tage"));
        ExpectLaidOut(w, {"objectsLabel", "objectList", "dateEdit", "stepLabel", "stepSpin", "stepUnitLabel",
                          "simulationButton", "scaleLabel", "zoomInButton", "zoomResetButton", "zoomOutButton"});
        SaveGrab(w, QStringLiteral("orbits_de_%1px").arg(pixels));
    }
}

TEST_F(German, AboutWindowAndFailureTexts) {
    speakGerman();
    AboutWindow w;
    w.show();
    SaveGrab(w, QStringLiteral("about_de"));
    ExpectFitsSmallScreen(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Über Noctaris"));
    EXPECT_TRUE(about::CreditsText().contains(QStringLiteral("Version " NOCTARIS_VERSION "\n")));
    EXPECT_TRUE(about::CreditsText().startsWith(QStringLiteral("Desktop-Planetarium\n")));
    for (const char* name : {"credits", "acknowledgement"}) {
        QLabel* label = Child<QLabel>(w, name);
        const QFontMetrics fm(label->font());
        const QStringList lines = label->text().split('\n');
        for (const QString& line : lines)
            EXPECT_LE(fm.horizontalAdvance(line), label->width()) << line.toStdString();
        EXPECT_LE(fm.height() * lines.size(), label->height() + fm.leading() + 2) << name;
    }
    // A planet that never sets stays visible; one that never rises is not visible.
    EXPECT_EQ(RiseSetShown(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysAbove = true}), QStringLiteral("sichtbar"));
    EXPECT_EQ(RiseSetShown(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysBelow = true}), QStringLiteral("unsichtbar"));
    EXPECT_EQ(RiseSetShown(6.5, {}), QStringLiteral("6h30m"));
    EXPECT_EQ(FrameShown("J2000"), QStringLiteral("J2000"));
    speakEnglish();
    EXPECT_EQ(about::CreditsText(), QStringLiteral("Desktop planetarium\nVersion " NOCTARIS_VERSION
                                                   "\nLicence GPL-3.0+\nSources: CREDITS.md"));
    EXPECT_EQ(RiseSetShown(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysBelow = true}), QStringLiteral("not visible"));
    EXPECT_EQ(RiseSetShown(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysAbove = true}), QStringLiteral("visible"));
}

}  // namespace
