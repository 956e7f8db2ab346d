// Byte-identical files of a list: sizes, blocks compared side by side, the split by hashes of
// large groups, paths listed twice, files that vanish or change.
#include "framework/CDuplicateFinder.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using State = CDuplicateFinder::State;
const State kUnique = CDuplicateFinder::kUnique;
const State kFirst = CDuplicateFinder::kFirst;
const State kDuplicate = CDuplicateFinder::kDuplicate;
const State kFailed = CDuplicateFinder::kFailed;

// Every block and every file hashes alike: only their bytes tell them apart.
uint64_t Collide(const unsigned char*, size_t, uint64_t)
{
    return 42;
}

// A file of a case: its name in the case's folder (a name given twice is the same path) and its
// bytes; no bytes: the file is not there, or with linkOf, another name (a hard link) of the file of
// that name.
struct Entry {
    std::string name;
    const char* bytes;
    const char* linkOf = nullptr;
};

struct FinderCase {
    const char* name;
    size_t maxOpen;
    std::vector<Entry> entries;
    std::vector<State> states;
    CDuplicateFinder::HashFunction hash = &CDuplicateFinder::Hash;
};

const FinderCase kFinderCases[] = {
    {"EqualFilesWithOtherNamesInOtherFolders", 256,
     {{"a/x.rec", "hello"}, {"b/y.rec", "hello"}}, {kFirst, kDuplicate}},
    {"EqualSizesOtherBytes", 256, {{"x.rec", "hello"}, {"y.rec", "hellp"}}, {kUnique, kUnique}},
    {"APathListedTwiceIsOneFile", 256,
     {{"x.rec", "hello"}, {"z.rec", "world"}, {"x.rec", "hello"}, {"copy.rec", "hello"}},
     {kFirst, kUnique, kFirst, kDuplicate}},
    {"APathListedTwiceAloneInItsSize", 256, {{"x.rec", "a"}, {"x.rec", "a"}, {"y.rec", "bb"}},
     {kUnique, kUnique, kUnique}},
    {"AHardLinkIsTheSameFile", 256,
     {{"a.rec", "hello"}, {"b/link.rec", nullptr, "a.rec"}, {"copy.rec", "hello"}, {"link2.rec", nullptr, "a.rec"}},
     {kFirst, kFirst, kDuplicate, kFirst}},
    {"AHardLinkOfACopy", 256,
     {{"a.rec", "hello"}, {"copy.rec", "hello"}, {"link.rec", nullptr, "copy.rec"}},
     {kFirst, kDuplicate, kDuplicate}},
    // Distinct files where the folder tells letter cases apart; one file where it does not.
    {"NamesThatDifferInLetterCaseOnly", 256, {{"Game.rec", "aaaa"}, {"game.rec", "aaab"}},
     {kUnique, kUnique}},
    {"EachAloneInItsSize", 256, {{"a.rec", "a"}, {"b.rec", "bb"}, {"c.rec", "ccc"}},
     {kUnique, kUnique, kUnique}},
    {"EmptyFiles", 256, {{"a.rec", ""}, {"b.rec", ""}}, {kFirst, kDuplicate}},
    {"ThreeEqualAmongFourOfOneSize", 256,
     {{"a.rec", "abcd"}, {"b.rec", "abce"}, {"c.rec", "abcd"}, {"d.rec", "abcd"}},
     {kFirst, kUnique, kDuplicate, kDuplicate}},
    {"TwoGroupsOfOneSize", 256,
     {{"a.rec", "aaaa"}, {"b.rec", "bbbb"}, {"c.rec", "aaaa"}, {"d.rec", "bbbb"}, {"e.rec", "cccc"}},
     {kFirst, kFirst, kDuplicate, kDuplicate, kUnique}},
    {"AVanishedFileAndItsSecondEntry", 256,
     {{"gone.rec", nullptr}, {"q.rec", "q"}, {"gone.rec", nullptr}}, {kFailed, kUnique, kFailed}},
    {"MoreOfOneSizeThanMayBeOpenAreSplitByHash", 3,
     {{"a1.rec", "aaaa"}, {"b1.rec", "bbbb"}, {"a2.rec", "aaaa"}, {"c.rec", "cccc"}, {"a3.rec", "aaaa"},
      {"b2.rec", "bbbb"}, {"d.rec", "dddd"}, {"a4.rec", "aaaa"}},
     {kFirst, kFirst, kDuplicate, kUnique, kDuplicate, kDuplicate, kUnique, kDuplicate}},
    {"ManyEqualFilesComparedInRounds", 3,
     {{"1.rec", "zz"}, {"2.rec", "zz"}, {"3.rec", "zz"}, {"4.rec", "zz"}, {"5.rec", "zz"}, {"6.rec", "zz"},
      {"7.rec", "zz"}},
     {kFirst, kDuplicate, kDuplicate, kDuplicate, kDuplicate, kDuplicate, kDuplicate}},
    {"RoundsWithASecondEntryAndAVanishedFile", 3,
     {{"1.rec", "zz"}, {"gone.rec", nullptr}, {"2.rec", "zz"}, {"1.rec", "zz"}, {"3.rec", "zy"},
      {"4.rec", "zz"}, {"5.rec", "zy"}, {"6.rec", "zz"}},
     {kFirst, kFailed, kDuplicate, kFirst, kFirst, kDuplicate, kDuplicate, kDuplicate}},
    {"RoundsWithLinks", 3,
     {{"1.rec", "zz"}, {"link1.rec", nullptr, "1.rec"}, {"2.rec", "zz"}, {"3.rec", "zz"}, {"4.rec", "zz"},
      {"link2.rec", nullptr, "2.rec"}, {"1.rec", "zz"}},
     {kFirst, kFirst, kDuplicate, kDuplicate, kDuplicate, kDuplicate, kFirst}},
    // Two files must be open to compare them.
    {"AtMostOneOpenIsTwo", 1,
     {{"a1.rec", "aaaa"}, {"b.rec", "bbbb"}, {"a2.rec", "aaaa"}, {"a3.rec", "aaaa"}, {"c.rec", "cccc"}},
     {kFirst, kUnique, kDuplicate, kDuplicate, kUnique}},
    {"NoneOpenIsTwo", 0,
     {{"a1.rec", "aaaa"}, {"b.rec", "bbbb"}, {"a2.rec", "aaaa"}, {"a3.rec", "aaaa"}, {"c.rec", "cccc"}},
     {kFirst, kUnique, kDuplicate, kDuplicate, kUnique}},
    // Blocks and files whose hashes are all equal are told apart by their bytes, read side by
    // side and in the rounds after the whole files' hashes.
    {"EqualHashesOtherBytesSideBySide", 256,
     {{"a1.rec", "aaaa"}, {"b.rec", "bbbb"}, {"a2.rec", "aaaa"}, {"c.rec", "cccc"}, {"a3.rec", "aaaa"}},
     {kFirst, kUnique, kDuplicate, kUnique, kDuplicate}, &Collide},
    {"EqualWholeFileHashesOtherBytes", 3,
     {{"a1.rec", "aaaa"}, {"b1.rec", "bbbb"}, {"a2.rec", "aaaa"}, {"c.rec", "cccc"}, {"a3.rec", "aaaa"},
      {"b2.rec", "bbbb"}, {"d.rec", "dddd"}, {"b3.rec", "bbbb"}},
     {kFirst, kFirst, kDuplicate, kUnique, kDuplicate, kDuplicate, kUnique, kDuplicate}, &Collide},
    {"EqualHashesInRoundsWithLinks", 3,
     {{"a1.rec", "aaaa"}, {"b1.rec", "bbbb"}, {"link.rec", nullptr, "b1.rec"}, {"a2.rec", "aaaa"},
      {"b2.rec", "bbbb"}, {"c.rec", "cccc"}, {"a3.rec", "aaaa"}},
     {kFirst, kFirst, kFirst, kDuplicate, kDuplicate, kUnique, kDuplicate}, &Collide},
};

