#pragma once
#include <cstdint>
#include <string>

// A named lock held for the life of the process.
class IMutex {
public:
    // 0 when the lock was taken, 1 when another process holds it, 2 when the name belongs to an
    // object of another kind.
    virtual int32_t Acquire(const std::string& name) = 0;
    virtual uint32_t Wait() = 0;
    virtual void Release() = 0;
    virtual ~IMutex() = default;
};
