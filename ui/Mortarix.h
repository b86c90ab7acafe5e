// The application and the objects that live for the whole run.
#pragma once

#include "Selection.h"
#include "Spells.h"
#include "WinApp.h"

class CMortarixApp : public CWinApp
{
public:
    BOOL InitInstance() override;

    // The 64 quantity texts, eight per circle dialog.
    Selection m_selection;
};

extern CMortarixApp theApp;
// The dialogs of circles 1 to 8, at indexes 0 to 7.
extern CSpells theSpells[kCircleCount];
