#include "Totals.h"

#include <gtest/gtest.h>

TEST(Totals, FireballTenCountsPearlAndAsh)
{
    Selection selection;
    ReagentTotals totals;
    selection.Text({3, 2}) = "10";
    RecalculateTotals(selection, totals);
    EXPECT_EQ(totals[Reagent::BlackPearl], 10);
    EXPECT_EQ(totals[Reagent::SulphurousAsh], 10);
    EXPECT_EQ(totals.reagentTotal, 20);
    EXPECT_EQ(totals.spellTotal, 10);
}
