// Speed of the XML library against expat, libxml2 and pugixml on settings-like documents (three
// levels, short texts, some attributes): one of about 5 KB and one of about 10 MB; and the writer
// on attribute values of 1 MB, plain and full of '&'.
//   sprig_parse            wall time: documents per second and MB/s for each parser, and MB/s
//                          of the writer for each kind of attribute value
//   sprig_parse --callgrind  instructions per input byte, counted by callgrind in one run
//   sprig_parse --allocations  heap allocations per element of a Sprig parse
// The second form runs itself under valgrind; instruction counts are repeatable where wall
// times on a shared machine are not.
#include "sprig/DOM_Parser.h"
#include "sprig/Document.h"

#include <expat.h>
#include <libxml/parser.h>
#include <pugixml.hpp>
#include <valgrind/callgrind.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

// Heap allocations of the whole program, counted for --allocations.
static std::size_t allocations = 0;

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

// A GameSettings-like document: groups of options, each with an attribute or two and a short
// text; 21 groups of 6 options make about 150 elements in 5.5 KB.
std::string SettingsDocument(int groups)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<GameSettings Version=\"2\">\n";
    for (int g = 0; g < groups; ++g) {
        text += "\t<Group Name=\"G" + std::to_string(g) + "\">\n";
        for (int o = 0; o < 6; ++o) {
            text += "\t\t<Option Id=\"" + std::to_string(o) + "\"" + (o % 3 ? "" : " Type=\"list\"") + ">Value " +
                    std::to_string(g * 6 + o) + "</Option>\n";
        }
        text += "\t</Group>\n";
    }
    return text + "</GameSettings>\n";
}

volatile std::size_t sink;

// Documents built by a measured run, deleted after the measurement (build-only rows).
std::vector<std::unique_ptr<Sprig::Document>> kept;

void DeleteKept()
{
    kept.clear();
}

void SprigText(const std::string& text)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    kept.emplace_back(parser.Parse(text.c_str()));
}

void SprigTextAndDelete(const std::string& text)
{
    SprigText(text);
    DeleteKept();
}

void SprigStream(const std::string& text)
{
    std::istringstream stream(text);
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    kept.emplace_back(parser.Parse(stream));
}

// Writing is measured on a tree parsed beforehand.
std::function<void(const std::string&)> SprigWrite(const std::string& text)
{
    Sprig::DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::shared_ptr<Sprig::Document> document(parser.Parse(text.c_str()));
    return [document](const std::string&) { sink = document->ToString(true, "\t", 0).size(); };
}

void Expat(const std::string& text)
{
    XML_Parser parser = XML_ParserCreate("ISO-8859-1");
    XML_SetElementHandler(parser, [](void*, const XML_Char*, const XML_Char**) { sink = sink + 1; },
                          [](void*, const XML_Char*) {});
    XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int length) { sink = sink + length; });
    if (XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_OK)
        std::abort();
    XML_ParserFree(parser);
}

void LibXml2(const std::string& text)
{
    xmlDocPtr document = xmlReadMemory(text.data(), static_cast<int>(text.size()), "bench.xml", "ISO-8859-1", XML_PARSE_NONET);
    if (!document)
        std::abort();
    xmlFreeDoc(document);
}

void Pugixml(const std::string& text)
{
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size()))
        std::abort();
    sink = document.first_child().empty();
}

struct Subject {
    const char* name;
    std::function<void(const std::string&)> run;
    // Runs after each run, outside the measurement.
    std::function<void()> cleanup = [] {};
};

std::vector<Subject> Subjects(const std::string& text)
{
    return {{"Sprig Parse (text)", SprigText, DeleteKept},
            {"Sprig Parse (text) + delete", SprigTextAndDelete},
            {"Sprig Parse (stream)", SprigStream, DeleteKept},
            {"Sprig ToString", SprigWrite(text)},
            {"expat SAX parse, no tree", Expat},
            {"libxml2 xmlReadMemory + free", LibXml2},
            {"pugixml load_buffer + free", Pugixml}};
}

void WallTimes(const char* label, const std::string& text, double seconds)
{
    std::printf("%s (%zu bytes)\n", label, text.size());
    std::printf("  %-36s %12s %10s\n", "", "docs/s", "MB/s");
    for (const Subject& subject : Subjects(text)) {
        subject.run(text);
        subject.cleanup();
        long count = 0;
        double elapsed = 0;
        do {
            auto start = std::chrono::steady_clock::now();
            subject.run(text);
            elapsed += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            subject.cleanup();
            ++count;
        } while (elapsed < seconds);
        double perSecond = static_cast<double>(count) / elapsed;
        std::printf("  %-36s %12.1f %10.1f\n", subject.name, perSecond, perSecond * static_cast<double>(text.size()) / 1e6);
    }
}

