// One exchange between a dialog's members and its fields, in one direction, and the two
// bindings a dialog's DoDataExchange calls for each field.
#pragma once

#include "Wnd.h"

#include <optional>
#include <string_view>

class CDataExchange
{
public:
    CDataExchange(CWnd& dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd Field(int id) const { return m_dialog.GetDlgItem(id); }
    bool Failed() const { return m_bFailed; }
    // Refuses field `id`: tells the user why (framework string `idMessage`), puts the focus
    // and selection on the field, and ends this exchange.
    void Fail(int id, UINT idMessage);

    CWnd& m_dialog;
    const bool m_bSaveAndValidate; // true: fields to members

private:
    bool m_bFailed = false;
};

// The whole text of the field, both ways; never fails.
void DDX_Text(CDataExchange& dx, int id, CString& value);

// Signed decimal; on save the field must hold one integer of the signed 32-bit range.
void DDX_Text(CDataExchange& dx, int id, int& value);

// One signed decimal integer with blanks or tabs around it; nothing else, and nothing
// outside the signed 32-bit range.
std::optional<int> ParseInteger(std::string_view text);
