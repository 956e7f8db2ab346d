#include "framework/CDuplicateFinder.h"

#include "framework/CFile.h"
#include "framework/CFileSet.h"
#include "framework/CPathParts.h"

#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace {

const size_t kNone = static_cast<size_t>(-1);
const char kOpenError[] = "File Open Error : ";
const char kReadError[] = "File Read Error : ";

// One file of a group being read: its handle, its last block (in the finder's blocks) and that
// block's hash.
struct Reader {
    size_t file;
    CFile handle;
    unsigned char* block = nullptr;
    uint64_t hash = 0;
};

#ifdef __SSE2__
// Sixteen bytes of a against those of b: a byte of all ones where they are equal.
__m128i Equal16(const unsigned char* a, const unsigned char* b)
{
    return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)));
}
#endif

// Sixty-four bytes a step: the runtime's memcmp takes half as long again over equal blocks.
bool SameBytes(const unsigned char* a, const unsigned char* b, size_t length)
{
    size_t i = 0;
#ifdef __SSE2__
    for (; i + 64 <= length; i += 64) {
        __m128i first = _mm_and_si128(Equal16(a + i, b + i), Equal16(a + i + 16, b + i + 16));
        __m128i second = _mm_and_si128(Equal16(a + i + 32, b + i + 32), Equal16(a + i + 48, b + i + 48));
        if (_mm_movemask_epi8(_mm_and_si128(first, second)) != 0xFFFF)
            return false;
    }
#endif
    return std::memcmp(a + i, b + i, length - i) == 0;
}

bool SameBlocks(const Reader* a, const Reader* b, size_t length)
{
    return SameBytes(a->block, b->block, length);
}

// A reader that will read no more gives its handle back at once.
void Drop(Reader* reader)
{
    reader->handle.Close();
}

// The length of the next read of a file of size bytes from offset into a block of capacity bytes,
// and whether it is the file's last. The last read asks for one byte more, which must not come (a
// file that has grown since it was measured differs from what was compared): it leaves a byte of
// its block free, and a file that would fill its last block ends with a read of one byte.
size_t NextLength(uint64_t size, uint64_t offset, size_t capacity, bool& last)
{
    uint64_t left = size - offset;
    last = left < capacity;
    if (last)
        return static_cast<size_t>(left);
    return left == capacity ? capacity - 1 : capacity;
}

// Reads the next length bytes of a file into block, one more asked when it is the last.
bool ReadBlock(CFile& handle, unsigned char* block, size_t length, bool last)
{
    uint32_t count = 0;
    return handle.Read(block, static_cast<uint32_t>(length + (last ? 1 : 0)), &count) && count == length;
}

// The files whose last blocks are equal stay together in next; a file left alone is done.
void SplitByBlocks(const std::vector<Reader*>& read, size_t length, CDuplicateFinder::HashFunction hash,
                   std::vector<std::vector<Reader*>>& next, std::vector<size_t>& alone)
{
    std::vector<std::vector<Reader*>> split;
    if (read.size() == 2 && SameBlocks(read[0], read[1], length)) {
        split.push_back(read);
    } else if (read.size() > 2) {
        std::vector<Reader*> sorted = read;
        for (Reader* reader : sorted)
            reader->hash = hash(reader->block, length, 0);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Reader* a, const Reader* b) { return a->hash < b->hash; });
        size_t run = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            if (i > 0 && sorted[i]->hash != sorted[i - 1]->hash)
                run = split.size();
            auto equal = std::find_if(split.begin() + static_cast<std::ptrdiff_t>(run), split.end(),
                                      [&](const std::vector<Reader*>& members) {
                                          return SameBlocks(members.front(), sorted[i], length);
                                      });
            if (equal == split.end())
                split.push_back({sorted[i]});
            else
                equal->push_back(sorted[i]);
        }
    } else {
        for (Reader* reader : read)
            split.push_back({reader});
    }
    for (std::vector<Reader*>& members : split) {
        if (members.size() > 1) {
            next.push_back(std::move(members));
        } else {
            alone.push_back(members.front()->file);
            Drop(members.front());
        }
    }
}

}

