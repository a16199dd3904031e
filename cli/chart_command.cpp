// `noctaris-cli chart`: the sky chart of a place and moment as a PNG image, or as a PDF or SVG
// sheet with its legend.
#include <cmath>
#include <string_view>

#include <QFileInfo>
#include <QImage>
#include <QString>

#include "catalog/catalog.h"
#include "catalog/object_index.h"
#include "chart/bodies.h"
#include "chart/chart_sheet.h"
#include "chart/found_object.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "chart/state.h"
#include "chart/view.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "platform/pictures.h"

namespace noctaris::cli {
namespace {

// A number of degrees within [low, high] in plain decimal notation (no exponent, inf or nan).
double ParseDegrees(const QString& text, const char* what, double low, double high) {
    bool plain = !text.isEmpty();
    for (const QChar c : text)
        plain = plain && (c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+'));
    bool ok = false;
    const double a = plain ? text.toDouble(&ok) : 0;  // toDouble is locale-independent
    if (!ok || !std::isfinite(a) || a < low || a > high)
        throw UsageError(QStringLiteral("invalid %1 '%2' (expected %3..%4 degrees)")
                             .arg(QLatin1String(what), text, QString::number(low), QString::number(high)));
    return a;
}

double ParseAzimuth(const QString& text) { return ParseDegrees(text, "azimuth", -180, 180); }

void ParseShow(const QString& text, DisplayOptions& o) {
    for (const QString& name : text.split(QLatin1Char(','))) {
        if (name == QLatin1String("ecliptic")) o.ShowEcliptic = true;
        else if (name == QLatin1String("equator")) o.ShowEquator = true;
        else if (name == QLatin1String("grid")) o.ShowGrid = true;
        else if (name == QLatin1String("meridian")) o.ShowMeridian = true;
        else if (name == QLatin1String("altitude")) o.ShowAltitudeLines = true;
        else if (name == QLatin1String("moon")) o.ShowMoon = true;
        else if (name == QLatin1String("horizon")) o.ShowHorizonFigure = true;
        else if (name == QLatin1String("lines")) o.ShowConstellationLines = true;
        else if (name == QLatin1String("borders")) o.ShowConstellationBorders = true;
        else if (name == QLatin1String("white")) o.WhiteStars = true;
        else if (name == QLatin1String("info")) o.ShowStarInfo = true;
        else if (name == QLatin1String("zodiac")) o.ShowZodiac = true;
        else if (name == QLatin1String("jupiter")) o.ShowJupiterMoons = true;
        else if (name == QLatin1String("venus")) o.ShowVenusPhase = true;
        else if (name == QLatin1String("dso")) o.ShowDeepSky = true;
        else if (name == QLatin1String("milkyway")) o.ShowMilkyWay = true;
        else throw UsageError(QStringLiteral("unknown --show item '%1'").arg(name));
    }
}

int ParseMode(const QString& option, const QString& text) {
    if (text.size() != 1 || text[0] < QLatin1Char('0') || text[0] > QLatin1Char('3'))
        throw UsageError(QStringLiteral("invalid value '%1' for --%2 (expected 0..3)").arg(text, option));
    return text[0].unicode() - '0';
}

}  // namespace

int RunChart(const QStringList& args) {
    CommandParser cmd(QStringLiteral("chart"),
                      QStringLiteral("Renders the sky chart of a place and moment to a PNG file, "
                                     "as the main window draws it, or to a PDF or SVG file (by "
                                     "the extension of --out) with a legend beneath."));
    cmd.addPlace();
    cmd.addMoment(false);
    cmd.add({QStringLiteral("azimuth"),
             QStringLiteral("Azimuth at the centre, -180..180 degrees (0 south, 90 west)."),
             QStringLiteral("deg"), QStringLiteral("0")});
    cmd.add({QStringLiteral("fov"),
             QStringLiteral("Degrees of azimuth across the chart, 5..180 (default 180: the whole "
                            "half of the sky; closer views show stars to 6.5 mag)."),
             QStringLiteral("deg"), QStringLiteral("180")});
    cmd.add({QStringLiteral("altitude"),
             QStringLiteral("Altitude at the centre of the chart in degrees; the view stops at the "
                            "zenith and 20 degrees below the horizon (default: the horizon near "
                            "the bottom edge)."),
             QStringLiteral("deg")});
    cmd.add({QStringLiteral("look-at"),
             QStringLiteral("A star, body or constellation (as `find` takes it) to centre the chart "
                            "on and mark; --azimuth and --altitude are then ignored."),
             QStringLiteral("name")});
    cmd.add({QStringLiteral("size"), QStringLiteral("Image size in pixels (default 1029x664)."),
             QStringLiteral("WxH"), QStringLiteral("1029x664")});
    cmd.add({QStringLiteral("star-names"),
             QStringLiteral("Star names: 0 none, 1 brighter than 2.5 mag, 2 brighter than 3.5 mag, 3 all."),
             QStringLiteral("0..3"), QStringLiteral("0")});
    cmd.add({QStringLiteral("constellation-names"),
             QStringLiteral("Constellation names: 0 none, 1 vernacular, 2 Latin, 3 abbreviation."),
             QStringLiteral("0..3"), QStringLiteral("0")});
    cmd.add({QStringLiteral("show"),
             QStringLiteral("Comma-separated: ecliptic, equator, grid, meridian, altitude, moon, "
                            "horizon, lines, borders, white, info, zodiac, jupiter, venus, dso "
                            "(deep-sky objects), milkyway."),
             QStringLiteral("list")});
    cmd.add({QStringLiteral("drawing"),
             QStringLiteral("smooth (antialiased, round star discs, the sky coloured by the Sun) "
                            "or classic (the pixel-exact picture)."),
             QStringLiteral("style"), QStringLiteral("smooth")});
    cmd.add({QStringLiteral("scheme"),
             QStringLiteral("Colours: screen (as drawn on the screen), white (black on white, to "
                            "print) or night (dim red on black, the program's night vision)."),
             QStringLiteral("scheme"), QStringLiteral("screen")});
    cmd.addOut(QStringLiteral("The file to write (required): a PDF or SVG sheet for .pdf or .svg, "
                              "else a PNG image."));
    cmd.addPrecise(QStringLiteral("The Sun, the Moon (topocentric) and the planets stand at "
                                  "their precise places, and the stars, constellation lines and "
                                  "borders are turned to the equinox of date with them."));
    if (!cmd.parse(args)) return 0;

    ObserverState state;
    const MomentSelection when = cmd.moments();
    DisplayOptions options;
    ViewState view;
    view.CentreAzimuth = ParseAzimuth(cmd.value(QStringLiteral("azimuth")));
    view.HorizontalSpan = ParseDegrees(cmd.value(QStringLiteral("fov")), "field of view",
                                       ViewState::kNarrowestSpan, ViewState::kWidestSpan);
    if (cmd.isSet(QStringLiteral("altitude")))
        view.CentreAltitude = ParseDegrees(cmd.value(QStringLiteral("altitude")), "altitude", -90, 90);
    view = ClampedView(view);
    const QSize size = ParseSize(cmd.value(QStringLiteral("size")));
    state.ConsiderSummerTime = cmd.legalClock();
    options.StarNameMode = ParseMode(QStringLiteral("star-names"), cmd.value(QStringLiteral("star-names")));
    options.ConstellationNameMode =
        ParseMode(QStringLiteral("constellation-names"), cmd.value(QStringLiteral("constellation-names")));
    if (cmd.isSet(QStringLiteral("show"))) ParseShow(cmd.value(QStringLiteral("show")), options);
    options.PrecisePositions = cmd.precise();
    const QString drawing = cmd.value(QStringLiteral("drawing"));
    if (drawing != QLatin1String("smooth") && drawing != QLatin1String("classic"))
        throw UsageError(QStringLiteral("invalid value '%1' for --drawing (expected smooth or classic)").arg(drawing));
    options.SmoothDrawing = options.SkyColour = drawing == QLatin1String("smooth");
    const QString scheme = cmd.value(QStringLiteral("scheme"));
    if (scheme == QLatin1String("white")) options.Scheme = ChartScheme::White;
    else if (scheme == QLatin1String("night")) options.Scheme = ChartScheme::Night;
    else if (scheme != QLatin1String("screen"))
        throw UsageError(QStringLiteral("invalid value '%1' for --scheme (expected screen, white or night)").arg(scheme));
    if (!cmd.isSet(QStringLiteral("out"))) throw UsageError(QStringLiteral("missing --out"));
    // By the extension; any other name (/dev/stdout among them) gets the PNG it always had.
    QString suffix = QFileInfo(cmd.out()).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("svg")) suffix = QStringLiteral("png");
    CheckOutputPath(cmd.out());

