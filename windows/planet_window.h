#pragma once
// The planet information window: opened modally by a click on a planet in the chart. Shows the
// planet's picture and name, its fixed data and a block of values computed for the chart's
// moment and place (coordinates, distances, light time, diameter, brightness, rise and set).
//
// The texts are built by free functions so they can be checked without a window.
#include <string_view>

#include <QDialog>
#include <QString>

#include "astro/reports/planet_info.h"
#include "chart/state.h"
#include "windows/snapshots.h"

class QLabel;
class QPlainTextEdit;

namespace noctaris {

// Resource name of the planet's picture ("pl1" .. "pl7"), or empty for a body without one.
std::string_view PlanetPictureName(Body planet);

// UT Julian day of the snapshot's moment: 0 h of its local date minus zone/24, plus the clock
// time.
double PlanetMomentJD(const PlanetSnapshot& snapshot);
// The info with its rising and setting read on the place's clock at their own instants (the
// computed hours count on the moment's clock).
PlanetInfo OnOwnClock(PlanetInfo info, const PlanetSnapshot& snapshot);

// Whole degrees of the declination as shown: DecDegrees "%.0f", with a "-" put in front when
// the minutes are negative and the text has none (declinations between 0° and -1°).
QString DeclinationDegreeText(double decDegrees, double decMinutes);

// The computed block: nine lines joined by CR LF, none after the last. Precise values (a frame
// other than J2000) get a first line naming their frame.
QString PlanetComputedBlock(const PlanetInfo& info);
// The same for the snapshot's planet and moment, seen from the observer's place, classic or
// precise (ComputePrecisePlanetInfo).
QString PlanetComputedBlock(const PlanetSnapshot& snapshot, const ObserverState& observer,
                            bool precise = false);

// The fixed data lines of the planet, each followed by CR LF (empty for a body without data), in
// the user's language; untranslated, in English as exports keep them.
QString PlanetDataBlock(Body planet, bool translated = true);

// "Information about planets". Built in code; created for one click, shown modally, released
// when closed. The texts are filled when the window is first shown.
class PlanetWindow : public QDialog {
    Q_OBJECT
public:
    PlanetWindow(const PlanetSnapshot& snapshot, const ObserverState& observer,
                 QWidget* parent = nullptr);

    // Fills the name, the picture, the fixed data and the computed block. Runs by itself at the
    // first showing; callable directly (e.g. to render the window without showing it).
    void fill();

    // The texts as built, with their CR LF line ends (the boxes show them with plain breaks).
    const QString& computedBlock() const { return computedBlock_; }
    const QString& dataBlock() const { return dataBlock_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    PlanetSnapshot snapshot_;
    ObserverState observer_;
    QLabel* picture_ = nullptr;                // the planet's picture, 117 × 117
    QLabel* nameLabel_ = nullptr;              // the planet's name
    QPlainTextEdit* dataText_ = nullptr;       // fixed data lines
    QPlainTextEdit* computedText_ = nullptr;   // computed block
    QPlainTextEdit* allDataText_ = nullptr;    // hidden: the planet data text of every planet
    QString computedBlock_;
    QString dataBlock_;
    bool filled_ = false;
};

}  // namespace noctaris
