#include "sprig/NodePool.h"

#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define SPRIG_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SPRIG_PLAIN_HEAP 1
#endif
#endif

namespace Sprig {

#ifdef SPRIG_PLAIN_HEAP

void* NodePool::Allocate(std::size_t size)
{
    return ::operator new(size);
}

void NodePool::Free(void* memory, std::size_t)
{
    ::operator delete(memory);
}

#else

namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kLargest = 256;
constexpr std::size_t kBlockSize = 64 * 1024;

struct FreeSlot {
    FreeSlot* next;
};

struct Pool {
    FreeSlot* free[kLargest / kStep] = {};
    char* next = nullptr;
    char* end = nullptr;
    std::vector<char*> blocks;
};

Pool& ThePool()
{
    // Never destroyed: nodes of static objects may be freed after the end of main.
    static Pool* pool = new Pool;
    return *pool;
}

}

void* NodePool::Allocate(std::size_t size)
{
    if (size > kLargest)
        return ::operator new(size);
    Pool& pool = ThePool();
    std::size_t index = (size - 1) / kStep;
    if (FreeSlot* slot = pool.free[index]) {
        pool.free[index] = slot->next;
        return slot;
    }
    std::size_t rounded = (index + 1) * kStep;
    if (static_cast<std::size_t>(pool.end - pool.next) < rounded) {
        pool.blocks.push_back(static_cast<char*>(::operator new(kBlockSize)));
        pool.next = pool.blocks.back();
        pool.end = pool.next + kBlockSize;
    }
    void* memory = pool.next;
    pool.next += rounded;
    return memory;
}

void NodePool::Free(void* memory, std::size_t size)
{
    if (size > kLargest) {
        ::operator delete(memory);
        return;
    }
    Pool& pool = ThePool();
    std::size_t index = (size - 1) / kStep;
    auto* slot = static_cast<FreeSlot*>(memory);
    slot->next = pool.free[index];
    pool.free[index] = slot;
}

#endif

}
