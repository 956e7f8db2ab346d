// Reads arbitrary bytes as an option file, then translates the same bytes, read as settings,
// through whatever entries the load kept: every input must end in a result, never a crash.
#include "options/COption.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    COption option;
    std::istringstream stream(text);
    option.Read(stream);
    std::unique_ptr<Sprig::Document> settings;
    try {
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        settings.reset(parser.Parse(text.c_str()));
    } catch (const std::exception&) {
        return 0;
    }
    std::unique_ptr<Sprig::Document> target(Sprig::CreateDocument("GameSettings"));
    for (const char* type : {"1", "2"})
        option.TranslateTree(*target->GetRootElement(), settings->Children(), type);
    return 0;
}
