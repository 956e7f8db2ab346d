#include "record/CKarRecord.h"
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <zlib.h>

namespace {
using namespace fixtures;
using recbuilder::MakeBlock;
using recbuilder::MakeContainer;
using recbuilder::MakeRawBlock;

// ---- Unpack: the container and the zlib stream

Bytes Deflate(const Bytes& bytes, int windowBits)
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, static_cast<uLong>(bytes.size())) + 32);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

struct UnpackCase {
    const char* name;
    std::string (*file)();
    const char* message; // expected error text; nullptr: success
    bool prefixOnly;     // the message only has to start with the text
};

uint32_t GoodSize()
{
    return static_cast<uint32_t>(GoodBody().size());
}

std::string WithSize(uint32_t size, uint8_t fourth = 0)
{
    return AsString(MakeContainer(recbuilder::Compress(GoodBody()), size, fourth));
}

const UnpackCase kUnpackCases[] = {
    {"Good", [] { return FileBytes(GoodBody()); }, nullptr, false},
    {"FourthSizeByteIgnored", [] { return WithSize(GoodSize(), 0x7F); }, nullptr, false},
    {"EmptyFile", [] { return std::string(); }, "header read error", false},
    {"ShortMagic", [] { return std::string("l33"); }, "header read error", false},
    {"WrongMagic", [] { return std::string("L33T\x10\0\0\0", 8) + FileBytes(GoodBody()).substr(8); },
     "Invalid file header", false},
    {"ShortSize", [] { return std::string("l33t\x10\0", 6); }, "header size read error", false},
    {"HeaderOnly", [] { return std::string("l33t\x10\0\0\0", 8); }, "inflate:", false},
    {"SizeOneTooSmall", [] { return WithSize(GoodSize() - 1); }, "Invalid recorded game file", false},
    {"SizeTooSmall", [] { return WithSize(GoodSize() - 2); }, "inflate:", false},
    {"SizeTooLarge", [] { return WithSize(GoodSize() + 1); }, "Invalid recorded game file", false},
    {"ZipBomb", [] { return AsString(MakeContainer(recbuilder::Compress(Bytes(8u << 20, 0)), 1000)); },
     "inflate:", false},
    {"Truncated", [] { std::string f = FileBytes(GoodBody()); return f.substr(0, f.size() - 40); },
     "inflate:", false},
    {"RawDeflate", [] { return AsString(MakeContainer(Deflate(GoodBody(), -15), GoodSize())); },
     "inflate:incorrect header check", false},
    {"Gzip", [] { return AsString(MakeContainer(Deflate(GoodBody(), 31), GoodSize())); },
     "inflate:incorrect header check", false},
    {"BadChecksum", [] { std::string f = FileBytes(GoodBody()); f[f.size() - 1] ^= 1; return f; },
     "inflate:incorrect data check", false},
    {"CorruptData", [] { std::string f = FileBytes(GoodBody()); for (size_t i = 20; i < 60; ++i) f[i] = '\xFF'; return f; },
     "inflate:", true},
};

class UnpackCases : public testing::TestWithParam<UnpackCase> {};

TEST_P(UnpackCases, ReportsTheFailureOrFillsTheBody)
{
    const UnpackCase& c = GetParam();
    std::string path = testfiles::Write(std::string("unpack_") + c.name + ".rec", c.file());
    CKarRecord record;
    Bytes body;
    bool ok = record.Unpack(path, body);
    if (!c.message) {
        ASSERT_TRUE(ok) << record.errorText;
        EXPECT_EQ(GoodSize() + 1, body.size());
        EXPECT_EQ(0, body.back());
        EXPECT_TRUE(record.GetGameData(body));
        return;
    }
    EXPECT_FALSE(ok);
    if (c.prefixOnly)
        EXPECT_EQ(0u, record.errorText.rfind(c.message, 0)) << record.errorText;
    else
        EXPECT_EQ(c.message, record.errorText);
}

INSTANTIATE_TEST_SUITE_P(Files, UnpackCases, testing::ValuesIn(kUnpackCases),
                         [](const testing::TestParamInfo<UnpackCase>& info) { return info.param.name; });

