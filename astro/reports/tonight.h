#pragma once
// The night that begins on a local date at a place, from noon to the next noon on the place's
// clock: the Sun's setting, twilight and rising, the Moon, the planets and any objects at a fixed
// right ascension and declination (stars, constellations, deep-sky objects), with the altitude
// of each through the night for a plot.
//
// Every instant is a Julian day of universal time; reading it on the clock is the caller's
// (astro/time/local_time.h). Altitudes are geometric, of the centre, in degrees. Nothing here
// raises but an invalid date (ConversionError).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "astro/core/body.h"
#include "astro/time/local_time.h"

namespace noctaris {

// The levels of the Sun's centre that mark the night: rising and setting (refraction and the
// semidiameter), the ends of civil, nautical and astronomical twilight.
inline constexpr double kSunsetAltitude = -50.0 / 60.0;
inline constexpr double kCivilAltitude = -6;
inline constexpr double kNauticalAltitude = -12;
inline constexpr double kAstronomicalAltitude = -18;

struct TonightSite {
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    double height = 0;     // metres, for the precise places
};

// Something at a fixed place among the stars: right ascension and declination of J2000, degrees.
struct FixedObject {
    std::string name;  // its identity in the exports
    double ra = 0, dec = 0;
    std::optional<double> magnitude;  // none for a constellation
    std::string shown;  // the name shown to the user; empty: name
};

// How dark the night gets.
enum class NightKind {
    Dark,                  // the Sun goes below -18°
    NoAstronomicalNight,   // it sets but stays above -18° (summer nights at high latitudes)
    PolarDay,              // it does not set
    PolarNight,            // it does not rise
};

struct SunNight {
    std::optional<double> sunset, civilDusk, nauticalDusk, astronomicalDusk;
    std::optional<double> astronomicalDawn, nauticalDawn, civilDawn, sunrise;
    NightKind kind = NightKind::Dark;
    double lowestAltitude = 0;  // the Sun's lowest in the night, degrees
};

// Why a body cannot be seen in the dark hours.
enum class Visibility {
    Visible,
    TooCloseToSun,   // above the horizon only while the sky is bright
    BelowHorizon,    // below the horizon the whole night
    SkyNotDark,      // the Sun stays above -6° (polar day, white nights)
};

struct Interval {
    double from = 0, to = 0;  // Julian days UT
};

// One body or object through the night.
struct NightTrack {
    std::string name;         // the English name of a body, the given name of an object
    std::string shown;        // an object's name to show (empty: name)
    std::optional<Body> body;  // none for a fixed object
    // The first rising, upper culmination and setting in the night; when it neither rises nor
    // sets, alwaysAbove or alwaysBelow says where it stayed.
    std::optional<double> rise, culmination, set;
    double culminationAltitude = 0;
    bool alwaysAbove = false, alwaysBelow = false;
    // The highest while the sky is dark (see TonightReport::darkAltitude).
    std::optional<double> best;
    double bestAltitude = 0;
    Visibility visibility = Visibility::BelowHorizon;
    std::optional<double> magnitude;
    std::string constellation;  // the zodiacal one, for the planets
    std::vector<float> altitude;  // at every sample of the night
};

struct TonightReport {
    CivilDate date;
    TonightSite site;
    double start = 0, end = 0;  // noon and the next noon on the place's clock
    // The samples of the altitude curves: start + i * (end - start) / (sampleCount - 1).
    int sampleCount = 0;
    double SampleTime(int i) const { return start + (end - start) * i / (sampleCount - 1); }

    SunNight sun;
    std::vector<float> sunAltitude;
    // The sky counts as dark while the Sun is below this altitude: -18°, or in a night without
    // astronomical night the deepest twilight stage it reaches; none when it stays above -6°.
    std::optional<double> darkAltitude;
    std::optional<Interval> dark;

    NightTrack moon;
    double moonIlluminated = 0;  // the illuminated fraction at the night's middle, 0..1
    bool moonWaxing = false;
    std::vector<Interval> darkWithoutMoon;
    double darkWithoutMoonHours = 0;

    std::vector<NightTrack> planets;  // in kObservedPlanets order
    std::vector<NightTrack> objects;  // as given
};

// The report of the night that begins on `date` at the site, on the place's clock `zone`; with
// `precise` the precise places of date (topocentric) instead of the classic theories.
TonightReport ComputeTonight(const CivilDate& date, const TonightSite& site,
                             const ZoneDescription& zone, bool precise,
                             const std::vector<FixedObject>& objects = {});

// The candidates (indices, brightest first, at most `limit`) whose upper culmination falls in
// the report's dark hours at least `minAltitude` degrees high.
std::vector<std::size_t> CulminatingInDark(const TonightReport& report, const TonightSite& site,
                                           const std::vector<FixedObject>& candidates,
                                           std::size_t limit, double minAltitude = 20);

}  // namespace noctaris
