// The worked examples of the Japanese guide (tools/release/guide.txt): each variable "name" that
// it shows, put in place of the one in the shipped Rename.xsl, names castle-duel.rec as the guide
// says it does.
#include "TestFiles.h"
#include "Xsltproc.h"
#include "options/COption.h"
#include "options/RecordDocuments.h"
#include "record/CRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Example {
    std::string variable;
    std::string name;
};

// Every variable "name" that stands on lines of its own in the guide, with the name of the first
// "結果: " line after it, without the extension.
std::vector<Example> GuideExamples()
{
    const std::string guide = testfiles::Read(testfiles::SourcePath("tools/release/guide.txt"));
    const std::string start = "<xsl:variable name=\"name\">";
    const std::string end = "</xsl:variable>";
    const std::string result = u8"結果: ";
    std::vector<Example> examples;
    for (size_t at = guide.find(start); at != std::string::npos; at = guide.find(start, at + 1)) {
        size_t line = guide.rfind('\n', at) + 1;
        if (guide.find_first_not_of(' ', line) != at)
            continue;
        size_t stop = guide.find(end, at);
        size_t shown = guide.find(result, stop);
        if (stop == std::string::npos || shown == std::string::npos)
            break;
        shown += result.size();
        size_t extension = guide.find(".rec", shown);
        examples.push_back({guide.substr(at, stop + end.size() - at), guide.substr(shown, extension - shown)});
    }
    return examples;
}

}

TEST(GuideExamples, RenameAsTheGuideSays)
{
    std::vector<Example> examples = GuideExamples();
    ASSERT_EQ(2u, examples.size()) << "the guide's two worked examples";
    COption option;
    ASSERT_TRUE(option.Load(xsltproc::BinPath("option.xml")));
    CRecord record;
    ASSERT_TRUE(record.Load(testfiles::SourcePath("samples/castle-duel.rec")));
    std::string document = testfiles::Write("guide-example.xml", MakeRenameDocument(record, option));
    const std::string shipped = testfiles::Read(xsltproc::BinPath("Rename.xsl"));
    const std::string start = "<xsl:variable name=\"name\">";
    size_t from = shipped.find(start);
    size_t to = shipped.find("</xsl:variable>", from);
    ASSERT_NE(std::string::npos, to) << "Rename.xsl makes the name in a variable \"name\", as the guide says";
    for (size_t i = 0; i < examples.size(); ++i) {
        std::string changed = shipped;
        changed.replace(from, to + std::string("</xsl:variable>").size() - from, examples[i].variable);
        std::string stylesheet = testfiles::Write("guide-example-" + std::to_string(i + 1) + ".xsl", changed);
        EXPECT_EQ(examples[i].name, xsltproc::Run(stylesheet, document)) << examples[i].variable;
    }
}
