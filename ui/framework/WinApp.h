// The application: exactly one object per program, found by the framework's entry point,
// which calls InitInstance once and ends the program when it returns FALSE.
#pragma once

#include "MessageMap.h"
#include "Wnd.h"

class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Get(); // the program's application object

    virtual BOOL InitInstance();

    CString LoadString(UINT id) const; // the whole string; empty when there is none
    HICON LoadIcon(UINT id) const;
    // The framework's own messages: string `idText`, captioned with the application name,
    // owned by `owner`.
    int ShowMessage(HWND owner, UINT idText, UINT type = MB_OK | MB_ICONEXCLAMATION) const;

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;  // the program file's name without extension
    CString m_strHelpFile; // the program's path with the extension .HLP

protected:
    const CMessageMap* GetMessageMap() const override;

    // Context help for the dialog where F1 was pressed; "Failed to launch help." when that
    // cannot start.
    void OnHelp();
    // The help engine; FALSE when it could not be started.
    virtual BOOL WinHelp(DWORD_PTR data, UINT command);

    CWnd* m_pCommandWnd = nullptr; // the dialog whose command is being handled

private:
    friend class CDialog; // routes its commands here
};
