#pragma once
// The embedded text resources (zlib-compressed Windows-1252 text, one field per line) and the
// catalogs parsed from them once at start-up: stars, star names, constellations with their stick
// figures and borders, observation places and the world outline.
//
// Everything here is read-only after LoadAll(); the chart reads plain numbers, never text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/language.h"

namespace noctaris {

// A resource that is missing, does not inflate, or holds a line that does not parse.
// what() names the resource (and the 1-based line where one is to blame).
class ResourceError : public std::runtime_error {
public:
    ResourceError(std::string resource, const std::string& message, std::size_t line = 0);
    const std::string& resource() const { return resource_; }
    std::size_t line() const { return line_; }  // 1-based; 0 = the resource as a whole

private:
    std::string resource_;
    std::size_t line_;
};

// ---- Text resources ---------------------------------------------------------------------------

// Inflates one zlib stream. An empty input gives empty text. Throws ResourceError naming
// `resource` when the bytes are not a complete zlib stream.
std::string InflateResource(std::string_view resource, std::span<const unsigned char> bytes);

// Splits text into lines: a line ends at CR, LF or CR LF; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The inflated text of the embedded resource `name`, looked up case-insensitively ("star0"
// finds STAR0). Throws ResourceError if there is no such resource or it does not inflate.
std::string LoadResourceText(std::string_view name);

// The lines of the named resource as stored (Windows-1252 bytes, line ends removed).
std::vector<std::string> LoadTextResource(std::string_view name);

// Locale-independent number parsing of one resource line: optional sign (also "+"), digits with
// an optional decimal point, optional exponent; surrounding blanks are ignored. Anything else
// throws ResourceError naming `resource` and the 1-based `line`.
double ParseResourceNumber(std::string_view text, std::string_view resource, std::size_t line);
int ParseResourceInteger(std::string_view text, std::string_view resource, std::size_t line);

// ---- Stars ------------------------------------------------------------------------------------

// Room of the star table; the shipped STAR0 fills less than this.
inline constexpr std::size_t kStarCapacity = 1739;

struct StarRecord {
    double RightAscension = 0;       // radians, 0..2π (J2000)
    double Declination = 0;          // radians
    double Magnitude = 0;            // apparent visual magnitude
    std::uint8_t SpectralClass = 0;  // colour class 1 O, 2 B, 3 A, 4 F, 5 G, 6 K, 7 M, 8 redder
};

// Stars of STAR0 lines (4 lines a star). Stops at `capacity` stars; a trailing incomplete star
// or a number that does not parse throws ResourceError.
std::vector<StarRecord> BuildStarTable(const std::vector<std::string>& lines,
                                       std::string_view resource = "STAR0",
                                       std::size_t capacity = kStarCapacity);

struct StarName {
    std::string raw;    // Windows-1252 as stored: the key of the star details and hit lists
    std::string utf8;   // for display
    std::string label;  // UTF-8 chart label: text after the first comma if it starts with A..Z
                        // (in German the German form of that name where the catalog has one)
};

StarName MakeStarName(std::string raw, std::string utf8);

// One record of the star details (STAR6): the name and eight value lines, each value cut to
// at most 10 characters. "-10000" marks an absent value.
struct StarDetails {
    std::string name;                 // Windows-1252, as in STAR3
    std::array<std::string, 8> values;
    const std::string& RightAscensionHours() const { return values[0]; }
    const std::string& DeclinationDegrees() const { return values[1]; }
    const std::string& AbsoluteMagnitude() const { return values[4]; }
    const std::string& ApparentMagnitude() const { return values[5]; }
    const std::string& DistanceLightYears() const { return values[6]; }
    const std::string& SpectralClassText() const { return values[7]; }
};

// Looks `name` (Windows-1252) up in STAR6 lines: the record whose name equals it, else the
// first whose name begins with it. An empty name finds nothing.
std::optional<StarDetails> FindStarDetailsIn(const std::vector<std::string>& lines,
                                             std::string_view name);
// Looks the name up in STAR6, inflated at the first request (a star-information request).
std::optional<StarDetails> FindStarDetails(std::string_view name);

// ---- Constellations -----------------------------------------------------------------------------

struct Constellation {
    std::string latin;         // UTF-8 ("Boötes")
    std::string vernacular;    // UTF-8, in the language of the build ("Herdsman", "Bärenhüter")
    std::string abbreviation;  // three letters ("Boo")
    double labelRightAscension = 0;  // radians, 0..2π
    double labelDeclination = 0;     // radians
};

// STAR5 records of six lines: Latin, German and English name, abbreviation, label position.
std::vector<Constellation> BuildConstellations(const std::vector<std::string>& lines,
                                               std::string_view resource = "STAR5",
                                               Language language = CurrentLanguage());

// A point of a constellation figure or border. The (0, 0) separators of the resource are not
// points: they set penUp on the point after them. The first point has penUp set as well.
// Renderer: for each point, if penUp or not placeable lift the pen; if lifted move to the
// point and lower the pen, else draw a line to it.
struct SkyPoint {
    double ra = 0;   // radians
    double dec = 0;  // radians
    bool penUp = false;
};

std::vector<SkyPoint> BuildSkyPolylines(const std::vector<std::string>& lines,
                                        std::string_view resource);

// ---- Places -------------------------------------------------------------------------------------

struct Place {
    std::string name;     // UTF-8, in the program's language ("Vienna, A"; "Zürich, CH")
    // Windows-1252 as stored: the German name, the place's identity (the settings file keeps it)
    std::string rawName;
    std::string englishName;  // UTF-8, only where it differs from the German name
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    double zone = 0;       // hours east of universal time (standard time)
    std::string zoneId;    // IANA time-zone name ("Europe/Berlin"); empty when not known

