#pragma once
#include "options/COptionNode.h"
#include "options/COptionTemplate.h"
#include "record/IXMLBase.h"

#include <exception>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace Sprig {
class Element;
class Node;
}

// The viewer's vocabulary from option.xml: display names and value texts per format version of
// recorded games, and the named templates.
class COption : public IXMLBase {
public:
    // Reads the option file. A missing file is created empty. False on an empty path, a file that
    // cannot be opened or is empty, a version other than "1.1" and any error of the XML (the last
    // three with the message text); entries stored before an error stay.
    bool Load(const std::string& path);
    // The same for an option file already opened as a stream, from the parse on.
    bool Read(std::istream& stream);

    // Replaces name and value by their display texts in the table of the format version type.
    // "GameStartTime" becomes a local date first. True when the name has an entry, and always for
    // "GameStartTime".
    bool Translate(std::string& name, std::string& value, const std::string& type) const;

    // Appends to target a translated copy of the elements and attributes among source, at every
    // depth and in document order; text and comments are not copied. A level of the walk that
    // fails stops there and sets the message text; the levels around it go on. True when the
    // walk of source itself ended normally.
    bool TranslateTree(Sprig::Element& target, const std::vector<Sprig::Node*>& source, const std::string& type);

    // Key of the nodes map: format version, a colon, the name.
    std::map<std::string, COptionNode> nodes;
    std::map<std::string, COptionTemplate> templates;

private:
    // The message text of a failure: the parser's position and message, or the exception's text.
    void KeepFailure(const std::exception& error);
    void ReadTables(const Sprig::Element& root);
    void ReadNodes(const Sprig::Element& table);
    void ReadTemplates(const Sprig::Element& table);
};
