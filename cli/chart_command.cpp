#include "cli/chart_command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include <QGuiApplication>
#include <QImage>
#include <QMessageLogContext>
#include <QString>

#include "astro/errors.h"
#include "astro/timebase.h"
#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "chart/state.h"
#include "platform/atomic_write.h"
#include "platform/pictures.h"


namespace noctaris::cli {

const char* const kChartUsage =
    "  chart        render the sky chart to a PNG file:\n"
    "               --place NAME        observation place (default \"Chemnitz, D\")\n"
    "               --date YYYY-MM-DD   local date (required)\n"
    "               --time HH:MM[:SS]   local clock time (required)\n"
    "               --azimuth DEG       azimuth at the centre, -180..180 (0 south, 90 west)\n"
    "               --size WxH          image size in pixels (default 1029x664)\n"
    "               --summer-time       consider summer time\n"
    "               --star-names 0..3   star names: none, < 2.5 mag, < 3.5 mag, all\n"
    "               --constellation-names 0..3   none, vernacular, Latin, abbreviation\n"
    "               --show LIST         comma-separated: ecliptic, equator, grid, meridian,\n"
    "                                   altitude, moon, horizon, lines, borders, white, info,\n"
    "                                   zodiac, jupiter, venus\n"
    "               --out FILE.png      output file (required)\n";

namespace {

struct UsageError {
    std::string message;
};

[[noreturn]] void Fail(std::string message) { throw UsageError{std::move(message)}; }

// Whole-string decimal integer.
std::optional<long> ParseInt(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<double> ParseNumber(const std::string& s) {
    if (s.empty()) return std::nullopt;
    for (char c : s)  // plain decimal notation only; no locale, no hex, no inf/nan
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (errno != 0 || end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Splits "a<sep>b<sep>c" into at most `n` integer fields; all must be present.
bool SplitInts(std::string_view s, char sep, long* out, int minFields, int maxFields, int& count) {
    count = 0;
    while (true) {
        const auto pos = s.find(sep);
        const std::string_view field = s.substr(0, pos);
        const auto v = ParseInt(field);
        if (!v || count == maxFields) return false;
        out[count++] = *v;
        if (pos == std::string_view::npos) break;
        s.remove_prefix(pos + 1);
    }
    return count >= minFields;
}

void ParseDate(const std::string& text, ObserverState& st) {
    long f[3];
    int n = 0;
    if (!SplitInts(text, '-', f, 3, 3, n) || f[0] < 1 || f[0] > 9999 || f[1] < 1 || f[1] > 12 ||
        f[2] < 1 || f[2] > DaysInMonth(static_cast<int>(f[0]), static_cast<int>(f[1])))
        Fail("invalid date '" + text + "' (expected YYYY-MM-DD)");
    try {
        DateToJD(static_cast<int>(f[0]), static_cast<int>(f[1]), static_cast<int>(f[2]));
    } catch (const ConversionError&) {
        Fail("invalid date '" + text + "' (not a day of the calendar)");
    }
    st.Year = static_cast<int>(f[0]);
    st.Month = static_cast<int>(f[1]);
    st.Day = static_cast<int>(f[2]);
}

void ParseTime(const std::string& text, ObserverState& st) {
    long f[3] = {0, 0, 0};
    int n = 0;
    if (!SplitInts(text, ':', f, 2, 3, n) || f[0] > 23 || f[1] > 59 || f[2] > 59)
        Fail("invalid time '" + text + "' (expected HH:MM:SS)");
    st.Hour = static_cast<int>(f[0]);
    st.Minute = static_cast<int>(f[1]);
    st.Second = static_cast<int>(f[2]);
}

QSize ParseSize(const std::string& text) {
    long f[2];
    int n = 0;
    const auto x = text.find('x');
    if (x == std::string::npos || !SplitInts(text.substr(0, x), ',', f, 1, 1, n) ||
        !SplitInts(text.substr(x + 1), ',', f + 1, 1, 1, n) || f[0] < 16 || f[1] < 16 ||
        f[0] > 8192 || f[1] > 8192)
        Fail("invalid size '" + text + "' (expected WxH, 16..8192 pixels each)");
    return QSize(static_cast<int>(f[0]), static_cast<int>(f[1]));
}

int ParseMode(const std::string& option, const std::string& text) {
    const auto v = ParseInt(text);
    if (!v || *v > 3) Fail("invalid value '" + text + "' for " + option + " (expected 0..3)");
    return static_cast<int>(*v);
}

void ParseShow(const std::string& text, DisplayOptions& o) {
    std::string_view rest = text;
    while (true) {
        const auto pos = rest.find(',');
        const std::string_view name = rest.substr(0, pos);
        if (name == "ecliptic") o.ShowEcliptic = true;
        else if (name == "equator") o.ShowEquator = true;
        else if (name == "grid") o.ShowGrid = true;
        else if (name == "meridian") o.ShowMeridian = true;
        else if (name == "altitude") o.ShowAltitudeLines = true;
        else if (name == "moon") o.ShowMoon = true;
        else if (name == "horizon") o.ShowHorizonFigure = true;
        else if (name == "lines") o.ShowConstellationLines = true;
        else if (name == "borders") o.ShowConstellationBorders = true;
        else if (name == "white") o.WhiteStars = true;
        else if (name == "info") o.ShowStarInfo = true;
        else if (name == "zodiac") o.ShowZodiac = true;
        else if (name == "jupiter") o.ShowJupiterMoons = true;
        else if (name == "venus") o.ShowVenusPhase = true;
        else Fail("unknown --show item '" + std::string(name) + "'");
        if (pos == std::string_view::npos) break;
        rest.remove_prefix(pos + 1);
    }
}

void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "noctaris-cli chart: %s\n", message.toLocal8Bit().constData());
}

struct ChartRequest {
    std::string place = "Chemnitz, D";
    ObserverState state;
    DisplayOptions options;
    double azimuth = 0;
    QSize size{1029, 664};
    std::string out;
};

ChartRequest ParseArguments(int argc, char** argv) {
    ChartRequest r;
    bool haveDate = false, haveTime = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= argc) Fail("option " + arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--place") r.place = value();
        else if (arg == "--date") { ParseDate(value(), r.state); haveDate = true; }
        else if (arg == "--time") { ParseTime(value(), r.state); haveTime = true; }
        else if (arg == "--azimuth") {
            const std::string v = value();
            const auto a = ParseNumber(v);
            if (!a || *a < -180 || *a > 180)
                Fail("invalid azimuth '" + v + "' (expected -180..180 degrees)");
            r.azimuth = *a;
        } else if (arg == "--size") r.size = ParseSize(value());
        else if (arg == "--summer-time" && !inlineValue) r.state.ConsiderSummerTime = true;
        else if (arg == "--star-names") r.options.StarNameMode = ParseMode(arg, value());
        else if (arg == "--constellation-names")
            r.options.ConstellationNameMode = ParseMode(arg, value());
        else if (arg == "--show") ParseShow(value(), r.options);
        else if (arg == "--out") r.out = value();
        else Fail("unknown option '" + std::string(argv[i]) + "'");
    }
    if (!haveDate) Fail("missing --date");
    if (!haveTime) Fail("missing --time");
    if (r.out.empty()) Fail("missing --out");
    return r;
}

}  // namespace

int RunChartCommand(int argc, char** argv) {
    ChartRequest request;
    try {
        request = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "noctaris-cli chart: %s\n", e.message.c_str());
        return 2;
    }

