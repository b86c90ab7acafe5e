// Hundreds of openings and closings of the circle dialogs and the About box in one process
// leave the process's window objects, drawing objects and memory where they were, or
// where the same templates with no program behind them leave them on the same Wine.
#include "ProofTest.h"

#include <psapi.h>

#include <array>
#include <cstdio>
#include <string>

using namespace driver;

namespace
{

const int kOpenings = static_cast<int>(ProofTest::FromEnvironment("MORTARIX_OPENINGS", 300));
constexpr int kWarmUp = 2 * (kCircleCount + 1); // caches of fonts, themes and classes filled first

// Growth allowed beyond the floor's (below) in the same run. Wine keeps memory of its own
// for the dialogs it has made (some 200 bytes an opening on Wine 8, 1.7 KB on Wine 10), and
// the floor pays that too; what remains between two runs of the same dialogs is noise of
// up to some 40 KB either way. 300 openings put one object, or 512 bytes lost at each
// opening (150 KB), well past these.
constexpr long long kObjectTolerance = 8;
constexpr long long kMemoryTolerance = 64 * 1024;

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

// The floor: the same templates through bare dialog procedures, doing at each opening the
// window work the program does (hidden name labels before the fields, the stored texts set
// into the fields and read back, a ticked box's field enabled and focused, the main
// window's ten numbers set again), so that what it leaves is Wine's and the rest is ours.
struct Floor
{
    std::array<model::CircleTexts, model::kCircles> stored;
    model::CircleTexts opened;
    model::Numbers shown{};
    int circle = 0; // the open circle; 0 for the About box
};

std::string TextOf(HWND field)
{
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void NameHidden(HWND dialog, int id, const std::string& name)
{
    HWND field = ::GetDlgItem(dialog, id);
    HWND label = ::CreateWindowExA(0, "Static", name.c_str(), WS_CHILD | SS_LEFT, 0, 0, 0, 0, dialog, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowPos(label, ::GetWindow(field, GW_HWNDPREV), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ShowNumbers(HWND main, const model::Numbers& numbers)
{
    for (std::size_t i = 0; i < numbers.size(); ++i)
        ::SetDlgItemTextA(main, ProofTest::ShownId(i), std::to_string(numbers[i]).c_str());
}

INT_PTR CALLBACK FloorDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    auto* floor = reinterpret_cast<Floor*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (floor == nullptr) // messages before WM_INITDIALOG
        return FALSE;
    if (floor->circle == 0) // the About box
    {
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            return ::EndDialog(hWnd, LOWORD(wParam));
        return message == WM_INITDIALOG;
    }
    model::CircleTexts& texts = floor->stored[static_cast<std::size_t>(floor->circle - 1)];
    const auto& spells = CircleOf(floor->circle).spells;
    auto load = [&] {
        for (std::size_t i = 0; i < spells.size(); ++i)
            ::SetDlgItemTextA(hWnd, spells[i].quantityFieldId, texts[i].c_str());
    };
    auto save = [&] {
        for (std::size_t i = 0; i < spells.size(); ++i)
            texts[i] = TextOf(::GetDlgItem(hWnd, spells[i].quantityFieldId));
    };
    if (message == WM_INITDIALOG)
    {
        floor->opened = texts;
        for (const SpellInfo& spell : spells)
            NameHidden(hWnd, spell.quantityFieldId, std::string(spell.caption) + " Quantity");
        load();
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL)
    {
        if (id == IDOK)
            save();
        else
            texts = floor->opened;
        return ::EndDialog(hWnd, id);
    }
    if (const int row = RowOfCheckBox(floor->circle, id))
    {
        HWND field = ::GetDlgItem(hWnd, spells[static_cast<std::size_t>(row - 1)].quantityFieldId);
        if (!::IsWindowEnabled(field))
        {
            ::EnableWindow(field, TRUE);
            ::SetFocus(field);
            return TRUE;
        }
        save();
        ::EnableWindow(field, FALSE);
        texts[static_cast<std::size_t>(row - 1)].clear();
        load();
        return TRUE;
    }
    return FALSE;
}

// The main window: `lParam` is the Floor, shared with the dialogs it opens.
INT_PTR CALLBACK FloorMainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        ShowNumbers(hWnd, {});
        for (std::size_t i = 0; i < model::kShownCount; ++i)
            NameHidden(hWnd, ProofTest::ShownId(i), "Total Number of Reagents");
        return TRUE;
    }
    auto* floor = reinterpret_cast<Floor*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (floor == nullptr) // messages before WM_INITDIALOG
        return FALSE;
    auto run = [&](int circle, int templateId) {
        floor->circle = circle;
        return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), hWnd, FloorDialogProc,
                                 reinterpret_cast<LPARAM>(floor));
    };
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUTBOX)
    {
        run(0, IDD_ABOUTBOX);
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        return ::EndDialog(hWnd, LOWORD(wParam));
    for (const CircleInfo& circle : Circles())
        if (LOWORD(wParam) == circle.buttonId)
        {
            if (run(circle.number, circle.templateId) == IDOK)
                floor->shown = model::TotalsOf(floor->stored);
            ShowNumbers(hWnd, floor->shown);
            return TRUE;
        }
    return FALSE;
}

