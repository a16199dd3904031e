// The names of places as searches see them: the key without case and accents, the index behind
// Catalogs::FindPlace, and the order of a list by the names shown.
#include "catalog/catalog.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/codec.h"

namespace noctaris {
namespace {

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// Plain ASCII (most names) folds to lower case and has nothing to decompose: the key without
// the Unicode tables, which the start would otherwise pay for every place.
std::optional<std::string> AsciiKey(std::string_view utf8) {
    std::string key(utf8);
    for (char& c : key) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

std::string FoldKey(std::string_view utf8) {
    if (std::optional<std::string> key = AsciiKey(utf8)) return std::move(*key);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toStdString();
}

std::string AnyToUtf8(std::string_view name) { return IsValidUtf8(name) ? std::string(name) : Cp1252ToUtf8(name); }

}  // namespace

std::string SearchKey(std::string_view utf8) {
    if (std::optional<std::string> key = AsciiKey(utf8)) return std::move(*key);
    const QString decomposed =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark()) continue;
        if (c == QChar(0x00DF) || c == QChar(0x1E9E)) out += QStringLiteral("ss");
        else out += c;
    }
    return out.toCaseFolded().toStdString();
}

void SortPlacesByName(std::vector<Place>& places) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(places.size());
    for (std::size_t k = 0; k < places.size(); ++k) keys.emplace_back(SearchKey(places[k].name), k);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : places[a.second].name < places[b.second].name;
    });
    std::vector<Place> sorted;
    sorted.reserve(places.size());
    for (const auto& key : keys) sorted.push_back(std::move(places[key.second]));
    places = std::move(sorted);
}

int Catalogs::FindPlace(std::string_view name) const {
    const std::string utf8 = AnyToUtf8(name);
    // A place's identity as stored (the settings file keeps it) needs no index: the start finds
    // its place without building one. Identities differ even without case, so the first exact
    // one is the one the index would give.
    const std::string stored = Utf8ToCp1252(utf8);
    const bool storable = Cp1252ToUtf8(stored) == utf8;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const Place& p = places[i];
        if (p.rawName.empty() ? p.name == utf8 : storable && p.rawName == stored) return static_cast<int>(i);
    }
    const std::unordered_map<std::string, int>& keys = PlaceKeys();
    auto it = keys.find(FoldKey(utf8));
    if (it == keys.end()) it = keys.find(SearchKey(utf8));
    return it == keys.end() ? -1 : it->second;
}

void Catalogs::IndexPlaces() { placeIndex_ = std::make_shared<PlaceIndex>(); }

const std::unordered_map<std::string, int>& Catalogs::PlaceKeys() const {
    std::call_once(placeIndex_->built, [this] {
        std::unordered_map<std::string, int>& index = placeIndex_->keys;
        index.reserve(4 * places.size());
        // The first entry of a key wins: a place's identity before another's English name,
        // exact spellings before spellings without accents.
        std::vector<std::string> german(places.size());
        for (std::size_t i = 0; i < places.size(); ++i) {
            german[i] = places[i].rawName.empty() ? places[i].name : AnyToUtf8(places[i].rawName);
            index.emplace(FoldKey(german[i]), static_cast<int>(i));
        }
        for (std::size_t i = 0; i < places.size(); ++i) {
            index.emplace(FoldKey(places[i].name), static_cast<int>(i));
            if (!places[i].englishName.empty()) index.emplace(FoldKey(places[i].englishName), static_cast<int>(i));
        }
        for (std::size_t i = 0; i < places.size(); ++i) {
            index.emplace(SearchKey(german[i]), static_cast<int>(i));
            if (!places[i].englishName.empty()) index.emplace(SearchKey(places[i].englishName), static_cast<int>(i));
        }
    });
    return placeIndex_->keys;
}

}  // namespace noctaris
