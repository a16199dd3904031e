#pragma once
// A place's legal clock from the system's time-zone database, for the core's local-time module.
#include <memory>
#include <string>

#include "astro/time/local_time.h"

namespace noctaris {

// The rules of an IANA zone ("Australia/Sydney"), or none when the database does not know it.
// Before the database's first change of the zone (and outside the years 1..9999) the clock keeps
// `standardOffsetHours`. One shared object per zone, which remembers its answers per hour.
std::shared_ptr<const ZoneRules> SystemZoneRules(const std::string& ianaId, double standardOffsetHours);

// A place's zone: its legal clock when `legalClock` is set and the database knows the zone,
// otherwise standard time (the rules are kept: the calendar lists the clock's changes).
ZoneDescription PlaceZone(const std::string& ianaId, double standardOffsetHours, bool legalClock);

}  // namespace noctaris
