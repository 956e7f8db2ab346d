#pragma once
// Random well-formed documents of the subset where this library and a conforming XML parser
// agree by design: ASCII only, references only to the five predefined entities and to ASCII
// characters, no CDATA, names without '-', text without leading or trailing whitespace,
// namespace declarations before the other attributes, attribute values without whitespace
// other than blanks, '<' and '&' only as references, no ']' in any text or value, and no double
// quote in an attribute value. Whitespace between tags varies. An attribute never shares
// its element's prefix: the writer names such an attribute without the prefix, as the tree's
// qualified names do.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class XmlGenerator {
public:
    explicit XmlGenerator(uint32_t seed) : random(seed) {}

    std::string Document()
    {
        std::string out = Chance(2) ? "<?xml version=\"1.0\"?>" : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        out += Gap();
        if (Chance(3))
            out += Comment() + Gap();
        std::vector<std::string> scope;
        Element(out, 0, scope);
        out += Gap();
        return out;
    }

private:
    void Element(std::string& out, int depth, std::vector<std::string> scope)
    {
        std::string attributes;
        for (const char* prefix : {"p", "q", ""}) {
            if (Chance(6)) {
                attributes += std::string(" xmlns") + (*prefix ? ":" : "") + prefix + "=\"urn:" + (*prefix ? prefix : "d") +
                              std::to_string(depth) + "\"";
                if (*prefix)
                    scope.push_back(prefix);
            }
        }
        std::string prefix = Prefixed(scope);
        std::string name = prefix + Name();
        int count = Pick(4);
        for (int i = 0; i < count; ++i) {
            std::string attributePrefix = Prefixed(scope);
            if (attributePrefix == prefix)
                attributePrefix.clear();
            attributes += Gap(true) + attributePrefix + Name() + "a" + std::to_string(i) + Equals() + Value();
        }
        out += "<" + name + attributes + Gap();
        int children = depth < 4 ? Pick(5) : 0;
        if (children == 0 && Chance(2)) {
            out += "/>";
            return;
        }
        out += ">";
        // Two texts in a row would be one text with whitespace (a CR among it) inside.
        int kind = 1;
        for (int i = 0; i < children; ++i) {
            out += Gap();
            kind = kind == 0 ? 1 + Pick(3) : Pick(4);
            if (kind == 0)
                out += Text();
            else if (kind == 1)
                out += Comment();
            else
                Element(out, depth + 1, scope);
        }
        out += Gap() + "</" + name + Gap() + ">";
    }

    std::string Prefixed(const std::vector<std::string>& scope)
    {
        if (scope.empty() || Chance(2))
            return std::string();
        return scope[static_cast<std::size_t>(Pick(static_cast<int>(scope.size())))] + ":";
    }

    std::string Name()
    {
        static const char first[] = "abcdefghijklmnopqrstuvwABCDEFGHIJKLMNOPQRSTUVW_";
        static const char rest[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.";
        std::string name(1, first[Pick(sizeof first - 1)]);
        for (int i = Pick(7); i > 0; --i)
            name += rest[Pick(sizeof rest - 1)];
        return name;
    }

    std::string Word(const char* letters)
    {
        std::string word;
        for (int i = Pick(6) + 1; i > 0; --i)
            word += letters[Pick(static_cast<int>(std::char_traits<char>::length(letters)))];
        return word;
    }

    std::string Text()
    {
        static const char letters[] = "abcdefXYZ0123456789.,:;!?'\"()/=>-*#%$@^{}|~`+";
        std::string text = Word(letters);
        for (int i = Pick(3); i > 0; --i)
            text += (Chance(3) ? Reference() : std::string(" ")) + Word(letters);
        return text;
    }

    std::string Reference()
    {
        static const char* const references[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#38;", "&#x3C;", "&#34;"};
        return references[Pick(8)];
    }

    std::string Comment()
    {
        std::string text = Chance(2) ? " " : "";
        for (int i = Pick(3); i >= 0; --i)
            text += Word("abcxyz<>&\"'") + " ";
        return "<!--" + text + "-->";
    }

    std::string Value()
    {
        std::string value;
        for (int i = Pick(4); i > 0; --i)
            value += Chance(4) ? Reference() : Word("abcXYZ019.:/'>-_ ");
        return "\"" + value + "\"";
    }

    std::string Equals()
    {
        return Chance(3) ? " = " : "=";
    }

    // Whitespace between markup; never empty where a blank must separate names.
    std::string Gap(bool required = false)
    {
        static const char* const gaps[] = {"", " ", "\n", "\n\t\t", "\r\n  ", "\t"};
        int choice = Pick(6);
        return gaps[required && choice == 0 ? 1 : choice];
    }

    int Pick(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }
    bool Chance(int n) { return Pick(n) == 0; }

    std::mt19937 random;
};