// Eight bytes at a time through a multiply and a shift.
uint64_t CDuplicateFinder::Hash(const unsigned char* data, size_t size, uint64_t seed)
{
    const uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    uint64_t hash = seed ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    for (; i < size; ++i) {
        hash = (hash ^ data[i]) * kMultiplier;
        hash ^= hash >> 29;
    }
    return hash;
}

void CDuplicateFinder::Add(const std::string& path)
{
    files.push_back({path, 0, kUnknown, std::string()});
}

bool CDuplicateFinder::Run(const std::function<bool(size_t)>& onProgress)
{
    progress = &onProgress;
    settled = 0;
    source.resize(files.size());
    failures.assign(files.size(), nullptr);
    for (size_t i = 0; i < files.size(); ++i) {
        source[i] = i;
        files[i].state = kUnknown;
        files[i].failure.clear();
    }
    std::unordered_map<uint64_t, std::vector<size_t>> bySize;
    std::vector<bool> listed = SizesFromFolders();
    for (size_t i = 0; i < files.size(); ++i) {
        if (!onProgress(i))
            return false;
        if (listed[i] || CFile::SizeOf(files[i].path, files[i].size))
            bySize[files[i].size].push_back(i);
        else
            Fail(i, kOpenError);
    }
    // The sizes in the order of their first files, so that the files are read about in the
    // order of the list.
    std::vector<const std::vector<size_t>*> groups;
    for (const auto& entry : bySize)
        groups.push_back(&entry.second);
    std::sort(groups.begin(), groups.end(),
              [](const auto* a, const auto* b) { return a->front() < b->front(); });
    for (const std::vector<size_t>* group : groups) {
        if (group->size() == 1)
            ++settled;
    }
    Parts parts;
    for (const std::vector<size_t>* group : groups) {
        if (group->size() > 1 && !Compare(*group, parts))
            return false;
    }

    // The first file of a part is its first entry in the list, and an entry of a file comes
    // after the entry that stands for it.
    std::vector<size_t> part(files.size(), kNone);
    for (const std::vector<size_t>& equal : parts) {
        for (size_t file : equal)
            part[file] = equal.front();
    }
    for (size_t i = 0; i < files.size(); ++i) {
        size_t standing = source[i];
        if (failures[standing]) {
            files[i].state = kFailed;
            files[i].failure = failures[standing] + files[i].path;
        } else if (standing != i) {
            files[i].state = files[standing].state;
        } else if (part[i] == kNone) {
            files[i].state = kUnique;
        } else {
            files[i].state = part[i] == i ? kFirst : kDuplicate;
        }
    }
    return true;
}

size_t CDuplicateFinder::MostOpen() const
{
    return std::clamp(maxOpen, static_cast<size_t>(2), kBlockBudget / kSmallestBlock);
}

// A file whose name the listing does not give byte for byte as its path has it (in other letter
// cases, a short name) is asked alone, and so is every file that a listing has not given once it
// has given four times as many entries as it was asked for: a huge folder that holds few files of
// the list costs little more than asking them. Entries of the same path take the same size.
std::vector<bool> CDuplicateFinder::SizesFromFolders()
{
    // Folders and names are the heads and tails of the files' paths, not copies of them.
    std::unordered_map<std::string_view, std::unordered_multimap<std::string_view, size_t>> byFolder;
    CPathParts parts;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!parts.Set(files[i].path.c_str()) || !parts.folder[0] || !parts.fileName[0])
            continue;
        std::string_view path = files[i].path;
        size_t name = path.size() - std::strlen(parts.fileName);
        byFolder[path.substr(0, name)].emplace(path.substr(name), i);
    }
    std::vector<bool> listed(files.size(), false);
    for (const auto& folderNames : byFolder) {
        const std::unordered_multimap<std::string_view, size_t>& names = folderNames.second;
        if (names.size() < kListedTogether)
            continue;
        size_t left = names.size();
        size_t entries = 4 * names.size();
        CFile::ListSizes(std::string(folderNames.first), [&](const std::string& name, uint64_t size) {
            auto range = names.equal_range(name);
            for (auto file = range.first; file != range.second; ++file) {
                if (!listed[file->second]) {
                    files[file->second].size = size;
                    listed[file->second] = true;
                    --left;
                }
            }
            return left > 0 && --entries > 0;
        });
    }
    return listed;
}