    const Catalogs catalogs = Catalogs::Load(kCatalogAll & ~kCatalogWorldOutline);
    const bool summer = state.ConsiderSummerTime;
    state = ObserverAt(PlaceOfOptions(cmd, catalogs));
    state.ConsiderSummerTime = summer;
    SetMoment(state, when.moments.front());

    SkyChart chart(catalogs);
    ChartBodies bodies;  // Sun, Moon (with "moon") and planets
    bodies.InstallOn(chart);
    ChartPanels panels;  // Jupiter's moons and the Venus phase (with "jupiter", "venus")
    panels.InstallOn(chart);
    if (options.ShowHorizonFigure) chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    if (cmd.isSet(QStringLiteral("look-at"))) {
        const ObjectIndex index = ObjectIndex::Build(catalogs);
        const SkyObjectRef object = FindObjectOrRefuse(index, cmd.value(QStringLiteral("look-at")));
        const FoundPlace place = PlaceFoundObject(catalogs, object, MakeChartFrame(state, 0, 0, 0), state);
        // The view counts azimuth from the south through the west.
        view = LookAt(view, std::remainder(place.azimuth - 180.0, 360.0), place.altitude, std::nullopt);
        chart.foundMarker.object = object;
    }
    ChartObjectLists lists;
    if (suffix == QLatin1String("png")) {
        WriteOutputFile(cmd.out(), PngBytes(chart.Redraw(size, state, options, view, lists)));
        return 0;
    }
    const QString title = SkyChart::CaptionText(state);
    const QByteArray bytes = suffix == QLatin1String("pdf")
                                 ? ChartSheetPdf(size, title, chart, state, options, view, lists)
                                 : ChartSheetSvg(size, title, chart, state, options, view, lists);
    if (bytes.isEmpty()) throw OutputError(QStringLiteral("could not draw the chart as %1").arg(suffix.toUpper()));
    WriteOutputFile(cmd.out(), bytes);
    return 0;
}

}  // namespace noctaris::cli
