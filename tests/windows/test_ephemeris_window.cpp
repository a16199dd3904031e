#include "windows/ephemeris_window.h"
#include "windows/wincommon.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>

namespace noctaris {
namespace {

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
                                "Helioc.length", "Helioc.width", "Radius vector", "Distance a",
                                "Radiaded light", "Geoc.length", "Geoc.width", "Right ascension",
                                "Declination", "Diameter", "Vis.brightness", "Rise time", "Set time",
                                "Constellation", "Azimuth", "Height", "Visibility"};
    for (int r = 0; r < kEphemRows; ++r) EXPECT_EQ(t.cells[r][0], labels[r]);
}

TEST_F(EphemTable, ChemnitzDecemberEveningTexts) {
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    const int saturn = Col(t, "Saturn"), jupiter = Col(t, "Jupiter"), venus = Col(t, "Venus"),
              neptune = Col(t, "Neptune"), mercury = Col(t, "Mercury");

    // Saturn in Pisces, up in the south-west.
    EXPECT_EQ(t.cells[8][saturn], "0h 30.1");
    EXPECT_EQ(t.cells[9][saturn], "0° 28.0'");
    EXPECT_EQ(t.cells[14][saturn], "Pisces");
    EXPECT_EQ(t.cells[17][saturn], "visible");
    EXPECT_EQ(t.cells[5][saturn], "75 min 1 s");
    // Jupiter in Leo, rising late in the evening, still below the horizon.
    EXPECT_EQ(t.cells[12][jupiter], "21h50m");
    EXPECT_EQ(t.cells[14][jupiter], "Leo");
    EXPECT_EQ(t.cells[17][jupiter], "unvisible");
    EXPECT_EQ(t.cells[11][jupiter], "-1.88m");
    // Venus a bright morning star in Virgo.
    EXPECT_EQ(t.cells[12][venus], "3h52m");
    EXPECT_EQ(t.cells[14][venus], "Virgo");
    EXPECT_EQ(t.cells[11][venus], "-4.38m");
    EXPECT_EQ(t.cells[10][venus], "35.19\"");
    EXPECT_EQ(t.cells[17][venus], "unvisible");
    // Neptune stands just south of the equator: the degrees read 0, the sign goes in front.
    EXPECT_EQ(t.cells[9][neptune], "-0° -49.0'");
    EXPECT_EQ(t.cells[9][mercury], "-19° -49.3'");

    const QRegularExpression deg(R"(^-?\d+\.\d\d°$)"), au(R"(^\d+\.\d\d AU$)"),
        light(R"(^\d+ min \d{1,2} s$)"), ra(R"(^\d{1,2}h \d{1,2}\.\d$)"),
        riseSet(R"(^(\d+h\d+m|visible|unvisible)$)"), degMin(R"(^-?\d+°\d+'$)");
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
    EXPECT_EQ(t.cells[8][saturn], "0h 30,1");
    EXPECT_EQ(t.cells[9][neptune], "-0° -49,0'");
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
    EXPECT_EQ(w.size(), QSize(782, 417));
    ASSERT_NE(w.findChild<QTableWidget*>("SG1"), nullptr);
    ASSERT_NE(w.findChild<QLabel*>("Label1"), nullptr);
    EXPECT_EQ(w.SG1->geometry(), QRect(16, 16, 749, 381));
    EXPECT_EQ(w.SG1->rowCount(), kEphemRows);
    EXPECT_EQ(w.SG1->columnCount(), kEphemCols);
    EXPECT_FALSE(w.isVisible());  // created hidden

    w.Snapshot() = Snap();
    w.show();  // showing fills the table
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    for (int r = 0; r < kEphemRows; ++r)
        for (int c = 0; c < kEphemCols; ++c)
            EXPECT_EQ(w.SG1->item(r, c)->text(), t.cells[r][c]) << r << "," << c;
    EXPECT_EQ(w.Label1->text(), t.earthLongitude);
    EXPECT_FALSE(w.Label1->isVisible());

    // Every planet column lies inside the grid, and every text fits its cell.
    const QFontMetrics fm(w.SG1->font());
    int right = 0;
    for (int c = 0; c < kEphemCols; ++c) {
        right = w.SG1->columnViewportPosition(c) + w.SG1->columnWidth(c);
        for (int r = 0; r < kEphemRows; ++r)
            EXPECT_LE(fm.horizontalAdvance(t.cells[r][c]) + 6, w.SG1->columnWidth(c))
                << t.cells[r][c].toStdString();
    }
    EXPECT_LE(right, w.SG1->width());
    EXPECT_LE(w.SG1->rowViewportPosition(kEphemRows - 1) + w.SG1->rowHeight(kEphemRows - 1),
              w.SG1->height());

    const QString grabDir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!grabDir.isEmpty()) w.grab().save(QDir(grabDir).filePath("ephem_chemnitz_2026-12-07.png"));

    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.testAttribute(Qt::WA_DeleteOnClose));
}

TEST_F(EphemTable, RefreshRewritesOnlyChangedCells) {
    EphemerisWindow w(observer_);
    w.Snapshot() = Snap();
    w.FormActivate();

    QSet<int> changedRows;  // rows 1..13 of the planet columns touched by a refresh
    QObject::connect(w.SG1->model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& tl, const QModelIndex& br) {
                         for (int r = tl.row(); r <= br.row(); ++r)
                             if (r >= 1 && r <= 13 && br.column() >= 1) changedRows.insert(r);
                     });
    w.FormActivate();  // same moment: nothing to rewrite
    EXPECT_TRUE(changedRows.isEmpty());

    // The chart moves on a day: the main window writes the snapshot and refreshes.
    observer_.Day = 8;
    w.Snapshot() = Snap();
    w.FormActivate();
    EXPECT_TRUE(changedRows.contains(1));   // heliocentric longitude
    EXPECT_TRUE(changedRows.contains(6));   // geocentric longitude
    const EphemerisTableTexts t = BuildEphemerisTable(Snap(), observer_);
    for (int r = 1; r < kEphemRows; ++r)
        for (int c = 1; c < kEphemCols; ++c) EXPECT_EQ(w.SG1->item(r, c)->text(), t.cells[r][c]);

    // The observer's place is read at each refresh, not copied into the snapshot.
    observer_.Latitude = -80;
    w.FormActivate();
    EXPECT_EQ(w.SG1->item(12, 4)->text(), "unvisible");  // Jupiter from far south
}

}  // namespace
}  // namespace noctaris