// Files of one size, in list order.
bool CDuplicateFinder::Compare(const std::vector<size_t>& group, Parts& parts)
{
    if (group.size() <= MostOpen()) {
        Parts found;
        std::vector<size_t> alone;
        if (!CompareByBlocks(group, found, alone))
            return false;
        settled += alone.size();
        for (std::vector<size_t>& equal : found) {
            settled += equal.size();
            parts.push_back(std::move(equal));
        }
        return true;
    }
    std::vector<std::vector<size_t>> sameHash;
    if (!SplitByHash(group, sameHash))
        return false;
    for (const std::vector<size_t>& candidates : sameHash) {
        if (!CompareAgainstFirst(candidates, parts))
            return false;
    }
    return true;
}

// Reads the files of one size (at most MostOpen()) side by side and splits them into parts of
// equal files and files alone; a file that cannot be read fails and is in neither, and nor is an
// entry of a file that an entry before it opened. The parts are in list order.
bool CDuplicateFinder::CompareByBlocks(const std::vector<size_t>& group, Parts& parts,
                                       std::vector<size_t>& alone)
{
    uint64_t size = files[group.front()].size;
    // A block of a file shorter than the blocks of its group holds it whole and the byte more.
    size_t capacity = std::clamp(kBlockBudget / group.size(), kSmallestBlock, kLargestBlock);
    if (size < capacity)
        capacity = static_cast<size_t>(size) + 1;
    unsigned char* memory = Blocks(capacity * group.size());
    std::vector<std::unique_ptr<Reader>> readers;
    std::vector<Reader*> all;
    for (size_t i = 0; i < group.size(); ++i) {
        readers.push_back(std::make_unique<Reader>());
        readers.back()->file = group[i];
        readers.back()->block = memory + i * capacity;
        all.push_back(readers.back().get());
    }
    // The files are opened as the first round reaches them, and stay open while they are read.
    CFileSet opened;
    // Files of no bytes make one round too, which opens them and sees that they end.
    std::vector<std::vector<Reader*>> classes{all};
    uint64_t offset = 0;
    bool last = false;
    while (!last && !classes.empty()) {
        size_t length = NextLength(size, offset, capacity, last);
        std::vector<std::vector<Reader*>> next;
        for (const std::vector<Reader*>& members : classes) {
            std::vector<Reader*> read;
            for (Reader* reader : members) {
                if (!(*progress)(reader->file))
                    return false;
                if (!reader->handle.IsOpen() && !OpenDistinct(reader->file, reader->handle, opened))
                    continue;
                if (!ReadBlock(reader->handle, reader->block, length, last)) {
                    Fail(reader->file, kReadError);
                    Drop(reader);
                    continue;
                }
                read.push_back(reader);
            }
            SplitByBlocks(read, length, hash, next, alone);
        }
        classes = std::move(next);
        offset += length;
    }
    for (const std::vector<Reader*>& members : classes) {
        std::vector<size_t> whole;
        for (Reader* reader : members) {
            whole.push_back(reader->file);
            Drop(reader);
        }
        std::sort(whole.begin(), whole.end());
        parts.push_back(std::move(whole));
    }
    return true;
}

