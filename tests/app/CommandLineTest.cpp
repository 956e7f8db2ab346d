// Runs tallyvane.exe as a process with a recorded file as its argument and checks its standard
// output, standard error and exit code byte for byte.
#include "RecordFixtures.h"
#include "TestFiles.h"

#include <windows.h>

#include <winternl.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {
const std::string kPrefix = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

struct ProgramRun {
    std::string out;
    std::string err;
    DWORD exitCode = 999;
    std::vector<std::string> modules;
};

HANDLE Inheritable(const std::string& path)
{
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Wine may keep the lock of an ended instance alive for a moment after the process is gone;
// a new instance started then would see it taken and end silently.
void WaitUntilNoInstance()
{
    for (int i = 0; i < 500; ++i) {
        HANDLE lock = OpenMutexA(SYNCHRONIZE, FALSE, "Tallyvane");
        if (!lock)
            return;
        CloseHandle(lock);
        Sleep(20);
    }
}

std::string FileNameOf(HANDLE file)
{
    char path[MAX_PATH] = {};
    if (!file || !GetFinalPathNameByHandleA(file, path, MAX_PATH, 0))
        return "(unnamed)";
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

void CloseMainWindow(DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "Tallyvane", nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

// Wine hands a debuggee's exceptions to its debugger only while the process's environment block
// says that it is debugged, and there a C++ exception that unwinds through a frame with cleanups
// crashes the program (Wine 8). With the flag cleared the program runs as it does undebugged,
// and its DLL loads are still reported.
void ClearBeingDebugged(HANDLE process)
{
    PROCESS_BASIC_INFORMATION information = {};
    ULONG size = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &information, sizeof information, &size) != 0)
        return;
    BYTE no = 0;
    WriteProcessMemory(process, reinterpret_cast<BYTE*>(information.PebBaseAddress) + offsetof(PEB, BeingDebugged),
                       &no, 1, nullptr);
}

// Serves the debug events of a program started as a debuggee until it ends, closing its main
// window whenever it waits; the lower-case file names of the DLLs it loaded, in order.
std::vector<std::string> LoadedModules(const PROCESS_INFORMATION& process)
{
    std::vector<std::string> modules;
    DWORD start = GetTickCount();
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 100)) {
            CloseMainWindow(process.dwProcessId);
            if (GetTickCount() - start < 60000)
                continue;
            ADD_FAILURE() << "the program did not end";
            TerminateProcess(process.hProcess, 1);
            DebugActiveProcessStop(process.dwProcessId);
            return modules;
        }
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            CloseHandle(event.u.CreateProcessInfo.hFile);
            ClearBeingDebugged(process.hProcess);
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            modules.push_back(FileNameOf(event.u.LoadDll.hFile));
            CloseHandle(event.u.LoadDll.hFile);
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                   event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            // The program's own exceptions (a C++ throw among them) go to its own handlers.
            status = DBG_EXCEPTION_NOT_HANDLED;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return modules;
    }
}

// Runs the program with the arguments; watchModules: as a debuggee, collecting the DLLs it loads.
ProgramRun StartProgram(const std::vector<std::string>& args, bool watchModules)
{
    std::string exe = std::string(std::getenv("TV_BINARY_DIR")) + "/bin/tallyvane.exe";
    std::string commandLine = "\"" + exe + "\"";
    for (const std::string& arg : args)
        commandLine += " \"" + arg + "\"";
    // Files of their own for every run: Wine may close an ended program's handles a moment after
    // the process has ended, and a file it still holds could not be opened again.
    static int runs = 0;
    ++runs;
    std::string outPath = testfiles::Path("cli_out_" + std::to_string(runs) + ".bin");
    std::string errPath = testfiles::Path("cli_err_" + std::to_string(runs) + ".bin");
    HANDLE out = Inheritable(outPath);
    HANDLE err = Inheritable(errPath);
    ProgramRun run;
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << outPath << " or " << errPath;
        return run;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    DWORD flags = watchModules ? DEBUG_ONLY_THIS_PROCESS : 0;
    if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &process)) {
        if (watchModules)
            run.modules = LoadedModules(process);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = testfiles::Read(outPath);
    run.err = testfiles::Read(errPath);
    return run;
}

// holdsLock: the test itself holds the single-instance lock on purpose.
ProgramRun RunProgram(const std::vector<std::string>& args, bool holdsLock = false)
{
    if (!holdsLock)
        WaitUntilNoInstance();
    return StartProgram(args, false);
}

