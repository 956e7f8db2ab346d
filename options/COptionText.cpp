#include "options/COptionText.h"

#include "sprig/Attribute.h"
#include "sprig/Element.h"

bool COptionText::Load(const Sprig::Element& element)
{
    if (element.GetQualifiedName() != "Text")
        return false;
    value = element.GetAttribute("Value")->GetValue();
    return true;
}
