#pragma once
// Moon theory: the apparent geocentric place from the truncated ELP-2000/82 series and the
// Moon's age. The places take an Instant (the motion follows its terrestrial time). No routine
// raises.
#include "astro/theories/sun.h"

namespace noctaris {

BodyPosition MoonPosition(const Instant& t);
// Days since new moon from the elongation: 0 <= age < 29.530589.
long double MoonAge(const Instant& t);

}  // namespace noctaris
