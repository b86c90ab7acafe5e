// Command maps: one constant table per class from control ID or window message to a member
// handler, chained to the base class's table and read by one dispatcher.
//
//     const CMessageMap* CMyDlg::GetMessageMap() const
//     {
//         static const CMessageEntry entries[] = {
//             Command<&CMyDlg::OnApply>(IDC_APPLY),          // void OnApply()
//             AnyCommand<&CMyDlg::OnOtherClick>(),           // void OnOtherClick(UINT id)
//             Message<&CMyDlg::OnSysCommand>(WM_SYSCOMMAND), // INT_PTR OnSysCommand(WPARAM, LPARAM)
//         };
//         static const CMessageMap map{CDialog::GetMessageMap(), entries};
//         return &map;
//     }
#pragma once

#include <windows.h>

#include <span>

class CCmdTarget;

struct CMessageEntry
{
    enum class Kind
    {
        Command,    // WM_COMMAND from one control ID
        AnyCommand, // WM_COMMAND from any ID no exact entry claims
        Message,    // one window message
    };

    Kind kind;
    UINT code; // the control ID for Command, the message for Message
    INT_PTR (*call)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct CMessageMap
{
    const CMessageMap* pBase; // the base class's map, or null
    std::span<const CMessageEntry> entries;
};

// Anything with a command map: the dialogs and the application.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;
    virtual const CMessageMap* GetMessageMap() const { return nullptr; }

    // Calls the handler of the first entry in the map chain that takes the message:
    // exact entries only, or AnyCommand fallbacks only. False when none does.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool fallback, INT_PTR& result);
};

namespace MessageMapDetail
{
template <class Handler>
struct MemberOf;
template <class C, class R, class... Args>
struct MemberOf<R (C::*)(Args...)>
{
    using Class = C;
};
template <class C, class R, class... Args>
struct MemberOf<R (C::*)(Args...) noexcept>
{
    using Class = C;
};

// The object whose map holds the entry is of the handler's class (or derived from it),
// so this is an ordinary downcast.
template <auto Handler>
auto& Object(CCmdTarget& target)
{
    return static_cast<typename MemberOf<decltype(Handler)>::Class&>(target);
}
} // namespace MessageMapDetail

// void Handler(): a click (WM_COMMAND, notification 0) on control `id`.
template <auto Handler>
CMessageEntry Command(UINT id)
{
    return {CMessageEntry::Kind::Command, id, [](CCmdTarget& target, WPARAM, LPARAM) -> INT_PTR {
                (MessageMapDetail::Object<Handler>(target).*Handler)();
                return TRUE;
            }};
}

// void Handler(UINT id): a click on any control that no exact entry claims.
template <auto Handler>
CMessageEntry AnyCommand()
{
    return {CMessageEntry::Kind::AnyCommand, 0, [](CCmdTarget& target, WPARAM wParam, LPARAM) -> INT_PTR {
                (MessageMapDetail::Object<Handler>(target).*Handler)(LOWORD(wParam));
                return TRUE;
            }};
}

// INT_PTR Handler(WPARAM, LPARAM): window message `message`; the handler's result is the
// dialog procedure's (FALSE: default handling).
template <auto Handler>
CMessageEntry Message(UINT message)
{
    return {CMessageEntry::Kind::Message, message, [](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> INT_PTR {
                return (MessageMapDetail::Object<Handler>(target).*Handler)(wParam, lParam);
            }};
}
