#include "framework/CPathParts.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {
struct SplitCase {
    const char* name;
    const char* path;
    const char* drive;
    const char* directory;
    const char* baseName;
    const char* extension;
    const char* folder;
    const char* fileName;
};

const SplitCase kSplitCases[] = {
    {"Full", "C:\\dir\\name.ext", "C:", "\\dir\\", "name", ".ext", "C:\\dir\\", "name.ext"},
    {"BareName", "name.ext", "", "", "name", ".ext", "", "name.ext"},
    {"NoExtension", "C:\\dir\\name", "C:", "\\dir\\", "name", "", "C:\\dir\\", "name"},
    {"DotInFolder", "C:\\a.b\\name", "C:", "\\a.b\\", "name", "", "C:\\a.b\\", "name"},
    {"LastDotWins", "x\\game.v2.rec", "", "x\\", "game.v2", ".rec", "x\\", "game.v2.rec"},
    {"ForwardSlashes", "Z:/work/game.rcx", "Z:", "/work/", "game", ".rcx", "Z:/work/", "game.rcx"},
    {"DotFile", "C:\\.hidden", "C:", "\\", "", ".hidden", "C:\\", ".hidden"},
    {"TrailingSeparator", "C:\\dir\\", "C:", "\\dir\\", "", "", "C:\\dir\\", ""},
    {"DriveOnly", "C:", "C:", "", "", "", "C:", ""},
    {"Empty", "", "", "", "", "", "", ""},
    // 0x95 0x5C is one Shift_JIS character whose second byte is a backslash.
    {"DoubleByteBackslash", "C:\\\x95\x5C\\\x95\x5C.rec", "C:", "\\\x95\x5C\\", "\x95\x5C", ".rec",
     "C:\\\x95\x5C\\", "\x95\x5C.rec"},
};

class CPathPartsSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CPathPartsSplit, CutsLikeThePathSplitter)
{
    const SplitCase& c = GetParam();
    CPathParts parts(c.path);
    EXPECT_STREQ(c.path, parts.path);
    EXPECT_STREQ(c.drive, parts.drive);
    EXPECT_STREQ(c.directory, parts.directory);
    EXPECT_STREQ(c.baseName, parts.baseName);
    EXPECT_STREQ(c.extension, parts.extension);
    EXPECT_STREQ(c.folder, parts.folder);
    EXPECT_STREQ(c.fileName, parts.fileName);
}

#ifdef _WIN32
// The runtime's own splitter is the reference for every row.
TEST_P(CPathPartsSplit, AgreesWithTheRuntimeSplitter)
{
    const SplitCase& c = GetParam();
    char drive[3], directory[256], baseName[256], extension[256];
    _splitpath(c.path, drive, directory, baseName, extension);
    CPathParts parts(c.path);
    EXPECT_STREQ(drive, parts.drive);
    EXPECT_STREQ(directory, parts.directory);
    EXPECT_STREQ(baseName, parts.baseName);
    EXPECT_STREQ(extension, parts.extension);
}
#endif

INSTANTIATE_TEST_SUITE_P(Paths, CPathPartsSplit, testing::ValuesIn(kSplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(CPathParts, NullPathLeavesPartsUnchanged)
{
    CPathParts parts("C:\\dir\\name.ext");
    EXPECT_FALSE(parts.Set(nullptr));
    EXPECT_STREQ("name.ext", parts.fileName);
}

TEST(CPathParts, PathsThatDoNotFitAreRejected)
{
    CPathParts parts("C:\\dir\\name.ext");
    std::string longest(259, 'a');
    std::string tooLong(260, 'a');
    std::string longFolder = "C:\\" + std::string(256, 'd') + "\\n";
    EXPECT_FALSE(parts.Set(tooLong.c_str()));
    EXPECT_FALSE(parts.Set(longFolder.c_str()));
    EXPECT_STREQ("name.ext", parts.fileName);
    std::string longName = "C:\\" + std::string(255, 'n');
    EXPECT_TRUE(parts.Set(longName.c_str()));
    EXPECT_EQ(std::string(255, 'n'), parts.baseName);
    EXPECT_FALSE(parts.Set(longest.c_str())); // a base name of 259 bytes does not fit 256
}
}
