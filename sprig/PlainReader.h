#pragma once
#include <string_view>
#include <vector>

namespace Sprig {

// Reads plain documents as SAX_Parser reads them with ignoreWhitespace, several times faster and
// without copying a byte: elements with quoted attributes and texts without references, and
// nothing but whitespace before the root element. Whatever else a document holds (a declaration,
// a comment, CDATA, a DOCTYPE, a reference, a text before the root element, its end before the
// root element's end, or anything the parser reports as an error) makes the reader stop there
// and refuse the document; the caller then reads it with SAX_Parser.
//
// A document read whole gives the events that SAX_Parser gives, in the same order, except that
// the attributes come one by one right after their element's start. The views point into the
// text read.
class PlainReader {
public:
    class Handler {
    public:
        virtual void OnStartElement(std::string_view name) = 0;
        virtual void OnAttribute(std::string_view name, std::string_view value) = 0;
        // Character data without its leading and trailing whitespace, never empty.
        virtual void OnCharacters(std::string_view text) = 0;
        virtual void OnEndElement(std::string_view name) = 0;

    protected:
        ~Handler() = default;
    };

    // The text up to its first NUL byte. true when it was plain up to the root element's end,
    // where reading ends (SAX_Parser reports nothing after it either); false when it was refused,
    // after the events of what came before, the start of the element refused among them.
    bool Read(const char* text, Handler& handler);

private:
    bool StartTag(Handler& handler);
    bool EndTag(Handler& handler);
    bool Content(Handler& handler);
    std::string_view Name();
    void SkipWhitespace();

    const char* read = nullptr;
    // The names of the elements open.
    std::vector<std::string_view> open;
};

}
