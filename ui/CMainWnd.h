#pragma once
#include "framework/CListView.h"
#include "framework/CMenu.h"
#include "framework/CSplitWnd.h"
#include "framework/CTreeView.h"
#include "framework/CWindow.h"
#include "framework/SplitPaneInfo.h"
#include "options/CSaveData.h"
#include "ui/CAboutDlg.h"
#include "ui/CBatchPreviewDlg.h"
#include "ui/CProgressDlg.h"
#include "ui/CRenameHistory.h"
#include "ui/CRunErrors.h"

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

class CRenamePlan;
class CSearchQuery;

namespace Sprig {
class Node;
}

// The program's one top-level window: the file list in the left pane, the record's tree in the
// right pane, the menu bar and the command table. It owns the viewer's data.
class CMainWnd : public CWindow {
public:
    CMainWnd();
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The file list
    // Adds a ".rec" or ".rcx" file that can be opened as a record and a row for it; any other
    // path is skipped without a word. longName: for a path that names the file by its short name,
    // its long name as the code page shows it, which the row shows and whose extension counts.
    void AddRecordFile(const std::string& path, const std::string& longName = std::string());
    // Empties the list, the tree and the record store (ids are not given again).
    void ClearAll();

    // The settings of a list row's record as a tree in the right pane; nothing for a row without
    // a record.
    void ShowRecordInTree(int row);
    // The selected tree item's text on the clipboard.
    void CopyTreeItemText();
    // The property sheet of a list row's record; nothing for a row without a record.
    void ShowProperties(int row);

    // How much of a record the tree shows at most: levels of items (the root is level 1), items,
    // and bytes of an item's text. Real settings are a few levels deep with about a hundred
    // items. Wine's tree view deletes a tree recursively (its stack overflows past about 12,000
    // levels) and in time that grows with the square of the item count (1.6 s for 100,000), and
    // it paints an item's whole text at every repaint (1.4 s for 10 MB).
    static constexpr int kTreeDepthLimit = 256;
    static constexpr int kTreeItemLimit = 100000;
    static constexpr int kTreeTextLimit = 1024;

    // An undo of up to this many files, a preview of up to this many rows, and the reading of the
    // records for a sort by their own columns, up to this many records, run without the progress
    // dialog.
    static constexpr int kFewRows = 10;
    // A search, however few its rows, and an undo, a preview or the reading for a sort past
    // kFewRows open their progress dialog once they have gone on this long (milliseconds): under
    // Wine, opening the dialog costs more than comparing hundreds of files, and a few files may be
    // large or slow to read.
    DWORD searchDialogDelay = 500;

    // Which folder of the game a Tools command opens.
    enum FolderKind { GameFolder, SaveGameFolder, TauntsFolder, RiftSaveGameFolder, RiftTauntsFolder };
    // Opens the folder in the shell, or tells that the game is not installed.
    void OpenGameFolder(FolderKind kind);

    // Where a child control sits: its pane and its rectangle in the pane's client area.
    struct Placement {
        HWND parent;
        RECT rect;
    };

    CMenu mainMenu;
    CSaveData data;
    CAboutDlg aboutDlg;
    CSplitWnd rightPane;
    CSplitWnd leftPane;
    CListView list;
    CTreeView tree;
    CProgressDlg progress;
    SplitPaneInfo leftInfo;
    SplitPaneInfo rightInfo;
    Placement listPlacement;
    Placement treePlacement;
    // The file list's own columns: file name, time and type; the records' own columns follow them
    // while View > 記録の内容を列に表示 is checked.
    static constexpr int kFileListColumns = 3;
    // Per column of the list: 0 never sorted, 1 last sorted ascending, 2 descending.
    int sortDirections[kFileListColumns + CColumnTexts::kCount] = {};
    // How many records the records' own columns have been made for, each read once: the tests
    // count the decodings by it.
    int columnsMade = 0;
    // The list or the tree when the window last lost the activation; it gets the focus back.
    HWND focusWhenInactive = nullptr;
    // The text of the last search, offered again by the next one.
    std::string findText;
    // The renames of the session that Edit > Undo takes back.
    CRenameHistory renames;
    // The run under way (BeginRun): its label; when it began, when it last let messages through
    // (GetTickCount) and after how long its progress dialog opens; whether it has opened.
    std::string runLabel;
    DWORD runStarted = 0;
    DWORD runPumped = 0;
    DWORD runOpenAfter = 0;
    bool runOpened = false;

private:
    // Creation
    LRESULT OnCreate();
    bool CreatePanes();
    // The least size of a pane: the least width that the splitter and the window leave to each,
    // and the least height of the client area.
    SIZE MinimumPaneSize() const;
    void CreateList();
    void CreateTree();
    void LoadOptions();

