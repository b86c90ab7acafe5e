#include "Wnd.h"

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text)
{
    return ::AppendMenuA(m_hMenu, flags, id, text);
}

CWnd CWnd::GetDlgItem(int id) const
{
    return CWnd(::GetDlgItem(m_hWnd, id));
}

BOOL CWnd::EnableWindow(bool enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

CWnd CWnd::SetFocus()
{
    return CWnd(::SetFocus(m_hWnd));
}

CString CWnd::GetWindowText() const
{
    // The length may overstate (multi-byte texts); the copy says how much there really is.
    CString text(static_cast<std::size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::SetWindowText(const CString& text)
{
    ::SetWindowTextA(m_hWnd, text.c_str());
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

CMenu CWnd::GetSystemMenu(bool revert) const
{
    return CMenu{::GetSystemMenu(m_hWnd, revert)};
}

HICON CWnd::SetIcon(HICON hIcon, bool big)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

bool CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd) != FALSE;
}

void CWnd::GetClientRect(RECT* rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    return ::MessageBoxA(m_hWnd, text, caption, type);
}
