// Invariants of the catalogs linked into the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "astro/core/body.h"
#include "catalog/catalog.h"
#include "catalog/faint_stars.h"
#include "catalog/deep_sky.h"
#include "catalog/object_index.h"
#include "resources/embedded.h"

namespace noctaris {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

const Catalogs& Shipped() {
    static const Catalogs c = Catalogs::LoadAll();
    return c;
}

// Text that Windows-1252 can hold: no control characters, none of its five undefined bytes.
bool IsCleanCp1252(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return false;
    return true;
}

TEST(ShippedData, EveryStreamIsZlibLevelNineAndEndsLinesWithCrLf) {
    for (const char* name : {"STAR0", "STAR1", "STAR2", "STAR3", "STAR4", "STAR5", "STAR6", "STAR7", "ORT", "ORTE", "ERDE", "FAINT"}) {
        const auto bytes = FindEmbedded(name);
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(bytes[0], 0x78) << name;
        EXPECT_EQ(bytes[1], 0xDA) << name;
        const std::string text = LoadResourceText(name);
        ASSERT_GE(text.size(), 2u) << name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
        // Every line end is CR LF: as many CRs as LFs, and never a lone one.
        std::size_t cr = 0, lf = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                ++cr;
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << name << " at " << i;
            }
            if (text[i] == '\n') ++lf;
        }
        EXPECT_EQ(cr, lf) << name;
    }
}

TEST(ShippedData, StarTableNamesAndDetailsAgree) {
    const auto star0 = LoadTextResource("STAR0");
    const auto star3 = LoadTextResource("STAR3");
    const auto star6 = LoadTextResource("STAR6");
    ASSERT_EQ(star0.size() % 4, 0u);
    const std::size_t n = star0.size() / 4;
    EXPECT_GT(n, 1500u);
    EXPECT_LE(n, kStarCapacity);
    EXPECT_EQ(star3.size(), n);
    ASSERT_EQ(star6.size(), 9 * n);

    const Catalogs& c = Shipped();
    ASSERT_EQ(c.stars.size(), n);
    ASSERT_EQ(c.starNames.size(), n);
    std::set<std::string> names;
    for (std::size_t i = 0; i < n; ++i) {
        const StarRecord& s = c.stars[i];
        const std::string name = star3[i].substr(0, star3[i].find('\t'));
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
        EXPECT_TRUE(IsCleanCp1252(name)) << name;
        EXPECT_GE(s.RightAscension, 0.0) << name;
        EXPECT_LE(s.RightAscension, kTwoPi) << name;
        EXPECT_LE(std::abs(s.Declination), std::numbers::pi / 2) << name;
        EXPECT_LT(s.Magnitude, 5.0) << name;
        EXPECT_GE(s.SpectralClass, 1) << name;
        EXPECT_LE(s.SpectralClass, 8) << name;
        // No catalog star sits on the vernal equinox (the Sun is drawn by itself).
        EXPECT_FALSE(s.RightAscension == 0.0 && s.Declination == 0.0) << name;
        // Name: a known constellation abbreviation, a blank, a designation.
        ASSERT_GT(name.size(), 4u) << name;
        EXPECT_EQ(name[3], ' ') << name;
        EXPECT_GE(c.FindConstellation(name.substr(0, 3)), 0) << name;
        // Details: same name, values of at most 8 characters, position matching the table.
        EXPECT_EQ(star6[9 * i], name);
        EXPECT_EQ(c.starNames[i].raw, name);
        for (int k = 1; k < 9; ++k) {
            EXPECT_FALSE(star6[9 * i + k].empty()) << name;
            EXPECT_LE(star6[9 * i + k].size(), 8u) << name << " line " << k + 1;
        }
        EXPECT_EQ(star6[9 * i + 3], "-10000");
        EXPECT_EQ(star6[9 * i + 4], "-10000");
        const double raHours = ParseResourceNumber(star6[9 * i + 1], "STAR6", 9 * i + 2);
        EXPECT_NEAR(raHours * std::numbers::pi / 12, s.RightAscension, 1e-4) << name;
        EXPECT_NEAR(ParseResourceNumber(star6[9 * i + 6], "STAR6", 9 * i + 7), s.Magnitude, 0.006) << name;
    }
    EXPECT_EQ(c.Star(1).Magnitude, c.stars.front().Magnitude);
    EXPECT_THROW(c.Star(0), std::out_of_range);
    EXPECT_THROW(c.Star(n + 1), std::out_of_range);
}

