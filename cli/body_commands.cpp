// `noctaris-cli planet NAME | star NAME`: what the planet window and a click on a star show.
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "catalog/catalog.h"
#include "chart/picking.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "cli/report_support.h"
#include "windows/ephemeris_window.h"
#include "windows/planet_window.h"

namespace noctaris::cli {
namespace {

constexpr double kDegreesPerHour = 15;

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The planet a user named, in any letter case; UsageError for anything but the seven planets.
Body TypedPlanet(const QString& typed) {
    const std::optional<Body> body = BodyFromName(typed.toStdString());
    if (body && IsPlanet(*body) && *body != Body::Earth) return *body;
    QStringList names;
    for (const Body p : kObservedPlanets) names << QString::fromLatin1(BodyName(p)).toLower();
    throw UsageError(QStringLiteral("unknown planet '%1' (expected %2)").arg(typed, names.join(QStringLiteral(", "))));
}

// A star details value: a number, or nothing for the "-10000" of an absent value.
Value DetailNumber(const std::string& text, double factor = 1) {
    bool ok = false;
    const double v = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toDouble(&ok);
    return ok && text != "-10000" ? Number(v * factor) : Value();
}

// The star a user named: its full name ("CMa Alpha,Sirius"), its proper name ("Sirius") or its
// designation ("CMa Alpha"), ignoring case. UsageError with the three closest names otherwise.
std::size_t FindStar(const Catalogs& catalogs, const QString& typed) {
    const QString key = typed.trimmed().toCaseFolded();
    QStringList names;
    for (std::size_t i = 0; i < catalogs.starNames.size(); ++i) {
        const QString full = Utf8(catalogs.starNames[i].utf8);
        const qsizetype comma = full.indexOf(QLatin1Char(','));
        if (full.toCaseFolded() == key ||
            (comma > 0 && (full.left(comma).toCaseFolded() == key || full.mid(comma + 1).toCaseFolded() == key)))
            return i;
        names << full;
    }
    throw UsageError(QStringLiteral("unknown star '%1' (closest: %2)").arg(typed, QuotedList(ClosestNames(typed, names, true))));
}

}  // namespace

int RunPlanet(const QStringList& args) {
    CommandParser cmd(QStringLiteral("planet"),
                      QStringLiteral("What the planet window shows: the planet's fixed data and "
                                     "the values computed for a place and moment (coordinates, "
                                     "distances, light time, diameter, magnitude, rise and set)."));
    cmd.addPositional(QStringLiteral("NAME"), QStringLiteral("mercury, venus, mars, jupiter, saturn, uranus or neptune."),
                      QStringLiteral("NAME"));
    AddReportOptions(cmd, true);
    if (!cmd.parse(args, 1, 1)) return 0;
    const Body body = TypedPlanet(cmd.positional().first());
    const QString planet = QString::fromLatin1(BodyName(body));
    const ReportRun run = ReadReportOptions(cmd);
    const QString data = PlanetDataBlock(body);
    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        PlanetSnapshot snapshot;
        static_cast<MomentSnapshot&>(snapshot) = MomentSnapshot::Of(observer);
        snapshot.Planet = body;
        const auto compute = run.precise ? ComputePrecisePlanetInfo : ComputePlanetInfo;
        const PlanetInfo info = compute(body, PlanetMomentJD(snapshot), observer.Latitude,
                                        observer.Longitude, snapshot.TimeZone);
        if (wantText) {
            // The window: the name, the fixed data, then the computed block.
            result.text = planet + QStringLiteral("\r\n") + data + QStringLiteral("\r\n") +
                          PlanetComputedBlock(OnOwnClock(info, snapshot));
            return result;
        }
        PlanetSnapshot midnight = snapshot;
        midnight.Hour = midnight.Minute = midnight.Second = 0;
        const double jdMidnight = PlanetMomentJD(midnight), zone = snapshot.TimeZone;
        const PlanetEphemerisRecord& p = info.Record;
        Record r = MomentFields(PlanetMomentJD(snapshot), zone);
        AddFrame(r, run.precise);
        AddPlanetFields(r, planet, p, LightTimeSeconds(p.Distance), info.RiseAndSet, jdMidnight, snapshot.ClockZone());
        QString lines = PlanetDataBlock(body, false);  // records stay English in every language
        r.push_back({"data", lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed()});
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

int RunStar(const QStringList& args) {
    CommandParser cmd(QStringLiteral("star"),
                      QStringLiteral("The star information a click on a star shows: constellation, "
                                     "magnitudes, distance, spectral class and position."));
    cmd.addPositional(QStringLiteral("NAME"),
                      QStringLiteral("The star: \"Sirius\", \"CMa Alpha\" or \"CMa Alpha,Sirius\", ignoring case."),
                      QStringLiteral("NAME"));
    cmd.addFormat({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    cmd.addOut(QStringLiteral("Write to this file instead of standard output."));
    if (!cmd.parse(args, 1, 1)) return 0;
    const QString format = cmd.format();
    if (cmd.isSet(QStringLiteral("out"))) CheckOutputPath(cmd.out());

    const Catalogs catalogs = Catalogs::Load(kCatalogStars | kCatalogConstellations);
    const StarName& star = catalogs.starNames[FindStar(catalogs, cmd.positional().first())];
    const std::optional<StarDetails> details = FindStarDetails(star.raw);
    QByteArray bytes;
    if (format == QLatin1String("text")) {
        bytes = TextOutput(StarInfoDisplayText(BuildStarInfoText(star.raw, details, catalogs.constellations)));
    } else {
        const int c = catalogs.FindConstellation(std::string_view(star.raw).substr(0, 3));
        Record r = {{"name", Utf8(star.utf8)},
                    {"constellation", c >= 0 ? Value(Utf8(catalogs.constellations[static_cast<std::size_t>(c)].latin)) : Value()}};
        const auto detail = [&](auto get, double factor = 1) {
            return details ? DetailNumber(((*details).*get)(), factor) : Value();
        };
        r.push_back({"absolute_magnitude", detail(&StarDetails::AbsoluteMagnitude)});
        r.push_back({"apparent_magnitude", detail(&StarDetails::ApparentMagnitude)});
        r.push_back({"distance_ly", detail(&StarDetails::DistanceLightYears)});
        r.push_back({"spectral_class", details ? Value(QString::fromStdString(details->SpectralClassText())) : Value()});
        r.push_back({"right_ascension_deg", detail(&StarDetails::RightAscensionHours, kDegreesPerHour)});
        r.push_back({"declination_deg", detail(&StarDetails::DeclinationDegrees)});
        bytes = format == QLatin1String("csv") ? ToCsv({r}) : ToJson({}, {r});
    }
    Emit(bytes, cmd.out());
    return 0;
}

}  // namespace noctaris::cli
