#include "options/COptionNode.h"

#include "sprig/Attribute.h"
#include "sprig/Element.h"

bool COptionNode::Load(const Sprig::Element& element)
{
    if (element.GetQualifiedName() != "Node")
        return false;
    value = element.GetAttribute("Value")->GetValue();
    for (const Sprig::Node* child : element.Children()) {
        const auto* table = dynamic_cast<const Sprig::Element*>(child);
        if (!table || table->GetQualifiedName() != "Texts")
            continue;
        for (const Sprig::Node* entry : table->Children()) {
            const auto* textElement = dynamic_cast<const Sprig::Element*>(entry);
            if (!textElement)
                continue;
            COptionText text;
            if (text.Load(*textElement))
                texts[textElement->GetAttribute("Name")->GetValue()] = text;
        }
    }
    return true;
}
