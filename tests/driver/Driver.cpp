#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace driver
{
namespace
{
// What Windows' own keyboard processing posts after a real F1 key-down.
constexpr UINT kKeyF1 = 0x004D;

const UINT g_syncMarker = ::RegisterWindowMessageA("MortarixDriverSync");
std::atomic<Ui*> g_ui{nullptr}; // one modal run is driven at a time

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE)
    {
        if (Ui* ui = g_ui.load())
            ui->OnMessageRetrieved(*reinterpret_cast<MSG*>(lParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK AddWindow(HWND hWnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

std::string ClassName(HWND hWnd)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

bool IsShownDialog(HWND hWnd)
{
    return ::IsWindowVisible(hWnd) && ClassName(hWnd) == "#32770";
}

LPARAM KeyData(UINT vk, bool up)
{
    LPARAM data = 1 | static_cast<LPARAM>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    return up ? data | LPARAM{3} << 30 : data;
}
} // namespace

std::vector<HWND> TopLevelWindows(DWORD threadId)
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(threadId, AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> windows;
    ::EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// --- Window ---

Window Window::Item(int id) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (item == nullptr)
        throw DriverError(Describe() + " has no control " + std::to_string(id));
    return Window(item);
}

Window Window::Owner() const
{
    return Window(::GetWindow(m_hWnd, GW_OWNER));
}

int Window::Id() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

std::string Window::Text() const
{
    const auto length = static_cast<std::size_t>(Send(WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    const auto copied = static_cast<std::size_t>(Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

bool Window::IsEnabled() const
{
    return ::IsWindowEnabled(m_hWnd) != FALSE;
}

bool Window::IsVisible() const
{
    return ::IsWindowVisible(m_hWnd) != FALSE;
}

bool Window::IsChecked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}

DWORD Window::Style() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

RECT Window::Rect() const
{
    RECT rect{};
    if (!::GetWindowRect(m_hWnd, &rect))
        throw DriverError(Describe() + " has no rectangle");
    return rect;
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(m_hWnd, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                               static_cast<UINT>(kTimeout.count()), &result))
        throw DriverError(Describe() + " did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

void Window::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!::PostMessageA(m_hWnd, message, wParam, lParam))
        throw DriverError("cannot post message " + std::to_string(message) + " to " + Describe());
}

std::string Window::Describe() const
{
    if (!::IsWindow(m_hWnd))
        return "a window that no longer exists";
    if (::GetParent(m_hWnd) != nullptr && (Style() & WS_CHILD))
        return "the " + ClassName(m_hWnd) + " control " + std::to_string(Id());
    // The caption as stored: asking the window could block on a busy UI thread.
    wchar_t caption[256] = {};
    ::InternalGetWindowText(m_hWnd, caption, 256);
    char narrow[512] = {};
    ::WideCharToMultiByte(CP_ACP, 0, caption, -1, narrow, sizeof narrow, nullptr, nullptr);
    return std::string("the window \"") + narrow + '"';
}

// --- Ui ---

std::string Ui::Scene() const
{
    std::string scene;
    for (HWND hWnd : TopLevelWindows(m_uiThreadId))
        if (::IsWindowVisible(hWnd))
            scene += (scene.empty() ? "" : ", ") + Window(hWnd).Describe();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(m_uiThreadId, &info) && info.hwndFocus != nullptr)
        scene += "; the focus on " + Window(info.hwndFocus).Describe();
    return scene.empty() ? "no window" : scene;
}

Ui::Ui(DWORD uiThreadId)
    : m_uiThreadId(uiThreadId), m_hook(::SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, uiThreadId))
{
    if (m_hook == nullptr)
        throw DriverError("cannot watch the UI thread's messages");
    g_ui = this;
}

Ui::~Ui()
{
    g_ui = nullptr;
    ::UnhookWindowsHookEx(m_hook);
}

// The script's marker sends a second one round: when that arrives, whatever was running
// when the first arrived has finished (a modal loop that the first one let end, say). If
// nothing else waits then, the thread is settled; otherwise a thread timer is started,
// whose WM_TIMER comes only once nothing is posted, no input waits and nothing needs
// painting.
void Ui::OnMessageRetrieved(MSG& msg)
{
    if (msg.hwnd != nullptr)
        return;
    if (msg.message == g_syncMarker)
    {
        msg.message = WM_NULL;
        const auto marker = static_cast<long>(msg.lParam);
        if (msg.wParam == 0)
            ::PostThreadMessageA(::GetCurrentThreadId(), g_syncMarker, 1, marker);
        else if (HIWORD(::GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT | QS_INPUT)) == 0)
            Settled(marker);
        else
        {
            ::KillTimer(nullptr, m_idleTimer);
            m_idleTimer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, nullptr);
            m_idleMarker = marker;
        }
    }
    else if (msg.message == WM_TIMER && m_idleTimer != 0 && msg.wParam == m_idleTimer)
    {
        msg.message = WM_NULL;
        ::KillTimer(nullptr, m_idleTimer);
        m_idleTimer = 0;
        Settled(m_idleMarker);
    }
}

void Ui::Settled(long marker)
{
    std::lock_guard lock(m_mutex);
    m_markersSeen = marker;
    m_changed.notify_all();
}

void Ui::MarkModalEnded()
{
    std::lock_guard lock(m_mutex);
    m_modalEnded = true;
    m_changed.notify_all();
}

void Ui::WaitUntilModalEnded()
{
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait_for(lock, kTimeout, [&] { return m_modalEnded.load(); }))
        throw DriverError("the modal run did not end");
}

void Ui::Sync()
{
    std::unique_lock lock(m_mutex);
    if (m_modalEnded)
        return;
    const long marker = ++m_markersPosted;
    if (!::PostThreadMessageA(m_uiThreadId, g_syncMarker, 0, marker))
        throw DriverError("cannot post to the UI thread");
    if (!m_changed.wait_for(lock, kTimeout, [&] { return m_markersSeen >= marker || m_modalEnded; }))
        throw DriverError("the UI thread did not settle in time");
}

template <class Found>
auto Ui::WaitFor(const std::string& what, Found found) -> decltype(found())
{
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    for (;;)
    {
        if (auto result = found())
            return result;
        if (m_modalEnded)
            throw DriverError("the modal run ended while waiting for " + what);
        if (std::chrono::steady_clock::now() > deadline)
            throw DriverError("gave up waiting for " + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // polling within the bound
    }
}

Window Ui::WaitForDialog(std::string_view caption)
{
    Window dialog = WaitFor("the dialog \"" + std::string(caption) + "\"", [&] {
        for (HWND hWnd : TopLevelWindows(m_uiThreadId))
            if (IsShownDialog(hWnd) && Window(hWnd).Text() == caption)
                return Window(hWnd);
        return Window();
    });
    Sync();
    return dialog;
}

void Ui::WaitUntilGone(const Window& window)
{
    WaitFor(window.Describe() + " to close", [&] { return !::IsWindowVisible(window.Handle()); });
}

MessageBoxSeen Ui::WaitForMessageBox(const Window& owner)
{
    Window box = WaitFor("a message box over " + owner.Describe(), [&] {
        for (HWND hWnd : TopLevelWindows(m_uiThreadId))
            if (IsShownDialog(hWnd) && ::GetWindow(hWnd, GW_OWNER) == owner.Handle())
                return Window(hWnd);
        return Window();
    });
    Sync();
    MessageBoxSeen seen{box, box.Text(), {}};
    // The message is the box's one static text without an ID (icons are statics too).
    for (HWND child : Children(box.Handle()))
    {
        Window control(child);
        if (ClassName(child) == "Static" && LOWORD(control.Id()) == 0xFFFF && (control.Style() & SS_TYPEMASK) != SS_ICON)
            seen.text = control.Text();
    }
    return seen;
}

void Ui::Dismiss(const MessageBoxSeen& box)
{
    Click(box.window.Item(LOWORD(box.window.Send(DM_GETDEFID))));
    WaitUntilGone(box.window);
    Sync();
}

void Ui::Click(const Window& control)
{
    if (!control.IsEnabled())
        throw DriverError("cannot click " + control.Describe() + ": it is disabled");
    control.Send(BM_CLICK);
    Sync();
}

void Ui::PostClick(const Window& control)
{
    if (!control.IsEnabled())
        throw DriverError("cannot click " + control.Describe() + ": it is disabled");
    PostAndSync(control, BM_CLICK, 0, 0);
}

Window Ui::ClickOpening(const Window& control, std::string_view caption)
{
    PostClick(control);
    return WaitForDialog(caption);
}

void Ui::Type(std::string_view text)
{
    Window target = Focus();
    if (!target)
        throw DriverError("nothing has the focus to type into");
    Type(target, text);
}

void Ui::Type(const Window& field, std::string_view text)
{
    if (!field.IsEnabled())
        throw DriverError("cannot type into " + field.Describe() + ": it is disabled");
    for (char c : text)
        field.Post(WM_CHAR, static_cast<unsigned char>(c), 1);
    Sync();
}

void Ui::Press(Key key)
{
    static constexpr UINT kVirtualKeys[] = {VK_RETURN, VK_ESCAPE, VK_TAB, VK_F1};
    const UINT vk = kVirtualKeys[static_cast<int>(key)];
    Window target = Target();
    target.Post(WM_KEYDOWN, vk, KeyData(vk, false));
    if (key == Key::F1)
        target.Post(kKeyF1, 0, 0);
    // The key-down may have closed the window; the key-up then goes nowhere, as it would.
    ::PostMessageA(target.Handle(), WM_KEYUP, vk, KeyData(vk, true));
    Sync();
}

void Ui::CloseBox(const Window& dialog)
{
    PostAndSync(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

GUITHREADINFO Ui::ThreadInfo() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(m_uiThreadId, &info))
        throw DriverError("cannot read the UI thread's focus");
    return info;
}

// Other programs on the desktop may take the foreground, and with it the focus, at any
// time; a dialog that gets it back puts its focus where it was, as after a person's click.
void Ui::Activate()
{
    if (ThreadInfo().hwndFocus != nullptr)
        return;
    for (HWND hWnd : TopLevelWindows(m_uiThreadId))
    {
        if (::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd))
        {
            ::SetForegroundWindow(hWnd);
            Sync();
            return;
        }
    }
}

Window Ui::Focus()
{
    Activate();
    return Window(ThreadInfo().hwndFocus);
}

Window Ui::Target()
{
    Activate();
    const GUITHREADINFO info = ThreadInfo();
    if (info.hwndFocus == nullptr && info.hwndActive == nullptr)
        throw DriverError("no window of the UI thread takes keystrokes");
    return Window(info.hwndFocus ? info.hwndFocus : info.hwndActive);
}

void Ui::PostAndSync(const Window& target, UINT message, WPARAM wParam, LPARAM lParam)
{
    target.Post(message, wParam, lParam);
    Sync();
}

Image Ui::Screenshot(const Window& window, const std::string& pngPath)
{
    const RECT rect = window.Rect();
    Image image;
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
    {
        ::DeleteDC(dc);
        throw DriverError("cannot make a bitmap for " + window.Describe());
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    Activate(); // shown as a person sees it, in front
    Sync();     // and fully painted
    HDC windowDc = ::GetWindowDC(window.Handle());
    ::BitBlt(dc, 0, 0, image.width, image.height, windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(window.Handle(), windowDc);
    ::GdiFlush();
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    image.rgb.resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i)
    {
        image.rgb[i * 3] = bgrx[i * 4 + 2];
        image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        image.rgb[i * 3 + 2] = bgrx[i * 4];
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    if (!pngPath.empty() && !WritePng(image, pngPath))
        throw DriverError("cannot write " + pngPath);
    return image;
}

// Cancel to every enabled window, innermost modal first by nature (the others are
// disabled), until the modal run returns; a run that will not end ends the process.
void Ui::CloseAll()
{
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (!m_modalEnded)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            std::fprintf(stderr, "driver: the dialogs would not close; ending the test process\n");
            std::fflush(stderr);
            ::ExitProcess(3);
        }
        for (HWND hWnd : TopLevelWindows(m_uiThreadId))
            if (::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd))
                ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return m_modalEnded.load(); });
    }
}

