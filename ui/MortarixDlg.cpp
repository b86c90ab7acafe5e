#include "MortarixDlg.h"

#include "DataExchange.h"
#include "Mortarix.h"
#include "PaintDC.h"
#include "resource.h"

CMortarixDlg::CMortarixDlg(CWnd* pParent)
    : CDialog(IDD_MORTARIX_DIALOG, pParent),
      m_hIcon(CWinApp::Get()->LoadIcon(IDR_MAINFRAME))
{
}

const CMessageMap* CMortarixDlg::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        Command<&CMortarixDlg::OnCircle1>(IDC_CIRCLE1),
        Command<&CMortarixDlg::OnCircle2>(IDC_CIRCLE2),
        Command<&CMortarixDlg::OnCircle3>(IDC_CIRCLE3),
        Command<&CMortarixDlg::OnCircle4>(IDC_CIRCLE4),
        Command<&CMortarixDlg::OnCircle5>(IDC_CIRCLE5),
        Command<&CMortarixDlg::OnCircle6>(IDC_CIRCLE6),
        Command<&CMortarixDlg::OnCircle7>(IDC_CIRCLE7),
        Command<&CMortarixDlg::OnCircle8>(IDC_CIRCLE8),
        Command<&CMortarixDlg::OnClearAll>(IDC_CLEAR_ALL),
        Message<&CMortarixDlg::OnSysCommand>(WM_SYSCOMMAND),
        Message<&CMortarixDlg::OnPaint>(WM_PAINT),
        Message<&CMortarixDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
    };
    static const CMessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CMortarixDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    for (const ReagentInfo& reagent : Reagents())
        DDX_Text(dx, reagent.countFieldId, m_totals[reagent.reagent]);
    DDX_Text(dx, IDC_REAGENT_TOTAL, m_totals.reagentTotal);
    DDX_Text(dx, IDC_SPELL_TOTAL, m_totals.spellTotal);
}

BOOL CMortarixDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // Each count's label follows its field, where screen readers do not look for it.
    for (const ReagentInfo& reagent : Reagents())
        NameItem(reagent.countFieldId, reagent.caption);
    NameItem(IDC_SPELL_TOTAL, "Total Number of Spells Selected");
    NameItem(IDC_REAGENT_TOTAL, "Total Number of Reagents");

    CMenu systemMenu = GetSystemMenu(false);
    if (systemMenu.m_hMenu)
    {
        const CString about = CWinApp::Get()->LoadString(IDS_ABOUTBOX);
        if (!about.empty())
        {
            systemMenu.AppendMenu(MF_SEPARATOR, 0, nullptr);
            systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
        }
    }

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    return TRUE;
}

void CMortarixDlg::OnCircle(int circle)
{
    CSpells& spells = theSpells[circle - 1];
    spells.m_bOff.fill(true);
    if (spells.DoModal() == IDOK)
        RecalculateTotals(theApp.m_selection, m_totals);
    UpdateData(false);
}

void CMortarixDlg::OnClearAll()
{
    ClearAll(theApp.m_selection, m_totals);
    UpdateData(false);
}

INT_PTR CMortarixDlg::OnSysCommand(WPARAM command, LPARAM)
{
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return FALSE;
    CAboutDlg about;
    about.DoModal();
    return TRUE;
}

// Only the minimised window is ours to paint: the icon, centred.
INT_PTR CMortarixDlg::OnPaint(WPARAM, LPARAM)
{
    if (!IsIconic())
        return FALSE;
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return TRUE;
}

// The picture shown while the minimised window is dragged.
INT_PTR CMortarixDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<INT_PTR>(m_hIcon);
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}
