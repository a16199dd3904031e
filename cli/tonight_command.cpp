// `noctaris-cli tonight`: the night that begins on a date at a place (twilight, the Moon, the
// planets and objects named), as the Tonight window reports it, for one night or a range of
// nights, and its altitude plot as a PNG, PDF or SVG file.
#include <optional>
#include <vector>

#include <QCommandLineOption>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include "catalog/catalog.h"
#include "catalog/object_index.h"
#include "chart/projection.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "cli/report_support.h"
#include "windows/tonight_window_report.h"

namespace noctaris::cli {
namespace {

// Bright stars listed as culminating in the dark hours, at most this many.
constexpr std::size_t kCulminatingListed = 5;

// The nights of --date or --range FROM..TO (dates; one night each).
MomentSelection Nights(const CommandParser& cmd) {
    MomentSelection s;
    const bool range = cmd.isSet(QStringLiteral("range"));
    if (range == cmd.isSet(QStringLiteral("date"))) throw UsageError(QStringLiteral("give either --date or --range"));
    LocalMoment m;
    m.time = {12, 0, 0};
    if (!range) {
        m.date = ParseDate(cmd.value(QStringLiteral("date")));
        s.moments.push_back(m);
        return s;
    }
    const auto [from, to] = SplitRange(cmd.value(QStringLiteral("range")), QStringLiteral("range"));
    m.date = ParseDate(from);
    const std::int64_t a = m.Seconds();
    m.date = ParseDate(to);
    const std::int64_t b = m.Seconds();
    if (b < a) throw UsageError(QStringLiteral("the range ends before it begins"));
    if ((b - a) / 86400 >= kMaxSteps) throw UsageError(QStringLiteral("the range has more than %1 nights").arg(kMaxSteps));
    s.isRange = true;
    for (std::int64_t t = a; t <= b; t += 86400) s.moments.push_back(LocalMoment::FromSeconds(t));
    return s;
}

PlotScheme SchemeOf(const QString& name) {
    if (name == QLatin1String("screen")) return PlotScheme::Screen;
    if (name == QLatin1String("night-vision")) return PlotScheme::NightVision;
    if (name == QLatin1String("print")) return PlotScheme::Print;
    throw UsageError(QStringLiteral("--plot-colours must be screen, night-vision or print"));
}

}  // namespace

int RunTonight(const QStringList& args) {
    CommandParser cmd(QStringLiteral("tonight"),
                      QStringLiteral("The night that begins on a date at a place, from noon to noon: sunset, "
                                     "the ends of civil, nautical and astronomical twilight, their beginnings "
                                     "and sunrise; the Moon's rising, culmination and setting, its phase and "
                                     "the dark hours without it; each planet's and each named object's "
                                     "rising, culmination and setting and the best time to see it (highest "
                                     "while the sky is dark). CSV and JSON hold one record per body and "
                                     "night, each with the night's instants."));
    cmd.addPlace();
    cmd.add(QCommandLineOption(QStringLiteral("date"), QStringLiteral("The night that begins on this local date."),
                               QStringLiteral("YYYY-MM-DD")));
    cmd.add(QCommandLineOption(QStringLiteral("range"),
                               QStringLiteral("Every night from FROM to TO (both included); instead of --date."),
                               QStringLiteral("FROM..TO")));
    cmd.addClock();
    cmd.addRepeatable(QCommandLineOption(QStringLiteral("object"),
                               QStringLiteral("A star or constellation to add (repeatable), named as for find."),
                               QStringLiteral("NAME")));
    cmd.add(QCommandLineOption(QStringLiteral("plot"),
                               QStringLiteral("Also draw the night's altitude plot into this file: .png, .pdf or "
                                              ".svg (one night only)."),
                               QStringLiteral("FILE")));
    cmd.add(QCommandLineOption(QStringLiteral("plot-colours"),
                               QStringLiteral("The plot's colours: screen, night-vision or print."),
                               QStringLiteral("scheme"), QStringLiteral("screen")));
    cmd.add(QCommandLineOption(QStringLiteral("size"), QStringLiteral("The PNG or SVG plot's size in pixels."),
                               QStringLiteral("WxH"), QStringLiteral("1200x700")));
    cmd.addFormat({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    cmd.addOut(QStringLiteral("Write to this file instead of standard output."));
    cmd.addPrecise(QStringLiteral("The places of the Sun, the Moon and the planets are the precise topocentric "
                                  "places of date."));
    if (!cmd.parse(args)) return 0;

    ReportRun run;
    run.when = Nights(cmd);
    run.format = cmd.format();
    run.precise = cmd.precise();
    run.legalClock = cmd.legalClock();
    const PlotScheme scheme = SchemeOf(cmd.value(QStringLiteral("plot-colours")));
    const QSize size = ParseSize(cmd.value(QStringLiteral("size")));
    QString plot, plotKind;
    if (cmd.isSet(QStringLiteral("plot"))) {
        plot = cmd.value(QStringLiteral("plot"));
        plotKind = QFileInfo(plot).suffix().toLower();
        if (plotKind != QLatin1String("png") && plotKind != QLatin1String("pdf") && plotKind != QLatin1String("svg"))
            throw UsageError(QStringLiteral("--plot writes a .png, .pdf or .svg file"));
        if (run.when.isRange) throw UsageError(QStringLiteral("--plot draws one night: give --date"));
        CheckOutputPath(plot);
    }
    if (cmd.isSet(QStringLiteral("out"))) {
        run.out = cmd.out();
        CheckOutputPath(run.out);
    }
    const bool text = run.format == QLatin1String("text");
    const QStringList named = cmd.parser().values(QStringLiteral("object"));
    const Catalogs catalogs = Catalogs::Load(
        kCatalogPlaces | (named.isEmpty() && !text ? 0u : kCatalogStars | kCatalogConstellations));
    run.place = PlaceOfOptions(cmd, catalogs);
    std::vector<FixedObject> objects;
    if (!named.isEmpty()) {
        const ObjectIndex index = ObjectIndex::Build(catalogs);
        for (const QString& typed : named) {
            const SkyObjectRef ref = FindObjectOrRefuse(index, typed);
            std::optional<FixedObject> o = FixedObjectOf(index, catalogs, ref);
            if (!o) throw UsageError(QStringLiteral("'%1': the Sun, the Moon and the planets are in every night's report").arg(typed));
            objects.push_back(std::move(*o));
        }
    }
    const std::vector<FixedObject> bright = text ? BrightStars(catalogs) : std::vector<FixedObject>{};
    const std::vector<FixedObject> brightDeepSky = text ? BrightDeepSky() : std::vector<FixedObject>{};
    const QString placeName = QString::fromStdString(run.place.name);

    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        const CivilDate date{observer.Year, observer.Month, observer.Day};
        const TonightReport report = ComputeTonightOf(observer, date, run.precise, objects);
        const ZoneDescription zone = ChartZone(observer);
        if (!plot.isEmpty())
            WriteOutputFile(plot, TonightPlotFile(plotKind, report, zone, TonightPlotTexts(report, placeName), scheme, size));
        if (wantText) {
            std::vector<QString> culminating;
            const TonightSite site{observer.Latitude, observer.Longitude, 0};
            for (std::size_t i : CulminatingInDark(report, site, bright, kCulminatingListed))
                culminating.push_back(QString::fromStdString(bright[i].name));
            std::vector<QString> deepSky;
            for (std::size_t i : CulminatingInDark(report, site, brightDeepSky, kCulminatingListed))
                deepSky.push_back(QString::fromStdString(brightDeepSky[i].shown));
            result.text = FormatTonightReport(report, zone, placeName, culminating, deepSky);
            return result;
        }
        result.records = TonightRecords(report, zone, run.precise, run.format == QLatin1String("json"));
        return result;
    });
    return 0;
}

}  // namespace noctaris::cli
