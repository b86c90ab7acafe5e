#include "TestApp.h"

CTestApp theApp;

void CTestApp::Reset()
{
    m_pMainWnd = nullptr;
    m_bHelpEngineStarts = true;
    m_helpCalls.clear();
    m_strHelpFile = "C:\\no such folder\\framework_tests.HLP";
}

BOOL CTestApp::WinHelp(DWORD_PTR data, UINT command)
{
    m_helpCalls.push_back({data, command});
    return m_bHelpEngineStarts;
}
