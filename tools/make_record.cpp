// make_record VERSION SETTINGS.xml MAP.txt CHUNK OUT
// Builds a recorded game file: the settings XML (UTF-8 on disk) is stored as UTF-16LE with its
// byte-order mark, the map script as it is, both cut into chunks of CHUNK bytes (0: one chunk).
#include "tools/recbuilder/RecordBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {
bool ReadFile(const char* path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
}

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: make_record VERSION SETTINGS.xml MAP.txt CHUNK OUT\n");
        return 2;
    }
    recbuilder::Source source;
    source.version = argv[1];
    if (!ReadFile(argv[2], source.settingsXml) || !ReadFile(argv[3], source.mapScript)) {
        std::fprintf(stderr, "make_record: cannot read %s or %s\n", argv[2], argv[3]);
        return 1;
    }
    source.chunkSize = std::strtoul(argv[4], nullptr, 10);
    recbuilder::Bytes file = recbuilder::Build(source);
    std::ofstream out(argv[5], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return out ? 0 : 1;
}
