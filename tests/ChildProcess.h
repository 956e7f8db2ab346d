#pragma once
// Runs some of the test program's own tests again in a child process whose environment differs,
// for what a process decides once at its start (which system components it may load).
#include <windows.h>

#include <string>
#include <vector>

namespace childprocess {

// Whether the program runs under Wine, where a system component can be withheld from one
// program (WithoutComponent).
inline bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Starts program with --gtest_filter=filter and the given variables set (NAME=value, replacing
// what the environment holds); the child's process handle, or null when it could not start.
inline HANDLE Start(const std::string& program, const std::string& filter,
                    const std::vector<std::string>& variables)
{
    std::string block;
    char* environment = GetEnvironmentStringsA();
    for (const char* entry = environment; *entry; entry += std::string(entry).size() + 1) {
        std::string text = entry;
        bool replaced = false;
        for (const std::string& variable : variables) {
            std::string name = variable.substr(0, variable.find('=') + 1);
            if (_strnicmp(text.c_str(), name.c_str(), name.size()) == 0)
                replaced = true;
        }
        if (!replaced)
            block += text + '\0';
    }
    FreeEnvironmentStringsA(environment);
    for (const std::string& variable : variables)
        block += variable + '\0';
    block += '\0';

    std::string commandLine = "\"" + program + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, &block[0], nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Starts the child as Start does and waits for it (two minutes at most); its exit code, or -1
// when it could not run.
inline int Run(const std::string& program, const std::string& filter,
               const std::vector<std::string>& variables)
{
    HANDLE process = Start(program, filter, variables);
    if (!process)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    else
        TerminateProcess(process, 1);
    CloseHandle(process);
    return static_cast<int>(code);
}

// The test program's own tests again in a copy of it (beside it, named after the component)
// that Wine does not let load the given system DLL; Wine keeps such settings per program name.
inline int RunOwnTestsWithout(const std::string& dll, const std::string& filter,
                              const std::vector<std::string>& variables)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string copy = std::string(self);
    copy = copy.substr(0, copy.size() - 4) + "_without_" + dll + ".exe";
    std::string name = copy.substr(copy.find_last_of('\\') + 1);
    if (!CopyFileA(self, copy.c_str(), FALSE))
        return -1;
    std::string keyPath = "Software\\Wine\\AppDefaults\\" + name + "\\DllOverrides";
    HKEY key = nullptr;
    int code = -1;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(key);
        code = Run(copy, filter, variables);
        RegDeleteTreeA(HKEY_CURRENT_USER,
                       ("Software\\Wine\\AppDefaults\\" + name).c_str());
    }
    DeleteFileA(copy.c_str());
    return code;
}

}
