// Sorting the file list by one of the records' own columns. Every record needs its cells for it:
// those not made yet are made first, as a long run of the rows.
#include "ui/CMainWnd.h"

#include "ui/CListParam.h"

#include <algorithm>
#include <string_view>
#include <utility>
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
            if (RunStopped()) {
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
// ways (the same file listed twice, the order of addition). The other way round, the runs of
// equal cells of the order kept from the last click come last first: under Wine, the list takes
// longer to move its rows than the sort took to order them.
void CMainWnd::SortByRecordColumn(int column)
{
    if (!RecordColumnsShown() || !MakeMissingColumns())
        return;
    int direction = sortDirections[column] = sortDirections[column] == 1 ? 2 : 1;
    if (!RecordColumnOrderKept(column))
        OrderByRecordColumn(column);
    const RecordColumnOrder& order = recordColumnOrder;
    CListParam param;
    param.places.assign(static_cast<size_t>(data.lastId) + 1, 0);
    int32_t place = 0;
    for (size_t run = 0; run + 1 < order.runs.size(); ++run) {
        size_t taken = direction == 1 ? run : order.runs.size() - 2 - run;
        for (size_t i = order.runs[taken]; i < order.runs[taken + 1]; ++i)
            param.places[static_cast<size_t>(order.ids[i])] = ++place;
    }
    list.SendMsg(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&param), reinterpret_cast<LPARAM>(&CMainWnd::CompareRows));
}

bool CMainWnd::RecordColumnOrderKept(int column) const
{
    const RecordColumnOrder& order = recordColumnOrder;
    if (order.column != column || order.serials.size() != data.records.size())
        return false;
    size_t i = 0;
    for (const auto& entry : data.records) {
        if (entry.second.columns.serial != order.serials[i++])
            return false;
    }
    return true;
}

void CMainWnd::OrderByRecordColumn(int column)
{
    auto cell = static_cast<CColumnTexts::Column>(column - kFileListColumns);
    struct Row {
        std::string_view text;
        int32_t seconds;
        std::string_view fileName;
        int32_t id;
    };
    RecordColumnOrder order;
    order.column = column;
    std::vector<Row> rows;
    rows.reserve(data.records.size());
    for (const auto& entry : data.records) {
        const CColumnTexts& columns = entry.second.columns;
        rows.push_back({columns.View(cell), columns.startSeconds, entry.second.fileName, entry.first});
        order.serials.push_back(columns.serial);
    }
    bool byTime = cell == CColumnTexts::StartTime;
    auto compareCells = [byTime](const Row& a, const Row& b) {
        return byTime ? (a.seconds < b.seconds ? -1 : a.seconds > b.seconds ? 1 : 0) : a.text.compare(b.text);
    };
    std::sort(rows.begin(), rows.end(), [&compareCells](const Row& a, const Row& b) {
        int cells = compareCells(a, b);
        if (cells != 0)
            return cells < 0;
        int names = a.fileName.compare(b.fileName);
        return names != 0 ? names < 0 : a.id < b.id;
    });
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || compareCells(rows[i - 1], rows[i]) != 0)
            order.runs.push_back(i);
        order.ids.push_back(rows[i].id);
    }
    order.runs.push_back(rows.size());
    recordColumnOrder = std::move(order);
}
