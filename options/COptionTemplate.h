#pragma once
#include "record/IXMLBase.h"

#include <string>

namespace Sprig {
class Element;
}

// One named template of the option file; for "Rename", the file name of the batch-rename
// stylesheet beside the program.
class COptionTemplate : public IXMLBase {
public:
    // False when the element is not a Template element; a missing Value attribute raises the XML
    // library's DOM exception.
    bool Load(const Sprig::Element& element);

    std::string value;
};
