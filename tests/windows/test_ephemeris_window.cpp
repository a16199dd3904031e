#include "windows/ephemeris_window.h"
#include "windows/wincommon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "export_tests.h"
#include "window_tests.h"

namespace noctaris {
namespace {

using test::Child;

class EphemTable : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        noctaris::SetDialogsAllowed(false);
        // Chemnitz, 7 December 2026, 21:30 local standard time.
        observer_.PlaceName = "Chemnitz, D";
        observer_.Latitude = 50.836667;
        observer_.Longitude = 12.854444;
        observer_.TimeZone = 1;
        observer_.Year = 2026, observer_.Month = 12, observer_.Day = 7;
        observer_.Hour = 21, observer_.Minute = 30, observer_.Second = 0;
    }
    void TearDown() override { QLocale::setDefault(saved_); }

    EphemerisSnapshot Snap() const { return {MomentSnapshot::Of(observer_)}; }

    // Column of a planet in the grid (row 0 holds the names).
    static int Col(const EphemerisTableTexts& t, const char* planet) {
        for (int c = 1; c < kEphemCols; ++c)
            if (t.cells[0][c] == QLatin1String(planet)) return c;
        return -1;
    }

    QLocale saved_;
    ObserverState observer_;
};

TEST_F(EphemTable, LayoutOfLabelsAndNames) {
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    const QStringList names = {"", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    for (int c = 0; c < kEphemCols; ++c) EXPECT_EQ(t.cells[0][c], names[c]);
    const QStringList labels = {"",
                                "Helioc. longitude", "Helioc. latitude", "Radius vector", "Distance",
                                "Light time", "Geoc. longitude", "Geoc. latitude", "Right ascension",
                                "Declination", "Diameter", "Magnitude", "Rise", "Set",
                                "Constellation", "Azimuth", "Altitude", "Visibility"};
    for (int r = 0; r < kEphemRows; ++r) EXPECT_EQ(t.cells[r][0], labels[r]);
}

TEST_F(EphemTable, ChemnitzDecemberEveningTexts) {
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    const int saturn = Col(t, "Saturn"), jupiter = Col(t, "Jupiter"), venus = Col(t, "Venus"),
              neptune = Col(t, "Neptune"), mercury = Col(t, "Mercury");

    // Saturn in Pisces, up in the south-west.
    EXPECT_EQ(t.cells[8][saturn], "0h 30.1m");
    EXPECT_EQ(t.cells[9][saturn], "0° 28.0'");
    EXPECT_EQ(t.cells[14][saturn], "Pisces");
    EXPECT_EQ(t.cells[17][saturn], "visible");
    EXPECT_EQ(t.cells[5][saturn], "75 min 1 s");
    // Jupiter in Leo, rising late in the evening, still below the horizon.
    EXPECT_EQ(t.cells[12][jupiter], "21h50m");  // PyEphem (centre at -34'): 21:48.6
    EXPECT_EQ(t.cells[14][jupiter], "Leo");
    EXPECT_EQ(t.cells[17][jupiter], "not visible");
    EXPECT_EQ(t.cells[11][jupiter], "-2.24m");  // Mallama & Hilton: -2.24
    // Venus a bright morning star in Virgo.
    EXPECT_EQ(t.cells[12][venus], "3h53m");  // PyEphem (centre at -34'): 03:53.5
    EXPECT_EQ(t.cells[14][venus], "Virgo");
    EXPECT_EQ(t.cells[11][venus], "-4.82m");  // Mallama & Hilton: -4.82
    EXPECT_EQ(t.cells[10][venus], "35.19\"");
    EXPECT_EQ(t.cells[17][venus], "not visible");
    // Neptune stands just south of the equator: the degrees read 0, the sign goes in front,
    // once (no negative part after a whole one).
    EXPECT_EQ(t.cells[9][neptune], "-0° 49.0'");
    EXPECT_EQ(t.cells[9][mercury], "-19° 49.3'");

    const QRegularExpression deg(R"(^-?\d+\.\d\d°$)"), au(R"(^\d+\.\d\d AU$)"),
        light(R"(^\d+ min \d{1,2} s$)"), ra(R"(^\d{1,2}h \d{1,2}\.\dm$)"),
        riseSet(R"(^(\d+h\d+m|visible|not visible)$)"), degMin(R"(^-?\d+°\d+'$)");
    for (int c = 1; c < kEphemCols; ++c) {
        SCOPED_TRACE(t.cells[0][c].toStdString());
        for (int r : {1, 2, 6, 7}) EXPECT_TRUE(deg.match(t.cells[r][c]).hasMatch()) << t.cells[r][c].toStdString();
        for (int r : {3, 4}) EXPECT_TRUE(au.match(t.cells[r][c]).hasMatch()) << t.cells[r][c].toStdString();
        EXPECT_TRUE(light.match(t.cells[5][c]).hasMatch()) << t.cells[5][c].toStdString();
        EXPECT_TRUE(ra.match(t.cells[8][c]).hasMatch()) << t.cells[8][c].toStdString();
        for (int r : {12, 13}) EXPECT_TRUE(riseSet.match(t.cells[r][c]).hasMatch()) << t.cells[r][c].toStdString();
        for (int r : {15, 16}) EXPECT_TRUE(degMin.match(t.cells[r][c]).hasMatch()) << t.cells[r][c].toStdString();
        // The visibility follows the sign of the altitude.
        EXPECT_EQ(t.cells[17][c] == "visible", !t.cells[16][c].startsWith('-'));
    }
    EXPECT_TRUE(deg.match(t.earthLongitude).hasMatch());
    EXPECT_EQ(t.earthLongitude, "75.37°");
}

TEST_F(EphemTable, NumbersFollowTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    const int saturn = Col(t, "Saturn"), neptune = Col(t, "Neptune");
    EXPECT_EQ(t.cells[8][saturn], "0h 30,1m");
    EXPECT_EQ(t.cells[9][neptune], "-0° 49,0'");
    EXPECT_TRUE(t.cells[3][saturn].endsWith(" AU"));
    EXPECT_TRUE(t.cells[3][saturn].contains(','));
    EXPECT_EQ(t.earthLongitude, "75,37°");
}

TEST_F(EphemTable, NoNonsenseAnywhere) {
    // Poles, the equator, far zones and odd moments: never a NaN, an infinity or an empty cell.
    const QRegularExpression bad(QStringLiteral("nan|inf"), QRegularExpression::CaseInsensitiveOption);
    for (double lat : {-90.0, -66.5, 0.0, 89.9, 90.0})
        for (double zone : {-12.0, 0.0, 5.75, 14.0})
            for (int year : {1582, 1900, 2026, 2100}) {
                observer_.Latitude = lat;
                observer_.TimeZone = zone;
                observer_.Year = year;
                observer_.Hour = 23, observer_.Minute = 59, observer_.Second = 59;
                const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
                for (int r = 1; r < kEphemRows; ++r)
                    for (int c = 1; c < kEphemCols; ++c) {
                        EXPECT_FALSE(t.cells[r][c].isEmpty()) << r << "," << c;
                        EXPECT_FALSE(bad.match(t.cells[r][c]).hasMatch())
                            << lat << " " << zone << " " << year << ": " << t.cells[r][c].toStdString();
                    }
            }
}

TEST_F(EphemTable, WindowShowsTheTableAndHidesOnClose) {
    EphemerisWindow w(observer_);
    EXPECT_EQ(w.windowTitle(), "Ephemeris table");
    QTableWidget* const table = Child<QTableWidget>(w, "table");
    QLabel* const earthLongitude = Child<QLabel>(w, "earthLongitudeLabel");
    // "Export…" under the grid's right edge, inside the window, its caption fitting.
    QPushButton* const exportButton = Child<QPushButton>(w, "exportButton");
    EXPECT_EQ(exportButton->text(), QString::fromUtf8("Export…"));
    EXPECT_GT(exportButton->y(), table->geometry().bottom());
    int gridWidth = 0;
    for (int c = 0; c < kEphemCols; ++c) gridWidth += table->columnWidth(c);
    EXPECT_EQ(exportButton->x() + exportButton->width(), table->x() + gridWidth);
    EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(exportButton->geometry()));
    EXPECT_GE(exportButton->width(), exportButton->sizeHint().width());
    EXPECT_EQ(table->rowCount(), kEphemRows);
    EXPECT_EQ(table->columnCount(), kEphemCols);
    EXPECT_FALSE(w.isVisible());  // created hidden

    w.snapshot() = Snap();
    w.show();  // showing fills the table
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    for (int r = 0; r < kEphemRows; ++r)
        for (int c = 0; c < kEphemCols; ++c)
            EXPECT_EQ(table->item(r, c)->text(), t.cells[r][c]) << r << "," << c;
    EXPECT_EQ(earthLongitude->text(), t.earthLongitude);
    EXPECT_FALSE(earthLongitude->isVisible());

    // Every planet column lies inside the grid, and every text fits its cell.
    const QFontMetrics fm(table->font());
    int right = 0;
    for (int c = 0; c < kEphemCols; ++c) {
        right = table->columnViewportPosition(c) + table->columnWidth(c);
        for (int r = 0; r < kEphemRows; ++r)
            EXPECT_LE(fm.horizontalAdvance(t.cells[r][c]) + 6, table->columnWidth(c))
                << t.cells[r][c].toStdString();
    }
    EXPECT_LE(right, table->width());
    EXPECT_LE(table->rowViewportPosition(kEphemRows - 1) + table->rowHeight(kEphemRows - 1),
              table->height());

    const QString grabDir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!grabDir.isEmpty()) w.grab().save(QDir(grabDir).filePath("ephemeris_chemnitz_2026-12-07.png"));

    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.testAttribute(Qt::WA_DeleteOnClose));
}