TEST(ShippedData, TheFaintStarsContinueTheStarTableTo6Point5) {
    // With the star table, every star of the source list to 6.5 mag, each once.
    const FaintStars& f = LoadFaintStars();
    EXPECT_EQ(Shipped().stars.size() + f.stars.size(), 8789u);
    std::set<std::string> names;
    for (std::size_t j = 0; j < f.stars.size(); ++j) {
        const std::string& name = f.names[j];
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
        EXPECT_TRUE(IsCleanCp1252(name)) << name;
        EXPECT_GE(f.stars[j].Magnitude, 5.0) << name;
        EXPECT_LT(f.stars[j].Magnitude, 6.5) << name;
        ASSERT_GT(name.size(), 4u) << name;
        EXPECT_GE(Shipped().FindConstellation(name.substr(0, 3)), 0) << name;
    }
}

TEST(ShippedData, WellKnownStarsAndTheirDetails) {
    const Catalogs& c = Shipped();
    int labelled = 0;
    bool vega = false;
    for (std::size_t i = 0; i < c.starNames.size(); ++i) {
        if (!c.starNames[i].label.empty()) ++labelled;
        if (c.starNames[i].raw == "Lyr Alpha,Vega") {
            vega = true;
            EXPECT_EQ(c.starNames[i].label, "Vega");
            EXPECT_NEAR(c.stars[i].Magnitude, 0.03, 0.02);
            EXPECT_EQ(c.stars[i].SpectralClass, 3);  // A0
        }
    }
    EXPECT_TRUE(vega);
    EXPECT_GT(labelled, 200);
    // The IAU's names in English; in German the German forms the data has, the identity kept.
    const Catalogs german = Catalogs::Load(kCatalogStars, Language::German);
    ASSERT_EQ(german.starNames.size(), c.starNames.size());
    int renamed = 0;
    for (std::size_t i = 0; i < c.starNames.size(); ++i) {
        EXPECT_EQ(german.starNames[i].raw, c.starNames[i].raw);
        EXPECT_EQ(german.starNames[i].label.empty(), c.starNames[i].label.empty()) << c.starNames[i].raw;
        renamed += german.starNames[i].label != c.starNames[i].label;
        if (c.starNames[i].raw == "Ori Alpha,Betelgeuse") {
            EXPECT_EQ(c.starNames[i].label, "Betelgeuse");
            EXPECT_EQ(german.starNames[i].label, "Beteigeuze");
        }
    }
    EXPECT_GE(renamed, 4);
    EXPECT_LE(renamed, 20);

    const auto d = FindStarDetails("Lyr Alpha,Vega");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->SpectralClassText(), "A0");
    EXPECT_EQ(d->DistanceLightYears(), "25.3");
    EXPECT_NE(d->AbsoluteMagnitude(), "-10000");
    EXPECT_EQ(FindStarDetails("Cen Alpha2")->name, "Cen Alpha2,Toliman");
    EXPECT_FALSE(FindStarDetails("Sonne"));
    EXPECT_FALSE(FindStarDetails("Xyz Nothing"));
}

