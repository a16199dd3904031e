#pragma once
// The event engine of the astronomical calendar: for one year and one zone, the dated events
// with their texts (summer-time changes, perihelion and aphelion, lunar perigees and apogees,
// equinoxes and solstices, eclipses, conjunctions and oppositions, greatest elongations, the
// four principal moon phases), sorted by time. Times are Julian days of dynamical time.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "astro/events/seasons.h"
#include "astro/time/local_time.h"

namespace noctaris {

struct CalendarEvent {
    CalendarEvent() = default;
    CalendarEvent(double jd, std::string text, bool showTime = true, const char* subject = "",
                  const char* phrase = "", std::string value = {})
        : JD(jd), Text(std::move(text)), ShowTime(showTime), Subject(subject), Phrase(phrase),
          Value(std::move(value)) {}

    double JD = 0;          // dynamical time; for summer-time changes 00:00 UT of the day
    std::string Text;       // UTF-8, English (what the exports write): Subject + Phrase + Value
    bool ShowTime = true;   // false for the summer-time changes: a date without a time
    // The text's parts, so that a display can put each into its language: a body's name of
    // the "Planet" table or "", a phrase of the "CalendarEvent" table ("" when the event was
    // made from a text alone), and the number with its unit as written.
    const char* Subject = "";
    const char* Phrase = "";
    std::string Value;
};

struct EventList {
    int Year = 0;
    double Start = 0;  // 1 January 00:00 local time of the year, as a UT Julian day
    double End = 0;    // the same for the next year
    std::vector<CalendarEvent> Entries;
    double DeltaTDays = 0;  // dynamical minus universal time for the whole year, days
};

// Whether an event of dynamical time jde belongs to the list's year: its universal time,
// rounded to the second as the calendar shows it, lies in [Start, End). An event at local
// midnight of 1 January belongs to the year it begins.
bool InListYear(const EventList& list, double jde);

// Writes a number with the given decimals into an event text ("%.Nf"). The default writes a
// decimal point; a window passes one in the user's locale.
using EventNumberFormat = std::function<std::string(double value, int decimals)>;
std::string DefaultEventNumber(double value, int decimals);

// Event texts, index 0..23 (0 empty): seasons 1..4, planet phenomena 5..10, moon phases
// 11..14, solar eclipses 15..20, lunar eclipses 21..23. Marked for the "CalendarEvent"
// translations, like the summer-time, perihelion/aphelion and perigee/apogee texts.
extern const char* const kEventTexts[24];

// Builds the sorted list of the year for a zone in hours east of UT, the seasons named for the
// observer's hemisphere. Eclipses, planet phenomena and moon phases are listed in the year of
// their local date (InListYear), each exactly once.
// Raises ConversionError for a year the platform's dates cannot hold with the next year's
// first weeks (outside 1..9998).
// The year runs from local midnight of 1 January on the zone's clock; the summer-time changes
// are those of the zone's rules (none where the clock keeps none), or the European rule's for a
// zone without rules. A zone given in hours alone is standard time without rules.
EventList BuildEventList(int year, const ZoneDescription& zone, const EventNumberFormat& number = {},
                         Hemisphere hemisphere = Hemisphere::North);
EventList BuildEventList(int year, double zone, const EventNumberFormat& number = {},
                         Hemisphere hemisphere = Hemisphere::North);

// The collectors, in the order BuildEventList runs them; each appends to the list.
void AddSummerTime(EventList& list, const ZoneDescription& zone);
void AddPerihelionAphelion(EventList& list);
void AddPerigeesApogees(EventList& list);
void AddSeasons(EventList& list, Hemisphere hemisphere = Hemisphere::North);
void AddSolarEclipses(EventList& list, const EventNumberFormat& number);
void AddLunarEclipses(EventList& list, const EventNumberFormat& number);
void AddPlanetPhenomena(EventList& list);
void AddGreatestElongations(EventList& list, const EventNumberFormat& number);
void AddMoonPhases(EventList& list);
// Sorts the entries by time.
void SortEvents(EventList& list);

}  // namespace noctaris
