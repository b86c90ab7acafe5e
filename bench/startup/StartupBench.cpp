// Start-up and footprint of Mortarix.exe against the floor program, launches interleaved:
// median time from CreateProcess until the main window is shown with its fields filled,
// peak working set, executable size and imported DLLs, and the ratios to the floor.
// Copies of both whose manifests ask for no visual styles, and the floor that also
// registers the common controls, measure those two steps apart.
//   startup_bench [--runs N] Mortarix.exe Floor.exe FloorCommonControls.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

constexpr int kMainDialog = 102; // the template both programs show
constexpr int kReagentTotalField = 1141; // filled last by the program
constexpr const char* kCaption = "Mortarix";
constexpr double kGiveUpSeconds = 30;

struct Subject
{
    std::string label;
    std::string exe;
    bool filled; // its fields show numbers once it is up
    std::vector<double> ms;
    std::vector<double> peakKiB;
    std::vector<char> image;
};

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct FindMain
{
    DWORD pid;
    HWND hWnd;
};

BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM param)
{
    auto* find = reinterpret_cast<FindMain*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char caption[32] = {};
    if (pid == find->pid && IsWindowVisible(hWnd) && GetWindowTextA(hWnd, caption, sizeof caption) > 0 &&
        std::strcmp(caption, kCaption) == 0)
    {
        find->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Up: the main window is visible and its dialog loop answers; for the program, the totals
// field also reads a number.
bool Up(HWND hWnd, bool filled)
{
    char text[16] = {};
    DWORD_PTR length = 0;
    HWND field = GetDlgItem(hWnd, kReagentTotalField);
    if (field == nullptr || !SendMessageTimeoutA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                                 SMTO_NORMAL, 1000, &length))
        return false;
    return !filled || length > 0;
}

bool Launch(Subject& subject)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + subject.exe + "\"";
    const double start = Now();
    if (!CreateProcessA(subject.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", subject.exe.c_str(), GetLastError());
        return false;
    }

    // Its first wait for input comes once its dialog runs; polling, at a gentle pace so as
    // not to take the processor from it, covers a program that waits for input earlier.
    WaitForInputIdle(process.hProcess, static_cast<DWORD>(kGiveUpSeconds * 1000));
    FindMain find{process.dwProcessId, nullptr};
    double shown = 0;
    for (;;)
    {
        if (find.hWnd == nullptr)
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
        if (find.hWnd != nullptr && Up(find.hWnd, subject.filled))
        {
            shown = Now();
            break;
        }
        if (Now() - start > kGiveUpSeconds || WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }

    if (shown != 0)
    {
        subject.ms.push_back((shown - start) * 1000.0);
        // Painted in full before the peak is read, then closed as a person would.
        RedrawWindow(find.hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
            subject.peakKiB.push_back(static_cast<double>(counters.PeakWorkingSetSize) / 1024.0);
        PostMessageA(find.hWnd, WM_COMMAND, IDCANCEL, 0);
    }
    else
    {
        std::fprintf(stderr, "%s showed no main window within %.0f s\n", subject.exe.c_str(), kGiveUpSeconds);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown != 0;
}

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The DLL names in a PE file's import directory.
std::vector<std::string> Imports(const std::vector<char>& image)
{
    std::vector<std::string> names;
    auto at = [&](std::size_t offset, std::size_t size) {
        return offset + size <= image.size() ? image.data() + offset : nullptr;
    };
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return names;
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(
        at(static_cast<std::size_t>(dos->e_lfanew), sizeof(IMAGE_NT_HEADERS64)));
    if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE)
        return names;
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
            if (rva >= sections[i].VirtualAddress && rva < sections[i].VirtualAddress + sections[i].Misc.VirtualSize)
                return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
        return image.size();
    };
    const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (std::size_t offset = fileOffset(rva);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR))
    {
        auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (import == nullptr || import->Name == 0)
            break;
        const std::size_t name = fileOffset(import->Name);
        if (name >= image.size())
            break;
        names.emplace_back(image.data() + name, strnlen(image.data() + name, image.size() - name));
    }
    return names;
}

// The executable's manifest, as text; empty when it has none.
std::string ManifestOf(const std::string& exe)
{
    std::string manifest;
    if (HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
        if (HRSRC resource = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST))
            if (const void* data = LockResource(LoadResource(module, resource)))
                manifest.assign(static_cast<const char*>(data), SizeofResource(module, resource));
        FreeLibrary(module);
    }
    return manifest;
}

