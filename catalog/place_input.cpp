#include "catalog/place_input.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include "platform/codec.h"

namespace noctaris {
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

// +1 or -1 for a hemisphere letter of the axis, 0 for a letter of the other axis.
std::optional<int> HemisphereSign(QChar c, CoordinateAxis axis) {
    switch (c.toUpper().unicode()) {
    case 'N': return axis == CoordinateAxis::kLatitude ? 1 : 0;
    case 'S': return axis == CoordinateAxis::kLatitude ? -1 : 0;
    case 'E':
    case 'O': return axis == CoordinateAxis::kLongitude ? 1 : 0;
    case 'W': return axis == CoordinateAxis::kLongitude ? -1 : 0;
    default: return std::nullopt;
    }
}

QString SearchForm(const QString& text) { return QString::fromStdString(SearchKey(text.toStdString())); }

// The distance of a typed key (in search form) from one spelling of a name.
int NameDistance(const QString& key, const QString& spelling, bool afterComma) {
    const QString candidate = SearchForm(spelling);
    int d = EditDistance(key, candidate);
    // A name begun but not finished ("Sydn") is one edit from the names it begins.
    if (candidate.size() > key.size()) d = std::min(d, EditDistance(key, candidate.left(key.size())) + 1);
    const qsizetype comma = candidate.indexOf(QLatin1Char(','));
    if (comma > 0) {
        d = std::min(d, EditDistance(key, candidate.left(comma).trimmed()));
        if (afterComma) d = std::min(d, EditDistance(key, candidate.mid(comma + 1).trimmed()));
    }
    return d;
}

// The three candidates nearest to `name`, each scored by the nearest of its spellings.
QStringList Closest(const QString& name, const QStringList& shown, const std::vector<QStringList>& spellings,
                    bool afterComma) {
    constexpr std::size_t kCount = 3;
    // Names are short; comparing more of a very long text would only cost time (the work grows
    // with its length times the number of names).
    constexpr qsizetype kComparedLength = 64;
    const QString key = SearchForm(name.left(kComparedLength));
    std::vector<std::pair<int, qsizetype>> scored;
    scored.reserve(static_cast<std::size_t>(shown.size()));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        int d = NameDistance(key, shown[i], afterComma);
        if (static_cast<std::size_t>(i) < spellings.size())
            for (const QString& other : spellings[static_cast<std::size_t>(i)])
                d = std::min(d, NameDistance(key, other, afterComma));
        scored.emplace_back(d, i);
    }
    const std::size_t n = std::min(scored.size(), kCount);
    std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(n), scored.end());
    QStringList closest;
    for (std::size_t i = 0; i < n; ++i) closest << shown[scored[i].second];
    return closest;
}

// The place's names other than the one shown.
QStringList OtherNames(const Place& p) {
    QStringList other;
    const QString german = FromCp1252(p.rawName);
    if (!p.rawName.empty() && german != QString::fromStdString(p.name)) other << german;
    if (!p.englishName.empty() && p.englishName != p.name) other << QString::fromStdString(p.englishName);
    return other;
}

}  // namespace

QStringList ClosestNames(const QString& name, const QStringList& names, bool afterComma) {
    return Closest(name, names, {}, afterComma);
}

QStringList PlaceNames(const Catalogs& catalogs) {
    QStringList names;
    names.reserve(static_cast<qsizetype>(catalogs.places.size()));
    for (const Place& p : catalogs.places) names << QString::fromStdString(p.name);
    return names;
}

QStringList ClosestPlaceNames(const QString& name, const Catalogs& catalogs, const QStringList& more) {
    std::vector<QStringList> spellings;
    spellings.reserve(catalogs.places.size());
    for (const Place& p : catalogs.places) spellings.push_back(OtherNames(p));
    return Closest(name, PlaceNames(catalogs) + more, spellings, false);
}

bool PlaceNameContains(const Place& place, const QString& text) {
    const QString key = SearchForm(text);
    if (SearchForm(QString::fromStdString(place.name)).contains(key)) return true;
    for (const QString& other : OtherNames(place))
        if (SearchForm(other).contains(key)) return true;
    return false;
}

