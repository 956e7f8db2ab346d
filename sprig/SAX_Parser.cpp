#include "sprig/SAX_Parser.h"

#include "sprig/TokenTypes.h"

#include <istream>
#include <streambuf>

namespace Sprig {

using namespace Tokens;

namespace {

enum State : int {
    ContentState = 0,
    MarkupState = 1,
    CommentState = 3,
    FinishedState = 4,
    BangState = 5,
    QuestionState = 6,
    CDataState = 7,
    StoppedState = 9,
};

// Returned by the steps inside a state that may also end the parse.
constexpr int Continue = -1;

// The byte that a named or numeric reference stands for; false when the name is not one.
bool Resolve(const std::string& name, char& byte)
{
    if (name == "lt")
        byte = '<';
    else if (name == "gt")
        byte = '>';
    else if (name == "amp")
        byte = '&';
    else if (name == "quot")
        byte = '"';
    else if (name == "apos")
        byte = '\'';
    else if (name[0] != '#')
        return false;
    else {
        bool hex = name.size() > 1 && name[1] == 'x';
        unsigned char sum = 0;
        for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i) {
            char c = name[i];
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<unsigned>(c - '0');
            else if (hex && c >= 'A' && c <= 'F')
                digit = static_cast<unsigned>(c - 'A' + 10);
            else if (hex && c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else
                return false;
            sum = static_cast<unsigned char>(sum * (hex ? 16u : 10u) + digit);
        }
        byte = static_cast<char>(sum);
    }
    return true;
}

}

void SAX_Parser::Append(std::string& to, const Token& from)
{
    if (from.type == TextRun)
        to += from.text;
    else
        to += kTokenBytes[from.type];
}

namespace {

std::string Compose(const char* place, const std::string& detail)
{
    std::string message = "ParsingException\n";
    message += place;
    message += '\n';
    message += detail;
    message += '\n';
    message += '\0';
    return message;
}

}

SAX_Parser::SAX_Parser()
{
    base = read = buffer.c_str();
}

void SAX_Parser::SetHandler(SAX_EventHandler* eventHandler)
{
    handler = eventHandler;
}

bool SAX_Parser::Parse(const std::string& input)
{
    if (!handler)
        throw ParsingException(-1, 4, Compose("sprig\\SAX_Parser:40", "Set handler before parse."));
    stream = nullptr;
    base = read = input.c_str();
    return Run();
}

bool SAX_Parser::Parse(std::istream& input)
{
    if (!handler)
        throw ParsingException(-1, 4, Compose("sprig\\SAX_Parser:54", "Set handler before parse."));
    stream = &input;
    buffer.clear();
    base = read = buffer.c_str();
    Refill();
    return Run();
}

bool SAX_Parser::Run()
{
    pushed = 0;
    depth = 0;
    declarationSeen = false;
    state = ContentState;
    while (state != FinishedState && state != StoppedState) {
        switch (state) {
        case ContentState: state = Content(); break;
        case MarkupState: state = Markup(); break;
        case CommentState: state = CommentBody(); break;
        case BangState: state = AfterBang(); break;
        case QuestionState: state = AfterQuestion(); break;
        case CDataState: state = CDataBody(); break;
        }
    }
    stream = nullptr;
    return state == FinishedState;
}

int SAX_Parser::Content()
{
    if (ignoreWhitespace)
        SkipWhitespace();
    text.clear();
    int next;
    for (;;) {
        // The texts of the tokens that only add to the text are the bytes they were read from.
        if (pushed == 0)
            text += Run([](int type) { return type == End || type == Less || type == Ampersand; });
        Next(token);
        if (token.type == End) {
            next = FinishedState;
            break;
        }
        if (token.type == Less) {
            next = MarkupState;
            break;
        }
        if (token.type == Ampersand) {
            int outcome = EntityReference();
            if (outcome != Continue)
                return outcome;
        } else {
            Append(text, token);
        }
    }
    if (ignoreWhitespace) {
        while (!text.empty() && IsWhitespace(TokenTypeOf(text.back())))
            text.pop_back();
    }
    if (!text.empty())
        handler->OnCharacters(text);
    return next;
}

int SAX_Parser::EntityReference()
{
    SkipWhitespace();
    Next(second);
    char byte = '&';
    if (second.type != TextRun || !Resolve(second.text, byte)) {
        PushBack(second);
        text += '&';
        return Continue;
    }
    Next(third);
    if (third.type != Semicolon && Report(0, "sprig\\SAX_Parser:485", third, "(expected ';')"))
        return StoppedState;
    text += byte;
    return Continue;
}

int SAX_Parser::Markup()
{
    SkipWhitespace();
    Next(nameToken);
    bool endTag = false;
    switch (nameToken.type) {
    case TextRun: break;
    case Slash: endTag = true; break;
    case Bang: return BangState;
    case Question: return QuestionState;
    default:
        if (Report(0, "sprig\\SAX_Parser:124", nameToken, "(expected !,?,/ or text)"))
            return StoppedState;
    }
    // A start tag's name is the text token just read.
    if (endTag || nameToken.type != TextRun) {
        Next(nameToken);
        if (nameToken.type != TextRun) {
            if (Report(0, "sprig\\SAX_Parser:137", nameToken, "(expected text)"))
                return StoppedState;
            nameToken.text.assign(1, kTokenBytes[nameToken.type]);
        }
    }
    const std::string& name = nameToken.text;
    if (endTag) {
        SkipWhitespace();
        Next(token);
        if (token.type != Greater && Report(0, "sprig\\SAX_Parser:153", token, "(expected '>')"))
            return StoppedState;
        if (depth == 0 || name != open[depth - 1]) {
            if (ReportMismatch(depth == 0 ? std::string() : open[depth - 1], token))
                return StoppedState;
        }
        if (depth > 0)
            --depth;
        handler->OnEndElement(name);
    } else {
        int outcome = ReadAttributes();
        if (outcome != Continue)
            return outcome;
        SkipWhitespace();
        Next(token);
        bool empty = token.type == Slash;
        if (empty) {
            SkipWhitespace();
            Next(token);
        }
        if (token.type != Greater && Report(0, "sprig\\SAX_Parser:203", token, "(Expected '>')"))
            return StoppedState;
        handler->OnStartElement(name, attributes);
        if (!empty) {
            if (depth == open.size())
                open.emplace_back();
            open[depth++] = name;
            return ContentState;
        }
        handler->OnEndElement(name);
    }
    if (depth > 0)
        return ContentState;
    // The root element is complete; nothing after it is read as XML.
    SkipWhitespace();
    Next(token);
    return FinishedState;
}

int SAX_Parser::ReadAttributes()
{
    attributes.clear();
    SkipWhitespace();
    Next(attributeToken);
    for (;;) {
        if (attributeToken.type != TextRun) {
            PushBack(attributeToken);
            return Continue;
        }
        SkipWhitespace();
        Next(token);
        if (token.type != Equals) {
            // Going on drops the attribute; a text token read instead of '=' names the next one.
            if (Report(0, "sprig\\SAX_Parser:257", token, "(Expected '=')"))
                return StoppedState;
            if (token.type != TextRun) {
                PushBack(token);
                return Continue;
            }
            attributeToken.text.swap(token.text);
            attributeToken.position = token.position;
            continue;
        }
        SkipWhitespace();
        Next(token);
        int delimiter = token.type;
        if (delimiter != DoubleQuote && delimiter != SingleQuote &&
            Report(0, "sprig\\SAX_Parser:273", token, "(Expected ' or \" )"))
            return StoppedState;
        value.clear();
        for (;;) {
            if (pushed == 0)
                value += Run([delimiter](int type) { return type == End || type == delimiter; });
            Next(token);
            if (token.type == delimiter)
                break;
            if (token.type == End)
                return ReportEndOfDocument(token) ? StoppedState : FinishedState;
            Append(value, token);
        }
        attributes.emplace_back(attributeToken.text, value);
        SkipWhitespace();
        Next(attributeToken);
    }
}

int SAX_Parser::AfterBang()
{
    Next(token);
    if (token.type == Dash) {
        Next(second);
        if (second.type == Dash)
            return CommentState;
        PushBack(second);
    } else if (token.type == OpenBracket) {
        Next(second);
        Next(third);
        if (second.type == TextRun && second.text == "CDATA" && third.type == OpenBracket)
            return CDataState;
        PushBack(third);
        PushBack(second);
    }
    // A declaration such as DOCTYPE: skipped up to its '>' without an event.
    for (;;) {
        if (token.type == Greater)
            return ContentState;
        if (token.type == End)
            return ReportEndOfDocument(token) ? StoppedState : FinishedState;
        Next(token);
    }
}

int SAX_Parser::CommentBody()
{
    text.clear();
    for (;;) {
        Next(token);
        if (token.type == End)
            return FinishedState;
        if (token.type != Dash) {
            Append(text, token);
            continue;
        }
        Next(second);
        Next(third);
        if (second.type == Dash && third.type == Greater) {
            handler->OnComment(text);
            return ContentState;
        }
        PushBack(third);
        PushBack(second);
        text += '-';
    }
}

int SAX_Parser::CDataBody()
{
    text.clear();
    for (;;) {
        Next(token);
        if (token.type == End)
            return FinishedState;
        if (token.type != CloseBracket) {
            Append(text, token);
            continue;
        }
        Next(second);
        Next(third);
        if (second.type == CloseBracket && third.type == Greater) {
            handler->OnCharacters(text);
            return ContentState;
        }
        PushBack(third);
        PushBack(second);
        text += ']';
    }
}

int SAX_Parser::AfterQuestion()
{
    SkipWhitespace();
    if (declarationSeen) {
        // A processing instruction: skipped up to "?>" without an event.
        for (;;) {
            Next(token);
            if (token.type == End)
                return ReportEndOfDocument(token) ? StoppedState : FinishedState;
            if (token.type == Question) {
                Next(second);
                if (second.type == Greater)
                    return ContentState;
                PushBack(second);
            }
        }
    }
    Next(token);
    if ((token.type != TextRun || token.text != "xml") &&
        Report(5, "sprig\\SAX_Parser:353", token, "(Expected \"xml\")"))
        return StoppedState;
    int outcome = ReadAttributes();
    if (outcome != Continue)
        return outcome;
    handler->OnDeclaration(attributes);
    declarationSeen = true;
    SkipWhitespace();
    Next(token);
    if (token.type != Question) {
        if (Report(0, "sprig\\SAX_Parser:369", token, "(Expected '?' )"))
            return StoppedState;
        PushBack(token);
    }
    SkipWhitespace();
    Next(token);
    if (token.type != Greater &&
        Report(0, "sprig\\SAX_Parser:382", token, "(Expected '>' [" + std::to_string(token.type) + "] )"))
        return StoppedState;
    return ContentState;
}

void SAX_Parser::Next(Token& out)
{
    if (pushed > 0) {
        Token& top = pushback[--pushed];
        if (top.type == TextRun)
            out.text.swap(top.text);
        out.type = top.type;
        out.position = top.position;
        return;
    }
    if (*read == '\0') {
        while (stream && Refill() && *read == '\0') {
        }
        if (*read == '\0') {
            // Every later read gives the end token again.
            out.type = End;
            out.position = static_cast<int32_t>(read - base);
            return;
        }
    }
    const char* begin = read;
    int type = TokenTypeOf(*read++);
    if (type == TextRun) {
        while (TokenTypeOf(*read) == TextRun)
            ++read;
        out.text.clear();
        out.text.append(begin, static_cast<std::size_t>(read - begin));
    }
    out.type = type;
    out.position = static_cast<int32_t>(begin - base);
}

template <class Stop>
std::string_view SAX_Parser::Run(Stop stop)
{
    const char* begin = read;
    while (!stop(TokenTypeOf(*read)))
        ++read;
    return std::string_view(begin, static_cast<std::size_t>(read - begin));
}

void SAX_Parser::PushBack(Token& in)
{
    if (pushed == pushback.size())
        pushback.emplace_back();
    Token& slot = pushback[pushed++];
    if (in.type == TextRun)
        slot.text.swap(in.text);
    slot.type = in.type;
    slot.position = in.position;
}

void SAX_Parser::SkipWhitespace()
{
    // The same as reading whitespace tokens and giving the first other one back, without making
    // the tokens.
    for (;;) {
        if (pushed > 0) {
            if (!IsWhitespace(pushback[pushed - 1].type))
                return;
            --pushed;
        } else if (IsWhitespace(TokenTypeOf(*read))) {
            ++read;
        } else if (*read != '\0' || !stream || !Refill()) {
            return;
        }
    }
}

bool SAX_Parser::Refill()
{
    std::streambuf* source = stream->rdbuf();
    if (!source)
        return false;
    piece.clear();
    int byte = std::char_traits<char>::eof();
    while ((byte = source->sbumpc()) != std::char_traits<char>::eof()) {
        piece += static_cast<char>(byte);
        if (byte == '>')
            break;
    }
    if (byte == std::char_traits<char>::eof())
        stream->setstate(std::ios::eofbit);
    if (piece.empty())
        return false;
    buffer.swap(piece);
    base = read = buffer.c_str();
    return true;
}

bool SAX_Parser::Report(int32_t code, const char* place, const Token& at, const std::string& detail)
{
    std::string lines = place;
    lines += "\nUnexpected token in ";
    lines += std::to_string(at.position);
    return handler->OnError(ParsingException(at.position, code, Compose(lines.c_str(), detail)));
}

bool SAX_Parser::ReportEndOfDocument(const Token& at)
{
    return handler->OnError(ParsingException(at.position, 3, Compose("sprig\\SAX_Parser:320", "Unexpected end of document")));
}

bool SAX_Parser::ReportMismatch(const std::string& openName, const Token& at)
{
    std::string message = "ParsingException\nEnd tag mismatch with start tag(";
    message += openName;
    message += ") in ";
    message += std::to_string(at.position);
    message += '\n';
    message += '\0';
    return handler->OnError(ParsingException(at.position, 6, message));
}

}
