#pragma once
// Bodies and files of recorded games for the tests, made with the record builder.
#include "TestFiles.h"
#include "tools/recbuilder/RecordBuilder.h"

#include <string>

namespace fixtures {

using recbuilder::Bytes;

const char kSettings[] = "<GameSettings>\n\t<MapName>Highland</MapName>\n</GameSettings>";
const char kMap[] = "// map script\nplace_towns 2\n";

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

inline Bytes SettingsPayload(const std::string& xml = kSettings)
{
    return recbuilder::Utf8ToUtf16(xml, true);
}

// A body whose blocks are given as they are (well-formed or not).
inline Bytes Body(const std::string& version, const Bytes& settingsBlock, const Bytes& mapBlock,
                  size_t trailer = 64)
{
    return recbuilder::MakeBody(version, settingsBlock, mapBlock, trailer);
}

// A well-formed body.
inline Bytes GoodBody(const std::string& version = "1", size_t chunk = 0)
{
    return Body(version, recbuilder::MakeBlock(SettingsPayload(), chunk),
                recbuilder::MakeBlock(Text(kMap), chunk));
}

// The body with the declared size, as a file's bytes.
inline std::string FileBytes(const Bytes& body)
{
    Bytes file = recbuilder::MakeContainer(recbuilder::Compress(body), static_cast<uint32_t>(body.size()));
    return std::string(file.begin(), file.end());
}

inline std::string AsString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A well-formed recorded file with the given settings (UTF-8) in the scratch folder under
// name; its path.
inline std::string WriteRecord(const std::string& name, const std::string& settings,
                               const std::string& version = "1")
{
    recbuilder::Source source;
    source.settingsXml = settings;
    source.mapScript = kMap;
    source.version = version;
    return testfiles::Write(name, AsString(recbuilder::Build(source)));
}

}
