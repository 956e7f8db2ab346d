#pragma once
#include <string>

// Base of the objects that keep the description of their last failure as a message text.
class IXMLBase {
public:
    virtual ~IXMLBase() = default;

    std::string GetMessageText() const { return messageText; }
    // Stores the fixed prefix, two line feeds, then the detail (the prefix alone on success).
    void SetMessageText(const std::string& detail);

    std::string messageText;
};
