#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The version block of a file: its translations and the strings of the first one.
class CVersionInfo {
public:
    virtual ~CVersionInfo() = default;

    // Reads the file's version block; the number of its translations, 0 when it has no usable
    // block (or for an empty name).
    int Load(const std::string& fileName);
    // The string of the key in the translation in use; false without a change when there is
    // none.
    bool QueryString(const std::string& key, std::string& out);
    std::string GetProductName();
    std::string GetFileVersion();

    std::vector<BYTE> block;
    // Language and code page of each translation, in the block.
    const WORD* translations = nullptr;
    int translationCount = 0;
    int current = 0;
};
