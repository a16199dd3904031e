#pragma once
// The principal phases of the Moon (the Moon's apparent longitude 0°, 90°, 180° or 270° ahead
// of the Sun's) from the periodic series of the phases, good to well under a minute, and the
// lunations they bound. Lunation 0 began with the new moon of 2000-01-06.
#include "astro/time/instant.h"

namespace noctaris {

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };

// Julian ephemeris day (dynamical time) of a phase of a lunation.
double MoonPhaseJDE(long long lunation, MoonPhase phase);
Instant MoonPhaseAt(long long lunation, MoonPhase phase);

// The lunation in which t lies: its new moon at or before t, the next new moon after it (0 for
// an instant beyond any date).
long long LunationOf(const Instant& t);
// The same counted from 1 for the lunation that began with the new moon of 1923-01-17.
long long LunationNumber(const Instant& t);

// The passage through the phase nearest to `around`, and the first one at or after `after`.
Instant SearchMoonPhase(MoonPhase phase, const Instant& around);
Instant NextMoonPhase(MoonPhase phase, const Instant& after);

}  // namespace noctaris
