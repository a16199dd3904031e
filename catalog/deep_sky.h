#pragma once
// The deep-sky objects (the embedded DSO: every Messier object, the NGC and IC objects to about
// 12 mag, a few dark nebulae and named clusters) and the Milky Way's five outlines (MILKY). Both
// are loaded on first use only: commands that neither draw the sky nor look names up never
// inflate them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "catalog/catalog.h"

namespace noctaris {

enum class DeepSkyKind { Galaxy, OpenCluster, GlobularCluster, PlanetaryNebula, BrightNebula, DarkNebula, Other };

struct DeepSkyObject {
    double ra = 0, dec = 0;  // radians, J2000
    DeepSkyKind kind = DeepSkyKind::Other;
    std::string type;                     // the source's type code ("s", "oc", "pn", ...)
    std::optional<double> magnitude;      // visual
    double majorAxis = 0, minorAxis = 0;  // arcminutes; 0 unknown
    std::optional<double> positionAngle;  // degrees from the north through the east
    std::string constellation;            // abbreviation ("And"); empty when unknown
    std::vector<std::string> designations;  // UTF-8, the label first ("M 31", "NGC 224")
    std::string englishName, germanName;    // UTF-8; empty when none

    bool IsMessier() const { return !designations.empty() && designations.front().starts_with("M "); }
    // The common name in `language` (the English one where there is no German), else empty.
    const std::string& Name(Language language) const {
        return language == Language::German && !germanName.empty() ? germanName : englishName;
    }
};

// One outline of the Milky Way: a closed ring of great-circle arcs. A level's area is the set
// of points inside an odd number of its rings, a ring's inside being its side without the
// south galactic pole.
struct MilkyWayOutline {
    int level = 1;  // 1 (faintest, the whole band) .. 5 (brightest)
    std::vector<double> ra, dec;  // radians, J2000
};

// DSO lines (one object a line, TAB-separated; see tools/catalog/README.md). A line with a
// missing field, a number that does not parse or a place off the sphere throws ResourceError.
std::vector<DeepSkyObject> BuildDeepSky(const std::vector<std::string>& lines, std::string_view resource = "DSO");
// MILKY lines: level, then "ra dec" pairs in degrees. Throws ResourceError as above.
std::vector<MilkyWayOutline> BuildMilkyWay(const std::vector<std::string>& lines, std::string_view resource = "MILKY");

// The embedded catalogues, built on the first call and kept.
const std::vector<DeepSkyObject>& LoadDeepSky();
const std::vector<MilkyWayOutline>& LoadMilkyWay();

// What the object is, in the program's language ("Spiral galaxy", "Open cluster").
QString DeepSkyTypeName(const DeepSkyObject& object);
// Its size for display: "190′ × 60′", "16′"; empty when unknown.
QString DeepSkySizeText(const DeepSkyObject& object);

}  // namespace noctaris
