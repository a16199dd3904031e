#include "catalog/catalog.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/codec.h"
#include "resources/embedded.h"

namespace noctaris {
namespace {

std::string Quote(std::string_view s) {
    std::string out = "\"";
    out.append(s.substr(0, 40));
    if (s.size() > 40) out += "...";
    out += '"';
    return out;
}

std::string ErrorText(const std::string& resource, const std::string& message, std::size_t line) {
    std::string text = "Resource \"" + resource + "\"";
    if (line > 0) text += ", line " + std::to_string(line);
    return text + ": " + message;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string ToUtf8(std::string_view cp1252) {
    return IsAscii(cp1252) ? std::string(cp1252) : Cp1252ToUtf8(cp1252);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Splits into line views: CR, LF or CR LF end a line; a final line end adds no empty line.
template <typename Sink>
void ForEachLine(std::string_view text, Sink&& sink) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (!sink(text.substr(start, i - start))) return;
            i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) sink(text.substr(start));
}

std::vector<std::string_view> LineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 8 + 1);
    ForEachLine(text, [&](std::string_view l) {
        lines.push_back(l);
        return true;
    });
    return lines;
}

// Resource text together with its UTF-8 decoding, split into aligned lines.
struct DecodedLines {
    std::string raw;
    std::string utf8;
    std::vector<std::string_view> rawLines;
    std::vector<std::string_view> utf8Lines;
};

DecodedLines LoadDecoded(std::string_view name) {
    DecodedLines d;
    d.raw = LoadResourceText(name);
    d.utf8 = ToUtf8(d.raw);
    d.rawLines = LineViews(d.raw);
    d.utf8Lines = LineViews(d.utf8);
    if (d.rawLines.size() != d.utf8Lines.size())
        throw ResourceError(std::string(name), "text does not decode line by line");
    return d;
}

template <typename Lines>
std::vector<StarRecord> StarTableFrom(const Lines& lines, std::string_view resource, std::size_t capacity) {
    const std::string res(resource);
    if (lines.size() % 4 != 0)
        throw ResourceError(res, "incomplete star record at the end (4 lines a star)", lines.size() - lines.size() % 4 + 1);
    const std::size_t count = std::min(lines.size() / 4, capacity);
    std::vector<StarRecord> stars;
    stars.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t l = 4 * i;
        StarRecord s;
        s.RightAscension = ParseResourceNumber(lines[l], resource, l + 1);
        s.Declination = ParseResourceNumber(lines[l + 1], resource, l + 2);
        s.Magnitude = ParseResourceNumber(lines[l + 2], resource, l + 3);
        const int cls = ParseResourceInteger(lines[l + 3], resource, l + 4);
        if (cls < 1 || cls > 8)
            throw ResourceError(res, "colour class " + std::to_string(cls) + " outside 1..8", l + 4);
        s.SpectralClass = static_cast<std::uint8_t>(cls);
        stars.push_back(s);
    }
    return stars;
}

template <typename Lines>
std::vector<Constellation> ConstellationsFrom(const Lines& raw, const Lines& utf8, std::string_view resource,
                                              Language language) {
    constexpr std::size_t kLines = 6;  // Latin, German, English, abbreviation, RA, Dec
    if (raw.size() % kLines != 0)
        throw ResourceError(std::string(resource), "incomplete constellation record at the end (6 lines each)",
                            raw.size() - raw.size() % kLines + 1);
    std::vector<Constellation> list;
    list.reserve(raw.size() / kLines);
    for (std::size_t l = 0; l < raw.size(); l += kLines) {
        Constellation c;
        c.latin = std::string(utf8[l]);
        c.vernacular = std::string(utf8[language == Language::German ? l + 1 : l + 2]);
        c.abbreviation = std::string(Trim(raw[l + 3]));
        c.labelRightAscension = ParseResourceNumber(raw[l + 4], resource, l + 5);
        c.labelDeclination = ParseResourceNumber(raw[l + 5], resource, l + 6);
        list.push_back(std::move(c));
    }
    return list;
}

template <typename Lines>
std::vector<SkyPoint> SkyPolylinesFrom(const Lines& lines, std::string_view resource) {
    if (lines.size() % 2 != 0)
        throw ResourceError(std::string(resource), "point without declination at the end", lines.size());
    std::vector<SkyPoint> points;
    points.reserve(lines.size() / 2);
    bool penUp = true;
    for (std::size_t l = 0; l < lines.size(); l += 2) {
        const double ra = ParseResourceNumber(lines[l], resource, l + 1);
        const double dec = ParseResourceNumber(lines[l + 1], resource, l + 2);
        if (ra == 0.0 && dec == 0.0) {  // separator: the next point starts a new polyline
            penUp = true;
            continue;
        }
        points.push_back({ra, dec, penUp});
        penUp = false;
    }
    return points;
}