TEST(CKarRecordUnpack, MissingFileNamesThePath)
{
    std::string path = testfiles::Path("does_not_exist.rec");
    CKarRecord record;
    Bytes body;
    EXPECT_FALSE(record.Unpack(path, body));
    EXPECT_EQ("open error " + path, record.errorText);
}

TEST(CKarRecordUnpack, ReleasesTheFileAfterAFailure)
{
    std::string path = testfiles::Write("unpack_release.rec", "l33t");
    CKarRecord record;
    Bytes body;
    EXPECT_FALSE(record.Unpack(path, body));
    // The file was opened without sharing: it can be opened again only if it was closed.
    CKarRecord again;
    EXPECT_FALSE(again.Unpack(path, body));
    EXPECT_EQ("header size read error", again.errorText);
}

// ---- GetGameData: the body's layout and its blocks

struct LayoutCase {
    const char* name;
    Bytes (*body)();
    bool ok;
    const char* version;  // expected format version, when ok
    const char* settings; // expected settings text (UTF-8 source is ASCII here), when ok
    const char* mapScript;
};

Bytes Settings(const std::string& xml, size_t chunk = 0)
{
    return MakeBlock(SettingsPayload(xml), chunk);
}

Bytes Map(const std::string& text = kMap)
{
    return MakeBlock(Text(text), 0);
}

std::vector<Bytes> Chunks(const Bytes& payload, std::initializer_list<size_t> sizes)
{
    std::vector<Bytes> chunks;
    size_t at = 0;
    for (size_t size : sizes) {
        chunks.emplace_back(payload.begin() + at, payload.begin() + at + size);
        at += size;
    }
    return chunks;
}

