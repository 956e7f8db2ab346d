#pragma once
#include "sprig/SAX_EventHandler.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace Sprig {

// A small, forgiving, byte-oriented XML parser: a tokenizer and a state machine that report what
// they find to a SAX_EventHandler. It knows nothing of encodings, DTDs or validation. Parse
// errors are passed to the handler's OnError, which decides whether parsing stops.
//
// A parser object may be used for any number of parses, one after another: each parse starts
// with empty stacks.
class SAX_Parser {
public:
    SAX_Parser();

    // The handler is not owned; it must be set before parsing.
    void SetHandler(SAX_EventHandler* handler);
    // Text mode: the text up to its first NUL byte; positions count from the start of the text.
    // true when the document was read to its end, false when the handler stopped the parse.
    // Raises ParsingException code 4 when no handler is set.
    bool Parse(const std::string& text);
    // Stream mode: the stream is read one byte at a time, piece by piece up to each '>', and
    // positions count from the start of the piece. Bytes after the root element's end are read
    // up to the next '>' at most. The stream gets its eof flag when it has been read to its end.
    bool Parse(std::istream& stream);

    // Character data loses leading and trailing whitespace; whitespace-only data is not reported.
    bool ignoreWhitespace = false;

private:
    // A one-byte token's byte is given by its type; text holds the bytes of a text run only.
    struct Token {
        std::string text;
        int type = 0;
        int32_t position = 0;
    };

    bool Run();
    int Content();
    int Markup();
    int AfterBang();
    int CommentBody();
    int CDataBody();
    int AfterQuestion();
    // These return Continue, or the state that ends the parse.
    int EntityReference();
    int ReadAttributes();

    void Next(Token& token);
    // Reads bytes up to the first whose token type stop accepts (never past the end of the
    // buffer); the same bytes as the tokens that would be read, without making them.
    template <class Stop>
    std::string_view Run(Stop stop);
    static void Append(std::string& to, const Token& token);
    void PushBack(Token& token);
    void SkipWhitespace();
    bool Refill();

    // Each reports one error to the handler and returns its answer (true: stop).
    bool Report(int32_t code, const char* place, const Token& token, const std::string& detail);
    bool ReportEndOfDocument(const Token& token);
    bool ReportMismatch(const std::string& open, const Token& token);

    int state = 0;
    // The reader: token positions count from base; read is the next byte; in stream mode base
    // points into buffer, the last piece read.
    const char* base = nullptr;
    const char* read = nullptr;
    std::string buffer;
    std::string piece;
    // Tokens given back to the tokenizer, last in first out; slots keep their capacity.
    std::vector<Token> pushback;
    std::size_t pushed = 0;
    std::istream* stream = nullptr;
    SAX_EventHandler* handler = nullptr;
    // Names of the start tags not yet closed; slots keep their capacity.
    std::vector<std::string> open;
    std::size_t depth = 0;
    bool declarationSeen = false;

    // Scratch space reused by every step, so that reading allocates only when a token, a text or
    // a name outgrows what an earlier one needed.
    Token nameToken;
    Token attributeToken;
    Token token;
    Token second;
    Token third;
    std::string text;
    std::string value;
    AttributeList attributes;
};

}