TEST(ShippedData, ConstellationsFiguresAndBorders) {
    const Catalogs& c = Shipped();
    EXPECT_EQ(LoadTextResource("STAR5").size(), 534u);
    ASSERT_EQ(c.constellations.size(), 89u);
    std::set<std::string> abbreviations;
    for (const auto& k : c.constellations) {
        EXPECT_EQ(k.abbreviation.size(), 3u) << k.latin;
        abbreviations.insert(k.abbreviation);
        EXPECT_FALSE(k.vernacular.empty()) << k.latin;
        EXPECT_GE(k.labelRightAscension, 0.0);
        EXPECT_LT(k.labelRightAscension, kTwoPi);
    }
    EXPECT_EQ(abbreviations.size(), 88u);  // Serpens has two records
    EXPECT_EQ(c.constellations[1].vernacular, "Air Pump");
    const Catalogs german = Catalogs::Load(kCatalogConstellations, Language::German);
    ASSERT_EQ(german.constellations.size(), 89u);
    EXPECT_EQ(german.constellations[1].vernacular, "Luftpumpe");
    EXPECT_EQ(german.constellations[1].latin, c.constellations[1].latin);
    const int boo = c.FindConstellation("Boo");
    ASSERT_GE(boo, 0);
    EXPECT_EQ(c.constellations[boo].latin, "Bo\xC3\xB6tes");

    for (const char* res : {"STAR1", "STAR2"}) {
        const auto lines = LoadTextResource(res);
        ASSERT_EQ(lines.size() % 2, 0u) << res;
        const auto& pts = std::string(res) == "STAR1" ? c.constellationLines : c.constellationBorders;
        std::size_t separators = 0;
        for (std::size_t l = 0; l < lines.size(); l += 2)
            if (lines[l] == "0" && lines[l + 1] == "0") ++separators;
        EXPECT_GT(separators, 100u) << res;
        EXPECT_EQ(pts.size() + separators, lines.size() / 2) << res;
        ASSERT_FALSE(pts.empty());
        EXPECT_TRUE(pts.front().penUp);
        for (std::size_t i = 1; i < pts.size(); ++i) {
            EXPECT_GE(pts[i].ra, 0.0);
            EXPECT_LE(pts[i].ra, kTwoPi);
            // Within a polyline no segment runs the long way round the sky.
            if (!pts[i].penUp) {
                EXPECT_LT(std::abs(pts[i].ra - pts[i - 1].ra), std::numbers::pi) << res << " point " << i;
            }
        }
    }
}

