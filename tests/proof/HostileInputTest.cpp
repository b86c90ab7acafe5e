// Texts no one should type into a quantity field, pasted and typed all the same: line
// breaks, a megabyte, every byte value. Nothing may crash or hang, what the field shows is
// what is stored, and the counts follow from the stored texts. A fault in a dialog
// procedure is swallowed silently under Wine, so every step is checked, not just the end.
#include "ProofTest.h"

#include "RandomText.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace driver;

namespace
{

constexpr int kCircle = 7;
constexpr std::size_t kEditDefaultLimit = 30000; // what an edit control takes unless told otherwise

class HostileInput : public ProofTest
{
protected:
    // Ticks the row, selects whatever its field holds and pastes `text` over it; returns
    // what the field then shows.
    static std::string PasteOver(Ui& ui, const Window& circle, int row, const std::string& text)
    {
        ui.Click(Box(circle, {kCircle, row}));
        SelectAll(ui);
        Paste(ui, text);
        return Field(circle, {kCircle, row}).Text();
    }

    static model::CircleTexts FieldTexts(const Window& circle)
    {
        model::CircleTexts texts;
        for (int r = 1; r <= kRowCount; ++r)
            texts[static_cast<std::size_t>(r - 1)] = Field(circle, {kCircle, r}).Text();
        return texts;
    }

    // After OK: the store holds exactly what the fields showed, and the main window the
    // totals of the whole store.
    static void ExpectStoredAndCounted(Ui& ui, const Window& main, const Window& circle,
                                       const model::CircleTexts& shown, const std::string& what)
    {
        Close(ui, circle, Closing::OkButton);
        std::array<model::CircleTexts, model::kCircles> stored;
        for (int c = 1; c <= kCircleCount; ++c)
            for (int r = 1; r <= kRowCount; ++r)
                stored[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)] =
                    theApp.m_selection.Text({c, r});
        for (int r = 1; r <= kRowCount; ++r)
        {
            const std::string& kept = stored[kCircle - 1][static_cast<std::size_t>(r - 1)];
            EXPECT_TRUE(kept == shown[static_cast<std::size_t>(r - 1)])
                << what << ": row " << r << " stores " << Escaped(kept) << " where its field showed "
                << Escaped(shown[static_cast<std::size_t>(r - 1)]);
        }
        EXPECT_EQ(Shown(main), AsText(model::TotalsOf(stored))) << what << ": the totals do not follow the stored texts";
    }
};

TEST_F(HostileInput, PastedLineBreaksLeaveOneLineThatIsStoredAndCounted)
{
    const struct
    {
        const char* what;
        std::string text;
    } cases[] = {
        {"CR LF inside", "12\r\n34"},   {"LF inside", "12\n34"},   {"CR inside", "12\r34"},
        {"CR LF first", "\r\n-7"},      {"LF first", "\n-7"},      {"CR first", "\r-7"},
        {"CR LF last", "+25\r\n"},      {"lines of digits", "1\r\n2\r\n3\r\n4\r\n5"},
        {"blank lines", "\r\n\r\n\n\n"}, {"a tab, then lines", "\t99\nabc\r\n100"},
    };
    RunMain([&](Ui& ui, const Window& main) {
        for (const auto& [what, text] : cases)
        {
            Window circle = OpenCircle(ui, main, kCircle);
            model::CircleTexts shown = FieldTexts(circle);
            const std::string kept = PasteOver(ui, circle, 3, text);
            EXPECT_EQ(kept.find('\n'), std::string::npos) << what << ": a one-line field shows a line feed";
            EXPECT_EQ(text.compare(0, kept.size(), kept), 0)
                << what << ": the field shows " << Escaped(kept) << ", which is not how " << Escaped(text) << " begins";
            std::printf("pasting %s keeps %s\n", Escaped(text).c_str(), Escaped(kept).c_str());
            shown[2] = kept;
            ExpectStoredAndCounted(ui, main, circle, shown, what);
        }
        ui.Click(main.Item(IDOK));
    });
}

