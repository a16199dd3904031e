#pragma once
// What the planet information window computes and shows apart from its widgets: the fixed data
// of the six chart planets (the window's hidden data text), the section of one planet, the
// light time, and the ephemeris of the clicked planet at the chart's moment.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/theories/planets.h"
#include "astro/precise/precise_reports.h"

namespace noctaris {

// A line of the planet data: its English text with "%.Nf" where a figure stands (marked for the
// "PlanetData" translations), and the figures in their order. Sections start with a line
// "[" + planet name and run up to the next line that begins with "["; the table ends with "[".
struct PlanetDatum {
    const char* text;
    std::vector<double> figures;
};
const std::vector<PlanetDatum>& PlanetData();

// A pattern with its "%.Nf" replaced by the figures in turn, each written by number (value,
// decimals); "%%" is a percent sign. Figures beyond the pattern's are left out, a "%.Nf" beyond
// the figures stays as written.
std::string FillFigures(std::string_view pattern, const std::vector<double>& figures,
                        const std::function<std::string(double, int)>& number);

// The planet data text, one entry per line (UTF-8): PlanetData in English with a decimal point,
// as the exports write it.
const std::vector<std::string>& PlanetDataText();

// The data lines of the section "[" + name, each followed by CR LF. The search starts at the
// first line; an unknown name gives an empty text. A section that runs to the end of the text
// without a closing "[" line still ends there.
std::string PlanetDataSection(const std::vector<std::string>& text, std::string_view name);

// Light time in whole seconds for a distance in AU: Round(distance × kKmPerAU / 299792.458),
// ties to even. A distance that is not finite, negative or absurdly large gives 0.
long long LightTimeSeconds(double distanceAU);

// Everything the computed block needs: the ephemeris record and the rise and set times.
struct PlanetInfo {
    PlanetEphemerisRecord Record;
    RiseSet RiseAndSet;  // local clock hours
    std::string_view Frame = kFrameJ2000;  // the frame of the record's places
};

// PlanetEphemeris for a planet (DomainError for the Sun and the Moon) at the UT Julian day jd, seen from latitude and longitude
// (degrees, north and east positive) with the zone in hours east of UT.
PlanetInfo ComputePlanetInfo(Body planet, double jd, double latitude, double longitude,
                             double zone);
// The same with the precise places of date (PrecisePlanetRecord) and the precise rising and
// setting on the local civil day holding jd (ClockRiseSet).
// The Earth gives ComputePlanetInfo's result; the Sun and the Moon raise DomainError.
PlanetInfo ComputePrecisePlanetInfo(Body planet, double jd, double latitude, double longitude,
                                    double zone);

}  // namespace noctaris
