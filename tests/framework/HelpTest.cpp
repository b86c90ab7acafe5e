// F1 in a dialog: the help command travels through the dialog to the application, which
// asks the help engine for the dialog's context or says that help could not start.
#include "FrameworkTest.h"

#include "FrameworkRes.h"

#include <fstream>

using namespace driver;

namespace
{
// A dialog that handles help itself.
class CSelfHelpDlg : public CExchangeDlg
{
public:
    int m_nHelped = 0;

protected:
    const CMessageMap* GetMessageMap() const override
    {
        static const CMessageEntry entries[] = {Command<&CSelfHelpDlg::OnHelp>(ID_HELP)};
        static const CMessageMap map{CExchangeDlg::GetMessageMap(), entries};
        return &map;
    }
    void OnHelp() { ++m_nHelped; }
};

constexpr DWORD_PTR kExchangeContext = CDialog::kHelpContextBase + IDD_EXCHANGE;
} // namespace

using Help = FrameworkTest;

TEST_F(Help, F1AsksTheEngineOrSaysHelpCouldNotStart)
{
    const char* existing = "framework_tests_help.hlp";
    std::ofstream(existing) << "help";
    const struct
    {
        const char* situation;
        bool haveFile;
        bool engineStarts;
        bool engineAsked;
        bool message;
    } cases[] = {
        {"no help file", false, true, false, true},
        {"help file, engine starts", true, true, true, false},
        {"help file, engine fails", true, false, true, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.situation);
        theApp.Reset();
        if (c.haveFile)
            theApp.m_strHelpFile = existing;
        theApp.m_bHelpEngineStarts = c.engineStarts;
        CExchangeDlg dialog;
        RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            ui.Press(Key::F1);
            if (c.message)
            {
                MessageBoxSeen box = ui.WaitForMessageBox(dlg);
                EXPECT_EQ(box.text, "Failed to launch help.");
                EXPECT_EQ(box.caption, "framework_tests");
                ui.Dismiss(box);
            }
            EXPECT_TRUE(dlg.IsEnabled()) << "no message box is left over the dialog";
            ui.Press(Key::Escape);
        });
        ASSERT_EQ(theApp.m_helpCalls.size(), c.engineAsked ? 1u : 0u);
        if (c.engineAsked)
        {
            EXPECT_EQ(theApp.m_helpCalls[0].command, static_cast<UINT>(HELP_CONTEXT));
            EXPECT_EQ(theApp.m_helpCalls[0].data, kExchangeContext) << "the context of the dialog where F1 was pressed";
        }
    }
    std::remove(existing);
}

TEST_F(Help, DialogsOwnHelpEntryComesBeforeTheApplications)
{
    CSelfHelpDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        ui.Press(Key::F1);
        EXPECT_TRUE(dlg.IsEnabled()) << "no message from the application's help";
        ui.Press(Key::Escape);
    });
    EXPECT_EQ(dialog.m_nHelped, 1);
    EXPECT_TRUE(theApp.m_helpCalls.empty());
}

TEST_F(Help, FallbackDoesNotSwallowHelp)
{
    theApp.m_strHelpFile = "framework_tests_help.hlp";
    std::ofstream(theApp.m_strHelpFile) << "help";
    CFallbackDlg dialog;
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        ui.WaitForDialog("Clicks");
        ui.Press(Key::F1);
        ui.Press(Key::Escape);
    });
    std::remove(theApp.m_strHelpFile.c_str());
    EXPECT_EQ(theApp.m_helpCalls.size(), 1u);
    EXPECT_TRUE(dialog.m_fallbackIds.empty());
}
