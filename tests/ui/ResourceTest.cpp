// The resources compiled into Mortarix.exe, read back from the file and held against
// the catalogue and the intended layout, so the script and the tables cannot drift.
#include "Catalogue.h"
#include "DialogTemplate.h"
#include "ProgramFile.h"
#include "Version.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr DWORD kChildStatic = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP; // 0x50020000
constexpr DWORD kIcon = WS_CHILD | WS_VISIBLE | SS_ICON;                  // 0x50000003
constexpr DWORD kGroupBox = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;          // 0x50000007
constexpr DWORD kDefaultButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr int kNoId = 0xFFFF;

class ProgramResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_module = LoadLibraryExA(kProgramPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (s_module)
            FreeLibrary(s_module);
        s_module = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr) << "cannot open " << kProgramPath << " for its resources"; }

    static DialogTemplate Dialog(int id)
    {
        const std::optional<DialogTemplate> dialog = LoadDialogTemplate(s_module, id);
        EXPECT_TRUE(dialog.has_value()) << "dialog template " << id << " is missing or unreadable";
        return dialog.value_or(DialogTemplate{});
    }

    static void ExpectFont(const DialogTemplate& dialog)
    {
        EXPECT_EQ(dialog.typeface, "MS Sans Serif") << dialog.caption;
        EXPECT_EQ(dialog.pointSize, 8) << dialog.caption;
    }

    static inline HMODULE s_module = nullptr;
};

void ExpectItem(const DialogItem& item, const char* text, DWORD style, Box box)
{
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.style, style) << text;
    EXPECT_EQ(item.box, box) << text;
}

// Geometry of the circle dialogs in dialog units.
struct CircleLayout
{
    int firstCircle, lastCircle;
    int width, height;
    int buttonX, quantityX, spellX, fieldX, boxX, firstFieldY, rowStep;
    Box icon;
};

constexpr CircleLayout kCircleLayouts[] = {
    {1, 1, 173, 229, 139, 19, 61, 19, 63, 26, 24, {145, 200, 21, 20}},
    {2, 2, 172, 229, 138, 29, 83, 27, 83, 23, 25, {144, 202, 21, 20}},
    {3, 3, 176, 230, 142, 21, 71, 19, 71, 25, 25, {148, 203, 21, 20}},
    {4, 8, 176, 230, 142, 21, 71, 19, 71, 25, 25, {148, 203, 20, 20}},
};

constexpr int kBoxWidths[kCircleCount][kRowCount] = {
    {65, 38, 55, 52, 31, 55, 51, 43},
    {34, 42, 31, 33, 52, 59, 48, 43},
    {33, 38, 53, 37, 51, 42, 39, 59},
    {45, 62, 34, 44, 56, 45, 53, 36},
    {55, 52, 45, 69, 49, 43, 54, 72},
    {35, 52, 46, 45, 32, 53, 59, 39},
    {65, 55, 51, 53, 61, 54, 61, 49},
    {53, 60, 56, 86, 72, 95, 89, 77},
};

const CircleLayout& LayoutOf(int circle)
{
    for (const CircleLayout& layout : kCircleLayouts)
        if (circle >= layout.firstCircle && circle <= layout.lastCircle)
            return layout;
    throw std::out_of_range("no layout for circle " + std::to_string(circle));
}

// Tab order: OK, Cancel, rows 1 and 2 as box then field, boxes 3 to 8, fields 3 to 8,
// the two headings and the icon.
std::vector<int> CircleTabOrder(const CircleInfo& circle)
{
    const auto& s = circle.spells;
    std::vector<int> ids = {IDOK, IDCANCEL, s[0].checkBoxId, s[0].quantityFieldId, s[1].checkBoxId, s[1].quantityFieldId};
    for (std::size_t row = 2; row < s.size(); ++row)
        ids.push_back(s[row].checkBoxId);
    for (std::size_t row = 2; row < s.size(); ++row)
        ids.push_back(s[row].quantityFieldId);
    ids.insert(ids.end(), {kNoId, kNoId, kNoId});
    return ids;
}