ParsedCoordinate ParseCoordinate(const QString& text, CoordinateAxis axis) {
    ParsedCoordinate result;
    QString s = text.trimmed();
    if (s.isEmpty()) return {0, CoordinateError::kEmpty};
    // One hemisphere letter, before or after the number; letters elsewhere are no coordinate.
    int sign = 1;
    bool lettered = false;
    const bool front = s.front().isLetter(), back = s.size() > 1 && s.back().isLetter();
    if (front && back) return {0, CoordinateError::kSyntax};
    if (front || back) {
        const QChar c = front ? s.front() : s.back();
        s = (front ? s.mid(1) : s.chopped(1)).trimmed();
        for (const QChar x : s)
            if (x.isLetter()) return {0, CoordinateError::kSyntax};
        const std::optional<int> h = HemisphereSign(c, axis);
        if (!h) return {0, CoordinateError::kSyntax};
        if (*h == 0) return {0, CoordinateError::kHemisphere};
        sign = *h;
        lettered = true;
    } else {
        for (const QChar x : s)
            if (x.isLetter()) return {0, CoordinateError::kSyntax};
    }
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QChar(0x2212)) || s.startsWith(QLatin1Char('+'))) {
        if (lettered) return {0, CoordinateError::kHemisphere};
        if (s.front() != QLatin1Char('+')) sign = -1;
        s = s.mid(1);
    }
    // The marks of degrees, minutes and seconds (and their typewriter stand-ins) separate the parts.
    static const QRegularExpression marks(QStringLiteral("[°º˚′″'\"’”]"));
    s.replace(marks, QStringLiteral(" "));
    s.replace(QLatin1Char(','), QLatin1Char('.'));  // a German decimal comma
    const QStringList parts = s.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 3) return {0, CoordinateError::kSyntax};
    static const QRegularExpression number(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+(\\.[0-9]+)?")));
    double value = 0, unit = 1;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QRegularExpressionMatch m = number.match(parts[i]);
        if (!m.hasMatch()) return {0, CoordinateError::kSyntax};
        if (m.capturedLength(1) > 0 && i + 1 < parts.size()) return {0, CoordinateError::kSyntax};
        const double v = parts[i].toDouble();
        if (i > 0 && v >= 60) return {0, CoordinateError::kMinutes};
        value += v / unit;
        unit *= 60;
    }
    const double limit = axis == CoordinateAxis::kLatitude ? 90 : 180;
    if (value > limit) return {0, CoordinateError::kOutOfRange};
    result.degrees = sign * value;
    return result;
}

int NearestPlace(const Catalogs& catalogs, double latitude, double longitude) {
    constexpr double kRad = M_PI / 180;
    int best = -1;
    double bestCos = -2;
    const double sinLat = std::sin(latitude * kRad), cosLat = std::cos(latitude * kRad);
    for (std::size_t k = 0; k < catalogs.places.size(); ++k) {
        const Place& p = catalogs.places[k];
        // The cosine of the central angle: the largest is the nearest.
        const double c = sinLat * std::sin(p.latitude * kRad) +
                         cosLat * std::cos(p.latitude * kRad) * std::cos((p.longitude - longitude) * kRad);
        if (c > bestCos) {
            bestCos = c;
            best = static_cast<int>(k);
        }
    }
    return best;
}

std::optional<double> ZoneStandardOffsetHours(const std::string& ianaId) {
    const QByteArray id = QByteArray::fromStdString(ianaId);
    if (id.isEmpty()) return std::nullopt;
    const QTimeZone zone(id);
    if (!zone.isValid()) return std::nullopt;
    return zone.standardTimeOffset(QDateTime::currentDateTimeUtc()) / 3600.0;
}

bool StorableName(const QString& name) {
    return !name.trimmed().isEmpty() && FromCp1252(ToCp1252(name)) == name;
}

std::optional<Place> MakeOwnPlace(const QString& name, double latitude, double longitude,
                                  const std::string& zoneId) {
    const QString trimmed = name.simplified();
    if (!StorableName(trimmed) || !(std::abs(latitude) <= 90) || !(std::abs(longitude) <= 180)) return std::nullopt;
    const std::optional<double> offset = ZoneStandardOffsetHours(zoneId);
    if (!offset) return std::nullopt;
    Place p;
    p.name = trimmed.toStdString();
    p.rawName = ToCp1252(trimmed);
    p.latitude = latitude;
    p.longitude = longitude;
    p.zone = *offset;
    p.zoneId = zoneId;
    return p;
}

}  // namespace noctaris
