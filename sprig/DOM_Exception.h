#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace Sprig {

class Node;

// Raised by every tree operation that cannot do its work. The message is several lines: the
// class name, the place that raised it, the text, a final line feed and a stored NUL byte.
class DOM_Exception : public std::exception {
public:
    DOM_Exception(const Node* node, int32_t code, std::string message);

    // "DOM_Exception", place, text, each on a line of its own, then the NUL byte.
    static std::string Compose(const char* place, const std::string& text);

    const char* what() const noexcept override;

    const Node* node;
    int32_t code;
    std::string message;
};

}
