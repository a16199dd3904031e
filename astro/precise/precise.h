#pragma once
// Precise places of the Sun, the Moon and the planets, computed with ERFA (the BSD-licensed
// edition of the IAU's SOFA routines). The classic theories elsewhere in astro/ stay the default;
// these functions serve observers who need the sky of the date to a few arcseconds.
//
// Time. The program's universal time is taken as UT1 (UTC never differs from it by more than
// 0.9 s, far below what a chart or a table shows). Terrestrial time is TT = UT + ΔT with ΔT from
// the program's own table (DeltaT), and TDB is taken equal to TT (they differ by under 2 ms).
//
// Models. Planets: eraPlan94 (Simon et al. 1994, valid 1000–3000; over 1900–2100 within a few
// arcseconds for Mercury and Venus, 1′ for Mars at a close opposition, 1.5′ for Jupiter to
// Uranus). Earth and Sun: eraEpv00. Moon: eraMoon98 (the ELP-2000/82 series as Meeus truncates
// it; within some 15″ over 1950–2050, where ΔT is known). Light time, light deflection by the
// Sun and aberration (annual, and diurnal for topocentric places) are applied, and the IAU
// 2006/2000A bias-precession-nutation matrix (eraPn06a) turns the place to the true equator and
// equinox of date. Polar motion is neglected.
//
// Observed places assume a standard atmosphere: 1013.25 hPa at sea level (less with the
// site's height), 10 °C, relative humidity 50 %, wavelength 0.55 µm. Refraction above 20° true
// altitude is ERFA's A tan z + B tan³ z (eraRefco); below 10° it is Sæmundsson's formula scaled
// to that pressure and temperature (34.5′ at the apparent horizon), which ERFA's model cannot
// give near the horizon; in between the two are blended, so the altitude is smooth. Below −1°
// the refraction is held at its value there.
//
// Rising and setting: the instant the observed altitude — refraction included, on a sea-level
// horizon without dip — of the upper limb of the Sun or the Moon, or of the centre of a planet,
// is 0°. The limb's refraction is taken at the limb's own altitude, so at sunrise the Sun's
// centre stands 50.6′ below the geometric horizon (the almanacs round it to 50′). Transit: the
// instant the topocentric apparent place crosses the upper meridian. Times are found by root
// finding to a tenth of a second.
//
// Angles are degrees unless a name says otherwise; Julian days are UT unless they say TT.
#include <optional>

#include "astro/core/body.h"
#include "astro/core/constants.h"
#include "astro/time/instant.h"

