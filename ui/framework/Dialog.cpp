#include "Dialog.h"

#include "FrameworkRes.h"
#include "WinApp.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{
// The window style the template asks for, read from the resource itself: the live window
// no longer tells, as the dialog manager shows a visible template only after initialisation.
DWORD TemplateStyle(HINSTANCE hInstance, UINT templateId)
{
    HRSRC resource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    const void* data = resource ? ::LockResource(::LoadResource(hInstance, resource)) : nullptr;
    if (data == nullptr)
        return 0;
    WORD head[2];
    std::memcpy(head, data, sizeof head);
    // An extended template starts with version 1 and signature 0xFFFF; its style follows
    // the help ID and the extended style.
    const bool extended = head[0] == 1 && head[1] == 0xFFFF;
    DWORD style;
    std::memcpy(&style, static_cast<const char*>(data) + (extended ? 12 : 0), sizeof style);
    return style;
}
} // namespace

CDialog::CDialog(UINT templateId, CWnd* pParent) : m_nTemplateId(templateId), m_pParentWnd(pParent) {}

INT_PTR CDialog::DoModal()
{
    CWinApp* app = CWinApp::Get();
    CWnd* owner = m_pParentWnd;
    if (owner == nullptr && app->m_pMainWnd != this)
        owner = app->m_pMainWnd;
    INT_PTR result = ::DialogBoxParamA(app->m_hInstance, MAKEINTRESOURCEA(m_nTemplateId), owner ? owner->m_hWnd : nullptr,
                                       DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return result;
}

bool CDialog::UpdateData(bool save)
{
    CDataExchange dx(*this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

// Screen readers name a field after the static text just before it in z-order, as
// Windows documents for controls without a label; a hidden static there names it without
// showing anything. Not a tab stop and not visible, so keyboard and looks stay the same.
void CDialog::NameItem(int id, const CString& name)
{
    HWND field = ::GetDlgItem(m_hWnd, id);
    if (field == nullptr)
        return;
    HWND before = ::GetWindow(field, GW_HWNDPREV);
    HWND label = ::CreateWindowExA(0, "Static", name.c_str(), WS_CHILD | SS_LEFT, 0, 0, 0, 0, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ITEM_NAME)),
                                   CWinApp::Get()->m_hInstance, nullptr);
    ::SetWindowPos(label, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

const CMessageMap* CDialog::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        Command<&CDialog::OnOK>(IDOK),
        Command<&CDialog::OnCancel>(IDCANCEL),
        Message<&CDialog::OnHelpKey>(WM_HELP),
    };
    static const CMessageMap map{nullptr, entries};
    return &map;
}

// The one dialog procedure: the object rides in DWLP_USER from WM_INITDIALOG on.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    try
    {
        return dialog->OnMessage(message, wParam, lParam);
    }
    catch (...)
    {
        // An exception must not unwind through the window manager: the run ends as failed.
        ::EndDialog(hWnd, -1);
        return FALSE;
    }
}

INT_PTR CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        ::SetWindowContextHelpId(m_hWnd, kHelpContextBase + m_nTemplateId);
        PlaceWindow();
        return OnInitDialog();
    }
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    INT_PTR result = FALSE;
    Dispatch(message, wParam, lParam, false, result);
    return result;
}

// Clicks go to the dialog's exact entries, then the application's, then the dialog's
// fallback; so neither OK, Cancel nor help ever ends up in a fallback.
INT_PTR CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != 0)
        return FALSE;
    INT_PTR result = FALSE;
    if (Dispatch(WM_COMMAND, wParam, lParam, false, result))
        return TRUE;
    CWinApp* app = CWinApp::Get();
    {
        // The application sees which dialog raised the command; nested dialogs restore theirs.
        struct Restore
        {
            CWnd*& slot;
            CWnd* saved;
            ~Restore() { slot = saved; }
        } restore{app->m_pCommandWnd, std::exchange(app->m_pCommandWnd, this)};
        if (app->Dispatch(WM_COMMAND, wParam, lParam, false, result))
            return TRUE;
    }
    return Dispatch(WM_COMMAND, wParam, lParam, true, result);
}

// F1, arriving as WM_HELP from the focused control, becomes the help command.
INT_PTR CDialog::OnHelpKey(WPARAM, LPARAM)
{
    SendMessage(WM_COMMAND, ID_HELP, 0);
    return TRUE;
}

// A dialog not visible in its template is centred over its owner (the screen's work area
// without one) and kept on that work area; a visible one stays where its template puts it.
void CDialog::PlaceWindow()
{
    if (TemplateStyle(CWinApp::Get()->m_hInstance, m_nTemplateId) & WS_VISIBLE)
        return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    RECT over = work;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &over);
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
