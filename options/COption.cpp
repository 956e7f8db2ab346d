// Loading of the option file.
#include "options/COption.h"

#include "framework/CFile.h"
#include "options/FailureText.h"
#include "sprig/Attribute.h"
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"
#include "sprig/Element.h"

#include <exception>
#include <fstream>
#include <istream>
#include <memory>

namespace {
const Sprig::Element* AsElement(const Sprig::Node* node)
{
    return dynamic_cast<const Sprig::Element*>(node);
}
}

bool COption::Load(const std::string& path)
{
    if (path.empty())
        return false;
    {
        // Only a test: creates a missing file empty, so that the user finds where it belongs.
        CFile file;
        if (!file.Open(false, kGenericRead, path))
            return false;
        if (file.GetSize() == 0)
            return false;
    }
    // Binary, so that the parser sees the bytes of the file as they are.
    std::ifstream stream(path, std::ios::binary);
    if (!stream.good())
        return false;
    return Read(stream);
}

bool COption::Read(std::istream& stream)
{
    try {
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::unique_ptr<Sprig::Document> document(parser.Parse(stream));
        const Sprig::Element& root = *document->GetRootElement();
        std::string version = root.GetAttribute("Version")->GetValue();
        if (version != "1.1") {
            messageText = "対応していないバージョンです：" + version;
            return false;
        }
        ReadTables(root);
        return true;
    } catch (const std::exception& error) {
        KeepFailure(error);
    }
    return false;
}

void COption::KeepFailure(const std::exception& error)
{
    SetMessageText(FailureText(error));
}

void COption::ReadTables(const Sprig::Element& root)
{
    for (const Sprig::Node* child : root.Children()) {
        const Sprig::Element* table = AsElement(child);
        if (!table)
            continue;
        if (table->GetQualifiedName() == "Nodes")
            ReadNodes(*table);
        else if (table->GetQualifiedName() == "Templates")
            ReadTemplates(*table);
    }
}

void COption::ReadNodes(const Sprig::Element& table)
{
    const std::string type = table.GetAttribute("Type")->GetValue();
    for (const Sprig::Node* child : table.Children()) {
        const Sprig::Element* element = AsElement(child);
        if (!element)
            continue;
        COptionNode node;
        if (node.Load(*element))
            nodes[type + ":" + element->GetAttribute("Name")->GetValue()] = node;
    }
}

void COption::ReadTemplates(const Sprig::Element& table)
{
    for (const Sprig::Node* child : table.Children()) {
        const Sprig::Element* element = AsElement(child);
        if (!element)
            continue;
        COptionTemplate entry;
        if (entry.Load(*element))
            templates[element->GetAttribute("Name")->GetValue()] = entry;
    }
}
