#include "options/RecordSearch.h"

#include "options/RecordDocuments.h"
#include "sprig/Attribute.h"
#include "sprig/Element.h"

#include <memory>
#include <vector>

namespace {

void AddText(const std::string& text, std::string& out)
{
    if (text.empty())
        return;
    CSearchQuery::Fold(text, out);
    out += '\0';
}

}

// The walk keeps a stack of levels instead of calling itself: settings can nest as deep as
// their size allows.
std::string MakeSearchText(const Sprig::Document& settings, const COption& option,
                           const std::string& version)
{
    const Sprig::Element* root = settings.GetRootElement();
    std::string out;
    AddText(root->GetQualifiedName(), out);
    struct Level {
        const std::vector<Sprig::Node*>* nodes;
        size_t next;
    };
    std::vector<Level> levels{{&root->Children(), 0}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.nodes->size()) {
            levels.pop_back();
            continue;
        }
        const Sprig::Node* node = (*level.nodes)[level.next++];
        if (node->GetType() == Sprig::ElementNode) {
            auto element = dynamic_cast<const Sprig::Element*>(node);
            std::string name = element->GetQualifiedName();
            std::string text = element->GetText();
            option.Translate(name, text, version);
            AddText(name, out);
            AddText(text, out);
            levels.push_back({&element->Children(), 0});
        } else if (node->GetType() == Sprig::AttributeNode) {
            AddText(dynamic_cast<const Sprig::Attribute*>(node)->GetValue(), out);
        }
    }
    return out;
}

bool RecordMatches(CRecord& record, const COption& option, const CSearchQuery& query)
{
    std::string fileName;
    CSearchQuery::Fold(record.fileName, fileName);
    if (!record.searchText.empty())
        return query.MatchedBy({fileName, record.searchText});
    std::unique_ptr<Sprig::Document> settings = ParseSettingsAlone(record);
    std::string text = MakeSearchText(*settings, option, record.formatVersion);
    bool matches = query.MatchedBy({fileName, text});
    if (text.size() <= record.settings.size())
        record.searchText = std::move(text);
    return matches;
}
