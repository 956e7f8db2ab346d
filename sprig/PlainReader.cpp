#include "sprig/PlainReader.h"

#include "sprig/TokenTypes.h"

namespace Sprig {

using namespace Tokens;

bool PlainReader::Read(const char* text, Handler& handler)
{
    read = text;
    open.clear();
    SkipWhitespace();
    if (*read != '<')
        return false;
    for (;;) {
        ++read;
        SkipWhitespace();
        if (*read == '/') {
            ++read;
            if (!EndTag(handler))
                return false;
        } else if (!StartTag(handler)) {
            return false;
        }
        if (open.empty())
            return true;
        if (!Content(handler))
            return false;
    }
}

// After the '<': the name, the attributes and the end of the tag, an empty element's included.
bool PlainReader::StartTag(Handler& handler)
{
    std::string_view name = Name();
    if (name.empty())
        return false;
    handler.OnStartElement(name);
    for (;;) {
        SkipWhitespace();
        std::string_view attribute = Name();
        if (attribute.empty())
            break;
        SkipWhitespace();
        if (*read != '=')
            return false;
        ++read;
        SkipWhitespace();
        char delimiter = *read;
        if (delimiter != '"' && delimiter != '\'')
            return false;
        const char* value = ++read;
        while (*read != delimiter && *read != '\0')
            ++read;
        if (*read == '\0')
            return false;
        handler.OnAttribute(attribute, std::string_view(value, static_cast<size_t>(read - value)));
        ++read;
    }
    bool empty = *read == '/';
    if (empty) {
        ++read;
        SkipWhitespace();
    }
    if (*read != '>')
        return false;
    ++read;
    if (empty)
        handler.OnEndElement(name);
    else
        open.push_back(name);
    return true;
}

// After the "</": the name of the element open last, then the '>'.
bool PlainReader::EndTag(Handler& handler)
{
    std::string_view name = Name();
    if (name.empty() || open.empty() || name != open.back())
        return false;
    SkipWhitespace();
    if (*read != '>')
        return false;
    ++read;
    open.pop_back();
    handler.OnEndElement(name);
    return true;
}

// Up to the next '<', which must come before any reference and the end.
bool PlainReader::Content(Handler& handler)
{
    SkipWhitespace();
    const char* begin = read;
    while (*read != '<' && *read != '&' && *read != '\0')
        ++read;
    if (*read != '<')
        return false;
    const char* end = read;
    while (end > begin && IsWhitespace(TokenTypeOf(end[-1])))
        --end;
    if (end > begin)
        handler.OnCharacters(std::string_view(begin, static_cast<size_t>(end - begin)));
    return true;
}

std::string_view PlainReader::Name()
{
    const char* begin = read;
    while (TokenTypeOf(*read) == TextRun)
        ++read;
    return std::string_view(begin, static_cast<size_t>(read - begin));
}

void PlainReader::SkipWhitespace()
{
    while (IsWhitespace(TokenTypeOf(*read)))
        ++read;
}

}
