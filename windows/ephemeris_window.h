#pragma once
// The ephemeris table: one column per planet from Mercury to Neptune with seventeen quantities
// (heliocentric and geocentric places, distances, light time, right ascension and declination,
// diameter, magnitude, rising and setting, zodiacal constellation, azimuth, altitude and
// visibility) for the chart's place and moment.
//
// The window lives from program start to end; closing it only hides it. The main window writes
// the chart's moment into snapshot() before showing it and before each refresh, then calls
// refresh(); the place comes straight from the ObserverState it was given.
#include <array>
#include <vector>

#include <QDialog>
#include <QString>

#include "astro/reports/ephemeris_table.h"
#include "chart/state.h"
#include "windows/exports.h"
#include "windows/exports_dialog.h"
#include "windows/snapshots.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace noctaris {

inline constexpr int kEphemRows = 18;
inline constexpr int kEphemCols = 8;

// The grid's texts: cells[row][column]; column 0 holds the labels, row 0 the planet names.
struct EphemerisTableTexts {
    std::array<std::array<QString, kEphemCols>, kEphemRows> cells;
    QString earthLongitude;  // the hidden label: Earth's heliocentric longitude
    double lastSiderealTime = 0;
};

// The table's numbers for a snapshot: the Earth's pass and the columns of Mercury to Neptune,
// with the instants they were computed for.
struct EphemerisMomentTable : EphemerisTableValues {
    double jdMidnight = 0;  // Julian day of local midnight of the snapshot's date
    double jdInstant = 0;   // Julian day of the snapshot's moment
};
EphemerisMomentTable ComputeEphemerisTable(const EphemerisSnapshot& snapshot,
                                           const ObserverState& observer, bool precise = false);

// The table for the snapshot's moment and the observer's place, numbers in QLocale(). The
// precise table names its frame ("apparent of date") in the top-left cell, empty otherwise.
EphemerisTableTexts BuildEphemerisTable(const EphemerisSnapshot& snapshot,
                                        const ObserverState& observer, bool precise = false);

// The table as records for CSV and JSON, one per planet from Mercury to Neptune: the moment
// (ISO 8601 UTC and local standard time), the planet, then its quantities with the unit in
// the field's name (degrees, AU, seconds), rising and setting as instants (none when the
// planet does not rise or set that day), and whether it is above the horizon. The precise
// records carry a "frame" field ("apparent of date") after the moment; the classic ones none.
// The fields of one planet that the table's records share with `noctaris-cli planet`: its name,
// heliocentric and geocentric coordinates, distances, light time, diameter and magnitude, then
// rising and setting (local clock hours of the day that begins at jdMidnight, a Julian day; none
// gives empty instants), each local instant on the clock kept at it.
void AddPlanetFields(exports::Record& r, const QString& planet, const PlanetEphemerisRecord& p,
                     long long lightSeconds, const RiseSet& riseSet, double jdMidnight,
                     const ZoneDescription& clock);
std::vector<exports::Record> EphemerisRecords(const EphemerisSnapshot& snapshot,
                                              const ObserverState& observer, bool precise = false);

class EphemerisWindow : public QDialog {
    Q_OBJECT
public:
    // askFile: asks where "Export…" writes (empty: the file dialog).
    explicit EphemerisWindow(const ObserverState& observer, SaveFilePrompt askFile = {},
                             QWidget* parent = nullptr);

    // The moment shown; written by the main window before refresh().
    EphemerisSnapshot& snapshot() { return snapshot_; }
    const EphemerisSnapshot& snapshot() const { return snapshot_; }

    // Recomputes the table from the snapshot and the observer's place. Rows 1 to 13 are only
    // rewritten where their text changed, so a still table does not flicker.
    void refresh();
    // "Export…": the table of the moment shown as a CSV file, written where the user says. A
    // failure to write is reported and leaves no file.
    void exportTable();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void setCell(int row, int column, const QString& text);
    void setCellIfChanged(int row, int column, const QString& text);

    const ObserverState& observer_;
    SaveFilePrompt askFile_;
    EphemerisSnapshot snapshot_;
    QTableWidget* table_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QLabel* earthLongitudeLabel_ = nullptr;  // hidden: Earth's heliocentric longitude
};

}  // namespace noctaris
