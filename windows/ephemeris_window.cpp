#include "windows/ephemeris_window.h"

#include <algorithm>
#include <exception>

#include <QCoreApplication>
#include <QEvent>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "astro/reports/ephemeris_table.h"
#include "astro/theories/planets.h"
#include "platform/format.h"
#include "windows/wincommon.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {
namespace {

// The row labels, shown in the user's language.
const char* const kRowLabels[kEphemRows] = {
    "",
    QT_TRANSLATE_NOOP("EphemerisTable", "Helioc. longitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Helioc. latitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Radius vector"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Distance"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Light time"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Geoc. longitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Geoc. latitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Right ascension"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Declination"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Diameter"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Magnitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Rise"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Set"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Constellation"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Azimuth"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Altitude"),
    QT_TRANSLATE_NOOP("EphemerisTable", "Visibility")};

// Grid geometry. The planet columns are narrower than the label column so that all seven
// planets fit the grid's width (at 106 pixels each Neptune would fall outside it).
constexpr int kLabelColumnWidth = 107;  // including the grid line
constexpr int kPlanetColumnWidth = 91;
constexpr int kRowHeight = 21;          // 20 + grid line

// Widens each column (never below its designed width) and heightens the rows until every text
// fits its cell, and sizes the table to show all of them, so longer translations and larger
// fonts fit.
void FitTable(QTableWidget* table) {
    const QFontMetrics fm(table->font());
    int width = 0, height = 0;
    for (int c = 0; c < table->columnCount(); ++c) {
        int w = c == 0 ? kLabelColumnWidth : kPlanetColumnWidth;
        for (int r = 0; r < table->rowCount(); ++r)
            if (const QTableWidgetItem* item = table->item(r, c))
                w = std::max(w, fm.horizontalAdvance(item->text()) + 10);
        if (table->columnWidth(c) != w) table->setColumnWidth(c, w);
        width += w;
    }
    const int rowHeight = std::max(kRowHeight, fm.height() + 5);
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->rowHeight(r) != rowHeight) table->setRowHeight(r, rowHeight);
        height += rowHeight;
    }
    table->setFixedSize(width, height);
}

QString Degrees(double value) { return Format(QStringLiteral("%.2f°"), {value}); }
QString AU(double value) {
    return Format(QCoreApplication::translate("EphemerisTable", "%.2f AU"), {value});
}

constexpr double kDegreesPerHour = 15;

// A rising or setting time of the table (local clock hours of the day beginning at jdMidnight)
// as UTC and local instants; nothing when there is none.
void AddRiseSet(exports::Record& r, const char* utcName, const char* localName, double jdMidnight,
                const std::optional<double>& hours, const ZoneDescription& clock) {
    const bool occurs = hours.has_value();
    const double jd = jdMidnight + hours.value_or(0) / 24;
    const double zone = std::isfinite(jd) ? OffsetHoursAt(clock, Instant::FromUT(jd)) : clock.standardOffsetHours;
    r.push_back({utcName, occurs ? exports::IsoUtc(jd) : exports::Value()});
    r.push_back({localName, occurs ? exports::IsoLocal(jd, zone) : exports::Value()});
}

}  // namespace

EphemerisMomentTable ComputeEphemerisTable(const EphemerisSnapshot& snapshot,
                                           const ObserverState& observer, bool precise) {
    EphemerisMomentTable t;
    t.jdMidnight =
        LocalMidnightJD(snapshot.Year, snapshot.Month, snapshot.Day, snapshot.TimeZone);
    t.jdInstant =
        t.jdMidnight + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 + snapshot.Second / 86400.0;
    // The Earth's pass fills only the hidden label; Mercury's column follows in column 1.
    static_cast<EphemerisTableValues&>(t) =
        ComputeEphemerisTable(t.jdInstant, t.jdMidnight, observer.Latitude,
                              observer.Longitude, snapshot.TimeZone, precise);
    return t;
}

