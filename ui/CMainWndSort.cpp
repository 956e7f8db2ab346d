// Sorting the file list by a column.
#include "ui/CMainWnd.h"

#include "ui/CListParam.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A record's text in a column of the list: its file name, its time text, or its extension
// without the dot (the part of the name after its last dot, which is never a byte of a
// double-byte character).
std::string_view ColumnText(const CRecord& record, int column)
{
    switch (column) {
    case 0:
        return record.fileName;
    case 1:
        return record.timeText;
    default: {
        std::string_view name = record.fileName;
        std::string_view::size_type dot = name.rfind('.');
        return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    }
    }
}

}

// The first click on a column sorts it ascending, each further click the other way. The texts
// compared are those the rows show, taken from the record store by id, byte by byte as unsigned
// values like strcmp. They are put in order once, so that each comparison of two rows is one of
// two numbers: finding each row in the list on every comparison would cost a search of the whole
// list, and even a look-up of the texts by id costs more than the sort itself under Wine.
// While the main window is disabled (a run, or a command's dialog, walks the rows by their
// numbers) a click that reaches the list anyway, one queued before, sorts nothing.
void CMainWnd::SortByColumn(int column)
{
    if (column < 0 || column >= static_cast<int>(std::size(sortDirections)) || !IsWindowEnabled(window))
        return;
    if (column >= kFileListColumns) {
        SortByRecordColumn(column);
        return;
    }
    sortDirections[column] = sortDirections[column] == 1 ? 2 : 1;
    std::vector<std::pair<std::string_view, int32_t>> texts;
    texts.reserve(data.records.size());
    for (const auto& entry : data.records)
        texts.emplace_back(ColumnText(entry.second, column), entry.first);
    std::sort(texts.begin(), texts.end());
    CListParam param;
    param.direction = sortDirections[column];
    param.places.assign(static_cast<size_t>(data.lastId) + 1, 0);
    int32_t place = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i == 0 || texts[i].first != texts[i - 1].first)
            place = texts[i].first.empty() ? 0 : place + 1;
        param.places[static_cast<size_t>(texts[i].second)] = place;
    }
    list.SendMsg(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&param),
                 reinterpret_cast<LPARAM>(&CMainWnd::CompareRows));
}

// A row without a record has the empty text.
int CALLBACK CMainWnd::CompareRows(LPARAM id1, LPARAM id2, LPARAM sortParam)
{
    const CListParam& param = *reinterpret_cast<const CListParam*>(sortParam);
    auto placeOf = [&param](LPARAM id) {
        size_t index = static_cast<size_t>(id);
        return id > 0 && index < param.places.size() ? param.places[index] : 0;
    };
    int32_t place1 = placeOf(id1);
    int32_t place2 = placeOf(id2);
    int order = place1 < place2 ? -1 : place1 > place2 ? 1 : 0;
    return param.direction == 1 ? order : -order;
}
