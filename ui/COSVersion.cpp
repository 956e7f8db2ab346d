#include "ui/COSVersion.h"

#include "framework/StringUtil.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kNames[] = {
    "UnKnown",
    "Microsoft Win32s",
    "Microsoft Windows 95",
    "Microsoft Windows 95 OSR 1.0",
    "Microsoft Windows 95 OSR 2.0",
    "Microsoft Windows 95 OSR 2.5",
    "Microsoft Windows 98",
    "Microsoft Windows 98 Second Edition",
    "Microsoft Windows Millennium Edition",
    "Microsoft Windows Millennium Edition Later",
    "Microsoft Windows NT",
    "Microsoft Windows NT 3.5",
    "Microsoft Windows NT 4.0",
    "Microsoft Windows 2000",
    "Microsoft Windows XP",
    "Microsoft Windows Whistlar Later",
};

int Windows95Release(char servicePack)
{
    switch (servicePack) {
    case 'a':
        return 3;
    case 'B':
        return 4;
    case 'C':
        return 5;
    default:
        return 2;
    }
}

// Windows 98 and Me tell themselves apart by the low word of the build number.
int Windows98Release(DWORD build)
{
    switch (LOWORD(build)) {
    case 1998:
        return 6;
    case 2222:
        return 7;
    case 3000:
        return 8;
    default:
        return 9;
    }
}

int NtRelease(DWORD major, DWORD minor)
{
    if (major == 3)
        return 11;
    if (major == 4)
        return 12;
    if (major == 5)
        return minor == 0 ? 13 : minor == 1 ? 14 : 15;
    return 15;
}

}

COSVersion::COSVersion() : version(), versionEx()
{
    version.dwOSVersionInfoSize = sizeof(version);
    versionEx.dwOSVersionInfoSize = sizeof(versionEx);
    if (GetVersionExA(&version))
        code = Detect(version);
}

int COSVersion::Detect(const OSVERSIONINFOA& version)
{
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return 1;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (version.dwMinorVersion == 0)
            return Windows95Release(version.szCSDVersion[0]);
        return Windows98Release(version.dwBuildNumber);
    case VER_PLATFORM_WIN32_NT:
        return NtRelease(version.dwMajorVersion, version.dwMinorVersion);
    default:
        return 0;
    }
}

int COSVersion::GetOSName(char* out, int size) const
{
    if (!out || size <= 0)
        return 0;
    char text[256] = {};
    std::snprintf(text, sizeof(text), "%s (%d.%d.%d %s)", kNames[code],
                  static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                  static_cast<int>(LOWORD(version.dwBuildNumber)), version.szCSDVersion);
    // The copy ends where its characters end, also when the name is cut.
    size_t length = size >= 2 ? WholeCharacters(text, static_cast<size_t>(size) - 2) : 0;
    std::memcpy(out, text, length);
    out[length] = '\0';
    out[size - 1] = '\0';
    return 1;
}
