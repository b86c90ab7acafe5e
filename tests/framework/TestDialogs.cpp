#include "TestDialogs.h"

#include "PaintDC.h"

void CExchangeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_NAME, m_strName);
    DDX_Text(dx, IDC_COUNT, m_nCount);
    DDX_Text(dx, IDC_OTHER, m_nOther);
}

BOOL CClicksDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CMenu menu = GetSystemMenu(false);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, IDM_PROBE, "&Probe...");
    return TRUE;
}

const CMessageMap* CClicksDlg::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        Command<&CClicksDlg::OnApply>(IDC_APPLY),
        Command<&CClicksDlg::OnOption>(IDC_OPTION),
        Message<&CClicksDlg::OnSysCommand>(WM_SYSCOMMAND),
        Message<&CClicksDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        Message<&CClicksDlg::OnPaint>(WM_PAINT),
    };
    static const CMessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CClicksDlg::OnApply()
{
    ++m_nApplied;
}

void CClicksDlg::OnOption()
{
    m_optionCheckedInHandler.push_back(GetDlgItem(IDC_OPTION).SendMessage(BM_GETCHECK) == BST_CHECKED);
}

// Claims only its own menu item; everything else gets default handling.
INT_PTR CClicksDlg::OnSysCommand(WPARAM wParam, LPARAM)
{
    m_sysCommands.push_back(wParam);
    return (wParam & 0xFFF0) == IDM_PROBE;
}

INT_PTR CClicksDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<INT_PTR>(m_hDragIcon);
}

INT_PTR CClicksDlg::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(this);
    m_bLastPaintHadDC = ::FillRect(dc.m_hDC, &dc.m_ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))) != 0;
    m_lastPaintRect = dc.m_ps.rcPaint;
    // Read here, not later from the driver: the window manager may invalidate it again.
    m_bPaintValidated = !::GetUpdateRect(m_hWnd, nullptr, FALSE);
    ++m_nPaints;
    return TRUE;
}

const CMessageMap* CFallbackDlg::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        AnyCommand<&CFallbackDlg::OnAnyClick>(),
    };
    static const CMessageMap map{CClicksDlg::GetMessageMap(), entries};
    return &map;
}

void CFallbackDlg::OnAnyClick(UINT id)
{
    m_fallbackIds.push_back(id);
}
