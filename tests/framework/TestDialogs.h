// Small dialogs over the tests' own templates, recording what reaches their handlers.
#pragma once

#include "Dialog.h"
#include "TestDialogsRes.h"

#include <atomic>
#include <vector>

// Three bound fields: a text and two integers.
class CExchangeDlg : public CDialog
{
public:
    explicit CExchangeDlg(CWnd* pParent = nullptr) : CDialog(IDD_EXCHANGE, pParent) {}

    CString m_strName;
    int m_nCount = 0;
    int m_nOther = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};

// Buttons, a check box and window messages, each handler counting its calls. Handlers run
// on the UI thread; the script reads the counts after a Sync.
class CClicksDlg : public CDialog
{
public:
    CClicksDlg() : CDialog(IDD_CLICKS) {}

    std::atomic<int> m_nApplied{0};
    std::vector<bool> m_optionCheckedInHandler;
    std::vector<WPARAM> m_sysCommands;
    std::atomic<int> m_nPaints{0};
    RECT m_lastPaintRect{};     // what the last paint context was asked to paint
    bool m_bLastPaintHadDC = false;
    bool m_bPaintValidated = false; // nothing was left to repaint once painting began
    HICON m_hDragIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_INFORMATION

protected:
    BOOL OnInitDialog() override;
    const CMessageMap* GetMessageMap() const override;

    void OnApply();
    void OnOption();
    INT_PTR OnSysCommand(WPARAM wParam, LPARAM lParam);
    INT_PTR OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
};

// The same dialog with a fallback for every click no exact entry claims.
class CFallbackDlg : public CClicksDlg
{
public:
    std::vector<UINT> m_fallbackIds;

protected:
    const CMessageMap* GetMessageMap() const override;
    void OnAnyClick(UINT id);
};