EphemerisTableTexts BuildEphemerisTable(const EphemerisSnapshot& snapshot,
                                        const ObserverState& observer, bool precise) {
    EphemerisTableTexts t;
    if (precise) t.cells[0][0] = FrameShown(FrameLabel(true));
    for (int c = 1; c < kEphemCols; ++c)
        t.cells[0][c] = QCoreApplication::translate("Planet", BodyName(kObservedPlanets[c - 1]));
    for (int r = 1; r < kEphemRows; ++r)
        t.cells[r][0] = QCoreApplication::translate("EphemerisTable", kRowLabels[r]);

    const EphemerisMomentTable values = ComputeEphemerisTable(snapshot, observer, precise);
    t.earthLongitude = Degrees(values.earth.rec.HelioLongitude);

    for (int c = 1; c < kEphemCols; ++c) {
        const EphemerisColumnValues& v = values.planets[c - 1];
        const PlanetEphemerisRecord& p = v.rec;
        auto& col = t.cells;
        col[1][c] = Degrees(p.HelioLongitude);
        col[2][c] = Degrees(p.HelioLatitude);
        col[3][c] = AU(p.RadiusVector);
        col[4][c] = AU(p.Distance);
        col[5][c] = Format(QCoreApplication::translate("EphemerisTable", "%d min %d s"),
                           {v.lightSeconds / 60, v.lightSeconds % 60});
        col[6][c] = Degrees(p.GeoLongitude);
        col[7][c] = Degrees(p.GeoLatitude);
        const SignedSixtieths ra = SplitSixtieths(p.RAHours + p.RAMinutes / 60);
        col[8][c] = Format(QStringLiteral("%.0fh %.1fm"), {ra.whole, ra.sixtieths});
        const SignedSixtieths dec = SplitSixtieths(p.DecDegrees + p.DecMinutes / 60);
        col[9][c] = (dec.negative ? QStringLiteral("-") : QString()) +
                    Format(QStringLiteral("%.0f° %.1f'"), {dec.whole, dec.sixtieths});
        col[10][c] = Format(QStringLiteral("%.2f"), {p.Diameter}) + QLatin1Char('"');
        col[11][c] = Format(QStringLiteral("%.2fm"), {p.Magnitude});
        const RiseSet shown = RiseSetOnOwnClock(v.riseSet, snapshot.ClockZone(), values.jdMidnight, snapshot.TimeZone);
        col[12][c] = RiseSetShown(shown.rise, shown);
        col[13][c] = RiseSetShown(shown.set, shown);
        col[14][c] = QString::fromStdString(ZodiacConstellation(p.GeoLongitude / 15));
        col[15][c] = QString::fromStdString(FormatDegMin(v.azimuth));
        col[16][c] = QString::fromStdString(FormatDegMin(v.altitude));
        col[17][c] = VisibilityText(v.altitude >= 0);
        t.lastSiderealTime = v.lst;
    }
    return t;
}

void AddPlanetFields(exports::Record& r, const QString& planet, const PlanetEphemerisRecord& p,
                     long long lightSeconds, const RiseSet& riseSet, double jdMidnight,
                     const ZoneDescription& clock) {
    using namespace exports;
    r.push_back({"planet", planet});
    r.push_back({"helio_longitude_deg", Number(p.HelioLongitude)});
    r.push_back({"helio_latitude_deg", Number(p.HelioLatitude)});
    r.push_back({"radius_vector_au", Number(p.RadiusVector)});
    r.push_back({"distance_au", Number(p.Distance)});
    r.push_back({"light_time_s", lightSeconds});
    r.push_back({"geo_longitude_deg", Number(p.GeoLongitude)});
    r.push_back({"geo_latitude_deg", Number(p.GeoLatitude)});
    r.push_back({"right_ascension_deg", Number((p.RAHours + p.RAMinutes / 60) * kDegreesPerHour)});
    r.push_back({"declination_deg", Number(p.DecDegrees + p.DecMinutes / 60)});
    r.push_back({"diameter_arcsec", Number(p.Diameter)});
    r.push_back({"magnitude", Number(p.Magnitude)});
    AddRiseSet(r, "rise_utc", "rise_local", jdMidnight, riseSet.rise, clock);
    AddRiseSet(r, "set_utc", "set_local", jdMidnight, riseSet.set, clock);
}

std::vector<exports::Record> EphemerisRecords(const EphemerisSnapshot& snapshot,
                                              const ObserverState& observer, bool precise) {
    using namespace exports;
    const EphemerisMomentTable t = ComputeEphemerisTable(snapshot, observer, precise);
    const double zone = snapshot.TimeZone;
    std::vector<Record> records;
    for (int i = 0; i < static_cast<int>(t.planets.size()); ++i) {
        const EphemerisColumnValues& v = t.planets[static_cast<std::size_t>(i)];
        const PlanetEphemerisRecord& p = v.rec;
        Record r = MomentFields(t.jdInstant, zone);
        AddFrame(r, precise);
        AddPlanetFields(r, QString::fromLatin1(BodyName(kObservedPlanets[static_cast<std::size_t>(i)])), p, v.lightSeconds, v.riseSet,
                        t.jdMidnight, snapshot.ClockZone());
        r.push_back({"constellation", QString::fromStdString(ZodiacConstellation(p.GeoLongitude / 15))});
        r.push_back({"azimuth_deg", Number(v.azimuth)});
        r.push_back({"altitude_deg", Number(v.altitude)});
        r.push_back({"visible", v.altitude >= 0});
        records.push_back(std::move(r));
    }
    return records;
}

