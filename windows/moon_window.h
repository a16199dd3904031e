#pragma once
// The Moon parameter window: a photograph of the Moon, fixed physical data and a report for the
// chart's moment and place (Julian day, times, the Moon's age, distance, illumination and
// diameter, the phases of the lunation, the next perigee and apogee, rising, culmination and
// setting). Created hidden at start; the main window shows it non-modally and, after every
// redraw while it is visible, refreshes the snapshot and calls refresh().
#include <array>
#include <limits>
#include <optional>
#include <string_view>

#include <QImage>
#include <QString>
#include <QStringList>

#include "astro/time/timebase.h"
#include "chart/state.h"
#include "windows/parameter_window.h"
#include "windows/snapshots.h"

namespace noctaris {

// The ten lines of the fixed data block.
QStringList MoonFixedData();

// The report's numbers before they are written out. Instants are Julian days in universal time.
struct MoonReport {
    double Zone = 0;                 // hours east of UT at the moment
    // The place's clock: each instant is shown on the clock kept at it (none: Zone).
    std::optional<ZoneDescription> Clock;
    TDateTime Moment = 0;            // the local date and clock time
    double JulianDayUT = 0;          // of the moment
    double SiderealHours = 0;        // local sidereal time
    double AgeDays = 0;              // since the lunation's new moon
    double DistanceKm = 0;
    double IlluminatedFraction = 0;  // 0..1
    double DiameterDegrees = 0;      // apparent diameter
    // The lunation the moment lies in: its new moon, first quarter, full moon, last quarter and
    // the next new moon.
    std::array<double, 5> Phases{};
    int Lunation = 0;
    double Perigee = 0, Apogee = 0;  // the next passages
    // Rising, culmination and setting on the local date of the report (local midnight to
    // midnight); empty when the event does not happen that day.
    std::optional<double> Rise, Transit, Set;
    std::string_view Frame;  // the precise report names its frame; the classic one does not
    // The precise report's place (NaN in the classic one, which has none): geocentric apparent
    // right ascension and declination, observed azimuth (from the south through the west,
    // 0..360) and altitude of the topocentric place, degrees.
    double RightAscensionDegrees = std::numeric_limits<double>::quiet_NaN();
    double DeclinationDegrees = std::numeric_limits<double>::quiet_NaN();
    double AzimuthDegrees = std::numeric_limits<double>::quiet_NaN();
    double AltitudeDegrees = std::numeric_limits<double>::quiet_NaN();
};

struct MoonDayEvents;
// The Moon's rising, culmination and setting on the snapshot's local civil day, from its own
// midnight to the next (23 or 25 hours on a day the clock changes).
MoonDayEvents MoonEventsOfLocalDay(const MomentSnapshot& snapshot, double latitude, double eastLongitude);

// The numbers for a snapshot of the chart's moment and the observer's place. Raises
// ConversionError when the snapshot's date cannot be encoded.
MoonReport ComputeMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer);
// The same with the precise place of date (astro/precise/precise.h): the place, sidereal time,
// distance, illumination and diameter, and rising, culmination and setting on the local civil
// day (the upper limb at 0 deg observed altitude); the lunation, age, perigee and apogee stay
// classic.
MoonReport ComputePreciseMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer);
// The report's text: lines each ended by CR LF.
QString FormatMoonReport(const MoonReport& report);
// FormatMoonReport of ComputePreciseMoonReport when the snapshot asks for precise places, else
// of ComputeMoonReport.
QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer);

// The photograph of the full Moon (a disc on black, north up) darkened where the Sun does not
// shine at this illuminated fraction (0..1): the bright limb to the west, on the right, while
// the Moon waxes, on the left while it wanes; south of the equator the picture turned half
// round, as the Moon is seen there.
QImage MoonPhasePhoto(const QImage& fullMoon, double illuminatedFraction, bool waxing, bool southern);

class MoonWindow : public ParameterWindow {
    Q_OBJECT
public:
    // snapshot and observer belong to the main window and outlive this window.
    MoonWindow(const InfoSnapshot* snapshot, const ObserverState* observer, QWidget* parent = nullptr);

protected:
    QString buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const override;
    void refreshPhoto() override;

private:
    // The phase of the report last built, which the photograph shows.
    struct Phase {
        double fraction = 1;
        bool waxing = true, southern = false;
        bool operator==(const Phase&) const = default;
    };
    mutable Phase phase_;
    std::optional<Phase> shown_;
};

}  // namespace noctaris
