#pragma once
// Makes recorded game files from readable sources, for the samples and for test fixtures
// (broken ones included: every piece can be built and put together on its own).
#include <cstdint>
#include <string>
#include <vector>

namespace recbuilder {

using Bytes = std::vector<uint8_t>;

// Where the settings block starts for a format version ("1" or "2").
size_t BlockStart(const std::string& version);

// UTF-8 text as UTF-16LE, with the byte-order mark first when bom is true.
Bytes Utf8ToUtf16(const std::string& utf8, bool bom);

// A block: the total, then the payload cut into chunks of chunkSize bytes (0: one chunk). An
// empty payload gives a total of 0 and no chunk.
Bytes MakeBlock(const Bytes& payload, size_t chunkSize);

// A block with the given total and the given chunks exactly as they are, for broken fixtures.
Bytes MakeRawBlock(uint32_t total, const std::vector<Bytes>& chunks);

// The inflated body: filler up to the block start of the version, the settings block, the map
// script block, then trailerSize bytes of game data.
Bytes MakeBody(const std::string& version, const Bytes& settingsBlock, const Bytes& mapBlock,
               size_t trailerSize);

// A zlib stream (header, deflate data, Adler-32 trailer) of the bytes.
Bytes Compress(const Bytes& bytes);

// The file: "l33t", the declared 24-bit size (and the ignored fourth byte), then the stream.
Bytes MakeContainer(const Bytes& stream, uint32_t declaredSize, uint8_t fourthSizeByte = 0);

struct Source {
    std::string settingsXml;  // UTF-8
    std::string mapScript;    // 8-bit text as stored
    std::string version = "1";
    size_t chunkSize = 0;
    size_t trailerSize = 4096;
};

// A whole, well-formed recorded file.
Bytes Build(const Source& source);

}
