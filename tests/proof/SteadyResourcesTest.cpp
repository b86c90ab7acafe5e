// A thousand openings and closings of the circle dialogs and the About box in one process
// leave the process's window objects, drawing objects and memory where they were.
#include "ProofTest.h"

#include <psapi.h>

#include <cstdio>
#include <vector>

using namespace driver;

namespace
{

constexpr int kOpenings = 1000;
constexpr int kWarmUp = 2 * (kCircleCount + 1); // caches of fonts, themes and classes filled first

// Growth allowed over all the openings. One object or a few hundred bytes lost per opening
// would go far past it. Wine's own dialog manager keeps about 100 (a circle) to 300 (the
// About box) bytes more for every dialog it has made, even for a bare template with no
// program behind it.
constexpr long kObjectTolerance = 8;
constexpr long long kMemoryTolerance = 512 * 1024;

// What the process holds, as the system reports it where it does, and as counted here
// where it does not: Wine keeps no count of GUI objects and reports no private usage.
struct Holdings
{
    long userObjects = 0;       // reported
    long gdiObjects = 0;        // reported
    long long privateBytes = 0; // reported: the private usage
    long long commitCharge = 0; // reported
    long windows = 0;           // counted: this thread's windows
    long menus = 0;             // counted
    long drawingObjects = 0;    // counted
};

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

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
    now.userObjects = static_cast<long>(::GetGuiResources(process, GR_USEROBJECTS));
    now.gdiObjects = static_cast<long>(::GetGuiResources(process, GR_GDIOBJECTS));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    {
        now.privateBytes = static_cast<long long>(memory.PrivateUsage);
        now.commitCharge = static_cast<long long>(memory.PagefileUsage);
    }
    // The thread's top-level windows, then all their descendants.
    std::vector<HWND> topLevel;
    ::EnumThreadWindows(
        uiThread,
        [](HWND hWnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&topLevel));
    for (HWND hWnd : topLevel)
    {
        ++now.windows;
        ::EnumChildWindows(hWnd, CountWindow, reinterpret_cast<LPARAM>(&now.windows));
    }
    now.menus = CountSlots([](UINT_PTR slot) { return ::IsMenu(reinterpret_cast<HMENU>(slot)) != FALSE; });
    now.drawingObjects = CountSlots([](UINT_PTR slot) { return ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0; });
    return now;
}

using SteadyResources = ProofTest;

TEST_F(SteadyResources, ManyOpeningsLeaveObjectsAndMemoryAsTheyWere)
{
    Holdings before, after;
    const DWORD uiThread = ::GetCurrentThreadId();
    RunMain([&](Ui& ui, const Window& main) {
        // Every ninth opening is the About box; every fourth also ticks a box and types a
        // number; each closes one of the five ways.
        auto open = [&](int n) {
            const int which = n % (kCircleCount + 1);
            const Closing how = kClosings[static_cast<std::size_t>(n / (kCircleCount + 1)) % std::size(kClosings)];
            if (which == kCircleCount)
            {
                Close(ui, OpenAbout(ui, main), how == Closing::CancelButton ? Closing::Escape : how);
                return;
            }
            const int circle = which + 1;
            Window dialog = OpenCircle(ui, main, circle);
            if (n % 4 == 0)
            {
                ui.Click(Box(dialog, {circle, 1 + n / 4 % kRowCount}));
                ui.Type(std::to_string(n));
            }
            Close(ui, dialog, how);
        };
        for (int n = 0; n < kWarmUp; ++n)
            open(n);
        // Wine commits memory for its handle tables the first time they are probed: once
        // before measuring, so that is not counted as the dialogs' growth.
        Now(uiThread);
        before = Now(uiThread);
        for (int n = 0; n < kOpenings; ++n)
            open(n);
        after = Now(uiThread);
        ui.Click(main.Item(IDOK));
    });
    ASSERT_FALSE(HasFailure());

    struct Figure
    {
        const char* what;
        long long before, after, tolerance;
    };
    const Figure figures[] = {
        {"USER objects (reported)", before.userObjects, after.userObjects, kObjectTolerance},
        {"GDI objects (reported)", before.gdiObjects, after.gdiObjects, kObjectTolerance},
        {"private bytes (reported)", before.privateBytes, after.privateBytes, kMemoryTolerance},
        {"commit charge (reported)", before.commitCharge, after.commitCharge, kMemoryTolerance},
        {"windows (counted)", before.windows, after.windows, kObjectTolerance},
        {"menus (counted)", before.menus, after.menus, kObjectTolerance},
        {"GDI objects (counted)", before.drawingObjects, after.drawingObjects, kObjectTolerance},
    };
    std::printf("steady resources over %d openings, before -> after:\n", kOpenings);
    for (const Figure& figure : figures)
    {
        std::printf("  %-26s %12lld -> %12lld%s\n", figure.what, figure.before, figure.after,
                    figure.before == 0 && figure.after == 0 ? "  (not reported here)" : "");
        EXPECT_LE(figure.after - figure.before, figure.tolerance) << figure.what << " grew over " << kOpenings << " openings";
    }
    EXPECT_GT(before.windows, 0) << "the main window and its controls should have been counted";
    EXPECT_GT(before.userObjects + before.menus, 0) << "neither reported nor counted: USER objects";
    EXPECT_GT(before.gdiObjects + before.drawingObjects, 0) << "neither reported nor counted: GDI objects";
    EXPECT_GT(before.privateBytes + before.commitCharge, 0) << "neither private bytes nor the commit charge reported";
}

} // namespace