// Under Wine an edit control lays a long line out in time that grows with the square of
// its length: a megabyte would take half an hour, where the field's own limit keeps it to
// about a second.
TEST_F(HostileInput, AMegabytePasteKeepsTheDialogWorking)
{
    constexpr std::size_t kMegabyte = 1 << 20;
    const struct
    {
        const char* what;
        std::string text;
    } cases[] = {
        {"a megabyte of digits", std::string(kMegabyte, '9')},
        {"blanks, then -5 at the very end", std::string(kMegabyte - 2, ' ').append("-5")},
        {"7, then a megabyte of letters", std::string(1, '7').append(kMegabyte - 1, 'x')},
    };
    RunMain([&](Ui& ui, const Window& main) {
        for (const auto& [what, text] : cases)
        {
            Window circle = OpenCircle(ui, main, kCircle);
            model::CircleTexts shown = FieldTexts(circle);
            const std::string kept = PasteOver(ui, circle, 5, text);
            EXPECT_GE(kept.size(), std::min(text.size(), kEditDefaultLimit))
                << what << ": the field took less than an edit control takes by default";
            EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << what << ": the field shows what was not pasted";
            std::printf("pasting %s (%zu bytes) keeps %zu characters in the field\n", what, text.size(), kept.size());
            shown[4] = kept;
            ExpectStoredAndCounted(ui, main, circle, shown, what);

            circle = OpenCircle(ui, main, kCircle);
            EXPECT_TRUE(Field(circle, {kCircle, 5}).Text() == kept) << what << ": reopening shows another text";
            Close(ui, circle, Closing::Escape);
        }
        ui.Click(main.Item(IDOK));
    });
}

TEST_F(HostileInput, EveryByteValuePastedBeforeANumberComesBackAndCounts)
{
    RunMain([&](Ui& ui, const Window& main) {
        for (int first = 0x01; first <= 0xFF; first += kRowCount)
        {
            Window circle = OpenCircle(ui, main, kCircle);
            model::CircleTexts shown;
            for (int r = 1; r <= kRowCount; ++r)
            {
                const int byte = first + r - 1;
                std::string text(1, static_cast<char>(byte <= 0xFF ? byte : '0'));
                text += "12";
                shown[static_cast<std::size_t>(r - 1)] = PasteOver(ui, circle, r, text);
                if (byte != '\n')
                {
                    EXPECT_EQ(shown[static_cast<std::size_t>(r - 1)], text) << "byte " << byte << " did not come back";
                }
            }
            ExpectStoredAndCounted(ui, main, circle, shown, "bytes from " + std::to_string(first));
        }
        ui.Click(main.Item(IDOK));
    });
}

// As keystrokes the control bytes are the field's own commands: Backspace, copy, cut,
// paste, undo. Whatever they leave in the field is what must be stored and counted.
TEST_F(HostileInput, EveryByteValueTypedIsStoredAsTheFieldShowsIt)
{
    std::string keystrokes;
    for (int byte = 0x01; byte <= 0xFF; ++byte)
        keystrokes.append(1, static_cast<char>(byte)).append(1, static_cast<char>('0' + byte % 10));
    RunMain([&](Ui& ui, const Window& main) {
        Window circle = OpenCircle(ui, main, kCircle);
        SetClipboard("-3"); // what Ctrl+V will bring
        model::CircleTexts shown = FieldTexts(circle);
        ui.Click(Box(circle, {kCircle, 8}));
        ui.Type(keystrokes);
        EXPECT_TRUE(circle.IsVisible()) << "the keystrokes closed the dialog";
        shown[7] = Field(circle, {kCircle, 8}).Text();
        EXPECT_FALSE(shown[7].empty()) << "every keystroke was lost";
        ExpectStoredAndCounted(ui, main, circle, shown, "every byte typed");
        ui.Click(main.Item(IDOK));
    });
}

} // namespace
