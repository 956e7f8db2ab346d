#include "sprig/DOM_Exception.h"

#include <utility>

namespace Sprig {

DOM_Exception::DOM_Exception(const Node* node, int32_t code, std::string message)
    : node(node), code(code), message(std::move(message))
{
}

std::string DOM_Exception::Compose(const char* place, const std::string& text)
{
    std::string message = "DOM_Exception\n";
    message += place;
    message += '\n';
    message += text;
    message += '\n';
    message += '\0';
    return message;
}

const char* DOM_Exception::what() const noexcept
{
    return message.c_str();
}

}
