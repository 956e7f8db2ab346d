// The move of one renamed file back to its old name.
#include "ui/CRenameHistory.h"

#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file whose identity the file system could not give at its rename (it had gone at once) is
// never moved: a file found at its new name later may be any file.
TEST(RenameHistory, AFileOfUnknownIdentityStaysWhereItIs)
{
    std::string oldPath = testfiles::Path("unknown-old.rec");
    std::string newPath = testfiles::Path("unknown-new.rec");
    CFileIdentifier identifier;
    CRenameHistory::File file = CRenameHistory::Renamed(oldPath, newPath, 1, identifier);
    EXPECT_FALSE(file.identified);
    testfiles::Write("unknown-new.rec", "appeared later");
    std::string timeText;
    std::string pathNow;
    EXPECT_EQ(CRenameHistory::kGone, CRenameHistory::MoveBack(file, identifier, timeText, pathNow));
    EXPECT_TRUE(Exists(newPath));
    EXPECT_FALSE(Exists(oldPath));
}

// The same with the identity taken: the file goes back, its bytes with it, and tells its time.
TEST(RenameHistory, TheFileIdentifiedGoesBack)
{
    std::string oldPath = testfiles::Path("known-old.rec");
    std::string newPath = testfiles::Write("known-new.rec", "the file");
    CFileIdentifier identifier;
    CRenameHistory::File file = CRenameHistory::Renamed(oldPath, newPath, 1, identifier);
    EXPECT_TRUE(file.identified);
    std::string timeText;
    std::string pathNow;
    EXPECT_EQ(CRenameHistory::kMovedBack, CRenameHistory::MoveBack(file, identifier, timeText, pathNow));
    EXPECT_FALSE(Exists(newPath));
    EXPECT_EQ("the file", testfiles::Read(oldPath));
    CFile back;
    ASSERT_TRUE(back.Open(true, kGenericRead, oldPath));
    EXPECT_EQ(back.GetTimeText(FileTimeLastWrite), timeText);
    EXPECT_FALSE(timeText.empty());
    EXPECT_EQ(oldPath, pathNow);
}

}
