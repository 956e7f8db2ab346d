#include "options/RecordDocuments.h"

#include "framework/StringUtil.h"
#include "sprig/DOM_Parser.h"

#include <stdexcept>

std::unique_ptr<Sprig::Document> ParseSettings(CRecord& record)
{
    const std::string& settings = record.GetGameSettings();
    if (!record.SettingsDecoded())
        throw std::runtime_error(record.GetMessageText());
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Sprig::Document> document(parser.Parse(settings.c_str()));
    document->GetRootElement();
    return document;
}

std::string MakeRenameDocument(CRecord& record, COption& option)
{
    std::unique_ptr<Sprig::Document> settings = ParseSettings(record);
    std::unique_ptr<Sprig::Document> document(Sprig::CreateDocument("GameSettings"));
    // Written in UTF-8: the stylesheet engine need not know the ANSI code page, and Wine's
    // refuses every document that declares Shift_JIS.
    Sprig::CreateAttribute("version", "1.0", document.get());
    Sprig::CreateAttribute("encoding", "UTF-8", document.get());
    option.TranslateTree(*document->GetRootElement(), settings->GetRootElement()->Children(),
                         record.formatVersion);
    return AnsiToUtf8(document->ToString(true, "\t", 0));
}