    // The record of a list row; null for a row outside the list or without a record.
    CRecord* RecordOfRow(int row);
    // Takes a record out of the store; the tree goes with it when it shows that record.
    void RemoveRecord(int32_t id);

    // The record tree
    // A fill of the tree: its items laid out in order before any is inserted, and what it has
    // left out.
    struct TreeFill {
        static constexpr size_t kTopLevel = static_cast<size_t>(-1);
        struct Item {
            std::string text;
            // The parent's position in the items; kTopLevel for the root.
            size_t parent;
            int image;
            int selectedImage;
            // A child shown below the item asked for its expansion.
            bool expand;
            bool hasChildren;
            HTREEITEM handle;
        };
        std::vector<Item> items;
        bool full = false;
        bool tooDeep = false;
        bool textCut = false;
        // The error box's text that reports it; empty when nothing was left out.
        std::string CutsText() const;
    };
    void FillTreeLevel(TreeFill& fill, size_t parent, const std::vector<Sprig::Node*>& nodes,
                       const std::string& version);
    bool AddTreeItem(TreeFill& fill, std::string text, size_t parent, int image,
                     int selectedImage);
    void InsertTreeItems(TreeFill& fill);
    void ShowTreeFailure(const std::string& text);
    // The id of the record that the tree shows; 0 when it shows none.
    int32_t treeRecord = 0;

