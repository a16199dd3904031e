#include "catalog/object_index.h"

#include <array>
#include <cctype>
#include <utility>

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include "astro/core/body.h"
#include "catalog/deep_sky.h"
#include "catalog/place_input.h"
#include "platform/codec.h"

namespace noctaris {
namespace {

struct Greek {
    const char* name;    // as the star names spell it
    const char* symbol;  // UTF-8
    const char* abbr;    // the common three-letter abbreviation
};
constexpr std::array<Greek, 24> kGreek = {{
    {"Alpha", "α", "alf"},   {"Beta", "β", "bet"},   {"Gamma", "γ", "gam"},  {"Delta", "δ", "del"},
    {"Epsilon", "ε", "eps"}, {"Zeta", "ζ", "zet"},   {"Eta", "η", "eta"},    {"Theta", "θ", "tet"},
    {"Iota", "ι", "iot"},    {"Kappa", "κ", "kap"},  {"Lambda", "λ", "lam"}, {"Mu", "μ", "mu"},
    {"Nu", "ν", "nu"},       {"Xi", "ξ", "xi"},      {"Omicron", "ο", "omi"}, {"Pi", "π", "pi"},
    {"Rho", "ρ", "rho"},     {"Sigma", "σ", "sig"},  {"Tau", "τ", "tau"},    {"Upsilon", "υ", "ups"},
    {"Phi", "φ", "phi"},     {"Chi", "χ", "chi"},    {"Psi", "ψ", "psi"},    {"Omega", "ω", "ome"},
}};

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// "Alpha1" -> the Greek letter and "1"; none for a designation that is not a Greek letter.
std::optional<std::pair<const Greek*, std::string>> SplitGreek(std::string_view designation) {
    for (const Greek& g : kGreek) {
        const std::string_view name = g.name;
        if (designation.substr(0, name.size()) != name) continue;
        const std::string_view rest = designation.substr(name.size());
        bool digits = true;
        for (const char c : rest) digits = digits && c >= '0' && c <= '9';
        if (digits) return std::make_pair(&g, std::string(rest));
    }
    return std::nullopt;
}

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return std::string(s);
}

}  // namespace

