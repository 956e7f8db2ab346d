#pragma once
#include "framework/CSearchQuery.h"
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/Document.h"

#include <string>
#include <unordered_map>

// The folded display name and text that each element name and raw text gave, by format version,
// kept across the records of one search: settings repeat most of their names and values. It
// holds at most kMostEntries; texts met later are translated every time.
struct TranslationMemo {
    static constexpr size_t kMostEntries = 4096;
    std::unordered_map<std::string, std::string> texts;
};

// The texts of a record's settings that a search matches, as the record's tree shows them with
// every item: the root element's name, every other element's display name and display text
// (translated through option for the format version), and every attribute's value. Each text
// is folded for matching (CSearchQuery::Fold) and followed by a zero byte, so that no word
// matches across two of them. An element's attributes come first, then what lies below it, then
// its own name and text.
//
// Made from the settings text as it is read, without a tree: plain settings (nearly all) by
// PlainReader, any other by the parser; settings whose names have namespaces are made into a
// tree, whose names the tree view shows. Raises what parsing
// the settings into a tree raises (ParsingException, DOM_Exception). A memo, when given, gives
// and keeps the translated texts.
std::string MakeSearchText(const std::string& settings, const COption& option,
                           const std::string& version, TranslationMemo* memo = nullptr);
// The same texts taken from the settings' tree.
std::string MakeSearchText(const Sprig::Document& settings, const COption& option,
                           const std::string& version);

// Whether every word of query stands in the record's file name or in its search text. A record
// without a search text has its settings decoded (alone, CRecord::GetSettingsAlone) and made into
// one, which it keeps unless it is longer than the settings: what a record keeps for searches
// never outgrows its settings. Raises std::runtime_error with the record's message text when the
// settings cannot be decoded, and what MakeSearchText raises.
bool RecordMatches(CRecord& record, const COption& option, const CSearchQuery& query,
                   TranslationMemo* memo = nullptr);
