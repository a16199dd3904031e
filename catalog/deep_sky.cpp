#include "catalog/deep_sky.h"

#include <cmath>
#include <numbers>

#include <QCoreApplication>
#include <QLocale>

#include "platform/codec.h"

namespace noctaris {
namespace {

std::vector<std::string_view> Fields(std::string_view line, char separator) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = line.find(separator, start);
        out.push_back(line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return out;
        start = at + 1;
    }
}

DeepSkyKind KindOf(std::string_view code) {
    switch (code.size() == 1 ? code[0] : '?') {
    case 'G': return DeepSkyKind::Galaxy;
    case 'O': return DeepSkyKind::OpenCluster;
    case 'C': return DeepSkyKind::GlobularCluster;
    case 'P': return DeepSkyKind::PlanetaryNebula;
    case 'N': return DeepSkyKind::BrightNebula;
    case 'D': return DeepSkyKind::DarkNebula;
    case 'X': return DeepSkyKind::Other;
    default: return static_cast<DeepSkyKind>(-1);
    }
}

}  // namespace

std::vector<DeepSkyObject> BuildDeepSky(const std::vector<std::string>& lines, std::string_view resource) {
    const std::string res(resource);
    constexpr double kPi = std::numbers::pi;
    std::vector<DeepSkyObject> out;
    out.reserve(lines.size());
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::size_t n = l + 1;
        const std::vector<std::string_view> f = Fields(lines[l], '\t');
        if (f.size() != 12) throw ResourceError(res, "12 fields expected, " + std::to_string(f.size()) + " found", n);
        DeepSkyObject o;
        o.ra = ParseResourceNumber(f[0], resource, n);
        o.dec = ParseResourceNumber(f[1], resource, n);
        if (!(o.ra >= 0 && o.ra <= 2 * kPi)) throw ResourceError(res, "right ascension outside 0..2 pi", n);
        if (!(std::fabs(o.dec) <= kPi / 2)) throw ResourceError(res, "declination outside -pi/2..pi/2", n);
        o.kind = KindOf(f[2]);
        if (static_cast<int>(o.kind) < 0) throw ResourceError(res, "unknown kind '" + std::string(f[2]) + "'", n);
        o.type = std::string(f[3]);
        if (!f[4].empty()) o.magnitude = ParseResourceNumber(f[4], resource, n);
        o.majorAxis = ParseResourceNumber(f[5], resource, n);
        o.minorAxis = ParseResourceNumber(f[6], resource, n);
        if (!(o.majorAxis >= 0 && o.minorAxis >= 0 && o.majorAxis < 10800))
            throw ResourceError(res, "size outside 0..180 degrees", n);
        if (!f[7].empty()) o.positionAngle = ParseResourceNumber(f[7], resource, n);
        o.constellation = std::string(f[8]);
        for (const std::string_view d : Fields(f[9], ','))
            if (!d.empty()) o.designations.push_back(Cp1252ToUtf8(d));
        if (o.designations.empty()) throw ResourceError(res, "no designation", n);
        o.englishName = Cp1252ToUtf8(f[10]);
        o.germanName = Cp1252ToUtf8(f[11]);
        out.push_back(std::move(o));
    }
    return out;
}

std::vector<MilkyWayOutline> BuildMilkyWay(const std::vector<std::string>& lines, std::string_view resource) {
    const std::string res(resource);
    constexpr double kRad = std::numbers::pi / 180;
    std::vector<MilkyWayOutline> out;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::size_t n = l + 1;
        const std::vector<std::string_view> f = Fields(lines[l], '\t');
        if (f.size() < 4) throw ResourceError(res, "an outline needs a level and three points", n);
        MilkyWayOutline o;
        o.level = ParseResourceInteger(f[0], resource, n);
        if (o.level < 1 || o.level > 5) throw ResourceError(res, "level outside 1..5", n);
        for (std::size_t i = 1; i < f.size(); ++i) {
            const std::size_t blank = f[i].find(' ');
            if (blank == std::string_view::npos) throw ResourceError(res, "point without declination", n);
            const double ra = ParseResourceNumber(f[i].substr(0, blank), resource, n);
            const double dec = ParseResourceNumber(f[i].substr(blank + 1), resource, n);
            if (!(std::fabs(ra) <= 360 && std::fabs(dec) <= 90)) throw ResourceError(res, "point off the sphere", n);
            o.ra.push_back(ra * kRad);
            o.dec.push_back(dec * kRad);
        }
        out.push_back(std::move(o));
    }
    return out;
}

const std::vector<DeepSkyObject>& LoadDeepSky() {
    static const std::vector<DeepSkyObject> objects = BuildDeepSky(LoadTextResource("DSO"));
    return objects;
}

const std::vector<MilkyWayOutline>& LoadMilkyWay() {
    static const std::vector<MilkyWayOutline> outlines = BuildMilkyWay(LoadTextResource("MILKY"));
    return outlines;
}

QString DeepSkyTypeName(const DeepSkyObject& object) {
    static const struct {
        const char* code;
        const char* name;
    } kTypes[] = {
        {"s", QT_TRANSLATE_NOOP("DeepSky", "Spiral galaxy")},
        {"s0", QT_TRANSLATE_NOOP("DeepSky", "Lenticular galaxy")},
        {"e", QT_TRANSLATE_NOOP("DeepSky", "Elliptical galaxy")},
        {"i", QT_TRANSLATE_NOOP("DeepSky", "Irregular galaxy")},
        {"sd", QT_TRANSLATE_NOOP("DeepSky", "Dwarf spheroidal galaxy")},
        {"g", QT_TRANSLATE_NOOP("DeepSky", "Galaxy")},
        {"oc", QT_TRANSLATE_NOOP("DeepSky", "Open cluster")},
        {"gc", QT_TRANSLATE_NOOP("DeepSky", "Globular cluster")},
        {"pn", QT_TRANSLATE_NOOP("DeepSky", "Planetary nebula")},
        {"bn", QT_TRANSLATE_NOOP("DeepSky", "Bright nebula")},
        {"rn", QT_TRANSLATE_NOOP("DeepSky", "Reflection nebula")},
        {"en", QT_TRANSLATE_NOOP("DeepSky", "Emission nebula")},
        {"sfr", QT_TRANSLATE_NOOP("DeepSky", "Star-forming nebula")},
        {"snr", QT_TRANSLATE_NOOP("DeepSky", "Supernova remnant")},
        {"dn", QT_TRANSLATE_NOOP("DeepSky", "Dark nebula")},
        {"sc", QT_TRANSLATE_NOOP("DeepSky", "Star cloud")},
        {"ds", QT_TRANSLATE_NOOP("DeepSky", "Double star")},
        {"as", QT_TRANSLATE_NOOP("DeepSky", "Asterism")},
    };
    for (const auto& t : kTypes)
        if (object.type == t.code) return QCoreApplication::translate("DeepSky", t.name);
    return QCoreApplication::translate("DeepSky", "Deep-sky object");
}

QString DeepSkySizeText(const DeepSkyObject& object) {
    if (!(object.majorAxis > 0)) return {};
    const QLocale locale;
    const auto arcmin = [&](double v) {
        return (v >= 10 ? locale.toString(std::nearbyint(v), 'f', 0) : locale.toString(v, 'f', 1)) + QStringLiteral("′");
    };
    if (object.minorAxis > 0 && object.minorAxis != object.majorAxis)
        return arcmin(object.majorAxis) + QStringLiteral(" × ") + arcmin(object.minorAxis);
    return arcmin(object.majorAxis);
}

}  // namespace noctaris
