#pragma once
// The program's resources and command ids.

#define IDS_PROPERTIES 104
#define IDI_TALLYVANE 107
#define IDD_SETTINGS_PAGE 136
#define IDD_MAP_PAGE 137
#define IDD_ABOUT 140
#define IDR_MAINMENU 109
#define IDR_ACCELERATORS 145
#define IDB_TREEIMAGES 147
#define IDR_TREEMENU 148
#define IDB_LISTIMAGES 164

// The rename dialog and the progress dialog, with their items.
#define IDD_RENAME 159
#define IDD_PROGRESS 161
#define IDC_RENAME_EDIT 1006
#define IDC_RENAME_SKIP 3
#define IDC_PROGRESS_FIRST_LINE 1003
#define IDC_PROGRESS_BAR 1007
#define IDC_PROGRESS_SECOND_LINE 1008

// The search dialog, with its items.
#define IDD_FIND 170
#define IDC_FIND_TEXT 1011
#define IDC_FIND_KEEP_ONLY 1012

// The preview of the batch rename, with its list.
#define IDD_BATCH_PREVIEW 177
#define IDC_PREVIEW_LIST 1015

// Commands of the menus and accelerators.
#define ID_FILE_NEW 163
#define ID_FILE_OPEN 133
#define ID_FILE_ADD 137
#define ID_FOLDER_OPEN 3
#define ID_FOLDER_ADD 138
#define ID_EXPORT_XML 139
#define ID_EXPORT_COPY 156
#define ID_FILE_PROPERTIES 1001
#define ID_FILE_EXIT 105
#define ID_EDIT_UNDO 175
#define ID_EDIT_RENAME 158
#define ID_EDIT_BATCH_RENAME 162
#define ID_EDIT_BATCH_PREVIEW 176
#define ID_EDIT_DELETE 167
#define ID_EDIT_SELECT_ALL 160
#define ID_EDIT_FIND 168
#define ID_EDIT_SELECT_DUPLICATES 169
#define ID_TREE_REFRESH 150
#define ID_TREE_AUTO_EXPAND 154
#define ID_TREE_SHOW_ALL 155
#define ID_VIEW_RECORD_COLUMNS 180
#define ID_OPEN_KAR_FOLDER 142
#define ID_OPEN_SAVEGAME_FOLDER 143
#define ID_OPEN_TAUNTS_FOLDER 144
#define ID_OPEN_RIFT_SAVEGAME_FOLDER 157
#define ID_OPEN_RIFT_TAUNTS_FOLDER 166
#define ID_HELP_ABOUT 104
#define ID_TREE_COPY 149
#define ID_SWITCH_FOCUS 32780
