// A dialog built from a template resource and run modally; every dialog of a program
// shares one dialog procedure, which finds the object and reads its command map. The
// program's application object (WinApp.h) must exist before a dialog runs.
#pragma once

#include "DataExchange.h"
#include "MessageMap.h"
#include "Wnd.h"

class CDialog : public CWnd, public CCmdTarget
{
public:
    // The owner defaults to the application's main window, when there is one.
    explicit CDialog(UINT templateId, CWnd* pParent = nullptr);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // 1 (OK), 2 (Cancel), or -1 when the template is missing or the dialog could not be
    // created or initialised.
    INT_PTR DoModal();
    // Exchanges every bound field; false when a field was refused.
    bool UpdateData(bool save = true);
    void EndDialog(int result);

    UINT m_nTemplateId;

    // A dialog's help context: its template ID above the range of command contexts.
    static constexpr DWORD kHelpContextBase = 0x20000;

protected:
    // Fills the fields from the members; TRUE lets the first tab stop take the focus.
    // A dialog with its own initialisation calls this first.
    virtual BOOL OnInitDialog();
    // Gives control `id` the name screen readers announce for it, for a field whose
    // visible label does not come just before it in the template. Call it while the
    // dialog initialises.
    void NameItem(int id, const CString& name);
    virtual void DoDataExchange(CDataExchange& dx);
    // Ends with 1, but only once the fields have been exchanged into the members.
    virtual void OnOK();
    // Ends with 2; nothing is exchanged.
    virtual void OnCancel();

    const CMessageMap* GetMessageMap() const override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam);
    INT_PTR OnHelpKey(WPARAM wParam, LPARAM lParam);
    void PlaceWindow();

    CWnd* m_pParentWnd;
};
