// What a screen reader announces for each number field of the running program: the
// field's accessible name, read from this process as a screen reader reads it, through
// MSAA and, where the system has it, UI Automation.
#include "Catalogue.h"
#include "DialogTemplate.h"
#include "RunningProgram.h"
#include "resource.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace
{

struct NamedField
{
    int id;
    std::string name; // what a sighted user reads for it
};

struct DialogFields
{
    const char* caption;
    int templateId;
    const CircleInfo* circle; // null for the main window
    std::vector<NamedField> fields;
};

// Text as a dialog shows it: "&&" is an ampersand, a lone "&" only marks the mnemonic.
std::string Shown(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '&' && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}

// What a sighted user reads for a circle's quantity field, from the template alone: the
// caption of the check box on its row, then the heading over its column.
std::string RowAndColumnName(const DialogTemplate& layout, int fieldId)
{
    const DialogItem* field = layout.Find(fieldId);
    if (!field)
        return "(not in the template)";
    const Box& f = field->box;
    const DialogItem* row = nullptr;
    const DialogItem* column = nullptr;
    for (const DialogItem& item : layout.items)
    {
        const Box& b = item.box;
        if (item.className == "Button" && (item.style & BS_TYPEMASK) == BS_AUTOCHECKBOX && b.y < f.y + f.cy &&
            f.y < b.y + b.cy)
            row = &item;
        if (item.className == "Static" && !item.text.empty() && b.x < f.x + f.cx && f.x < b.x + b.cx &&
            b.y + b.cy <= f.y && (!column || b.y > column->box.y))
            column = &item;
    }
    if (!row || !column)
        return "(no check box on its row or no heading over its column)";
    return Shown(row->text) + " " + Shown(column->text);
}

// Every number field: the main window's ten by the label its template puts beside each,
// each circle's quantity fields by their row's spell and their column's heading as the
// circle's template lays them out.
std::vector<DialogFields> NumberFields(HMODULE module, const DialogTemplate& main)
{
    std::vector<int> mainIds;
    for (const ReagentInfo& reagent : Reagents())
        mainIds.push_back(reagent.countFieldId);
    mainIds.insert(mainIds.end(), {IDC_SPELL_TOTAL, IDC_REAGENT_TOTAL});
    std::vector<DialogFields> dialogs{{"Mortarix", IDD_MORTARIX_DIALOG, nullptr, {}}};
    for (int id : mainIds)
        dialogs[0].fields.push_back({id, main.items.at(static_cast<std::size_t>(main.IndexOf(id)) + 1).text});
    for (const CircleInfo& circle : Circles())
    {
        const std::optional<DialogTemplate> layout = LoadDialogTemplate(module, circle.templateId);
        dialogs.push_back({circle.caption, circle.templateId, &circle, {}});
        for (const SpellInfo& spell : circle.spells)
            dialogs.back().fields.push_back(
                {spell.quantityFieldId, layout ? RowAndColumnName(*layout, spell.quantityFieldId) : "(no template)"});
    }
    return dialogs;
}

struct ComRelease
{
    void operator()(IUnknown* object) const { object->Release(); }
};
using ComPtr = std::unique_ptr<IUnknown, ComRelease>;

// The name as printable text (every expected name is plain ASCII), freeing the string.
std::string Printable(BSTR text)
{
    std::string printable;
    for (UINT i = 0; i < SysStringLen(text); ++i)
    {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(text[i]));
        printable += text[i] >= 0x20 && text[i] < 0x7F ? std::string(1, static_cast<char>(text[i])) : escaped;
    }
    SysFreeString(text);
    return printable;
}

