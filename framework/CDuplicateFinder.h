#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CFile;
class CFileSet;

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
// more than maxOpen files are open at once.
//
// Whether two entries name one file the file system tells, by the identity of the file each one
// opens (a path, the same path in other letter cases where the folder ignores case, a link);
// their texts decide nothing. Entries of one file are that one file: its bytes are read once, no
// entry of it is a duplicate of another, and every entry of it has the file's state.
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

    // The blocks that files are read into, all together, never take more than this.
    static constexpr size_t kBlockBudget = 16u << 20;
    // Two blocks of the largest size and their comparison stay in the processor's cache.
    static constexpr size_t kLargestBlock = 256u << 10;
    static constexpr size_t kSmallestBlock = 64u << 10;
    static constexpr size_t kListedTogether = 16;

    // A hash of size bytes going on from seed. Equal hashes only tell which bytes to compare, so
    // any function finds the same states, a constant one by comparing every block with every other.
    using HashFunction = uint64_t (*)(const unsigned char* data, size_t size, uint64_t seed);
    static uint64_t Hash(const unsigned char* data, size_t size, uint64_t seed);

    void Add(const std::string& path);
    // Finds the states of all files. progress(file) runs before the size of a file is asked,
    // before the file is opened and before each block of it is read; when it returns false, the search stops and Run
    // returns false (the states are then not all known).
    bool Run(const std::function<bool(size_t file)>& progress);
    // The bytes of the blocks kept for reading, from group to group and run to run: memory that
    // is new to the process costs a fault per page, more than reading into it. At most
    // kBlockBudget.
    size_t BlockBytes() const { return blocks.size(); }

    std::vector<File> files;
    // How many files have their states already; all of them at the end of a run.
    size_t settled = 0;
    // How many files may be open at once: taken as 2 below 2, and as kBlockBudget /
    // kSmallestBlock above that, where the smallest blocks of the files open fill the budget.
    size_t maxOpen = 256;
    HashFunction hash = &Hash;

private:
    // Equal files by the first of them; a file not in a part with another one is alone.
    using Parts = std::vector<std::vector<size_t>>;
    size_t MostOpen() const;
    // Which files have their sizes from the listings of their folders.
    std::vector<bool> SizesFromFolders();
    bool Compare(const std::vector<size_t>& group, Parts& parts);
    bool CompareByBlocks(const std::vector<size_t>& group, Parts& parts, std::vector<size_t>& alone);
    bool CompareAgainstFirst(std::vector<size_t> group, Parts& parts);
    bool SplitByHash(const std::vector<size_t>& group, std::vector<std::vector<size_t>>& groups);
    // Opens a file of a group for reading; false when it fails, or when it is the file of an
    // entry of the group opened before (in opened), which then stands for it.
    bool OpenDistinct(size_t file, CFile& handle, CFileSet& opened);
    // At least bytes of blocks, within kBlockBudget.
    unsigned char* Blocks(size_t bytes);
    void Fail(size_t file, const char* failure);

    const std::function<bool(size_t)>* progress = nullptr;
    std::vector<unsigned char> blocks;
    // Per entry, the entry of the same file that stands for it (itself, or one before it), and
    // why the file failed ("File Open Error : ", "File Read Error : "; empty when it did not).
    std::vector<size_t> source;
    std::vector<const char*> failures;
};
