// The circle dialogs, opened from the main window and driven as a person would.
#include "ProgramTest.h"

using namespace driver;

namespace
{

using enum Reagent;

using CircleDialog = ProgramTest;

TEST_F(CircleDialog, FireballTenCountsPearlAndAshInTheMainWindow)
{
    std::array<std::string, 10> shown;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 3);
        EXPECT_EQ(ui.Focus(), circle.Item(IDOK)) << "the circle opens with the focus on OK";
        EXPECT_FALSE(Field(circle, {3, 2}).IsEnabled()) << "fields start disabled";
        ui.Click(Box(circle, {3, 2}));
        EXPECT_TRUE(Box(circle, {3, 2}).IsChecked());
        EXPECT_TRUE(Field(circle, {3, 2}).IsEnabled()) << "ticking enables the field";
        ASSERT_EQ(ui.Focus(), Field(circle, {3, 2})) << "ticking puts the focus in the field";
        ui.Type("10");
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        shown = Shown(main);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(shown, Showing({{BlackPearl, 10}, {SulphurousAsh, 10}}, 20, 10));
    EXPECT_EQ(theApp.m_selection.Text({3, 2}), "10");
}

TEST_F(CircleDialog, ReopeningShowsStoredQuantitiesDisabledAndUntickedStillCounting)
{
    std::array<std::string, 10> afterFirst, afterSecond;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 5);
        TickAndType(ui, circle, {5, 2}, "2");
        TickAndType(ui, circle, {5, 5}, "4");
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        afterFirst = Shown(main);

        circle = OpenCircle(ui, main, 5);
        for (const SpellInfo& spell : CircleOf(5).spells)
        {
            const std::string stored = spell.ref.row == 2 ? "2" : spell.ref.row == 5 ? "4" : "";
            EXPECT_EQ(Field(circle, spell.ref).Text(), stored) << spell.caption;
            EXPECT_FALSE(Field(circle, spell.ref).IsEnabled()) << spell.caption;
            EXPECT_FALSE(Box(circle, spell.ref).IsChecked()) << spell.caption;
        }
        ui.Click(circle.Item(IDOK)); // nothing touched: the same texts are stored again
        ui.WaitUntilGone(circle);
        afterSecond = Shown(main);
        ui.Click(main.Item(IDOK));
    });
    const auto expected =
        Showing({{BlackPearl, 6}, {Garlic, 2}, {MandrakeRoot, 4}, {Nightshade, 4}, {SulphurousAsh, 6}, {SpiderSilk, 2}}, 24, 6);
    EXPECT_EQ(afterFirst, expected);
    EXPECT_EQ(afterSecond, expected) << "an untouched OK changes no total";
}

TEST_F(CircleDialog, TickingKeepsTheStoredTextWithTheCaretInIt)
{
    Store({1, 5}, "5");
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 1);
        Window field = Field(circle, {1, 5});
        ui.Click(Box(circle, {1, 5}));
        EXPECT_TRUE(field.IsEnabled());
        EXPECT_EQ(field.Text(), "5");
        EXPECT_EQ(ui.Focus(), field);
        const auto selection = static_cast<DWORD>(field.Send(EM_GETSEL));
        EXPECT_EQ(LOWORD(selection), HIWORD(selection)) << "the text must not be selected";
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(theApp.m_selection.Text({1, 5}), "5");
}

TEST_F(CircleDialog, TickThenUntickEmptiesTheRowAndItStopsCounting)
{
    Store({1, 5}, "5");
    Store({1, 1}, "1");
    std::array<std::string, 10> shown;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 1);
        ui.Click(Box(circle, {1, 5}));
        ui.Click(Box(circle, {1, 5}));
        EXPECT_FALSE(Box(circle, {1, 5}).IsChecked());
        EXPECT_FALSE(Field(circle, {1, 5}).IsEnabled());
        EXPECT_EQ(Field(circle, {1, 5}).Text(), "") << "unticking empties the field";
        EXPECT_EQ(Field(circle, {1, 1}).Text(), "1") << "other rows keep their texts";
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        shown = Shown(main);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(theApp.m_selection.Text({1, 5}), "");
    // "Reactive Armor" 1 alone
    EXPECT_EQ(shown, Showing({{Garlic, 1}, {SulphurousAsh, 1}, {SpiderSilk, 1}}, 3, 1));
}

