#pragma once
#include "framework/CSearchQuery.h"
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/Document.h"

#include <string>

// The texts of a record's settings that a search matches, as the record's tree shows them with
// every item: the root element's name, every other element's display name and display text
// (translated through option for the format version), and every attribute's value. Each text
// is folded for matching (CSearchQuery::Fold) and followed by a zero byte, so that no word
// matches across two of them. Raises what the XML library raises for a name it cannot give.
std::string MakeSearchText(const Sprig::Document& settings, const COption& option,
                           const std::string& version);

// Whether every word of query stands in the record's file name or in its search text. A record
// without a search text has its settings decoded (alone, CRecord::GetSettingsAlone), parsed and
// made into one, which it keeps unless it is longer than the settings: what a record keeps for
// searches never outgrows its settings. Raises what ParseSettings raises when the settings
// cannot be decoded or parsed.
bool RecordMatches(CRecord& record, const COption& option, const CSearchQuery& query);