class FinderCases : public testing::TestWithParam<FinderCase> {};

std::string CaseFolder(const std::string& name)
{
    std::filesystem::path folder = testfiles::ScratchFolder() / name;
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string WriteFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST_P(FinderCases, FindsTheFilesEqualToAnEarlierOne)
{
    const FinderCase& c = GetParam();
    std::string folder = CaseFolder(std::string("finder_") + c.name);
    CDuplicateFinder finder;
    finder.maxOpen = c.maxOpen;
    finder.hash = c.hash;
    auto pathOf = [&](const std::string& name) {
        return (std::filesystem::path(folder) / name).make_preferred().string();
    };
    for (const Entry& entry : c.entries) {
        std::string path = pathOf(entry.name);
        if (entry.bytes) {
            WriteFile(path, entry.bytes);
        } else if (entry.linkOf) {
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
            std::filesystem::create_hard_link(pathOf(entry.linkOf), path);
        }
        finder.Add(path);
    }
    size_t highest = 0;
    ASSERT_TRUE(finder.Run([&](size_t) {
        EXPECT_LE(finder.settled, c.entries.size());
        EXPECT_GE(finder.settled, highest);
        highest = finder.settled;
        return true;
    }));
    std::vector<State> states;
    for (const CDuplicateFinder::File& file : finder.files)
        states.push_back(file.state);
    EXPECT_EQ(c.states, states);
    EXPECT_EQ(c.entries.size(), finder.settled);
    for (const CDuplicateFinder::File& file : finder.files) {
        if (file.state == kFailed)
            EXPECT_EQ("File Open Error : " + file.path, file.failure);
        else
            EXPECT_EQ("", file.failure);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, FinderCases, testing::ValuesIn(kFinderCases),
                         [](const testing::TestParamInfo<FinderCase>& info) { return info.param.name; });

class DuplicateFinder : public testing::Test {
protected:
    std::string File(const std::string& name, const std::string& bytes)
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string path = (std::filesystem::path(CaseFolder(test->name())) / name).string();
        return WriteFile(path, bytes);
    }
    std::vector<State> States() { return States(finder); }
    static std::vector<State> States(const CDuplicateFinder& of)
    {
        std::vector<State> states;
        for (const CDuplicateFinder::File& file : of.files)
            states.push_back(file.state);
        return states;
    }
    CDuplicateFinder finder;
};

// Only the size of a file that no other file of the list matches in size is asked: progress runs
// once for it, before its size, and never before a block of it.
TEST_F(DuplicateFinder, AFileAloneInItsSizeIsNeverRead)
{
    finder.Add(File("a.rec", "same"));
    finder.Add(File("alone.rec", "other size"));
    finder.Add(File("b.rec", "same"));
    std::map<size_t, int> calls;
    ASSERT_TRUE(finder.Run([&](size_t file) {
        ++calls[file];
        return true;
    }));
    EXPECT_EQ(1, calls[1]);
    EXPECT_EQ(2, calls[0]);
    EXPECT_EQ(2, calls[2]);
    EXPECT_EQ(std::vector<State>({kFirst, kUnique, kDuplicate}), States());
}

// A folder of many files of the list is listed for their sizes: equal files, equal sizes with
// other bytes, a path listed twice and a file gone among them, beside files of the folder that
// are not listed, and a file of another folder of one of their sizes.
TEST_F(DuplicateFinder, TheFilesOfAFolderOfManyAsTheirSizesSay)
{
    const size_t count = CDuplicateFinder::kListedTogether + 4;
    for (int i = 0; i < 40; ++i)
        File("unlisted" + std::to_string(i) + ".rec", std::string(static_cast<size_t>(i % 7), 'u'));
    // Sizes of their own, but files 3 and 13 alike, 5 and 15 of one size with other bytes.
    auto size = [](size_t i) -> size_t { return i % 10 + 1 + (i >= 10 && i != 13 && i != 15 ? 100 : 0); };
    std::vector<State> expected;
    for (size_t i = 0; i < count; ++i) {
        std::string bytes(size(i), 'a');
        if (i == 15)
            bytes.back() = 'b';
        finder.Add(File("f" + std::to_string(i) + ".rec", bytes));
        expected.push_back(i == 3 ? kFirst : i == 13 ? kDuplicate : kUnique);
    }
    finder.Add(finder.files[7].path);
    expected.push_back(kUnique);
    finder.Add(File("gone.rec", "gone"));
    std::filesystem::remove(finder.files.back().path);
    expected.push_back(kFailed);
    std::string other = (std::filesystem::path(CaseFolder("finder_other")) / "f3.rec").string();
    finder.Add(WriteFile(other, std::string(4, 'a')));
    expected.push_back(kDuplicate);
    ASSERT_TRUE(finder.Run([](size_t) { return true; }));
    EXPECT_EQ(expected, States());
    EXPECT_EQ("File Open Error : " + finder.files[count + 1].path, finder.files[count + 1].failure);
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(size(i), finder.files[i].size) << i;
    EXPECT_EQ(size(7), finder.files[count].size);
}

// A file listed twice, and under another name, is read once, whether the files of its size are
// read side by side or split by their hashes first: its other entries are asked their sizes, and
// no block of them is read.
TEST_F(DuplicateFinder, AFileListedTwiceIsReadOnce)
{
    // Several blocks long, so that reading the file takes a step for each of them.
    const std::string bytes(1u << 20, 's');
    std::string a = File("a.rec", bytes);
    std::string link = (std::filesystem::path(a).parent_path() / "link.rec").string();
    std::filesystem::create_hard_link(a, link);
    std::string copy = File("copy.rec", bytes);
    for (size_t maxOpen : {256, 2}) {
        SCOPED_TRACE(maxOpen);
        CDuplicateFinder finder;
        finder.maxOpen = maxOpen;
        for (const std::string& path : {a, copy, a, link})
            finder.Add(path);
        std::map<size_t, int> calls;
        ASSERT_TRUE(finder.Run([&](size_t file) {
            ++calls[file];
            return true;
        }));
        EXPECT_EQ(std::vector<State>({kFirst, kDuplicate, kFirst, kFirst}), States(finder));
        // The other entries of the file take the step of their size and the one of the open
        // that finds the file already in hand; none of its blocks is read for them.
        EXPECT_LT(2, calls[0]);
        EXPECT_EQ(2, calls[2]);
        EXPECT_EQ(2, calls[3]);
        EXPECT_EQ(4u, finder.settled);
    }
}

// The blocks that files are read into stay within their budget from group to group: a few large
// files of one size take the largest blocks, then many files of another size the smallest ones,
// more of them than the smallest blocks of all fit in, and more than the budget lets be open.
TEST_F(DuplicateFinder, TheBlocksStayWithinTheirBudget)
{
    std::filesystem::path folder = CaseFolder("finder_budget");
    // Zeros all through, written as a single byte at the end.
    auto sized = [&](const std::string& name, size_t size) {
        std::string path = (folder / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.seekp(static_cast<std::streamoff>(size - 1));
        out.put('\0');
        return path;
    };
    const size_t budget = CDuplicateFinder::kBlockBudget;
    const size_t many = budget / CDuplicateFinder::kSmallestBlock + 4;
    finder.maxOpen = many;
    for (size_t i = 0; i < 8; ++i)
        finder.Add(sized("large" + std::to_string(i) + ".rec", CDuplicateFinder::kLargestBlock + 1));
    for (size_t i = 0; i < many; ++i)
        finder.Add(sized("small" + std::to_string(i) + ".rec", CDuplicateFinder::kSmallestBlock));
    size_t most = 0;
    ASSERT_TRUE(finder.Run([&](size_t) {
        most = std::max(most, finder.BlockBytes());
        return true;
    }));
    EXPECT_LE(most, budget);
    EXPECT_LE(finder.BlockBytes(), budget);
    EXPECT_EQ(kDuplicate, finder.files[1].state);
    EXPECT_EQ(kDuplicate, finder.files.back().state);
}

// Files longer than a block: each block is compared, up to a difference in the last byte.
TEST_F(DuplicateFinder, LargeFilesAreComparedToTheirLastByte)
{
    std::string bytes(CDuplicateFinder::kLargestBlock * 5 / 2, 'r');
    std::string other = bytes;
    other.back() = 's';
    finder.Add(File("a.rec", bytes));
    finder.Add(File("b.rec", other));
    finder.Add(File("c.rec", bytes));
    finder.Add(File("d.rec", other));
    finder.Add(File("e.rec", bytes.substr(1) + "t"));
    std::map<size_t, int> calls;
    ASSERT_TRUE(finder.Run([&](size_t file) {
        ++calls[file];
        return true;
    }));
    EXPECT_EQ(std::vector<State>({kFirst, kFirst, kDuplicate, kDuplicate, kUnique}), States());
    // The size, then three blocks.
    EXPECT_EQ(4, calls[0]);
    EXPECT_EQ(4, calls[4]);
}

// A file that differs in its first block is read no further.
TEST_F(DuplicateFinder, AFileIsReadNoFurtherOnceItDiffers)
{
    std::string bytes(CDuplicateFinder::kLargestBlock * 3, 'r');
    finder.Add(File("a.rec", bytes));
    finder.Add(File("b.rec", "x" + bytes.substr(1)));
    std::map<size_t, int> calls;
    ASSERT_TRUE(finder.Run([&](size_t file) {
        ++calls[file];
        return true;
    }));
    EXPECT_EQ(std::vector<State>({kUnique, kUnique}), States());
    EXPECT_EQ(2, calls[0]);
    EXPECT_EQ(2, calls[1]);
}

TEST_F(DuplicateFinder, FalseFromProgressStopsTheSearch)
{
    finder.Add(File("a.rec", "same"));
    finder.Add(File("b.rec", "same"));
    int calls = 0;
    EXPECT_FALSE(finder.Run([&](size_t) { return ++calls < 3; }));
    EXPECT_EQ(3, calls);
    EXPECT_EQ(CDuplicateFinder::kUnknown, finder.files[1].state);
}

// A file changed between its size and its reading: one that has grown and one that has shrunk
// fail, and the file that equalled them at their sizes is alone. So it goes when the files are
// read side by side and when more of them than may be open are first split by their hashes. Each
// file changes while the finder has it measured and not yet open (an open file cannot be written
// on Windows): the first before the size of the last is asked, the last before the second one's
// first block.
TEST_F(DuplicateFinder, FilesChangedAfterTheirSizesFail)
{
    for (size_t maxOpen : {256, 2}) {
        SCOPED_TRACE(maxOpen);
        std::string grown = File("grown.rec", "same");
        std::string shrunk = File("shrunk.rec", "same");
        CDuplicateFinder finder;
        finder.maxOpen = maxOpen;
        finder.Add(grown);
        finder.Add(File("kept.rec", "same"));
        finder.Add(shrunk);
        std::map<size_t, int> calls;
        ASSERT_TRUE(finder.Run([&](size_t file) {
            ++calls[file];
            if (file == 2 && calls[file] == 1)
                WriteFile(grown, "same and more");
            if (file == 1 && calls[file] == 2)
                WriteFile(shrunk, "sa");
            return true;
        }));
        EXPECT_EQ(std::vector<State>({kFailed, kUnique, kFailed}), States(finder));
        EXPECT_EQ("File Read Error : " + grown, finder.files[0].failure);
        EXPECT_EQ("File Read Error : " + shrunk, finder.files[2].failure);
    }
}

// The bytes are compared sixty-four at a time and the rest one by one: a difference is seen at
// either end of a step, in the rest, and in a later block.
TEST_F(DuplicateFinder, ADifferenceAnywhereIsSeen)
{
    const size_t kBlock = CDuplicateFinder::kLargestBlock;
    const struct {
        size_t size;
        size_t at;
    } kCases[] = {{1, 0},     {63, 62},   {64, 0},    {64, 63},          {65, 64},
                  {128, 64},  {130, 127}, {130, 129}, {kBlock + 70, 3},  {kBlock + 70, kBlock + 66}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes, the one at " + std::to_string(c.at));
        std::string bytes(c.size, '\0');
        for (size_t i = 0; i < c.size; ++i)
            bytes[i] = static_cast<char>(i * 7);
        std::string other = bytes;
        other[c.at] = static_cast<char>(other[c.at] ^ 0x40);
        std::string name = std::to_string(c.size) + "_" + std::to_string(c.at);
        CDuplicateFinder differing;
        differing.Add(File(name + "a.rec", bytes));
        differing.Add(File(name + "b.rec", other));
        ASSERT_TRUE(differing.Run([](size_t) { return true; }));
        EXPECT_EQ(std::vector<State>({kUnique, kUnique}), States(differing));
        CDuplicateFinder equal;
        equal.Add(File(name + "a.rec", bytes));
        equal.Add(File(name + "c.rec", bytes));
        ASSERT_TRUE(equal.Run([](size_t) { return true; }));
        EXPECT_EQ(std::vector<State>({kFirst, kDuplicate}), States(equal));
    }
}

// Several runs of one finder start afresh.
TEST_F(DuplicateFinder, ARunAgainFindsTheFilesAsTheyAreNow)
{
    std::string a = File("a.rec", "same");
    finder.Add(a);
    finder.Add(File("b.rec", "same"));
    ASSERT_TRUE(finder.Run([](size_t) { return true; }));
    EXPECT_EQ(std::vector<State>({kFirst, kDuplicate}), States());
    std::filesystem::remove(a);
    ASSERT_TRUE(finder.Run([](size_t) { return true; }));
    EXPECT_EQ(std::vector<State>({kFailed, kUnique}), States());
    EXPECT_EQ(2u, finder.settled);
}

}
