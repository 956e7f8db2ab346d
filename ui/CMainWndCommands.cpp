#include "ui/CMainWnd.h"

#include "resources/Version.h"
#include "resources/resource.h"

// The command table: every command of the menus, the accelerators and the context menus.
const CMainWnd::Command CMainWnd::commands[] = {
    {ID_FILE_NEW, &CMainWnd::OnNew},
    {ID_FILE_OPEN, &CMainWnd::OnOpenFiles},
    {ID_FILE_ADD, &CMainWnd::OnOpenFiles},
    {ID_FOLDER_OPEN, &CMainWnd::OnOpenFolder},
    {ID_FOLDER_ADD, &CMainWnd::OnOpenFolder},
    {ID_EXPORT_XML, &CMainWnd::ExportSelectedAsXml},
    {ID_EXPORT_COPY, &CMainWnd::OnCopySelected},
    {ID_FILE_PROPERTIES, &CMainWnd::OnProperties},
    {ID_FILE_EXIT, &CMainWnd::OnExit},
    {ID_EDIT_UNDO, &CMainWnd::OnUndo},
    {ID_EDIT_RENAME, &CMainWnd::RenameSelected},
    {ID_EDIT_BATCH_RENAME, &CMainWnd::BatchRenameSelected},
    {ID_EDIT_BATCH_PREVIEW, &CMainWnd::OnBatchPreview},
    {ID_EDIT_DELETE, &CMainWnd::OnDeleteSelected},
    {ID_EDIT_SELECT_ALL, &CMainWnd::OnSelectAll},
    {ID_EDIT_FIND, &CMainWnd::OnFind},
    {ID_EDIT_SELECT_DUPLICATES, &CMainWnd::OnSelectDuplicates},
    {ID_TREE_REFRESH, &CMainWnd::OnRefreshTree},
    {ID_TREE_AUTO_EXPAND, &CMainWnd::OnToggleCheck},
    {ID_TREE_SHOW_ALL, &CMainWnd::OnToggleCheck},
    {ID_VIEW_RECORD_COLUMNS, &CMainWnd::OnToggleRecordColumns},
    {ID_OPEN_KAR_FOLDER, &CMainWnd::OnGameFolder},
    {ID_OPEN_SAVEGAME_FOLDER, &CMainWnd::OnGameFolder},
    {ID_OPEN_TAUNTS_FOLDER, &CMainWnd::OnGameFolder},
    {ID_OPEN_RIFT_SAVEGAME_FOLDER, &CMainWnd::OnGameFolder},
    {ID_OPEN_RIFT_TAUNTS_FOLDER, &CMainWnd::OnGameFolder},
    {ID_HELP_ABOUT, &CMainWnd::OnAbout},
    {ID_TREE_COPY, &CMainWnd::OnCopyTreeItem},
    {ID_SWITCH_FOCUS, &CMainWnd::OnSwitchFocus},
};

// A disabled main window takes no command: while a run or a modal dialog is under way, a command
// that reaches it anyway (posted, say) must not change the list or the records under them.
LRESULT CMainWnd::OnCommand(UINT id)
{
    if (!IsWindowEnabled(window))
        return 0;
    for (const Command& command : commands) {
        if (command.id == id) {
            (this->*command.handler)(id);
            break;
        }
    }
    return 0;
}

// Command handlers

void CMainWnd::OnExit(UINT)
{
    SendMsg(WM_CLOSE, 0, 0);
}

void CMainWnd::OnToggleCheck(UINT id)
{
    mainMenu.CheckItem(id, !mainMenu.IsChecked(id));
}

void CMainWnd::OnSwitchFocus(UINT)
{
    HWND focus = GetFocus();
    if (focus && focus == list.window)
        SetFocus(tree.window);
    else if (focus && focus == tree.window)
        SetFocus(list.window);
}

void CMainWnd::OnRefreshTree(UINT)
{
    ShowRecordInTree(list.GetFirstSelected());
}

void CMainWnd::OnCopyTreeItem(UINT)
{
    CopyTreeItemText();
}

void CMainWnd::OnProperties(UINT)
{
    ShowProperties(list.GetFirstSelected());
}

void CMainWnd::OnAbout(UINT)
{
    aboutDlg.SetTexts(TV_PRODUCT_NAME, "Version " TV_VERSION);
    aboutDlg.DoModal(window, IDD_ABOUT);
}
