#pragma once
// The geometry of an eclipse at its greatest phase, from the full Sun and Moon theories: the
// least distance of the shadow from the Earth or the Moon, and the sizes of the shadows then.
// The lunation series of phenomena.h find the eclipses; these quantities decide their kind and
// magnitude, so a borderline eclipse gets the kind the published canons give it.
#include "astro/time/instant.h"

namespace noctaris {

// A solar eclipse in the fundamental plane (through the Earth's centre, perpendicular to the
// shadow axis), lengths in equatorial Earth radii with the Earth's flattening taken out along
// its axis, so the Earth's limb is the unit circle.
struct SolarShadow {
    Instant greatest;         // least distance of the shadow axis from the Earth's centre
    double gamma = 0;         // that distance, Earth radii
    double penumbra = 0;      // radius of the penumbra in the plane, Earth radii
    double umbra = 0;         // radius of the umbral cone in the plane: < 0 umbra, > 0 antumbra
    double umbraAtSurface = 0;  // the same where the axis meets the Earth (gamma < 1 only)
};
// Searched within half a day of `near`, the time of the new moon.
SolarShadow SolarShadowNear(const Instant& near);

// A lunar eclipse: the Moon's least distance from the centre of the Earth's shadow and the
// shadows' radii there (Danjon's enlargement of the Earth by 1/85), angles in degrees.
struct LunarShadow {
    Instant greatest;
    double distance = 0;      // Moon's centre from the shadow's centre
    double umbra = 0;         // radius of the umbra
    double penumbra = 0;      // radius of the penumbra
    double moonRadius = 0;    // the Moon's apparent radius
    double speed = 0;         // the Moon's motion relative to the shadow, degrees per hour
    double UmbralMagnitude() const { return (umbra + moonRadius - distance) / (2 * moonRadius); }
    double PenumbralMagnitude() const { return (penumbra + moonRadius - distance) / (2 * moonRadius); }
    // Half the time the Moon's centre spends within `radius` of the shadow's centre, hours
    // (0 when it never does).
    double SemiDuration(double radius) const;
};
// Searched within half a day of `near`, the time of the full moon.
LunarShadow LunarShadowNear(const Instant& near);

}  // namespace noctaris
