#include "DialogTemplate.h"

#include <cstring>

namespace
{

// A cursor over the template's bytes; every read is checked against the end.
class Reader
{
public:
    Reader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Get()
    {
        T value{};
        if (m_pos + sizeof value > m_size)
        {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_pos, sizeof value);
        m_pos += sizeof value;
        return value;
    }

    std::string String()
    {
        std::string text;
        for (WORD c = Get<WORD>(); m_ok && c != 0; c = Get<WORD>())
            text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }

    // A field that is empty (0), an ordinal (0xFFFF then the number), or a string.
    std::string StringOrOrdinal(int& ordinal)
    {
        ordinal = -1;
        const WORD first = Peek();
        if (first == 0xFFFF)
        {
            Get<WORD>();
            ordinal = Get<WORD>();
            return {};
        }
        return String();
    }

    void AlignTo4() { m_pos = (m_pos + 3) & ~std::size_t{3}; }
    void Skip(std::size_t n) { m_pos += n; m_ok = m_ok && m_pos <= m_size; }

private:
    WORD Peek()
    {
        const std::size_t at = m_pos;
        const WORD value = Get<WORD>();
        m_pos = at;
        return value;
    }

    const BYTE* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

Box ReadBox(Reader& in)
{
    Box box;
    box.x = in.Get<short>();
    box.y = in.Get<short>();
    box.cx = in.Get<short>();
    box.cy = in.Get<short>();
    return box;
}

std::string PredefinedClass(int ordinal)
{
    switch (ordinal)
    {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return std::to_string(ordinal);
    }
}

// Class names are case-insensitive: give the predefined ones one spelling.
std::string NormalClass(const std::string& name)
{
    static const char* const known[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (const char* k : known)
        if (_stricmp(name.c_str(), k) == 0)
            return k;
    return name;
}

} // namespace

const DialogItem* DialogTemplate::Find(int id) const
{
    const int index = IndexOf(id);
    return index < 0 ? nullptr : &items[static_cast<std::size_t>(index)];
}

int DialogTemplate::IndexOf(int id) const
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].id == id)
            return static_cast<int>(i);
    return -1;
}

std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int id)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!data)
        return std::nullopt;

    Reader in(data, SizeofResource(module, found));
    if (in.Get<WORD>() != 1 || in.Get<WORD>() != 0xFFFF)
        return std::nullopt;
    DialogTemplate dialog;
    in.Get<DWORD>(); // help ID
    dialog.exStyle = in.Get<DWORD>();
    dialog.style = in.Get<DWORD>();
    const WORD count = in.Get<WORD>();
    dialog.box = ReadBox(in);
    int ordinal = -1;
    in.StringOrOrdinal(ordinal); // menu
    in.StringOrOrdinal(ordinal); // window class
    dialog.caption = in.String();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT))
    {
        dialog.pointSize = in.Get<WORD>();
        in.Get<WORD>();  // weight
        in.Get<BYTE>();  // italic
        in.Get<BYTE>();  // character set
        dialog.typeface = in.String();
    }

    for (WORD i = 0; i < count && in.ok(); ++i)
    {
        in.AlignTo4();
        DialogItem item;
        in.Get<DWORD>(); // help ID
        item.exStyle = in.Get<DWORD>();
        item.style = in.Get<DWORD>();
        item.box = ReadBox(in);
        item.id = static_cast<int>(in.Get<DWORD>() & 0xFFFF);
        int classOrdinal = -1;
        const std::string className = in.StringOrOrdinal(classOrdinal);
        item.className = classOrdinal >= 0 ? PredefinedClass(classOrdinal) : NormalClass(className);
        item.text = in.StringOrOrdinal(item.textOrdinal);
        in.Skip(in.Get<WORD>()); // creation data
        dialog.items.push_back(item);
    }
    if (!in.ok())
        return std::nullopt;
    return dialog;
}
