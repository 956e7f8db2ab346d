#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Finds the files of a list that hold exactly the same bytes as a file before them in the list.
//
// Sizes come first, from the file system: a file of a size that no other file of the list has is
// never opened. A folder that holds kListedTogether files of the list or more is listed once for
// their sizes, which under Wine costs half of asking each file. The files of one size are then
// read side by side, block by block, and their group splits wherever their blocks differ: the
// blocks of a group of more than two files are sorted by a hash and compared byte by byte where
// the hashes are equal, so two files are called equal only when every byte is. A file is read no
// further once no other file of its size has the same bytes so far, and every file is read once:
// a pair of equal files costs what reading both costs.
//
// More than maxOpen files of one size are first split by a hash of their whole contents, read one
// at a time; files with equal hashes are then compared as above, maxOpen at a time, so that no
// more than maxOpen files are open at once and the blocks of a group stay within kBlockBudget.
//
// The same path listed twice (letters a to z without regard to case) is one file: its later
// entries are duplicates of its first without reading it twice.
class CDuplicateFinder {
public:
    enum State { kUnknown, kUnique, kFirst, kDuplicate, kFailed };
    struct File {
        std::string path;
        uint64_t size = 0;
        State state = kUnknown;
        // Why the file could not be compared: it is not there (any more), or could not be read.
        std::string failure;
    };

    static constexpr size_t kBlockBudget = 16u << 20;
    // Two blocks of the largest size and their comparison stay in the processor's cache.
    static constexpr size_t kLargestBlock = 256u << 10;
    static constexpr size_t kSmallestBlock = 64u << 10;
    static constexpr size_t kListedTogether = 16;

    void Add(const std::string& path);
    // Finds the states of all files. progress(file) runs before the size of a file is asked and
    // before each block of a file is read; when it returns false, the search stops and Run
    // returns false (the states are then not all known).
    bool Run(const std::function<bool(size_t file)>& progress);

    std::vector<File> files;
    // How many files have their states already; all of them at the end of a run.
    size_t settled = 0;
    size_t maxOpen = 256;

private:
    // Equal files by the first of them; a file not in a part with another one is alone.
    using Parts = std::vector<std::vector<size_t>>;
    // Which files have their sizes from the listings of their folders.
    std::vector<bool> SizesFromFolders();
    bool Compare(const std::vector<size_t>& group, Parts& parts);
    bool CompareByBlocks(const std::vector<size_t>& group, Parts& parts, std::vector<size_t>& alone);
    bool CompareAgainstFirst(std::vector<size_t> group, Parts& parts);
    bool SplitByHash(const std::vector<size_t>& group, std::vector<std::vector<size_t>>& groups);
    void Fail(size_t file, const std::string& failure);
    // The file and the entries of the same path are settled.
    void Settle(size_t file);

    const std::function<bool(size_t)>* progress = nullptr;
    // The blocks that the files are read into, kept from group to group: memory that is new to
    // the process costs a fault per page, more than reading into it.
    std::vector<std::vector<unsigned char>> blocks;
    // Per entry, the entry of the same path that stands for it; per standing entry, how many
    // entries it stands for.
    std::vector<size_t> source;
    std::vector<size_t> weight;
};
