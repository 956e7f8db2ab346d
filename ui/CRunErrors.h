#pragma once
#include <string>
#include <vector>

// The files that a run over the selected rows could not handle, told to the user in one box at
// the end of the run instead of one box per file.
class CRunErrors {
public:
    // At most this many files are told with their messages; the rest only as a count.
    static constexpr int kShown = 5;

    void Add(const std::string& fileName, const std::string& message);
    bool Empty() const;
    // The count, then each file name with its message; past kShown files, the count of the rest.
    std::string Text() const;

    struct Entry {
        std::string fileName;
        std::string message;
    };
    std::vector<Entry> entries;
};
