#include "MessageMap.h"

namespace
{
bool Takes(const CMessageEntry& entry, UINT message, WPARAM wParam, bool fallback)
{
    switch (entry.kind)
    {
    case CMessageEntry::Kind::Command:
        return !fallback && message == WM_COMMAND && entry.code == LOWORD(wParam);
    case CMessageEntry::Kind::AnyCommand:
        return fallback && message == WM_COMMAND;
    case CMessageEntry::Kind::Message:
        return !fallback && message == entry.code;
    }
    return false;
}
} // namespace

bool CCmdTarget::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool fallback, INT_PTR& result)
{
    for (const CMessageMap* map = GetMessageMap(); map != nullptr; map = map->pBase)
    {
        for (const CMessageEntry& entry : map->entries)
        {
            if (Takes(entry, message, wParam, fallback))
            {
                result = entry.call(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}
