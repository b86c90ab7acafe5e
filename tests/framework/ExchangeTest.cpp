// Data exchange through real fields: texts of any length both ways, integers written and
// read back, and what the user sees when a field does not hold an integer.
#include "FrameworkTest.h"

#include <climits>
#include <string>

using namespace driver;

namespace
{
void SetFieldText(const Window& field, const std::string& text)
{
    field.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Letters with a blank now and then, never repeating within a short stretch. (Wine's edit
// control takes seconds to lay out long runs of digits, so no numbers.)
std::string LongText()
{
    std::string text;
    for (std::size_t i = 0; i < 100000; ++i)
        text += i % 9 == 8 ? ' ' : static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return text;
}
} // namespace

using Exchange = FrameworkTest;

TEST_F(Exchange, TextFieldCarriesAnyTextBothWays)
{
    const std::string longText = LongText();
    const struct
    {
        std::string shown;  // member to field at initialisation
        std::string stored; // field to member at OK
    } cases[] = {
        {"", "typed later"},
        {"  blanks kept  ", ""},
        {"-12abc", "0x10"},
        {longText, std::string(longText.rbegin(), longText.rend())},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("text of " + std::to_string(c.shown.size()) + " characters");
        CExchangeDlg dialog;
        dialog.m_strName = c.shown;
        const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            Window name = dlg.Item(IDC_NAME);
            EXPECT_TRUE(name.Text() == c.shown) << "the field shows the whole member";
            SetFieldText(name, c.stored);
            ui.Click(dlg.Item(IDOK));
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(dialog.m_strName == c.stored) << "the member holds the whole field, " << dialog.m_strName.size() << " characters";
    }
}

TEST_F(Exchange, IntegerFieldsShowSignedDecimal)
{
    const struct
    {
        int value;
        const char* shown;
    } cases[] = {{0, "0"}, {-5, "-5"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto& c : cases)
    {
        CExchangeDlg dialog;
        dialog.m_nCount = c.value;
        RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            EXPECT_EQ(dlg.Item(IDC_COUNT).Text(), c.shown);
            ui.Press(Key::Escape);
        });
    }
}

TEST_F(Exchange, IntegerFieldTakesOneIntegerWithBlanksOrTabsAround)
{
    const struct
    {
        const char* typed;
        int value;
    } cases[] = {{"  -17\t", -17}, {"\t+5 ", 5}, {"-2147483648", INT_MIN}}; // the parser's own test has the rest
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.typed);
        CExchangeDlg dialog;
        const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            SetFieldText(dlg.Item(IDC_COUNT), c.typed);
            ui.Click(dlg.Item(IDOK));
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.m_nCount, c.value);
    }
}

TEST_F(Exchange, IntegerFieldRefusesAnythingElseAndKeepsTheDialogOpen)
{
    for (const char* typed : {"", "12abc", "1 2", "2147483648"}) // the parser's own test has the rest
    {
        SCOPED_TRACE(std::string("typed \"") + typed + '"');
        CExchangeDlg dialog;
        dialog.m_nCount = 3;
        const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
            Window dlg = ui.WaitForDialog("Exchange");
            Window count = dlg.Item(IDC_COUNT);
            SetFieldText(count, typed);
            ui.PostClick(dlg.Item(IDOK));
            MessageBoxSeen box = ui.WaitForMessageBox(dlg);
            EXPECT_EQ(box.text, "Please enter an integer.");
            EXPECT_EQ(box.caption, "framework_tests") << "captioned with the program's name";
            ui.Dismiss(box);
            EXPECT_TRUE(dlg.IsVisible()) << "the dialog stays open";
            EXPECT_EQ(ui.Focus(), count) << "the refused field has the focus";
            const auto selection = static_cast<DWORD>(count.Send(EM_GETSEL));
            EXPECT_EQ(LOWORD(selection), 0);
            EXPECT_EQ(HIWORD(selection), std::string(typed).size()) << "and its text is selected";
            ui.Press(Key::Escape);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dialog.m_nCount, 3) << "the member keeps its value";
    }
}

TEST_F(Exchange, ExchangeStopsAtTheFirstRefusedField)
{
    CExchangeDlg dialog;
    const INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        SetFieldText(dlg.Item(IDC_COUNT), "x");
        SetFieldText(dlg.Item(IDC_OTHER), "y");
        for (int refused : {IDC_COUNT, IDC_OTHER})
        {
            ui.PostClick(dlg.Item(IDOK));
            ui.Dismiss(ui.WaitForMessageBox(dlg));
            EXPECT_TRUE(dlg.IsEnabled()) << "one message for one press of OK";
            EXPECT_EQ(ui.Focus(), dlg.Item(refused));
            SetFieldText(dlg.Item(refused), "8");
        }
        ui.Click(dlg.Item(IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_nCount, 8);
    EXPECT_EQ(dialog.m_nOther, 8);
}
