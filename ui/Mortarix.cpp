#include "Mortarix.h"

#include "MortarixDlg.h"

#include <commctrl.h>

// Created in this order, destroyed in the reverse: the application owns the store the
// circle dialogs edit.
CMortarixApp theApp;
CSpells theSpells[kCircleCount] = {
    {1, theApp.m_selection}, {2, theApp.m_selection}, {3, theApp.m_selection}, {4, theApp.m_selection},
    {5, theApp.m_selection}, {6, theApp.m_selection}, {7, theApp.m_selection}, {8, theApp.m_selection},
};

BOOL CMortarixApp::InitInstance()
{
    // No dialog hosts an embedded control, so there is no control container to enable.

    // Register the standard control classes of the current common controls, so the
    // manifest's themed look applies.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CMortarixDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
