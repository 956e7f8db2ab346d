#pragma once
// Points the test program's import of a function at a replacement while it lives, so that a
// platform failure can be had on demand, or a call watched on its way to the platform.
#include <windows.h>

#include <cstring>

class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, const void* replacement)
    {
        auto base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name && !slot; ++module) {
            if (_stricmp(reinterpret_cast<const char*>(base + module->Name), dll) != 0)
                continue;
            auto names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
            auto slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
            for (; names->u1.AddressOfData && !slot; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                auto named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0)
                    slot = &slots->u1.Function;
            }
        }
        if (slot) {
            original = *slot;
            Write(reinterpret_cast<ULONG_PTR>(replacement));
        }
    }
    ~ImportPatch()
    {
        if (slot)
            Write(original);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // The platform's function, for a replacement that passes the call on.
    template <typename Function>
    Function Original() const
    {
        return reinterpret_cast<Function>(original);
    }

    ULONG_PTR* slot = nullptr;

private:
    void Write(ULONG_PTR value)
    {
        DWORD protection = 0;
        VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
        *slot = value;
        VirtualProtect(slot, sizeof(*slot), protection, &protection);
    }
    ULONG_PTR original = 0;
};
