#include <gtest/gtest.h>

#include "astro/reports/objectlists.h"

using namespace noctaris;

TEST(ObjectLists, ReadAgainFromTheStart) {
    ChartObjectLists lists;
    EXPECT_TRUE(lists.StarListAtEnd());
    EXPECT_EQ(lists.StarListNext(), "");
    lists.StarListAdd("10\t20\tLyr Alpha,Vega");
    lists.stars.Add(-3, 7, "Ori Beta,Rigel");
    EXPECT_TRUE(lists.StarListAtEnd());  // adding advances the read position
    for (int pass = 0; pass < 2; ++pass) {
        lists.stars.Rewind();
        EXPECT_EQ(lists.StarListNext(), "10\t20\tLyr Alpha,Vega");
        EXPECT_EQ(lists.StarListNext(), "-3\t7\tOri Beta,Rigel");
        EXPECT_TRUE(lists.StarListAtEnd());
        EXPECT_EQ(lists.StarListNext(), "");
    }
    lists.StarListClear();
    EXPECT_TRUE(lists.StarListAtEnd());
    EXPECT_EQ(lists.StarListNext(), "");
    EXPECT_EQ(lists.stars.Size(), 0u);
    // The two lists are independent.
    lists.BodyListAdd("1\t2\tMoon");
    lists.bodies.Rewind();
    EXPECT_FALSE(lists.BodyListAtEnd());
    EXPECT_TRUE(lists.StarListAtEnd());
    EXPECT_EQ(lists.bodies.NameAt(0), "Moon");
}