std::vector<int> IdsOf(const DialogTemplate& dialog)
{
    std::vector<int> ids;
    for (const DialogItem& item : dialog.items)
        ids.push_back(item.id);
    return ids;
}

TEST_F(ProgramResources, CircleTemplatesMatchTheCatalogue)
{
    for (const CircleInfo& circle : Circles())
    {
        SCOPED_TRACE(circle.caption);
        const DialogTemplate dialog = Dialog(circle.templateId);
        EXPECT_EQ(dialog.caption, circle.caption);
        ASSERT_EQ(IdsOf(dialog), CircleTabOrder(circle)) << "controls or their tab order differ";
        for (const SpellInfo& spell : circle.spells)
        {
            const DialogItem* box = dialog.Find(spell.checkBoxId);
            ASSERT_NE(box, nullptr) << spell.caption;
            EXPECT_EQ(box->className, "Button") << spell.caption;
            EXPECT_EQ(box->text, spell.caption) << "check box " << spell.checkBoxId;
            EXPECT_EQ(dialog.Find(spell.quantityFieldId)->className, "Edit") << spell.caption;
        }
        // Rows run top to bottom in catalogue order.
        for (std::size_t row = 1; row < circle.spells.size(); ++row)
            EXPECT_LT(dialog.Find(circle.spells[row - 1].checkBoxId)->box.y, dialog.Find(circle.spells[row].checkBoxId)->box.y)
                << "row " << row + 1 << " is not below row " << row;
    }
}

TEST_F(ProgramResources, CircleTemplatesFollowTheLayout)
{
    for (const CircleInfo& circle : Circles())
    {
        SCOPED_TRACE(circle.caption);
        const CircleLayout& layout = LayoutOf(circle.number);
        const DialogTemplate dialog = Dialog(circle.templateId);
        ASSERT_EQ(dialog.items.size(), 21u);
        EXPECT_EQ(dialog.style, 0x80CA00C0u);
        EXPECT_EQ(dialog.exStyle, 0u);
        EXPECT_EQ(dialog.box, (Box{0, 0, layout.width, layout.height}));
        ExpectFont(dialog);

        ExpectItem(dialog.items[0], "OK", kDefaultButton, {layout.buttonX, 7, 27, 14});
        ExpectItem(dialog.items[1], "Cancel", kButton, {layout.buttonX, 24, 27, 14});

        for (const SpellInfo& spell : circle.spells)
        {
            const int row = spell.ref.row - 1;
            const int fieldY = layout.firstFieldY + row * layout.rowStep;
            const DialogItem* field = dialog.Find(spell.quantityFieldId);
            const DialogItem* box = dialog.Find(spell.checkBoxId);
            ASSERT_TRUE(field && box) << "the controls of " << spell.caption << " are missing";
            EXPECT_EQ(field->style, 0x58810080u) << spell.caption;
            EXPECT_EQ(field->exStyle, static_cast<DWORD>(WS_EX_RIGHT)) << spell.caption;
            EXPECT_EQ(field->box, (Box{layout.fieldX, fieldY, 30, 14})) << spell.caption;
            EXPECT_EQ(box->style, 0x50010003u) << spell.caption;
            EXPECT_EQ(box->box, (Box{layout.boxX, fieldY + 2, kBoxWidths[circle.number - 1][row], 10})) << spell.caption;
        }

        ExpectItem(dialog.items[18], "Spell", kChildStatic, {layout.spellX, 7, 16, 8});
        ExpectItem(dialog.items[19], "Quantity", kChildStatic, {layout.quantityX, 7, 27, 8});
        const DialogItem& icon = dialog.items[20];
        EXPECT_EQ(icon.textOrdinal, IDR_MAINFRAME);
        EXPECT_EQ(icon.style, kIcon);
        EXPECT_EQ(icon.box, layout.icon);
    }
}

// A read-only count field of the main dialog and the label that follows it.
struct CountField
{
    int id;
    Box field;
    const char* label;
    Box labelBox;
};

