#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Decodes one recorded game file: an 8-byte header ("l33t" and the 24-bit inflated size), then a
// zlib stream whose body holds the settings (UTF-16 XML) and the map script in chunked blocks.
// Construct, Unpack, then GetGameData, then read the texts.
// It also finds the installed game and its expansion from their registry entries (on Windows
// only): a failed query gives the empty text and leaves its message in errorText.
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

    // The installation values of the game and of its expansion.
    std::string GetAppPath();
    std::string GetCDPath();
    std::string GetVersion();
    std::string GetPID();
    std::string GetRiftAppPath();
    std::string GetRiftCDPath();
    std::string GetRiftVersion();
    std::string GetRiftPID();
    // The game's folders, derived from the values above whether or not they were found (a
    // missing game gives the suffix alone), and the recorded games of the user's documents.
    std::string GetSaveGameFolder();
    std::string GetTauntsFolder();
    std::string GetRiftTauntsFolder();
    std::string GetMyGamesSaveFolder();
    // Where the open-file and open-folder dialogs start.
    std::string GetInitialFolder();
    // The accepted extensions, "rec|rcx", and the open dialog's filter in SetFilter's form.
    static std::string GetRecordFileTypes();
    static std::string GetOpenFilter();

    std::string settings;
    std::string mapScript;
    std::string errorText;
    std::string formatVersion;
};
