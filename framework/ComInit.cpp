#include "framework/ComInit.h"

#include <objbase.h>

namespace {

int initCount = 0;

}

int ComInitialize()
{
    if (initCount == 0) {
        HRESULT result = CoInitialize(nullptr);
        if (result != S_OK) {
            // Already initialised by someone else: that call still counts with the system
            // and is given back at once.
            if (result == S_FALSE)
                CoUninitialize();
            return 1;
        }
    }
    ++initCount;
    return 0;
}

void ComUninitialize()
{
    if (initCount == 0)
        return;
    if (--initCount == 0)
        CoUninitialize();
}
