#include "cli/places.h"

#include <QLocale>

#include "catalog/place_input.h"
#include "cli/command_line.h"
#include "cli/output.h"
#include "windows/exports.h"

namespace noctaris::cli {

using namespace exports;

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString QuotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << QLatin1Char('\'') + n + QLatin1Char('\'');
    return quoted.join(QStringLiteral(", "));
}

const Place& FindPlaceOrFail(const Catalogs& catalogs, const QString& name) {
    const int k = catalogs.FindPlace(name.toStdString());
    if (k >= 0) return catalogs.places[static_cast<std::size_t>(k)];
    throw UsageError(QStringLiteral("unknown place '%1' (closest: %2)")
                         .arg(name, QuotedList(ClosestPlaceNames(name, catalogs))));
}

namespace {

QString CoordinateProblem(CoordinateError e, CoordinateAxis axis) {
    const bool lat = axis == CoordinateAxis::kLatitude;
    switch (e) {
    case CoordinateError::kNone: break;
    case CoordinateError::kEmpty: return QStringLiteral("no value");
    case CoordinateError::kSyntax:
        return lat ? QStringLiteral("not a latitude (give decimal degrees or \"50 50 12 N\")")
                   : QStringLiteral("not a longitude (give decimal degrees or \"12 55 0 E\")");
    case CoordinateError::kHemisphere:
        return lat ? QStringLiteral("a latitude takes N or S, and no sign with it")
                   : QStringLiteral("a longitude takes E or W, and no sign with it");
    case CoordinateError::kMinutes: return QStringLiteral("minutes and seconds must be below 60");
    case CoordinateError::kOutOfRange:
        return lat ? QStringLiteral("beyond 90 degrees") : QStringLiteral("beyond 180 degrees");
    }
    return {};
}

double CoordinateOption(const CommandParser& cmd, const QString& option, CoordinateAxis axis) {
    const QString text = cmd.value(option);
    const ParsedCoordinate c = ParseCoordinate(text, axis);
    if (!c.ok())
        throw UsageError(QStringLiteral("bad --%1 '%2': %3").arg(option, text, CoordinateProblem(c.error, axis)));
    return c.degrees;
}

}  // namespace

Place PlaceOfOptions(const CommandParser& cmd, const Catalogs& catalogs) {
    const bool lat = cmd.isSet(QStringLiteral("lat")), lon = cmd.isSet(QStringLiteral("lon"));
    const bool zoned = cmd.isSet(QStringLiteral("zone"));
    std::string zoneId;
    if (zoned) {
        zoneId = cmd.value(QStringLiteral("zone")).trimmed().toStdString();
        if (!ZoneStandardOffsetHours(zoneId))
            throw UsageError(QStringLiteral("unknown time zone '%1' (give an IANA name such as 'Europe/Berlin')")
                                 .arg(cmd.value(QStringLiteral("zone"))));
    }
    if (!lat && !lon) {
        Place p = FindPlaceOrFail(catalogs, cmd.place());
        if (zoned) {
            p.zoneId = zoneId;
            p.zone = *ZoneStandardOffsetHours(zoneId);
        }
        return p;
    }
    if (lat != lon) throw UsageError(QStringLiteral("--lat and --lon go together"));
    const double latitude = CoordinateOption(cmd, QStringLiteral("lat"), CoordinateAxis::kLatitude);
    const double longitude = CoordinateOption(cmd, QStringLiteral("lon"), CoordinateAxis::kLongitude);
    if (!zoned) {
        const int k = NearestPlace(catalogs, latitude, longitude);
        if (k >= 0) zoneId = catalogs.places[static_cast<std::size_t>(k)].zoneId;
        if (!ZoneStandardOffsetHours(zoneId))
            throw UsageError(QStringLiteral("no time zone known near there: give --zone"));
    }
    const QString name = cmd.isSet(QStringLiteral("place"))
                             ? cmd.place()
                             : QStringLiteral("%1, %2").arg(latitude, 0, 'f', 4).arg(longitude, 0, 'f', 4);
    // The place's name needs no code page here: nothing is stored.
    std::optional<Place> p = MakeOwnPlace(QStringLiteral("x"), latitude, longitude, zoneId);
    if (!p || name.trimmed().isEmpty()) throw UsageError(QStringLiteral("--place names no place"));
    p->name = name.trimmed().toStdString();
    p->rawName = p->name;
    return *p;
}

ObserverState ObserverAt(const Place& place) {
    ObserverState s;
    s.PlaceName = place.name;
    s.PlaceExportName = place.ExportName();
    s.Latitude = place.latitude;
    s.Longitude = place.longitude;
    s.TimeZone = place.zone;
    s.ZoneId = place.zoneId;
    s.ConsiderSummerTime = true;  // the legal clock unless the command says otherwise
    return s;
}

int RunPlaces(const QStringList& args) {
    CommandParser cmd(QStringLiteral("places"),
                      QStringLiteral("Lists the known places with latitude (north positive), "
                                     "longitude (east positive) and standard time zone (hours "
                                     "east of UT), all of them or those whose name contains TEXT."));
    cmd.addPositional(QStringLiteral("TEXT"), QStringLiteral("Part of the name, English or German, ignoring case and accents."),
                      QStringLiteral("[TEXT]"));
    cmd.addFormat({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    cmd.addOut(QStringLiteral("Write to this file instead of standard output."));
    if (!cmd.parse(args, 0, 1)) return 0;
    const QString format = cmd.format();
    const QString filter = cmd.positional().value(0);
    if (cmd.isSet(QStringLiteral("out"))) CheckOutputPath(cmd.out());

    const Catalogs catalogs = Catalogs::Load(kCatalogPlaces);
    std::vector<Record> records;
    QString text;
    const QLocale locale;
    for (const Place& p : catalogs.places) {
        const QString name = Utf8(p.name);
        if (!filter.isEmpty() && !PlaceNameContains(p, filter)) continue;
        records.push_back({{"name", Utf8(p.ExportName())},
                           {"latitude_deg", Number(p.latitude)},
                           {"longitude_deg", Number(p.longitude)},
                           {"zone_h", Number(p.zone)},
                           {"utc_offset", IsoOffset(p.zone)}});
        text += name + QLatin1Char('\t') + locale.toString(p.latitude, 'f', 4) + QLatin1Char('\t') +
                locale.toString(p.longitude, 'f', 4) + QStringLiteral("\tUTC") + IsoOffset(p.zone) +
                QLatin1Char('\n');
    }
    if (records.empty() && !filter.isEmpty()) {
        throw UsageError(QStringLiteral("no place contains '%1' (closest: %2)")
                             .arg(filter, QuotedList(ClosestPlaceNames(filter, catalogs))));
    }
    QByteArray bytes;
    if (format == QLatin1String("csv")) bytes = ToCsv(records);
    else if (format == QLatin1String("json")) bytes = ToJson({}, records);
    else bytes = text.toUtf8();
    Emit(bytes, cmd.out());
    return 0;
}

}  // namespace noctaris::cli
