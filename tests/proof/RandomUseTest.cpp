// A long run of random use through the real dialogs, held against the model after every
// step. MORTARIX_SEED replays a run (its seed is printed); MORTARIX_ACTIONS sets its length.
#include "ProofTest.h"

#include "RandomText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <sstream>
#include <stdexcept>

using namespace driver;

namespace
{

using P = ProofTest;
using Closing = ProofTest::Closing;

constexpr std::uint64_t kDefaultActions = 2000;
constexpr std::size_t kLongText = 100000;
// Under Wine an edit control takes seconds to lay out tens of thousands of characters, on
// every write and every keystroke: long texts come one at a time, and do not stay long.
constexpr std::size_t kLongPasteOneIn = 40;
constexpr std::size_t kShortEnough = 1000;
constexpr std::size_t kLogLength = 24;

// Keystrokes that put a character into a field: no control characters, which a one-line
// field ignores or takes as commands; those arrive by pasting.
std::string Typable(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            out += c;
    return out;
}

// A clipboard text holds no NUL, and a one-line field does not take line breaks whole.
std::string Pastable(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != '\0' && c != '\r' && c != '\n')
            out += c;
    return out;
}

std::string Digits(Random& random, std::size_t count)
{
    std::string digits;
    for (std::size_t i = 0; i < count; ++i)
        digits += random.Digit();
    return digits;
}

// What a person might type into a quantity field.
std::string TypedText(Random& random)
{
    static constexpr std::string_view kLetters = "abcxyzEQ.,/*#";
    switch (random.Below(9))
    {
    case 0:
        return Digits(random, 1 + random.Below(4));
    case 1:
        return std::string(1, random.ByteOf("+-")) + Digits(random, 1 + random.Below(6));
    case 2:
        return std::string(random.Below(3), ' ') + Digits(random, 1 + random.Below(3)) + random.ByteOf(kLetters);
    case 3:
        return std::string(1, random.ByteOf(kLetters)) + Digits(random, random.Below(3));
    case 4:
    {
        std::string text;
        for (std::size_t n = 1 + random.Below(6); n > 0; --n)
            text += static_cast<char>(0x80 + random.Below(0x80));
        return random.OneIn(2) ? Digits(random, 2) + text : text + Digits(random, 2);
    }
    case 5:
        return Digits(random, 11);
    case 6:
        return std::string(random.OneIn(3) ? "-" : "") + Digits(random, 40);
    case 7:
        return " ";
    default:
        return Typable(RandomQuantityText(random)).substr(0, 64);
    }
}

// What a person might paste: anything a field takes.
std::string PastedText(Random& random)
{
    return Pastable(RandomQuantityText(random));
}

// 100,000 characters. In half of them the number comes at the very end, so a field that
// keeps only the first part of the text would count something else.
std::string LongText(Random& random)
{
    switch (random.Below(4))
    {
    case 0:
        return Digits(random, kLongText);
    case 1:
        return std::string(kLongText - 6, ' ') + "-12345";
    case 2:
        return std::string(1, '7').append(kLongText - 1, 'x');
    default:
        return std::string(1, '\t').append(kLongText - 12, '0').append(Digits(random, 11));
    }
}

std::string Joined(const std::array<std::string, 10>& numbers)
{
    std::string joined;
    for (const std::string& number : numbers)
        joined.append(joined.empty() ? "" : " ").append(number);
    return joined;
}

// One random run: the real program on one side, the model on the other.
class RandomUse
{
public:
    RandomUse(std::uint64_t seed, std::uint64_t actions, Ui& ui, const Window& main)
        : m_seed(seed), m_actions(actions), m_random(seed), m_ui(ui), m_main(main)
    {
    }

    void Run()
    {
        try
        {
            Check();
            for (m_step = 1; m_step <= m_actions; ++m_step)
            {
                if (m_model.OpenCircleNumber() == 0)
                    MainWindowStep();
                else
                    CircleStep();
                Check();
            }
            if (m_model.OpenCircleNumber() != 0)
                CloseCircle(Closing::OkButton);
            Check();
        }
        catch (const DriverError& error)
        {
            Diverged(error.what());
        }
    }

    std::uint64_t Openings() const { return m_openings; }
    std::uint64_t LongTexts() const { return m_longTexts; }
    std::uint64_t CutInputs() const { return m_cutInputs; }
    std::size_t FieldLimit() const { return m_fieldLimit; }

private:
    void Log(std::string entry)
    {
        // Built piecewise: GCC 12 warns falsely about a literal added to a moved string.
        std::string line = std::to_string(m_step);
        line.append(": ").append(entry);
        m_log.push_back(std::move(line));
        if (m_log.size() > kLogLength)
            m_log.pop_front();
    }

