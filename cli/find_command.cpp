// `noctaris-cli find NAME`: what the named object is, where it stands at the place and moment,
// and its rise, culmination and set on the place's day, as the main window's Find tells it.
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "astro/core/body.h"
#include "catalog/catalog.h"
#include "catalog/deep_sky.h"
#include "catalog/object_index.h"
#include "chart/found_object.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "cli/report_support.h"

namespace noctaris::cli {
namespace {

// The object's identity in the machine formats, English in every language.
QString IdentityName(const Catalogs& catalogs, const SkyObjectRef& object) {
    switch (object.kind) {
    case SkyObjectKind::Star:
        return QString::fromStdString(catalogs.StarNameOf(static_cast<std::size_t>(object.number)).utf8);
    case SkyObjectKind::Body:
        return QString::fromLatin1(BodyName(static_cast<Body>(object.number)));
    case SkyObjectKind::Constellation:
        return QString::fromStdString(catalogs.constellations[static_cast<std::size_t>(object.number)].latin);
    case SkyObjectKind::DeepSky: {
        const DeepSkyObject& o = LoadDeepSky().at(static_cast<std::size_t>(object.number));
        const QString designation = QString::fromStdString(o.designations.front());
        return o.englishName.empty() ? designation
                                     : QString::fromStdString(o.englishName) + QStringLiteral(" (") + designation + QLatin1Char(')');
    }
    }
    return {};
}

QString KindName(const SkyObjectRef& object) {
    switch (object.kind) {
    case SkyObjectKind::Star: return QStringLiteral("star");
    case SkyObjectKind::Constellation: return QStringLiteral("constellation");
    case SkyObjectKind::DeepSky: return QStringLiteral("deep-sky object");
    case SkyObjectKind::Body:
        if (object.number == static_cast<int>(Body::Sun)) return QStringLiteral("sun");
        if (object.number == static_cast<int>(Body::Moon)) return QStringLiteral("moon");
        return QStringLiteral("planet");
    }
    return {};
}

}  // namespace

SkyObjectRef FindObjectOrRefuse(const ObjectIndex& index, const QString& typed) {
    if (const std::optional<SkyObjectRef> object = index.Find(typed.toStdString())) return *object;
    QStringList closest;
    for (const std::string& n : index.Closest(typed.toStdString())) closest << QString::fromStdString(n);
    throw UsageError(QStringLiteral("unknown object '%1' (closest: %2)").arg(typed, QuotedList(closest)));
}

int RunFind(const QStringList& args) {
    CommandParser cmd(QStringLiteral("find"),
                      QStringLiteral("Finds a star, the Sun, the Moon, a planet, a constellation or a deep-sky object by name and "
                                     "tells what it is, where it stands at the place and moment (right "
                                     "ascension and declination, azimuth and altitude) and its rise, "
                                     "culmination and set on the place's day."));
    cmd.addPositional(QStringLiteral("NAME"),
                      QStringLiteral("\"Betelgeuse\", \"alpha Ori\", \"58 Ori\", \"HIP 27989\", \"Saturn\", "
                                     "\"Orion\" or \"Ori\", \"M 31\", \"NGC 7000\", \"Andromeda Galaxy\", in English or German, "
                                     "ignoring case and accents."),
                      QStringLiteral("NAME"));
    AddReportOptions(cmd, false);
    if (!cmd.parse(args, 1, 1)) return 0;
    const Catalogs catalogs = Catalogs::Load(kCatalogStars | kCatalogConstellations);
    const ObjectIndex index = ObjectIndex::Build(catalogs);
    const QString typed = cmd.positional().first();
    const std::optional<SkyObjectRef> object = FindObjectOrRefuse(index, typed);
    const ReportRun run = ReadReportOptions(cmd);
    if (run.precise) throw UsageError(QStringLiteral("find gives the chart's classic places; --precise is not available"));

    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        if (wantText) {
            const FoundReport report = BuildFoundReport(index, catalogs, *object, observer);
            result.text = report.title + QStringLiteral("\r\n") + report.lines.join(QStringLiteral("\r\n"));
            return result;
        }
        const ChartFrame frame = MakeChartFrame(observer, 0, 0, 0);
        const FoundPlace p = PlaceFoundObject(catalogs, *object, frame, observer);
        const FoundDay day = FoundObjectDay(catalogs, *object, observer);
        const double zone = observer.TimeZone;
        const auto moment = [&](const std::optional<double>& jd) { return jd ? IsoLocal(*jd, zone) : Value(); };
        constexpr double kDegPerRad = 180.0 / 3.14159265358979323846;
        Record r = MomentFields(frame.JulianDay, zone);
        r.push_back({"name", IdentityName(catalogs, *object)});
        r.push_back({"kind", KindName(*object)});
        r.push_back({"magnitude", p.magnitude ? Number(*p.magnitude) : Value()});
        r.push_back({"right_ascension_deg", Number(p.ra * kDegPerRad)});
        r.push_back({"declination_deg", Number(p.dec * kDegPerRad)});
        r.push_back({"azimuth_deg", p.horizontal ? Number(p.azimuth) : Value()});
        r.push_back({"altitude_deg", Number(p.altitude)});
        r.push_back({"rise", moment(day.rise)});
        r.push_back({"culmination", moment(day.culmination)});
        r.push_back({"set", moment(day.set)});
        r.push_back({"always_above", day.alwaysAbove});
        r.push_back({"always_below", day.alwaysBelow});
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

}  // namespace noctaris::cli
