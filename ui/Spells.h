// The dialog of one spell circle: tick spells, type how many casts of each.
#pragma once

#include "Dialog.h"
#include "Selection.h"

#include <array>

class CSpells : public CDialog
{
public:
    // The dialog shows and edits the circle's eight texts where the selection keeps them.
    CSpells(int circle, Selection& selection);

    // Per row: true while the box is unticked and the field disabled.
    std::array<bool, kRowCount> m_bOff{};
    // This circle's quantity texts in row order, owned by the selection.
    CircleQuantities& m_strQuantity;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnCancel() override;
    const CMessageMap* GetMessageMap() const override;

private:
    void OnCheckBox(UINT id);
    void OnSpellClicked(int row);

    int m_nCircle;
    // The texts as this opening found them, put back when it is cancelled.
    CircleQuantities m_strOpened;
};
