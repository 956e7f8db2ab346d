#pragma once
// A dialog template of the program's resources as it is stored (DIALOGEX), read back for the
// tests: the dialog manager changes some styles of the windows it makes (it adds DS_3DLOOK, a
// progress bar drops its border), the template keeps what the program asked for.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace dialogtemplate {

struct Item {
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::string className;  // a predefined class by its name ("Button", "Edit", ...); any case
    std::string text;       // in the ANSI code page

    bool operator==(const Item& other) const
    {
        return style == other.style && x == other.x && y == other.y && cx == other.cx && cy == other.cy &&
               id == other.id && _stricmp(className.c_str(), other.className.c_str()) == 0 && text == other.text;
    }
};

// For the messages of failed comparisons.
inline std::ostream& operator<<(std::ostream& out, const Item& item)
{
    return out << item.id << " " << item.className << " \"" << item.text << "\" " << item.x << "," << item.y
               << " " << item.cx << "x" << item.cy << " style " << std::hex << item.style << std::dec;
}

struct Template {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string font;
    std::vector<Item> items;

    bool operator==(const Template& other) const
    {
        return style == other.style && cx == other.cx && cy == other.cy && caption == other.caption &&
               pointSize == other.pointSize && font == other.font && items == other.items;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Template& stored)
{
    out << "style " << std::hex << stored.style << std::dec << ", " << stored.cx << "x" << stored.cy << ", \""
        << stored.caption << "\", " << stored.pointSize << " pt " << stored.font;
    for (const Item& item : stored.items)
        out << "\n  " << item;
    return out;
}

class Reader {
public:
    explicit Reader(const BYTE* at) : at(at) {}

    template <class T>
    T Take()
    {
        T value;
        memcpy(&value, at, sizeof(T));
        at += sizeof(T);
        return value;
    }
    std::string Text()
    {
        std::wstring wide;
        for (WCHAR c = Take<WCHAR>(); c != 0; c = Take<WCHAR>())
            wide += c;
        int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &out[0], size, nullptr, nullptr);
        out.resize(out.size() - 1);
        return out;
    }
    // A text or an ordinal (0xFFFF and a number); ordinals of the predefined classes by name.
    std::string TextOrOrdinal()
    {
        WORD first;
        memcpy(&first, at, sizeof(first));
        if (first == 0x0000) {
            at += 2;
            return std::string();
        }
        if (first != 0xFFFF)
            return Text();
        at += 2;
        switch (WORD ordinal = Take<WORD>()) {
        case 0x80: return "Button";
        case 0x81: return "Edit";
        case 0x82: return "Static";
        default: return "#" + std::to_string(ordinal);
        }
    }
    void AlignToDword()
    {
        while (reinterpret_cast<uintptr_t>(at) % 4 != 0)
            ++at;
    }

    const BYTE* at;
};

inline Template Load(WORD id)
{
    Template result;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found)
        return result;
    Reader reader(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))));
    if (reader.Take<WORD>() != 1 || reader.Take<WORD>() != 0xFFFF)
        return result;
    reader.Take<DWORD>();  // help id
    reader.Take<DWORD>();  // extended style
    result.style = reader.Take<DWORD>();
    WORD count = reader.Take<WORD>();
    reader.Take<short>();
    reader.Take<short>();
    result.cx = reader.Take<short>();
    result.cy = reader.Take<short>();
    reader.TextOrOrdinal();  // menu
    reader.TextOrOrdinal();  // class
    result.caption = reader.Text();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Take<WORD>();
        reader.Take<WORD>();  // weight
        reader.Take<BYTE>();  // italic
        reader.Take<BYTE>();  // character set
        result.font = reader.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDword();
        Item item;
        reader.Take<DWORD>();  // help id
        reader.Take<DWORD>();  // extended style
        item.style = reader.Take<DWORD>();
        item.x = reader.Take<short>();
        item.y = reader.Take<short>();
        item.cx = reader.Take<short>();
        item.cy = reader.Take<short>();
        item.id = reader.Take<DWORD>();
        item.className = reader.TextOrOrdinal();
        item.text = reader.TextOrOrdinal();
        reader.at += reader.Take<WORD>();  // creation data
        result.items.push_back(item);
    }
    return result;
}

}
