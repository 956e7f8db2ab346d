// The game's installation as its registry entries describe it.
#include "record/CKarRecord.h"

#include "framework/CRegKey.h"
#include "framework/Shell.h"
#include "framework/StringUtil.h"

#include <shlobj.h>

namespace {

struct Product {
    const char* key;
    const char* name; // as the failure messages call it
};
const Product kGame = {"SOFTWARE\\Microsoft\\Microsoft Games\\Karthen\\1.0", "Kar"};
const Product kExpansion = {"SOFTWARE\\Microsoft\\Microsoft Games\\Karthen Expansion Pack\\1.0",
                            "KarX"};

// The game is a 32-bit program: its keys are in the 32-bit view of the registry, which a 64-bit
// program sees only when it asks for it. The keys are only read, so that a user who may not
// write to HKEY_LOCAL_MACHINE finds the game too, and a query never leaves an empty key behind.
std::string Query(const Product& product, const char* value, std::string& errorText)
{
    std::string result;
    CRegKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, product.key, KEY_QUERY_VALUE | KEY_WOW64_32KEY))
        errorText = std::string("Can't open ") + product.name + " Registry";
    else if (!key.GetString(value, result))
        errorText = std::string("Can't open ") + product.name + " " + value;
    return result;
}

// The folder below a folder that a query gave, with one backslash between them also where the
// installation wrote its folder with a final one ("C:\Games\Karthen\").
std::string Below(const std::string& folder, const char* tail)
{
    return LastCharacterIs(folder, '\\') ? folder + (tail + 1) : folder + tail;
}

}

std::string CKarRecord::GetAppPath()
{
    return Query(kGame, "AppPath", errorText);
}

std::string CKarRecord::GetCDPath()
{
    return Query(kGame, "CDPath", errorText);
}

std::string CKarRecord::GetVersion()
{
    return Query(kGame, "Version", errorText);
}

std::string CKarRecord::GetPID()
{
    return Query(kGame, "PID", errorText);
}

std::string CKarRecord::GetRiftAppPath()
{
    return Query(kExpansion, "AppPath", errorText);
}

std::string CKarRecord::GetRiftCDPath()
{
    return Query(kExpansion, "CDPath", errorText);
}

std::string CKarRecord::GetRiftVersion()
{
    return Query(kExpansion, "Version", errorText);
}

std::string CKarRecord::GetRiftPID()
{
    return Query(kExpansion, "PID", errorText);
}

std::string CKarRecord::GetSaveGameFolder()
{
    return Below(GetAppPath(), "\\savegame");
}

std::string CKarRecord::GetTauntsFolder()
{
    return Below(GetAppPath(), "\\sound\\taunts");
}

std::string CKarRecord::GetRiftTauntsFolder()
{
    return Below(GetRiftAppPath(), "\\sound\\xpack\\xtaunts");
}

std::string CKarRecord::GetMyGamesSaveFolder()
{
    return Below(GetSpecialFolderPath(CSIDL_PERSONAL), "\\My Games\\Karthen\\Savegame");
}

std::string CKarRecord::GetInitialFolder()
{
    return GetMyGamesSaveFolder();
}

std::string CKarRecord::GetRecordFileTypes()
{
    return "rec|rcx";
}

std::string CKarRecord::GetOpenFilter()
{
    return "Custom(*.rec,*.rcx)|*.rec;*.rcx|Kar Recorded Game Files (*.rec)|*.rec|"
           "Kar Rift Recorded Game Files (*.rcx)|*.rcx|All Files (*.*)|*.*";
}
