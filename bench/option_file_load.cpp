// Load time of a large option file.
//   option_file_load [NODES [TEXTS]]   writes an option file with NODES node entries per format
//                                 version (2,500), each with TEXTS value texts (8), in Shift_JIS,
//                                 and prints the best and the median time of five COption::Load
#include "options/COption.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
std::string MakeOptionFile(int nodes, int texts)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<Option Version=\"1.1\">\n";
    for (const char* type : {"1", "2"}) {
        xml += std::string("\t<Nodes Type=\"") + type + "\">\n";
        for (int n = 0; n < nodes; ++n) {
            std::string name = "Setting" + std::to_string(n);
            xml += "\t\t<Node Name=\"" + name + "\" Value=\"設定の表示名" + std::to_string(n) + "\">\n\t\t\t<Texts>\n";
            for (int t = 0; t < texts; ++t)
                xml += "\t\t\t\t<Text Name=\"" + std::to_string(t) + "\" Value=\"値の表示テキスト" + std::to_string(t) +
                       "\"/>\n";
            xml += "\t\t\t</Texts>\n\t\t</Node>\n";
        }
        xml += "\t</Nodes>\n";
    }
    xml += "\t<Templates>\n\t\t<Template Name=\"Rename\" Value=\"Rename.xsl\"/>\n\t</Templates>\n</Option>\n";
    return xml;
}
}

int main(int argc, char** argv)
{
    int nodes = argc > 1 ? std::atoi(argv[1]) : 2500;
    int texts = argc > 2 ? std::atoi(argv[2]) : 8;
    std::string xml = MakeOptionFile(nodes, texts);
    std::string path = (std::filesystem::temp_directory_path() / "tv_bench_option.xml").string();
    std::ofstream(path, std::ios::binary) << xml;

    std::vector<double> times;
    size_t entries = 0;
    for (int run = 0; run < 5; ++run) {
        COption option;
        auto start = std::chrono::steady_clock::now();
        bool ok = option.Load(path);
        auto stop = std::chrono::steady_clock::now();
        if (!ok) {
            std::fprintf(stderr, "load failed: %s\n", option.GetMessageText().c_str());
            return 1;
        }
        entries = option.nodes.size();
        for (const auto& entry : option.nodes)
            entries += entry.second.texts.size();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::filesystem::remove(path);
    std::sort(times.begin(), times.end());
    std::printf("option file of %zu bytes, %zu entries (%d nodes x 2 versions, %d texts each)\n", xml.size(), entries,
                nodes, texts);
    std::printf("COption::Load: best %.1f ms, median %.1f ms\n", times.front(), times[times.size() / 2]);
    return 0;
}