// Reads the files one at a time and groups them by the hash of their whole contents; a file
// whose hash no other one has is done.
bool CDuplicateFinder::SplitByHash(const std::vector<size_t>& group,
                                   std::vector<std::vector<size_t>>& groups)
{
    std::map<uint64_t, std::vector<size_t>> byHash;
    unsigned char* block = Blocks(kLargestBlock);
    CFileSet opened;
    for (size_t file : group) {
        if (!(*progress)(file))
            return false;
        CFile handle;
        if (!OpenDistinct(file, handle, opened))
            continue;
        uint64_t hashed = 0;
        bool read = true;
        uint64_t offset = 0;
        bool last = false;
        while (read && !last) {
            size_t length = NextLength(files[file].size, offset, kLargestBlock, last);
            if (offset > 0 && !(*progress)(file))
                return false;
            read = ReadBlock(handle, block, length, last);
            hashed = hash(block, length, hashed);
            offset += length;
        }
        if (read)
            byHash[hashed].push_back(file);
        else
            Fail(file, kReadError);
    }
    for (auto& entry : byHash) {
        if (entry.second.size() == 1)
            ++settled;
        else
            groups.push_back(std::move(entry.second));
    }
    std::sort(groups.begin(), groups.end(),
              [](const auto& a, const auto& b) { return a.front() < b.front(); });
    return true;
}

// Files of one size and one hash, probably all equal: each round compares the first of them
// with the others, MostOpen() files at a time, and those that are not equal to it (hashes that
// happen to be equal, or a file changed since its hash) make the next round.
bool CDuplicateFinder::CompareAgainstFirst(std::vector<size_t> group, Parts& parts)
{
    const size_t most = MostOpen();
    while (group.size() > most) {
        size_t first = group.front();
        std::vector<size_t> equal{first};
        std::vector<size_t> rest;
        bool firstFailed = false;
        for (size_t next = 1; next < group.size(); next += most - 1) {
            size_t end = std::min(group.size(), next + most - 1);
            if (firstFailed) {
                rest.insert(rest.end(), group.begin() + static_cast<std::ptrdiff_t>(next),
                            group.begin() + static_cast<std::ptrdiff_t>(end));
                continue;
            }
            std::vector<size_t> batch{first};
            batch.insert(batch.end(), group.begin() + static_cast<std::ptrdiff_t>(next),
                         group.begin() + static_cast<std::ptrdiff_t>(end));
            Parts found;
            std::vector<size_t> alone;
            if (!CompareByBlocks(batch, found, alone))
                return false;
            firstFailed = files[first].state == kFailed;
            for (const std::vector<size_t>& members : found) {
                bool withFirst = members.front() == first;
                for (size_t file : members) {
                    if (withFirst && file != first)
                        equal.push_back(file);
                    else if (!withFirst)
                        rest.push_back(file);
                }
            }
            for (size_t file : alone) {
                if (file != first)
                    rest.push_back(file);
            }
        }
        if (firstFailed) {
            rest.insert(rest.end(), equal.begin() + 1, equal.end());
        } else {
            settled += equal.size();
            if (equal.size() > 1)
                parts.push_back(std::move(equal));
        }
        std::sort(rest.begin(), rest.end());
        group = std::move(rest);
    }
    if (group.size() == 1) {
        ++settled;
        return true;
    }
    return group.empty() || Compare(group, parts);
}

// A file that this process holds open under an entry before cannot be opened again: which file it
// is, the file system tells without opening it. So does a file that another program holds, or
// that is gone; it fails, and so does a file that the system cannot tell from the others.
bool CDuplicateFinder::OpenDistinct(size_t file, CFile& handle, CFileSet& opened)
{
    const std::string& path = files[file].path;
    bool open = handle.Open(true, kGenericRead, path);
    size_t same = opened.Add(path, open ? &handle : nullptr, file);
    if (open && same == file)
        return true;
    handle.Close();
    if (same == file || same == CFileSet::kNone) {
        Fail(file, kOpenError);
    } else {
        source[file] = same;
        ++settled;
    }
    return false;
}

unsigned char* CDuplicateFinder::Blocks(size_t bytes)
{
    if (blocks.size() < bytes) {
        // The smaller blocks go before the larger ones come.
        blocks = std::vector<unsigned char>();
        blocks.resize(bytes);
    }
    return blocks.data();
}

void CDuplicateFinder::Fail(size_t file, const char* failure)
{
    failures[file] = failure;
    files[file].state = kFailed;
    files[file].failure = failure + files[file].path;
    ++settled;
}
