// Drives real dialogs from a test the way a person would. A modal run blocks its thread,
// so the test's modal call runs on the test's own (UI) thread while a script acts on it
// from a second thread:
//
//     INT_PTR result = RunModal([&] { return dialog.DoModal(); }, [](Ui& ui) {
//         Window dlg = ui.WaitForDialog("Exchange");
//         ui.Type(dlg.Item(IDC_NAME), "Ada");
//         ui.Press(Key::Enter);
//     });
//
// Every wait is bounded. A step that cannot be done throws DriverError; RunModal reports it
// (and any fatal gtest failure of the script) as a test failure and closes whatever dialogs
// are still open, so the modal call returns.
#pragma once

#include "Png.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace driver
{
inline constexpr std::chrono::milliseconds kTimeout{10000};

struct DriverError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::vector<HWND> TopLevelWindows(DWORD threadId); // the thread's, topmost first
std::vector<HWND> Children(HWND parent);           // every descendant

// A window of the UI thread, seen from the script. Reading never changes anything.
class Window
{
public:
    Window() = default;
    explicit Window(HWND hWnd) : m_hWnd(hWnd) {}

    HWND Handle() const { return m_hWnd; }
    explicit operator bool() const { return m_hWnd != nullptr; }
    friend bool operator==(const Window&, const Window&) = default;

    Window Item(int id) const; // the control with that ID; throws when there is none
    Window Owner() const;
    int Id() const;
    std::string Text() const; // the whole text, whatever its length
    bool IsEnabled() const;
    bool IsVisible() const;
    bool IsChecked() const;
    DWORD Style() const;
    RECT Rect() const; // screen coordinates
    // A message sent and answered within the bound (throws otherwise).
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    std::string Describe() const; // for failure messages

private:
    HWND m_hWnd = nullptr;
};

struct MessageBoxSeen
{
    Window window;
    std::string caption;
    std::string text;
};

enum class Key
{
    Enter,
    Escape,
    Tab,
    F1
};

// The script's view of the UI thread.
class Ui
{
public:
    explicit Ui(DWORD uiThreadId);
    ~Ui();
    Ui(const Ui&) = delete;
    Ui& operator=(const Ui&) = delete;

    // Returns once the UI thread has handled everything posted before, what that posted in
    // turn and the painting it caused; at once when the modal run is over.
    void Sync();

    // Waits for a shown dialog of the UI thread with this caption (initialised by then).
    Window WaitForDialog(std::string_view caption);
    void WaitUntilGone(const Window& window);
    // Waits for a message box owned by `owner` and reads it.
    MessageBoxSeen WaitForMessageBox(const Window& owner);
    // Presses the message box's default button and waits until it and its aftermath are done.
    void Dismiss(const MessageBoxSeen& box);

    // A click whose handling returns at once (not one that opens a modal window).
    void Click(const Window& control);
    // A click that opens a modal window: posted, and synchronised.
    void PostClick(const Window& control);
    // A click that opens the dialog `caption`, which is returned once shown.
    Window ClickOpening(const Window& control, std::string_view caption);

    // Keystrokes (WM_CHAR) to the focused control, or to a given (enabled) field.
    void Type(std::string_view text);
    void Type(const Window& field, std::string_view text);
    // A key pressed and released at the focused control, through the dialog manager.
    void Press(Key key);
    // The close box of a dialog.
    void CloseBox(const Window& dialog);

    Window Focus(); // the UI thread's focused window
    // The UI thread's shown windows, topmost first, and the focus: for failure messages.
    std::string Scene() const;
    // What the window shows; saved as PNG when a path is given.
    Image Screenshot(const Window& window, const std::string& pngPath = {});

    void WaitUntilModalEnded();

    // Driver internals, used by RunModal and the message hook.
    void MarkModalEnded();
    void CloseAll();
    void OnMessageRetrieved(MSG& msg); // on the UI thread

private:
    void Settled(long marker);
    void PostAndSync(const Window& target, UINT message, WPARAM wParam, LPARAM lParam);
    GUITHREADINFO ThreadInfo() const;
    void Activate();
    Window Target(); // where keystrokes go: the focus, else the active window
    template <class Found>
    auto WaitFor(const std::string& what, Found found) -> decltype(found());

    DWORD m_uiThreadId;
    HHOOK m_hook;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    long m_markersPosted = 0;
    long m_markersSeen = 0;
    UINT_PTR m_idleTimer = 0; // UI thread only
    long m_idleMarker = 0;    // UI thread only
    std::atomic<bool> m_modalEnded{false};
};

// Runs the script on the driver's script thread for as long as it lives; on destruction
// (once the modal call has returned) marks the modal run over and waits for the script.
class ScriptThread
{
public:
    explicit ScriptThread(std::function<void(Ui&)> script);
    ~ScriptThread();
    ScriptThread(const ScriptThread&) = delete;
    ScriptThread& operator=(const ScriptThread&) = delete;

private:
    std::unique_ptr<Ui> m_ui;
};

// Calls `modal` on this thread while `script` drives it; returns what `modal` returned.
template <class Modal>
auto RunModal(Modal&& modal, std::function<void(Ui&)> script)
{
    ScriptThread scriptThread(std::move(script));
    return std::forward<Modal>(modal)();
}
} // namespace driver