constexpr CountField kCountFields[] = {
    {1000, {152, 26, 28, 14}, "Black Pearl", {186, 29, 37, 8}},
    {1001, {248, 92, 28, 14}, "Sulphurous Ash", {280, 96, 50, 8}},
    {1002, {152, 48, 28, 14}, "Blood Moss", {186, 50, 38, 8}},
    {1003, {248, 26, 28, 14}, "Garlic", {280, 29, 19, 8}},
    {1004, {248, 48, 28, 14}, "Ginseng", {280, 50, 27, 8}},
    {1005, {152, 70, 28, 14}, "Mandrake Root", {186, 73, 50, 8}},
    {1006, {152, 92, 28, 14}, "Nightshade", {186, 95, 37, 8}},
    {1007, {248, 70, 28, 14}, "Spider Silk", {280, 73, 34, 8}},
    {1140, {141, 134, 40, 14}, "Total Number of Spells Selected", {104, 125, 102, 8}},
    {1141, {237, 134, 40, 14}, "Total Number of Reagents", {217, 125, 84, 8}},
};

TEST_F(ProgramResources, MainTemplateMatchesTheCatalogue)
{
    const DialogTemplate dialog = Dialog(IDD_MORTARIX_DIALOG);
    for (const ReagentInfo& reagent : Reagents())
    {
        const int index = dialog.IndexOf(reagent.countFieldId);
        ASSERT_GE(index, 0) << "no count field for " << reagent.caption;
        ASSERT_LT(index + 1, static_cast<int>(dialog.items.size()));
        EXPECT_EQ(dialog.items[static_cast<std::size_t>(index)].className, "Edit") << reagent.caption;
        EXPECT_EQ(dialog.items[static_cast<std::size_t>(index) + 1].text, reagent.caption) << "label after field " << reagent.countFieldId;
    }
    for (const CircleInfo& circle : Circles())
    {
        const DialogItem* button = dialog.Find(circle.buttonId);
        ASSERT_NE(button, nullptr) << "no button for " << circle.caption;
        EXPECT_EQ(button->text, circle.buttonCaption);
        EXPECT_EQ(button->style, kButton) << circle.buttonCaption;
    }
}

TEST_F(ProgramResources, MainTemplateFollowsTheLayout)
{
    const DialogTemplate dialog = Dialog(IDD_MORTARIX_DIALOG);
    EXPECT_EQ(dialog.caption, "Mortarix");
    EXPECT_EQ(dialog.style, 0x90CB00C0u);
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.box, (Box{0, 0, 392, 167}));
    ExpectFont(dialog);
    ASSERT_EQ(dialog.items.size(), 34u);
    EXPECT_EQ(dialog.items[0].id, IDOK);
    EXPECT_EQ(dialog.items[0].style, kDefaultButton);
    EXPECT_EQ(dialog.items[1].id, IDCANCEL);

    for (const CountField& expected : kCountFields)
    {
        const int index = dialog.IndexOf(expected.id);
        ASSERT_GE(index, 0) << "field " << expected.id << " is missing";
        const DialogItem& field = dialog.items[static_cast<std::size_t>(index)];
        const DialogItem& label = dialog.items[static_cast<std::size_t>(index) + 1];
        EXPECT_EQ(field.style, 0x50810880u) << "field " << expected.id;
        EXPECT_EQ(field.exStyle, static_cast<DWORD>(WS_EX_RIGHT)) << "field " << expected.id;
        EXPECT_EQ(field.box, expected.field) << "field " << expected.id;
        EXPECT_EQ(label.text, expected.label) << "label of field " << expected.id;
        EXPECT_EQ(label.style, kChildStatic) << expected.label;
        EXPECT_EQ(label.box, expected.labelBox) << expected.label;
    }

    const DialogItem* clearAll = dialog.Find(IDC_CLEAR_ALL);
    ASSERT_NE(clearAll, nullptr);
    EXPECT_EQ(clearAll->text, "Clear All");
    EXPECT_EQ(clearAll->box, (Box{35, 134, 50, 14}));
    int groups = 0;
    for (const DialogItem& item : dialog.items)
        groups += item.style == kGroupBox && (item.text == "Spells" || item.text == "Reagents Required");
    EXPECT_EQ(groups, 2) << "the two group boxes";
}

