#include "sprig/Text.h"

#include "sprig/Document.h"
#include "sprig/Writer.h"

namespace Sprig {

Text::Text(const std::string& value) : Value(value) {}

std::string Text::ToString(bool format, const std::string& indentUnit, int depth) const
{
    Writer writer(format, indentUnit);
    writer.Write(*this, depth);
    return writer.Result();
}

Node* Text::Clone(NodeContainer& target, std::size_t position) const
{
    return CreateText(value, &target, position);
}

}