    [[noreturn]] void Diverged(const std::string& what)
    {
        std::ostringstream out;
        out << what << "\n  at action " << m_step << " of " << m_actions << "; replay with MORTARIX_SEED=" << m_seed
            << " MORTARIX_ACTIONS=" << m_actions << "\n  the actions before it:";
        for (const std::string& entry : m_log)
            out << "\n    " << entry;
        throw std::runtime_error(out.str());
    }

    bool LongTextAround() const
    {
        for (const model::CircleTexts& circle : m_model.Stored())
            for (const std::string& text : circle)
                if (text.size() > kShortEnough)
                    return true;
        if (m_model.OpenCircleNumber() != 0)
            for (int row = 1; row <= kRowCount; ++row)
                if (m_model.FieldOf(row).text.size() > kShortEnough)
                    return true;
        return false;
    }

    void MainWindowStep()
    {
        const std::size_t pick = m_random.Below(100);
        if (pick < (LongTextAround() ? 35 : 4))
        {
            Log("Clear All");
            m_ui.Click(m_main.Item(IDC_CLEAR_ALL));
            m_model.ClearAll();
        }
        else if (pick < 8)
        {
            // The About box has no Cancel button.
            static constexpr Closing kAboutClosings[] = {Closing::OkButton, Closing::Enter, Closing::Escape,
                                                         Closing::CloseBox};
            const Closing how = kAboutClosings[m_random.Below(std::size(kAboutClosings))];
            Log(std::string("About box, closed by ") + P::Name(how));
            P::Close(m_ui, P::OpenAbout(m_ui, m_main), how);
        }
        else
        {
            const int circle = 1 + static_cast<int>(m_random.Below(kCircleCount));
            Log(std::string("open circle ") + std::to_string(circle));
            m_circle = P::OpenCircle(m_ui, m_main, circle);
            std::array<std::size_t, kRowCount> limits;
            for (int row = 1; row <= kRowCount; ++row)
            {
                limits[static_cast<std::size_t>(row - 1)] =
                    static_cast<std::size_t>(P::Field(m_circle, {circle, row}).Send(EM_GETLIMITTEXT));
                m_fieldLimit = std::min(m_fieldLimit, limits[static_cast<std::size_t>(row - 1)]);
            }
            m_model.OpenCircle(circle, limits);
            m_nTouchedRow = 0;
            ++m_openings;
        }
    }

    void CircleStep()
    {
        const bool inField = m_model.FocusedRow() != 0;
        const std::size_t pick = m_random.Below(100);
        if (pick < 12)
        {
            CloseCircle(P::kClosings[m_random.Below(std::size(P::kClosings))]);
        }
        else if (!inField || pick < 45)
        {
            const int row = 1 + static_cast<int>(m_random.Below(kRowCount));
            Log(std::string(m_model.Ticked(row) ? "untick" : "tick") + " row " + std::to_string(row));
            m_ui.Click(P::Box(m_circle, {m_model.OpenCircleNumber(), row}));
            m_nTouchedRow = m_model.Ticked(row) ? 0 : row; // an untick rewrites every field
            m_model.ClickBox(row);
        }
        else if (pick < 75)
        {
            std::string text = TypedText(m_random);
            if (m_model.FieldOf(m_model.FocusedRow()).text.size() > kShortEnough)
                text.resize(std::min<std::size_t>(text.size(), 2));
            Log("type " + Escaped(text));
            m_ui.Type(text);
            m_cutInputs += m_model.Type(text) < text.size();
        }
        else if (pick < 83)
        {
            const bool isLong = !LongTextAround() && m_random.OneIn(kLongPasteOneIn);
            const std::string text = isLong ? LongText(m_random) : PastedText(m_random);
            Log("paste " + Escaped(text));
            m_longTexts += isLong;
            P::Paste(m_ui, text);
            m_cutInputs += m_model.Paste(text) < text.size();
        }
        else if (pick < 88)
        {
            Log("Backspace");
            P::PressKey(m_ui, VK_BACK);
            m_model.Backspace();
        }
        else if (pick < 93)
        {
            const bool home = m_random.OneIn(2);
            Log(home ? "Home" : "End");
            P::PressKey(m_ui, home ? VK_HOME : VK_END);
            home ? m_model.Home() : m_model.End();
        }
        else
        {
            Log("select all");
            P::SelectAll(m_ui);
            m_model.SelectAll();
        }
    }

    void CloseCircle(Closing how)
    {
        Log(std::string("close circle by ") + P::Name(how));
        P::Close(m_ui, m_circle, how);
        P::Keeps(how) ? m_model.Ok() : m_model.Cancel();
    }

    void Check()
    {
        if (m_model.OpenCircleNumber() == 0)
            CheckMainWindow();
        else
            CheckCircle();
    }

