#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Decodes one recorded game file: an 8-byte header ("l33t" and the 24-bit inflated size), then a
// zlib stream whose body holds the settings (UTF-16 XML) and the map script in chunked blocks.
// Construct, Unpack, then GetGameData, then read the texts.
class CKarRecord {
public:
    CKarRecord();
    virtual ~CKarRecord() = default;
    CKarRecord(const CKarRecord&) = delete;
    CKarRecord& operator=(const CKarRecord&) = delete;

    // Reads and inflates the file into body. False with errorText set on any failure.
    bool Unpack(const std::string& path, std::vector<uint8_t>& body);
    // Cuts the settings and the map script out of the body. False when the layout is not
    // recognised (also when a block does not fit the body) or the settings block is empty;
    // throws std::out_of_range "invalid string position" without "<GameSettings>" and
    // "invalid vector<T> subscript" for an empty map script block.
    bool GetGameData(const std::vector<uint8_t>& body);

    std::string settings;
    std::string mapScript;
    std::string errorText;
    std::string formatVersion;
};
