// Shared set-up of the in-process program tests: the real application object, dialogs
// and resources, driven through the dialog manager with the UI test driver.
#pragma once

#include "Driver.h"
#include "Mortarix.h"
#include "MortarixDlg.h"
#include "Totals.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override { theApp.m_selection = Selection{}; }
    void TearDown() override { theApp.m_pMainWnd = nullptr; }

    static void Store(SpellRef spell, std::string text) { theApp.m_selection.Text(spell) = std::move(text); }

    // Runs the main window as the program does, with `script` acting on it; the script
    // closes it. Returns the end code.
    INT_PTR RunMain(const std::function<void(driver::Ui&, const driver::Window&)>& script)
    {
        CMortarixDlg dialog;
        theApp.m_pMainWnd = &dialog;
        const INT_PTR result = driver::RunModal([&] { return dialog.DoModal(); }, [&](driver::Ui& ui) {
            script(ui, ui.WaitForDialog("Mortarix"));
        });
        theApp.m_pMainWnd = nullptr;
        return result;
    }

    static driver::Window OpenCircle(driver::Ui& ui, const driver::Window& main, int circle)
    {
        return ui.ClickOpening(main.Item(CircleOf(circle).buttonId), CircleOf(circle).caption);
    }

    static driver::Window Box(const driver::Window& circle, SpellRef spell)
    {
        return circle.Item(SpellOf(spell).checkBoxId);
    }

    static driver::Window Field(const driver::Window& circle, SpellRef spell)
    {
        return circle.Item(SpellOf(spell).quantityFieldId);
    }

    // Ticks a spell's box and types its quantity into the field that ticking opened.
    static void TickAndType(driver::Ui& ui, const driver::Window& circle, SpellRef spell, const std::string& quantity)
    {
        ui.Click(Box(circle, spell));
        ui.Type(quantity);
    }

    // The ten fields of the main window: the reagents in counter order, then the reagent
    // total and the spell total.
    static std::array<std::string, 10> Shown(const driver::Window& main)
    {
        std::array<std::string, 10> shown;
        for (std::size_t i = 0; i < kReagentCount; ++i)
            shown[i] = main.Item(Reagents()[i].countFieldId).Text();
        shown[8] = main.Item(IDC_REAGENT_TOTAL).Text();
        shown[9] = main.Item(IDC_SPELL_TOTAL).Text();
        return shown;
    }

    // What the ten fields should show: the counts named, 0 for the other reagents, and
    // the two totals.
    static std::array<std::string, 10> Showing(std::initializer_list<std::pair<Reagent, int>> counts, int reagentTotal,
                                               int spellTotal)
    {
        std::array<std::string, 10> shown;
        shown.fill("0");
        for (const auto& [reagent, count] : counts)
            shown[static_cast<std::size_t>(reagent)] = std::to_string(count);
        shown[8] = std::to_string(reagentTotal);
        shown[9] = std::to_string(spellTotal);
        return shown;
    }

    static std::array<std::string, 10> Zeros() { return Showing({}, 0, 0); }
};
