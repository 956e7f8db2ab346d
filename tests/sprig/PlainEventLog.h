#pragma once
// What PlainReader reports, written as EventLog writes what SAX_Parser reports: an element's
// start line waits for its attributes, which the reader gives one by one after it.
#include "sprig/PlainReader.h"

#include <string>
#include <string_view>

class PlainEventLog : public Sprig::PlainReader::Handler {
public:
    void OnStartElement(std::string_view name) override
    {
        Flush();
        start = "start " + std::string(name);
        started = true;
    }
    void OnAttribute(std::string_view name, std::string_view value) override
    {
        start += " " + std::string(name) + "=" + std::string(value);
    }
    void OnCharacters(std::string_view text) override
    {
        Flush();
        log += "text[" + std::string(text) + "]\n";
    }
    void OnEndElement(std::string_view name) override
    {
        Flush();
        log += "end " + std::string(name) + "\n";
    }

    // The log, with the start line of the element read last.
    std::string Log() const { return started ? log + start + "\n" : log; }

private:
    void Flush()
    {
        if (started)
            log += start + "\n";
        started = false;
    }

    std::string log;
    std::string start;
    bool started = false;
};
