// Mortarix.exe started as its own process, as a person would start it.
#include "RunningProgram.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string FieldText(HWND dialog, int id)
{
    char text[32] = {};
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(ProgramProcess, StartsWithZeroTotalsAndFocusOnOk)
{
    RunningProgram program;
    ASSERT_TRUE(program.Started()) << "cannot start " << kProgramPath;
    HWND main = program.WaitForWindow("Mortarix");
    ASSERT_NE(main, nullptr) << "no main window appeared; " << program.State();

    const int fields[] = {IDC_BLACK_PEARL, IDC_GARLIC, IDC_BLOOD_MOSS, IDC_GINSENG, IDC_MANDRAKE_ROOT,
                          IDC_NIGHTSHADE, IDC_SULPHUROUS_ASH, IDC_SPIDER_SILK, IDC_REAGENT_TOTAL, IDC_SPELL_TOTAL};
    for (int id : fields)
        EXPECT_EQ(FieldText(main, id), "0") << "field " << id;
    EXPECT_EQ(FocusOf(program.ThreadId()), GetDlgItem(main, IDOK)) << "the focus is not on OK";

    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 0) << "the main window stays at its template position";
    EXPECT_EQ(rect.top, 0) << "the main window stays at its template position";

    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(program.Ended(kEndTimeoutMs)) << "the program did not end when its window closed";
    EXPECT_EQ(program.ExitCode(), 0u);
}

// Every way of closing the main window ends the program.
TEST(ProgramProcess, EndsHoweverTheMainWindowCloses)
{
    const struct
    {
        const char* how;
        void (*close)(HWND main, HWND focus);
    } ways[] = {
        {"close box", [](HWND main, HWND) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Enter", [](HWND, HWND focus) { PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1); }},
        {"Escape", [](HWND, HWND focus) { PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"Cancel", [](HWND main, HWND) { PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0); }},
    };
    for (const auto& way : ways)
    {
        SCOPED_TRACE(way.how);
        RunningProgram program;
        ASSERT_TRUE(program.Started());
        HWND main = program.WaitForWindow("Mortarix");
        ASSERT_NE(main, nullptr);
        way.close(main, FocusOf(program.ThreadId()));
        EXPECT_TRUE(program.Ended(kEndTimeoutMs)) << "still running after " << way.how;
    }
}

} // namespace
