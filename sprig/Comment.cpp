#include "sprig/Comment.h"

#include "sprig/Document.h"
#include "sprig/Writer.h"

namespace Sprig {

Comment::Comment(const std::string& value) : Value(value) {}

std::string Comment::ToString(bool format, const std::string& indentUnit, int depth) const
{
    Writer writer(format, indentUnit);
    writer.Write(*this, depth);
    return writer.Result();
}

Node* Comment::Clone(NodeContainer& target, std::size_t position) const
{
    return CreateComment(value, &target, position);
}

}
