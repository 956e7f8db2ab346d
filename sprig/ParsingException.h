#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace Sprig {

// A parse error. position is the byte offset of the offending token in the current buffer (the
// whole text, or in stream mode the piece read since the last '>'), -1 when there is none. The
// message is several lines ending with a line feed and a stored NUL byte.
class ParsingException : public std::exception {
public:
    ParsingException(int32_t position, int32_t code, std::string message);

    const char* what() const noexcept override;

    int32_t position;
    int32_t code;
    std::string message;
};

}
