#pragma once
#include "options/COptionText.h"
#include "record/IXMLBase.h"

#include <map>
#include <string>

namespace Sprig {
class Element;
}

// The display name of the elements and attributes of one name, with the display texts of their
// raw values.
class COptionNode : public IXMLBase {
public:
    // False when the element is not a Node element. Reads the Text entries of every Texts child;
    // a later entry for the same raw value replaces an earlier one. A missing Value or Name
    // attribute raises the XML library's DOM exception.
    bool Load(const Sprig::Element& element);

    std::string value;
    std::map<std::string, COptionText> texts;
};
