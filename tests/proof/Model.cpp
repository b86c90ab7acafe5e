#include "Model.h"

#include "ExpectedCatalogue.h"
#include "ReferenceQuantity.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace model
{

Numbers TotalsOf(const std::array<CircleTexts, kCircles>& texts)
{
    std::array<std::int64_t, kShownCount> exact{};
    for (const expected::SpellRow& spell : expected::kSpells)
    {
        const std::int64_t value =
            reference::QuantityValue(texts[static_cast<std::size_t>(spell.circle - 1)][static_cast<std::size_t>(spell.row - 1)]);
        const std::vector<Reagent> reagents = expected::ReagentList(spell.reagents).value();
        for (Reagent reagent : reagents)
        {
            exact[static_cast<std::size_t>(reagent)] += value;
            exact[8] += value;
        }
        exact[9] += value;
    }
    Numbers numbers{};
    for (std::size_t i = 0; i < kShownCount; ++i)
        numbers[i] = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            exact[i], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    return numbers;
}

const std::string& Program::Stored(int circle, int row) const
{
    return m_stored[Index(circle)][Index(row)];
}

void Program::OpenCircle(int circle, const std::array<std::size_t, kRows>& limits)
{
    if (m_nCircle != 0)
        throw std::logic_error("a circle is already open");
    m_nCircle = circle;
    m_opened = m_stored[Index(circle)];
    m_ticked.fill(false);
    m_nFocusRow = 0; // OK has it
    LoadFields();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
    {
        m_fields[i].enabled = false;
        m_fields[i].limit = limits[i];
    }
}

void Program::ClearAll()
{
    for (CircleTexts& circle : m_stored)
        circle.fill({});
    m_shown.fill(0);
}

// Writing a field's text leaves the caret at its start.
void Program::LoadFields()
{
    const CircleTexts& stored = m_stored[Index(m_nCircle)];
    for (std::size_t i = 0; i < m_fields.size(); ++i)
    {
        m_fields[i].text = stored[i];
        m_fields[i].selStart = m_fields[i].selEnd = 0;
    }
}

// The click gives the box the focus; ticking hands it on to the row's field, which keeps
// its text and its caret. Unticking saves every field, empties the row and reloads all.
void Program::ClickBox(int row)
{
    const std::size_t i = Index(row);
    m_nFocusRow = 0;
    if (!m_ticked[i])
    {
        m_ticked[i] = true;
        m_fields[i].enabled = true;
        m_nFocusRow = row;
        return;
    }
    CircleTexts& stored = m_stored[Index(m_nCircle)];
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        stored[k] = m_fields[k].text;
    m_ticked[i] = false;
    m_fields[i].enabled = false;
    stored[i].clear();
    LoadFields();
}

Field& Program::Focused()
{
    if (m_nFocusRow == 0)
        throw std::logic_error("no field has the focus");
    return m_fields[Index(m_nFocusRow)];
}

std::size_t Program::Type(std::string_view characters)
{
    Field& field = Focused();
    const std::size_t kept = field.text.size() - (field.selEnd - field.selStart);
    const std::size_t room = field.limit > kept ? field.limit - kept : 0;
    characters = characters.substr(0, room);
    field.text.replace(field.selStart, field.selEnd - field.selStart, characters);
    field.selStart = field.selEnd = field.selStart + characters.size();
    return characters.size();
}

void Program::Backspace()
{
    Field& field = Focused();
    if (field.selStart == field.selEnd && field.selStart > 0)
        --field.selStart;
    field.text.erase(field.selStart, field.selEnd - field.selStart);
    field.selEnd = field.selStart;
}

void Program::Home()
{
    Field& field = Focused();
    field.selStart = field.selEnd = 0;
}

void Program::End()
{
    Field& field = Focused();
    field.selStart = field.selEnd = field.text.size();
}

void Program::SelectAll()
{
    Field& field = Focused();
    field.selStart = 0;
    field.selEnd = field.text.size();
}

// OK stores every field, disabled ones too, and the totals are worked out afresh.
void Program::Ok()
{
    CircleTexts& stored = m_stored[Index(m_nCircle)];
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        stored[k] = m_fields[k].text;
    m_shown = TotalsOf(m_stored);
    m_nCircle = 0;
}

// Whatever an untick saved midway is undone; the totals stay.
void Program::Cancel()
{
    m_stored[Index(m_nCircle)] = m_opened;
    m_nCircle = 0;
}

} // namespace model