template <typename Lines>
std::vector<Place> PlacesFrom(const Lines& ortRaw, const Lines* ortUtf8, const Lines& orteRaw, Language language) {
    if (ortRaw.size() != orteRaw.size())
        throw ResourceError("ORTE", std::to_string(orteRaw.size()) + " names for " + std::to_string(ortRaw.size()) +
                                        " place records of ORT");
    std::vector<Place> places;
    places.reserve(ortRaw.size());
    for (std::size_t k = 0; k < ortRaw.size(); ++k) {
        const std::string_view line = ortRaw[k];
        const std::size_t t1 = line.find('\t');
        const std::size_t t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        const std::size_t t3 = t2 == std::string_view::npos ? t2 : line.find('\t', t2 + 1);
        if (t3 == std::string_view::npos)
            throw ResourceError("ORT", "expected name, latitude, longitude and zone separated by tabs", k + 1);
        Place p;
        p.rawName = std::string(line.substr(0, t1));
        p.name = ortUtf8 ? std::string((*ortUtf8)[k].substr(0, (*ortUtf8)[k].find('\t'))) : ToUtf8(p.rawName);
        p.latitude = ParseResourceNumber(line.substr(t1 + 1, t2 - t1 - 1), "ORT", k + 1);
        p.longitude = ParseResourceNumber(line.substr(t2 + 1, t3 - t2 - 1), "ORT", k + 1);
        const std::size_t t4 = line.find('\t', t3 + 1);
        p.zone = ParseResourceNumber(line.substr(t3 + 1, t4 == std::string_view::npos ? t4 : t4 - t3 - 1), "ORT", k + 1);
        const std::size_t t5 = t4 == std::string_view::npos ? t4 : line.find('\t', t4 + 1);
        if (t4 != std::string_view::npos)
            p.zoneId = std::string(Trim(line.substr(t4 + 1, t5 == std::string_view::npos ? t5 : t5 - t4 - 1)));
        if (t5 != std::string_view::npos) p.englishName = ToUtf8(Trim(line.substr(t5 + 1)));
        if (language == Language::English && !p.englishName.empty()) p.name = p.englishName;
        if (orteRaw[k] != p.rawName)
            throw ResourceError("ORTE", "name " + Quote(orteRaw[k]) + " does not match ORT's " + Quote(p.rawName), k + 1);
        places.push_back(std::move(p));
    }
    // The list reads in the order of the names shown ("Beijing" among the B's).
    if (language == Language::English) SortPlacesByName(places);
    return places;
}

template <typename Lines>
std::vector<OutlinePoint> WorldOutlineFrom(const Lines& lines, std::string_view resource) {
    std::vector<OutlinePoint> points;
    points.reserve(lines.size());
    for (std::size_t l = 0; l < lines.size(); ++l) {
        std::string_view rest = Trim(lines[l]);
        int v[3];
        for (int f = 0; f < 3; ++f) {
            const std::size_t blank = rest.find(' ');
            const std::string_view field = f < 2 ? rest.substr(0, blank) : rest;
            if (f < 2 && blank == std::string_view::npos)
                throw ResourceError(std::string(resource), "expected latitude, longitude and flag: " + Quote(lines[l]), l + 1);
            v[f] = ParseResourceInteger(field, resource, l + 1);
            if (f < 2) rest = Trim(rest.substr(blank + 1));
        }
        if (v[2] != 0 && v[2] != 1)
            throw ResourceError(std::string(resource), "pen flag must be 0 or 1: " + Quote(lines[l]), l + 1);
        points.push_back({v[0], v[1], v[2] == 1});
    }
    return points;
}

// Star details: the record whose name equals `name`, else the first whose name begins with it.
template <typename NextLine>
std::optional<StarDetails> FindDetails(NextLine&& next, std::string_view name) {
    if (name.empty()) return std::nullopt;
    std::optional<StarDetails> prefixMatch;
    while (true) {
        const std::optional<std::string_view> key = next();
        if (!key) break;
        StarDetails rec;
        bool complete = true;
        for (auto& v : rec.values) {
            const std::optional<std::string_view> line = next();
            if (!line) {
                complete = false;
                break;
            }
            v = std::string(line->substr(0, 10));
        }
        if (!complete) break;
        if (*key == name) {
            rec.name = std::string(*key);
            return rec;
        }
        if (!prefixMatch && key->substr(0, name.size()) == name) {
            rec.name = std::string(*key);
            prefixMatch = std::move(rec);
        }
    }
    return prefixMatch;
}

}  // namespace

