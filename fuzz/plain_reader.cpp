// Feeds arbitrary bytes to PlainReader: a text that it reads whole gives exactly the events that
// SAX_Parser gives with whitespace trimmed, without an error; any other it refuses. Nothing may
// crash.
#include "sprig/PlainReader.h"
#include "sprig/SAX_Parser.h"

#include "sprig/EventLog.h"
#include "sprig/PlainEventLog.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    PlainEventLog plain;
    if (!Sprig::PlainReader().Read(text.c_str(), plain))
        return 0;
    EventLog events;
    Sprig::SAX_Parser parser;
    parser.ignoreWhitespace = true;
    parser.SetHandler(&events);
    parser.Parse(text);
    if (!events.errors.empty() || events.log != plain.Log())
        std::abort();
    return 0;
}
