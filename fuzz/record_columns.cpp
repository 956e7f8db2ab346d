// Feeds arbitrary bytes to the making of a record's column texts, as a settings text of the first
// format version. The columns made from the text as it is read must be those made from its tree
// (or both raise); every cell holds at most what the list shows, without a NUL byte, and the start
// time to sort by is never negative. Nothing may crash.
#include "options/COption.h"
#include "options/RecordColumns.h"
#include "sprig/DOM_Exception.h"
#include "sprig/DOM_Parser.h"
#include "sprig/ParsingException.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace {

const COption& Tables()
{
    static COption option = [] {
        COption tables;
        std::istringstream stream("<Option Version=\"1.1\"><Nodes Type=\"1\">"
                                  "<Node Name=\"GameType\" Value=\"Kind\"><Texts><Text Name=\"0\" Value=\"Conquest\"/></Texts></Node>"
                                  "<Node Name=\"Civilization\" Value=\"Civ\"><Texts><Text Name=\"1\" Value=\"Aldmark\"/></Texts></Node>"
                                  "<Node Name=\"MapName\" Value=\"Map\"><Texts><Text Name=\"a\" Value=\"\"/></Texts></Node>"
                                  "</Nodes></Option>");
        tables.Read(stream);
        return tables;
    }();
    return option;
}

// The cells one after another, each ended by a NUL byte, and the seconds.
std::string Flat(const CColumnTexts& columns)
{
    std::string flat;
    for (int column = 0; column < CColumnTexts::kCount; ++column) {
        const char* cell = columns.Cell(static_cast<CColumnTexts::Column>(column));
        if (std::strlen(cell) > CColumnTexts::kMostBytes)
            std::abort();
        flat += cell;
        flat += '\0';
    }
    if (columns.startSeconds < 0)
        std::abort();
    return flat + std::to_string(columns.startSeconds);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string settings(reinterpret_cast<const char*>(data), size);
    std::string fromText, fromTree;
    bool textRaised = false, treeRaised = false;
    try {
        CColumnTexts columns;
        MakeColumnTexts(settings, Tables(), "1", columns);
        if (!columns.Made())
            std::abort();
        fromText = Flat(columns);
    } catch (const Sprig::ParsingException&) {
        textRaised = true;
    } catch (const Sprig::DOM_Exception&) {
        textRaised = true;
    }
    try {
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Sprig::Document> tree(parser.Parse(settings.c_str()));
        CColumnTexts columns;
        MakeColumnTexts(*tree, Tables(), "1", columns);
        fromTree = Flat(columns);
    } catch (const Sprig::ParsingException&) {
        treeRaised = true;
    } catch (const Sprig::DOM_Exception&) {
        treeRaised = true;
    }
    if (textRaised != treeRaised || fromText != fromTree)
        std::abort();
    return 0;
}
