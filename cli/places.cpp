#include "cli/places.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QLocale>

#include "cli/command_line.h"
#include "cli/output.h"
#include "windows/exports.h"

namespace noctaris::cli {

using namespace exports;

namespace {

// Edit distance between two strings (UTF-16 units) counting an insertion, a deletion, a
// substitution or a swap of two neighbours as one edit ("Wein" is one edit from "Wien").
int EditDistance(const QString& a, const QString& b) {
    const std::size_t m = static_cast<std::size_t>(b.size());
    std::vector<int> before(m + 1), previous(m + 1), current(m + 1);
    for (std::size_t j = 0; j <= m; ++j) previous[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= m; ++j) {
            const auto bj = static_cast<qsizetype>(j);
            const int substitute = previous[j - 1] + (a[i - 1] == b[bj - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
            if (i > 1 && j > 1 && a[i - 1] == b[bj - 2] && a[i - 2] == b[bj - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStringList PlaceNames(const Catalogs& catalogs) {
    QStringList names;
    names.reserve(static_cast<qsizetype>(catalogs.places.size()));
    for (const Place& p : catalogs.places) names << Utf8(p.name);
    return names;
}

}  // namespace

QStringList ClosestNames(const QString& name, const QStringList& names, bool afterComma) {
    constexpr std::size_t kCount = 3;
    const QString key = name.toCaseFolded();
    std::vector<std::pair<int, qsizetype>> scored;
    scored.reserve(static_cast<std::size_t>(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString candidate = names[i].toCaseFolded();
        int d = EditDistance(key, candidate);
        const qsizetype comma = candidate.indexOf(QLatin1Char(','));
        if (comma > 0) {
            d = std::min(d, EditDistance(key, candidate.left(comma).trimmed()));
            if (afterComma) d = std::min(d, EditDistance(key, candidate.mid(comma + 1).trimmed()));
        }
        scored.emplace_back(d, i);
    }
    const std::size_t n = std::min(scored.size(), kCount);
    std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(n), scored.end());
    QStringList closest;
    for (std::size_t i = 0; i < n; ++i) closest << names[scored[i].second];
    return closest;
}

QString QuotedList(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << QLatin1Char('\'') + n + QLatin1Char('\'');
    return quoted.join(QStringLiteral(", "));
}

const Place& FindPlaceOrFail(const Catalogs& catalogs, const QString& name) {
    const int k = catalogs.FindPlace(name.toStdString());
    if (k >= 0) return catalogs.places[static_cast<std::size_t>(k)];
    throw UsageError(QStringLiteral("unknown place '%1' (closest: %2)")
                         .arg(name, QuotedList(ClosestNames(name, PlaceNames(catalogs)))));
}

ObserverState ObserverAt(const Place& place) {
    ObserverState s;
    s.PlaceName = place.name;
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
    cmd.addPositional(QStringLiteral("TEXT"), QStringLiteral("Part of the name, ignoring case."),
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
        if (!filter.isEmpty() && !name.contains(filter, Qt::CaseInsensitive)) continue;
        records.push_back({{"name", name},
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
                             .arg(filter, QuotedList(ClosestNames(filter, PlaceNames(catalogs)))));
    }
    QByteArray bytes;
    if (format == QLatin1String("csv")) bytes = ToCsv(records);
    else if (format == QLatin1String("json")) bytes = ToJson({}, records);
    else bytes = text.toUtf8();
    Emit(bytes, cmd.out());
    return 0;
}

}  // namespace noctaris::cli
