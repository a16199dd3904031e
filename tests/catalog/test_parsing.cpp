// Resource loading and parsing with broken and unusual inputs.
#include <gtest/gtest.h>
#include <zlib.h>

#include <clocale>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/faint_stars.h"

namespace noctaris {
namespace {

std::vector<unsigned char> Deflate(const std::string& text) {
    uLongf size = compressBound(text.size());
    std::vector<unsigned char> out(size);
    EXPECT_EQ(compress2(out.data(), &size, reinterpret_cast<const Bytef*>(text.data()), text.size(), 9), Z_OK);
    out.resize(size);
    return out;
}

// Runs `f` and returns the ResourceError's message (fails the test if nothing was thrown).
template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const ResourceError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no ResourceError";
    return {};
}

TEST(ResourceLoading, MissingResourceNamesItself) {
    try {
        LoadTextResource("star9");
        FAIL() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_EQ(e.resource(), "star9");
        EXPECT_NE(std::string(e.what()).find("star9"), std::string::npos);
    }
}

TEST(ResourceLoading, NamesAreCaseInsensitive) {
    EXPECT_EQ(LoadTextResource("star5"), LoadTextResource("STAR5"));
    EXPECT_EQ(LoadTextResource("Orte").size(), LoadTextResource("ORT").size());
}

TEST(ResourceLoading, InflateRejectsBrokenStreams) {
    const auto good = Deflate("a\r\nb\r\n");
    EXPECT_EQ(InflateResource("X", good), "a\r\nb\r\n");
    EXPECT_EQ(InflateResource("X", {}), "");  // an empty resource is an empty list

    const std::vector<unsigned char> garbage = {'h', 'e', 'l', 'l', 'o', 0, 1, 2};
    EXPECT_NE(ErrorOf([&] { InflateResource("STAR7", garbage); }).find("STAR7"), std::string::npos);

    std::vector<unsigned char> truncated(good.begin(), good.end() - 5);
    EXPECT_NE(ErrorOf([&] { InflateResource("ERDE", truncated); }).find("ERDE"), std::string::npos);

    std::vector<unsigned char> corrupt = good;
    corrupt[corrupt.size() - 1] ^= 0xFF;  // Adler-32 checksum no longer matches
    EXPECT_FALSE(ErrorOf([&] { InflateResource("ORT", corrupt); }).empty());

    // Large expansion: the output buffer has to grow many times.
    const std::string big(3'000'000, 'x');
    EXPECT_EQ(InflateResource("X", Deflate(big)).size(), big.size());
}

TEST(ResourceLoading, LineEndsOfEveryKind) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\n"), (V{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r"), (V{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb"), (V{"a", "b"}));  // last line without an end
    EXPECT_EQ(SplitLines("a\n\rb"), (V{"a", "", "b"}));  // LF CR is two line ends
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n"), (V{""}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(NumberParsing, AcceptsSignsAndIgnoresLocale) {
    EXPECT_DOUBLE_EQ(ParseResourceNumber("+12", "ORT", 1), 12.0);
    EXPECT_DOUBLE_EQ(ParseResourceNumber("-5.75", "ORT", 1), -5.75);
    EXPECT_DOUBLE_EQ(ParseResourceNumber(" 0.5 ", "ORT", 1), 0.5);
    EXPECT_DOUBLE_EQ(ParseResourceNumber("1e-3", "ORT", 1), 0.001);
    EXPECT_DOUBLE_EQ(ParseResourceNumber(".25", "ORT", 1), 0.25);
    EXPECT_EQ(ParseResourceInteger("+5", "ERDE", 1), 5);
    EXPECT_EQ(ParseResourceInteger("-84", "ERDE", 1), -84);

    // A user locale with a decimal comma must not change anything.
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "de_DE")) {
        EXPECT_DOUBLE_EQ(ParseResourceNumber("1.5", "STAR0", 1), 1.5);
        EXPECT_THROW(ParseResourceNumber("1,5", "STAR0", 1), ResourceError);
    }
    std::setlocale(LC_ALL, old.c_str());
}

