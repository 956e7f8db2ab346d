#pragma once
// Runs some of the test program's own tests again in a child process whose environment differs,
// for what a process decides once at its start (which system components it may load).
#include <windows.h>

#include <fstream>
#include <iterator>
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
// what the environment holds), and when report is given, with its XML report written there; the
// child's process handle, or null when it could not start.
inline HANDLE Start(const std::string& program, const std::string& filter,
                    const std::vector<std::string>& variables, const std::string& report = "")
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
    if (!report.empty())
        commandLine += " \"--gtest_output=xml:" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, &block[0], nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// What a child run of tests did. A filter that matches nothing, or tests that skip, still end
// with 0: the tests that ran tell them apart.
struct Outcome {
    int exitCode = -1;  // -1 when the child could not run
    // "Suite.Name" of each test that ran to its end (neither skipped nor left out by the filter),
    // from the child's XML report.
    std::vector<std::string> completed;
};

// The value of an attribute in the text of an XML start tag.
inline std::string AttributeOf(const std::string& tag, const std::string& name)
{
    size_t start = tag.find(" " + name + "=\"");
    if (start == std::string::npos)
        return std::string();
    start += name.size() + 3;
    return tag.substr(start, tag.find('"', start) - start);
}

// The tests that a GoogleTest XML report names as completed.
inline std::vector<std::string> CompletedTests(const std::string& report)
{
    std::vector<std::string> names;
    for (size_t at = report.find("<testcase "); at != std::string::npos; at = report.find("<testcase ", at + 1)) {
        std::string tag = report.substr(at, report.find('>', at) - at);
        if (AttributeOf(tag, "result") == "completed")
            names.push_back(AttributeOf(tag, "classname") + "." + AttributeOf(tag, "name"));
    }
    return names;
}

// Starts the child as Start does, with its XML report beside the program, and waits for it (two
// minutes at most).
inline Outcome Run(const std::string& program, const std::string& filter,
                   const std::vector<std::string>& variables)
{
    Outcome outcome;
    std::string report = program.substr(0, program.size() - 4) + ".xml";
    DeleteFileA(report.c_str());
    HANDLE process = Start(program, filter, variables, report);
    if (!process)
        return outcome;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    else
        TerminateProcess(process, 1);
    CloseHandle(process);
    outcome.exitCode = static_cast<int>(code);
    std::ifstream file(report, std::ios::binary);
    outcome.completed = CompletedTests(std::string(std::istreambuf_iterator<char>(file), {}));
    file.close();
    DeleteFileA(report.c_str());
    return outcome;
}

// The test program's own tests again in a copy of it (beside it, named after the component)
// that Wine does not let load the given system DLL; Wine keeps such settings per program name.
inline Outcome RunOwnTestsWithout(const std::string& dll, const std::string& filter,
                                  const std::vector<std::string>& variables)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string copy = std::string(self);
    copy = copy.substr(0, copy.size() - 4) + "_without_" + dll + ".exe";
    std::string name = copy.substr(copy.find_last_of('\\') + 1);
    if (!CopyFileA(self, copy.c_str(), FALSE))
        return Outcome();
    std::string keyPath = "Software\\Wine\\AppDefaults\\" + name + "\\DllOverrides";
    HKEY key = nullptr;
    Outcome outcome;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(key);
        outcome = Run(copy, filter, variables);
        RegDeleteTreeA(HKEY_CURRENT_USER,
                       ("Software\\Wine\\AppDefaults\\" + name).c_str());
    }
    DeleteFileA(copy.c_str());
    return outcome;
}

}
