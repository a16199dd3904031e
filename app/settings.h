#pragma once
// The settings file of the main window: one section "Noctaris" in an INI file (Windows-1252
// unless a value needs more), read at the first activation and written when the window closes.
// AppSettings holds every key as a plain value, so reading and writing are tested without a window.
#include <optional>

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <vector>

#include "catalog/catalog.h"
#include "chart/state.h"

namespace noctaris {

class IniFile;

// The place chosen when the file names none.
inline constexpr const char* kDefaultPlaceName = "Chemnitz, D";

struct AppSettings {
    QString place;                 // "Ort": the place list's text; empty means the default place
    std::optional<int> speed;      // "Simulation": animation speed 1..99; empty when the stored one is not usable
    std::optional<int> azimuth;    // "Azimut": view azimuth in degrees, -180..180; empty when not usable
    QPoint position;               // "Links", "Oben": the window's top left corner in pixels
    DisplayOptions display;        // the display switches and the two name modes
    bool considerSummerTime = true;   // "Sommerzeit": the place's legal clock (new files: on)
    // Where the Moon, Sun and ephemeris windows were last, frame top left in pixels ("MondLinks",
    // "MondOben", "SonneLinks", "SonneOben", "EphemeridenLinks", "EphemeridenOben"); empty until
    // the window has been opened once, and then it is placed beside the chart.
    std::optional<QPoint> moonWindowPosition, sunWindowPosition, ephemerisWindowPosition;
    QString exportFolder;          // "Exportordner": where the last export went; empty: not yet
    QByteArray fileDialogState;    // "Dateidialog" (Base64): the save dialog's history and view; empty: not yet
    // The view, newer than the other keys and written once it differs from today's: "Zoom" the
    // degrees of azimuth across the chart (5..180), "Blickhöhe" the altitude at its centre in
    // degrees (empty: the horizon near the bottom edge), "Vollbild" full screen.
    double viewSpan = 180;
    std::optional<double> viewAltitude;
    bool fullScreen = false;
    // The user's own places, in the section "Orte" that older versions ignore: keys "Ort1",
    // "Ort2", ... each "latitude;longitude;IANA zone;name" (degrees, north and east positive).
    std::vector<Place> ownPlaces;

    bool operator==(const AppSettings&) const = default;
};

// The file's values. An own place whose entry does not read (or whose zone the system does not
// know) is left out. A missing "Simulation" gives speed 2; a stored speed outside 1..99 or an
// azimuth outside -180..180 (however large) gives an empty value (the window keeps its own); a
// name mode that does not fit a byte gives 0; a zoom or view altitude that is not a number in its
// range gives today's view. Coordinates are
// clamped to +-100000 pixels so that window geometry cannot overflow.
AppSettings ReadSettings(const IniFile& ini);

// Writes every key in the order the file has always had: Ort, Simulation, Azimut, Links, Oben,
// then the switches from Ekliptik to Venus, Genau (precise positions), Glatt, Himmelsfarbe and
// Nachtsicht (night vision, the one colour scheme stored) each once it has been on, then
// the information windows' positions that are known, then Exportordner and Dateidialog, then the
// view's keys when it is not today's or they are in the file already. An empty
// speed, azimuth, export folder or dialog state is left out. Own places go into "Orte"; keys of removed ones are emptied
// (saving keeps every key the file has).
void WriteSettings(const AppSettings& settings, IniFile& ini);

// Where the settings file lives when the caller names none: noctaris.ini in the user's config
// folder (the home folder when there is none).
QString DefaultSettingsPath();

// The settings stored at `path`, or nothing when the file is missing or unreadable.
std::optional<AppSettings> LoadSettings(const QString& path);

// Writes the settings to `path` (through a temporary file), creating its folder. On failure
// returns false, leaves any old file untouched and puts a message into *error.
bool SaveSettings(const AppSettings& settings, const QString& path, QString* error);

}  // namespace noctaris