TEST(ShippedData, PlacesAndTheirNames) {
    const auto ort = LoadTextResource("ORT");
    const auto orte = LoadTextResource("ORTE");
    ASSERT_EQ(ort.size(), orte.size());
    EXPECT_GT(ort.size(), 3000u);
    // In German the places keep the order of the resources.
    const Catalogs c = Catalogs::Load(kCatalogPlaces, Language::German);
    ASSERT_EQ(c.places.size(), ort.size());
    std::set<std::string> names, folded;
    for (std::size_t k = 0; k < ort.size(); ++k) {
        const Place& p = c.places[k];
        EXPECT_EQ(ort[k].substr(0, ort[k].find('\t')), orte[k]);
        EXPECT_EQ(p.rawName, orte[k]);
        EXPECT_TRUE(IsCleanCp1252(orte[k])) << orte[k];
        EXPECT_TRUE(names.insert(orte[k]).second) << "duplicate " << orte[k];
        // FindPlace takes the first identity that matches exactly, without its index: no two
        // may differ in case alone, or the index would give the other.
        EXPECT_TRUE(folded.insert(QString::fromStdString(p.name).toCaseFolded().toStdString()).second) << orte[k];
        EXPECT_NE(orte[k].find(", "), std::string::npos) << orte[k];
        EXPECT_LE(std::abs(p.latitude), 90.0) << orte[k];
        EXPECT_LE(std::abs(p.longitude), 180.0) << orte[k];
        EXPECT_GE(p.zone, -12.0) << orte[k];
        EXPECT_LE(p.zone, 14.0) << orte[k];
        EXPECT_EQ(std::fmod(p.zone * 4, 1.0), 0.0) << orte[k];  // whole quarter hours
        EXPECT_NE(p.zoneId.find('/'), std::string::npos) << orte[k];  // an IANA "Area/Location"
        EXPECT_EQ(c.FindPlace(p.name), static_cast<int>(k)) << orte[k];
        if (!p.englishName.empty()) {
            EXPECT_EQ(c.FindPlace(p.englishName), static_cast<int>(k)) << p.englishName;
        }
    }
    // In English each is named and sorted by its English name, found by either name, and its
    // identity stays the German one.
    const Catalogs& english = Shipped();
    ASSERT_EQ(english.places.size(), ort.size());
    for (std::size_t k = 0; k < english.places.size(); ++k) {
        const Place& p = english.places[k];
        EXPECT_EQ(p.name, p.englishName.empty() ? c.places[c.FindPlace(p.rawName)].name : p.englishName);
        EXPECT_EQ(english.FindPlace(p.name), static_cast<int>(k)) << p.name;
        EXPECT_EQ(english.FindPlace(p.rawName), static_cast<int>(k)) << p.name;
        EXPECT_EQ(english.FindPlace(QString::fromStdString(c.places[c.FindPlace(p.rawName)].name).toUpper().toStdString()),
                  static_cast<int>(k)) << p.name;  // the identity in capitals: through the index
        if (k > 0) {
            EXPECT_LE(SearchKey(english.places[k - 1].name), SearchKey(p.name)) << p.name;
        }
    }
    const int vienna = english.FindPlace("Vienna, A");
    ASSERT_GE(vienna, 0);
    EXPECT_EQ(english.FindPlace("Wien, A"), vienna);
    EXPECT_EQ(english.places[vienna].name, "Vienna, A");
    EXPECT_EQ(english.places[vienna].rawName, "Wien, A");
    EXPECT_EQ(c.places[c.FindPlace("Vienna, A")].name, "Wien, A");
    for (const char* name : {"Moscow, RUS", "Beijing, CHN", "Singapore, SGP", "Cologne, D", "Munich, D"})
        EXPECT_GE(english.FindPlace(name), 0) << name;
    const int reykjavik = english.FindPlace("reykjavik, is");  // without the accent
    ASSERT_GE(reykjavik, 0);
    EXPECT_EQ(english.places[reykjavik].name, "Reykjav\xC3\xADk, IS");

    const int chemnitz = c.FindPlace("Chemnitz, D");
    ASSERT_GE(chemnitz, 0);
    EXPECT_DOUBLE_EQ(c.places[chemnitz].latitude, 50.836667);
    EXPECT_DOUBLE_EQ(c.places[chemnitz].longitude, 12.854444);
    EXPECT_DOUBLE_EQ(c.places[chemnitz].zone, 1.0);
    for (const char* name : {"wien, a", "Z\xC3\xBCrich, CH", "Paris, F", "London, GB", "New York, USA", "K\xC3\xB6ln, D",
                             "M\xC3\xBCnchen, D", "Rom, I", "Moskau, RUS"})
        EXPECT_GE(c.FindPlace(name), 0) << name;
    EXPECT_DOUBLE_EQ(c.places[c.FindPlace("New York, USA")].zone, -5.0);
    EXPECT_DOUBLE_EQ(c.places[c.FindPlace("Mumbai, IND")].zone, 5.5);
    EXPECT_EQ(c.places[chemnitz].zoneId, "Europe/Berlin");
    EXPECT_EQ(c.places[c.FindPlace("Sydney, AUS")].zoneId, "Australia/Sydney");
    // Umlauts sort with their base letter.
    EXPECT_LT(c.FindPlace("K\xC3\xB6ln, D"), c.FindPlace("Konstanz, D"));
    EXPECT_LT(c.FindPlace("Aachen, D"), c.FindPlace("Zwickau, D"));
}

