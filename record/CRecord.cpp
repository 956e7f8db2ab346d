#include "record/CRecord.h"
#include "framework/CFile.h"
#include "framework/CPathParts.h"
#include "record/CKarRecord.h"

#include <stdexcept>
#include <utility>
#include <vector>

bool CRecord::Load(const std::string& newPath, const std::string& longName)
{
    unpacked = false;
    settingsAlone = false;
    searchText.clear();
    columns.Clear();
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
    CKarRecord decoder;
    if (!DecodeWith(decoder, filePath))
        return false;
    settings = std::move(decoder.settings);
    if (keepMapScript)
        mapScript = std::move(decoder.mapScript);
    return true;
}

const std::string* CRecord::BorrowSettings(std::string& scratch)
{
    if (SettingsDecoded())
        return &settings;
    CKarRecord decoder;
    if (!DecodeWith(decoder, path))
        return nullptr;
    scratch = std::move(decoder.settings);
    return &scratch;
}

bool CRecord::DecodeWith(CKarRecord& decoder, const std::string& filePath)
{
    std::string detail;
    try {
        std::vector<uint8_t> body;
        if (!decoder.Unpack(filePath, body))
            throw std::runtime_error("Unpack Error : " + decoder.errorText);
        if (!decoder.GetGameData(body))
            throw std::runtime_error("GetGameData Error");
        formatVersion = decoder.formatVersion;
    } catch (const std::exception& e) {
        detail = e.what();
    }
    SetMessageText(detail);
    return detail.empty();
}
