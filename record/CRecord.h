#pragma once
#include "record/IXMLBase.h"

#include <string>

// One recorded game file as the program knows it. Loading takes only the name and time; the
// settings and the map script are decoded on first request and kept once decoding succeeded.
class CRecord : public IXMLBase {
public:
    // Fills path, file name and time text; false (and the message text) when the file cannot be
    // opened.
    bool Load(const std::string& path);
    // The settings XML, decoding first if needed; empty when decoding fails.
    const std::string& GetGameSettings();
    // The map script, decoding first if needed; empty when decoding fails.
    const std::string& GetMapScript();
    // The file has been moved to newPath: path and file name follow it. A move changes neither
    // the content nor the last-write time, so nothing is read again and the decoded texts stay.
    void Moved(const std::string& newPath);
    // Decodes the file unless that has already succeeded; false with the message text on failure.
    bool UnpackGameData(const std::string& path);

    std::string path;
    std::string fileName;
    std::string timeText;
    std::string settings;
    std::string mapScript;
    bool unpacked = false;
    std::string formatVersion;
};
