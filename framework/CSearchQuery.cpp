#include "framework/CSearchQuery.h"

#include "framework/StringUtil.h"

#include <cstdint>

namespace {

// The lead bytes of the code page, asked of the system once: matching looks at every byte.
class LeadBytes {
public:
    LeadBytes()
    {
        for (int c = 0; c < 256; ++c)
            lead[c] = IsLeadByte(static_cast<unsigned char>(c));
    }
    // The length of the character at text[at]: 2 for a lead byte followed by another byte, else 1.
    size_t CharLength(std::string_view text, size_t at) const
    {
        return lead[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1;
    }

    bool lead[256];
};

const LeadBytes& Leads()
{
    static const LeadBytes leads;
    return leads;
}

// The full-width character (code page 932) of each half-width character 0xA1 to 0xDF:
// punctuation, katakana, the long vowel mark and the two marks.
const uint16_t kFullWidth[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A,
    0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360,
    0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374,
    0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B};
const unsigned char kFirstHalfWidth = 0xA1;
const unsigned char kLastHalfWidth = 0xDF;
const unsigned char kVoicedMark = 0xDE;
const unsigned char kSemiVoicedMark = 0xDF;

// The one full-width character of a half-width kana and the mark after it; 0 when the pair has
// none. The voiced kana follow their plain ones in the code page, the semi-voiced ones follow
// those.
unsigned Joined(unsigned char kana, unsigned char mark)
{
    const unsigned char kU = 0xB3, kKa = 0xB6, kTo = 0xC4, kHa = 0xCA, kHo = 0xCE;
    unsigned plain = kFullWidth[kana - kFirstHalfWidth];
    if (mark == kVoicedMark && ((kana >= kKa && kana <= kTo) || (kana >= kHa && kana <= kHo)))
        return plain + 1;
    if (mark == kSemiVoicedMark && kana >= kHa && kana <= kHo)
        return plain + 2;
    if (mark == kVoicedMark && kana == kU)
        return 0x8394;
    return 0;
}

// Full-width digits, capital and small letters of code page 932.
const unsigned kFullDigitZero = 0x824F, kFullDigitNine = 0x8258;
const unsigned kFullCapitalA = 0x8260, kFullCapitalZ = 0x8279;
const unsigned kFullSmallA = 0x8281, kFullSmallZ = 0x829A;
const unsigned kFullWidthSpace = 0x8140;

void AppendDoubleByte(unsigned code, std::string& out)
{
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}

CSearchQuery::CSearchQuery(const std::string& text)
{
    const LeadBytes& leads = Leads();
    std::string word;
    auto endWord = [&]() {
        if (word.empty())
            return;
        words.emplace_back();
        Fold(word, words.back());
        word.clear();
    };
    for (size_t i = 0; i < text.size();) {
        size_t length = leads.CharLength(text, i);
        unsigned code = static_cast<unsigned char>(text[i]);
        if (length == 2)
            code = code << 8 | static_cast<unsigned char>(text[i + 1]);
        if (code == ' ' || code == kFullWidthSpace)
            endWord();
        else
            word.append(text, i, length);
        i += length;
    }
    endWord();
}

bool CSearchQuery::Empty() const
{
    return words.empty();
}

bool CSearchQuery::MatchedBy(std::initializer_list<std::string_view> folded) const
{
    for (const std::string& word : words) {
        bool found = false;
        for (std::string_view text : folded) {
            if (Contains(text, word)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

void CSearchQuery::Fold(std::string_view text, std::string& out)
{
    const LeadBytes& leads = Leads();
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (leads.CharLength(text, i) == 2) {
            unsigned code = static_cast<unsigned>(c) << 8 | static_cast<unsigned char>(text[i + 1]);
            if (code >= kFullDigitZero && code <= kFullDigitNine)
                out += static_cast<char>('0' + (code - kFullDigitZero));
            else if (code >= kFullCapitalA && code <= kFullCapitalZ)
                out += static_cast<char>('a' + (code - kFullCapitalA));
            else if (code >= kFullSmallA && code <= kFullSmallZ)
                out += static_cast<char>('a' + (code - kFullSmallA));
            else
                out.append(text.data() + i, 2);
            i += 2;
            continue;
        }
        ++i;
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
        } else if (c >= kFirstHalfWidth && c <= kLastHalfWidth) {
            unsigned char mark = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
            unsigned joined = Joined(c, mark);
            if (joined != 0)
                ++i;
            AppendDoubleByte(joined != 0 ? joined : kFullWidth[c - kFirstHalfWidth], out);
        } else {
            out += static_cast<char>(c);
        }
    }
}

// The text is searched for the word's bytes; a place found counts when a character of the text
// starts there and another one right after the word. The characters are counted from the start
// of the text only as far as the places found, once.
bool CSearchQuery::Contains(std::string_view text, std::string_view word)
{
    if (word.empty())
        return true;
    const LeadBytes& leads = Leads();
    size_t character = 0;
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        while (character < at)
            character += leads.CharLength(text, character);
        if (character != at)
            continue;
        size_t end = at;
        while (end < at + word.size())
            end += leads.CharLength(text, end);
        if (end == at + word.size())
            return true;
    }
    return false;
}
