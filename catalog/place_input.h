#pragma once
// What a user types for a place: its name (matched against the list, with the closest spellings
// when none matches) and its coordinates (decimal degrees or degrees, minutes and seconds with a
// hemisphere letter). Shared by the place box, the "Add place" dialog and the command line.
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "catalog/catalog.h"

namespace noctaris {

// The three names closest to `name` (edit distance, ignoring case and accents), closest first.
// A name also counts by its part before the comma ("Chemnitz" is close to "Chemnitz, D") and,
// with `afterComma`, by its part after it ("Sirius" is close to "CMa Alpha,Sirius"); a name's
// beginning counts one edit more than the name ("Sydn" is close to "Sydney, AUS").
QStringList ClosestNames(const QString& name, const QStringList& names, bool afterComma = false);

// The names of the catalog's places, in their order.
QStringList PlaceNames(const Catalogs& catalogs);

// The three places closest to `name` as ClosestNames finds them, by their German or English
// name ("Wien" finds "Vienna, A" in English), given by the name shown; `more` (the user's own
// places) are candidates too.
QStringList ClosestPlaceNames(const QString& name, const Catalogs& catalogs, const QStringList& more = {});

// Whether `text` is part of one of the place's names, ignoring case and accents.
bool PlaceNameContains(const Place& place, const QString& text);

enum class CoordinateAxis { kLatitude, kLongitude };

enum class CoordinateError {
    kNone,
    kEmpty,         // nothing typed
    kSyntax,        // not a number nor degrees, minutes and seconds
    kHemisphere,    // a letter of the other axis (E for a latitude), or a sign and a letter
    kMinutes,       // minutes or seconds of 60 or more
    kOutOfRange,    // beyond ±90° (latitude) or ±180° (longitude)
};

struct ParsedCoordinate {
    double degrees = 0;  // north and east positive
    CoordinateError error = CoordinateError::kNone;
    bool ok() const { return error == CoordinateError::kNone; }
};

// Reads a latitude or longitude: "50.83", "-12,92", "50° 50′ 0″ N", "50 50 0 N", "12°55'E",
// "S 33 52". A hemisphere letter (N/S for latitudes, E/W and the German O for longitudes) may
// stand before or after the number and replaces the sign. Degrees may carry a fraction only
// when no minutes follow; minutes a fraction only when no seconds follow.
ParsedCoordinate ParseCoordinate(const QString& text, CoordinateAxis axis);

// Index of the catalog place nearest to the coordinates (great-circle distance), or -1 when
// the catalog has none.
int NearestPlace(const Catalogs& catalogs, double latitude, double longitude);

// The standard offset (hours east of UT, as the zone keeps it today) of an IANA zone
// the system's time-zone database knows; nothing for an unknown zone.
std::optional<double> ZoneStandardOffsetHours(const std::string& ianaId);

// Whether a place name is not empty and survives the settings file (its Western European code
// page spells every letter).
bool StorableName(const QString& name);

// A place of the user's own: the name trimmed, its settings-file form, the zone's standard offset.
// Nothing when the name is not storable, a coordinate is out of range or the zone is unknown.
std::optional<Place> MakeOwnPlace(const QString& name, double latitude, double longitude,
                                  const std::string& zoneId);

}  // namespace noctaris
