// The records' own columns of the file list without windows, natively:
//   column_texts [COUNT] (10,000) records of the castle-duel sample, each with another first
//                        player: decoding their settings alone beside making their column texts
//                        (decoding, reading, translating), and the bytes the texts keep.
// The best of three rounds each. bench/record_columns.sh measures the list itself under Wine.
#include "options/COption.h"
#include "options/RecordColumns.h"
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

std::vector<CRecord> Loaded(const std::vector<std::string>& paths)
{
    std::vector<CRecord> records(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        records[i].Load(paths[i]);
    return records;
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
    fs::path folder = fs::temp_directory_path() / "tv_bench_columns";
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
    double decode = 1e99, made = 1e99;
    size_t cells = 0;
    for (int round = 0; round < 3; ++round) {
        std::vector<CRecord> alone = Loaded(paths);
        auto start = std::chrono::steady_clock::now();
        for (CRecord& record : alone)
            record.GetSettingsAlone();
        decode = std::min(decode, Seconds(start));
        std::vector<CRecord> records = Loaded(paths);
        start = std::chrono::steady_clock::now();
        for (CRecord& record : records)
            MakeRecordColumns(record, option);
        made = std::min(made, Seconds(start));
        cells = 0;
        for (const CRecord& record : records) {
            for (int column = 0; column < CColumnTexts::kCount; ++column)
                cells += record.columns.View(static_cast<CColumnTexts::Column>(column)).size() + 1;
        }
    }
    double perRecord = 1e6 / count;
    std::printf("%d records of the castle-duel sample (us per record, best of three)\n", count);
    std::printf("  decoding the settings alone: %8.2f\n", decode * perRecord);
    std::printf("  making the column texts:     %8.2f  (%.3f of decoding)\n", made * perRecord, made / decode);
    std::printf("  the cells: %zu bytes per record\n", cells / paths.size());
    fs::remove_all(folder);
    return 0;
}
