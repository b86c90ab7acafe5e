// A thousand openings and closings of the circle dialogs and the About box in one process
// leave the process's window objects, drawing objects and memory where they were, or
// where the same templates with no program behind them leave them on the same Wine.
#include "ProofTest.h"

#include <psapi.h>

#include <cstdio>

using namespace driver;

namespace
{

constexpr int kOpenings = 1000;
constexpr int kWarmUp = 2 * (kCircleCount + 1); // caches of fonts, themes and classes filled first

// Growth allowed over all the openings beyond the floor's (below) in the same run. One
// object, or half a kilobyte lost per opening, would go past it. Wine keeps memory of its
// own for the dialogs it has made, and how much depends on the Wine: about 100 bytes a
// dialog on Wine 8; about 1.6 KB on Wine 10, where a dialog closed over the main window
// and the main window's filled fields set again cost that much between them, and circle
// fields showing numbers (which the floor's never do) about 200 KB more over the run.
constexpr long long kObjectTolerance = 8;
constexpr long long kMemoryTolerance = 384 * 1024;

// What the process holds, as the system reports it where it does, and as counted here
// where it does not: Wine keeps no count of GUI objects and reports no private usage.
struct Holdings
{
    long long userObjects = 0;    // reported
    long long gdiObjects = 0;     // reported
    long long privateBytes = 0;   // reported: the private usage
    long long commitCharge = 0;   // reported
    long long windows = 0;        // counted: this thread's windows
    long long menus = 0;          // counted
    long long drawingObjects = 0; // counted
};

// The 16-bit handle space, probed: Wine takes a handle without its upper word as naming
// whatever object of that kind sits in that slot now. Elsewhere this finds nothing.
template <class Alive>
long CountSlots(Alive alive)
{
    long count = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot)
        count += alive(slot) ? 1 : 0;
    return count;
}

Holdings Now(DWORD uiThread)
{
    HANDLE process = ::GetCurrentProcess();
    Holdings now;
    now.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    now.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    {
        now.privateBytes = static_cast<long long>(memory.PrivateUsage);
        now.commitCharge = static_cast<long long>(memory.PagefileUsage);
    }
    // The thread's top-level windows, then all their descendants.
    for (HWND hWnd : TopLevelWindows(uiThread))
        now.windows += 1 + static_cast<long long>(Children(hWnd).size());
    now.menus = CountSlots([](UINT_PTR slot) { return ::IsMenu(reinterpret_cast<HMENU>(slot)) != FALSE; });
    now.drawingObjects = CountSlots([](UINT_PTR slot) { return ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0; });
    return now;
}

// The floor: the same templates through bare dialog procedures, opened and closed the same
// way. Its main window shows zeros in the ten number fields and sets them again after each
// circle closes, as the program's does, since that alone costs memory on some Wines.
void ShowZeros(HWND main)
{
    for (std::size_t i = 0; i < kReagentCount + 2; ++i) // the reagents and the two totals
        ::SetDlgItemTextA(main, ProofTest::ShownId(i), "0");
}

INT_PTR CALLBACK FloorDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    {
        ::EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FloorMainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto run = [hWnd](int templateId) {
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), hWnd, FloorDialogProc, 0);
    };
    if (message == WM_INITDIALOG)
        ShowZeros(hWnd);
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUTBOX)
    {
        run(IDD_ABOUTBOX);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        for (const CircleInfo& circle : Circles())
            if (LOWORD(wParam) == circle.buttonId)
            {
                run(circle.templateId);
                ShowZeros(hWnd);
                return TRUE;
            }
    return FloorDialogProc(hWnd, message, wParam, lParam);
}

struct Growth
{
    Holdings before, after;
};

