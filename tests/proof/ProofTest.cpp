#include "ProofTest.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

using namespace driver;

const char* ProofTest::Name(Closing how)
{
    switch (how)
    {
    case Closing::OkButton:
        return "OK";
    case Closing::Enter:
        return "Enter";
    case Closing::CancelButton:
        return "Cancel";
    case Closing::Escape:
        return "Escape";
    case Closing::CloseBox:
        return "close box";
    }
    return "?";
}

void ProofTest::Close(Ui& ui, const Window& dialog, Closing how)
{
    switch (how)
    {
    case Closing::OkButton:
        ui.Click(dialog.Item(IDOK));
        break;
    case Closing::Enter:
        ui.Press(Key::Enter);
        break;
    case Closing::CancelButton:
        ui.Click(dialog.Item(IDCANCEL));
        break;
    case Closing::Escape:
        ui.Press(Key::Escape);
        break;
    case Closing::CloseBox:
        ui.CloseBox(dialog);
        break;
    }
    ui.WaitUntilGone(dialog);
}

void ProofTest::SetClipboard(std::string_view text)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr)
        throw DriverError("no memory for a clipboard text of " + std::to_string(text.size()) + " bytes");
    char* bytes = static_cast<char*>(::GlobalLock(memory));
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    ::GlobalUnlock(memory);

    // Another program may hold the clipboard for a moment.
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (!::OpenClipboard(nullptr))
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            ::GlobalFree(memory);
            throw DriverError("the clipboard stayed busy");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::EmptyClipboard();
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!set)
    {
        ::GlobalFree(memory);
        throw DriverError("cannot put a text on the clipboard");
    }
}

void ProofTest::Paste(Ui& ui, std::string_view text)
{
    SetClipboard(text);

    Window target = ui.Focus();
    if (!target)
        throw DriverError("nothing has the focus to paste into");
    target.Post(WM_CHAR, 0x16, 1); // Ctrl+V
    ui.Sync();
}

void ProofTest::PressKey(Ui& ui, UINT virtualKey)
{
    Window target = ui.Focus();
    if (!target)
        throw DriverError("nothing has the focus to take a key");
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    target.Post(WM_KEYDOWN, virtualKey, 1 | scan);
    target.Post(WM_KEYUP, virtualKey, 1 | scan | LPARAM{3} << 30);
    ui.Sync();
}

void ProofTest::SelectAll(Ui& ui)
{
    Window target = ui.Focus();
    if (!target)
        throw DriverError("nothing has the focus to select in");
    target.Send(EM_SETSEL, 0, -1);
    ui.Sync();
}

bool ProofTest::Shows(const Window& field, const std::string& text)
{
    std::string shown(text.size() + 2, '\0');
    const auto length = static_cast<std::size_t>(field.Send(WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data())));
    shown.resize(length);
    return shown == text;
}

std::pair<std::size_t, std::size_t> ProofTest::SelectionOf(const Window& field)
{
    DWORD start = 0, end = 0;
    field.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

Window ProofTest::OpenAbout(Ui& ui, const Window& main)
{
    main.Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
    return ui.WaitForDialog("About Mortarix");
}

std::array<std::string, 10> ProofTest::AsText(const model::Numbers& numbers)
{
    std::array<std::string, 10> shown;
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = std::to_string(numbers[i]);
    return shown;
}

std::uint64_t ProofTest::FromEnvironment(const char* name, std::uint64_t fallback)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return fallback;
    char* end = nullptr;
    const std::uint64_t number = std::strtoull(value, &end, 0);
    if (*end != '\0')
        throw std::invalid_argument(std::string(name) + " is not a whole number: " + value);
    return number;
}
