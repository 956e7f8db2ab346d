#pragma once
#include "sprig/Value.h"
#include "sprig/noncopyable.h"

namespace Sprig {

class Comment : public boost::noncopyable, public Value {
public:
    explicit Comment(const std::string& value);

    int GetType() const override { return CommentNode; }
    // <!--value--> on a line of its own.
    std::string ToString(bool format, const std::string& indentUnit, int depth) const override;
    Node* Clone(NodeContainer& target, std::size_t position) const override;
};

}