    // Messages
    LRESULT OnDestroy();
    LRESULT OnClose();
    LRESULT OnNotify(NMHDR* header);
    LRESULT OnSize();
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnContextMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id);
    LRESULT OnDropFiles(HDROP drop);
    LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(bool ending);

    // Command handlers
    void OnExit(UINT id);
    void OnToggleCheck(UINT id);
    void OnSwitchFocus(UINT id);
    void OnRefreshTree(UINT id);
    void OnCopyTreeItem(UINT id);
    void OnProperties(UINT id);
    void OnAbout(UINT id);
    void OnNew(UINT id);
    void OnOpenFiles(UINT id);
    void OnOpenFolder(UINT id);
    void OnSelectAll(UINT id);
    void OnDeleteSelected(UINT id);
    void OnCopySelected(UINT id);
    void OnGameFolder(UINT id);
    void ExportSelectedAsXml(UINT id);
    void RenameSelected(UINT id);
    void BatchRenameSelected(UINT id);
    void OnBatchPreview(UINT id);
    void OnUndo(UINT id);
    void OnFind(UINT id);
    void OnSelectDuplicates(UINT id);
    void OnToggleRecordColumns(UINT id);

    // Export, rename and batch rename
    bool ChooseExportFile(std::string& path);
    struct BatchRun;
    enum class RowOutcome { Next, Renamed, Stop };
    // What the stylesheet names a record: kNamed with the base name; kNotNamed with the message
    // that the run tells at its end; kStop with the text of the box that ends the run.
    struct StylesheetName {
        enum Outcome { kNamed, kNotNamed, kStop } outcome;
        std::string text;
    };
    std::vector<int> SelectedRows();
    bool PrepareBatchRun(BatchRun& run);
    // The batch rename of the rows given, in their order, without a question.
    void RunBatchRename(const std::vector<int>& rows);
    StylesheetName NameByStylesheet(BatchRun& run, CRecord& record);
    RowOutcome RenameRow(BatchRun& run, int row, CRecord& record);
    static std::string PathTooLongText(const std::string& baseName);
    bool PreviewBatchRename(const std::vector<int>& rows, std::vector<CBatchPreviewDlg::Row>& shown);
    std::string PreviewName(BatchRun& run, CRenamePlan& plan, CRecord& record, std::string& stop);
    static std::string ProgramFolder();

    // Undo of renames
    void UndoLastStep();
    void ShowFollowedRecords(const std::unordered_set<int32_t>& followed);
    void ShowUndoState();

    // The long runs under the progress dialog, with the main window disabled meanwhile
    struct RunState {
        bool active = false;
        // The session ends: the run stops at once and leaves nothing half done.
        bool ending = false;
        // The run's temporary file, deleted at its end or as the session ends.
        std::string temporary;
    };
    RunState runState;
    // label is the dialog's caption and the start of its first line. The dialog opens with the
    // first row's lines, or with openAfter, with the lines of the first row that starts after that
    // many milliseconds.
    void BeginRun(int count, const std::string& label = "処理中...", DWORD openAfter = 0);
    // The start of a row (the number-th of count): one waiting message let through, then the
    // row's record shown in the progress dialog. The record; null for a row without one.
    CRecord* StartRunRow(int row, int number, int count);
    // The progress dialog's lines for the row that starts: the label with the number-th of count,
    // and a file name; the dialog opens with them when its time has come.
    void ShowRunLines(int number, int count, const std::string& fileName);
    // Lets one waiting message through; keys of the progress dialog reach its buttons.
    void PumpRun();
    // Once the progress dialog is open, lets the waiting messages through when a tenth of a
    // second, or the dialog's update interval if shorter, has passed since they last were: under
    // Wine a look at the queue costs more than matching a record.
    void PumpRunWhenDue();
    // Whether the run is to stop: its dialog opened and was cancelled, or the session ends.
    bool RunStopped() const;
    void EndRun();
    // An error box while the run goes on.
    void ShowRunError(const std::string& text);
    // One error box for the files that the run could not handle; nothing when there are none.
    void ReportRunErrors(const CRunErrors& errors);

    // The file list
    void OpenFiles(bool clearFirst);
    void OpenFolder(bool clearFirst);
    // The folder browser of the list's commands; false when no folder was chosen (a folder whose
    // path is too long for the program, or that the code page cannot hold, is told in a box).
    bool ChooseFolder(const std::string& initialFolder, std::string& folder);
    // Adds every path that next delivers with its long name, with the list repainted once at the
    // end.
    void AddRecordFiles(const std::function<bool(std::string&, std::string&)>& next);
    // One box for the recorded files that an open, add or drop could not list because the code
    // page cannot name them: their count, the reason, and the first names as they are.
    void ReportUnnamedFiles(const std::vector<std::wstring>& names);
    void DeleteSelected();
    void CopySelected();
    void SortByColumn(int column);
    static int CALLBACK CompareRows(LPARAM id1, LPARAM id2, LPARAM sortParam);

    // The records' own columns in the file list
    void ShowRecordColumns(bool show);
    bool RecordColumnsShown() const;
    // The text of a record's cell that the list asks for as it draws a row.
    void OnGetDispInfo(NMLVDISPINFOA* info);
    // The record's column texts, made unless it has them.
    void MakeColumns(CRecord& record);
    // Makes the column texts that the records lack, under the progress dialog once it has gone on
    // for its delay; false when Cancel or the session's end stopped it.
    bool MakeMissingColumns();
    // Sorts the rows by a record's own column (numbered as in the list): the start time by its
    // seconds, the others by the bytes of their texts; equal cells in file-name order.
    void SortByRecordColumn(int column);
    // The records in ascending order of a record's own column, made by a sort of them, and the
    // start of each run of equal cells. Kept for the next click on the same column, which takes
    // it as long as the same records have the same cells (the same serials, in the order of
    // their ids).
    struct RecordColumnOrder {
        int column = -1;
        std::vector<int32_t> serials;
        std::vector<int32_t> ids;
        std::vector<size_t> runs;
    };
    RecordColumnOrder recordColumnOrder;
    bool RecordColumnOrderKept(int column) const;
    void OrderByRecordColumn(int column);
    // The file name column's width before the records' own columns narrowed it.
    int fileNameWidth = 0;

    // Searches of the list
    // Which rows match the query, in list order, under the progress dialog; false when Cancel or
    // the end of the session stopped the search.
    bool FindMatchingRows(const CSearchQuery& query, std::vector<int>& rows, CRunErrors& errors);
    // Removes every row but those given (in list order) with its record.
    void KeepOnlyRows(std::vector<int>& rows);
    // Exactly the rows given (in list order) become selected; the first one gets the focus and is
    // scrolled into view.
    void SelectFoundRows(const std::vector<int>& rows);
    // The box that tells a search found nothing.
    void ShowNothingFound(const std::string& text, const std::string& caption);

    struct Command {
        UINT id;
        void (CMainWnd::*handler)(UINT id);
    };
    static const Command commands[];
};
