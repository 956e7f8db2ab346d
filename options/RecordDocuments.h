#pragma once
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/Document.h"

#include <memory>
#include <string>

// The settings of a record as a tree: the file is decoded on first use and its settings text
// parsed, blanks between tags ignored. Raises std::runtime_error with the record's message text
// when the file cannot be decoded, and the XML library's exceptions when the text is not
// well-formed or holds no element.
std::unique_ptr<Sprig::Document> ParseSettings(CRecord& record);

// The document that the batch-rename stylesheet reads for a record, as UTF-8 text with its
// declaration: the root "GameSettings" and below it the translated children of the record's own
// root element. Raises what ParseSettings raises.
std::string MakeRenameDocument(CRecord& record, COption& option);