EphemerisWindow::EphemerisWindow(const ObserverState& observer, SaveFilePrompt askFile, QWidget* parent)
    : QDialog(parent), observer_(observer), askFile_(std::move(askFile)) {
    setObjectName(QStringLiteral("EphemerisWindow"));
    setWindowTitle(tr("Ephemeris table"));
    // Single border, only the system menu: no resizing, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    SetWhiteBackground(this);

    table_ = new QTableWidget(kEphemRows, kEphemCols, this);
    table_->setObjectName(QStringLiteral("table"));
    table_->setFont(WindowFont(12));
    table_->setFrameShape(QFrame::NoFrame);
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideNone);
    table_->horizontalHeader()->setMinimumSectionSize(1);
    table_->verticalHeader()->setMinimumSectionSize(1);
    table_->setColumnWidth(0, kLabelColumnWidth);
    for (int c = 1; c < kEphemCols; ++c) table_->setColumnWidth(c, kPlanetColumnWidth);
    for (int r = 0; r < kEphemRows; ++r) table_->setRowHeight(r, kRowHeight);
    for (int r = 0; r < kEphemRows; ++r)
        for (int c = 0; c < kEphemCols; ++c) table_->setItem(r, c, new QTableWidgetItem());

    earthLongitudeLabel_ = new QLabel(this);
    earthLongitudeLabel_->setObjectName(QStringLiteral("earthLongitudeLabel"));
    earthLongitudeLabel_->setVisible(false);

    // Under the grid's right edge; the window is as large as the grid needs, and no larger.
    exportButton_ = new QPushButton(tr("Export…"), this);
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    exportButton_->setFont(WindowFont(12));
    exportButton_->setMinimumSize(105, 25);
    exportButton_->setAutoDefault(false);
    FitTable(table_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(earthLongitudeLabel_);
    buttons->addStretch(1);
    buttons->addWidget(exportButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(15);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(table_);
    column->addLayout(buttons);
    column->activate();  // sized before it is first shown, for its placement
    connect(exportButton_, &QPushButton::clicked, this, &EphemerisWindow::exportTable);
}

void EphemerisWindow::exportTable() {
    const EphemerisSnapshot moment = snapshot_;
    const SaveFileRequest request{
        tr("Export the ephemeris table"), QString(),
        QStringLiteral("ephemeris-%1-%2-%3-%4%5.csv")
            .arg(moment.Year, 4, 10, QLatin1Char('0'))
            .arg(moment.Month, 2, 10, QLatin1Char('0'))
            .arg(moment.Day, 2, 10, QLatin1Char('0'))
            .arg(moment.Hour, 2, 10, QLatin1Char('0'))
            .arg(moment.Minute, 2, 10, QLatin1Char('0')),
        {{QStringLiteral("CSV"), QStringLiteral("csv")}}};
    ExportToFile(this, askFile_, request,
                 [&](const QString&) { return exports::ToCsv(EphemerisRecords(moment, observer_, moment.Precise)); });
}

void EphemerisWindow::setCell(int row, int column, const QString& text) {
    table_->item(row, column)->setText(text);
}

void EphemerisWindow::setCellIfChanged(int row, int column, const QString& text) {
    QTableWidgetItem* item = table_->item(row, column);
    if (item->text() != text) item->setText(text);
}

void EphemerisWindow::refresh() {
    try {
        const EphemerisTableTexts t = BuildEphemerisTable(snapshot_, observer_, snapshot_.Precise);
        for (int c = 0; c < kEphemCols; ++c) setCell(0, c, t.cells[0][c]);  // with the frame's name
        for (int r = 1; r < kEphemRows; ++r) setCell(r, 0, t.cells[r][0]);
        earthLongitudeLabel_->setText(t.earthLongitude);
        for (int c = 1; c < kEphemCols; ++c) {
            for (int r = 1; r <= 13; ++r) setCellIfChanged(r, c, t.cells[r][c]);
            for (int r = 14; r < kEphemRows; ++r) setCell(r, c, t.cells[r][c]);
        }
        FitTable(table_);
    } catch (const std::exception& e) {
        ReportFailure(this, QString::fromUtf8(e.what()));
    }
}

bool EphemerisWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) refresh();
    return QDialog::event(e);
}

void EphemerisWindow::showEvent(QShowEvent* e) {
    // Not every platform activates a window it shows; fill the table in any case.
    refresh();
    QDialog::showEvent(e);
}

}  // namespace noctaris
