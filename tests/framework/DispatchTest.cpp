// Command maps: clicks to their handlers, the fallback's place, window messages and the
// results their handlers give back.
#include "FrameworkTest.h"

#include <algorithm>

using namespace driver;

using Dispatch = FrameworkTest;

TEST_F(Dispatch, ClicksReachTheirHandlerAndUnmappedIdsAreIgnored)
{
    CClicksDlg dialog;
    const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        ui.Click(dlg.Item(IDC_APPLY));
        ui.Click(dlg.Item(IDC_APPLY));
        EXPECT_EQ(dialog.m_nApplied, 2) << "each click calls the handler once";
        ui.Click(dlg.Item(IDC_PLAIN));
        EXPECT_EQ(dialog.m_nApplied, 2) << "a click without a handler reaches no other handler";
        EXPECT_TRUE(dlg.IsVisible()) << "a click without a handler leaves the dialog open";
        ui.Click(dlg.Item(IDOK));
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(Dispatch, CheckBoxTogglesBeforeItsHandlerRuns)
{
    CClicksDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        Window option = dlg.Item(IDC_OPTION);
        for (bool expected : {true, false, true})
        {
            ui.Click(option);
            EXPECT_EQ(option.IsChecked(), expected);
        }
        ui.Press(Key::Escape);
    });
    EXPECT_EQ(dialog.m_optionCheckedInHandler, (std::vector<bool>{true, false, true}))
        << "the handler sees the mark the click has just set";
}

TEST_F(Dispatch, FallbackTakesOnlyClicksNoExactEntryClaims)
{
    CFallbackDlg dialog;
    const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        ui.Click(dlg.Item(IDC_PLAIN));
        ui.Click(dlg.Item(IDC_APPLY)); // claimed by the base class's exact entry
        ui.Type(dlg.Item(IDC_NOTE), "x"); // edit notifications are not clicks
        ui.Click(dlg.Item(IDOK));
    });
    EXPECT_EQ(result, IDOK) << "the fallback does not swallow OK";
    EXPECT_EQ(dialog.m_nApplied, 1);
    EXPECT_EQ(dialog.m_fallbackIds, (std::vector<UINT>{IDC_PLAIN}));
}

TEST_F(Dispatch, FallbackDoesNotSwallowCancel)
{
    CFallbackDlg dialog;
    const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        ui.Click(ui.WaitForDialog("Clicks").Item(IDCANCEL));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.m_fallbackIds.empty());
}

TEST_F(Dispatch, SystemMenuItemIsAppendedAndItsCommandReachesTheHandler)
{
    CClicksDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        HMENU menu = ::GetSystemMenu(dlg.Handle(), FALSE);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&Probe...");
        EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_PROBE));
        EXPECT_TRUE(::GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR)
            << "a separator comes before the item";

        dlg.Post(WM_SYSCOMMAND, IDM_PROBE);
        ui.Sync();
        EXPECT_TRUE(dlg.IsVisible()) << "the handler took its own command";
        ui.CloseBox(dlg); // the handler declines: default handling closes the dialog
    });
    EXPECT_EQ(dialog.m_sysCommands, (std::vector<WPARAM>{IDM_PROBE, SC_CLOSE}));
}

TEST_F(Dispatch, HandlerResultIsTheDialogProcedureResult)
{
    CClicksDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        EXPECT_EQ(dlg.Send(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dialog.m_hDragIcon));
        ui.Press(Key::Escape);
    });
}

TEST_F(Dispatch, PaintReachesItsHandlerWithAPaintContextForTheUpdate)
{
    CClicksDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Clicks");
        const int before = dialog.m_nPaints;
        const RECT invalid{10, 12, 40, 30};
        ::InvalidateRect(dlg.Handle(), &invalid, FALSE);
        ui.Sync();
        EXPECT_GT(dialog.m_nPaints, before) << "WM_PAINT reached its handler";
        EXPECT_TRUE(dialog.m_bLastPaintHadDC) << "the paint context has a device context to draw on";
        RECT covered;
        ::UnionRect(&covered, &dialog.m_lastPaintRect, &invalid);
        EXPECT_TRUE(::EqualRect(&covered, &dialog.m_lastPaintRect)) << "the paint context covers the invalidated area";
        EXPECT_TRUE(dialog.m_bPaintValidated) << "and leaves nothing to repaint";
        ui.Press(Key::Escape);
    });
}
