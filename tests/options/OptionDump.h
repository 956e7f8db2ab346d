#pragma once
// A one-line picture of an option model, for comparing whole models in one expectation:
// "key=value{raw=text,...}" per node, then "@name=value" per template, separated by "; ".
#include "options/COption.h"

#include <string>

inline std::string DumpOption(const COption& option)
{
    std::string out;
    for (const auto& [key, node] : option.nodes) {
        out += key + "=" + node.value;
        if (!node.texts.empty()) {
            out += "{";
            for (const auto& [raw, text] : node.texts)
                out += raw + "=" + text.value + (raw == node.texts.rbegin()->first ? "" : ",");
            out += "}";
        }
        out += "; ";
    }
    for (const auto& [name, entry] : option.templates)
        out += "@" + name + "=" + entry.value + "; ";
    return out;
}
