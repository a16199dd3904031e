#pragma once
// The program's shared state: where and when the sky is shown (ObserverState) and what the
// chart draws (DisplayOptions). The main window owns one of each and is the only writer; the
// chart and the information windows read them.
#include <string>

namespace noctaris {

// The chart's colour scheme: the screen's (classic or smooth), black on white to print, or dim
// red on black that keeps the eye adapted to the dark.
enum class ChartScheme { Screen, White, Night };

struct ObserverState {
    std::string PlaceName = "Chemnitz";  // UTF-8; text before the first tab of the place record
    std::string PlaceExportName;         // UTF-8, the English name exports carry; empty: PlaceName
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
    double TimeZone = 0;   // hours east of UT, standard time
    std::string ZoneId;    // IANA zone of the place's legal clock; empty: standard time only
    int Year = 2000, Month = 1, Day = 1;     // displayed local date
    int Hour = 0, Minute = 0, Second = 0;    // displayed local clock time
    bool ConsiderSummerTime = false;  // the place's legal clock instead of standard time
};

struct DisplayOptions {
    bool ShowEcliptic = false;              // "Ekliptik"
    bool ShowEquator = false;               // "Äquator"
    bool ShowGrid = false;                  // "Ksystem"
    bool ShowMeridian = false;              // "Meridian"
    bool ShowAltitudeLines = false;         // "Höhen"
    bool ShowMoon = false;                  // "Mond"
    bool ShowHorizonFigure = false;         // "Horizont"
    int StarNameMode = 0;                   // "Sterne": 0 none, 1 mag < 2.5, 2 mag < 3.5, 3 all
    int ConstellationNameMode = 0;          // "Sternbilder": 0 none, 1 vernacular, 2 Latin, 3 abbreviation
    bool ShowConstellationLines = false;    // "Linien"
    bool ShowConstellationBorders = false;  // "SGrenzen"
    bool WhiteStars = false;                // "WSterne"
    bool ShowStarInfo = false;              // "Anzeige"
    bool ShowZodiac = false;                // "Tierkreis"
    bool ShowJupiterMoons = false;          // "Jupiter"
    bool ShowVenusPhase = false;            // "Venus"
    bool ShowDeepSky = false;               // "Nebel": galaxies, clusters and nebulae
    bool ShowMilkyWay = false;              // "Milchstraße"
    // Places of the Sun, Moon and planets apparent of date from ERFA (astro/precise/precise.h) instead
    // of the classic J2000 theories, and the stars turned to the equinox of date with them.
    bool PrecisePositions = false;
    // Antialiased lines and text, round star discs by magnitude and readable colours; off: the
    // classic pixel-exact picture.
    bool SmoothDrawing = false;
    // With smooth drawing, the sky coloured by the Sun's altitude and faint stars lost in it.
    bool SkyColour = false;
    // Any scheme but the screen's draws smoothly, whatever SmoothDrawing says.
    ChartScheme Scheme = ChartScheme::Screen;  // "Nachtsicht" stores Night

    bool operator==(const DisplayOptions&) const = default;
};

}  // namespace noctaris
