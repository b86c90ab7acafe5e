// One run of Mortarix.exe as its own process, as a person would start it, for tests that
// read the running program from outside.
#pragma once

#include "ProgramFile.h"

#include <windows.h>

#include <cstdio>
#include <string>

inline constexpr DWORD kStartTimeoutMs = 20000;
inline constexpr DWORD kEndTimeoutMs = 10000;

inline HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// Polls until `done` holds, false when the bound passed first: across processes there is
// nothing to wait on but the state itself.
template <class Done>
bool PollUntil(Done done, DWORD timeoutMs)
{
    const DWORD deadline = GetTickCount() + timeoutMs;
    while (!done())
    {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return false;
        Sleep(10);
    }
    return true;
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
        HWND found = nullptr;
        const auto shown = [&] { return (found = FindOwnWindow(caption)) != nullptr && FocusOf(m_process.dwThreadId); };
        PollUntil([&] { return shown() || Ended(0); }, kStartTimeoutMs);
        return shown() ? found : nullptr;
    }

    // True once the window is destroyed, within the bound.
    static bool WaitUntilGone(HWND window)
    {
        return PollUntil([&] { return !IsWindow(window); }, kEndTimeoutMs);
    }

    // For a failure message: whether the program still runs, or how it ended.
    std::string State() const
    {
        if (!Ended(0))
            return "the program still runs";
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(ExitCode()));
        return std::string("the program ended with exit code ") + code;
    }

    bool Ended(DWORD timeoutMs) const { return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0; }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    struct Search
    {
        DWORD processId;
        const char* caption;
        HWND found;
    };

    // Called by the system, so CALLBACK: a lambda has the wrong calling convention on x86.
    static BOOL CALLBACK FindInSearch(HWND window, LPARAM param)
    {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        if (owner != s.processId || std::string(text) != s.caption || !IsWindowVisible(window))
            return TRUE;
        s.found = window;
        return FALSE;
    }

    HWND FindOwnWindow(const char* caption) const
    {
        Search search{m_process.dwProcessId, caption, nullptr};
        EnumWindows(FindInSearch, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION m_process{};
    bool m_started = false;
};
