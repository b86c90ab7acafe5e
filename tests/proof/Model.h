// What the program must keep and show, worked out on its own from the rules: the 64
// stored texts, the state of every row while a circle is open, and the ten numbers of
// the main window. It shares nothing with the program but the hand-written catalogue
// and the reference conversion of the core tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace model
{

inline constexpr int kCircles = 8;
inline constexpr int kRows = 8;
inline constexpr std::size_t kShownCount = 10; // eight reagents, the reagent total, the spell total

using Numbers = std::array<std::int32_t, kShownCount>;
using CircleTexts = std::array<std::string, kRows>;

// The ten numbers for these 64 texts: exact sums, clamped to the 32-bit range at the end.
Numbers TotalsOf(const std::array<CircleTexts, kCircles>& texts);

// One quantity field of an open circle as a person sees it: its text, where the caret or
// selection is, whether it takes input, and how many characters it takes from the keyboard
// and the clipboard (an edit control's own limit; the program's writes pass it by).
struct Field
{
    std::string text;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    bool enabled = false;
    std::size_t limit = static_cast<std::size_t>(-1);
};

class Program
{
public:
    // --- Main window ---
    // `limits`: what each row's field takes from typing and pasting, as the field says.
    void OpenCircle(int circle, const std::array<std::size_t, kRows>& limits);
    void ClearAll();

    // --- An open circle; rows count from 1 ---
    void ClickBox(int row);
    // Keys that insert characters, at the caret or over the selection, as far as the
    // field's limit allows. Keystrokes reach only the focused field; FocusedRow() says
    // whether there is one. Returns how many characters went in.
    std::size_t Type(std::string_view characters);
    std::size_t Paste(std::string_view text) { return Type(text); }
    void Backspace();
    void Home();
    void End();
    void SelectAll();
    void Ok();     // OK, or Enter
    void Cancel(); // Cancel, Escape, or the close box

    // --- What the program should show ---
    int OpenCircleNumber() const { return m_nCircle; } // 0 while only the main window is up
    const Numbers& Shown() const { return m_shown; }
    const std::array<CircleTexts, kCircles>& Stored() const { return m_stored; }
    const std::string& Stored(int circle, int row) const;
    const Field& FieldOf(int row) const { return m_fields[Index(row)]; }
    bool Ticked(int row) const { return m_ticked[Index(row)]; }
    int FocusedRow() const { return m_nFocusRow; } // 0 when no field has the focus

private:
    static std::size_t Index(int oneBased) { return static_cast<std::size_t>(oneBased - 1); }
    Field& Focused();
    void LoadFields();

    std::array<CircleTexts, kCircles> m_stored;
    Numbers m_shown{};

    int m_nCircle = 0;
    CircleTexts m_opened; // the circle's stored texts as this opening found them
    std::array<bool, kRows> m_ticked{};
    std::array<Field, kRows> m_fields;
    int m_nFocusRow = 0;
};

} // namespace model
