// The version resource of the built program, read back as Explorer reads it: the fixed version,
// the translations, and the strings of each translation.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The version block of the program beside the tests' build; empty when it has none.
std::vector<BYTE> ProgramVersionBlock()
{
    std::string program = std::string(std::getenv("TV_BINARY_DIR")) + "\\bin\\tallyvane.exe";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoA(program.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

// The string of the key in the translation; "(missing)" when there is none.
std::string Value(std::vector<BYTE>& block, WORD language, WORD codePage, const char* key)
{
    char path[128] = {};
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", language, codePage, key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &value, &length) || !value || length == 0)
        return "(missing)";
    return static_cast<const char*>(value);
}

struct Translation {
    const char* label;
    WORD language;
    WORD codePage;
};

class VersionResource : public ::testing::TestWithParam<Translation> {
protected:
    std::vector<BYTE> block = ProgramVersionBlock();
};

}

TEST(VersionResourceBlock, FixedVersionAndTranslations)
{
    std::vector<BYTE> block = ProgramVersionBlock();
    ASSERT_FALSE(block.empty()) << "tallyvane.exe has no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    EXPECT_EQ(DWORD(MAKELONG(12, 0)), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(DWORD(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileFlags & fixed->dwFileFlagsMask) << "neither a debug nor a pre-release";

    WORD* table = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table),
                               &length));
    ASSERT_EQ(8u, length);
    EXPECT_EQ(0x0411, table[0]) << "Japanese first";
    EXPECT_EQ(932, table[1]);
    EXPECT_EQ(0x0000, table[2]) << "then language neutral";
    EXPECT_EQ(1200, table[3]);
}

TEST_P(VersionResource, Strings)
{
    ASSERT_FALSE(block.empty()) << "tallyvane.exe has no version resource";
    WORD language = GetParam().language;
    WORD codePage = GetParam().codePage;
    EXPECT_EQ("Tallyvane", Value(block, language, codePage, "ProductName"));
    EXPECT_EQ("Karthen の記録ファイルのビューア", Value(block, language, codePage, "FileDescription"));
    EXPECT_EQ("tallyvane.exe", Value(block, language, codePage, "OriginalFilename"));
    EXPECT_EQ("0.12", Value(block, language, codePage, "FileVersion"));
    EXPECT_EQ("0.12", Value(block, language, codePage, "ProductVersion"));
    EXPECT_EQ(0u, Value(block, language, codePage, "LegalCopyright").find("Copyright (C) "));
}

INSTANTIATE_TEST_SUITE_P(Translations, VersionResource,
                         ::testing::Values(Translation{"Japanese", 0x0411, 932}, Translation{"Neutral", 0x0000, 1200}),
                         [](const ::testing::TestParamInfo<Translation>& info) { return std::string(info.param.label); });