std::string ObjectIndex::Key(std::string_view typed) {
    std::string text(typed);
    for (const Greek& g : kGreek) {
        const std::string symbol = g.symbol;
        for (std::size_t at = text.find(symbol); at != std::string::npos; at = text.find(symbol, at))
            text.replace(at, symbol.size(), g.name);
    }
    // Blanks collapsed; the first word spelled out when it is a Greek abbreviation before more.
    std::vector<std::string> words;
    std::string word;
    for (const char c : SearchKey(text) + ' ') {
        if (c == ' ' || c == '\t' || c == '_') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (words.size() >= 2) {
        std::string& first = words.front();
        std::size_t letters = first.size();
        while (letters > 0 && first[letters - 1] >= '0' && first[letters - 1] <= '9') --letters;
        const std::string head = first.substr(0, letters), digits = first.substr(letters);
        for (const Greek& g : kGreek) {
            // "alp" and "the" are written as often as "alf" and "tet".
            const std::string_view abbr = g.abbr;
            if (head == abbr || (abbr == "alf" && head == "alp") || (abbr == "tet" && head == "the")) {
                first = Lower(g.name) + digits;
                break;
            }
        }
    }
    std::string key;
    for (const std::string& w : words) key += (key.empty() ? "" : " ") + w;
    return key;
}

void ObjectIndex::Add(const std::string& text, SkyObjectRef object, bool listed) {
    const std::string key = Key(text);
    if (key.empty()) return;
    exact_.emplace(text, object);
    const bool isNew = byKey_.emplace(key, object).second;
    // A text listed twice would be two identical completions; list only the one it finds.
    if (listed && (isNew || byKey_[key] == object) && listedKeys_.insert(key).second) {
        entries_.push_back({text, object});
        keys_.push_back(key);
    }
}

ObjectIndex ObjectIndex::Build(const Catalogs& catalogs) {
    ObjectIndex index;
    // The bodies first: the shortest names and the most asked for. Their German names come
    // from the program's own translation, whatever language is shown.
    QTranslator german;
    const bool haveGerman = german.load(QStringLiteral("noctaris_de"), QStringLiteral(":/i18n"));
    for (int b = 0; b < kBodyCount; ++b) {
        if (static_cast<Body>(b) == Body::Earth) continue;
        const SkyObjectRef ref{SkyObjectKind::Body, b};
        index.Add(kBodyNames[static_cast<std::size_t>(b)], ref);
        if (haveGerman) {
            const QString de = german.translate("Planet", kBodyNames[static_cast<std::size_t>(b)]);
            if (!de.isEmpty()) index.Add(de.toStdString(), ref);
        }
    }

    const std::vector<std::string> star5 = LoadTextResource("STAR5");
    const std::vector<Constellation> en = BuildConstellations(star5, "STAR5", Language::English);
    const std::vector<Constellation> de = BuildConstellations(star5, "STAR5", Language::German);
    const std::vector<std::string> star7 = LoadTextResource("STAR7");
    if (star7.size() != en.size())
        throw ResourceError("STAR7", std::to_string(star7.size()) + " genitives for " + std::to_string(en.size()) +
                                         " constellations");
    std::unordered_map<std::string, std::string> genitive;  // abbreviation -> "Orionis"
    for (std::size_t c = 0; c < en.size(); ++c) genitive.emplace(en[c].abbreviation, Trimmed(Cp1252ToUtf8(star7[c])));
    const bool shownGerman = CurrentLanguage() == Language::German;
    for (std::size_t c = 0; c < en.size(); ++c) {
        const SkyObjectRef ref{SkyObjectKind::Constellation, static_cast<int>(c)};
        index.Add(en[c].latin, ref);
        index.Add(shownGerman ? de[c].vernacular : en[c].vernacular, ref);
        index.Add(shownGerman ? en[c].vernacular : de[c].vernacular, ref);
        index.Add(en[c].abbreviation, ref);
        const std::string& vernacular = shownGerman ? de[c].vernacular : en[c].vernacular;
        index.constellationDisplay_.push_back(vernacular == en[c].latin ? en[c].latin
                                                                         : en[c].latin + " (" + vernacular + ")");
    }

    if (catalogs.starNames.empty()) {
        index.AddDeepSky();
        return index;
    }
    const std::vector<std::string> star3 = LoadTextResource("STAR3");
    const std::vector<std::string> star4 = LoadTextResource("STAR4");
    if (star3.size() != catalogs.starNames.size() || star4.size() != catalogs.starNames.size())
        throw ResourceError("STAR4", std::to_string(star4.size()) + " star numbers for " +
                                         std::to_string(catalogs.starNames.size()) + " stars");
    // Every proper name before any German form, so a German form never hides another's name.
    for (const StarName& name : catalogs.starNames) {
        const std::size_t comma = name.utf8.find(',');
        if (comma != std::string::npos)
            index.Add(name.utf8.substr(comma + 1), {SkyObjectKind::Star, static_cast<int>(&name - catalogs.starNames.data() + 1)});
    }
    for (std::size_t i = 0; i < catalogs.starNames.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const SkyObjectRef ref{SkyObjectKind::Star, number};
        const std::string& full = catalogs.starNames[i].utf8;  // "Ori Alpha,Betelgeuse"
        const std::size_t comma = full.find(',');
        const std::string designation = full.substr(0, comma);
        const std::size_t blank = designation.find(' ');
        const std::string abbr = designation.substr(0, blank);
        const std::string letter = blank == std::string::npos ? std::string() : designation.substr(blank + 1);
        const std::string proper = comma == std::string::npos ? std::string() : full.substr(comma + 1);

        // "α Ori" for a Bayer letter, "58 Ori" for a Flamsteed number, else the stored form.
        // Also with the constellation's genitive: "Alpha Orionis", "58 Orionis".
        std::string shown = designation;
        std::vector<std::string> hidden;
        const auto gen = genitive.find(abbr);
        if (const auto greek = SplitGreek(letter)) {
            shown = std::string(greek->first->symbol) + greek->second + " " + abbr;
            if (gen != genitive.end()) hidden.push_back(letter + " " + gen->second);
            // Without its component digit: the brightest component.
            if (!greek->second.empty()) {
                hidden.push_back(std::string(greek->first->symbol) + " " + abbr);
                if (gen != genitive.end()) hidden.push_back(std::string(greek->first->name) + " " + gen->second);
            }
        } else if (!letter.empty() && std::isdigit(static_cast<unsigned char>(letter.front()))) {
            shown = letter + " " + abbr;
            if (gen != genitive.end()) hidden.push_back(letter + " " + gen->second);
        }
        const std::string& germanLine = star3[i];
        const std::size_t tab = germanLine.find('\t');
        std::string germanName;
        if (tab != std::string::npos) {
            germanName = Trimmed(Cp1252ToUtf8(std::string_view(germanLine).substr(tab + 1)));
            index.Add(germanName, ref);
        }
        index.Add(shown, ref);
        index.Add(designation, ref, false);
        index.Add(full, ref, false);
        for (const std::string& h : hidden) index.Add(h, ref, false);

        const std::string& numbers = star4[i];
        const std::size_t sep = numbers.find('\t');
        const std::string hip = Trimmed(numbers.substr(0, sep));
        const std::string flamsteed = sep == std::string::npos ? "0" : Trimmed(numbers.substr(sep + 1));
        if (hip != "0" && !hip.empty()) index.Add("HIP " + hip, ref);
        if (flamsteed != "0" && !flamsteed.empty()) {
            index.Add(flamsteed + " " + abbr, ref);
            if (gen != genitive.end()) index.Add(flamsteed + " " + gen->second, ref, false);
        }

        const std::string label = shownGerman && !germanName.empty() ? germanName : proper;
        index.starDisplay_[number] = label.empty() ? shown : label + " (" + shown + ")";
    }
    index.AddDeepSky();
    return index;
}

// After the stars, so that completion offers the stars first; the generator keeps the names of
// stars and constellations off the deep-sky objects.
void ObjectIndex::AddDeepSky() {
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    const Language language = CurrentLanguage();
    deepSkyDisplay_.reserve(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const DeepSkyObject& o = objects[i];
        const SkyObjectRef ref{SkyObjectKind::DeepSky, static_cast<int>(i)};
        for (const std::string& d : o.designations) {
            Add(d, ref);
            // "M31", "NGC224": the designation typed without its blank.
            std::string joined = d;
            std::erase(joined, ' ');
            Add(joined, ref, false);
        }
        if (o.IsMessier()) Add("Messier " + o.designations.front().substr(2), ref, false);
        const std::string& shown = o.Name(language);
        for (const std::string* name : {&shown, &o.englishName, &o.germanName}) {
            if (name->empty()) continue;
            Add(*name, ref);
            // "Andromedagalaxie" for "Andromeda-Galaxie".
            if (name->find('-') != std::string::npos) {
                std::string joined = *name;
                std::erase(joined, '-');
                Add(joined, ref, false);
            }
        }
        deepSkyDisplay_.push_back(shown.empty() ? o.designations.front() : shown + " (" + o.designations.front() + ")");
    }
}

std::optional<SkyObjectRef> ObjectIndex::Find(std::string_view typed) const {
    if (const auto exact = exact_.find(Trimmed(typed)); exact != exact_.end()) return exact->second;
    const auto it = byKey_.find(Key(typed));
    if (it == byKey_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> ObjectIndex::Complete(std::string_view typed, std::size_t limit) const {
    const std::string key = Key(typed);
    std::vector<std::string> out;
    if (key.empty()) return out;
    for (int pass = 0; pass < 2 && out.size() < limit; ++pass) {
        for (std::size_t i = 0; i < entries_.size() && out.size() < limit; ++i) {
            const std::size_t at = keys_[i].find(key);
            if (pass == 0 ? at == 0 : at != std::string::npos && at != 0) out.push_back(entries_[i].text);
        }
    }
    return out;
}

std::vector<std::string> ObjectIndex::Closest(std::string_view typed) const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(entries_.size()));
    for (const IndexEntry& e : entries_) names << QString::fromStdString(e.text);
    std::vector<std::string> out;
    for (const QString& n : ClosestNames(QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())), names))
        out.push_back(n.toStdString());
    return out;
}

std::string ObjectIndex::DisplayName(const SkyObjectRef& object) const {
    switch (object.kind) {
    case SkyObjectKind::Body:
        if (object.number < 0 || object.number >= kBodyCount) return {};
        return QCoreApplication::translate("Planet", kBodyNames[static_cast<std::size_t>(object.number)]).toStdString();
    case SkyObjectKind::Constellation:
        if (object.number < 0 || object.number >= static_cast<int>(constellationDisplay_.size())) return {};
        return constellationDisplay_[static_cast<std::size_t>(object.number)];
    case SkyObjectKind::Star: {
        const auto it = starDisplay_.find(object.number);
        return it == starDisplay_.end() ? std::string() : it->second;
    }
    case SkyObjectKind::DeepSky:
        if (object.number < 0 || object.number >= static_cast<int>(deepSkyDisplay_.size())) return {};
        return deepSkyDisplay_[static_cast<std::size_t>(object.number)];
    }
    return {};
}

}  // namespace noctaris
