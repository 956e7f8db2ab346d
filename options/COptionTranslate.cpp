// Translation of settings through the option tables.
#include "options/COption.h"

#include "framework/StringUtil.h"
#include "sprig/Attribute.h"
#include "sprig/Document.h"
#include "sprig/Element.h"
#include "sprig/Text.h"

#include <exception>

bool COption::Translate(std::string& name, std::string& value, const std::string& type) const
{
    bool known = false;
    if (name == "GameStartTime") {
        known = true;
        if (!value.empty() && value != "0")
            value = FormatTime(ToLong(value, 10), "%Y/%m/%d %H:%M:%S");
    }
    auto node = nodes.find(type + ":" + name);
    if (node == nodes.end())
        return known;
    name = node->second.value;
    auto text = node->second.texts.find(value);
    if (text != node->second.texts.end())
        value = text->second.value;
    return true;
}

bool COption::TranslateTree(Sprig::Element& target, const std::vector<Sprig::Node*>& source, const std::string& type)
{
    // One level per frame instead of one call per level: a settings text can nest as deep as its
    // size allows. A level that fails is dropped with the rest of its nodes; the level above goes
    // on with its next node.
    struct Level {
        Sprig::Element* target;
        const std::vector<Sprig::Node*>* nodes;
        std::size_t next;
    };
    std::vector<Level> levels{{&target, &source, 0}};
    bool result = true;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.nodes->size()) {
            levels.pop_back();
            continue;
        }
        const Sprig::Node* node = (*level.nodes)[level.next++];
        try {
            if (const auto* element = dynamic_cast<const Sprig::Element*>(node)) {
                std::string name = element->GetQualifiedName();
                std::string value = element->GetText();
                Translate(name, value, type);
                Sprig::Element* copy = Sprig::CreateElement(name, level.target);
                Sprig::CreateText(value, copy);
                levels.push_back({copy, &element->Children(), 0});
            } else if (const auto* attribute = dynamic_cast<const Sprig::Attribute*>(node)) {
                std::string name = attribute->GetQualifiedName();
                std::string value = attribute->GetValue();
                Translate(name, value, type);
                Sprig::CreateAttribute(name, value, level.target);
            }
        } catch (const std::exception& error) {
            KeepFailure(error);
            if (levels.size() == 1)
                result = false;
            levels.pop_back();
        }
    }
    return result;
}