// --- ScriptThread ---

namespace
{
// One thread runs every script, one after another, and waits for the next until the
// process ends. With a thread per script, that thread and the one gtest starts to watch it
// (at its first assertion) were often still ending as the test process ended, which now
// and then crashed Wine 8 there (SIGSEGV after the tests had passed).
class ScriptRunner
{
public:
    ScriptRunner() { std::thread([this] { Serve(); }).detach(); }

    void Start(std::function<void()> job)
    {
        std::lock_guard lock(m_mutex);
        m_job = std::move(job);
        m_changed.notify_all();
    }

    void WaitUntilDone()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_job; });
    }

private:
    void Serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;)
        {
            m_changed.wait(lock, [&] { return static_cast<bool>(m_job); });
            lock.unlock();
            m_job(); // left alone by the others until it is cleared
            lock.lock();
            m_job = nullptr;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job; // the script running, if any
};

ScriptRunner& Runner()
{
    static ScriptRunner* runner = new ScriptRunner; // never destroyed: its thread waits in it
    return *runner;
}
} // namespace

ScriptThread::ScriptThread(std::function<void(Ui&)> script) : m_ui(std::make_unique<Ui>(::GetCurrentThreadId()))
{
    Runner().Start([ui = m_ui.get(), script = std::move(script)] {
        bool failed = false;
        try
        {
            script(*ui);
        }
        catch (const std::exception& error)
        {
            ADD_FAILURE() << "driver: " << error.what() << "\n  shown then: " << ui->Scene();
            failed = true;
        }
        catch (...)
        {
            ADD_FAILURE() << "driver: the script threw";
            failed = true;
        }
        if (!failed && !::testing::Test::HasFatalFailure())
        {
            try
            {
                ui->WaitUntilModalEnded();
            }
            catch (const DriverError& error)
            {
                ADD_FAILURE() << "driver: the script ended, but " << error.what();
            }
        }
        ui->CloseAll();
    });
}

ScriptThread::~ScriptThread()
{
    m_ui->MarkModalEnded();
    Runner().WaitUntilDone();
}
} // namespace driver