TEST_F(EphemTable, RefreshRewritesOnlyChangedCells) {
    EphemerisWindow w(observer_);
    QTableWidget* const table = Child<QTableWidget>(w, "table");
    w.snapshot() = Snap();
    w.refresh();

    QSet<int> changedRows;  // rows 1..13 of the planet columns touched by a refresh
    QObject::connect(table->model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& tl, const QModelIndex& br) {
                         for (int r = tl.row(); r <= br.row(); ++r)
                             if (r >= 1 && r <= 13 && br.column() >= 1) changedRows.insert(r);
                     });
    w.refresh();  // same moment: nothing to rewrite
    EXPECT_TRUE(changedRows.isEmpty());

    // The chart moves on a day: the main window writes the snapshot and refreshes.
    observer_.Day = 8;
    w.snapshot() = Snap();
    w.refresh();
    EXPECT_TRUE(changedRows.contains(1));   // heliocentric longitude
    EXPECT_TRUE(changedRows.contains(6));   // geocentric longitude
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    for (int r = 1; r < kEphemRows; ++r)
        for (int c = 1; c < kEphemCols; ++c) EXPECT_EQ(table->item(r, c)->text(), t.cells[r][c]);

    // The observer's place is read at each refresh, not copied into the snapshot.
    observer_.Latitude = -80;
    w.refresh();
    EXPECT_EQ(table->item(12, 4)->text(), "not visible");  // Jupiter from far south
}

