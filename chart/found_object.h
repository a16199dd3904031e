#pragma once
// An object found by name (catalog/object_index.h) on the chart: where it stands at a moment,
// its rising, culmination and setting on the place's day, and the reticle that marks it until
// the next search. Places are the chart's own (the classic theories, the J2000 equator of the
// catalogue), so the reticle sits where the chart draws the object.
#include <optional>

#include <QString>
#include <QStringList>

#include "catalog/object_index.h"
#include "chart/projection.h"
#include "chart/state.h"

namespace noctaris {

struct ChartContext;

struct FoundPlace {
    double ra = 0;        // radians, 0..2π, the chart's frame
    double dec = 0;       // radians
    double azimuth = 0;   // degrees from the north through the east, 0..360
    double altitude = 0;  // degrees (geometric)
    bool horizontal = false;  // azimuth and altitude defined (not in the zenith or nadir)
    std::optional<double> magnitude;  // none for a constellation or the Moon
};

// The object's place at the frame's moment for the observer.
FoundPlace PlaceFoundObject(const Catalogs& catalogs, const SkyObjectRef& object, const ChartFrame& frame,
                            const ObserverState& state);

// Rising, culmination (the highest point) and setting on the observer's local day, as UT Julian
// days; rise and set are the passages of the apparent horizon (the standard refraction, the
// Sun's upper limb, the Moon's parallax). With no rise nor set, alwaysAbove or alwaysBelow tells
// which.
struct FoundDay {
    std::optional<double> rise, culmination, set;
    double culminationAltitude = 0;  // degrees
    bool alwaysAbove = false, alwaysBelow = false;
};
FoundDay FoundObjectDay(const Catalogs& catalogs, const SkyObjectRef& object, const ObserverState& state);

// The first rising after fromUT within `days` days, none when it does not rise in that time.
std::optional<double> NextFoundObjectRise(const Catalogs& catalogs, const SkyObjectRef& object,
                                          const ObserverState& state, double fromUT, double days = 2);

// What the program tells about a found object at the observer's moment, in the program's
// language: its name, what it is, magnitude, right ascension and declination, azimuth and
// altitude, and the day's rise, culmination and set on the place's clock. Below the horizon,
// nextRise is when it rises next (within two days).
struct FoundReport {
    QString title;
    QStringList lines;
    bool belowHorizon = false;
    std::optional<double> nextRise;  // UT Julian day
};
FoundReport BuildFoundReport(const ObjectIndex& index, const Catalogs& catalogs, const SkyObjectRef& object,
                             const ObserverState& state);
// "12:34 CET", the instant on the place's clock, rounded to the minute; with the date when it
// is not the observer's day.
QString FoundClockText(double jdUT, const ObserverState& state);

// The object the chart marks with a reticle, none for no mark.
struct FoundMarker {
    std::optional<SkyObjectRef> object;
};

// Draws the marker's reticle where the object stands on the chart being painted.
void DrawFoundMarker(ChartContext& context, const Catalogs& catalogs, const FoundMarker& marker);

}  // namespace noctaris
