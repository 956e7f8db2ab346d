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
    CRenameHistory::File file = CRenameHistory::Renamed(oldPath, newPath, 1);
    EXPECT_FALSE(file.identified);
    testfiles::Write("unknown-new.rec", "appeared later");
    EXPECT_EQ(CRenameHistory::kGone, CRenameHistory::MoveBack(file));
    EXPECT_TRUE(Exists(newPath));
    EXPECT_FALSE(Exists(oldPath));
}

// The same with the identity taken: the file goes back, its bytes with it.
TEST(RenameHistory, TheFileIdentifiedGoesBack)
{
    std::string oldPath = testfiles::Path("known-old.rec");
    std::string newPath = testfiles::Write("known-new.rec", "the file");
    CRenameHistory::File file = CRenameHistory::Renamed(oldPath, newPath, 1);
    EXPECT_TRUE(file.identified);
    EXPECT_EQ(CRenameHistory::kMovedBack, CRenameHistory::MoveBack(file));
    EXPECT_FALSE(Exists(newPath));
    EXPECT_EQ("the file", testfiles::Read(oldPath));
}

}
