// The test program's one application object; it stands in for the help engine.
#pragma once

#include "WinApp.h"

#include <vector>

class CTestApp : public CWinApp
{
public:
    struct HelpCall
    {
        DWORD_PTR data;
        UINT command;
    };

    // Back to a program with no help file whose help engine would start.
    void Reset();

    bool m_bHelpEngineStarts = true;
    std::vector<HelpCall> m_helpCalls;

protected:
    BOOL WinHelp(DWORD_PTR data, UINT command) override;
};

extern CTestApp theApp;
