#pragma once
// The names a user may type to find something in the sky: stars by proper name (English and
// German), Bayer and Flamsteed designation (also with the constellation's genitive, "Alpha
// Orionis") and Hipparcos number; the Sun, the Moon and the
// planets; constellations by Latin, English and German name and abbreviation; deep-sky objects
// by designation ("M 31", "M31", "NGC 224") and common name. Names match
// without letter case and accents, in either language. Each entry points at an object by kind
// and number, so another kind of object adds entries without changing the lookup.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalog/catalog.h"

namespace noctaris {

enum class SkyObjectKind { Star, Body, Constellation, DeepSky };

struct SkyObjectRef {
    SkyObjectKind kind = SkyObjectKind::Star;
    // star: 1-based catalogue number; body: the Body; constellation, deep-sky object: index
    // (deep sky: into LoadDeepSky())
    int number = 0;
    bool operator==(const SkyObjectRef&) const = default;
};

struct IndexEntry {
    std::string text;  // UTF-8, as offered for completion ("Betelgeuse", "α Ori", "HIP 27989")
    SkyObjectRef object;
};

class ObjectIndex {
public:
    // The index of the loaded stars (with their names) and constellations of `catalogs` and of
    // the deep-sky objects; reads the star numbers and both languages' names from the
    // resources. Throws ResourceError.
    static ObjectIndex Build(const Catalogs& catalogs);

    // The object a typed name denotes: any entry's text, "alpha Ori"/"alf Ori"/"Ori Alpha" for
    // "α Ori", a designation without its component digit for the brightest component.
    std::optional<SkyObjectRef> Find(std::string_view typed) const;
    // Up to `limit` entries whose text begins with the typed text (compared as Find compares),
    // then entries containing it, brighter stars and bodies first.
    std::vector<std::string> Complete(std::string_view typed, std::size_t limit = 12) const;
    // The three entry texts closest to the typed text, closest first.
    std::vector<std::string> Closest(std::string_view typed) const;

    const std::vector<IndexEntry>& Entries() const { return entries_; }
    // The name the object is shown by in the program's language ("Betelgeuse (α Ori)",
    // "Saturn", "Orion (Orion, Ori)").
    std::string DisplayName(const SkyObjectRef& object) const;

    // Typed text as the index compares it: accents and case dropped, Greek letters and their
    // three-letter abbreviations spelled out, blanks collapsed ("α1  CEN" -> "alpha1 cen").
    static std::string Key(std::string_view typed);

private:
    // Lists `text` for completion (unless `listed` is false) and makes its key find `object`;
    // the first object of a key keeps it.
    void Add(const std::string& text, SkyObjectRef object, bool listed = true);
    void AddDeepSky();

    std::vector<IndexEntry> entries_;                       // in order of importance
    std::vector<std::string> keys_;                         // index-aligned with entries_
    std::unordered_set<std::string> listedKeys_;
    std::unordered_map<std::string, SkyObjectRef> byKey_;   // every key, listed or not
    // Every text as added: "Vel Q" and "Vel q" are two stars that only letter case tells apart.
    std::unordered_map<std::string, SkyObjectRef> exact_;
    std::unordered_map<int, std::string> starDisplay_;  // star number -> display name
    std::vector<std::string> constellationDisplay_;
    std::vector<std::string> deepSkyDisplay_;
};

}  // namespace noctaris
