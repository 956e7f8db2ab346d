// The record search without windows, natively:
//   record_search [COUNT] (10,000) records of the castle-duel sample, each with another first
//                         player: decoding their settings alone, a first search (decoding,
//                         parsing, translating, folding and matching), a second search over what
//                         the first one kept, and the search texts' size beside the settings'.
// The best of three rounds each. bench/find_records.sh measures the command itself under Wine.
#include "framework/CSearchQuery.h"
#include "options/COption.h"
#include "options/RecordSearch.h"
#include "record/CRecord.h"
#include "tools/recbuilder/RecordBuilder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const char* sourceDir = std::getenv("TV_SOURCE_DIR");
    std::string root = sourceDir ? sourceDir : ".";
    COption option;
    // The build's option.xml, in the code page of the program, beside the build's programs.
    fs::path bin = fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
    if (!option.Load((bin / "option.xml").string())) {
        std::fprintf(stderr, "option.xml: %s\n", option.GetMessageText().c_str());
        return 1;
    }
    fs::path folder = fs::temp_directory_path() / "tv_bench_search";
    fs::remove_all(folder);
    fs::create_directory(folder);
    std::string settings = ReadAll(root + "/samples/src/castle-duel.settings.xml");
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        recbuilder::Source source;
        source.settingsXml = settings;
        source.settingsXml.replace(source.settingsXml.find("Alice"), 5, "Alice" + std::to_string(i));
        source.mapScript = ReadAll(root + "/samples/src/castle-duel.map.txt");
        recbuilder::Bytes bytes = recbuilder::Build(source);
        paths.push_back((folder / ("r" + std::to_string(i) + ".rec")).string());
        std::ofstream(paths.back(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
    }
    CSearchQuery query("alice" + std::to_string(count / 2) + " 王殺し");
    double decode = 1e99, first = 1e99, second = 1e99;
    size_t settingsSize = 0, kept = 0;
    int found = 0;
    for (int round = 0; round < 3; ++round) {
        std::vector<CRecord> alone(paths.size());
        for (size_t i = 0; i < paths.size(); ++i)
            alone[i].Load(paths[i]);
        auto start = std::chrono::steady_clock::now();
        for (CRecord& record : alone)
            record.GetSettingsAlone();
        decode = std::min(decode, Seconds(start));
        std::vector<CRecord> records(paths.size());
        for (size_t i = 0; i < paths.size(); ++i)
            records[i].Load(paths[i]);
        start = std::chrono::steady_clock::now();
        found = 0;
        TranslationMemo memo;
        for (CRecord& record : records)
            found += RecordMatches(record, option, query, &memo);
        first = std::min(first, Seconds(start));
        start = std::chrono::steady_clock::now();
        for (CRecord& record : records)
            RecordMatches(record, option, query);
        second = std::min(second, Seconds(start));
        settingsSize = kept = 0;
        for (const CRecord& record : records) {
            settingsSize += record.settings.size();
            kept += record.searchText.size();
        }
    }
    double perRecord = 1e6 / count;
    std::printf("%d records of the castle-duel sample (us per record, best of three; %d found)\n", count, found);
    std::printf("  decoding the settings alone: %8.2f\n", decode * perRecord);
    std::printf("  first search:                %8.2f  (%.3f of decoding)\n", first * perRecord, first / decode);
    std::printf("  second search:               %8.2f  (%.3f of the first)\n", second * perRecord, second / first);
    std::printf("  search texts kept: %zu bytes per record, settings %zu bytes\n", kept / paths.size(),
                settingsSize / paths.size());
    fs::remove_all(folder);
    return 0;
}