ProgramRun WatchProgram(const std::vector<std::string>& args)
{
    WaitUntilNoInstance();
    return StartProgram(args, true);
}

// The UTF-8 source of a sample's settings as the program writes it: Shift_JIS, the element only,
// CR LF line ends.
std::string ExpectedOutput(const std::string& stem)
{
    std::string utf8 = testfiles::Read(testfiles::SourcePath("samples/src/" + stem + ".settings.xml"));
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(units, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], units);
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &text[0], size, nullptr, nullptr);
    text = text.substr(0, text.rfind("</GameSettings>") + 15);
    std::string crlf;
    for (char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

struct SampleCase {
    const char* file;
    const char* stem;
};

const SampleCase kSamples[] = {
    {"castle-duel.rec", "castle-duel"},
    {"four-kingdoms.rcx", "four-kingdoms"},
    {"nihon-teams.rec", "nihon-teams"},
};

class SampleOutput : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleOutput, IsTheSettingsXmlWithCrLf)
{
    ProgramRun run = RunProgram({testfiles::SourcePath(std::string("samples/") + GetParam().file)});
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(ExpectedOutput(GetParam().stem), run.out);
    EXPECT_EQ("", run.err);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleOutput, testing::ValuesIn(kSamples),
                         [](const testing::TestParamInfo<SampleCase>& info) { return std::string(info.param.stem).substr(0, 4) + std::to_string(info.index); });

TEST(CommandLine, JapaneseNamesAreShiftJis)
{
    ProgramRun run = RunProgram({testfiles::SourcePath("samples/nihon-teams.rec")});
    EXPECT_NE(std::string::npos, run.out.find("桜の谷")) << "the map name in Shift_JIS";
}

TEST(CommandLine, MissingFileIsReportedOnStandardError)
{
    std::string path = testfiles::Path("cli_missing.rec");
    ProgramRun run = RunProgram({path});
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Error : " + kPrefix + "File Open Error : " + path + "\n", run.err);
}

TEST(CommandLine, OnlyTheFirstArgumentCounts)
{
    ProgramRun run = RunProgram({testfiles::SourcePath("samples/castle-duel.rec"), testfiles::Path("cli_missing.rec")});
    EXPECT_EQ(ExpectedOutput("castle-duel"), run.out);
    EXPECT_EQ("", run.err);
}

TEST(CommandLine, ExistingCarriageReturnsAreKept)
{
    using namespace fixtures;
    std::string xml = "<GameSettings>a\nb\r\nc</GameSettings>";
    std::string path = testfiles::Write("cli_crlf.rec", FileBytes(Body("1", recbuilder::MakeBlock(SettingsPayload(xml), 0),
                                                                        recbuilder::MakeBlock(Text(kMap), 0))));
    ProgramRun run = RunProgram({path});
    EXPECT_EQ("<GameSettings>a\r\nb\r\r\nc</GameSettings>", run.out);
}

// A file that opens but does not decode: nothing on standard output, the exit code 0, and the
// record's message on standard error.
struct UndecodableCase {
    const char* name;
    std::string (*bytes)();
    const char* detail;  // after the record's message prefix
};

std::string CutRecord()
{
    std::string bytes = fixtures::FileBytes(fixtures::GoodBody());
    return bytes.substr(0, bytes.size() / 2);
}

std::string WrongSizeInHeader()
{
    std::string bytes = fixtures::FileBytes(fixtures::GoodBody());
    ++bytes[4];
    return bytes;
}

const UndecodableCase kUndecodable[] = {
    {"Empty", [] { return std::string(); }, "Unpack Error : header read error"},
    {"Text", [] { return std::string("<GameSettings>\r\n</GameSettings>\r\n"); }, "Unpack Error : Invalid file header"},
    {"NotDeflated", [] { return std::string("l33t\x10\0\0\0garbage", 15); }, "Unpack Error : inflate:incorrect header check"},
    {"Cut", CutRecord, "Unpack Error : inflate:"},
    {"WrongSizeInHeader", WrongSizeInHeader, "Unpack Error : Invalid recorded game file"},
    {"NoSettingsBlock", [] { return fixtures::FileBytes(fixtures::Bytes(2048, 0)); }, "GetGameData Error"},
};

void PrintTo(const UndecodableCase& c, std::ostream* os)
{
    *os << c.name;
}

class UndecodableFile : public testing::TestWithParam<UndecodableCase> {};

TEST_P(UndecodableFile, IsReportedOnStandardErrorWithNoOutput)
{
    std::string path = testfiles::Write(std::string("cli_") + GetParam().name + ".rec", GetParam().bytes());
    ProgramRun run = RunProgram({path});
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Error : " + kPrefix + GetParam().detail + "\n", run.err);
}

