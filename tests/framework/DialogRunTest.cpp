// The modal run: end codes, what OK and Cancel do with the fields, failures to start,
// the owner and where the dialog opens.
#include "FrameworkTest.h"

#include <functional>

using namespace driver;

namespace
{
POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
} // namespace

using DialogRun = FrameworkTest;

TEST_F(DialogRun, EachWayOfClosingEndsWithItsCodeAndOnlyOkTakesTheFields)
{
    struct Case
    {
        const char* how;
        std::function<void(Ui&, const Window&)> close;
        INT_PTR code;
    };
    const Case cases[] = {
        {"OK button", [](Ui& ui, const Window& dlg) { ui.Click(dlg.Item(IDOK)); }, IDOK},
        {"Enter in a field", [](Ui& ui, const Window&) { ui.Press(Key::Enter); }, IDOK},
        {"Cancel button", [](Ui& ui, const Window& dlg) { ui.Click(dlg.Item(IDCANCEL)); }, IDCANCEL},
        {"Escape", [](Ui& ui, const Window&) { ui.Press(Key::Escape); }, IDCANCEL},
        {"close box", [](Ui& ui, const Window& dlg) { ui.CloseBox(dlg); }, IDCANCEL},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.how);
        CExchangeDlg dialog;
        dialog.m_strName = "before";
        dialog.m_nCount = 7;
        const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            EXPECT_EQ(dlg.Item(IDC_NAME).Text(), "before") << "the fields show the members when the dialog opens";
            EXPECT_EQ(dlg.Item(IDC_COUNT).Text(), "7");
            ASSERT_EQ(ui.Focus(), dlg.Item(IDC_NAME)) << "the first tab stop has the focus";
            ui.Type("after"); // replaces the text the dialog selected on focusing the field
            c.close(ui, dlg);
        });
        EXPECT_EQ(result, c.code);
        EXPECT_EQ(dialog.m_strName, c.code == IDOK ? "after" : "before") << "only OK exchanges the fields";
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "no window left after the run";
    }
}

TEST_F(DialogRun, RunsThatCannotStartReturnMinusOne)
{
    struct CInitFails : CDialog
    {
        CInitFails() : CDialog(IDD_EXCHANGE) {}
        BOOL OnInitDialog() override { throw std::runtime_error("cannot initialise"); }
    };
    CDialog missing(IDD_MISSING);
    CDialog broken(IDD_BROKEN); // a control of a class nobody registered
    CInitFails initFails;
    const struct
    {
        const char* why;
        CDialog& dialog;
    } cases[] = {{"template missing", missing}, {"control cannot be created", broken}, {"initialisation throws", initFails}};
    for (const auto& c : cases)
        EXPECT_EQ(c.dialog.DoModal(), -1) << c.why;
}

TEST_F(DialogRun, HiddenTemplateOpensCentredOverItsOwnerWhichIsDisabledMeanwhile)
{
    OwnerWindow owner(60, 40, 700, 500);
    CExchangeDlg dialog(&owner.wnd());
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        EXPECT_EQ(dlg.Owner().Handle(), owner->m_hWnd);
        EXPECT_FALSE(::IsWindowEnabled(owner->m_hWnd)) << "the owner is disabled during the run";
        RECT ownerRect;
        ::GetWindowRect(owner->m_hWnd, &ownerRect);
        const POINT want = Centre(ownerRect), got = Centre(dlg.Rect());
        EXPECT_NEAR(got.x, want.x, 1);
        EXPECT_NEAR(got.y, want.y, 1);
        ui.Press(Key::Escape);
    });
    EXPECT_TRUE(::IsWindowEnabled(owner->m_hWnd)) << "the owner is enabled again afterwards";
}

TEST_F(DialogRun, OwnerDefaultsToTheMainWindowButTheMainWindowHasNone)
{
    OwnerWindow main(60, 40, 700, 500);
    theApp.m_pMainWnd = &main.wnd();
    CExchangeDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        EXPECT_EQ(dlg.Owner().Handle(), main->m_hWnd);
        ui.Press(Key::Escape);
    });

    theApp.m_pMainWnd = &dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        EXPECT_FALSE(dlg.Owner()) << "the main window is not owned by itself";
        RECT work;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const POINT want = Centre(work), got = Centre(dlg.Rect());
        EXPECT_NEAR(got.x, want.x, 1) << "without an owner, centred on the screen";
        EXPECT_NEAR(got.y, want.y, 1);
        ui.Press(Key::Escape);
    });
}

TEST_F(DialogRun, VisibleTemplateStaysAtItsTemplatePosition)
{
    CDialog dialog(IDD_PLACED); // no owner: centring would put it mid-screen
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Placed");
        RECT position{20, 30, 0, 0}; // the template's position of the client area, in dialog units
        ASSERT_TRUE(::MapDialogRect(dlg.Handle(), &position));
        POINT client{0, 0};
        ::ClientToScreen(dlg.Handle(), &client);
        EXPECT_EQ(client.x, position.left);
        EXPECT_EQ(client.y, position.top);
        ui.Click(dlg.Item(IDOK));
    });
}
