// Feeds arbitrary bytes to the record search: the first line is the text searched for, the rest a
// settings text. The query is split and folded, the rest folded and searched, and the search must
// agree with a plain walk over the text's characters. The search text made from the rest as it is
// parsed must be the one made from its tree (or both raise), every text ended by a zero byte.
// A start time that reads as zero is shown as the present moment: the clock is fixed, so that the
// two search texts agree whenever a second passes between them. Nothing may crash.
#include "framework/CSearchQuery.h"
#include "framework/StringUtil.h"
#include "options/COption.h"
#include "options/RecordSearch.h"
#include "sprig/DOM_Exception.h"
#include "sprig/DOM_Parser.h"
#include "sprig/ParsingException.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

size_t CharLength(const std::string& text, size_t at)
{
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Whether word stands in text at the start of a character and ends at the end of one, tried at
// every character.
bool PlainContains(const std::string& text, const std::string& word)
{
    for (size_t at = 0; at < text.size(); at += CharLength(text, at)) {
        if (text.compare(at, word.size(), word) != 0)
            continue;
        size_t end = at;
        while (end < at + word.size())
            end += CharLength(text, end);
        if (end == at + word.size())
            return true;
    }
    return false;
}

const COption& Tables()
{
    static COption option = [] {
        COption tables;
        std::istringstream stream("<Option Version=\"1.1\"><Nodes Type=\"1\">"
                                  "<Node Name=\"GameType\" Value=\"Kind\"><Texts><Text Name=\"0\" Value=\"Conquest\"/></Texts></Node>"
                                  "<Node Name=\"Player\" Value=\"P\"/></Nodes></Option>");
        tables.Read(stream);
        return tables;
    }();
    return option;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetPresentClock([] { return int64_t{1067805607}; });
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string::size_type line = bytes.find('\n');
    std::string query = bytes.substr(0, line);
    std::string rest = line == std::string::npos ? std::string() : bytes.substr(line + 1);

    CSearchQuery search(query);
    std::string folded;
    CSearchQuery::Fold(rest, folded);
    bool all = true;
    for (const std::string& word : search.words) {
        if (word.empty())
            std::abort();
        bool found = CSearchQuery::Contains(folded, word);
        if (found != PlainContains(folded, word))
            std::abort();
        all = all && found;
    }
    if (search.MatchedBy({folded}) != all)
        std::abort();

    // The search text made from the text is the one made from the tree, or both raise.
    std::string fromText, fromTree;
    bool textRaised = false, treeRaised = false;
    try {
        fromText = MakeSearchText(rest, Tables(), "1");
    } catch (const Sprig::ParsingException&) {
        textRaised = true;
    } catch (const Sprig::DOM_Exception&) {
        textRaised = true;
    }
    try {
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Sprig::Document> settings(parser.Parse(rest.c_str()));
        fromTree = MakeSearchText(*settings, Tables(), "1");
    } catch (const Sprig::ParsingException&) {
        treeRaised = true;
    } catch (const Sprig::DOM_Exception&) {
        treeRaised = true;
    }
    if (textRaised != treeRaised || fromText != fromTree)
        std::abort();
    if (!fromText.empty() && fromText.back() != '\0')
        std::abort();
    search.MatchedBy({fromText});
    return 0;
}
