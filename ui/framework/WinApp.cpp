#include "WinApp.h"

#include "FrameworkRes.h"

#include <stdexcept>

namespace
{
CWinApp* g_pApp = nullptr;

CString ModulePath(HINSTANCE hInstance)
{
    CString path(MAX_PATH, '\0');
    for (;;)
    {
        DWORD length = ::GetModuleFileNameA(hInstance, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
        {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

CWinApp::CWinApp() : m_hInstance(::GetModuleHandleA(nullptr))
{
    if (g_pApp != nullptr)
        throw std::logic_error("a program has exactly one application object");
    g_pApp = this;

    const CString path = ModulePath(m_hInstance);
    const std::size_t nameStart = path.find_last_of("\\/:") + 1; // npos + 1 == 0
    const std::size_t dot = path.rfind('.');
    const std::size_t nameEnd = dot == CString::npos || dot < nameStart ? path.size() : dot;
    m_strAppName = path.substr(nameStart, nameEnd - nameStart);
    m_strHelpFile = path.substr(0, nameEnd) + ".HLP";
}

CWinApp::~CWinApp()
{
    g_pApp = nullptr;
}

CWinApp* CWinApp::Get()
{
    return g_pApp;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

CString CWinApp::LoadString(UINT id) const
{
    // LoadStringA gives no length; a text that fills the buffer may have been cut short.
    CString text(256, '\0');
    for (;;)
    {
        int length = ::LoadStringA(m_hInstance, id, text.data(), static_cast<int>(text.size()));
        if (length < static_cast<int>(text.size()) - 1)
        {
            text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

int CWinApp::ShowMessage(HWND owner, UINT idText, UINT type) const
{
    return ::MessageBoxA(owner, LoadString(idText).c_str(), m_strAppName.c_str(), type);
}

const CMessageMap* CWinApp::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        Command<&CWinApp::OnHelp>(ID_HELP),
    };
    static const CMessageMap map{nullptr, entries};
    return &map;
}

// Without a help file the engine could only report the missing file in a window of its
// own (or, where it is not installed, offer to fetch it), so the program's own message
// says it plainly instead.
void CWinApp::OnHelp()
{
    HWND dialog = m_pCommandWnd ? m_pCommandWnd->m_hWnd : nullptr;
    const bool haveFile = ::GetFileAttributesA(m_strHelpFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!haveFile || !WinHelp(::GetWindowContextHelpId(dialog), HELP_CONTEXT))
        ShowMessage(dialog, IDS_HELP_NOT_STARTED);
}

BOOL CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    return ::WinHelpA(m_pCommandWnd ? m_pCommandWnd->m_hWnd : nullptr, m_strHelpFile.c_str(), command, data);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::Get();
    if (app == nullptr || !app->InitInstance())
        return 0;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
