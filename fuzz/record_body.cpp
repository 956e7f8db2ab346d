// Reads arbitrary bytes as an inflated body: the format markers and the chunked blocks.
#include "record/CKarRecord.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The decoder hands over a body with one spare zero byte behind the inflated data.
    std::vector<uint8_t> body(data, data + size);
    body.push_back(0);
    CKarRecord record;
    try {
        record.GetGameData(body);
    } catch (const std::out_of_range&) {
    }
    return 0;
}
