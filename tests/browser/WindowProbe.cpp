// Prints the running Mortarix's windows as one line of JSON: every visible top-level window
// of the process whose main window has the caption "Mortarix", with its caption and screen
// rectangle, and each control with its ID, class, text, rectangle, enabled state and mark.
// The browser test reads the program through it: where to click, and what the fields say.
// Exit code 1 when no such window is shown.
#include <windows.h>

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

void PutText(std::ostream& out, const std::string& text)
{
    out << '"';
    for (unsigned char c : text)
    {
        if (c == '"' || c == '\\')
            out << '\\' << static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7F)
            out << "\\u00" << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
        else
            out << static_cast<char>(c);
    }
    out << '"';
}

void PutRect(std::ostream& out, HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    out << '[' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ']';
}

std::string TextOf(HWND window)
{
    std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    const LRESULT length =
        SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Enumeration callbacks are called by the system: CALLBACK, which a lambda cannot be.
BOOL CALLBACK AddWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

void PutWindow(std::ostream& out, HWND window)
{
    out << "{\"caption\":";
    PutText(out, TextOf(window));
    out << ",\"rect\":";
    PutRect(out, window);
    out << ",\"controls\":[";
    std::vector<HWND> children;
    EnumChildWindows(window, AddWindow, reinterpret_cast<LPARAM>(&children));
    const char* separator = "";
    for (HWND child : children)
    {
        const std::string className = ClassOf(child);
        const bool checked = className == "Button" && SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        out << separator << "{\"id\":" << GetDlgCtrlID(child) << ",\"class\":";
        PutText(out, className);
        out << ",\"text\":";
        PutText(out, TextOf(child));
        out << ",\"rect\":";
        PutRect(out, child);
        out << ",\"enabled\":" << (IsWindowEnabled(child) ? "true" : "false")
            << ",\"checked\":" << (checked ? "true" : "false") << '}';
        separator = ",";
    }
    out << "]}";
}

struct Search
{
    DWORD processId = 0;
    std::vector<HWND> windows;
};

BOOL CALLBACK FindProgram(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && TextOf(window) == "Mortarix")
    {
        GetWindowThreadProcessId(window, &reinterpret_cast<Search*>(param)->processId);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK AddProgramWindow(HWND window, LPARAM param)
{
    auto& s = *reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s.processId && IsWindowVisible(window))
        s.windows.push_back(window);
    return TRUE;
}

} // namespace

int main()
{
    Search search;
    EnumWindows(FindProgram, reinterpret_cast<LPARAM>(&search));
    if (search.processId == 0)
    {
        std::puts("{\"windows\":[]}");
        return 1;
    }
    // Top-level windows come topmost first, so an open dialog precedes the main window.
    EnumWindows(AddProgramWindow, reinterpret_cast<LPARAM>(&search));
    std::ostringstream out;
    out << "{\"windows\":[";
    const char* separator = "";
    for (HWND window : search.windows)
    {
        out << separator;
        PutWindow(out, window);
        separator = ",";
    }
    out << "]}";
    std::puts(out.str().c_str());
    return 0;
}
