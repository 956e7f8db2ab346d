#include "options/FailureText.h"

#include "framework/StringUtil.h"
#include "sprig/ParsingException.h"

std::string FailureText(const std::exception& error)
{
    if (const auto* parsing = dynamic_cast<const Sprig::ParsingException*>(&error))
        return "エラー場所：" + FormatInt(parsing->position, "%ld") + "\n" + parsing->what();
    return error.what();
}
