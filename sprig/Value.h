#pragma once
#include "sprig/Node.h"

#include <string>

namespace Sprig {

// A node with a text value, kept exactly as set; the writer escapes it.
class Value : public virtual Node {
public:
    std::string GetValue() const { return value; }

protected:
    friend class Writer;

    explicit Value(const std::string& value);

    std::string value;
};

}
