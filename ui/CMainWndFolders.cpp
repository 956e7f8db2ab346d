// The Tools commands that open the game's folders in the shell.
#include "ui/CMainWnd.h"

#include "framework/Messages.h"
#include "framework/Shell.h"
#include "record/CKarRecord.h"
#include "resources/resource.h"

void CMainWnd::OpenGameFolder(FolderKind kind)
{
    CKarRecord installation;
    std::string appPath = installation.GetAppPath();
    if (appPath.empty()) {
        ShowError(window, "Karthenがインストールされていません。");
        return;
    }
    std::string folder;
    switch (kind) {
    case GameFolder: folder = appPath; break;
    case SaveGameFolder: folder = installation.GetSaveGameFolder(); break;
    case TauntsFolder: folder = installation.GetTauntsFolder(); break;
    case RiftSaveGameFolder: folder = installation.GetMyGamesSaveFolder(); break;
    case RiftTauntsFolder: folder = installation.GetRiftTauntsFolder(); break;
    }
    if (folder.empty())
        return;
    // A folder that does not exist simply does not open.
    ShellOpen(window, folder, "open", "", SW_SHOWNORMAL);
}

// Command handlers

void CMainWnd::OnGameFolder(UINT id)
{
    struct Entry {
        UINT id;
        FolderKind kind;
    };
    const Entry kinds[] = {{ID_OPEN_KAR_FOLDER, GameFolder},
                           {ID_OPEN_SAVEGAME_FOLDER, SaveGameFolder},
                           {ID_OPEN_TAUNTS_FOLDER, TauntsFolder},
                           {ID_OPEN_RIFT_SAVEGAME_FOLDER, RiftSaveGameFolder},
                           {ID_OPEN_RIFT_TAUNTS_FOLDER, RiftTauntsFolder}};
    for (const Entry& entry : kinds) {
        if (entry.id == id)
            OpenGameFolder(entry.kind);
    }
}
