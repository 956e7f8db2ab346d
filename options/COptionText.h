#pragma once
#include "record/IXMLBase.h"

#include <string>

namespace Sprig {
class Element;
}

// The display text of one raw value of a setting.
class COptionText : public IXMLBase {
public:
    // False when the element is not a Text element; a missing Value attribute raises the XML
    // library's DOM exception.
    bool Load(const Sprig::Element& element);

    std::string value;
};
