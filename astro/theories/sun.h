#pragma once
// The Sun's apparent place from the VSOP87 Earth series (nutation from astro/coords/nutation.h).
//
// The places take an Instant: the motion follows its terrestrial time. Angles are degrees. No
// routine raises.
#include "astro/time/instant.h"
#include "astro/time/timebase.h"
#include "astro/theories/vsop.h"

namespace noctaris {

// Apparent geocentric place of the Sun or the Moon.
struct BodyPosition {
    long double Lambda = 0;          // apparent ecliptic longitude, 0..360, nutation included
    long double Beta = 0;            // ecliptic latitude
    long double Distance = 0;        // geocentric distance, km
    long double RightAscension = 0;  // apparent, -180..180 (not brought into 0..360)
    long double Declination = 0;     // apparent
};

// From p.Lambda (geometric, aberration applied) and p.Beta: p with the nutation in longitude
// added to Lambda (reduced to 0..360) and RightAscension and Declination filled in.
BodyPosition ApparentEquatorial(BodyPosition p, const Instant& t);

BodyPosition SunPosition(const Instant& t);
long double SunDistanceAU(const Instant& t);
long double SunDiameter(const Instant& t);  // apparent diameter, arcseconds

}  // namespace noctaris
