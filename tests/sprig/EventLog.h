#pragma once
// A SAX handler that writes every event as one line of a log, for comparing whole parses.
#include "sprig/SAX_EventHandler.h"

#include <string>
#include <vector>

class EventLog : public Sprig::SAX_EventHandler {
public:
    // Answer of OnError: true stops the parse.
    explicit EventLog(bool stopOnError = true) : stopOnError(stopOnError) {}

    void OnDeclaration(const Sprig::AttributeList& attributes) override { log += "decl" + List(attributes) + "\n"; }
    void OnStartElement(const std::string& name, const Sprig::AttributeList& attributes) override
    {
        log += "start " + name + List(attributes) + "\n";
    }
    void OnEndElement(const std::string& name) override { log += "end " + name + "\n"; }
    void OnCharacters(const std::string& text) override { log += "text[" + text + "]\n"; }
    void OnComment(const std::string& text) override { log += "comment[" + text + "]\n"; }
    bool OnError(const Sprig::ParsingException& e) override
    {
        errors.push_back(e);
        log += "error " + std::to_string(e.code) + "@" + std::to_string(e.position) + "\n";
        return stopOnError;
    }

    std::string log;
    std::vector<Sprig::ParsingException> errors;

private:
    static std::string List(const Sprig::AttributeList& attributes)
    {
        std::string text;
        for (const auto& a : attributes)
            text += " " + a.first + "=" + a.second;
        return text;
    }

    bool stopOnError;
};