// The CSV rows of a file by planet, each a map of field to text (no field here needs quotes).
std::map<QString, std::map<QString, QString>> CsvByPlanet(const QByteArray& csv) {
    QList<QByteArray> rows = csv.split('\n');
    std::map<QString, std::map<QString, QString>> out;
    if (rows.isEmpty()) return out;
    const QStringList header = QString::fromUtf8(rows.takeFirst()).trimmed().split(',');
    for (const QByteArray& row : rows) {
        const QStringList fields = QString::fromUtf8(row).trimmed().split(',');
        if (fields.size() != header.size()) continue;
        std::map<QString, QString> r;
        for (int i = 0; i < header.size(); ++i) r[header[i]] = fields[i];
        out[r["planet"]] = r;
    }
    return out;
}

TEST_F(EphemTable, ExportWritesTheShownMomentAsTheCommandLinesCsv) {
    QTemporaryDir dir;
    test::FakePrompt answer{dir.filePath("night.csv"), "CSV (*.csv)"};
    EphemerisWindow w(observer_, answer.prompt());
    w.snapshot() = Snap();
    w.refresh();
    Child<QPushButton>(w, "exportButton")->click();
    ASSERT_EQ(answer.asked.size(), 1u);
    EXPECT_EQ(answer.asked[0].fileName, "ephemeris-2026-12-07-2130.csv");
    QFile f(answer.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    ASSERT_TRUE(csv.startsWith("utc,local,planet,helio_longitude_deg,")) << csv.left(200).toStdString();

    // The evening in plain units, against python3-ephem (J2000, altitudes without refraction):
    // Saturn at 0h31m48s +0°38.9' (7.95°, 0.65°), 4490 s of light time, 34.4° up; Jupiter
    // 3.3° below the horizon, its centre rising through 0° at 20:52:29 UT. The table's theory is
    // good to some tenths of a degree and two minutes.
    auto planets = CsvByPlanet(csv);
    ASSERT_EQ(planets.size(), 7u);
    auto& saturn = planets["Saturn"];
    EXPECT_EQ(saturn["utc"], "2026-12-07T20:30:00Z");
    EXPECT_EQ(saturn["local"], "2026-12-07T21:30:00+01:00");
    EXPECT_NEAR(saturn["right_ascension_deg"].toDouble(), 7.95, 0.5);
    EXPECT_NEAR(saturn["declination_deg"].toDouble(), 0.65, 0.3);
    EXPECT_NEAR(saturn["light_time_s"].toDouble(), 4490, 30);
    EXPECT_NEAR(saturn["altitude_deg"].toDouble(), 34.4, 1.0);
    EXPECT_EQ(saturn["constellation"], "Pisces");
    EXPECT_EQ(saturn["visible"], "true");
    auto& jupiter = planets["Jupiter"];
    const QDateTime rise = QDateTime::fromString(jupiter["rise_utc"], Qt::ISODate);
    ASSERT_TRUE(rise.isValid()) << jupiter["rise_utc"].toStdString();
    EXPECT_LE(std::abs(rise.secsTo(QDateTime(QDate(2026, 12, 7), QTime(20, 48, 36), Qt::UTC))), 120);
    EXPECT_EQ(QDateTime::fromString(jupiter["rise_local"], Qt::ISODate), rise) << "the same instant";
    EXPECT_TRUE(jupiter["rise_local"].endsWith("+01:00"));
    EXPECT_NEAR(jupiter["altitude_deg"].toDouble(), -3.3, 0.5);
    EXPECT_EQ(jupiter["visible"], "false");

    if (test::CliProgram().isEmpty()) GTEST_SKIP() << "NOCTARIS_CLI not set: not compared with noctaris-cli";
    EXPECT_EQ(csv, test::RunProgram(test::CliProgram(), {"ephemeris", "--place", "Chemnitz, D", "--date",
                                                         "2026-12-07", "--time", "21:30", "--format", "csv"}));
}

TEST_F(EphemTable, AFailedExportIsReportedAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/night.csv");
    test::FakePrompt answer{path, ""};
    EphemerisWindow w(observer_, answer.prompt());
    w.snapshot() = Snap();
    test::CapturedFailures failures;
    Child<QPushButton>(w, "exportButton")->click();
    ASSERT_EQ(failures.reports().size(), 1);
    EXPECT_TRUE(failures.reports()[0].startsWith("Ephemeris table: "));
    EXPECT_TRUE(failures.reports()[0].contains(path)) << failures.reports()[0].toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
}  // namespace noctaris
