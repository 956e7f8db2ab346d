#pragma once
// The bytes of the parsers' one-byte tokens. Every other byte, byte 0x80 and above among them,
// belongs to a text run: names, values and texts are runs of such bytes.
#include <array>

namespace Sprig::Tokens {

enum TokenType : int {
    End = 0,
    CarriageReturn = 1,
    LineFeed = 2,
    Space = 3,
    Tab = 4,
    Less = 5,
    Equals = 6,
    Greater = 7,
    Slash = 8,
    Dash = 9,
    Semicolon = 10,
    Bang = 11,
    Question = 12,
    Ampersand = 13,
    DoubleQuote = 14,
    SingleQuote = 15,
    OpenBracket = 16,
    CloseBracket = 17,
    TextRun = 100,
};

// The byte of each one-byte token type.
constexpr char kTokenBytes[] = {'\0', '\r', '\n', ' ', '\t', '<', '=', '>', '/', '-', ';', '!', '?', '&', '"', '\'', '[', ']'};

constexpr std::array<unsigned char, 256> MakeTokenTypes()
{
    std::array<unsigned char, 256> types{};
    for (auto& type : types)
        type = TextRun;
    for (int type = End; type <= CloseBracket; ++type)
        types[static_cast<unsigned char>(kTokenBytes[type])] = static_cast<unsigned char>(type);
    return types;
}

constexpr std::array<unsigned char, 256> kTokenTypes = MakeTokenTypes();

inline int TokenTypeOf(char byte)
{
    return kTokenTypes[static_cast<unsigned char>(byte)];
}

inline bool IsWhitespace(int type)
{
    return type >= CarriageReturn && type <= Tab;
}

}
