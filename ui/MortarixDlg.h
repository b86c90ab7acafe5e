// The main calculator window and its About box.
#pragma once

#include "Dialog.h"
#include "Totals.h"

class CMortarixDlg : public CDialog
{
public:
    explicit CMortarixDlg(CWnd* pParent = nullptr);

    // What the ten read-only fields show.
    ReagentTotals m_totals;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    const CMessageMap* GetMessageMap() const override;

    HICON m_hIcon;

private:
    void OnCircle1() { OnCircle(1); }
    void OnCircle2() { OnCircle(2); }
    void OnCircle3() { OnCircle(3); }
    void OnCircle4() { OnCircle(4); }
    void OnCircle5() { OnCircle(5); }
    void OnCircle6() { OnCircle(6); }
    void OnCircle7() { OnCircle(7); }
    void OnCircle8() { OnCircle(8); }
    void OnCircle(int circle);
    void OnClearAll();
    INT_PTR OnSysCommand(WPARAM command, LPARAM lParam);
    INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
    INT_PTR OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
};

// Shows the version and credits; the framework's OK and Cancel close it.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
};
