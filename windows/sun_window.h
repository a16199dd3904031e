#pragma once
// The Sun parameter window: a photograph of the Sun, fixed physical data and a report for the
// chart's moment and place (date, day number, the Sun's coordinates as the chart last placed
// it, its zodiacal constellation, the equation of time, sidereal time, distance, diameter,
// sunrise, sunset and culmination). Created hidden at start; the main window shows it
// non-modally and, after every redraw while it is visible, refreshes the snapshot and calls
// refresh().
#include <functional>
#include <optional>
#include <string_view>

#include <QString>
#include <QStringList>

#include "astro/time/timebase.h"
#include "chart/bodies.h"
#include "chart/state.h"
#include "windows/parameter_window.h"
#include "windows/snapshots.h"

namespace noctaris {

// The twelve lines of the fixed data block.
QStringList SunFixedData();

// The report's numbers before they are written out.
struct SunReport {
    int Day = 1, Month = 1, Year = 2000;  // the snapshot's local date
    double Zone = 0;                      // hours east of UT
    TDateTime Date = 0;                   // the local date (whole days)
    TDateTime Moment = 0;                 // the local date and clock time
    int DayNumber = 1;
    double DeclinationDegrees = 0;
    double RightAscensionHours = 0;       // 0..24
    QString Constellation;                // zodiacal constellation of the right ascension
    double HourAngleDegrees = 0;
    double AzimuthDegrees = 0;            // from the south through the west, as the chart reads it
    double AltitudeDegrees = 0;
    double EquationOfTimeMinutes = 0;
    double SiderealHours = 0;             // local sidereal time ("Sun time" of the report)
    double DistanceKm = 0;
    double DiameterArcseconds = 0;
    // Universal time of the events of the local date; none when the event does not happen.
    std::optional<TDateTime> Sunrise, Sunset, Culmination;
    QString ZoneLabel;                    // the clock's zone ("CEST", "UTC+08:00") when there is no Clock
    // The place's clock: each event is read and labelled at its own instant (none: Zone).
    std::optional<ZoneDescription> Clock;
    std::string_view Frame;  // the precise report names its frame; the classic one does not
};

// The numbers for a snapshot of the chart's moment, the observer's place and the Sun as the
// chart last placed it. Raises ConversionError when the snapshot's date cannot be encoded.
SunReport ComputeSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                           const SunChartPosition& sun);
// The same with the precise places of date (astro/precise/precise.h), the chart not needed: apparent
// declination, right ascension and hour angle, the observed (refracted) azimuth and altitude of
// the topocentric place, apparent sidereal time, distance, diameter, and sunrise, sunset (the
// upper limb at 0° observed altitude) and culmination on the local civil day. The day number
// and the equation of time stay classic.
SunReport ComputePreciseSunReport(const InfoSnapshot& snapshot, const ObserverState& observer);
// The report's text: lines joined by CR LF, the last one without a line break.
QString FormatSunReport(const SunReport& report);
// FormatSunReport of ComputePreciseSunReport when the snapshot asks for precise places, else
// of ComputeSunReport with the Sun's place on the chart.
QString BuildSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                       const SunChartPosition& sun);

class SunWindow : public ParameterWindow {
    Q_OBJECT
public:
    // snapshot and observer belong to the main window and outlive this window; sunOnChart
    // returns the Sun's current chart position (e.g. the main window's SunOnChart()).
    SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
              std::function<SunChartPosition()> sunOnChart, QWidget* parent = nullptr);
    // The same, reading a chart position that outlives this window.
    SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
              const SunChartPosition* sunOnChart, QWidget* parent = nullptr);

protected:
    QString buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const override;

private:
    std::function<SunChartPosition()> sun_;
};

}  // namespace noctaris
