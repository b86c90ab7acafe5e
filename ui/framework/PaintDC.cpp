#include "PaintDC.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_ps(), m_hWnd(wnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}
