#include "framework/CFileFinder.h"

#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A folder of the scratch folder, made with the ANSI call so that Japanese names are made as the
// program spells them.
std::string MakeFolder(const std::string& relative)
{
    std::string path = testfiles::Path(relative);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::string MakeFile(const std::string& relative)
{
    std::string path = testfiles::Path(relative);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
    CloseHandle(file);
    return path;
}

std::vector<std::string> ListAll(CFileFinder& finder)
{
    std::vector<std::string> found;
    std::string path;
    while (finder.Next(path) && found.size() < 100)
        found.push_back(path);
    return found;
}

std::vector<std::string> Sorted(std::vector<std::string> paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A folder with files of several kinds, a folder named like a recorded file, and a subfolder.
class FileFinderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        top = MakeFolder("finder");
        MakeFile("finder\\a.rec");
        MakeFile("finder\\B.REC");
        MakeFile("finder\\c.txt");
        MakeFile("finder\\noext");
        MakeFolder("finder\\x.rec");
        MakeFile("finder\\x.rec\\inner.rec");
        MakeFolder("finder\\sub");
        MakeFolder("finder\\sub\\deep");
        MakeFile("finder\\sub\\deep\\deeper.rec");
        MakeFile("finder\\sub\\s.rcx");
    }
    static inline std::string top;
};

}

TEST_F(FileFinderTest, ListsTheFilesOfTheFolderAloneWithoutRecursion)
{
    CFileFinder finder;
    finder.SetFolder(top);
    finder.recurse = false;
    EXPECT_EQ(Sorted({top + "\\B.REC", top + "\\a.rec", top + "\\c.txt"}), Sorted(ListAll(finder)));
}

TEST_F(FileFinderTest, ThePatternIsMatchedWithoutRegardToCase)
{
    CFileFinder finder;
    finder.SetFolder(top);
    finder.SetPattern("*.rec");
    finder.recurse = false;
    finder.fullPath = false;
    EXPECT_EQ(Sorted({"B.REC", "a.rec"}), Sorted(ListAll(finder)));
}

TEST_F(FileFinderTest, RecursionGivesSubfolderEntriesAsFullPathsDepthFirst)
{
    CFileFinder finder;
    finder.SetFolder(top);
    finder.SetPattern("*.rec");
    finder.fullPath = false;
    std::vector<std::string> found = ListAll(finder);
    std::string deeper = top + "\\sub\\deep\\deeper.rec";
    std::string inner = top + "\\x.rec\\inner.rec";
    EXPECT_EQ(Sorted({"B.REC", "a.rec", deeper, inner}), Sorted(found));
    // The subfolder "sub" holds no other match, so its one entry stands alone; a parent entry
    // never comes between the entries of one subfolder.
    CFileFinder all;
    all.SetFolder(top);
    std::vector<std::string> every = ListAll(all);
    auto first = std::find(every.begin(), every.end(), deeper);
    auto second = std::find(every.begin(), every.end(), top + "\\sub\\s.rcx");
    ASSERT_NE(every.end(), first);
    ASSERT_NE(every.end(), second);
    EXPECT_EQ(1, std::abs(static_cast<int>(second - first)));
}

TEST_F(FileFinderTest, AFolderOfSubfoldersAloneIsEmptyWithoutRecursion)
{
    std::string folder = MakeFolder("only-folders");
    MakeFolder("only-folders\\one.rec");
    MakeFile("only-folders\\one.rec\\inside.rec");
    CFileFinder finder;
    finder.SetFolder(folder);
    finder.recurse = false;
    std::string out = "unchanged";
    EXPECT_FALSE(finder.Next(out));
    EXPECT_EQ("unchanged", out);
    EXPECT_EQ(INVALID_HANDLE_VALUE, finder.searchHandle);
}

TEST_F(FileFinderTest, AMissingFolderIsAnEmptyListing)
{
    CFileFinder finder;
    finder.SetFolder(testfiles::Path("no-such-folder"));
    std::string out = "unchanged";
    EXPECT_FALSE(finder.Next(out));
    EXPECT_EQ("unchanged", out);
}

TEST_F(FileFinderTest, AfterTheEndTheListingStartsAgain)
{
    CFileFinder finder;
    finder.SetFolder(top);
    finder.recurse = false;
    std::vector<std::string> first = ListAll(finder);
    EXPECT_EQ(INVALID_HANDLE_VALUE, finder.searchHandle);
    EXPECT_EQ(first, ListAll(finder));
}

TEST_F(FileFinderTest, ANewPatternEndsTheOpenListing)
{
    CFileFinder finder;
    finder.SetFolder(top);
    std::string path;
    // Open a listing with a subfolder being listed.
    while (finder.Next(path) && !finder.child) {
    }
    ASSERT_NE(nullptr, finder.child);
    finder.SetPattern("*.txt");
    EXPECT_EQ(INVALID_HANDLE_VALUE, finder.searchHandle);
    EXPECT_EQ(nullptr, finder.child);
    EXPECT_EQ(std::vector<std::string>{top + "\\c.txt"}, ListAll(finder));
}

struct FolderCase {
    const char* name;
    std::string given;
    std::string stored;
};

class FileFinderFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FileFinderFolder, IsStoredWithoutOneTrailingSeparator)
{
    CFileFinder finder;
    finder.SetFolder(GetParam().given);
    EXPECT_EQ(GetParam().stored, finder.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FileFinderFolder,
    ::testing::Values(FolderCase{"Backslash", "C:\\games\\", "C:\\games"},
                      FolderCase{"Slash", "C:/games/", "C:/games"},
                      FolderCase{"OnlyOne", "C:\\games\\\\", "C:\\games\\"},
                      FolderCase{"None", "C:\\games", "C:\\games"},
                      FolderCase{"Empty", "", ""},
                      // ソ ends with the byte of a backslash.
                      FolderCase{"DoubleByteCharacterKept", "C:\\ソ", "C:\\ソ"},
                      FolderCase{"AfterADoubleByteCharacter", "C:\\ソ\\", "C:\\ソ"}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST_F(FileFinderTest, ListsJapaneseFoldersAndNames)
{
    // The folder's name ends with ソ, whose second byte is a backslash's.
    std::string folder = MakeFolder("録画ソ");
    MakeFile("録画ソ\\裂け目の谷.rec");
    MakeFile("録画ソ\\山田_vs_ｶﾅ.rec");
    MakeFolder("録画ソ\\表");
    MakeFile("録画ソ\\表\\能.rcx");
    CFileFinder finder;
    finder.SetFolder(folder);
    EXPECT_EQ(folder, finder.folder);
    EXPECT_EQ(Sorted({folder + "\\山田_vs_ｶﾅ.rec", folder + "\\裂け目の谷.rec",
                      folder + "\\表\\能.rcx"}),
              Sorted(ListAll(finder)));
}