    try {
        const Catalogs catalogs = Catalogs::LoadAll();
        const int place = catalogs.FindPlace(request.place);
        if (place < 0) {
            std::fprintf(stderr, "noctaris-cli chart: unknown place '%s'\n", request.place.c_str());
            return 2;
        }
        const Place& p = catalogs.places[static_cast<std::size_t>(place)];
        request.state.PlaceName = p.name;
        request.state.Latitude = p.latitude;
        request.state.Longitude = p.longitude;
        request.state.TimeZone = p.zone;

        // Painting text needs a GUI application; without a display it runs offscreen. Qt's
        // chatter about the environment (runtime folders, fonts) is not the user's business.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietQtMessages);
        int qtArgc = 1;
        char name[] = "noctaris-cli";
        char* qtArgv[] = {name, nullptr};
        QGuiApplication app(qtArgc, qtArgv);

        SkyChart chart(catalogs);
        ChartBodies bodies;  // Sun, Moon (with "moon") and planets
        bodies.InstallOn(chart);
        ChartPanels panels;  // Jupiter's moons and the Venus phase (with "jupiter", "venus")
        panels.InstallOn(chart);
        if (request.options.ShowHorizonFigure)
            chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
        ChartObjectLists lists;
        const QImage image =
            chart.Redraw(request.size, request.state, request.options, request.azimuth, lists);
        QString reason;
        if (!SavePngAtomically(QString::fromStdString(request.out), image, &reason)) {
            std::fprintf(stderr, "noctaris-cli chart: cannot write '%s': %s\n", request.out.c_str(),
                         reason.toLocal8Bit().constData());
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "noctaris-cli chart: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace noctaris::cli
