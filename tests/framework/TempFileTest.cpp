#include "framework/TempFile.h"

#include "ImportPatch.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

// Points TMP somewhere else for a while.
class TemporaryFolderVariable {
public:
    explicit TemporaryFolderVariable(const std::string& value)
    {
        char old[4096] = {};
        had = GetEnvironmentVariableA("TMP", old, sizeof(old)) != 0;
        saved = old;
        SetEnvironmentVariableA("TMP", value.c_str());
    }
    ~TemporaryFolderVariable() { SetEnvironmentVariableA("TMP", had ? saved.c_str() : nullptr); }

private:
    bool had;
    std::string saved;
};

}

TEST(MakeTempFileName, ReservesANewEmptyFileInTheTemporaryFolder)
{
    std::string first = MakeTempFileName("tv");
    std::string second = MakeTempFileName("");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    std::string folder = TempFolder();
    EXPECT_EQ(folder, first.substr(0, folder.size()));
    EXPECT_EQ("tv", first.substr(folder.size(), 2));
    for (const std::string& path : {first, second}) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
        EXPECT_EQ(0u, data.nFileSizeLow);
        EXPECT_EQ(0u, data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        DeleteFileA(path.c_str());
    }
}

TEST(MakeTempFileName, AMissingTemporaryFolderGivesTheEmptyText)
{
    TemporaryFolderVariable missing("C:\\no\\such\\folder");
    EXPECT_EQ("", MakeTempFileName(""));
}

TEST(MakeTempFileName, ATemporaryFolderTooLongForAPathGivesTheEmptyText)
{
    TemporaryFolderVariable tooLong("C:\\" + std::string(300, 'x'));
    EXPECT_EQ("", MakeTempFileName(""));
}

namespace {

// The files of a folder of the scratch folder, made empty for the test.
std::string EmptyFolder(const std::string& name)
{
    std::filesystem::path folder = testfiles::ScratchFolder() / name;
    std::filesystem::create_directory(folder);
    return folder.string();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A disk that fills up: each write puts down half of what it is given and fails.
ImportPatch* diskFull = nullptr;

int __cdecl WriteHalfThenFail(int descriptor, const void* bytes, unsigned int count)
{
    diskFull->Original<int(__cdecl*)(int, const void*, unsigned int)>()(descriptor, bytes, count / 2);
    errno = ENOSPC;
    return -1;
}

}

TEST(ReplaceTextFile, ReplacesTheFileWholeAndLeavesNothingBeside)
{
    std::string folder = EmptyFolder("replace-whole");
    std::string path = folder + "\\out.xml";
    testfiles::Write("replace-whole\\out.xml", "old content");
    ASSERT_TRUE(ReplaceTextFile(path, "<a>\n</a>\n"));
    EXPECT_EQ("<a>\r\n</a>\r\n", testfiles::Read(path));
    ASSERT_TRUE(ReplaceTextFile(folder + "\\new.xml", "x"));
    EXPECT_EQ((std::vector<std::string>{"new.xml", "out.xml"}), FilesIn(folder));
}

// A write that fails half-way (a full disk) leaves the file as it was, not a part of the new
// text, and nothing beside it.
TEST(ReplaceTextFile, AWriteThatFailsLeavesTheFileAsItWas)
{
    std::string folder = EmptyFolder("replace-full");
    std::string path = folder + "\\out.xml";
    testfiles::Write("replace-full\\out.xml", "old content");
    {
        ImportPatch patch("msvcrt.dll", "_write", reinterpret_cast<const void*>(&WriteHalfThenFail));
        ASSERT_NE(nullptr, patch.slot);
        diskFull = &patch;
        EXPECT_FALSE(ReplaceTextFile(path, std::string(100000, 'n')));
        diskFull = nullptr;
    }
    EXPECT_EQ("old content", testfiles::Read(path));
    EXPECT_EQ(std::vector<std::string>{"out.xml"}, FilesIn(folder));
}

// A file that another program holds without sharing cannot be replaced: it keeps what it held.
TEST(ReplaceTextFile, AFileHeldOpenIsLeftAsItWas)
{
    std::string folder = EmptyFolder("replace-held");
    std::string path = folder + "\\out.xml";
    testfiles::Write("replace-held\\out.xml", "old content");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(ReplaceTextFile(path, "new"));
    CloseHandle(held);
    EXPECT_EQ("old content", testfiles::Read(path));
    EXPECT_EQ(std::vector<std::string>{"out.xml"}, FilesIn(folder));
    EXPECT_FALSE(ReplaceTextFile(folder + "\\no such folder\\out.xml", "new"));
}
