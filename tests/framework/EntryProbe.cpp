// A program of its own for testing the framework's entry point: its InitInstance notes each
// call in the file named first on its command line; with a second argument it asks for a
// message loop that ends with that exit code, otherwise it returns FALSE.
#include "FrameworkRes.h"
#include "WinApp.h"

#include <cstdlib>
#include <fstream>

namespace
{
class CProbeApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        if (__argc < 2)
            return FALSE;
        std::ofstream(__argv[1], std::ios::app) << m_strAppName << '|' << LoadString(IDS_NOT_AN_INTEGER) << '\n';
        if (__argc < 3)
            return FALSE;
        ::PostQuitMessage(std::atoi(__argv[2]));
        return TRUE;
    }
};

CProbeApp theApp;
} // namespace
