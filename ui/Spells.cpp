#include "Spells.h"

#include "DataExchange.h"

CSpells::CSpells(int circle, Selection& selection)
    : CDialog(static_cast<UINT>(CircleOf(circle).templateId)),
      m_strQuantity(selection.Circle(circle)),
      m_nCircle(circle)
{
    m_bOff.fill(true);
}

const CMessageMap* CSpells::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        AnyCommand<&CSpells::OnCheckBox>(),
    };
    static const CMessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

BOOL CSpells::OnInitDialog()
{
    m_strOpened = m_strQuantity;
    // A quantity field has no label of its own: it is read as its row's spell under the
    // column heading.
    for (const SpellInfo& spell : CircleOf(m_nCircle).spells)
        NameItem(spell.quantityFieldId, CString(spell.caption) + " Quantity");
    return CDialog::OnInitDialog();
}

void CSpells::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    for (const SpellInfo& spell : CircleOf(m_nCircle).spells)
        DDX_Text(dx, spell.quantityFieldId, m_strQuantity[static_cast<std::size_t>(spell.ref.row - 1)]);
}

// An untick saves all eight fields into the store at once; cancelling must not keep that.
void CSpells::OnCancel()
{
    m_strQuantity = m_strOpened;
    CDialog::OnCancel();
}

// Clicks on every control without a handler of its own arrive here; only the check boxes count.
void CSpells::OnCheckBox(UINT id)
{
    if (const int row = RowOfCheckBox(m_nCircle, static_cast<int>(id)))
        OnSpellClicked(row);
}

// The box has already toggled its mark; m_bOff follows it, both starting unticked.
void CSpells::OnSpellClicked(int row)
{
    const auto index = static_cast<std::size_t>(row - 1);
    CWnd field = GetDlgItem(SpellOf({m_nCircle, row}).quantityFieldId);
    if (m_bOff[index])
    {
        // Plain focus, not the dialog's tab focus, so the text is not selected.
        field.EnableWindow(true);
        field.SetFocus();
        m_bOff[index] = false;
        return;
    }
    UpdateData(true);
    field.EnableWindow(false);
    m_strQuantity[index].clear();
    m_bOff[index] = true;
    UpdateData(false);
}