    // The name the machine formats (CSV, JSON, iCalendar) carry: English in either language.
    const std::string& ExportName() const { return englishName.empty() ? name : englishName; }

    bool operator==(const Place&) const = default;
};

// ORT records (name TAB latitude TAB longitude TAB zone [TAB IANA zone [TAB English name]])
// checked line by line against ORTE: both must list the same names in the same order. Each
// place is named in `language`; in English the list is sorted again by the English names.
std::vector<Place> BuildPlaces(const std::vector<std::string>& ortLines,
                               const std::vector<std::string>& orteLines,
                               Language language = CurrentLanguage());

// A name as searches compare it: case folded, accents dropped, ß as ss ("reykjavik, is").
std::string SearchKey(std::string_view utf8);

// Sorts places by the names shown, compared as searches compare them.
void SortPlacesByName(std::vector<Place>& places);

// ---- World outline ------------------------------------------------------------------------------

struct OutlinePoint {
    int latitude = 0;   // degrees
    int longitude = 0;  // degrees east, 0..360
    bool draw = false;  // true: line from the previous point; false: start of a new outline
};

std::vector<OutlinePoint> BuildWorldOutline(const std::vector<std::string>& lines,
                                            std::string_view resource = "ERDE");
// Loads and parses "ERDE" (the terminator map loads it by itself).
std::vector<OutlinePoint> LoadWorldOutline();

// ---- Everything, loaded once --------------------------------------------------------------------

// The parts of the catalogs, as a mask for Catalogs::Load: a one-off computation (a report for
// one place) parses only what it reads.
enum CatalogPart : unsigned {
    kCatalogStars = 1u << 0,                 // STAR0 and STAR3: stars and their names
    kCatalogConstellations = 1u << 1,        // STAR5
    kCatalogConstellationLines = 1u << 2,    // STAR1
    kCatalogConstellationBorders = 1u << 3,  // STAR2
    kCatalogPlaces = 1u << 4,                // ORT and ORTE
    kCatalogWorldOutline = 1u << 5,          // ERDE
    kCatalogAll = (1u << 6) - 1,
};

struct Catalogs {
    std::vector<StarRecord> stars;          // index 0 = star 1
    std::vector<StarName> starNames;        // index-aligned with stars
    std::vector<Constellation> constellations;
    std::vector<SkyPoint> constellationLines;
    std::vector<SkyPoint> constellationBorders;
    std::vector<Place> places;              // ORT/ORTE order
    std::vector<OutlinePoint> worldOutline;

    // 1-based access as the catalog numbers stars (1..stars.size()).
    const StarRecord& Star(std::size_t i) const { return stars.at(i - 1); }
    const StarName& StarNameOf(std::size_t i) const { return starNames.at(i - 1); }

    // Index of the place named `name` (UTF-8 or the stored Windows-1252 form) ignoring case:
    // its German name first, then its English one, then either without accents ("Reykjavik,
    // IS"); -1 for none.
    int FindPlace(std::string_view name) const;
    // Index of the constellation with this abbreviation (exact case), or -1.
    int FindConstellation(std::string_view abbreviation) const;

    // Loads and parses all resources except STAR6 (read per request), the names in the
    // program's language. Throws ResourceError.
    static Catalogs LoadAll();
    // Loads and parses only the parts in the mask (a CatalogPart combination); the others stay
    // empty. Throws ResourceError.
    static Catalogs Load(unsigned parts, Language language = CurrentLanguage());

    // Renews the name index of FindPlace after `places` was changed by hand. The index is built
    // at the first search that needs it.
    void IndexPlaces();

private:
    // Case-folded name or search key -> index; built once, from any thread.
    struct PlaceIndex {
        std::once_flag built;
        std::unordered_map<std::string, int> keys;
    };
    const std::unordered_map<std::string, int>& PlaceKeys() const;
    std::shared_ptr<PlaceIndex> placeIndex_ = std::make_shared<PlaceIndex>();
};

}  // namespace noctaris