const LayoutCase kLayoutCases[] = {
    {"FormatOne", [] { return GoodBody("1"); }, true, "1", kSettings, kMap},
    {"FormatTwo", [] { return GoodBody("2"); }, true, "2", kSettings, kMap},
    {"SmallChunks", [] { return GoodBody("2", 3); }, true, "2", kSettings, kMap},
    {"OddChunks", [] {
         Bytes payload = SettingsPayload();
         size_t rest = payload.size() - 1 - 4 - 5;
         return Body("1", MakeRawBlock(static_cast<uint32_t>(payload.size()), Chunks(payload, {1 + 4 + 5, rest})), Map());
     }, true, "1", kSettings, kMap},
    {"BothMarkersReadAsOne", [] {
         Bytes body = GoodBody("1", 0);
         // The settings payload is long enough to cover the markers of format two as well.
         body[0x5C2] = 0xFF;
         body[0x5C3] = 0xFE;
         return body;
     }, true, "1", nullptr, kMap},
    {"TextAroundTheElement", [] { return Body("1", Settings(std::string("junk ") + kSettings + " tail"), Map()); },
     true, "1", kSettings, kMap},
    {"MissingClosingTag", [] { return Body("1", Settings("x<GameSettings><a/>"), Map()); },
     true, "1", "<GameSettings><a/>", kMap},
    {"ClosingTagBeforeOpening", [] { return Body("1", Settings("</GameSettings><GameSettings>x"), Map()); },
     true, "1", "<GameSettings>x", kMap},
    {"OddTotalIgnoresLastByte", [] {
         Bytes payload = SettingsPayload();
         payload.push_back('Z');
         return Body("1", MakeBlock(payload, 0), Map());
     }, true, "1", kSettings, kMap},
    {"MapCutAtZeroByte", [] { return Body("1", Settings(kSettings), Map(std::string("abc\0def", 7))); },
     true, "1", kSettings, "abc"},
    {"NoMarkers", [] { Bytes body = GoodBody("1"); body[0x59A] = 0; return body; }, false, nullptr, nullptr, nullptr},
    {"EmptyBody", [] { return Bytes(); }, false, nullptr, nullptr, nullptr},
    {"BodyEndsInsideMarkers", [] { Bytes body = GoodBody("1"); body.resize(0x59B); return body; },
     false, nullptr, nullptr, nullptr},
    {"BodyEndsAfterMarkers", [] { Bytes body = GoodBody("1"); body.resize(0x59C); return body; },
     false, nullptr, nullptr, nullptr},
    {"EmptySettingsBlock", [] {
         Bytes body = GoodBody("1");
         body[0x592] = body[0x593] = body[0x594] = body[0x595] = 0;
         return body;
     }, false, nullptr, nullptr, nullptr},
    {"HugeTotal", [] {
         Bytes payload = SettingsPayload();
         return Body("1", MakeRawBlock(0xFFFFFFFFu, {payload}), Map());
     }, false, nullptr, nullptr, nullptr},
    {"TotalBeyondBody", [] {
         Bytes payload = SettingsPayload();
         return Body("1", MakeRawBlock(static_cast<uint32_t>(payload.size() + 200), {payload}), Map(), 0);
     }, false, nullptr, nullptr, nullptr},
    {"ChunkBeyondTotal", [] {
         Bytes payload = SettingsPayload();
         return Body("1", MakeRawBlock(static_cast<uint32_t>(payload.size() - 2), {payload}), Map());
     }, false, nullptr, nullptr, nullptr},
    {"ChunkBeyondBody", [] {
         Bytes payload = SettingsPayload();
         Bytes block = MakeRawBlock(static_cast<uint32_t>(payload.size()), {payload});
         Bytes body = Body("1", block, Bytes(), 0);
         body.resize(body.size() - 3);
         return body;
     }, false, nullptr, nullptr, nullptr},
    {"ZeroChunksToTheEnd", [] {
         // Total 65536; a first chunk of 0; the marker bytes read as a chunk of 65279; then
         // lengths of 0 until the body ends.
         Bytes block = {0x00, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0xFF, 0xFE, 0, 0};
         Bytes body = Body("1", block, Bytes(), 0);
         body.resize(body.size() + 70000, 0);
         return body;
     }, false, nullptr, nullptr, nullptr},
    {"NoMapBlock", [] { return Body("1", Settings(kSettings), Bytes(), 0); }, false, nullptr, nullptr, nullptr},
    {"MapBlockBeyondBody", [] {
         return Body("1", Settings(kSettings), MakeRawBlock(4000, {Text(kMap)}), 0);
     }, false, nullptr, nullptr, nullptr},
};

class LayoutCases : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutCases, FindsTheTextsOrRefusesTheLayout)
{
    const LayoutCase& c = GetParam();
    CKarRecord record;
    record.settings = "untouched";
    ASSERT_EQ(c.ok, record.GetGameData(c.body()));
    if (!c.ok) {
        EXPECT_EQ("untouched", record.settings);
        return;
    }
    EXPECT_EQ(c.version, record.formatVersion);
    if (c.settings) {
        EXPECT_EQ(c.settings, record.settings);
    }
    EXPECT_EQ(c.mapScript, record.mapScript);
}

INSTANTIATE_TEST_SUITE_P(Bodies, LayoutCases, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(CKarRecordGameData, StartsAsVersionZero)
{
    EXPECT_EQ("0", CKarRecord().formatVersion);
}

TEST(CKarRecordGameData, SettingsWithoutTheElementThrow)
{
    CKarRecord record;
    Bytes body = Body("1", Settings("<Other/>"), Map());
    try {
        record.GetGameData(body);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ("invalid string position", e.what());
    }
}

TEST(CKarRecordGameData, EmptyMapBlockThrows)
{
    CKarRecord record;
    Bytes body = Body("2", Settings(kSettings), MakeBlock(Bytes(), 0));
    try {
        record.GetGameData(body);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ("invalid vector<T> subscript", e.what());
    }
}

TEST(CKarRecordGameData, JapaneseTextBecomesShiftJis)
{
    CKarRecord record;
    ASSERT_TRUE(record.GetGameData(Body("1", Settings(u8"<GameSettings>桜</GameSettings>"), Map())));
    EXPECT_EQ("<GameSettings>\x8D\xF7</GameSettings>", record.settings);
}
}