INSTANTIATE_TEST_SUITE_P(Files, UndecodableFile, testing::ValuesIn(kUndecodable),
                         [](const testing::TestParamInfo<UndecodableCase>& info) { return std::string(info.param.name); });

// Another holder of the name "Tallyvane": the program ends at once with the exit code 0 and
// nothing on standard output; the command line says why on standard error, the window shows
// nothing.
struct LockCase {
    const char* name;
    HANDLE (*take)();
    bool commandLine;
    const char* err;
};

const char kInstanceRunning[] = "Error : ほかの Tallyvane が起動しているため、実行できません。\n";

const LockCase kLockCases[] = {
    {"SecondInstance", [] { return CreateMutexA(nullptr, TRUE, "Tallyvane"); }, true, kInstanceRunning},
    {"NameTakenByAnotherKindOfObject", [] { return CreateEventA(nullptr, TRUE, FALSE, "Tallyvane"); }, true,
     kInstanceRunning},
    {"SecondWindow", [] { return CreateMutexA(nullptr, TRUE, "Tallyvane"); }, false, ""},
};

void PrintTo(const LockCase& c, std::ostream* os)
{
    *os << c.name;
}

class LockHeld : public testing::TestWithParam<LockCase> {};

TEST_P(LockHeld, EndsTheProgramAtOnce)
{
    WaitUntilNoInstance();
    HANDLE held = GetParam().take();
    ASSERT_NE(nullptr, held);
    std::vector<std::string> args;
    if (GetParam().commandLine)
        args.push_back(testfiles::SourcePath("samples/castle-duel.rec"));
    ProgramRun run = RunProgram(args, true);
    CloseHandle(held);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(GetParam().err, run.err);
}

INSTANTIATE_TEST_SUITE_P(Holders, LockHeld, testing::ValuesIn(kLockCases),
                         [](const testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

// What a program that uses only the C runtime loads: the system's base, the C runtime, and the
// names of the time zones, which the system reads when the C runtime asks for the local zone.
const char* const kBareModules[] = {"ntdll.dll", "kernel32.dll", "kernelbase.dll", "msvcrt.dll",
                                    "tzres.dll"};

bool Contains(const std::vector<std::string>& modules, const std::string& name)
{
    return std::find(modules.begin(), modules.end(), name) != modules.end();
}

std::string Joined(const std::vector<std::string>& modules)
{
    std::string text;
    for (const std::string& module : modules)
        text += module + " ";
    return text;
}

struct ModuleCase {
    const char* name;
    const char* file;        // under samples/, or null for a file that does not exist
    const char* firstBytes;  // of standard output and error together: the run did its work
};

const ModuleCase kModuleCases[] = {
    {"Dump", "castle-duel.rec", "<GameSettings>"},
    {"MissingFile", nullptr, "Error : "},
};

class CommandLineModules : public testing::TestWithParam<ModuleCase> {};

// The window, shell and COM libraries are most of a command-line run's time under Wine; every
// DLL that the program links apart from kernel32 and the C runtime loads at its first call.
TEST_P(CommandLineModules, AreThoseOfABareProgram)
{
    const ModuleCase& c = GetParam();
    std::string path = c.file ? testfiles::SourcePath(std::string("samples/") + c.file)
                              : testfiles::Path("cli_absent.rec");
    ProgramRun run = WatchProgram({path});
    EXPECT_EQ(0u, (run.out + run.err).find(c.firstBytes));
    EXPECT_TRUE(Contains(run.modules, "kernel32.dll")) << Joined(run.modules);
    for (const std::string& module : run.modules)
        EXPECT_TRUE(std::find(std::begin(kBareModules), std::end(kBareModules), module) !=
                    std::end(kBareModules))
            << module << " loaded: a DLL that the program links must be delay-loaded "
            << "(cmake/DelayLoad.cmake), and the command-line mode must not call into it";
}

INSTANTIATE_TEST_SUITE_P(Runs, CommandLineModules, testing::ValuesIn(kModuleCases),
                         [](const testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

// The watch sees the libraries where the program does load them: at its window.
TEST(WindowedModules, IncludeTheWindowAndCommonControlLibraries)
{
    ProgramRun run = WatchProgram({});
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(Contains(run.modules, "user32.dll")) << Joined(run.modules);
    EXPECT_TRUE(Contains(run.modules, "comctl32.dll")) << Joined(run.modules);
}
}
