#include "framework/CFileIdentifier.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// The identities are those of CFile: one file under two names is one, in whatever folder; a copy
// of its bytes is another; a folder and a missing file have none, also in a folder already asked.
TEST(CFileIdentifier, GivesWhatCFileGives)
{
    std::filesystem::create_directory(testfiles::Path("identifier"));
    std::string path = testfiles::Write("identifier\\file.bin", "same bytes");
    std::string link = testfiles::Path("identifier_link.bin");
    std::filesystem::create_hard_link(path, link);
    std::string copy = testfiles::Write("identifier\\copy.bin", "same bytes");
    CFileIdentifier identifier;
    for (const std::string& each : {path, link, copy}) {
        SCOPED_TRACE(each);
        CFileIdentity expected, given;
        ASSERT_TRUE(CFile::IdentityOf(each, expected));
        ASSERT_TRUE(identifier.IdentityOf(each, given));
        EXPECT_EQ(expected, given);
    }
    CFileIdentity ofPath, ofLink, ofCopy, ofHeld;
    identifier.IdentityOf(path, ofPath);
    identifier.IdentityOf(link, ofLink);
    identifier.IdentityOf(copy, ofCopy);
    EXPECT_EQ(ofPath, ofLink);
    EXPECT_NE(ofPath, ofCopy);
    CFile held;
    ASSERT_TRUE(held.Open(true, kGenericRead, path));
    ASSERT_TRUE(identifier.GetIdentity(held, ofHeld));
    EXPECT_EQ(ofPath, ofHeld);
    held.Close();
    EXPECT_FALSE(identifier.GetIdentity(held, ofHeld));
    EXPECT_FALSE(identifier.IdentityOf(testfiles::Path("identifier\\missing.bin"), ofHeld));
    EXPECT_FALSE(identifier.IdentityOf(testfiles::Path("identifier"), ofHeld));
    EXPECT_FALSE(identifier.IdentityOf(testfiles::Path("identifier\\"), ofHeld));
}

}
