#pragma once
#include <string>

// Splits a text at any of a set of separator characters, one piece at a time. A walk:
//   for (CTokenizer t("|", text); t != CTokenizer::End(); t.Advance()) use(t.token);
// Every separator ends a piece, so "a||b" gives a, an empty piece and b, and an empty text one
// empty piece. Separators are single bytes; none of them may be the second byte of a
// double-byte character.
class CTokenizer {
public:
    CTokenizer(const std::string& separators, const std::string& text);
    // Where every walk ends.
    static CTokenizer End();

    void Advance();
    bool operator==(const CTokenizer& other) const;
    bool operator!=(const CTokenizer& other) const { return !(*this == other); }

    static constexpr std::string::size_type npos = std::string::npos;
    std::string text;
    std::string separators;
    std::string token;
    // Where the next piece starts; npos once the last piece is taken.
    std::string::size_type position = 0;
    // npos once the walk has gone past the last piece.
    std::string::size_type endMark = 0;
};
