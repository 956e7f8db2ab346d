// Decodes arbitrary bytes as a recorded game file: the container, the inflation and the body.
#include "record/CKarRecord.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const std::string& ScratchFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/tv_fuzz_record_XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        return std::string(name);
    }();
    return path;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CKarRecord record;
    std::vector<uint8_t> body;
    if (!record.Unpack(ScratchFile(), body))
        return 0;
    try {
        record.GetGameData(body);
    } catch (const std::out_of_range&) {
    }
    return 0;
}
