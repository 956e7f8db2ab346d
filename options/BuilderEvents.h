#pragma once
#include "sprig/SAX_Parser.h"

#include <string>

// The parser's events passed on to a builder of texts from the settings (its OnStartElement,
// OnAttribute, OnEndElement and OnCharacters), for settings whose text is not plain; a parsing
// error is raised.
template <class Builder>
class BuilderEvents : public Sprig::SAX_EventHandler {
public:
    explicit BuilderEvents(Builder& builder) : builder(builder) {}

    void OnDeclaration(const Sprig::AttributeList&) override {}
    void OnStartElement(const std::string& name, const Sprig::AttributeList& attributes) override
    {
        builder.OnStartElement(name);
        for (const auto& attribute : attributes)
            builder.OnAttribute(attribute.first, attribute.second);
    }
    void OnEndElement(const std::string& name) override { builder.OnEndElement(name); }
    void OnCharacters(const std::string& text) override { builder.OnCharacters(text); }
    void OnComment(const std::string&) override {}
    bool OnError(const Sprig::ParsingException& exception) override { throw exception; }

private:
    Builder& builder;
};
