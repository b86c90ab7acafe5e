// The resources compiled into Mortarix.exe, read back from the file and held against
// the catalogue and the intended layout, so the script and the tables cannot drift.
#include "Catalogue.h"
#include "DialogTemplate.h"
#include "ProgramFile.h"
#include "Version.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr DWORD kChildStatic = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP; // 0x50020000
constexpr DWORD kIcon = WS_CHILD | WS_VISIBLE | SS_ICON;                  // 0x50000003
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

void ExpectItem(const DialogItem& item, const char* text, DWORD style)
{
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.style, style) << text;
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
        EXPECT_EQ(dialog.style, 0x80CA00C0u) << "popup, caption, system menu, minimise box, modal frame";
        ExpectFont(dialog);
        ASSERT_EQ(IdsOf(dialog), CircleTabOrder(circle)) << "controls or their tab order differ";
        ExpectItem(dialog.items[0], "OK", kDefaultButton);
        ExpectItem(dialog.items[1], "Cancel", kButton);
        ExpectItem(dialog.items[18], "Spell", kChildStatic);
        ExpectItem(dialog.items[19], "Quantity", kChildStatic);
        EXPECT_EQ(dialog.items[20].textOrdinal, IDR_MAINFRAME);
        EXPECT_EQ(dialog.items[20].style, kIcon);

        for (const SpellInfo& spell : circle.spells)
        {
            const DialogItem* box = dialog.Find(spell.checkBoxId);
            const DialogItem* field = dialog.Find(spell.quantityFieldId);
            EXPECT_EQ(box->className, "Button") << spell.caption;
            EXPECT_EQ(box->text, spell.caption) << "check box " << spell.checkBoxId;
            EXPECT_EQ(box->style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX) << spell.caption;
            EXPECT_EQ(field->className, "Edit") << spell.caption;
            EXPECT_EQ(field->style, 0x58810080u) << spell.caption << ": a disabled, bordered, scrolling field";
            EXPECT_EQ(field->exStyle, static_cast<DWORD>(WS_EX_RIGHT)) << spell.caption;
            EXPECT_EQ(box->box.y, field->box.y + 2) << spell.caption << ": box and field on one row";
        }
        // Rows run top to bottom in catalogue order.
        for (std::size_t row = 1; row < circle.spells.size(); ++row)
            EXPECT_LT(dialog.Find(circle.spells[row - 1].checkBoxId)->box.y, dialog.Find(circle.spells[row].checkBoxId)->box.y)
                << "row " << row + 1 << " is not below row " << row;
    }
}

// Each count field is a read-only number followed by its label.
TEST_F(ProgramResources, MainTemplateMatchesTheCatalogue)
{
    const DialogTemplate dialog = Dialog(IDD_MORTARIX_DIALOG);
    EXPECT_EQ(dialog.caption, "Mortarix");
    EXPECT_EQ(dialog.style, 0x90CB00C0u) << "visible, so it opens at its template position";
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.box, (Box{0, 0, 392, 167}));
    ExpectFont(dialog);
    ASSERT_GE(dialog.items.size(), 2u);
    ExpectItem(dialog.items[0], "OK", kDefaultButton);
    ExpectItem(dialog.items[1], "Cancel", kButton);

    struct Count
    {
        int id;
        const char* label;
    };
    std::vector<Count> counts;
    for (const ReagentInfo& reagent : Reagents())
        counts.push_back({reagent.countFieldId, reagent.caption});
    counts.push_back({IDC_REAGENT_TOTAL, "Total Number of Reagents"});
    counts.push_back({IDC_SPELL_TOTAL, "Total Number of Spells Selected"});
    for (const Count& count : counts)
    {
        const int index = dialog.IndexOf(count.id);
        ASSERT_GE(index, 0) << "no field for " << count.label;
        ASSERT_LT(index + 1, static_cast<int>(dialog.items.size()));
        const DialogItem& field = dialog.items[static_cast<std::size_t>(index)];
        EXPECT_EQ(field.className, "Edit") << count.label;
        EXPECT_EQ(field.style, 0x50810880u) << count.label << ": a read-only, bordered, scrolling field";
        EXPECT_EQ(field.exStyle, static_cast<DWORD>(WS_EX_RIGHT)) << count.label;
        ExpectItem(dialog.items[static_cast<std::size_t>(index) + 1], count.label, kChildStatic);
    }
    for (const CircleInfo& circle : Circles())
    {
        const DialogItem* button = dialog.Find(circle.buttonId);
        ASSERT_NE(button, nullptr) << "no button for " << circle.caption;
        ExpectItem(*button, circle.buttonCaption, kButton);
    }
    const DialogItem* clearAll = dialog.Find(IDC_CLEAR_ALL);
    ASSERT_NE(clearAll, nullptr);
    ExpectItem(*clearAll, "Clear All", kButton);
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