// Cancel, Escape and the close box leave the circle's texts as the opening found them,
// even after an untick saved the fields midway; the totals stay too.
TEST_F(CircleDialog, CancellingLeavesTheStoreAsTheOpeningFoundIt)
{
    const struct
    {
        const char* how;
        void (*close)(Ui&, const Window&);
    } ways[] = {
        {"Cancel", [](Ui& ui, const Window& circle) { ui.Click(circle.Item(IDCANCEL)); }},
        {"Escape", [](Ui& ui, const Window&) { ui.Press(Key::Escape); }},
        {"close box", [](Ui& ui, const Window& circle) { ui.CloseBox(circle); }},
    };
    for (const auto& way : ways)
    {
        SCOPED_TRACE(way.how);
        theApp.m_selection = Selection{};
        Store({1, 1}, "7");
        const Selection opened = theApp.m_selection;
        std::array<std::string, 10> afterCancel, afterLaterOk;
        RunMain([&](Ui& ui, const Window& main) {
            Window circle = OpenCircle(ui, main, 1);
            TickAndType(ui, circle, {1, 2}, "4");
            ui.Click(Box(circle, {1, 1}));
            ui.Click(Box(circle, {1, 1})); // the untick saves all eight fields
            EXPECT_EQ(Field(circle, {1, 1}).Text(), "");
            EXPECT_EQ(Field(circle, {1, 2}).Text(), "4");
            way.close(ui, circle);
            ui.WaitUntilGone(circle);
            afterCancel = Shown(main);

            // A later OK elsewhere recalculates from the store: nothing cancelled may count.
            Window other = OpenCircle(ui, main, 2);
            ui.Click(other.Item(IDOK));
            ui.WaitUntilGone(other);
            afterLaterOk = Shown(main);
            ui.Click(main.Item(IDOK));
        });
        for (int row = 1; row <= kRowCount; ++row)
            EXPECT_EQ(theApp.m_selection.Text({1, row}), opened.Text({1, row})) << "row " << row;
        EXPECT_EQ(afterCancel, Zeros()) << "a cancelled circle changes no total";
        // the stored "Reactive Armor" 7, nothing of the cancelled "Clumsy"
        EXPECT_EQ(afterLaterOk, Showing({{Garlic, 7}, {SulphurousAsh, 7}, {SpiderSilk, 7}}, 21, 7));
    }
}

TEST_F(CircleDialog, TypingThenCancellingStoresNothing)
{
    Store({2, 3}, "9");
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 2);
        TickAndType(ui, circle, {2, 1}, "12");
        ui.Click(Box(circle, {2, 3}));
        ui.Type("0"); // "09" or "90", whichever: it must not be kept
        ui.Click(circle.Item(IDCANCEL));
        ui.WaitUntilGone(circle);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(theApp.m_selection.Text({2, 1}), "");
    EXPECT_EQ(theApp.m_selection.Text({2, 3}), "9");
}

// OK keeps what an untick saved and what is typed after it.
TEST_F(CircleDialog, OkAfterAnUntickKeepsEveryField)
{
    Store({1, 1}, "7");
    std::array<std::string, 10> shown;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 1);
        TickAndType(ui, circle, {1, 2}, "4");
        ui.Click(Box(circle, {1, 1}));
        ui.Click(Box(circle, {1, 1}));
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        shown = Shown(main);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(theApp.m_selection.Text({1, 1}), "");
    EXPECT_EQ(theApp.m_selection.Text({1, 2}), "4");
    // "Clumsy" 4
    EXPECT_EQ(shown, Showing({{BloodMoss, 4}, {Nightshade, 4}}, 8, 4));
}

// Every box of every circle reaches its own row, and only its own.
TEST_F(CircleDialog, EachBoxOpensItsOwnField)
{
    RunMain([&](Ui& ui, const Window& main) {
        for (const CircleInfo& info : Circles())
        {
            Window circle = OpenCircle(ui, main, info.number);
            for (const SpellInfo& spell : info.spells)
            {
                ui.Click(Box(circle, spell.ref));
                for (const SpellInfo& other : info.spells)
                    EXPECT_EQ(Field(circle, other.ref).IsEnabled(), other.ref.row <= spell.ref.row)
                        << "after ticking " << spell.caption << ", field of " << other.caption;
                ui.Type(std::to_string(spell.ref.row));
            }
            ui.Click(circle.Item(IDOK));
            ui.WaitUntilGone(circle);
        }
        ui.Click(main.Item(IDOK));
    });
    for (const CircleInfo& info : Circles())
        for (const SpellInfo& spell : info.spells)
            EXPECT_EQ(theApp.m_selection.Text(spell.ref), std::to_string(spell.ref.row)) << spell.caption;
}

} // namespace
