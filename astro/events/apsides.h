#pragma once
// The Moon's passages through perigee and apogee (the extreme distance of the full lunar theory
// near the periodic series' instant) and the Earth's through perihelion and aphelion (the
// extreme Sun-Earth distance of the full Earth series, to a fraction of a second of that series).
#include "astro/time/instant.h"

namespace noctaris {

enum class LunarApsis { Perigee, Apogee };
enum class EarthApsis { Perihelion, Aphelion };

// The passage of the cycle nearest to `around`, and the first one at or after `after`.
Instant SearchLunarApsis(LunarApsis kind, const Instant& around);
Instant NextLunarApsis(LunarApsis kind, const Instant& after);
Instant SearchEarthApsis(EarthApsis kind, const Instant& around);
Instant NextEarthApsis(EarthApsis kind, const Instant& after);

}  // namespace noctaris
