#include "sprig/ParsingException.h"

#include <utility>

namespace Sprig {

ParsingException::ParsingException(int32_t position, int32_t code, std::string message)
    : position(position), code(code), message(std::move(message))
{
}

const char* ParsingException::what() const noexcept
{
    return message.c_str();
}

}
