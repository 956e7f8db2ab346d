// View > 記録の内容を列に表示: the records' own columns in the file list (start time, map,
// players, civilizations, game type, lobby, version). The list asks for a cell as it draws its
// row; the record's texts are made then, once, and kept by the record.
#include "ui/CMainWnd.h"

#include "framework/StringUtil.h"
#include "options/RecordColumns.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

// The file name column's width while the records' own columns show, so that the first of them
// show beside it.
const int kNarrowFileName = 200;

struct RecordColumn {
    const char* heading;
    int width;
};

// In the order of CColumnTexts::Column; each wide enough for its heading and a usual text.
const RecordColumn kRecordColumns[CColumnTexts::kCount] = {
    {"開始日時", 125}, {"マップ", 110}, {"プレイヤー", 220}, {"文明", 180},
    {"ゲームの種類", 90}, {"ロビー名", 150}, {"バージョン", 75},
};

}

void CMainWnd::OnToggleRecordColumns(UINT id)
{
    bool show = !mainMenu.IsChecked(id);
    mainMenu.CheckItem(id, show);
    ShowRecordColumns(show);
}

// The columns are added after the file list's own and removed again; the rows' cells in them are
// never set, so the list asks for each as it draws it. The file name column gets back its width.
void CMainWnd::ShowRecordColumns(bool show)
{
    if (show == RecordColumnsShown())
        return;
    list.SendMsg(WM_SETREDRAW, FALSE, 0);
    if (show) {
        fileNameWidth = list.GetColumnWidth(0);
        list.SetColumnWidth(0, kNarrowFileName);
        for (int i = 0; i < CColumnTexts::kCount; ++i)
            list.InsertColumn(kRecordColumns[i].heading, kRecordColumns[i].width, kFileListColumns + i, LVCFMT_LEFT);
    } else {
        while (list.columnCount > kFileListColumns && list.DeleteColumn(list.columnCount - 1)) {
        }
        list.SetColumnWidth(0, fileNameWidth);
    }
    list.SendMsg(WM_SETREDRAW, TRUE, 0);
    list.Redraw(true);
}

bool CMainWnd::RecordColumnsShown() const
{
    return list.columnCount > kFileListColumns;
}

// A cell of a column that the rows leave unset: the list gives the row's parameter, the record's
// id, and a buffer for the text.
void CMainWnd::OnGetDispInfo(NMLVDISPINFOA* info)
{
    LVITEMA& item = info->item;
    int column = item.iSubItem - kFileListColumns;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax < 1 || column < 0 ||
        column >= CColumnTexts::kCount || !RecordColumnsShown())
        return;
    auto found = data.records.find(static_cast<int32_t>(item.lParam));
    if (found == data.records.end())
        return;
    MakeColumns(found->second);
    std::string_view cell = found->second.columns.View(static_cast<CColumnTexts::Column>(column));
    size_t length = cell.size();
    if (length >= static_cast<size_t>(item.cchTextMax))
        length = WholeCharacters(std::string(cell), static_cast<size_t>(item.cchTextMax) - 1);
    std::memcpy(item.pszText, cell.data(), length);
    item.pszText[length] = '\0';
}

void CMainWnd::MakeColumns(CRecord& record)
{
    if (record.columns.Made())
        return;
    MakeRecordColumns(record, data.option);
    record.columns.serial = ++columnsMade;
}
