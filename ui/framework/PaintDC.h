// A paint context for one WM_PAINT: BeginPaint when made, EndPaint when it goes out of scope.
#pragma once

#include "Wnd.h"

class CPaintDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
