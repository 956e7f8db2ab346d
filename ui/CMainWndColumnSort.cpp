// Sorting the file list by one of the records' own columns. Every record needs its cells for it:
// those not made yet are made first, as a long run of the rows.
#include "ui/CMainWnd.h"

#include "ui/CListParam.h"

#include <algorithm>
#include <string_view>
#include <vector>

// A record that cannot be read keeps its mark: it is not read again for the next sort.
bool CMainWnd::MakeMissingColumns()
{
    std::vector<CRecord*> missing;
    for (auto& entry : data.records) {
        if (!entry.second.columns.Made())
            missing.push_back(&entry.second);
    }
    int count = static_cast<int>(missing.size());
    bool shown = count > kFewRows;
    if (shown)
        BeginRun(count, "読み込み中...", searchDialogDelay);
    bool stopped = false;
    for (int i = 0; i < count; ++i) {
        if (shown) {
            PumpRunWhenDue();
            if (runState.ending) {
                stopped = true;
                break;
            }
            ShowRunLines(i + 1, count, missing[static_cast<size_t>(i)]->fileName);
        }
        MakeColumns(*missing[static_cast<size_t>(i)]);
        if (shown) {
            progress.Step();
            if (RunCancelled()) {
                stopped = true;
                break;
            }
        }
    }
    if (shown) {
        EndRun();
        SetFocus(list.window);
    }
    return !stopped;
}

// Each click turns the direction, as on the file list's own columns; a sort that Cancel stopped
// leaves the rows and the direction as they were. The rows are put in order once, each given its
// place, and the list's comparisons compare the places: equal cells keep file-name order both
// ways (the same file listed twice, the order of addition).
void CMainWnd::SortByRecordColumn(int column)
{
    if (!RecordColumnsShown() || !MakeMissingColumns())
        return;
    int direction = sortDirections[column] = sortDirections[column] == 1 ? 2 : 1;
    auto cell = static_cast<CColumnTexts::Column>(column - kFileListColumns);
    struct Row {
        std::string_view text;
        int32_t seconds;
        std::string_view fileName;
        int32_t id;
    };
    std::vector<Row> rows;
    rows.reserve(data.records.size());
    for (const auto& entry : data.records) {
        const CColumnTexts& columns = entry.second.columns;
        rows.push_back({columns.View(cell), columns.startSeconds, entry.second.fileName, entry.first});
    }
    bool byTime = cell == CColumnTexts::StartTime;
    std::sort(rows.begin(), rows.end(), [byTime, direction](const Row& a, const Row& b) {
        int order = byTime ? (a.seconds < b.seconds ? -1 : a.seconds > b.seconds ? 1 : 0) : a.text.compare(b.text);
        if (order != 0)
            return direction == 1 ? order < 0 : order > 0;
        int names = a.fileName.compare(b.fileName);
        return names != 0 ? names < 0 : a.id < b.id;
    });
    CListParam param;
    param.places.assign(static_cast<size_t>(data.lastId) + 1, 0);
    for (size_t i = 0; i < rows.size(); ++i)
        param.places[static_cast<size_t>(rows[i].id)] = static_cast<int32_t>(i) + 1;
    list.SendMsg(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&param), reinterpret_cast<LPARAM>(&CMainWnd::CompareRows));
}
