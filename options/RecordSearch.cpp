#include "options/RecordSearch.h"

#include "options/BuilderEvents.h"
#include "sprig/Attribute.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Element.h"
#include "sprig/PlainReader.h"
#include "sprig/SAX_Parser.h"

#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

void AddText(std::string_view text, std::string& out)
{
    if (text.empty())
        return;
    CSearchQuery::Fold(text, out);
    out += '\0';
}

// An element's name and text as the tree shows them: the root's name as it is (its text is not
// shown), any other element's translated.
class ElementTexts {
public:
    ElementTexts(const COption& option, const std::string& version, std::string& out,
                 TranslationMemo* memo)
        : option(option), version(version), out(out), memo(memo)
    {
    }
    void Add(std::string_view elementName, std::string_view elementText, bool root)
    {
        if (root) {
            AddText(elementName, out);
            return;
        }
        if (memo) {
            key.assign(version);
            key += '\0';
            key += elementName;
            key += '\0';
            key += elementText;
            auto known = memo->texts.find(key);
            if (known != memo->texts.end()) {
                out += known->second;
                return;
            }
        }
        size_t start = out.size();
        name = elementName;
        text = elementText;
        option.Translate(name, text, version);
        AddText(name, out);
        AddText(text, out);
        if (memo && memo->texts.size() < TranslationMemo::kMostEntries)
            memo->texts.emplace(key, out.substr(start));
    }

private:
    const COption& option;
    const std::string& version;
    std::string& out;
    TranslationMemo* memo;
    std::string key;
    std::string name;
    std::string text;
};

// The search text from the reader's events. An element's text is known at its end, when its
// name and text are added. Names with a prefix, or namespaces declared, leave the names to the
// tree: the builder only notes them.
class SearchTextBuilder : public Sprig::PlainReader::Handler {
public:
    SearchTextBuilder(const COption& option, const std::string& version, std::string& out,
                      TranslationMemo* memo)
        : texts(option, version, out, memo), out(out)
    {
    }

    void OnStartElement(std::string_view name) override
    {
        if (name.find(':') != std::string_view::npos)
            namespaces = true;
        // The levels keep their strings from element to element.
        if (depth == open.size())
            open.emplace_back();
        open[depth].name = name;
        open[depth].text.clear();
        ++depth;
        sawElement = true;
    }
    void OnAttribute(std::string_view name, std::string_view value) override
    {
        if (name == "xmlns" || name.substr(0, 6) == "xmlns:")
            namespaces = true;
        else
            AddText(value, out);
    }
    void OnCharacters(std::string_view text) override
    {
        if (depth > 0)
            open[depth - 1].text += text;
    }
    void OnEndElement(std::string_view) override
    {
        --depth;
        texts.Add(open[depth].name, open[depth].text, depth == 0);
    }
    // The parser forgives end tags missing at the end of the text: those elements end there.
    void Finish()
    {
        while (depth > 0)
            OnEndElement(open[depth - 1].name);
    }
    // Everything made so far is dropped, for the same text read again.
    void Restart()
    {
        out.clear();
        depth = 0;
        namespaces = sawElement = false;
    }

    bool namespaces = false;
    bool sawElement = false;

private:
    struct Open {
        std::string name;
        std::string text;
    };
    ElementTexts texts;
    std::string& out;
    std::vector<Open> open;
    size_t depth = 0;
};

}

std::string MakeSearchText(const std::string& settings, const COption& option,
                           const std::string& version, TranslationMemo* memo)
{
    // The texts are shorter than the settings, which hold them between tags.
    std::string out;
    out.reserve(settings.size());
    SearchTextBuilder builder(option, version, out, memo);
    if (!Sprig::PlainReader().Read(settings.c_str(), builder)) {
        builder.Restart();
        BuilderEvents<SearchTextBuilder> events(builder);
        Sprig::SAX_Parser parser;
        parser.ignoreWhitespace = true;
        parser.SetHandler(&events);
        parser.Parse(settings);
        builder.Finish();
    }
    if (!builder.namespaces && builder.sawElement)
        return out;
    // The tree gives the names, and raises what it raises for settings without an element.
    Sprig::DOM_Parser treeParser;
    treeParser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> document(treeParser.Parse(settings.c_str()));
    return MakeSearchText(*document, option, version);
}

// The walk keeps a stack of levels instead of calling itself: settings can nest as deep as
// their size allows.
std::string MakeSearchText(const Sprig::Document& settings, const COption& option,
                           const std::string& version)
{
    const Sprig::Element* root = settings.GetRootElement();
    std::string out;
    ElementTexts texts(option, version, out, nullptr);
    struct Level {
        const Sprig::Element* element;
        size_t next;
    };
    std::vector<Level> levels{{root, 0}};
    while (!levels.empty()) {
        Level& level = levels.back();
        const std::vector<Sprig::Node*>& children = level.element->Children();
        if (level.next == children.size()) {
            texts.Add(level.element->GetQualifiedName(), level.element->GetText(), levels.size() == 1);
            levels.pop_back();
            continue;
        }
        const Sprig::Node* node = children[level.next++];
        if (node->GetType() == Sprig::ElementNode)
            levels.push_back({dynamic_cast<const Sprig::Element*>(node), 0});
        else if (node->GetType() == Sprig::AttributeNode)
            AddText(dynamic_cast<const Sprig::Attribute*>(node)->GetValue(), out);
    }
    return out;
}

bool RecordMatches(CRecord& record, const COption& option, const CSearchQuery& query,
                   TranslationMemo* memo)
{
    std::string fileName;
    CSearchQuery::Fold(record.fileName, fileName);
    if (!record.searchText.empty())
        return query.MatchedBy({fileName, record.searchText});
    const std::string& settings = record.GetSettingsAlone();
    if (!record.SettingsDecoded())
        throw std::runtime_error(record.GetMessageText());
    std::string text = MakeSearchText(settings, option, record.formatVersion, memo);
    bool matches = query.MatchedBy({fileName, text});
    if (text.size() <= settings.size()) {
        text.shrink_to_fit();
        record.searchText = std::move(text);
    }
    return matches;
}
