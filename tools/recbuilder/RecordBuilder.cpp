#include "tools/recbuilder/RecordBuilder.h"

#include <algorithm>
#include <stdexcept>
#include <zlib.h>

namespace recbuilder {

namespace {
void AppendUint32(Bytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendUnit(Bytes& out, uint32_t unit)
{
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
}

// Game data that looks like a game's own serialisation: small numbers, repeated patterns, and
// never the byte-order mark.
void AppendGameData(Bytes& out, size_t count, uint32_t seed)
{
    uint32_t state = seed;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        uint8_t value = static_cast<uint8_t>((state >> 16) % 48);
        out.push_back((i % 16) < 12 ? value : static_cast<uint8_t>(i % 7));
    }
}
}

size_t BlockStart(const std::string& version)
{
    return version == "2" ? 0x5BA : 0x592;
}

Bytes Utf8ToUtf16(const std::string& utf8, bool bom)
{
    Bytes out;
    if (bom)
        AppendUnit(out, 0xFEFF);
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        uint32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        if (i + extra >= utf8.size() && extra > 0)
            throw std::invalid_argument("truncated UTF-8 text");
        for (int k = 1; k <= extra; ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if (code >= 0x10000) {
            code -= 0x10000;
            AppendUnit(out, 0xD800 | (code >> 10));
            AppendUnit(out, 0xDC00 | (code & 0x3FF));
        } else {
            AppendUnit(out, code);
        }
    }
    return out;
}

Bytes MakeBlock(const Bytes& payload, size_t chunkSize)
{
    std::vector<Bytes> chunks;
    size_t step = chunkSize == 0 ? payload.size() : chunkSize;
    for (size_t at = 0; at < payload.size(); at += step) {
        size_t length = std::min(step, payload.size() - at);
        chunks.emplace_back(payload.begin() + at, payload.begin() + at + length);
    }
    return MakeRawBlock(static_cast<uint32_t>(payload.size()), chunks);
}

Bytes MakeRawBlock(uint32_t total, const std::vector<Bytes>& chunks)
{
    Bytes out;
    AppendUint32(out, total);
    for (const Bytes& chunk : chunks) {
        AppendUint32(out, static_cast<uint32_t>(chunk.size()));
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

Bytes MakeBody(const std::string& version, const Bytes& settingsBlock, const Bytes& mapBlock,
               size_t trailerSize)
{
    const char intro[] = "KARTHEN RECORDED GAME";
    Bytes body(intro, intro + sizeof intro);
    AppendGameData(body, BlockStart(version) - body.size(), 7);
    body.insert(body.end(), settingsBlock.begin(), settingsBlock.end());
    body.insert(body.end(), mapBlock.begin(), mapBlock.end());
    AppendGameData(body, trailerSize, 11);
    return body;
}

Bytes Compress(const Bytes& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

Bytes MakeContainer(const Bytes& stream, uint32_t declaredSize, uint8_t fourthSizeByte)
{
    Bytes out = {0x6C, 0x33, 0x33, 0x74};
    out.push_back(static_cast<uint8_t>(declaredSize));
    out.push_back(static_cast<uint8_t>(declaredSize >> 8));
    out.push_back(static_cast<uint8_t>(declaredSize >> 16));
    out.push_back(fourthSizeByte);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

Bytes Build(const Source& source)
{
    Bytes settings = MakeBlock(Utf8ToUtf16(source.settingsXml, true), source.chunkSize);
    Bytes map = MakeBlock(Bytes(source.mapScript.begin(), source.mapScript.end()), source.chunkSize);
    Bytes body = MakeBody(source.version, settings, map, source.trailerSize);
    return MakeContainer(Compress(body), static_cast<uint32_t>(body.size()));
}

}
