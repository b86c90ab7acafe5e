// The fixed catalogue: eight reagents, eight circles of eight spells, and the
// captions and control IDs under which the dialogs show them.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

enum class Reagent : std::uint8_t
{
    BlackPearl,
    Garlic,
    BloodMoss,
    Ginseng,
    MandrakeRoot,
    Nightshade,
    SulphurousAsh,
    SpiderSilk,
};

inline constexpr int kReagentCount = 8;
inline constexpr int kCircleCount = 8;
inline constexpr int kRowCount = 8; // spells per circle

// Circle and row both count from 1, as the user sees them.
struct SpellRef
{
    int circle;
    int row;
    friend constexpr bool operator==(SpellRef, SpellRef) = default;
};

// One bit per reagent, bit n for the reagent in counter position n.
class ReagentSet
{
public:
    constexpr ReagentSet(std::initializer_list<Reagent> reagents)
    {
        for (Reagent r : reagents)
            m_bits = static_cast<std::uint8_t>(m_bits | Bit(r));
    }
    constexpr bool Contains(Reagent r) const { return (m_bits & Bit(r)) != 0; }
    constexpr int Size() const
    {
        int n = 0;
        for (std::uint8_t b = m_bits; b != 0; b = static_cast<std::uint8_t>(b & (b - 1)))
            ++n;
        return n;
    }

private:
    static constexpr std::uint8_t Bit(Reagent r) { return static_cast<std::uint8_t>(1u << static_cast<int>(r)); }
    std::uint8_t m_bits = 0;
};

struct ReagentInfo
{
    Reagent reagent;
    const char* caption;
    int countFieldId; // read-only count field of the main dialog
};

struct SpellInfo
{
    SpellRef ref;
    const char* caption; // also the check box text
    int checkBoxId;
    int quantityFieldId;
    ReagentSet reagents; // one unit of each per cast
};

struct CircleInfo
{
    int number;
    int templateId;
    const char* caption;
    const char* buttonCaption;
    int buttonId; // main-dialog button that opens the circle
    std::array<SpellInfo, kRowCount> spells; // in row order, top to bottom
};

// Reagents in counter order, the order the main dialog shows and the totals hold them.
std::span<const ReagentInfo, kReagentCount> Reagents();
const ReagentInfo& ReagentOf(Reagent reagent);

// Circles 1 to 8, in order.
std::span<const CircleInfo, kCircleCount> Circles();
const CircleInfo& CircleOf(int circle);
const SpellInfo& SpellOf(SpellRef spell);

// The row (1 to 8) of the circle whose check box has this control ID, or 0 if none has.
int RowOfCheckBox(int circle, int controlId);