// ---- errors and text ----------------------------------------------------------------------------

ResourceError::ResourceError(std::string resource, const std::string& message, std::size_t line)
    : std::runtime_error(ErrorText(resource, message, line)), resource_(std::move(resource)), line_(line) {}

std::string InflateResource(std::string_view resource, std::span<const unsigned char> bytes) {
    std::string out;
    if (bytes.empty()) return out;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) throw ResourceError(std::string(resource), "cannot start the inflater");
    zs.next_in = const_cast<Bytef*>(bytes.data());
    zs.avail_in = static_cast<uInt>(bytes.size());
    out.resize(std::max<std::size_t>(bytes.size() * 6, 4096));
    int rc = Z_OK;
    std::size_t produced = 0;
    while (true) {
        if (produced == out.size()) out.resize(out.size() * 2);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        zs.avail_out = static_cast<uInt>(out.size() - produced);
        rc = inflate(&zs, Z_NO_FLUSH);
        produced = out.size() - zs.avail_out;
        if (rc == Z_STREAM_END) break;
        if (rc == Z_BUF_ERROR && zs.avail_in == 0) {
            rc = Z_DATA_ERROR;  // input ended before the stream did
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) break;
    }
    const std::string zmsg = zs.msg ? zs.msg : "";
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        throw ResourceError(std::string(resource),
                            "is not a complete zlib stream" + (zmsg.empty() ? std::string() : " (" + zmsg + ")"));
    out.resize(produced);
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view l) {
        lines.emplace_back(l);
        return true;
    });
    return lines;
}

std::string LoadResourceText(std::string_view name) {
    std::string stored;
    for (const std::string& n : EmbeddedNames()) {
        if (EqualsIgnoringAsciiCase(n, name)) {
            stored = n;
            break;
        }
    }
    if (stored.empty()) throw ResourceError(std::string(name), "not found in the program");
    return InflateResource(stored, FindEmbedded(stored));
}

std::vector<std::string> LoadTextResource(std::string_view name) { return SplitLines(LoadResourceText(name)); }

double ParseResourceNumber(std::string_view text, std::string_view resource, std::size_t line) {
    std::string_view s = Trim(text);
    std::string_view body = s;
    if (!body.empty() && body.front() == '+') body.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (body.empty() || (body.front() == '-' && s.front() == '+') || ec != std::errc() ||
        end != body.data() + body.size() || !std::isfinite(value))
        throw ResourceError(std::string(resource), "not a number: " + Quote(text), line);
    return value;
}

int ParseResourceInteger(std::string_view text, std::string_view resource, std::size_t line) {
    std::string_view s = Trim(text);
    std::string_view body = s;
    if (!body.empty() && body.front() == '+') body.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (body.empty() || (body.front() == '-' && s.front() == '+') || ec != std::errc() ||
        end != body.data() + body.size())
        throw ResourceError(std::string(resource), "not an integer: " + Quote(text), line);
    return value;
}

// ---- builders over string lists ------------------------------------------------------------------

std::vector<StarRecord> BuildStarTable(const std::vector<std::string>& lines, std::string_view resource,
                                       std::size_t capacity) {
    return StarTableFrom(lines, resource, capacity);
}

StarName MakeStarName(std::string raw, std::string utf8) {
    StarName n;
    const std::size_t comma = raw.find(',');
    if (comma != std::string::npos) {
        const std::string_view after = std::string_view(raw).substr(comma + 1, 250);
        if (!after.empty() && after.front() >= 'A' && after.front() <= 'Z') n.label = ToUtf8(after);
    }
    n.raw = std::move(raw);
    n.utf8 = std::move(utf8);
    return n;
}

std::optional<StarDetails> FindStarDetailsIn(const std::vector<std::string>& lines, std::string_view name) {
    std::size_t i = 0;
    return FindDetails(
        [&]() -> std::optional<std::string_view> {
            if (i >= lines.size()) return std::nullopt;
            return std::string_view(lines[i++]);
        },
        name);
}

