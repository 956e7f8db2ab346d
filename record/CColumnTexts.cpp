#include "record/CColumnTexts.h"

#include "framework/StringUtil.h"

#include <algorithm>
#include <cstring>

const char* CColumnTexts::Cell(Column column) const
{
    if (cells.empty())
        return "";
    const char* cell = cells.c_str();
    for (int i = 0; i < column; ++i)
        cell += std::strlen(cell) + 1;
    return cell;
}

std::string_view CColumnTexts::View(Column column) const
{
    return Cell(column);
}

void CColumnTexts::Set(const std::string* texts, int32_t seconds)
{
    std::string joined;
    for (int i = 0; i < kCount; ++i) {
        const std::string& text = texts[i];
        size_t length = std::min(text.find('\0'), text.size());
        if (length > kMostBytes)
            length = WholeCharacters(text, kMostBytes);
        joined.append(text, 0, length);
        joined += '\0';
    }
    // Exactly as long as the cells: thousands of records keep theirs.
    cells = std::string(joined.data(), joined.size());
    startSeconds = seconds;
}

void CColumnTexts::SetUnreadable()
{
    std::string texts[kCount];
    texts[StartTime] = kUnreadable;
    Set(texts, 0);
}

void CColumnTexts::Clear()
{
    std::string().swap(cells);
    startSeconds = 0;
    serial = 0;
}
