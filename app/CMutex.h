#pragma once
#include "app/IMutex.h"

// The single-instance lock: a named Win32 mutex, created owned.
class CMutex : public IMutex {
public:
    CMutex() = default;
    ~CMutex() override;
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    int32_t Acquire(const std::string& name) override;
    uint32_t Wait() override;
    void Release() override;

    void* handle = nullptr;
};
