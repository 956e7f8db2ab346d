#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// What the user searches for: a text split into words at ASCII and full-width spaces, each word
// folded for matching. A text matches a word where the word's characters stand in it as whole
// characters: never from or to the middle of a double-byte character of the ANSI code page,
// whose second byte may look like an ASCII character ("ソ" is 0x83 0x5C).
//
// Folding makes the forms that the user does not tell apart one character: ASCII letters are
// lower-cased; full-width letters and digits become their ASCII forms; half-width katakana (with
// the half-width marks of the same block) become full-width, a half-width voiced or semi-voiced
// mark joining the kana before it where the pair has one full-width character ("ｶﾞ" is "ガ").
class CSearchQuery {
public:
    explicit CSearchQuery(const std::string& text = std::string());

    // No word: the text was empty or only spaces.
    bool Empty() const;
    // Whether every word stands in at least one of the texts, each folded by Fold.
    bool MatchedBy(std::initializer_list<std::string_view> folded) const;

    // Appends the folded form of text to out.
    static void Fold(std::string_view text, std::string& out);
    // Whether word stands in text by whole characters; both folded.
    static bool Contains(std::string_view text, std::string_view word);

    // The folded words, none of them empty.
    std::vector<std::string> words;
};