// Which Wine runs this, if any, and at what width: the tolerances below depend on it.
std::string Platform()
{
    std::string wine = "not Wine";
    using Version = const char*(CDECL*)();
    if (FARPROC found = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        wine = std::string("Wine ") + reinterpret_cast<Version>(reinterpret_cast<void (*)()>(found))();
    return wine + ", " + std::to_string(8 * sizeof(void*)) + "-bit";
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
        const bool about = which == kCircleCount;
        const int circle = which + 1;
        try
        {
            if (about)
            {
                ProofTest::Close(ui, ProofTest::OpenAbout(ui, main), how == Closing::CancelButton ? Closing::Escape : how);
                return;
            }
            Window dialog = ProofTest::OpenCircle(ui, main, circle);
            if (n % 4 == 0)
            {
                ui.Click(ProofTest::Box(dialog, {circle, 1 + n / 4 % kRowCount}));
                ui.Type(std::to_string(n));
            }
            ProofTest::Close(ui, dialog, how);
        }
        catch (const DriverError& error)
        {
            throw DriverError("opening " + std::to_string(n) + " (" +
                              (about ? std::string("the About box") : "circle " + std::to_string(circle)) +
                              ", closed by " + ProofTest::Name(how) + "): " + error.what());
        }
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
    // The floor first: the process's first run of dialogs grows more than any later one
    // (by some 30 to 60 KB over 300 openings on Wine 10, whoever runs it), so it is not
    // counted against the program.
    Growth floor, ours;
    Floor floorState;
    driver::RunModal(
        [&] {
            return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MORTARIX_DIALOG), nullptr,
                                     FloorMainProc, reinterpret_cast<LPARAM>(&floorState));
        },
        [&](Ui& ui) {
            const Window main = ui.WaitForDialog("Mortarix");
            floor = OpenMany(ui, main, uiThread);
            ui.Click(main.Item(IDOK));
        });
    RunMain([&](Ui& ui, const Window& main) {
        ours = OpenMany(ui, main, uiThread);
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
    std::printf("steady resources over %d openings (%s), before -> after (growth; the floor's growth):\n", kOpenings,
                Platform().c_str());
    for (const Figure& figure : figures)
    {
        auto value = [&](const Holdings& holdings) { return holdings.*figure.field; };
        const long long grown = value(ours.after) - value(ours.before);
        const long long floorGrown = value(floor.after) - value(floor.before);
        std::printf("  %-26s %12lld -> %12lld (%+lld; %+lld)%s\n", figure.what, value(ours.before), value(ours.after),
                    grown, floorGrown, value(ours.before) == 0 && value(ours.after) == 0 ? "  (not reported here)" : "");
        EXPECT_LE(grown - floorGrown, figure.tolerance)
            << figure.what << " grew over " << kOpenings << " openings by " << grown << ", the floor by " << floorGrown
            << "; the difference, " << grown - floorGrown << " ("
            << static_cast<double>(grown - floorGrown) / kOpenings << " an opening), is over the " << figure.tolerance << " allowed (" << Platform() << ")";
    }
    EXPECT_GT(before.windows, 0) << "the main window and its controls should have been counted";
    EXPECT_GT(before.userObjects + before.menus, 0) << "neither reported nor counted: USER objects";
    EXPECT_GT(before.gdiObjects + before.drawingObjects, 0) << "neither reported nor counted: GDI objects";
    EXPECT_GT(before.privateBytes + before.commitCharge, 0) << "neither private bytes nor the commit charge reported";
}

} // namespace
