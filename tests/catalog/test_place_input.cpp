// Typed places: coordinates in the forms people write them, the closest names and the nearest
// listed place.
#include <gtest/gtest.h>

#include <cmath>

#include <QElapsedTimer>

#include "catalog/place_input.h"

using namespace noctaris;

namespace {

constexpr auto kLat = CoordinateAxis::kLatitude;
constexpr auto kLon = CoordinateAxis::kLongitude;

TEST(ParseCoordinate, ReadsDecimalAndSexagesimalFormsWithHemisphereLetters) {
    struct Case {
        const char* text;
        CoordinateAxis axis;
        double degrees;
    } cases[] = {
        {"50.8367", kLat, 50.8367},
        {" -33.87 ", kLat, -33.87},
        {"+12,8544", kLon, 12.8544},  // a German decimal comma
        {"50° 50′ 12″ N", kLat, 50 + 50 / 60.0 + 12 / 3600.0},
        {"50°50'12\"N", kLat, 50 + 50 / 60.0 + 12 / 3600.0},
        {"33 52 S", kLat, -(33 + 52 / 60.0)},
        {"s 33 52.5", kLat, -(33 + 52.5 / 60.0)},
        {"151° 12′ 30.5″ E", kLon, 151 + 12 / 60.0 + 30.5 / 3600.0},
        {"73°59'W", kLon, -(73 + 59 / 60.0)},
        {"12 55 O", kLon, 12 + 55 / 60.0},  // Ost
        {"90 S", kLat, -90},
        {"180", kLon, 180},
        {"0", kLat, 0},
    };
    for (const Case& c : cases) {
        const ParsedCoordinate p = ParseCoordinate(QString::fromUtf8(c.text), c.axis);
        ASSERT_TRUE(p.ok()) << c.text << " error " << static_cast<int>(p.error);
        EXPECT_NEAR(p.degrees, c.degrees, 1e-9) << c.text;
    }
}

TEST(ParseCoordinate, RefusesWhatIsNoCoordinateOfTheAxis) {
    struct Case {
        const char* text;
        CoordinateAxis axis;
        CoordinateError error;
    } cases[] = {
        {"", kLat, CoordinateError::kEmpty},
        {"   ", kLon, CoordinateError::kEmpty},
        {"Moscow", kLat, CoordinateError::kSyntax},
        {"Nowhere", kLat, CoordinateError::kSyntax},
        {"12abc", kLon, CoordinateError::kSyntax},
        {"1.5 30", kLat, CoordinateError::kSyntax},  // a fraction of a degree before minutes
        {"10 20 30 40", kLat, CoordinateError::kSyntax},
        {"50\n 10", kLat, CoordinateError::kSyntax},  // a line break is no separator
        {"N 50 S", kLat, CoordinateError::kSyntax},
        {"N", kLat, CoordinateError::kSyntax},
        {"--5", kLat, CoordinateError::kSyntax},
        {"50 E", kLat, CoordinateError::kHemisphere},
        {"12 N", kLon, CoordinateError::kHemisphere},
        {"-50 N", kLat, CoordinateError::kHemisphere},
        {"50 60", kLat, CoordinateError::kMinutes},
        {"50 10 60 N", kLat, CoordinateError::kMinutes},
        {"90.0001", kLat, CoordinateError::kOutOfRange},
        {"-180 0 1", kLon, CoordinateError::kOutOfRange},
        {"91 N", kLat, CoordinateError::kOutOfRange},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCoordinate(QString::fromUtf8(c.text), c.axis).error, c.error) << c.text;
}

TEST(PlaceInput, ClosestNamesAndNearestPlaceOfTheList) {
    const Catalogs catalogs = Catalogs::Load(kCatalogPlaces);
    const QStringList names = PlaceNames(catalogs);
    // One swap away (from the German name of a place shown in English), and a town named
    // without its country or its accent, by either name.
    EXPECT_EQ(ClosestPlaceNames("wein, a", catalogs).value(0), "Vienna, A");
    EXPECT_EQ(ClosestPlaceNames("Reykjavik", catalogs).value(0), "Reykjav\u00EDk, IS");
    EXPECT_EQ(ClosestPlaceNames("Moskau", catalogs).value(0), "Moscow, RUS");
    EXPECT_EQ(ClosestPlaceNames("Mein Garten", catalogs, {"Mein Garten"}).value(0), "Mein Garten");
    EXPECT_EQ(ClosestNames("chemnitz", names).value(0), "Chemnitz, D");
    EXPECT_EQ(ClosestNames("Sydn", names).value(0), "Sydney, AUS");
    EXPECT_EQ(ClosestNames("x", names).size(), 3);
    EXPECT_TRUE(ClosestNames("x", {}).isEmpty());
    // A text of many kilobytes is answered at once, and by what it begins with.
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ClosestNames("Chemnitz, D" + QString(5000, u'x'), names).value(0), "Chemnitz, D");
    EXPECT_LT(clock.elapsed(), 2000);
    // A point in the middle of Vienna is nearest to Vienna; one near the date line finds a place
    // across it as well as on its own side.
    const int wien = NearestPlace(catalogs, 48.205, 16.375);
    ASSERT_GE(wien, 0);
    EXPECT_EQ(catalogs.places[static_cast<std::size_t>(wien)].name, "Vienna, A");
    EXPECT_EQ(catalogs.places[static_cast<std::size_t>(wien)].rawName, "Wien, A");
    const Place& east = catalogs.places[static_cast<std::size_t>(NearestPlace(catalogs, -18.1, 178.45))];
    const Place& west = catalogs.places[static_cast<std::size_t>(NearestPlace(catalogs, -18.1, -181.55))];
    EXPECT_LT(std::abs(east.latitude + 18.1), 3.0) << east.name;
    EXPECT_EQ(east.name, west.name);
    EXPECT_EQ(NearestPlace(Catalogs{}, 0, 0), -1);
}

TEST(PlaceInput, OwnPlacesNeedAStorableNameCoordinatesInRangeAndAKnownZone) {
    EXPECT_EQ(ZoneStandardOffsetHours("Australia/Sydney"), 10.0);
    EXPECT_EQ(ZoneStandardOffsetHours("Asia/Kolkata"), 5.5);
    EXPECT_EQ(ZoneStandardOffsetHours("America/St_Johns"), -3.5);
    EXPECT_EQ(ZoneStandardOffsetHours("Etc/UTC"), 0.0);
    EXPECT_FALSE(ZoneStandardOffsetHours("Mars/Olympus_Mons"));
    EXPECT_FALSE(ZoneStandardOffsetHours(""));

    const std::optional<Place> p = MakeOwnPlace(QString::fromUtf8("  Sternwarte   Zürich "), 47.37, 8.55, "Europe/Zurich");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->name, "Sternwarte Zürich");
    EXPECT_EQ(p->rawName, "Sternwarte Z\xFCrich");
    EXPECT_EQ(p->zone, 1.0);
    EXPECT_EQ(p->zoneId, "Europe/Zurich");
    EXPECT_FALSE(MakeOwnPlace(" ", 47, 8, "Europe/Zurich"));
    EXPECT_FALSE(MakeOwnPlace(QString::fromUtf8("Москва"), 55.75, 37.62, "Europe/Moscow"));  // the file's code page has no Cyrillic
    EXPECT_FALSE(MakeOwnPlace("Pole", 90.5, 0, "Etc/UTC"));
    EXPECT_FALSE(MakeOwnPlace("Nowhere", 0, 0, "Nowhere/City"));
}

}  // namespace
