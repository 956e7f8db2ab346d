// Costs of reading recorded files.
//   record_decode callgrind       decodes a file whose body is 1 MiB, and inflates the same stream
//                                 with zlib alone, each under callgrind; prints both instruction
//                                 counts and their ratio, and the peak memory of the decoding
//   record_decode load [COUNT]    Load of COUNT (10,000) records in one folder against the bare
//                                 open, fstat and close of the same files
// Internal modes, run by the above: decode FILE, inflate FILE.
#include "framework/StringUtil.h"
#include "options/CSaveData.h"
#include "record/CKarRecord.h"
#include "record/CRecord.h"
#include "tools/recbuilder/RecordBuilder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const recbuilder::Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A recorded file with the castle-duel settings and 1 MiB of body in all.
recbuilder::Bytes MegabyteRecord(const std::string& sourceDir)
{
    recbuilder::Source source;
    source.settingsXml = ReadAll(sourceDir + "/samples/src/castle-duel.settings.xml");
    source.mapScript = ReadAll(sourceDir + "/samples/src/castle-duel.map.txt");
    source.trailerSize = 0;
    size_t withoutTrailer = recbuilder::MakeBody("1", recbuilder::MakeBlock(recbuilder::Utf8ToUtf16(source.settingsXml, true), 0),
                                                 recbuilder::MakeBlock(recbuilder::Bytes(source.mapScript.begin(), source.mapScript.end()), 0), 0)
                                .size();
    source.trailerSize = (1u << 20) - withoutTrailer;
    return recbuilder::Build(source);
}

// Measured by callgrind (--toggle-collect): the whole decoding of a file.
extern "C" __attribute__((noinline)) bool RunDecode(const char* path)
{
    CKarRecord record;
    std::vector<uint8_t> body;
    return record.Unpack(path, body) && record.GetGameData(body);
}

// Measured by callgrind (--toggle-collect): zlib's inflation of the same stream, already in memory.
extern "C" __attribute__((noinline)) int RunInflate(std::vector<uint8_t>& input, std::vector<uint8_t>& output)
{
    z_stream stream = {};
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(input.size());
    inflateInit_(&stream, "1.1.4", static_cast<int>(sizeof(z_stream)));
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    int result;
    while ((result = inflate(&stream, Z_NO_FLUSH)) == Z_OK) {
    }
    inflateEnd(&stream);
    return result;
}

int Decode(const char* path)
{
    if (!RunDecode(path))
        return 1;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}

int Inflate(const char* path)
{
    std::string file = ReadAll(path);
    std::vector<uint8_t> input(file.begin() + 8, file.end());
    uint32_t size = static_cast<uint8_t>(file[4]) | static_cast<uint8_t>(file[5]) << 8 | static_cast<uint8_t>(file[6]) << 16;
    std::vector<uint8_t> output(size + 1);
    return RunInflate(input, output) == Z_STREAM_END ? 0 : 1;
}

long long Instructions(const std::string& self, const std::string& mode, const std::string& function,
                       const std::string& path)
{
    std::string out = fs::temp_directory_path() / ("tv_callgrind_" + mode + ".out");
    std::string command = "valgrind --tool=callgrind --callgrind-out-file=" + out + " --toggle-collect=" +
                          function + " " + self + " " + mode + " " + path + " > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return -1;
    std::string text = ReadAll(out);
    std::string::size_type at = text.find("\nsummary: ");
    fs::remove(out);
    return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + 10);
}

int Callgrind(const std::string& self)
{
    const char* sourceDir = std::getenv("TV_SOURCE_DIR");
    std::string path = fs::temp_directory_path() / "tv_bench_1mib.rec";
    recbuilder::Bytes file = MegabyteRecord(sourceDir ? sourceDir : ".");
    WriteAll(path, file);
    long long decode = Instructions(self, "decode", "RunDecode", path);
    long long inflate = Instructions(self, "inflate", "RunInflate", path);
    std::printf("file %zu bytes, body %d bytes\n", file.size(), 1 << 20);
    std::printf("decode (Unpack + GetGameData): %lld instructions\n", decode);
    std::printf("zlib inflate alone:            %lld instructions\n", inflate);
    std::printf("ratio: %.4f\n", inflate > 0 ? static_cast<double>(decode) / inflate : 0.0);
    std::string command = self + " decode " + path;
    std::fflush(stdout);
    int status = std::system(command.c_str());
    std::printf("memory limit 1.1 x (file + body) + 4 MiB: %.0f KiB\n",
                (1.1 * (file.size() + (1 << 20)) + 4 * 1048576.0) / 1024);
    fs::remove(path);
    return status;
}

int Load(int count)
{
    const char* sourceDir = std::getenv("TV_SOURCE_DIR");
    std::string sample = ReadAll(std::string(sourceDir ? sourceDir : ".") + "/samples/castle-duel.rec");
    fs::path folder = fs::temp_directory_path() / "tv_bench_load";
    fs::remove_all(folder);
    fs::create_directory(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back((folder / ("game" + std::to_string(i) + ".rec")).string());
        std::ofstream(paths.back(), std::ios::binary) << sample;
    }
    using Clock = std::chrono::steady_clock;
    // Three rounds each, the best kept: the first round warms the file cache.
    double bestLoad = 1e99, bestBare = 1e99;
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        CSaveData data;
        for (const std::string& path : paths)
            data.AddRecord(path);
        bestLoad = std::min(bestLoad, std::chrono::duration<double>(Clock::now() - start).count());
        if (data.records.size() != paths.size())
            return 1;
        start = Clock::now();
        for (const std::string& path : paths) {
            int fd = open(path.c_str(), O_RDONLY);
            struct stat st;
            fstat(fd, &st);
            close(fd);
        }
        bestBare = std::min(bestBare, std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::printf("%d files: AddRecord (Load + store) %.2f us per file; open + fstat + close %.2f us per file\n",
                count, bestLoad / count * 1e6, bestBare / count * 1e6);
    fs::remove_all(folder);
    return 0;
}
}

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "callgrind";
    if (mode == "decode" && argc > 2)
        return Decode(argv[2]);
    if (mode == "inflate" && argc > 2)
        return Inflate(argv[2]);
    if (mode == "load")
        return Load(argc > 2 ? std::atoi(argv[2]) : 10000);
    if (mode == "callgrind")
        return Callgrind(fs::canonical("/proc/self/exe").string());
    std::fprintf(stderr, "usage: record_decode callgrind | load [COUNT]\n");
    return 2;
}
