#include "DataExchange.h"

#include "FrameworkRes.h"
#include "WinApp.h"

#include <climits>
#include <cstdint>

void CDataExchange::Fail(int id, UINT idMessage)
{
    m_bFailed = true;
    // The field takes the focus before the message too: the dialog gives it back to the
    // control that had it when the message box took over, and under Wine that can happen
    // after the box has returned.
    CWnd field = Field(id);
    auto focusField = [&] {
        field.SetFocus();
        field.SendMessage(EM_SETSEL, 0, -1);
    };
    focusField();
    CWinApp::Get()->ShowMessage(m_dialog.m_hWnd, idMessage);
    focusField();
}

void DDX_Text(CDataExchange& dx, int id, CString& value)
{
    if (dx.Failed())
        return;
    if (dx.m_bSaveAndValidate)
        value = dx.Field(id).GetWindowText();
    else
        dx.Field(id).SetWindowText(value);
}

void DDX_Text(CDataExchange& dx, int id, int& value)
{
    if (dx.Failed())
        return;
    if (!dx.m_bSaveAndValidate)
    {
        dx.Field(id).SetWindowText(std::to_string(value));
        return;
    }
    if (std::optional<int> parsed = ParseInteger(dx.Field(id).GetWindowText()))
        value = *parsed;
    else
        dx.Fail(id, IDS_NOT_AN_INTEGER);
}

std::optional<int> ParseInteger(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
    {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    // Magnitudes are checked digit by digit, so even a long run of digits cannot overflow.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    for (char c : text)
    {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}