    void CheckMainWindow()
    {
        const std::array<std::string, 10> expected = P::AsText(m_model.Shown());
        for (std::size_t i = 0; i < expected.size(); ++i)
        {
            if (!P::Shows(m_main.Item(P::ShownId(i)), expected[i]))
                Diverged("the main window shows " + Joined(P::Shown(m_main)) + ", the model says " + Joined(expected));
        }
        for (int c = 1; c <= kCircleCount; ++c)
            for (int r = 1; r <= kRowCount; ++r)
                if (theApp.m_selection.Text({c, r}) != m_model.Stored(c, r))
                    Diverged("circle " + std::to_string(c) + " row " + std::to_string(r) + " stores " +
                             Escaped(theApp.m_selection.Text({c, r})) + ", the model says " +
                             Escaped(m_model.Stored(c, r)));
    }

    // Every row after an opening or an untick, and every so often; otherwise the row acted on.
    void CheckCircle()
    {
        const int circle = m_model.OpenCircleNumber();
        const bool all = m_nTouchedRow == 0 || m_step % 8 == 0;
        for (int row = 1; row <= kRowCount; ++row)
        {
            if (!all && row != m_nTouchedRow)
                continue;
            const std::string where = "circle " + std::to_string(circle) + " row " + std::to_string(row);
            const model::Field& expected = m_model.FieldOf(row);
            Window field = P::Field(m_circle, {circle, row});
            if (P::Box(m_circle, {circle, row}).IsChecked() != m_model.Ticked(row))
                Diverged(where + ": the box is " + (m_model.Ticked(row) ? "not " : "") + "ticked");
            if (field.IsEnabled() != expected.enabled)
                Diverged(where + ": the field is " + (expected.enabled ? "disabled" : "enabled"));
            if (!P::Shows(field, expected.text))
                Diverged(where + ": the field shows " + Escaped(field.Text()) + ", the model says " +
                         Escaped(expected.text));
        }
        if (const int row = m_model.FocusedRow())
        {
            Window field = P::Field(m_circle, {circle, row});
            if (m_ui.Focus() != field)
                Diverged("row " + std::to_string(row) + "'s field should have the focus");
            const auto [start, end] = P::SelectionOf(field);
            const model::Field& expected = m_model.FieldOf(row);
            if (start != expected.selStart || end != expected.selEnd)
                Diverged("row " + std::to_string(row) + "'s selection is " + std::to_string(start) + ".." +
                         std::to_string(end) + ", the model says " + std::to_string(expected.selStart) + ".." +
                         std::to_string(expected.selEnd));
        }
    }

    const std::uint64_t m_seed;
    const std::uint64_t m_actions;
    Random m_random;
    Ui& m_ui;
    Window m_main;
    Window m_circle;
    model::Program m_model;
    std::uint64_t m_step = 0;
    int m_nTouchedRow = 0; // 0: every row may have changed
    std::uint64_t m_openings = 0;
    std::uint64_t m_longTexts = 0;
    std::uint64_t m_cutInputs = 0;
    std::size_t m_fieldLimit = static_cast<std::size_t>(-1);
    std::deque<std::string> m_log;
};

using RandomUseTest = ProofTest;

TEST_F(RandomUseTest, EveryTotalAndFieldFollowsTheModel)
{
    const std::uint64_t seed = FromEnvironment(
        "MORTARIX_SEED", static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    const std::uint64_t actions = FromEnvironment("MORTARIX_ACTIONS", kDefaultActions);
    std::printf("random use: seed %llu, %llu actions (replay: MORTARIX_SEED=%llu MORTARIX_ACTIONS=%llu)\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(actions),
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(actions));
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));

    std::uint64_t openings = 0, longTexts = 0, cutInputs = 0;
    std::size_t fieldLimit = 0;
    const auto start = std::chrono::steady_clock::now();
    const INT_PTR result = RunMain([&](Ui& ui, const Window& main) {
        RandomUse run(seed, actions, ui, main);
        run.Run();
        openings = run.Openings();
        longTexts = run.LongTexts();
        cutInputs = run.CutInputs();
        fieldLimit = run.FieldLimit();
        ui.Click(main.Item(IDOK));
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_FALSE(HasFailure()) << "replay with MORTARIX_SEED=" << seed << " MORTARIX_ACTIONS=" << actions;
    EXPECT_EQ(result, IDOK) << "the main window should end with OK";
    std::printf("random use: %llu actions, %llu circle openings, %llu pasted 100,000-character texts in %.1f s: "
                "%.0f actions per second\n",
                static_cast<unsigned long long>(actions), static_cast<unsigned long long>(openings),
                static_cast<unsigned long long>(longTexts), seconds, static_cast<double>(actions) / seconds);
    // Not a failure of the program's rules, but user text lost all the same: said out loud.
    std::printf("random use: the quantity fields take at most %zu characters from typing and pasting; "
                "%llu inputs were cut there\n",
                fieldLimit, static_cast<unsigned long long>(cutInputs));
}

} // namespace
