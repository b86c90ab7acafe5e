// Mortarix.exe started as its own process, as a person would start it.
#include "ProgramFile.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kEndTimeoutMs = 10000;

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// One run of the program; ended by force if a test leaves it running.
class RunningProgram
{
public:
    RunningProgram()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = std::string("\"") + kProgramPath + "\"";
        m_started = CreateProcessA(kProgramPath, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process) != FALSE;
    }
    ~RunningProgram()
    {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return m_started; }
    DWORD ThreadId() const { return m_process.dwThreadId; }

    // The program's top-level window with this caption, once shown with a control focused.
    HWND WaitForWindow(const char* caption) const
    {
        WaitForInputIdle(m_process.hProcess, kStartTimeoutMs);
        const DWORD deadline = GetTickCount() + kStartTimeoutMs;
        for (;;)
        {
            HWND found = FindOwnWindow(caption);
            if (found && FocusOf(m_process.dwThreadId))
                return found;
            if (static_cast<LONG>(GetTickCount() - deadline) > 0 || Ended(0))
                return nullptr;
            Sleep(20); // nothing to wait on across processes but the window's arrival
        }
    }

    bool Ended(DWORD timeoutMs) const { return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0; }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    HWND FindOwnWindow(const char* caption) const
    {
        struct Search
        {
            DWORD processId;
            const char* caption;
            HWND found;
        } search{m_process.dwProcessId, caption, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                char text[64] = {};
                GetWindowTextA(window, text, sizeof text);
                if (owner != s.processId || std::string(text) != s.caption || !IsWindowVisible(window))
                    return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION m_process{};
    bool m_started = false;
};

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
    ASSERT_NE(main, nullptr) << "no main window appeared";

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