// A copy of `exe` in the temporary folder whose manifest asks for no visual styles: the
// same manifest without its dependency on the current common controls. Empty when that
// cannot be made.
std::string WithoutVisualStyles(const std::string& exe, const std::string& name)
{
    std::string manifest = ManifestOf(exe);
    const std::size_t begin = manifest.find("<dependency>");
    const std::size_t end = manifest.find("</dependency>");
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return {};
    manifest.erase(begin, end + std::strlen("</dependency>") - begin);

    char folder[MAX_PATH];
    if (GetTempPathA(sizeof folder, folder) == 0)
        return {};
    const std::string copy = std::string(folder) + name;
    if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE))
        return {};
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    if (update == nullptr ||
        !UpdateResourceA(update, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, english, manifest.data(),
                         static_cast<DWORD>(manifest.size())) ||
        !EndUpdateResourceA(update, FALSE) || ManifestOf(copy) != manifest)
    {
        DeleteFileA(copy.c_str());
        return {};
    }
    return copy;
}

// The value below which `share` of the values lie, between neighbours.
double Quantile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const double at = share * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(at);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

double Median(const std::vector<double>& values)
{
    return Quantile(values, 0.5);
}

void PrintRatio(const char* what, const Subject& subject, const Subject& base)
{
    std::printf("%-46s start %5.2f   working set %5.2f   exe %5.2f\n", what, Median(subject.ms) / Median(base.ms),
                Median(subject.peakKiB) / Median(base.peakKiB),
                static_cast<double>(subject.image.size()) / static_cast<double>(base.image.size()));
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 21;
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--runs") == 0)
    {
        runs = std::max(1, std::atoi(argv[arg + 1]));
        arg += 2;
    }
    if (argc - arg != 3)
    {
        std::fprintf(stderr, "usage: startup_bench [--runs N] Mortarix.exe Floor.exe FloorCommonControls.exe\n");
        return 2;
    }

    std::vector<Subject> subjects = {
        {"Mortarix", argv[arg], true, {}, {}, {}},
        {"floor", argv[arg + 1], false, {}, {}, {}},
        {"floor + common controls", argv[arg + 2], false, {}, {}, {}},
        {"Mortarix, no styles", WithoutVisualStyles(argv[arg], "MortarixPlain.exe"), true, {}, {}, {}},
        {"floor, no styles", WithoutVisualStyles(argv[arg + 1], "FloorPlain.exe"), false, {}, {}, {}},
    };
    for (Subject& subject : subjects)
    {
        subject.image = subject.exe.empty() ? std::vector<char>{} : ReadFile(subject.exe);
        if (subject.image.empty())
        {
            std::fprintf(stderr, "cannot read or make the executable for \"%s\"\n", subject.label.c_str());
            return 1;
        }
    }

    // One unmeasured launch each fills the file cache and warms Wine's server.
    for (Subject& subject : subjects)
    {
        if (!Launch(subject))
            return 1;
        subject.ms.clear();
        subject.peakKiB.clear();
    }
    // Interleaved, each round starting with the next subject, so drift hits all alike.
    for (int round = 0; round < runs; ++round)
        for (std::size_t k = 0; k < subjects.size(); ++k)
            if (!Launch(subjects[(round + k) % subjects.size()]))
                return 1;

    std::printf("%d interleaved launches each; medians, with the middle half of the start times\n", runs);
    std::printf("%-24s %10s %17s %14s %10s  %s\n", "", "start (ms)", "(25% to 75%)", "peak WS (KiB)", "exe (KiB)",
                "imports");
    for (const Subject& subject : subjects)
    {
        std::string imports;
        for (const std::string& name : Imports(subject.image))
            imports += (imports.empty() ? "" : " ") + name;
        std::printf("%-24s %10.1f   (%5.0f to %5.0f) %14.0f %10.1f  %s\n", subject.label.c_str(), Median(subject.ms),
                    Quantile(subject.ms, 0.25), Quantile(subject.ms, 0.75), Median(subject.peakKiB),
                    static_cast<double>(subject.image.size()) / 1024.0, imports.c_str());
    }
    std::printf("\nratios\n");
    PrintRatio("Mortarix / floor (targets 1.10, 1.20)", subjects[0], subjects[1]);
    PrintRatio("Mortarix / floor + common controls", subjects[0], subjects[2]);
    PrintRatio("common controls registered: floor+cc / floor", subjects[2], subjects[1]);
    PrintRatio("visual styles: floor / floor without", subjects[1], subjects[4]);
    PrintRatio("no styles: Mortarix (imports comctl32) / floor", subjects[3], subjects[4]);
    std::printf("Mortarix.exe is %.1f KiB (target at most 256 KiB)\n", static_cast<double>(subjects[0].image.size()) / 1024.0);

    DeleteFileA(subjects[3].exe.c_str());
    DeleteFileA(subjects[4].exe.c_str());
    return 0;
}
