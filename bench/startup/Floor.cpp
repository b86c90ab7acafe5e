// The floor for the start-up benchmark: the main dialog's own template, with the program's
// own icon and manifest, shown through a bare DialogBox with no logic at all. What
// Mortarix.exe costs beyond this is its own. Built a second time with the common
// controls registered first, so that step's cost can be measured apart.
#include <windows.h>
#ifdef FLOOR_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace
{

constexpr int kMainDialog = 102;

INT_PTR CALLBACK FloorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef FLOOR_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(kMainDialog), nullptr, FloorProc, 0));
}