// The openings from `main`, after a warm-up. Every ninth is the About box; every fourth
// also ticks a box and types a number; each closes one of the five ways.
Growth OpenMany(Ui& ui, const Window& main, DWORD uiThread)
{
    using Closing = ProofTest::Closing;
    constexpr auto& kClosings = ProofTest::kClosings;
    auto open = [&](int n) {
        const int which = n % (kCircleCount + 1);
        const Closing how = kClosings[static_cast<std::size_t>(n / (kCircleCount + 1)) % std::size(kClosings)];
        if (which == kCircleCount)
        {
            ProofTest::Close(ui, ProofTest::OpenAbout(ui, main), how == Closing::CancelButton ? Closing::Escape : how);
            return;
        }
        const int circle = which + 1;
        Window dialog = ProofTest::OpenCircle(ui, main, circle);
        if (n % 4 == 0)
        {
            ui.Click(ProofTest::Box(dialog, {circle, 1 + n / 4 % kRowCount}));
            ui.Type(std::to_string(n));
        }
        ProofTest::Close(ui, dialog, how);
    };
    for (int n = 0; n < kWarmUp; ++n)
        open(n);
    // Wine commits memory for its handle tables the first time they are probed: once
    // before measuring, so that is not counted as the dialogs' growth.
    Now(uiThread);
    Growth growth;
    growth.before = Now(uiThread);
    for (int n = 0; n < kOpenings; ++n)
        open(n);
    growth.after = Now(uiThread);
    return growth;
}

using SteadyResources = ProofTest;

TEST_F(SteadyResources, ManyOpeningsLeaveObjectsAndMemoryAsTheyWere)
{
    const DWORD uiThread = ::GetCurrentThreadId();
    Growth ours, floor;
    RunMain([&](Ui& ui, const Window& main) {
        ours = OpenMany(ui, main, uiThread);
        ui.Click(main.Item(IDOK));
    });
    driver::RunModal(
        [] {
            return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MORTARIX_DIALOG), nullptr,
                                     FloorMainProc, 0);
        },
        [&](Ui& ui) {
            const Window main = ui.WaitForDialog("Mortarix");
            floor = OpenMany(ui, main, uiThread);
            ui.Click(main.Item(IDOK));
        });
    ASSERT_FALSE(HasFailure());
    const Holdings& before = ours.before;

    struct Figure
    {
        const char* what;
        long long Holdings::*field;
        long long tolerance;
    };
    const Figure figures[] = {
        {"USER objects (reported)", &Holdings::userObjects, kObjectTolerance},
        {"GDI objects (reported)", &Holdings::gdiObjects, kObjectTolerance},
        {"private bytes (reported)", &Holdings::privateBytes, kMemoryTolerance},
        {"commit charge (reported)", &Holdings::commitCharge, kMemoryTolerance},
        {"windows (counted)", &Holdings::windows, kObjectTolerance},
        {"menus (counted)", &Holdings::menus, kObjectTolerance},
        {"GDI objects (counted)", &Holdings::drawingObjects, kObjectTolerance},
    };
    std::printf("steady resources over %d openings, before -> after (growth; the floor's growth):\n", kOpenings);
    for (const Figure& figure : figures)
    {
        auto value = [&](const Holdings& holdings) { return holdings.*figure.field; };
        const long long grown = value(ours.after) - value(ours.before);
        const long long floorGrown = value(floor.after) - value(floor.before);
        std::printf("  %-26s %12lld -> %12lld (%+lld; %+lld)%s\n", figure.what, value(ours.before), value(ours.after),
                    grown, floorGrown, value(ours.before) == 0 && value(ours.after) == 0 ? "  (not reported here)" : "");
        EXPECT_LE(grown - floorGrown, figure.tolerance)
            << figure.what << " grew over " << kOpenings << " openings by " << grown << ", the floor by " << floorGrown;
    }
    EXPECT_GT(before.windows, 0) << "the main window and its controls should have been counted";
    EXPECT_GT(before.userObjects + before.menus, 0) << "neither reported nor counted: USER objects";
    EXPECT_GT(before.gdiObjects + before.drawingObjects, 0) << "neither reported nor counted: GDI objects";
    EXPECT_GT(before.privateBytes + before.commitCharge, 0) << "neither private bytes nor the commit charge reported";
}

} // namespace
