#pragma once
// The astronomy behind the Moon and Sun parameter windows: the lunation in which a moment lies
// and the Moon's age, the Moon's rising, culmination and setting within a day, the apparent
// diameter of the Moon, and for the Sun the zodiacal constellation of a right ascension and the
// split of a time into hours and minutes.
//
// Plain double arithmetic; angles in degrees unless stated. Nothing here raises.
#include <optional>
#include <string_view>

namespace noctaris {

// x - floor(x): the time of day of a day count, also for negative counts (0 for non-finite).
double FractionOfDay(double x);

// The lunation in which a moment lies, its phases as Julian days of universal time: the new
// moon at or before the moment, the first quarter, full moon and last quarter that follow it,
// and the next new moon (after the moment). The phases are those of the calendar
// (astro/events/moon_phases.h), brought from dynamical to universal time.
struct LunationPhases {
    double newMoon = 0;
    double firstQuarter = 0;
    double fullMoon = 0;
    double lastQuarter = 0;
    double nextNewMoon = 0;
};
LunationPhases LunationAt(double jdUT);

// The Moon's age in days at a moment (Julian day, universal time): the time since the most
// recent new moon, 0 <= age < the length of the current lunation.
double MoonAgeAt(double jdUT);

// An age split for display: the total rounded to the minute first, then whole days, hours and
// minutes (so never 60 minutes or 24 hours).
struct AgeParts {
    int days = 0;
    int hours = 0;
    int minutes = 0;
};
AgeParts SplitMoonAge(double age);

// Apparent diameter of the Moon at distance km: 716946800 / distance arcseconds, split into
// degrees, whole arcminutes and the remaining arcseconds (tenths; the total is rounded to the
// tenth first, so the seconds never read 60.0).
struct MoonDiameterParts {
    double arcseconds = 0;
    double degrees = 0;
    int arcminutes = 0;
    double remainderSeconds = 0;
};
MoonDiameterParts MoonApparentDiameter(double distanceKm);

// Rising, culmination (upper transit) and setting of the Moon within one day [dayStart,
// dayStart + 1) of universal time (Julian days), for latitude and east longitude in degrees.
// Each is a Julian day of universal time, or absent when the event does not happen in that day
// (about once a month the Moon does not rise, culminate or set on a given day). Rising and
// setting are the moments the upper limb touches the horizon, seen from the surface with the
// usual refraction: the centre 0.7275 x horizontal parallax - 0.5667° above the geocentric
// horizon (about +0.125°).
struct MoonDayEvents {
    std::optional<double> rise, transit, set;
};
MoonDayEvents MoonEventsOfDay(double dayStart, double latitude, double eastLongitude);

// The zodiacal constellation in which a right ascension (hours) lies; below 1.783333 h and from
// 23.416667 h on "Pisces".
std::string_view ZodiacConstellation(double raHours);

// A time in hours (0..24) shown as whole hours and minutes: rounded to the minute first, then
// split, so the minutes lie in 0..59; 24:00 reads 0 h 0 min.
struct HourMinute {
    int hours = 0;
    int minutes = 0;
};
HourMinute SplitHourMinute(double s);

}  // namespace noctaris
