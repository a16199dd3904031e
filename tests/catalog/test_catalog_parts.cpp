// Loading a part of the catalogs gives exactly that part, equal to the same part of LoadAll.
#include <gtest/gtest.h>

#include "catalog/catalog.h"

namespace noctaris {
namespace {

TEST(CatalogParts, EachPartLoadsAloneAndEqualsTheFullLoad) {
    const Catalogs all = Catalogs::LoadAll();

    const Catalogs places = Catalogs::Load(kCatalogPlaces);
    EXPECT_TRUE(places.stars.empty() && places.starNames.empty() && places.constellations.empty() &&
                places.constellationLines.empty() && places.constellationBorders.empty() &&
                places.worldOutline.empty());
    ASSERT_EQ(places.places.size(), all.places.size());
    // The name index is built, as the one lookup a report needs.
    const int wien = places.FindPlace("wien, a");
    ASSERT_GE(wien, 0);
    EXPECT_EQ(wien, all.FindPlace("Wien, A"));
    EXPECT_NEAR(places.places[static_cast<std::size_t>(wien)].latitude, 48.208, 0.01);

    const Catalogs stars = Catalogs::Load(kCatalogStars | kCatalogConstellations);
    EXPECT_TRUE(stars.places.empty() && stars.worldOutline.empty() && stars.constellationLines.empty());
    EXPECT_EQ(stars.FindPlace("Wien, A"), -1);
    ASSERT_EQ(stars.stars.size(), all.stars.size());
    ASSERT_EQ(stars.starNames.size(), all.starNames.size());
    EXPECT_EQ(stars.starNames.front().raw, all.starNames.front().raw);
    EXPECT_EQ(stars.constellations.size(), all.constellations.size());

    const Catalogs chart = Catalogs::Load(kCatalogAll & ~kCatalogWorldOutline);
    EXPECT_TRUE(chart.worldOutline.empty());
    EXPECT_EQ(chart.constellationBorders.size(), all.constellationBorders.size());
    EXPECT_EQ(Catalogs::Load(kCatalogWorldOutline).worldOutline.size(), all.worldOutline.size());
    EXPECT_TRUE(Catalogs::Load(0).places.empty());
}

}  // namespace
}  // namespace noctaris
