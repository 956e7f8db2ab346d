#pragma once
#include "record/CColumnTexts.h"
#include "record/IXMLBase.h"

#include <string>

class CKarRecord;

// One recorded game file as the program knows it. Loading takes only the name and time; the
// settings and the map script are decoded on first request and kept once decoding succeeded.
class CRecord : public IXMLBase {
public:
    // Fills path, file name and time text; false (and the message text) when the file cannot be
    // opened. longName is the file name when the path names the file by its short name (as the
    // code page shows its long one); empty, the path's own.
    bool Load(const std::string& path, const std::string& longName = std::string());
    // The settings XML, decoding first if needed; empty when decoding fails.
    const std::string& GetGameSettings();
    // The settings XML as GetGameSettings gives it, but a file decoded here keeps its settings
    // alone: its map script is left for GetMapScript to decode.
    const std::string& GetSettingsAlone();
    // Whether the settings have been decoded, with the map script or alone.
    bool SettingsDecoded() const;
    // The map script, decoding first if needed; empty when decoding fails.
    const std::string& GetMapScript();
    // The file has been moved to newPath: loaded again from there, as Load does (name and time
    // read anew, decoded texts dropped). A file that cannot be opened just now (another program
    // holds it) is followed all the same: the new path and file name, no decoded texts, the time
    // as it was; the next request decodes it from its new path.
    void Moved(const std::string& newPath);
    // The file has been moved to newPath, where the file itself gave newTimeText as its
    // last-write time: the record follows it as a Load from there would, without opening it
    // (longName as for Load).
    void Followed(const std::string& newPath, const std::string& newTimeText,
                  const std::string& longName = std::string());
    // Decodes the file unless that has already succeeded; false with the message text on failure.
    bool UnpackGameData(const std::string& path);
    // The settings XML for a reader that keeps only what it makes of them: the record's own text
    // when it has decoded its settings, otherwise the file decoded into scratch, the record keeping
    // only the format version (neither the settings nor the map script). Null, with the message
    // text, when the file cannot be decoded.
    const std::string* BorrowSettings(std::string& scratch);

    std::string path;
    std::string fileName;
    std::string timeText;
    std::string settings;
    std::string mapScript;
    bool unpacked = false;
    std::string formatVersion;
    // The settings were decoded by GetSettingsAlone; the map script was not kept.
    bool settingsAlone = false;
    // What a search of the records matches in the settings, made from them by the search and
    // kept for the next one; empty until then. Loading or moving the file drops it.
    std::string searchText;
    // What the file list's own columns show of the settings, made when a row first shows them and
    // kept for the sorts; loading or moving the file drops them.
    CColumnTexts columns;

private:
    // The decoding of UnpackGameData, keeping the map script or not.
    bool Decode(const std::string& filePath, bool keepMapScript);
    // Decodes the file with decoder, keeping the format version; false with the message text.
    bool DecodeWith(CKarRecord& decoder, const std::string& filePath);
};
