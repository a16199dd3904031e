// `noctaris-cli calendar`: the astronomical calendar of one year or a range of years, as the
// calendar window lists it, or as CSV, JSON or an iCalendar file.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "astro/events/calendar_events.h"
#include "catalog/catalog.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "platform/time_zone.h"
#include "windows/event_calendar_window.h"
#include "windows/exports.h"

namespace noctaris::cli {

using namespace exports;

namespace {

constexpr int kFirstYear = 1, kLastYear = 9998;  // the event engine's years

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

int RunCalendar(const QStringList& args) {
    CommandParser cmd(QStringLiteral("calendar"),
                      QStringLiteral("The astronomical calendar of a year: seasons, moon phases, "
                                     "eclipses, planetary phenomena, perigees and apogees, "
                                     "the place's summer-time changes; times on its legal clock."));
    cmd.addPlace();
    cmd.addClock();
    cmd.add({QStringLiteral("year"), QStringLiteral("The year, 1..9998."), QStringLiteral("YYYY")});
    cmd.add({QStringLiteral("range"), QStringLiteral("The years FROM to TO (both included), instead of --year."),
             QStringLiteral("FROM..TO")});
    cmd.addFormat({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json"), QStringLiteral("ics")});
    cmd.addOut(QStringLiteral("Write to this file instead of standard output."));
    if (!cmd.parse(args)) return 0;

    int first = 0, last = 0;
    if (cmd.isSet(QStringLiteral("year")) == cmd.isSet(QStringLiteral("range")))
        throw UsageError(QStringLiteral("give either --year or --range"));
    if (cmd.isSet(QStringLiteral("year"))) {
        first = last = ParseInteger(cmd.value(QStringLiteral("year")), kFirstYear, kLastYear, QStringLiteral("year"));
    } else {
        const auto [from, to] = SplitRange(cmd.value(QStringLiteral("range")), QStringLiteral("range"));
        first = ParseInteger(from, kFirstYear, kLastYear, QStringLiteral("year"));
        last = ParseInteger(to, kFirstYear, kLastYear, QStringLiteral("year"));
        if (last < first) throw UsageError(QStringLiteral("the range ends before it begins"));
    }
    const QString format = cmd.format();
    if (cmd.isSet(QStringLiteral("out"))) CheckOutputPath(cmd.out());

    const Catalogs catalogs = Catalogs::Load(kCatalogPlaces);
    const Place place = PlaceOfOptions(cmd, catalogs);
    const QString placeName = Utf8(place.name);
    const double zone = place.zone;
    const ZoneDescription clock = PlaceZone(place.zoneId, place.zone, cmd.legalClock());
    const Hemisphere hemisphere = HemisphereOf(place.latitude);

    QByteArray bytes;
    if (format == QLatin1String("text")) {
        QStringList lines = eventcal::HeaderLines(placeName, place.latitude, place.longitude, clock, place.zoneId, first, last);
        for (int year = first; year <= last; ++year) lines += eventcal::EventLines(year, clock, hemisphere);
        bytes = TextOutput(lines.join(QLatin1Char('\n')));
    } else if (format == QLatin1String("ics")) {
        bytes = eventcal::CalendarIcs(first, last, Utf8(place.ExportName()), clock, QDateTime::currentDateTimeUtc(), hemisphere);
    } else if (format == QLatin1String("csv")) {
        bytes = ToCsv(eventcal::CalendarRecords(first, last, clock, hemisphere));
    } else {
        bytes = ToJson({{"place", Utf8(place.ExportName())},
                        {"latitude_deg", Number(place.latitude)},
                        {"longitude_deg", Number(place.longitude)},
                        {"zone_h", Number(zone)},
                        {"first_year", static_cast<long long>(first)},
                        {"last_year", static_cast<long long>(last)}},
                       eventcal::CalendarRecords(first, last, clock, hemisphere));
    }
    Emit(bytes, cmd.out());
    return 0;
}

}  // namespace noctaris::cli
