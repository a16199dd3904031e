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

}  // namespace noctaris
