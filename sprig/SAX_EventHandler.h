#pragma once
#include "sprig/ParsingException.h"

#include <string>
#include <utility>
#include <vector>

namespace Sprig {

// (name, value) pairs in document order, duplicates allowed, names as written (with prefix).
using AttributeList = std::vector<std::pair<std::string, std::string>>;

// What SAX_Parser reports. The arguments are the parser's own buffers, valid during the call
// only: a handler that keeps one copies it.
class SAX_EventHandler {
public:
    virtual void OnDeclaration(const AttributeList& attributes) = 0;
    virtual void OnStartElement(const std::string& name, const AttributeList& attributes) = 0;
    // The name as written in the end tag, or the start tag's name for an empty element.
    virtual void OnEndElement(const std::string& name) = 0;
    // Character data, or the content of a CDATA section.
    virtual void OnCharacters(const std::string& text) = 0;
    virtual void OnComment(const std::string& text) = 0;
    // true stops the parse (Parse then returns false); false lets it go on.
    virtual bool OnError(const ParsingException& exception) = 0;
    virtual ~SAX_EventHandler() = default;
};

}
