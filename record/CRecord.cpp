#include "record/CRecord.h"
#include "framework/CFile.h"
#include "framework/CPathParts.h"
#include "record/CKarRecord.h"

#include <stdexcept>
#include <vector>

bool CRecord::Load(const std::string& newPath, const std::string& longName)
{
    unpacked = false;
    settingsAlone = false;
    searchText.clear();
    std::string detail;
    try {
        CFile file;
        if (!file.Open(true, kGenericRead, newPath))
            throw std::runtime_error("File Open Error : " + newPath);
        CPathParts parts(newPath.c_str());
        path = newPath;
        fileName = longName.empty() ? std::string(parts.fileName) : longName;
        timeText = file.GetTimeText(FileTimeLastWrite);
        settings.clear();
        mapScript.clear();
        file.Close();
    } catch (const std::exception& e) {
        detail = e.what();
    } catch (const char* text) {
        detail = text;
    }
    SetMessageText(detail);
    return detail.empty();
}

void CRecord::Moved(const std::string& newPath)
{
    if (Load(newPath))
        return;
    path = newPath;
    fileName = CPathParts(newPath.c_str()).fileName;
    settings.clear();
    mapScript.clear();
}

void CRecord::Followed(const std::string& newPath, const std::string& newTimeText,
                       const std::string& longName)
{
    unpacked = false;
    settingsAlone = false;
    searchText.clear();
    path = newPath;
    fileName = longName.empty() ? std::string(CPathParts(newPath.c_str()).fileName) : longName;
    timeText = newTimeText;
    settings.clear();
    mapScript.clear();
    SetMessageText(std::string());
}

const std::string& CRecord::GetGameSettings()
{
    if (!settingsAlone)
        UnpackGameData(path);
    return settings;
}

const std::string& CRecord::GetSettingsAlone()
{
    if (!unpacked && !settingsAlone)
        settingsAlone = Decode(path, false);
    return settings;
}

const std::string& CRecord::GetMapScript()
{
    UnpackGameData(path);
    return mapScript;
}

bool CRecord::SettingsDecoded() const
{
    return unpacked || settingsAlone;
}

bool CRecord::UnpackGameData(const std::string& filePath)
{
    if (unpacked)
        return true;
    unpacked = Decode(filePath, true);
    return unpacked;
}

bool CRecord::Decode(const std::string& filePath, bool keepMapScript)
{
    std::string detail;
    try {
        CKarRecord decoder;
        std::vector<uint8_t> body;
        if (!decoder.Unpack(filePath, body))
            throw std::runtime_error("Unpack Error : " + decoder.errorText);
        if (!decoder.GetGameData(body))
            throw std::runtime_error("GetGameData Error");
        settings = decoder.settings;
        if (keepMapScript)
            mapScript = decoder.mapScript;
        formatVersion = decoder.formatVersion;
    } catch (const std::exception& e) {
        detail = e.what();
    }
    SetMessageText(detail);
    return detail.empty();
}
