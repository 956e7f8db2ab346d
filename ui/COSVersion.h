#pragma once
#include <windows.h>

// The running system's version and the name the version dialog gives it.
class COSVersion {
public:
    // Reads the version (GetVersionExA) and detects the system; "UnKnown" when it cannot be read.
    COSVersion();
    virtual ~COSVersion() = default;

    // The system code (0 to 15) of a version record.
    static int Detect(const OSVERSIONINFOA& version);
    // "name (major.minor.build service pack)" into out, at most size - 2 characters and ended
    // by a zero byte; 0 without a change for a null out or a size of 0, else 1.
    int GetOSName(char* out, int size) const;

    OSVERSIONINFOA version;
    OSVERSIONINFOEXA versionEx;
    int code = 0;
};
