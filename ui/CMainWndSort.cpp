// Sorting the file list by a column.
#include "ui/CMainWnd.h"

#include "ui/CListParam.h"

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
// compared are those the rows show, taken from the record store by id: finding each row in the
// list on every comparison would cost a search of the whole list.
void CMainWnd::SortByColumn(int column)
{
    if (column < 0 || column >= static_cast<int>(std::size(sortDirections)))
        return;
    sortDirections[column] = sortDirections[column] == 1 ? 2 : 1;
    CListParam param;
    param.direction = sortDirections[column];
    param.texts.reserve(data.records.size());
    for (const auto& entry : data.records)
        param.texts.emplace(entry.first, ColumnText(entry.second, column));
    list.SendMsg(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&param),
                 reinterpret_cast<LPARAM>(&CMainWnd::CompareRows));
}

// Byte by byte as unsigned values, like strcmp; a row without a record has the empty text.
int CALLBACK CMainWnd::CompareRows(LPARAM id1, LPARAM id2, LPARAM sortParam)
{
    const CListParam& param = *reinterpret_cast<const CListParam*>(sortParam);
    auto text = [&param](LPARAM id) {
        auto found = param.texts.find(id);
        return found == param.texts.end() ? std::string_view() : found->second;
    };
    int order = text(id1).compare(text(id2));
    order = order < 0 ? -1 : order > 0 ? 1 : 0;
    return param.direction == 1 ? order : -order;
}
