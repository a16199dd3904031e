#pragma once
// Equinoxes and solstices: the instants the Sun's apparent longitude reaches 0°, 90°, 180° or
// 270°, named after the northern seasons they begin.
#include "astro/time/instant.h"

namespace noctaris {

enum class Season { Spring, Summer, Autumn, Winter };

// Julian ephemeris day (dynamical time) of the season's beginning in a year (the Julian
// calendar's year before 1582).
double SeasonJDE(int year, Season season);
// The passage nearest to `around`, and the first one at or after `after`.
Instant SearchSeason(Season season, const Instant& around);
Instant NextSeason(Season season, const Instant& after);

// The half of the Earth an observer stands on; the equator counts to the north.
enum class Hemisphere { North, South };
inline Hemisphere HemisphereOf(double latitude) {
    return latitude < 0 ? Hemisphere::South : Hemisphere::North;
}
// The season the passage named after a northern season begins in a hemisphere: in the south
// the June solstice begins the winter.
inline Season SeasonIn(Hemisphere hemisphere, Season northern) {
    if (hemisphere == Hemisphere::North) return northern;
    return static_cast<Season>((static_cast<int>(northern) + 2) % 4);
}

}  // namespace noctaris
