// The main window and the About box, driven as a person would.
#include "ProgramTest.h"

#include "FrameworkRes.h"

#include <set>

using namespace driver;

namespace
{

using enum Reagent;

using MainDialog = ProgramTest;

TEST_F(MainDialog, StartsAtZeroWithTheFocusOnOkSoEnterEndsIt)
{
    Store({4, 4}, "3"); // stored texts count only after an OK in a circle
    std::array<std::string, 10> shown;
    const INT_PTR result = RunMain([&](Ui& ui, const Window& main) {
        shown = Shown(main);
        EXPECT_EQ(ui.Focus(), main.Item(IDOK));
        ui.Press(Key::Enter);
    });
    EXPECT_EQ(shown, Zeros());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(theApp.m_selection.Text({4, 4}), "3") << "closing the main window clears nothing";
}

TEST_F(MainDialog, ClearAllZeroesTheTotalsAndEmptiesEveryCircle)
{
    for (const CircleInfo& info : Circles())
        Store({info.number, 9 - info.number}, "2");
    std::array<std::string, 10> before, after;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 8);
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        before = Shown(main);
        ui.Click(main.Item(IDC_CLEAR_ALL));
        after = Shown(main);
        for (const CircleInfo& info : Circles())
        {
            circle = OpenCircle(ui, main, info.number);
            for (const SpellInfo& spell : info.spells)
                EXPECT_EQ(Field(circle, spell.ref).Text(), "") << spell.caption;
            ui.Click(circle.Item(IDCANCEL));
            ui.WaitUntilGone(circle);
        }
        ui.Click(main.Item(IDOK));
    });
    EXPECT_NE(before, Zeros()) << "the stored texts should have counted before Clear All";
    EXPECT_EQ(after, Zeros());
}

TEST_F(MainDialog, NegativeQuantitiesShowAsNegativeCounts)
{
    std::array<std::string, 10> shown;
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 3);
        TickAndType(ui, circle, {3, 4}, "-5"); // "Poison": Nightshade only
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        shown = Shown(main);
        ui.Click(main.Item(IDOK));
    });
    EXPECT_EQ(shown, Showing({{Nightshade, -5}}, -5, -5));
}

TEST_F(MainDialog, SystemMenuEndsWithTheAboutItem)
{
    RunMain([&](Ui& ui, const Window& main) {
        HMENU menu = GetSystemMenu(main.Handle(), FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About Mortarix...");
        EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR)
            << "a separator comes before the About item";
        ui.Click(main.Item(IDOK));
    });
}

TEST_F(MainDialog, CarriesTheApplicationIconEverywhere)
{
    RunMain([&](Ui& ui, const Window& main) {
        const auto icon = reinterpret_cast<LRESULT>(theApp.LoadIcon(IDR_MAINFRAME));
        ASSERT_NE(icon, 0);
        EXPECT_EQ(main.Send(WM_GETICON, ICON_BIG), icon) << "large window icon";
        EXPECT_EQ(main.Send(WM_GETICON, ICON_SMALL), icon) << "small window icon";
        EXPECT_EQ(main.Send(WM_QUERYDRAGICON), icon) << "drag icon";
        ui.Click(main.Item(IDOK));
    });
}

// The About box comes from the system menu command, whatever its low four bits, closes
// every way a dialog closes, and changes nothing.
TEST_F(MainDialog, AboutBoxOpensFromTheSystemMenuAndChangesNothing)
{
    const struct
    {
        const char* how;
        WPARAM command;
        void (*close)(Ui&, const Window&);
    } ways[] = {
        {"OK", IDM_ABOUTBOX, [](Ui& ui, const Window& about) { ui.Click(about.Item(IDOK)); }},
        {"Enter", IDM_ABOUTBOX | 0x3, [](Ui& ui, const Window&) { ui.Press(Key::Enter); }},
        {"Escape", IDM_ABOUTBOX, [](Ui& ui, const Window&) { ui.Press(Key::Escape); }},
        {"close box", IDM_ABOUTBOX | 0xF, [](Ui& ui, const Window& about) { ui.CloseBox(about); }},
    };
    Store({1, 5}, "3");
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 1);
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        const std::array<std::string, 10> before = Shown(main);
        for (const auto& way : ways)
        {
            SCOPED_TRACE(way.how);
            main.Post(WM_SYSCOMMAND, way.command);
            Window about = ui.WaitForDialog("About Mortarix");
            EXPECT_EQ(about.Owner(), main);
            EXPECT_EQ(about.Item(IDOK).Text(), "OK");
            way.close(ui, about);
            ui.WaitUntilGone(about);
            EXPECT_EQ(Shown(main), before);
            EXPECT_TRUE(main.IsVisible()) << "the main window stays";
        }
        ui.Click(main.Item(IDCANCEL));
    });
    EXPECT_EQ(theApp.m_selection.Text({1, 5}), "3");
}

// The program ships no help file: F1 says so in the framework's message.
TEST_F(MainDialog, HelpKeyReportsThatHelpCannotStart)
{
    RunMain([&](Ui& ui, const Window& main) {
        ui.Press(Key::F1);
        const MessageBoxSeen box = ui.WaitForMessageBox(main);
        EXPECT_EQ(box.text, theApp.LoadString(IDS_HELP_NOT_STARTED));
        EXPECT_EQ(box.caption, theApp.m_strAppName);
        ui.Dismiss(box);
        EXPECT_TRUE(main.IsVisible());
        ui.Click(main.Item(IDOK));
    });
}

bool ShowsSomething(const Image& image)
{
    std::set<std::uint32_t> colours;
    for (int y = 0; y < image.height; y += 3)
        for (int x = 0; x < image.width; x += 3)
            colours.insert(image.Pixel(x, y));
    return image.width > 100 && image.height > 100 && colours.size() > 3;
}

// What the window shows once it and its controls have painted themselves.
Image Photograph(Ui& ui, const Window& window, const std::string& pngPath)
{
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return ui.Screenshot(window, pngPath);
}

// Pictures for the README: the main window with totals, a circle with quantities and
// the About box, left in the build folder.
TEST_F(MainDialog, LeavesScreenshotsOfItsWindows)
{
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, 3);
        TickAndType(ui, circle, {3, 2}, "10");
        TickAndType(ui, circle, {3, 3}, "4");
        TickAndType(ui, circle, {3, 8}, "2");
        EXPECT_TRUE(ShowsSomething(Photograph(ui, circle, "mortarix-circle.png")));
        ui.Click(circle.Item(IDOK));
        ui.WaitUntilGone(circle);
        EXPECT_EQ(main.Item(IDC_SPELL_TOTAL).Text(), "16");
        EXPECT_TRUE(ShowsSomething(Photograph(ui, main, "mortarix-main.png")));

        main.Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
        Window about = ui.WaitForDialog("About Mortarix");
        EXPECT_TRUE(ShowsSomething(Photograph(ui, about, "mortarix-about.png")));
        ui.Press(Key::Escape);
        ui.WaitUntilGone(about);
        ui.Click(main.Item(IDOK));
    });
}

} // namespace