std::optional<StarDetails> FindStarDetails(std::string_view name) {
    // Inflated at the first request and kept (about 100 kB): a click asks for one star.
    static const std::string text = LoadResourceText("STAR6");
    std::string_view rest = text;
    return FindDetails(
        [&]() -> std::optional<std::string_view> {
            if (rest.empty()) return std::nullopt;
            const std::size_t end = rest.find_first_of("\r\n");
            const std::string_view line = rest.substr(0, end);
            if (end == std::string_view::npos) {
                rest = {};
            } else {
                const std::size_t skip = (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
                rest.remove_prefix(end + skip);
            }
            return line;
        },
        name);
}

std::vector<Constellation> BuildConstellations(const std::vector<std::string>& lines, std::string_view resource,
                                               Language language) {
    std::vector<std::string> utf8;
    utf8.reserve(lines.size());
    for (const auto& l : lines) utf8.push_back(ToUtf8(l));
    return ConstellationsFrom(lines, utf8, resource, language);
}

std::vector<SkyPoint> BuildSkyPolylines(const std::vector<std::string>& lines, std::string_view resource) {
    return SkyPolylinesFrom(lines, resource);
}

std::vector<Place> BuildPlaces(const std::vector<std::string>& ortLines, const std::vector<std::string>& orteLines,
                               Language language) {
    return PlacesFrom<std::vector<std::string>>(ortLines, nullptr, orteLines, language);
}

std::vector<OutlinePoint> BuildWorldOutline(const std::vector<std::string>& lines, std::string_view resource) {
    return WorldOutlineFrom(lines, resource);
}

std::vector<OutlinePoint> LoadWorldOutline() {
    const std::string text = LoadResourceText("ERDE");
    return WorldOutlineFrom(LineViews(text), "ERDE");
}

// ---- the aggregate -------------------------------------------------------------------------------

int Catalogs::FindConstellation(std::string_view abbreviation) const {
    for (std::size_t i = 0; i < constellations.size(); ++i)
        if (constellations[i].abbreviation == abbreviation) return static_cast<int>(i);
    return -1;
}

Catalogs Catalogs::LoadAll() { return Load(kCatalogAll); }

Catalogs Catalogs::Load(unsigned parts, Language language) {
    Catalogs c;
    if (parts & kCatalogConstellations) {
        const DecodedLines star5 = LoadDecoded("STAR5");
        c.constellations = ConstellationsFrom(star5.rawLines, star5.utf8Lines, "STAR5", language);
    }
    if (parts & kCatalogConstellationLines) {
        const std::string text = LoadResourceText("STAR1");
        c.constellationLines = SkyPolylinesFrom(LineViews(text), "STAR1");
    }
    if (parts & kCatalogConstellationBorders) {
        const std::string text = LoadResourceText("STAR2");
        c.constellationBorders = SkyPolylinesFrom(LineViews(text), "STAR2");
    }
    if (parts & kCatalogStars) {
        const std::string text = LoadResourceText("STAR0");
        const std::vector<std::string_view> lines = LineViews(text);
        c.stars = StarTableFrom(lines, "STAR0", kStarCapacity);
        const DecodedLines star3 = LoadDecoded("STAR3");
        if (star3.rawLines.size() != lines.size() / 4)
            throw ResourceError("STAR3", std::to_string(star3.rawLines.size()) + " names for " +
                                             std::to_string(lines.size() / 4) + " stars of STAR0");
        c.starNames.reserve(c.stars.size());
        for (std::size_t i = 0; i < c.stars.size(); ++i) {
            // A line may add TAB and the German form of the proper name, for the German label.
            const std::string_view raw = star3.rawLines[i], utf8 = star3.utf8Lines[i];
            const std::size_t tab = utf8.find('\t');
            StarName n = MakeStarName(std::string(raw.substr(0, raw.find('\t'))), std::string(utf8.substr(0, tab)));
            if (language == Language::German && tab != std::string_view::npos && !n.label.empty())
                n.label = std::string(Trim(utf8.substr(tab + 1)));
            c.starNames.push_back(std::move(n));
        }
    }
    if (parts & kCatalogPlaces) {
        const DecodedLines ort = LoadDecoded("ORT");
        const std::string orte = LoadResourceText("ORTE");
        c.places = PlacesFrom(ort.rawLines, &ort.utf8Lines, LineViews(orte), language);
    }
    if (parts & kCatalogWorldOutline) c.worldOutline = LoadWorldOutline();
    return c;
}

}  // namespace noctaris