namespace noctaris {

// Mean equatorial radius in km, as the IAU working group gives it (Sun 695700, Moon 1737.4).
double BodyRadiusKm(Body body);

// An observer on the WGS84 ellipsoid.
struct Site {
    double latitude = 0;   // geodetic, degrees, north positive
    double longitude = 0;  // degrees, east positive
    double height = 0;     // metres above the ellipsoid
};

// What all places of one instant share: the Earth's barycentric and heliocentric position and
// velocity (AU, AU/day, BCRS axes), the matrices and the sidereal time. Building one costs two
// long ERFA series (about a tenth of a millisecond), so build it once per instant.
struct PreciseFrame {
    Instant time;
    double ut() const { return static_cast<double>(time.ut()); }  // Julian day, UT1
    double tt() const { return static_cast<double>(time.tt()); }  // Julian day, TT
    double earthBary[2][3] = {};
    double earthHelio[2][3] = {};
    double npb[3][3] = {};       // GCRS to the true equator and equinox of date
    double ecliptic[3][3] = {};  // GCRS to the mean ecliptic and equinox of date
    double trueObliquity = 0;    // radians
    double equationOfOrigins = 0;  // radians: Earth rotation angle minus apparent sidereal time
};
PreciseFrame MakePreciseFrame(const Instant& time);

// Greenwich apparent sidereal time of the frame's instant, degrees 0..360: the Earth rotation
// angle less the equation of the origins (IAU 2006/2000A), the precise mode's own model.
double PreciseSiderealTimeDeg(const PreciseFrame& frame);

// The apparent place of a body: true equator, ecliptic and equinox of date.
struct ApparentPlace {
    double ra = 0;         // right ascension, degrees 0..360
    double dec = 0;        // declination, degrees
    double longitude = 0;  // ecliptic longitude, degrees 0..360
    double latitude = 0;   // ecliptic latitude, degrees
    double distance = 0;   // true distance at the instant, AU
    double lightTime = 0;  // days the light travelled from the body to the observer
    double diameter = 0;   // apparent diameter, arcseconds (equatorial for the planets)
    double phase = 1;      // illuminated fraction of the disc, 0..1 (1 for the Sun)
    double phaseAngle = 0; // Sun-body-observer angle, degrees (0 for the Sun)
    double elongation = 0; // angle between the body and the Sun seen by the observer, degrees
};
// Seen from the centre of the Earth. These and FindRiseTransitSet raise DomainError for the Earth.
ApparentPlace GeocentricPlace(Body body, const PreciseFrame& frame);
// Seen from the site (parallax and diurnal aberration included).
ApparentPlace TopocentricPlace(Body body, const PreciseFrame& frame, const Site& site);

// A place in the observer's horizon system.
struct HorizontalPlace {
    double azimuth = 0;       // degrees 0..360 from the north through the east
    double altitude = 0;      // observed (with refraction), degrees
    double trueAltitude = 0;  // geometric, degrees
    double hourAngle = 0;     // local apparent hour angle, degrees −180..180, west positive
};
// The horizon place of a topocentric apparent place at the frame's instant.
HorizontalPlace ObservedPlace(const ApparentPlace& topocentric, const PreciseFrame& frame,
                              const Site& site);

// Refraction in degrees for a true (geometric) altitude in degrees, standard atmosphere at the
// given height in metres; never negative.
double RefractionDeg(double trueAltitude, double heightMetres = 0);

// Heliocentric place, mean ecliptic and equinox of date, at the frame's instant (no light time).
struct HeliocentricPlace {
    double longitude = 0;  // degrees 0..360
    double latitude = 0;   // degrees
    double radius = 0;     // AU
};
// The Earth's, or a planet's (the Sun and the Moon give the Earth's).
HeliocentricPlace EarthHeliocentric(const PreciseFrame& frame);
HeliocentricPlace PlanetHeliocentric(Body planet, const PreciseFrame& frame);

// The exact frames at both ends of one day, from which any instant of the day is interpolated
// (the Earth by cubic Hermite polynomials, the matrices and the equation of origins linearly;
// within a few milliarcseconds of the exact frame), so that a day of events for several bodies
// costs two frames only.
struct PreciseDay {
    double start = 0;   // Julian day UT where the day begins (local midnight)
    double length = 1;  // days: a civil day on which the clock changes has 23 or 25 hours
    PreciseFrame begin, end;
};
PreciseDay MakePreciseDay(double jdStartUT, double lengthDays = 1);
// The frame of an instant in [day.start, day.start + day.length].
PreciseFrame FrameInDay(const PreciseDay& day, double jdUT);

// A day's rising, transit and setting, Julian days UT in [day.start, day.start + day.length). When a
// body neither rises nor sets on the day, alwaysAbove or alwaysBelow says where it stayed; an
// empty time with both false means "none on this day" (the Moon skips a rising, a transit and
// a setting about once a month). Should an event happen twice in the day (a planet near the
// date line of its sidereal day), the first is given.
struct RiseTransitSetTimes {
    std::optional<double> rise, transit, set;
    bool alwaysAbove = false;
    bool alwaysBelow = false;
};
RiseTransitSetTimes FindRiseTransitSet(Body body, const PreciseDay& day, const Site& site);
// Convenience: builds the day itself.
RiseTransitSetTimes FindRiseTransitSet(Body body, double jdStartUT, const Site& site);

}  // namespace noctaris
