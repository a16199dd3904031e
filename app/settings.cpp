#include "app/settings.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "catalog/place_input.h"
#include "platform/inifile.h"

namespace noctaris {
namespace {

const QString kSection = QStringLiteral("Noctaris");

// The display switches in the settings file, in the order they are written. An entry with
// neither member is the observer's summer-time switch.
struct OptionKey {
    const char* key;
    bool DisplayOptions::*flag;
    int DisplayOptions::*mode;
};
const OptionKey kOptionKeys[] = {
    {"Ekliptik", &DisplayOptions::ShowEcliptic, nullptr},
    {"Äquator", &DisplayOptions::ShowEquator, nullptr},
    {"Ksystem", &DisplayOptions::ShowGrid, nullptr},
    {"Meridian", &DisplayOptions::ShowMeridian, nullptr},
    {"Höhen", &DisplayOptions::ShowAltitudeLines, nullptr},
    {"Mond", &DisplayOptions::ShowMoon, nullptr},
    {"Sommerzeit", nullptr, nullptr},
    {"Horizont", &DisplayOptions::ShowHorizonFigure, nullptr},
    {"Sterne", nullptr, &DisplayOptions::StarNameMode},
    {"Sternbilder", nullptr, &DisplayOptions::ConstellationNameMode},
    {"Linien", &DisplayOptions::ShowConstellationLines, nullptr},
    {"SGrenzen", &DisplayOptions::ShowConstellationBorders, nullptr},
    {"WSterne", &DisplayOptions::WhiteStars, nullptr},
    {"Anzeige", &DisplayOptions::ShowStarInfo, nullptr},
    {"Tierkreis", &DisplayOptions::ShowZodiac, nullptr},
    {"Jupiter", &DisplayOptions::ShowJupiterMoons, nullptr},
    {"Venus", &DisplayOptions::ShowVenusPhase, nullptr},
};

// "Precise positions", after the other switches.
const QString kPreciseKey = QStringLiteral("Genau");

// Smooth drawing and the sky's colour by the Sun, after "Precise positions".
const QString kSmoothKey = QStringLiteral("Glatt");
const QString kSkyColourKey = QStringLiteral("Himmelsfarbe");
// Night vision, after them: the whole program in dim red.
const QString kNightKey = QStringLiteral("Nachtsicht");
// The deep-sky objects and the Milky Way, after the sky's colour.
const QString kDeepSkyKey = QStringLiteral("Nebel");
const QString kMilkyWayKey = QStringLiteral("Milchstraße");

// The information windows' positions, after the switches.
struct WindowKeys {
    const char* left;
    const char* top;
    std::optional<QPoint> AppSettings::*position;
};
const WindowKeys kWindowKeys[] = {
    {"MondLinks", "MondOben", &AppSettings::moonWindowPosition},
    {"SonneLinks", "SonneOben", &AppSettings::sunWindowPosition},
    {"EphemeridenLinks", "EphemeridenOben", &AppSettings::ephemerisWindowPosition},
};

// The save dialog's state, after the export folder.
const QString kDialogKey = QStringLiteral("Dateidialog");

// The view, after the save dialog's state.
const QString kZoomKey = QStringLiteral("Zoom");
const QString kViewAltitudeKey = QStringLiteral("Blickhöhe");
const QString kFullScreenKey = QStringLiteral("Vollbild");

// A stored number of degrees in [low, high] (decimal point, as written); nothing otherwise.
std::optional<double> StoredDegrees(const IniFile& ini, const QString& key, double low, double high) {
    bool ok = false;
    const double v = ini.ReadString(kSection, key, QString()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < low || v > high) return std::nullopt;
    return v;
}

const QString kPlacesSection = QStringLiteral("Orte");
QString OwnPlaceKey(std::size_t i) { return QStringLiteral("Ort%1").arg(i + 1); }

// "latitude;longitude;zone;name": the name last, so it may hold any character.
std::optional<Place> ReadOwnPlace(const QString& value) {
    const QStringList parts = value.split(QLatin1Char(';'));
    if (parts.size() < 4) return std::nullopt;
    bool latOk = false, lonOk = false;
    const double lat = parts[0].toDouble(&latOk), lon = parts[1].toDouble(&lonOk);
    if (!latOk || !lonOk) return std::nullopt;
    return MakeOwnPlace(parts.mid(3).join(QLatin1Char(';')), lat, lon, parts[2].trimmed().toStdString());
}

QString OwnPlaceValue(const Place& p) {
    return QStringLiteral("%1;%2;%3;%4")
        .arg(QString::number(p.latitude, 'g', 10), QString::number(p.longitude, 'g', 10),
             QString::fromStdString(p.zoneId), QString::fromStdString(p.name));
}

// Far-off values are off every screen anyway; keep them small enough for the geometry.
int Coordinate(const IniFile& ini, const QString& key) {
    return std::clamp(ini.ReadInteger(kSection, key, 0), -100000, 100000);
}

// A stored position, or nothing when either key is missing or not a number.
std::optional<QPoint> StoredPosition(const IniFile& ini, const QString& left, const QString& top) {
    // A number reads the same whatever the fallback; anything else gives the fallback.
    auto usable = [&](const QString& key) {
        return ini.ReadInteger(kSection, key, 0) == ini.ReadInteger(kSection, key, 1);
    };
    if (!usable(left) || !usable(top)) return std::nullopt;
    return QPoint(Coordinate(ini, left), Coordinate(ini, top));
}

}  // namespace

AppSettings ReadSettings(const IniFile& ini) {
    AppSettings s;
    s.place = ini.ReadString(kSection, "Ort", "");
    // Missing or not a number: the file's default. A number outside the range, however large,
    // is not taken (the window keeps its own).
    const long long speed = ini.ReadNumber(kSection, "Simulation").value_or(2);
    if (speed >= 1 && speed <= 99) s.speed = static_cast<int>(speed);
    const long long azimuth = ini.ReadNumber(kSection, "Azimut").value_or(0);
    if (azimuth >= -180 && azimuth <= 180) s.azimuth = static_cast<int>(azimuth);
    s.position = QPoint(Coordinate(ini, "Links"), Coordinate(ini, "Oben"));
    for (const OptionKey& k : kOptionKeys) {
        const QString key = QString::fromUtf8(k.key);
        if (k.flag) {
            s.display.*k.flag = ini.ReadBool(kSection, key, false);
        } else if (k.mode) {
            // The two name modes were kept in a byte; a number no byte holds is the default 0.
            const int mode = ini.ReadInteger(kSection, key, 0);
            s.display.*k.mode = mode >= 0 && mode <= 255 ? mode : 0;
        } else {
            s.considerSummerTime = ini.ReadBool(kSection, key, true);
        }
    }
    // A new settings file starts with precise positions; a file written before they existed
    // (its place stored, no key for them) keeps the classic ones it was shown.
    const bool storedBefore = ini.ValueExists(kSection, QStringLiteral("Ort"));
    s.display.PrecisePositions = ini.ReadBool(kSection, kPreciseKey, !storedBefore);
    // Likewise the smooth drawing and the sky's colour: a new file starts with them, an older
    // one keeps the classic picture.
    s.display.SmoothDrawing = ini.ReadBool(kSection, kSmoothKey, !storedBefore);
    s.display.SkyColour = ini.ReadBool(kSection, kSkyColourKey, !storedBefore);
    s.display.Scheme = ini.ReadBool(kSection, kNightKey, false) ? ChartScheme::Night : ChartScheme::Screen;
    s.display.ShowDeepSky = ini.ReadBool(kSection, kDeepSkyKey, false);
    s.display.ShowMilkyWay = ini.ReadBool(kSection, kMilkyWayKey, false);
    for (const WindowKeys& k : kWindowKeys) s.*k.position = StoredPosition(ini, k.left, k.top);
    s.exportFolder = ini.ReadString(kSection, "Exportordner", "");
    s.fileDialogState = QByteArray::fromBase64(ini.ReadString(kSection, kDialogKey, "").toLatin1());
    s.viewSpan = StoredDegrees(ini, kZoomKey, 5, 180).value_or(180);
    s.viewAltitude = StoredDegrees(ini, kViewAltitudeKey, -90, 90);
    s.fullScreen = ini.ReadBool(kSection, kFullScreenKey, false);
    for (std::size_t i = 0;; ++i) {
        const QString value = ini.ReadString(kPlacesSection, OwnPlaceKey(i), QString());
        if (value.isEmpty()) break;
        if (std::optional<Place> p = ReadOwnPlace(value)) s.ownPlaces.push_back(std::move(*p));
    }
    return s;
}

void WriteSettings(const AppSettings& s, IniFile& ini) {
    ini.WriteString(kSection, "Ort", s.place);
    if (s.speed) ini.WriteInteger(kSection, "Simulation", *s.speed);
    if (s.azimuth) ini.WriteInteger(kSection, "Azimut", *s.azimuth);
    ini.WriteInteger(kSection, "Links", s.position.x());
    ini.WriteInteger(kSection, "Oben", s.position.y());
    for (const OptionKey& k : kOptionKeys) {
        const QString key = QString::fromUtf8(k.key);
        if (k.flag) ini.WriteBool(kSection, key, s.display.*k.flag);
        else if (k.mode) ini.WriteInteger(kSection, key, s.display.*k.mode);
        else ini.WriteBool(kSection, key, s.considerSummerTime);
    }
    // Newer than the other switches: written once it has been on, so the files of those who
    // never use it stay as they were.
    if (s.display.PrecisePositions || ini.ValueExists(kSection, kPreciseKey))
        ini.WriteBool(kSection, kPreciseKey, s.display.PrecisePositions);
    if (s.display.SmoothDrawing || ini.ValueExists(kSection, kSmoothKey))
        ini.WriteBool(kSection, kSmoothKey, s.display.SmoothDrawing);
    if (s.display.SkyColour || ini.ValueExists(kSection, kSkyColourKey))
        ini.WriteBool(kSection, kSkyColourKey, s.display.SkyColour);
    const bool night = s.display.Scheme == ChartScheme::Night;
    if (night || ini.ValueExists(kSection, kNightKey)) ini.WriteBool(kSection, kNightKey, night);
    if (s.display.ShowDeepSky || ini.ValueExists(kSection, kDeepSkyKey))
        ini.WriteBool(kSection, kDeepSkyKey, s.display.ShowDeepSky);
    if (s.display.ShowMilkyWay || ini.ValueExists(kSection, kMilkyWayKey))
        ini.WriteBool(kSection, kMilkyWayKey, s.display.ShowMilkyWay);
    for (const WindowKeys& k : kWindowKeys)
        if (const std::optional<QPoint>& p = s.*k.position) {
            ini.WriteInteger(kSection, k.left, p->x());
            ini.WriteInteger(kSection, k.top, p->y());
        }
    if (!s.exportFolder.isEmpty()) ini.WriteString(kSection, "Exportordner", s.exportFolder);
    if (!s.fileDialogState.isEmpty())
        ini.WriteString(kSection, kDialogKey, QString::fromLatin1(s.fileDialogState.toBase64()));
    const bool todaysView = s.viewSpan == 180 && !s.viewAltitude && !s.fullScreen;
    if (!todaysView || ini.ValueExists(kSection, kZoomKey)) {
        ini.WriteString(kSection, kZoomKey, QString::number(s.viewSpan, 'g', 10));
        ini.WriteString(kSection, kViewAltitudeKey,
                        s.viewAltitude ? QString::number(*s.viewAltitude, 'g', 10) : QString());
        ini.WriteBool(kSection, kFullScreenKey, s.fullScreen);
    }
    std::size_t i = 0;
    for (const Place& p : s.ownPlaces) ini.WriteString(kPlacesSection, OwnPlaceKey(i++), OwnPlaceValue(p));
    for (; !ini.ReadString(kPlacesSection, OwnPlaceKey(i), QString()).isEmpty(); ++i)
        ini.WriteString(kPlacesSection, OwnPlaceKey(i), QString());
}

QString DefaultSettingsPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    return QDir(dir).filePath("noctaris.ini");
}

std::optional<AppSettings> LoadSettings(const QString& path) {
    IniFile ini(path);
    if (!ini.Exists() || !ini.Load()) return std::nullopt;
    return ReadSettings(ini);
}

bool SaveSettings(const AppSettings& settings, const QString& path, QString* error) {
    IniFile ini(path);
    if (ini.Exists()) ini.Load();  // what is stored decides whether an off switch must be written
    WriteSettings(settings, ini);
    QDir().mkpath(QFileInfo(ini.Path()).absolutePath());
    return ini.Save(error);
}

}  // namespace noctaris
