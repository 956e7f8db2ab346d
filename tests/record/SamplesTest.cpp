// The recorded files shipped in samples/ are what the builder makes of their sources, and they
// decode back to those sources.
#include "framework/StringUtil.h"
#include "record/CKarRecord.h"
#include "TestFiles.h"
#include "tools/recbuilder/RecordBuilder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {
struct Sample {
    std::string output;
    std::string version;
    std::string stem;
    size_t chunk = 0;
};

std::vector<Sample> ReadManifest()
{
    std::vector<Sample> samples;
    std::istringstream lines(testfiles::Read(testfiles::SourcePath("samples/samples.txt")));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Sample sample;
        fields >> sample.output >> sample.version >> sample.stem >> sample.chunk;
        samples.push_back(sample);
    }
    return samples;
}

TEST(Samples, AreBuiltFromTheirSourcesAndDecodeBackToThem)
{
    std::vector<Sample> samples = ReadManifest();
    ASSERT_GE(samples.size(), 3u);
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.output);
        recbuilder::Source source;
        source.version = sample.version;
        source.chunkSize = sample.chunk;
        source.settingsXml = testfiles::Read(testfiles::SourcePath("samples/src/" + sample.stem + ".settings.xml"));
        source.mapScript = testfiles::Read(testfiles::SourcePath("samples/src/" + sample.stem + ".map.txt"));
        ASSERT_FALSE(source.settingsXml.empty());
        std::string path = testfiles::SourcePath("samples/" + sample.output);
        recbuilder::Bytes built = recbuilder::Build(source);
        EXPECT_EQ(std::string(built.begin(), built.end()), testfiles::Read(path))
            << "run tools/make_samples.sh after changing a sample's source";

        CKarRecord decoder;
        std::vector<uint8_t> body;
        ASSERT_TRUE(decoder.Unpack(path, body)) << decoder.errorText;
        ASSERT_TRUE(decoder.GetGameData(body));
        recbuilder::Bytes wide = recbuilder::Utf8ToUtf16(source.settingsXml, false);
        std::string expected;
        ASSERT_TRUE(WideToAnsi(wide.data(), static_cast<uint32_t>(wide.size()), expected));
        expected = expected.substr(0, expected.rfind("</GameSettings>") + 15);
        EXPECT_EQ(expected, decoder.settings);
        EXPECT_EQ(source.mapScript, decoder.mapScript);
        EXPECT_EQ(sample.version, decoder.formatVersion);
    }
}
}
