#include "record/CKarRecord.h"
#include "framework/CFile.h"
#include "framework/StringUtil.h"

#include <cstring>
#include <stdexcept>
#include <zlib.h>

namespace {
const uint8_t kMagic[4] = {0x6C, 0x33, 0x33, 0x74};

struct Layout {
    const char* version;
    size_t markerAt;
    size_t blockAt;
};
const Layout kLayouts[] = {{"1", 0x59A, 0x592}, {"2", 0x5C2, 0x5BA}};

// Ends the inflation on every path, also when a failure is thrown halfway.
class InflateStream {
public:
    explicit InflateStream(std::vector<uint8_t>& input) : stream()
    {
        stream.next_in = input.data();
        stream.avail_in = static_cast<uInt>(input.size());
        int result = inflateInit_(&stream, "1.1.4", static_cast<int>(sizeof(z_stream)));
        if (result != Z_OK)
            throw std::runtime_error(std::string("inflateInit:") + Message());
        open = true;
    }
    ~InflateStream()
    {
        if (open)
            inflateEnd(&stream);
    }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    void End()
    {
        open = false;
        if (inflateEnd(&stream) != Z_OK)
            throw std::runtime_error(std::string("inflateEnd:") + Message());
    }
    const char* Message() const { return stream.msg ? stream.msg : ""; }

    z_stream stream;
    bool open = false;
};

uint32_t ReadUint32(const std::vector<uint8_t>& body, size_t at)
{
    return static_cast<uint32_t>(body[at]) | static_cast<uint32_t>(body[at + 1]) << 8 |
           static_cast<uint32_t>(body[at + 2]) << 16 | static_cast<uint32_t>(body[at + 3]) << 24;
}

// Reads one block from position: total N, then (length, data) chunks while fewer than N payload
// bytes have been collected. The payload gets a zero byte behind it. False when the block does not
// fit: a count that points beyond the body or beyond what remains of N.
bool ReadBlock(const std::vector<uint8_t>& body, size_t& position, std::vector<uint8_t>& payload)
{
    payload.clear();
    size_t size = body.size();
    if (position > size || size - position < 4)
        return false;
    uint32_t total = ReadUint32(body, position);
    position += 4;
    if (total > size - position)
        return false;
    payload.reserve(static_cast<size_t>(total) + 1);
    while (payload.size() < total) {
        if (size - position < 4)
            return false;
        uint32_t length = ReadUint32(body, position);
        position += 4;
        if (length > total - payload.size() || length > size - position)
            return false;
        payload.insert(payload.end(), body.begin() + position, body.begin() + position + length);
        position += length;
    }
    payload.push_back(0);
    return true;
}
}

CKarRecord::CKarRecord() : formatVersion("0") {}

bool CKarRecord::Unpack(const std::string& path, std::vector<uint8_t>& body)
{
    CFile file;
    try {
        if (!file.Open(true, kGenericRead, path))
            throw std::runtime_error("open error " + path);
        uint8_t header[4];
        if (!file.ReadFull(header, 4))
            throw std::runtime_error("header read error");
        if (std::memcmp(header, kMagic, 4) != 0)
            throw std::runtime_error("Invalid file header");
        if (!file.ReadFull(header, 4))
            throw std::runtime_error("header size read error");
        uint32_t inflatedSize = header[0] | header[1] << 8 | header[2] << 16;
        // A size that cannot be read gives 0xFFFFFFFF: refuse it rather than allocate for it.
        uint32_t fileSize = file.GetSize();
        if (fileSize == 0xFFFFFFFFu || fileSize < 8)
            throw std::runtime_error("org file read error");
        std::vector<uint8_t> input(fileSize - 8);
        body.assign(static_cast<size_t>(inflatedSize) + 1, 0);
        if (!file.ReadFull(input.data(), fileSize - 8))
            throw std::runtime_error("org file read error");

        InflateStream inflater(input);
        inflater.stream.next_out = body.data();
        inflater.stream.avail_out = static_cast<uInt>(body.size());
        int result;
        while ((result = inflate(&inflater.stream, Z_NO_FLUSH)) == Z_OK) {
        }
        if (result != Z_STREAM_END)
            throw std::runtime_error(std::string("inflate:") + inflater.Message());
        if (inflater.stream.total_out != inflatedSize)
            throw std::runtime_error("Invalid recorded game file");
        inflater.End();
        file.Close();
        return true;
    } catch (const std::exception& e) {
        errorText = e.what();
    } catch (const char* text) {
        errorText = text;
    }
    try {
        file.Close();
    } catch (const char*) {
    }
    return false;
}

bool CKarRecord::GetGameData(const std::vector<uint8_t>& body)
{
    const Layout* layout = nullptr;
    for (const Layout& candidate : kLayouts) {
        if (body.size() > candidate.markerAt + 1 && body[candidate.markerAt] == 0xFF &&
            body[candidate.markerAt + 1] == 0xFE) {
            layout = &candidate;
            break;
        }
    }
    if (!layout)
        return false;
    formatVersion = layout->version;

    size_t position = layout->blockAt;
    std::vector<uint8_t> payload;
    if (!ReadBlock(body, position, payload) || payload.size() == 1)
        return false;
    uint32_t total = static_cast<uint32_t>(payload.size() - 1);
    std::string text;
    WideToAnsi(payload.data(), total, text);

    const std::string open = "<GameSettings>";
    const std::string close = "</GameSettings>";
    std::string::size_type begin = text.find(open);
    if (begin == std::string::npos)
        throw std::out_of_range("invalid string position");
    // Without a closing tag behind the opening one, the settings run to the end of the text.
    std::string::size_type end = text.find(close);
    std::string found = end == std::string::npos || end < begin
                            ? text.substr(begin)
                            : text.substr(begin, end + close.size() - begin);

    if (!ReadBlock(body, position, payload))
        return false;
    if (payload.size() == 1)
        throw std::out_of_range("invalid vector<T> subscript");
    settings = found;
    mapScript = reinterpret_cast<const char*>(payload.data());
    return true;
}