TEST(NumberParsing, MalformedNumbersNameResourceAndLine) {
    for (const char* bad : {"", " ", "abc", "1,5", "1.2.3", "+-1", "--1", "12x", "nan", "inf", "1e999", "0x10"}) {
        const std::string msg = ErrorOf([&] { ParseResourceNumber(bad, "STAR1", 17); });
        EXPECT_NE(msg.find("STAR1"), std::string::npos) << bad;
        EXPECT_NE(msg.find("line 17"), std::string::npos) << bad;
    }
    for (const char* bad : {"", "5.0", "1e2", "x", "+-3", "99999999999"})
        EXPECT_THROW(ParseResourceInteger(bad, "ERDE", 1), ResourceError) << bad;
}

TEST(StarTable, ParsesRecordsAndGuardsItsCapacity) {
    const std::vector<std::string> lines = {"1.5", "-0.25", "4.8", "5", "+0.1", "0.2", "-1.44", "3"};
    const auto stars = BuildStarTable(lines);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_DOUBLE_EQ(stars[0].RightAscension, 1.5);
    EXPECT_DOUBLE_EQ(stars[0].Declination, -0.25);
    EXPECT_DOUBLE_EQ(stars[1].Magnitude, -1.44);
    EXPECT_EQ(stars[1].SpectralClass, 3);

    EXPECT_EQ(BuildStarTable(lines, "STAR0", 1).size(), 1u);  // stops at the table's room
    EXPECT_TRUE(BuildStarTable({}).empty());

    auto incomplete = lines;
    incomplete.pop_back();
    EXPECT_NE(ErrorOf([&] { BuildStarTable(incomplete); }).find("line 5"), std::string::npos);

    auto badNumber = lines;
    badNumber[5] = "0,2";
    EXPECT_NE(ErrorOf([&] { BuildStarTable(badNumber); }).find("line 6"), std::string::npos);

    auto badClass = lines;
    badClass[3] = "9";  // would index past the colour table
    EXPECT_THROW(BuildStarTable(badClass), ResourceError);
    badClass[3] = "0";
    EXPECT_THROW(BuildStarTable(badClass), ResourceError);

    // The faint stars: a name as a fifth line, and no place off the sphere.
    const std::vector<std::string> faint = {"1.5", "-0.25", "6.2", "4", "Ori 58", "0", "1.5707963", "5.01", "8", "Oct 0.000h -89.99"};
    const FaintStars f = BuildFaintStars(faint);
    ASSERT_EQ(f.stars.size(), 2u);
    EXPECT_EQ(f.names[1], "Oct 0.000h -89.99");
    EXPECT_DOUBLE_EQ(f.stars[0].Magnitude, 6.2);
    EXPECT_EQ(f.stars[1].SpectralClass, 8);
    auto offSphere = faint;
    offSphere[1] = "1.6";
    EXPECT_NE(ErrorOf([&] { BuildFaintStars(offSphere); }).find("line 2"), std::string::npos);
    offSphere = faint;
    offSphere[5] = "7";
    EXPECT_NE(ErrorOf([&] { BuildFaintStars(offSphere); }).find("line 6"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { BuildFaintStars({faint.begin(), faint.end() - 1}); }).find("line 6"), std::string::npos);
}

TEST(StarNames, ChartLabelIsTheCapitalisedTextAfterTheFirstComma) {
    EXPECT_EQ(MakeStarName("Cen Alpha2,Toliman", "").label, "Toliman");
    EXPECT_EQ(MakeStarName("Lyr Alpha,Vega,x", "").label, "Vega,x");
    EXPECT_EQ(MakeStarName("Ind Epsilon", "").label, "");
    EXPECT_EQ(MakeStarName("CMi ,+5 1668", "").label, "");
    EXPECT_EQ(MakeStarName("Ori Beta,rigel", "").label, "");
    EXPECT_EQ(MakeStarName("Xyz A,", "").label, "");
    EXPECT_EQ(MakeStarName("Boo Alpha,\xC4gir", "").label, "");  // only A..Z start a label
    EXPECT_EQ(MakeStarName("Sco Alpha,An\xFCtares", "").label, "An\xC3\xBCtares");  // decoded to UTF-8
    EXPECT_EQ(MakeStarName("And Alpha," + std::string(300, 'A'), "").label.size(), 250u);
}

