#pragma once
#include "sprig/Document.h"
#include "sprig/SAX_EventHandler.h"
#include "sprig/SAX_Parser.h"

#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Sprig {

// Builds a Document from XML text or a stream. The caller owns the document that Parse returns
// and deletes it; the parser may be destroyed first, or used for further parses.
//
// A parse error leaves Parse as the ParsingException that the SAX parser reported (the first
// error ends the parse); a DOM_Exception of a tree operation passes through too. Either way the
// partly built document is deleted. Documents of any depth are built without recursion.
class DOM_Parser : public SAX_EventHandler {
public:
    DOM_Parser();

    // The text up to its first NUL byte; a null text reads as an empty one.
    Document* Parse(const char* text);
    // Read one byte at a time, piece by piece up to each '>' (positions in errors count from the
    // start of the piece).
    Document* Parse(std::istream& stream);

    // Character data loses leading and trailing whitespace; whitespace-only data makes no node.
    bool ignoreWhitespace = false;

    void OnDeclaration(const AttributeList& attributes) override;
    void OnStartElement(const std::string& name, const AttributeList& attributes) override;
    void OnEndElement(const std::string& name) override;
    void OnCharacters(const std::string& text) override;
    void OnComment(const std::string& text) override;
    // Raises a copy of the exception: every error ends the parse.
    bool OnError(const ParsingException& exception) override;

private:
    template <class Input>
    Document* Build(Input& input);
    // The URI that prefix stands for at the current element, as its LookupNamespaceURI answers,
    // from the declarations in scope kept below (no walk up the tree).
    const std::string& InScope(std::string_view prefix) const;
    void Declare(Element* element, std::string_view prefix, const std::string& uri);

    SAX_Parser parser;
    NodeContainer* current = nullptr;
    // Declarations of the open elements: for each prefix the URIs, innermost last, and in
    // declaration order the depth and prefix of each, so that an end tag can drop its own.
    std::map<std::string, std::vector<std::string>, std::less<>> scope;
    std::vector<std::pair<std::size_t, std::string>> declared;
    std::size_t depth = 0;
};

}
