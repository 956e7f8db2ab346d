#pragma once
#include <cstddef>

namespace Sprig {

// Memory for the nodes of every tree: a free list for each size up to 256 bytes in steps of 16,
// filled from 64 KB blocks. A parse allocates a few nodes per element, and a general heap
// allocation costs many times more than taking a slot from a list (most of all under Wine).
// Freed slots are kept for later nodes; the blocks stay for the life of the program. Like the
// trees, the pool belongs to one thread.
//
// In a build with AddressSanitizer every node comes from the ordinary heap instead, so that the
// sanitizer sees each node's use and leak.
class NodePool {
public:
    static void* Allocate(std::size_t size);
    static void Free(void* memory, std::size_t size);
};

}
