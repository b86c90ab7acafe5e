// What the proof tests add to the program tests: the rest of what a person does in a
// quantity field (pasting, editing keys, selecting), the ways a dialog closes, and the
// numbers the main window shows.
#pragma once

#include "ExpectedCatalogue.h"
#include "Model.h"
#include "ProgramTest.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

class ProofTest : public ProgramTest
{
public:
    using ProgramTest::Box;
    using ProgramTest::Field;
    using ProgramTest::OpenCircle;
    using ProgramTest::Shown;

    enum class Closing
    {
        OkButton,
        Enter,
        CancelButton,
        Escape,
        CloseBox
    };
    static constexpr Closing kClosings[] = {Closing::OkButton, Closing::Enter, Closing::CancelButton, Closing::Escape,
                                            Closing::CloseBox};
    static bool Keeps(Closing how) { return how == Closing::OkButton || how == Closing::Enter; }
    static const char* Name(Closing how);
    // Closes a circle dialog or the About box and waits until it is gone.
    static void Close(driver::Ui& ui, const driver::Window& dialog, Closing how);

    static void SetClipboard(std::string_view text);
    // Puts `text` on the clipboard and presses Ctrl+V in the focused control.
    static void Paste(driver::Ui& ui, std::string_view text);
    // A key pressed and released in the focused control (Home, End, Backspace, ...).
    static void PressKey(driver::Ui& ui, UINT virtualKey);
    // Selects the focused field's whole text, as dragging the mouse across it would.
    static void SelectAll(driver::Ui& ui);
    // Whether the field shows exactly `text`: one read, just long enough to see more.
    static bool Shows(const driver::Window& field, const std::string& text);
    // The field's selection as character positions; start == end is a plain caret.
    static std::pair<std::size_t, std::size_t> SelectionOf(const driver::Window& field);

    static driver::Window OpenAbout(driver::Ui& ui, const driver::Window& main);

    // The main window's ten fields: the reagents in counter order, the reagent total, the
    // spell total.
    static int ShownId(std::size_t i)
    {
        return i < std::size(expected::kReagents) ? expected::kReagents[i].countFieldId
                                                  : i == 8 ? IDC_REAGENT_TOTAL : IDC_SPELL_TOTAL;
    }
    // The main window's ten numbers as they must read.
    static std::array<std::string, 10> AsText(const model::Numbers& numbers);

    // A whole number from the environment, or `fallback` when it is not set.
    static std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback);
};
