// What the user has chosen: one quantity text per spell, kept exactly as typed.
#pragma once

#include "Catalogue.h"

#include <array>
#include <string>

// One circle's eight quantity texts in row order: the circle dialog binds these to its fields.
using CircleQuantities = std::array<std::string, kRowCount>;

class Selection
{
public:
    CircleQuantities& Circle(int circle) { return m_circles[Index(circle)]; }
    const CircleQuantities& Circle(int circle) const { return m_circles[Index(circle)]; }

    std::string& Text(SpellRef spell) { return Circle(spell.circle)[Index(spell.row)]; }
    const std::string& Text(SpellRef spell) const { return Circle(spell.circle)[Index(spell.row)]; }

private:
    static std::size_t Index(int oneBased) { return static_cast<std::size_t>(oneBased - 1); }

    std::array<CircleQuantities, kCircleCount> m_circles;
};
