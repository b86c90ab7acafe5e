// Thin wrappers of a window handle and a menu handle: each method is the Win32 call it names.
#pragma once

#include "String.h"

#include <windows.h>

class CMenu
{
public:
    HMENU m_hMenu = nullptr;

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
};

class CWnd
{
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

    CWnd GetDlgItem(int id) const;
    BOOL EnableWindow(bool enable = true);
    CWnd SetFocus(); // returns the window that had the focus
    CString GetWindowText() const; // the whole text, whatever its length
    void SetWindowText(const CString& text);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CMenu GetSystemMenu(bool revert) const;
    HICON SetIcon(HICON hIcon, bool big); // returns the previous icon
    bool IsIconic() const;
    void GetClientRect(RECT* rect) const;
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;
};
