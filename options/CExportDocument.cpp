#include "options/CExportDocument.h"

#include "options/RecordDocuments.h"
#include "sprig/Writer.h"

CExportDocument::CExportDocument() : document(Sprig::CreateDocument("Kar"))
{
    Sprig::CreateAttribute("version", "1.0", document.get());
    Sprig::CreateAttribute("encoding", "Shift_JIS", document.get());
    Sprig::Element* root = document->GetRootElement();
    Sprig::CreateAttribute("Version", "1.0", root);
    list = Sprig::CreateElement("RecordedFiles", root);
}

void CExportDocument::Add(CRecord& record, COption& option)
{
    std::unique_ptr<Sprig::Document> settings = ParseSettings(record);
    Sprig::Element* entry = Sprig::CreateElement("RecordedFile", list);
    // The file's own texts are plain: a name may hold what looks like a reference.
    Sprig::CreateAttribute("Name", Sprig::AttributeText(record.fileName), entry);
    Sprig::CreateAttribute("LastWriteTime", Sprig::AttributeText(record.timeText), entry);
    option.TranslateTree(*entry, settings->Children(), record.formatVersion);
}

std::string CExportDocument::ToString() const
{
    return document->ToString(true, "\t", 0);
}
