#pragma once
#include "framework/CListView.h"
#include "framework/CMenu.h"
#include "framework/CSplitWnd.h"
#include "framework/CTreeView.h"
#include "framework/CWindow.h"
#include "framework/SplitPaneInfo.h"
#include "options/CSaveData.h"

#include <string>

// The program's one top-level window: the file list in the left pane, the record's tree in the
// right pane, the menu bar and the command table. It owns the viewer's data.
class CMainWnd : public CWindow {
public:
    CMainWnd();
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Where a child control sits: its pane and its rectangle in the pane's client area.
    struct Placement {
        HWND parent;
        RECT rect;
    };

    CMenu mainMenu;
    CSaveData data;
    CSplitWnd rightPane;
    CSplitWnd leftPane;
    CListView list;
    CTreeView tree;
    SplitPaneInfo leftInfo;
    SplitPaneInfo rightInfo;
    Placement listPlacement;
    Placement treePlacement;

private:
    // Creation
    LRESULT OnCreate();
    bool CreatePanes();
    void CreateList();
    void CreateTree();
    void LoadOptions();

    // Messages
    LRESULT OnDestroy();
    LRESULT OnClose();
    LRESULT OnNotify(const NMHDR* header);
    LRESULT OnSize();
    LRESULT OnContextMenu(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(UINT id);
    LRESULT OnDropFiles(HDROP drop);

    // Command handlers
    void OnExit(UINT id);
    void OnToggleCheck(UINT id);
    void OnSwitchFocus(UINT id);
    void OnLaterCommand(UINT id);

    struct Command {
        UINT id;
        void (CMainWnd::*handler)(UINT id);
    };
    static const Command commands[];
};