TEST(StarDetailsLookup, ExactNameWinsOverAnEarlierPrefixMatch) {
    auto record = [](const std::string& name, const std::string& mag) {
        return std::vector<std::string>{name, "5.12345", "-12.3456", "-10000", "-10000", "1.23", mag, "123",
                                        "A0 long spectral text"};
    };
    std::vector<std::string> lines;
    for (const auto& r : {record("Ori 11", "4.6"), record("Ori 1", "3.2"), record("Lyr Alpha,Vega", "0.03")})
        lines.insert(lines.end(), r.begin(), r.end());

    auto exact = FindStarDetailsIn(lines, "Ori 1");
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->name, "Ori 1");
    EXPECT_EQ(exact->ApparentMagnitude(), "3.2");

    auto prefix = FindStarDetailsIn(lines, "Lyr Alpha");
    ASSERT_TRUE(prefix);
    EXPECT_EQ(prefix->name, "Lyr Alpha,Vega");
    EXPECT_EQ(prefix->SpectralClassText(), "A0 long sp");  // cut to 10 characters
    EXPECT_EQ(prefix->RightAscensionHours(), "5.12345");
    EXPECT_EQ(prefix->DeclinationDegrees(), "-12.3456");
    EXPECT_EQ(prefix->DistanceLightYears(), "123");

    EXPECT_FALSE(FindStarDetailsIn(lines, "Cyg Alpha"));
    EXPECT_FALSE(FindStarDetailsIn(lines, ""));
    lines.resize(lines.size() - 1);  // the last record is incomplete
    EXPECT_FALSE(FindStarDetailsIn(lines, "Lyr Alpha,Vega"));
}

TEST(SkyPolylines, SeparatorsBecomePenFlags) {
    const std::vector<std::string> lines = {"0", "0", "1", "0.5", "1.1", "0.6", "0", "0", "0", "0",
                                            "2", "-0.1", "0.0", "-0.0", "3", "0", "0", "0"};
    const auto pts = BuildSkyPolylines(lines, "STAR1");
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_TRUE(pts[0].penUp);  // leading separator only lifts the pen
    EXPECT_DOUBLE_EQ(pts[0].ra, 1.0);
    EXPECT_FALSE(pts[1].penUp);
    EXPECT_TRUE(pts[2].penUp);  // two separators in a row: one new polyline
    EXPECT_DOUBLE_EQ(pts[2].ra, 2.0);
    EXPECT_TRUE(pts[3].penUp);  // "0.0"/"-0.0" is a separator too
    EXPECT_DOUBLE_EQ(pts[3].ra, 3.0);
    EXPECT_DOUBLE_EQ(pts[3].dec, 0.0);  // (3, 0) is a real point

    EXPECT_TRUE(BuildSkyPolylines({}, "STAR2").empty());
    EXPECT_THROW(BuildSkyPolylines({"1", "2", "3"}, "STAR2"), ResourceError);
    EXPECT_NE(ErrorOf([] { BuildSkyPolylines({"1", "2", "3", "x"}, "STAR2"); }).find("line 4"), std::string::npos);
}

TEST(Constellations, RecordsOfSixLinesNamedInEitherLanguage) {
    const std::vector<std::string> boo = {"Bo\xF6tes", "B\xE4renh\xFCter", "Herdsman", "Boo", "3.73", "+0.5"};
    const auto list = BuildConstellations(boo, "STAR5", Language::German);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].latin, "Bo\xC3\xB6tes");
    EXPECT_EQ(list[0].vernacular, "B\xC3\xA4renh\xC3\xBCter");
    EXPECT_EQ(list[0].abbreviation, "Boo");
    EXPECT_DOUBLE_EQ(list[0].labelDeclination, 0.5);
    EXPECT_EQ(BuildConstellations(boo, "STAR5", Language::English)[0].vernacular, "Herdsman");
    EXPECT_THROW(BuildConstellations({"A", "B", "C", "D", "1"}), ResourceError);
    EXPECT_THROW(BuildConstellations({"A", "B", "C", "D", "1", "north"}), ResourceError);
}

