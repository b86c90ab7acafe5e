// Reads a compiled extended dialog template back from a module's resources, so tests
// can hold what was compiled against what the program expects.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// A rectangle in dialog units, as templates store it.
struct Box
{
    int x = 0, y = 0, cx = 0, cy = 0;
    friend bool operator==(const Box&, const Box&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& b)
    {
        return out << "(" << b.x << ", " << b.y << ", " << b.cx << " x " << b.cy << ")";
    }
};

struct DialogItem
{
    DWORD style = 0;
    DWORD exStyle = 0;
    Box box;
    int id = 0;  // the low 16 bits: 0xFFFF for controls without an ID
    std::string className; // "Button", "Edit", "Static", ... (predefined ordinals named)
    std::string text;
    int textOrdinal = -1; // a resource ordinal instead of a text (static icons)
};

struct DialogTemplate
{
    DWORD style = 0;
    DWORD exStyle = 0;
    Box box;
    std::string caption;
    int pointSize = 0;
    std::string typeface;
    std::vector<DialogItem> items; // in tab order

    const DialogItem* Find(int id) const;
    // Index of the first item with this ID, or -1.
    int IndexOf(int id) const;
};

// The template with this ID in the module, or nothing when it is missing or not in the
// extended format.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int id);
