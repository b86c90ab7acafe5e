#include "Catalogue.h"

#include <gtest/gtest.h>

TEST(Catalogue, HoldsEightCirclesOfEightSpells)
{
    ASSERT_EQ(Circles().size(), 8u);
    for (const CircleInfo& circle : Circles())
        EXPECT_EQ(circle.spells.size(), 8u) << circle.caption;
    EXPECT_STREQ(SpellOf({8, 8}).caption, "Summon Water Ele");
}
