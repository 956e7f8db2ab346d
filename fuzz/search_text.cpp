// Feeds arbitrary bytes to the record search: the first line is the text searched for, the rest a
// settings text. The query is split and folded, the rest folded and searched, and the search must
// agree with a plain walk over the text's characters; a rest that parses becomes a search text
// whose every text ends with a zero byte. Nothing may crash.
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

    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    try {
        std::unique_ptr<Sprig::Document> settings(parser.Parse(rest.c_str()));
        std::string text = MakeSearchText(*settings, Tables(), "1");
        if (text.empty() || text.back() != '\0')
            std::abort();
        search.MatchedBy({text});
    } catch (const Sprig::ParsingException&) {
    } catch (const Sprig::DOM_Exception&) {
    }
    return 0;
}