TEST_F(ProgramResources, AboutBoxTemplateShowsVersionAndClosesWithOk)
{
    const DialogTemplate dialog = Dialog(IDD_ABOUTBOX);
    EXPECT_EQ(dialog.caption, "About Mortarix");
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.box, (Box{0, 0, 235, 150}));
    ExpectFont(dialog);
    ASSERT_EQ(dialog.items.size(), 13u);
    EXPECT_EQ(dialog.items[0].textOrdinal, IDR_MAINFRAME);
    EXPECT_EQ(dialog.items[1].text, MORTARIX_ABOUT_VERSION);
    EXPECT_EQ(dialog.items[1].style, 0x50020080u) << "the version line shows '&' as it is";
    EXPECT_EQ(dialog.items[3].id, IDOK);
    EXPECT_EQ(dialog.items[3].style, 0x50030001u);
    int withId = 0;
    for (const DialogItem& item : dialog.items)
        withId += item.id != kNoId;
    EXPECT_EQ(withId, 1) << "only OK has an ID";
}

TEST_F(ProgramResources, StringTableHoldsTheAboutItem)
{
    char text[64] = {};
    ASSERT_GT(LoadStringA(s_module, IDS_ABOUTBOX, text, sizeof text), 0);
    EXPECT_STREQ(text, "&About Mortarix...");
}

// The icon group and its images as the program carries them.
TEST_F(ProgramResources, IconHasTwoSixteenColourImages)
{
    HRSRC group = FindResourceA(s_module, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(s_module, group)));
    ASSERT_NE(dir, nullptr);
    WORD count = 0;
    std::memcpy(&count, dir + 4, sizeof count);
    ASSERT_EQ(count, 2);

    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i)
    {
        const BYTE* entry = dir + 6 + 14 * i; // packed: w, h, colours, 0, planes, bits, bytes, id
        WORD bits = 0, id = 0;
        std::memcpy(&bits, entry + 6, sizeof bits);
        std::memcpy(&id, entry + 12, sizeof id);
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[0], entry[1]) << "image " << i << " is square";
        EXPECT_EQ(entry[2], 16) << "image " << i << " colours";
        EXPECT_EQ(bits, 4) << "image " << i << " bits per pixel";

        HRSRC image = FindResourceA(s_module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)); // RT_ICON
        ASSERT_NE(image, nullptr) << "image " << id;
        const auto* data = static_cast<BYTE*>(LockResource(LoadResource(s_module, image)));
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(data), SizeofResource(s_module, image), TRUE, 0x00030000,
                                              entry[0], entry[0], LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << "image " << id << " does not load as an icon";
        if (icon)
            DestroyIcon(icon);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

std::string VersionString(const std::vector<BYTE>& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "(missing)";
    return std::string(value, length > 0 && value[length - 1] == '\0' ? length - 1 : length);
}

TEST_F(ProgramResources, VersionRecordDescribesVersionOnePointOne)
{
    const DWORD size = GetFileVersionInfoSizeA(kProgramPath, nullptr);
    ASSERT_GT(size, 0u) << "no version record";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(kProgramPath, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, static_cast<DWORD>(VS_FF_DEBUG));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const struct
    {
        const char* name;
        const char* value;
    } strings[] = {
        {"FileDescription", "Mortarix MFC Application"},
        {"FileVersion", "1, 1, 0, 0"},
        {"InternalName", "Mortarix"},
        {"OriginalFilename", "Mortarix.EXE"},
        {"ProductName", "Mortarix Application"},
        {"ProductVersion", "1, 1, 0, 0"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(VersionString(info, s.name), s.value) << s.name;
    EXPECT_NE(VersionString(info, "CompanyName"), "(missing)");
    EXPECT_NE(VersionString(info, "LegalCopyright"), "(missing)");
}

} // namespace