TEST(Places, RecordsMatchTheirNameList) {
    const std::vector<std::string> ort = {"Z\xFCrich, CH\t47.37\t8.55\t1", "Auckland, NZ\t-36.85\t174.76\t+12\tPacific/Auckland",
                                          "Kolkata, IND\t22.57\t88.36\t5.5",
                                          "Wien, A\t48.21\t16.37\t1\tEurope/Vienna\tVienna, A"};
    const std::vector<std::string> orte = {"Z\xFCrich, CH", "Auckland, NZ", "Kolkata, IND", "Wien, A"};
    Catalogs c;
    c.places = BuildPlaces(ort, orte, Language::German);
    c.IndexPlaces();
    ASSERT_EQ(c.places.size(), 4u);
    EXPECT_EQ(c.places[0].name, "Z\xC3\xBCrich, CH");
    EXPECT_EQ(c.places[0].rawName, "Z\xFCrich, CH");
    EXPECT_DOUBLE_EQ(c.places[1].zone, 12.0);
    EXPECT_EQ(c.places[1].zoneId, "Pacific/Auckland");
    EXPECT_EQ(c.places[0].zoneId, "");  // a record without the zone's name still reads
    EXPECT_DOUBLE_EQ(c.places[1].latitude, -36.85);
    EXPECT_DOUBLE_EQ(c.places[2].zone, 5.5);
    EXPECT_EQ(c.FindPlace("Z\xC3\x9CRICH, ch"), 0);  // UTF-8, any case
    EXPECT_EQ(c.FindPlace("z\xFCrich, CH"), 0);      // the stored Windows-1252 form
    EXPECT_EQ(c.FindPlace("kolkata, ind"), 2);
    EXPECT_EQ(c.FindPlace("Kolkata"), -1);
    EXPECT_EQ(c.FindPlace(""), -1);
    EXPECT_EQ(c.FindPlace("zurich, ch"), 0);  // without its accent
    EXPECT_EQ(c.places[3].name, "Wien, A");
    EXPECT_EQ(c.places[3].zoneId, "Europe/Vienna");
    EXPECT_EQ(c.FindPlace("vienna, a"), 3);

    // In English a place is named and sorted by its English name, and found by either.
    Catalogs e;
    e.places = BuildPlaces(ort, orte, Language::English);
    e.IndexPlaces();
    ASSERT_EQ(e.places.size(), 4u);
    EXPECT_EQ(e.places[2].name, "Vienna, A");
    EXPECT_EQ(e.places[2].rawName, "Wien, A");
    EXPECT_EQ(e.places[3].name, "Z\xC3\xBCrich, CH");
    EXPECT_EQ(e.FindPlace("Wien, A"), 2);
    EXPECT_EQ(e.FindPlace("Vienna, A"), 2);

    EXPECT_NE(ErrorOf([&] { BuildPlaces(ort, {orte[0], orte[2], orte[1], orte[3]}); }).find("line 2"), std::string::npos);
    EXPECT_THROW(BuildPlaces(ort, {orte[0], orte[1]}), ResourceError);
    EXPECT_THROW(BuildPlaces({"Nowhere\t1\t2"}, {"Nowhere"}), ResourceError);
    EXPECT_THROW(BuildPlaces({"Nowhere\t1\t2\tUTC"}, {"Nowhere"}), ResourceError);
}

TEST(WorldOutline, ThreeIntegersAndAPenFlag) {
    const auto pts = BuildWorldOutline({"-84 180 0", "10 +20 1", "0 0 0"});
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0].latitude, -84);
    EXPECT_EQ(pts[0].longitude, 180);
    EXPECT_FALSE(pts[0].draw);
    EXPECT_TRUE(pts[1].draw);
    EXPECT_EQ(pts[1].longitude, 20);
    for (const char* bad : {"1 2", "1 2 2", "1 2 x", "1.5 2 1", "", "1 2 1 4"})
        EXPECT_THROW(BuildWorldOutline({bad}), ResourceError) << bad;
}

}  // namespace
}  // namespace noctaris