// A value of 1 MB made of one piece repeated, as an attribute of the root, written out; a value
// full of '&' and without ';' must cost no more than a plain one.
void AttributeValues(double seconds)
{
    std::printf("Writer, one attribute value of 1 MB\n");
    std::printf("  %-36s %10s\n", "", "MB/s");
    for (const char* piece : {"a", "&", "&amp;", "&#0000000"}) {
        std::string value;
        while (value.size() < (1u << 20))
            value += piece;
        std::unique_ptr<Sprig::Document> document(Sprig::CreateDocument("r"));
        Sprig::CreateAttribute("v", value, document->GetRootElement());
        long count = 0;
        auto start = std::chrono::steady_clock::now();
        double elapsed = 0;
        do {
            sink = document->ToString(true, "\t", 0).size();
            ++count;
            elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } while (elapsed < seconds);
        std::string label = std::string("\"") + piece + "\" repeated";
        std::printf("  %-36s %10.1f\n", label.c_str(), static_cast<double>(count * value.size()) / elapsed / 1e6);
    }
}

// Under callgrind: one warm-up run, then the measured runs of each parser in a dump of their own.
void Measure(const char* label, const std::string& text, int runs)
{
    int index = 0;
    for (const Subject& subject : Subjects(text)) {
        subject.run(text);
        subject.cleanup();
        CALLGRIND_ZERO_STATS;
        for (int i = 0; i < runs; ++i) {
            subject.run(text);
            CALLGRIND_TOGGLE_COLLECT;
            subject.cleanup();
            CALLGRIND_TOGGLE_COLLECT;
        }
        std::string name = std::string(label) + "|" + std::to_string(index++) + "|" + std::to_string(runs) + "|" +
                           std::to_string(text.size());
        CALLGRIND_DUMP_STATS_AT(name.c_str());
    }
}

// Runs this program under callgrind and prints instructions per byte from its dumps.
int Callgrind(const char* self)
{
    std::string folder = "/tmp/sprig_callgrind." + std::to_string(getpid());
    std::string command = "rm -rf " + folder + " && mkdir -p " + folder + " && valgrind --tool=callgrind --callgrind-out-file=" +
                          folder + "/out.%p " + self + " --measure >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "valgrind failed\n");
        return 1;
    }
    std::string list = folder + "/list";
    std::system(("ls " + folder + "/out.* > " + list).c_str());
    std::ifstream files(list);
    std::vector<std::string> names;
    for (const Subject& subject : Subjects("<r/>"))
        names.push_back(subject.name);
    struct Row {
        double small = 0;
        double large = 0;
    };
    std::vector<Row> rows(names.size());
    std::string file;
    while (std::getline(files, file)) {
        std::ifstream dump(file);
        std::string line;
        std::string trigger;
        double total = -1;
        while (std::getline(dump, line)) {
            if (line.rfind("desc: Trigger: Client Request: ", 0) == 0)
                trigger = line.substr(31);
            else if (line.rfind("summary: ", 0) == 0)
                total = std::atof(line.substr(9).c_str());
        }
        char label[16];
        int index;
        int runs;
        double bytes;
        if (trigger.empty() || std::sscanf(trigger.c_str(), "%15[^|]|%d|%d|%lf", label, &index, &runs, &bytes) != 4)
            continue;
        double perByte = total / runs / bytes;
        (std::string(label) == "small" ? rows[static_cast<std::size_t>(index)].small : rows[static_cast<std::size_t>(index)].large) =
            perByte;
    }
    std::system(("rm -rf " + folder).c_str());
    std::printf("Instructions per input byte (callgrind)\n");
    std::string small = SettingsDocument(21);
    std::string large = SettingsDocument(21 * 1900);
    std::printf("  %-36s %10zu %10zu %14s\n", "bytes", small.size(), large.size(), "large / small");
    for (std::size_t i = 0; i < names.size(); ++i) {
        double ratio = rows[i].small > 0 ? rows[i].large * static_cast<double>(large.size()) /
                                               (rows[i].small * static_cast<double>(small.size()))
                                         : 0;
        std::printf("  %-36s %10.1f %10.1f %14.0f\n", names[i].c_str(), rows[i].small, rows[i].large, ratio);
    }
    return 0;
}

// A parse after a first one (the parser's own buffers have grown): heap allocations per element.
int Allocations()
{
    for (int groups : {21, 21 * 1900}) {
        std::string text = SettingsDocument(groups);
        int elements = 1 + groups * 7;
        SprigTextAndDelete(text);
        Sprig::DOM_Parser parser;
        parser.ignoreWhitespace = true;
        std::size_t before = allocations;
        std::unique_ptr<Sprig::Document> document(parser.Parse(text.c_str()));
        std::size_t count = allocations - before;
        std::printf("%zu bytes, %d elements: %zu heap allocations, %.2f per element\n", text.size(), elements, count,
                    static_cast<double>(count) / elements);
    }
    return 0;
}

}

int main(int argc, char** argv)
{
    xmlInitParser();
    std::string small = SettingsDocument(21);
    std::string large = SettingsDocument(21 * 1900);
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--callgrind")
        return Callgrind(argv[0]);
    if (mode == "--allocations")
        return Allocations();
    if (mode == "--measure") {
        Measure("small", small, 10);
        Measure("large", large, 1);
        return 0;
    }
    WallTimes("Settings document", small, 1.0);
    WallTimes("Large document", large, 3.0);
    AttributeValues(1.0);
    return 0;
}
