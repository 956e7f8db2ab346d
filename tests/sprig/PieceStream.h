#pragma once
// An input stream that hands its bytes over a few at a time, as a pipe or a slow file would.
#include <algorithm>
#include <istream>
#include <streambuf>
#include <string>

class PieceBuffer : public std::streambuf {
public:
    PieceBuffer(std::string bytes, std::size_t pieceSize) : bytes(std::move(bytes)), pieceSize(pieceSize) {}

    // The bytes not read yet.
    std::string Rest() const
    {
        return gptr() ? bytes.substr(static_cast<std::size_t>(gptr() - bytes.data())) : bytes.substr(next);
    }

protected:
    int_type underflow() override
    {
        if (next >= bytes.size())
            return traits_type::eof();
        std::size_t count = std::min(pieceSize, bytes.size() - next);
        char* begin = &bytes[next];
        setg(begin, begin, begin + count);
        next += count;
        return traits_type::to_int_type(*begin);
    }

private:
    std::string bytes;
    std::size_t pieceSize;
    std::size_t next = 0;
};

class PieceStream : public std::istream {
public:
    PieceStream(const std::string& bytes, std::size_t pieceSize) : std::istream(nullptr), buffer(bytes, pieceSize)
    {
        rdbuf(&buffer);
    }

    std::string Rest() const { return buffer.Rest(); }

private:
    PieceBuffer buffer;
};
