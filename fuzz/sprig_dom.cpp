// Feeds arbitrary bytes to DOM_Parser as text and as a stream, with and without whitespace
// trimming, and writes back whatever it built: every input must end in a document or a parse
// error, never a crash. Without a NUL byte both modes must agree on the outcome.
#include "sprig/DOM_Exception.h"
#include "sprig/DOM_Parser.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string Build(const std::string& bytes, bool stream, bool ignoreWhitespace)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = ignoreWhitespace;
    try {
        std::unique_ptr<Sprig::Document> document;
        if (stream) {
            std::istringstream in(bytes);
            document.reset(parser.Parse(in));
        } else {
            document.reset(parser.Parse(bytes.c_str()));
        }
        std::string written = document->ToString(true, "\t", 0);
        // A copy leaves the namespace declarations behind; without any it writes the same text.
        std::unique_ptr<Sprig::Node> copy(document->Clone(*document, Sprig::End));
        if (bytes.find("xmlns") == std::string::npos && copy->ToString(true, "\t", 0) != written)
            std::abort();
        return written;
    } catch (const Sprig::ParsingException& e) {
        return "ParsingException " + std::to_string(e.code);
    } catch (const Sprig::DOM_Exception& e) {
        return "DOM_Exception " + std::to_string(e.code);
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (bool ignoreWhitespace : {true, false}) {
        std::string text = Build(bytes, false, ignoreWhitespace);
        std::string stream = Build(bytes, true, ignoreWhitespace);
        if (bytes.find('\0') == std::string::npos && text != stream)
            std::abort();
    }
    return 0;
}