TEST(ShippedData, WorldOutline) {
    const auto lines = LoadTextResource("erde");
    ASSERT_GT(lines.size(), 2500u);
    EXPECT_EQ(lines.front(), "-84 180 0");
    EXPECT_EQ(lines.back(), "0 0 0");
    const auto& pts = Shipped().worldOutline;
    ASSERT_EQ(pts.size(), lines.size());
    std::size_t outlines = 0;
    for (const auto& p : pts) {
        EXPECT_LE(std::abs(p.latitude), 90);
        EXPECT_GE(p.longitude, 0);
        EXPECT_LE(p.longitude, 360);
        if (!p.draw) ++outlines;
    }
    EXPECT_GT(outlines, 50u);
}

// Every star is found by its full name and its Hipparcos number, and by its proper name (the
// brightest of a name where two share it); the Bayer, Flamsteed and Hipparcos forms of a known
// star, bodies and constellations in either language; nonsense is refused with suggestions.
TEST(ObjectIndex, FindsEveryStarBodyAndConstellation) {
    const Catalogs& c = Shipped();
    const ObjectIndex index = ObjectIndex::Build(c);
    const auto star = [](int n) { return SkyObjectRef{SkyObjectKind::Star, n}; };
    ASSERT_EQ(c.starNames.size(), 1608u);
    const std::vector<std::string> numbers = LoadTextResource("STAR4");
    ASSERT_EQ(numbers.size(), c.starNames.size());
    const auto hip = [&](int n) { return numbers[static_cast<std::size_t>(n - 1)].substr(0, numbers[static_cast<std::size_t>(n - 1)].find('\t')); };
    for (std::size_t i = 0; i < c.starNames.size(); ++i) {
        const int n = static_cast<int>(i + 1);
        const std::string& full = c.starNames[i].utf8;
        EXPECT_EQ(index.Find(full), star(n)) << full;
        const std::size_t comma = full.find(',');
        if (comma != std::string::npos) {
            const auto byProper = index.Find(full.substr(comma + 1));
            ASSERT_TRUE(byProper) << full;
            if (byProper->kind != SkyObjectKind::Star) continue;  // "Men", the abbreviation of Mensa
            const std::string& found = c.starNames[static_cast<std::size_t>(byProper->number - 1)].utf8;
            EXPECT_EQ(SearchKey(found.substr(found.find(',') + 1)), SearchKey(full.substr(comma + 1))) << full;
        }
        // Two catalogue stars may share a Hipparcos number (a pair it does not split).
        const auto byNumber = index.Find("HIP " + hip(n));
        ASSERT_TRUE(byNumber && byNumber->kind == SkyObjectKind::Star) << full;
        EXPECT_EQ(hip(byNumber->number), hip(n)) << full;
        EXPECT_NE(hip(n), "0") << full;
    }
    const int betelgeuse = index.Find("Betelgeuse")->number;
    EXPECT_EQ(c.starNames[static_cast<std::size_t>(betelgeuse - 1)].utf8, "Ori Alpha,Betelgeuse");
    for (const char* name : {"α Ori", "alf Ori", "alpha ori", "ALP  ori", "Ori Alpha", "58 Ori", "HIP 27989", "Beteigeuze", "BETEIGEUZE",
                             "Alpha Orionis", "58 orionis"})
        EXPECT_EQ(index.Find(name), star(betelgeuse)) << name;
    EXPECT_EQ(index.Find("α1 Cen"), index.Find("Rigil Kentaurus"));
    EXPECT_EQ(index.Find("alpha cen"), index.Find("alf1 cen"));  // the brighter component
    EXPECT_EQ(index.Find("Alpha Centauri"), index.Find("alf1 cen"));
    EXPECT_EQ(index.Find("Alpha2 Centauri"), index.Find("Toliman"));
    EXPECT_EQ(index.Find("Toliman"), index.Find("α2 Cen"));
    EXPECT_NE(index.Find("Toliman"), index.Find("α1 Cen"));

    const int aries = c.FindConstellation("Ari");
    for (const char* name : {"Widder", "Ram", "Ari", "aries", "WIDDER"})
        EXPECT_EQ(index.Find(name), (SkyObjectRef{SkyObjectKind::Constellation, aries})) << name;
    EXPECT_EQ(index.Find("Bärenhüter"), index.Find("barenhuter"));
    EXPECT_TRUE(index.Find("Bärenhüter"));
    EXPECT_EQ(index.Find("Boötes"), index.Find("bootes"));
    const SkyObjectRef saturn{SkyObjectKind::Body, static_cast<int>(Body::Saturn)};
    const SkyObjectRef moon{SkyObjectKind::Body, static_cast<int>(Body::Moon)};
    EXPECT_EQ(index.Find("saturn"), saturn);
    EXPECT_EQ(index.Find("Mond"), moon);
    EXPECT_EQ(index.Find("MOON"), moon);
    EXPECT_EQ(index.Find("Sonne"), (SkyObjectRef{SkyObjectKind::Body, static_cast<int>(Body::Sun)}));
    EXPECT_FALSE(index.Find("Earth"));      // not in the sky
    EXPECT_FALSE(index.Find("Chemnitz, D"));  // places are not objects

    EXPECT_FALSE(index.Find("Betelgeze"));
    const std::vector<std::string> closest = index.Closest("Betelgeze");
    ASSERT_EQ(closest.size(), 3u);
    EXPECT_EQ(closest.front(), "Betelgeuse");
    EXPECT_TRUE(index.Closest("Xqzzy").size() == 3u);
    const std::vector<std::string> completions = index.Complete("bet");
    EXPECT_NE(std::find(completions.begin(), completions.end(), "Betelgeuse"), completions.end());
    for (const std::string& t : completions) EXPECT_TRUE(index.Find(t)) << t;
}


