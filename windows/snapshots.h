#pragma once
// The moments the main window hands to the information windows: copies of the chart's zone,
// date and clock time, written before a window is shown and before every refresh it triggers.
#include <optional>
#include <string>

#include "astro/core/body.h"
#include "astro/time/local_time.h"
#include "chart/projection.h"
#include "chart/state.h"

namespace noctaris {

struct MomentSnapshot {
    double TimeZone = 0;  // hours east of UT of the place's clock at that moment (see ChartZone)
    int Day = 1, Month = 1, Year = 2000;
    int Hour = 0, Minute = 0, Second = 0;
    // Whether the window shows the precise places of date (the chart's "Precise positions"
    // switch) instead of the classic J2000 ones.
    bool Precise = false;
    // The place's clock, by which every time shown is read at its own instant (none: TimeZone
    // all day).
    std::optional<ZoneDescription> Clock;

    static MomentSnapshot Of(const ObserverState& s, bool precise = false) {
        const ZoneDescription zone = ChartZone(s);
        const double clock = ClockOffsetHoursAt(zone, {{s.Year, s.Month, s.Day}, {s.Hour, s.Minute, s.Second}});
        return {clock, s.Day, s.Month, s.Year, s.Hour, s.Minute, s.Second, precise, zone};
    }
    ZoneDescription ClockZone() const { return Clock ? *Clock : ZoneDescription{TimeZone, SummerTimeRule::None, nullptr}; }
    // Hours east of UT the clock keeps when the day begins (its local midnight).
    double MidnightOffset() const { return ClockOffsetHoursAt(ClockZone(), {{Year, Month, Day}, {0, 0, 0}}); }
};

// Shared by the Moon and the Sun windows.
struct InfoSnapshot : MomentSnapshot {};
// The ephemeris table's own copy.
struct EphemerisSnapshot : MomentSnapshot {};
// The planet window's: the clicked planet and the moment.
struct PlanetSnapshot : MomentSnapshot {
    Body Planet = Body::Mercury;
};

// Size of the main window, stored before the orbits and terminator windows are opened; they
// take their own size from it.
struct MainWindowSize {
    int Width = 1070, Height = 751;
};

}  // namespace noctaris
