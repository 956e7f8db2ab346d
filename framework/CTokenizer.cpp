#include "framework/CTokenizer.h"

CTokenizer::CTokenizer(const std::string& separators, const std::string& text)
    : text(text), separators(separators)
{
    Advance();
}

CTokenizer CTokenizer::End()
{
    CTokenizer end("", "");
    end.position = npos;
    end.endMark = npos;
    return end;
}

void CTokenizer::Advance()
{
    if (position == npos) {
        endMark = npos;
        token.clear();
        return;
    }
    std::string::size_type found = text.find_first_of(separators, position);
    if (found == npos) {
        token = text.substr(position);
        position = npos;
    } else {
        token = text.substr(position, found - position);
        position = found + 1;
    }
}

bool CTokenizer::operator==(const CTokenizer& other) const
{
    return position == other.position && endMark == other.endMark;
}
