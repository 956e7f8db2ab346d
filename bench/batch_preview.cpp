// The preview of the batch rename under Wine: COUNT (1,000) records with the shipped Rename.xsl,
// from the command to the preview shown with its rows, beside the batch's own work for the same
// records without the moves, run alone in the same process: decoding, translation and the
// temporary file, the transform. After a small untimed turn of each, preview and parts take turns
// three times, in alternating order, each on fresh copies, and the fastest of each side counts, so
// that a passing load on the machine weighs on neither side alone.
//   batch_preview [COUNT]
#include "WindowBench.h"

#include "framework/CXmlTransform.h"
#include "framework/TempFile.h"
#include "framework/TextFile.h"
#include "options/COption.h"
#include "options/RecordDocuments.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using windowbench::Now;

namespace {

struct Parts {
    double decode = 0;
    double document = 0;
    double transform = 0;
    double Sum() const { return decode + document + transform; }
};

// COUNT records of their own, read once so that no measurement pays for the first reading.
std::vector<std::string> WriteRecords(const std::string& folder, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32], player[32];
        wsprintfA(name, "r%04d.rec", i);
        wsprintfA(player, "Alice%04d", i);
        windowbench::WriteAll(folder + name, windowbench::CastleDuel(player, 0));
        windowbench::ReadAll(folder + name);
        paths.push_back(folder + name);
    }
    return paths;
}

// Each part for every record, one record after another, as the batch does them; the records are
// loaded before, as the list has them.
Parts RunParts(const std::vector<std::string>& paths)
{
    COption option;
    option.Load(windowbench::ProgramFolder() + "option.xml");
    CXmlTransform transform;
    std::string stylesheet = windowbench::ProgramFolder() + "Rename.xsl";
    std::string temporary = MakeTempFileName("");
    std::vector<CRecord> records(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        records[i].Load(paths[i]);
    Parts parts;
    for (CRecord& record : records) {
        double start = Now();
        record.GetGameSettings();
        double decoded = Now();
        WriteTextFile(temporary, MakeRenameDocument(record, option));
        double written = Now();
        transform.Transform(temporary.c_str(), stylesheet.c_str());
        double transformed = Now();
        parts.decode += decoded - start;
        parts.document += written - decoded;
        parts.transform += transformed - written;
    }
    DeleteFileA(temporary.c_str());
    return parts;
}

// The moment the preview is shown, its rows filled; the preview is then closed.
class PreviewShown {
public:
    PreviewShown()
    {
        current = this;
        hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    }
    ~PreviewShown()
    {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    PreviewShown(const PreviewShown&) = delete;
    PreviewShown& operator=(const PreviewShown&) = delete;

    double time = 0;
    int rows = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = reinterpret_cast<HWND>(wParam);
        char caption[64] = {};
        if (code == HCBT_ACTIVATE && current && current->time == 0 &&
            GetWindowTextA(window, caption, sizeof(caption)) && std::string(caption) == "一括変換のプレビュー") {
            current->time = Now();
            current->rows = static_cast<int>(SendDlgItemMessageA(window, IDC_PREVIEW_LIST, LVM_GETITEMCOUNT, 0, 0));
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline PreviewShown* current = nullptr;
    HHOOK hook;
};

// The preview command over every file of the list, from the command to the preview shown.
double RunPreview(const std::vector<std::string>& paths, int* rows)
{
    CMainWnd mainWnd;
    if (!windowbench::OpenMainWindow(mainWnd, paths))
        return 0;
    PreviewShown shown;
    double start = Now();
    SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_BATCH_PREVIEW, 0);
    double run = shown.time - start;
    *rows = shown.rows;
    windowbench::CloseMainWindow(mainWnd);
    return run;
}

// Turns of each side, and the records of the untimed turn before them.
const int kRounds = 3;
const int kWarmUp = 20;

}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    Parts parts;
    double preview = 0;
    int rows = 0;
    // One small turn of each first, untimed: the stylesheet engine and the files' first reading
    // would weigh on whichever side came first.
    RunParts(WriteRecords(windowbench::Folder("tv_bench_preview_parts"), kWarmUp));
    RunPreview(WriteRecords(windowbench::Folder("tv_bench_preview_run"), kWarmUp), &rows);
    for (int round = 0; round < kRounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            if ((round + side) % 2 == 0) {
                Parts those = RunParts(WriteRecords(windowbench::Folder("tv_bench_preview_parts"), count));
                if (round == 0 || those.Sum() < parts.Sum())
                    parts = those;
            } else {
                double that = RunPreview(WriteRecords(windowbench::Folder("tv_bench_preview_run"), count), &rows);
                if (round == 0 || that < preview)
                    preview = that;
            }
        }
    }
    windowbench::Folder("tv_bench_preview_run");
    windowbench::Folder("tv_bench_preview_parts");

    double perRecord = 1000.0 / count;
    std::printf("preview of the batch rename of %d records (under Wine, ms per record, the fastest of three turns)\n",
                count);
    std::printf("  the preview:                      %8.3f  (%d rows shown)\n", preview * perRecord, rows);
    std::printf("  parts alone: decode               %8.3f\n", parts.decode * perRecord);
    std::printf("               translation and file %8.3f\n", parts.document * perRecord);
    std::printf("               transform            %8.3f\n", parts.transform * perRecord);
    std::printf("               sum                  %8.3f\n", parts.Sum() * perRecord);
    std::printf("  preview / sum of parts: %.3f (goal: at most 1.1)\n", preview / parts.Sum());
    return 0;
}
