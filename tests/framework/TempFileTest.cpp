#include "framework/TempFile.h"

#include "ImportPatch.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <cerrno>
#include <filesystem>
#include <map>
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

namespace {

// What the code under test asks of the file system to put a file in place, in order: "flush " and
// the path of the file whose buffers are written to the disk, "move " with the old and the new
// path. Each call is passed on as asked.
class PlacingRecorder {
public:
    PlacingRecorder() { current = this; }
    ~PlacingRecorder() { current = nullptr; }
    PlacingRecorder(const PlacingRecorder&) = delete;
    PlacingRecorder& operator=(const PlacingRecorder&) = delete;

    std::vector<std::string> events;
    ImportPatch open{"kernel32.dll", "CreateFileA", reinterpret_cast<const void*>(&Open)};
    ImportPatch flush{"kernel32.dll", "FlushFileBuffers", reinterpret_cast<const void*>(&Flush)};
    ImportPatch move{"kernel32.dll", "MoveFileExA", reinterpret_cast<const void*>(&Move)};

private:
    static HANDLE WINAPI Open(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model)
    {
        HANDLE handle =
            current->open.Original<decltype(&CreateFileA)>()(path, access, share, security, disposition, flags, model);
        current->paths[handle] = path;
        return handle;
    }
    static BOOL WINAPI Flush(HANDLE handle)
    {
        current->events.push_back("flush " + current->paths[handle]);
        return current->flush.Original<decltype(&FlushFileBuffers)>()(handle);
    }
    static BOOL WINAPI Move(LPCSTR from, LPCSTR to, DWORD flags)
    {
        current->events.push_back(std::string("move ") + from + " " + to);
        return current->move.Original<decltype(&MoveFileExA)>()(from, to, flags);
    }

    static inline PlacingRecorder* current = nullptr;
    std::map<HANDLE, std::string> paths;
};

// A folder of the scratch folder whose path is exactly length bytes long, made of as many
// subfolders as the host's limit of 255 bytes per name needs.
std::string FolderOfLength(size_t length)
{
    std::string folder = EmptyFolder("length" + std::to_string(length));
    while (folder.size() < length) {
        size_t name = std::min<size_t>(200, length - folder.size() - 1);
        if (length - folder.size() - 1 - name == 1)
            --name;
        folder += "\\" + std::string(name, 'd');
        std::filesystem::create_directory(folder);
    }
    return folder;
}

struct PlacingCase {
    const char* name;
    // The length of the target's folder in bytes (0: the scratch folder's own), and the target's
    // name in it.
    size_t folderLength;
    const char* fileName;
    // Whether a temporary name fits beside the target; when none does, the target is written in
    // place.
    bool besideFits;
};

class ReplaceTextFilePlacing : public testing::TestWithParam<PlacingCase> {};

// Any path that the program handles (fewer than 260 bytes) is written. The new text goes into a
// new file in the target's own folder, so that the move is a rename within one volume, and its
// buffers reach the disk before the move: after a power cut the target holds the old text or
// the whole new one. Without room for a temporary name the target is written directly, and its
// buffers too reach the disk before the text is reported written.
TEST_P(ReplaceTextFilePlacing, WritesNewTextBesideTheTargetAndFlushesItBeforeTheMove)
{
    const PlacingCase& c = GetParam();
    std::string folder = c.folderLength ? FolderOfLength(c.folderLength) : EmptyFolder("placing");
    ASSERT_EQ(c.folderLength ? c.folderLength : folder.size(), folder.size());
    std::string path = folder + "\\" + c.fileName;
    ASSERT_LT(path.size(), 260u);
    {
        std::ofstream old(std::filesystem::path(path), std::ios::binary);
        old << "old content";
    }
    PlacingRecorder recorder;
    ASSERT_NE(nullptr, recorder.move.slot);
    ASSERT_TRUE(ReplaceTextFile(path, "<a>\n</a>\n"));
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    EXPECT_EQ("<a>\r\n</a>\r\n", std::string(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(std::vector<std::string>{c.fileName}, FilesIn(folder));
    if (!c.besideFits) {
        EXPECT_EQ(std::vector<std::string>{"flush " + path}, recorder.events);
        return;
    }
    ASSERT_EQ(2u, recorder.events.size());
    std::string temporary = recorder.events[0].substr(std::string("flush ").size());
    EXPECT_EQ("flush " + temporary, recorder.events[0]);
    EXPECT_EQ("move " + temporary + " " + path, recorder.events[1]);
    EXPECT_EQ(folder + "\\", temporary.substr(0, temporary.find_last_of('\\') + 1));
    EXPECT_NE(path, temporary);
}

// The system's own temporary names need a folder of at most 246 bytes.
INSTANTIATE_TEST_SUITE_P(Folders, ReplaceTextFilePlacing,
                         testing::Values(PlacingCase{"ScratchFolder", 0, "out.xml", true},
                                         PlacingCase{"Folder246", 246, "out.xml", true},
                                         PlacingCase{"Folder247", 247, "out.xml", true},
                                         PlacingCase{"Folder251", 251, "out.xml", true},
                                         PlacingCase{"Folder255ShortName", 255, "o.x", true},
                                         PlacingCase{"Folder257OneByteName", 257, "x", false}),
                         [](const testing::TestParamInfo<PlacingCase>& info) { return info.param.name; });

}
