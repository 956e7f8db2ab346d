#pragma once
#include "options/COption.h"
#include "record/CRecord.h"
#include "sprig/Document.h"

#include <memory>
#include <string>

// The export file of the list: under the root "Kar" (Version 1.0) one "RecordedFiles" element
// with one "RecordedFile" per record, in the order the records are added, each with the file's
// name, its last-write time and its translated settings.
class CExportDocument {
public:
    CExportDocument();
    virtual ~CExportDocument() = default;
    CExportDocument(const CExportDocument&) = delete;
    CExportDocument& operator=(const CExportDocument&) = delete;

    // Adds the record's entry. Raises what ParseSettings raises, and then adds nothing.
    void Add(CRecord& record, COption& option);
    // The text of the file, declared Shift_JIS, indented by tabs, lines ended by "\n".
    std::string ToString() const;

    std::unique_ptr<Sprig::Document> document;
    Sprig::Element* list;
};
