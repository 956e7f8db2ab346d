#include "options/COptionTemplate.h"

#include "sprig/Attribute.h"
#include "sprig/Element.h"

bool COptionTemplate::Load(const Sprig::Element& element)
{
    if (element.GetQualifiedName() != "Template")
        return false;
    value = element.GetAttribute("Value")->GetValue();
    return true;
}
