#include "app/CMutex.h"

#include <windows.h>

CMutex::~CMutex()
{
    Release();
}

int32_t CMutex::Acquire(const std::string& name)
{
    Release();
    handle = CreateMutexA(nullptr, TRUE, name.c_str());
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return 1;
    if (error == ERROR_INVALID_HANDLE)
        return 2;
    return 0;
}

uint32_t CMutex::Wait()
{
    if (!handle)
        return 0;
    return WaitForSingleObject(handle, INFINITE);
}

void CMutex::Release()
{
    if (!handle)
        return;
    ReleaseMutex(handle);
    CloseHandle(handle);
    handle = nullptr;
}