// Every Messier object by its number in each usual form and by its common names in both
// languages; NGC designations and the German names typed without their hyphen; the names of
// stars and constellations are not taken by deep-sky objects.
TEST(ObjectIndex, FindsEveryMessierObjectByNumberAndName) {
    const ObjectIndex index = ObjectIndex::Build(Shipped());
    const std::vector<DeepSkyObject>& objects = LoadDeepSky();
    int messier = 0;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const DeepSkyObject& o = objects[i];
        const SkyObjectRef ref{SkyObjectKind::DeepSky, static_cast<int>(i)};
        if (!o.IsMessier()) continue;
        ++messier;
        const std::string n = o.designations.front().substr(2);
        for (const std::string& typed : {"M " + n, "M" + n, "m" + n, "Messier " + n, " M  " + n + " "})
            EXPECT_EQ(index.Find(typed), ref) << typed;
        for (const std::string* name : {&o.englishName, &o.germanName})
            if (!name->empty()) {
                EXPECT_EQ(index.Find(*name), ref) << *name;
            }
    }
    EXPECT_EQ(messier, 110);
    const auto m = [&](const char* typed) {
        const std::optional<SkyObjectRef> r = index.Find(typed);
        return r && r->kind == SkyObjectKind::DeepSky ? objects[static_cast<std::size_t>(r->number)].designations.front() : std::string("-");
    };
    for (const char* typed : {"M31", "M 31", "NGC 224", "ngc224", "Andromeda Galaxy", "Andromedagalaxie", "Andromeda-Galaxie"})
        EXPECT_EQ(m(typed), "M 31") << typed;
    EXPECT_EQ(m("Orion Nebula"), "M 42");
    EXPECT_EQ(m("Plejaden"), "M 45");
    EXPECT_EQ(m("Omega Centauri"), "NGC 5139");
    EXPECT_EQ(m("NGC 7000"), "NGC 7000");
    EXPECT_EQ(index.Find("Andromeda")->kind, SkyObjectKind::Constellation);
    EXPECT_EQ(index.Find("Sirius")->kind, SkyObjectKind::Star);
    EXPECT_EQ(index.DisplayName(*index.Find("M31")), "Andromeda Galaxy (M 31)");
}

}  // namespace
}  // namespace noctaris
