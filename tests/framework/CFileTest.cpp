#include "framework/CFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {
TEST(CFile, ReadsWhatIsThere)
{
    std::string path = testfiles::Write("cfile_read.bin", "abcdef");
    CFile file;
    ASSERT_TRUE(file.Open(true, kGenericRead, path));
    EXPECT_EQ(6u, file.GetSize());
    char buffer[8] = {};
    EXPECT_TRUE(file.ReadFull(buffer, 4));
    EXPECT_EQ(std::string("abcd"), std::string(buffer, 4));
    uint32_t done = 99;
    EXPECT_TRUE(file.Read(buffer, 8, &done));
    EXPECT_EQ(2u, done);
    EXPECT_FALSE(file.ReadFull(buffer, 1));
}

TEST(CFile, MissingFileFailsOrIsCreatedEmpty)
{
    std::string path = testfiles::Path("cfile_missing.bin");
    CFile file;
    EXPECT_FALSE(file.Open(true, kGenericRead, path));
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.Open(false, kGenericRead, path));
    EXPECT_EQ(0u, file.GetSize());
    file.Close();
    EXPECT_EQ("", testfiles::Read(path));
}

TEST(CFile, TimeTextOfTheLastWrite)
{
    std::string path = testfiles::Write("cfile_time.bin", "x");
    CFile file(path);
    EXPECT_EQ("", file.GetTimeText(FileTimeLastWrite)); // closed
    ASSERT_TRUE(file.Open(true, kGenericRead));
    std::string text = file.GetTimeText(FileTimeLastWrite);
    ASSERT_EQ(19u, text.size()) << text;
    EXPECT_EQ('/', text[4]);
    EXPECT_EQ(' ', text[10]);
    EXPECT_EQ("", file.GetTimeText(3));
}

TEST(CFile, CloseTwiceDoesNothing)
{
    std::string path = testfiles::Write("cfile_close.bin", "x");
    CFile file;
    ASSERT_TRUE(file.Open(true, kGenericRead, path));
    file.Close();
    EXPECT_NO_THROW(file.Close());
    EXPECT_FALSE(file.IsOpen());
}

// The size of a file that another open holds without sharing, of an empty file and of none.
TEST(CFile, SizeOfAPathWithoutOpeningIt)
{
    std::string path = testfiles::Write("cfile_size.bin", std::string(70000, 'x'));
    CFile held;
    ASSERT_TRUE(held.Open(true, kGenericRead, path));
    uint64_t size = 1;
    EXPECT_TRUE(CFile::SizeOf(path, size));
    EXPECT_EQ(70000u, size);
    EXPECT_TRUE(CFile::SizeOf(testfiles::Write("cfile_size_empty.bin", ""), size));
    EXPECT_EQ(0u, size);
    EXPECT_FALSE(CFile::SizeOf(testfiles::Path("cfile_size_missing.bin"), size));
    EXPECT_FALSE(CFile::SizeOf(testfiles::ScratchFolder().string(), size));
}

// The files of a folder with their sizes, its subfolder left out; a listing stopped by its
// callback, and a folder that is not there.
TEST(CFile, ListSizesOfTheFilesOfAFolder)
{
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::filesystem::create_directories(testfiles::Path("cfile_list") + separator + "sub");
    testfiles::Write("cfile_list" + std::string(1, separator) + "a.rec", "abc");
    testfiles::Write("cfile_list" + std::string(1, separator) + "empty.rec", "");
    testfiles::Write("cfile_list" + std::string(1, separator) + "b.rec", std::string(70000, 'b'));
    std::string folder = testfiles::Path("cfile_list") + separator;
    std::map<std::string, uint64_t> sizes;
    EXPECT_TRUE(CFile::ListSizes(folder, [&](const std::string& name, uint64_t size) {
        sizes[name] = size;
        return true;
    }));
    EXPECT_EQ((std::map<std::string, uint64_t>{{"a.rec", 3}, {"b.rec", 70000}, {"empty.rec", 0}}), sizes);
    int calls = 0;
    EXPECT_TRUE(CFile::ListSizes(folder, [&](const std::string&, uint64_t) { return ++calls < 2; }));
    EXPECT_EQ(2, calls);
    EXPECT_FALSE(CFile::ListSizes(testfiles::Path("cfile_list_missing") + separator,
                                  [](const std::string&, uint64_t) { return true; }));
}

// One file under two names is one identity and one index, whoever holds it open; a copy of its
// bytes, a file moved away and a folder are not it.
TEST(CFile, IdentityIsTheFileNotItsPath)
{
    std::string path = testfiles::Write("cfile_identity.bin", "same bytes");
    std::string link = testfiles::Path("cfile_identity_link.bin");
    std::filesystem::create_hard_link(path, link);
    std::string copy = testfiles::Write("cfile_identity_copy.bin", "same bytes");
    CFile held;
    ASSERT_TRUE(held.Open(true, kGenericRead, path));
    CFileIdentity ofHeld, ofPath, ofLink, ofCopy;
    ASSERT_TRUE(held.GetIdentity(ofHeld));
    ASSERT_TRUE(CFile::IdentityOf(path, ofPath));
    ASSERT_TRUE(CFile::IdentityOf(link, ofLink));
    ASSERT_TRUE(CFile::IdentityOf(copy, ofCopy));
    EXPECT_EQ(ofHeld, ofPath);
    EXPECT_EQ(ofPath, ofLink);
    EXPECT_NE(ofPath, ofCopy);
    // The index alone, part of the identity.
    uint64_t indexHeld = 0, indexPath = 1, indexLink = 2, indexCopy = 3;
    ASSERT_TRUE(held.GetIndex(indexHeld));
    ASSERT_TRUE(CFile::IndexOf(path, indexPath));
    ASSERT_TRUE(CFile::IndexOf(link, indexLink));
    ASSERT_TRUE(CFile::IndexOf(copy, indexCopy));
    EXPECT_EQ(ofHeld.index, indexHeld);
    EXPECT_EQ(indexHeld, indexPath);
    EXPECT_EQ(indexPath, indexLink);
    EXPECT_NE(indexPath, indexCopy);
    EXPECT_FALSE(CFile::IndexOf(testfiles::ScratchFolder().string(), indexCopy));
    held.Close();
    EXPECT_FALSE(held.GetIdentity(ofHeld));
    EXPECT_FALSE(held.GetIndex(indexHeld));

    std::string moved = testfiles::Path("cfile_identity_moved.bin");
    std::filesystem::rename(copy, moved);
    CFileIdentity ofMoved;
    ASSERT_TRUE(CFile::IdentityOf(moved, ofMoved));
    EXPECT_EQ(ofCopy, ofMoved);
    EXPECT_FALSE(CFile::IdentityOf(copy, ofCopy));
    EXPECT_FALSE(CFile::IdentityOf(testfiles::ScratchFolder().string(), ofCopy));
}
}