std::string MsaaName(HWND field)
{
    IAccessible* accessible = nullptr;
    // Not IID_IAccessible: oleacc's import library names that too, as a function stub.
    if (FAILED(AccessibleObjectFromWindow(field, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return "(no object)";
    const ComPtr hold(accessible);
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    return accessible->get_accName(self, &name) == S_OK && name ? Printable(name) : "(none)";
}

// UI Automation is reached through vtable slots: the cross compiler's headers declare
// only its constants. Slots count IUnknown's three methods first.
constexpr CLSID kClsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID kIidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr int kElementFromHandleSlot = 6; // IUIAutomation
constexpr int kCurrentNameSlot = 23;      // IUIAutomationElement

template <class... Args>
HRESULT CallSlot(IUnknown* object, int slot, Args... args)
{
    using Method = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Args...);
    const Method* table = *reinterpret_cast<const Method* const*>(object);
    return table[slot](object, args...);
}

std::string UiaName(IUnknown* automation, HWND field)
{
    IUnknown* element = nullptr;
    if (FAILED(CallSlot(automation, kElementFromHandleSlot, field, &element)) || element == nullptr)
        return "(no element)";
    const ComPtr hold(element);
    BSTR name = nullptr;
    return CallSlot(element, kCurrentNameSlot, &name) == S_OK && name ? Printable(name) : "(none)";
}

std::string TextOf(HWND window)
{
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The IDs the focus visits as Tab is pressed, from OK until it is back on OK.
std::vector<int> TabWalk(const RunningProgram& program, std::size_t steps)
{
    std::vector<int> visited;
    HWND focus = FocusOf(program.ThreadId());
    while (focus && visited.size() < steps)
    {
        PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
        const HWND from = focus;
        if (!PollUntil([&] { return (focus = FocusOf(program.ThreadId())) != from; }, kEndTimeoutMs))
            break;
        visited.push_back(GetDlgCtrlID(focus) & 0xFFFF);
    }
    return visited;
}

// Screen readers take an edit field's name from the static text just before it in
// z-order: Windows skips hidden windows that are not statics and stops at a tab stop,
// Wine looks at the one window before. A hidden label placed there satisfies both.
TEST(AccessibleNames, EveryNumberFieldIsAnnouncedByItsOwnLabel)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> module(
        LoadLibraryExA(kProgramPath, nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
    ASSERT_TRUE(module) << "cannot open " << kProgramPath << " for its templates";
    const std::optional<DialogTemplate> mainTemplate = LoadDialogTemplate(module.get(), IDD_MORTARIX_DIALOG);
    ASSERT_TRUE(mainTemplate);

    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    struct Uninitialize
    {
        ~Uninitialize() { CoUninitialize(); }
    } uninitialize;
    IUnknown* created = nullptr;
    const HRESULT uia = CoCreateInstance(kClsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, kIidIUIAutomation,
                                         reinterpret_cast<void**>(&created));
    const ComPtr automation(SUCCEEDED(uia) ? created : nullptr);
    std::printf("UI Automation %s (0x%08lx)\n%-20s %5s  %-34s %s\n", automation ? "read" : "not available",
                static_cast<unsigned long>(uia), "dialog", "field", "MSAA name", "UIA name");

    RunningProgram program;
    ASSERT_TRUE(program.Started()) << "cannot start " << kProgramPath;
    HWND main = program.WaitForWindow("Mortarix");
    ASSERT_NE(main, nullptr) << "no main window appeared; " << program.State();
    for (const DialogFields& dialogFields : NumberFields(module.get(), *mainTemplate))
    {
        SCOPED_TRACE(dialogFields.caption);
        const std::optional<DialogTemplate> layout = LoadDialogTemplate(module.get(), dialogFields.templateId);
        ASSERT_TRUE(layout);
        HWND dialog = main;
        if (dialogFields.circle)
        {
            PostMessageA(GetDlgItem(main, dialogFields.circle->buttonId), BM_CLICK, 0, 0);
            dialog = program.WaitForWindow(dialogFields.caption);
            ASSERT_NE(dialog, nullptr) << "the circle did not open";
            for (const SpellInfo& spell : dialogFields.circle->spells)
                EXPECT_EQ(MsaaName(GetDlgItem(dialog, spell.checkBoxId)), spell.caption) << "a check box keeps its name";
        }

        for (const NamedField& field : dialogFields.fields)
        {
            HWND window = GetDlgItem(dialog, field.id);
            const std::string msaa = MsaaName(window);
            const std::string uiaName = automation ? UiaName(automation.get(), window) : "-";
            std::printf("%-20s %5d  %-34s %s\n", dialogFields.caption, field.id, ("\"" + msaa + "\"").c_str(),
                        automation ? ("\"" + uiaName + "\"").c_str() : "-");
            EXPECT_EQ(msaa, field.name) << "MSAA name of field " << field.id;
            if (automation)
            {
                EXPECT_EQ(uiaName, field.name) << "UI Automation name of field " << field.id;
            }

            HWND label = GetWindow(window, GW_HWNDPREV);
            const auto style = static_cast<DWORD>(GetWindowLongA(label, GWL_STYLE));
            EXPECT_TRUE(SendMessageA(label, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) << "no static text before " << field.id;
            EXPECT_EQ(TextOf(label), field.name);
            EXPECT_EQ(style & (WS_VISIBLE | WS_TABSTOP), 0u) << "the label of " << field.id << " shows or takes the focus";
            EXPECT_EQ(layout->Find(GetDlgCtrlID(label) & 0xFFFF), nullptr)
                << "the label of " << field.id << " has an ID the template uses";
        }

        // The template's controls are all there in their order, so the tab order holds;
        // the hidden labels are the only windows added, and Tab passes them by.
        std::vector<int> shown, templateIds, tabStops;
        std::size_t hidden = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        {
            if (IsWindowVisible(child))
                shown.push_back(GetDlgCtrlID(child) & 0xFFFF);
            else
                ++hidden;
        }
        for (const DialogItem& item : layout->items)
        {
            templateIds.push_back(item.id);
            if ((item.style & (WS_TABSTOP | WS_DISABLED)) == WS_TABSTOP)
                tabStops.push_back(item.id);
        }
        EXPECT_EQ(shown, templateIds);
        EXPECT_EQ(hidden, dialogFields.fields.size());
        ASSERT_FALSE(tabStops.empty());
        std::rotate(tabStops.begin(), tabStops.begin() + 1, tabStops.end()); // from OK back to OK
        EXPECT_EQ(TabWalk(program, tabStops.size()), tabStops) << "tab order";

        if (dialog != main)
        {
            PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            ASSERT_TRUE(program.WaitUntilGone(dialog)) << "the circle did not close";
        }
    }
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.Ended(kEndTimeoutMs)) << "the program did not end when its window closed";
}

} // namespace
