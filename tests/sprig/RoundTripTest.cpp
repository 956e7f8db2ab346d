#include "sprig/DOM_Parser.h"

#include "PieceStream.h"
#include "XmlGenerator.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace Sprig;

namespace {

std::string ParseAndWrite(const std::string& text)
{
    DOM_Parser parser;
    parser.ignoreWhitespace = true;
    std::unique_ptr<Document> document(parser.Parse(text.c_str()));
    return document->ToString(true, "\t", 0);
}

// Parse, write, parse and write again: both texts are the same, and a stream read in small
// pieces builds the same tree as the text.
TEST(RoundTrip, GeneratedDocuments)
{
    XmlGenerator generator(20261210);
    for (int i = 0; i < 500; ++i) {
        std::string source = generator.Document();
        std::string first = ParseAndWrite(source);
        ASSERT_EQ(first, ParseAndWrite(first)) << "document " << i << ":\n" << source;

        DOM_Parser parser;
        parser.ignoreWhitespace = true;
        PieceStream stream(source, 1 + i % 7);
        std::unique_ptr<Document> document(parser.Parse(stream));
        ASSERT_EQ(first, document->ToString(true, "\t", 0)) << "document " << i << " as a stream:\n" << source;
    }
}

}
