// Pictures of the program's windows for the README, made with the program's own window code, each
// saved as a BMP file of what the screen shows.
//   showcase.exe RECORD FOLDER   the main window with the record shown in the tree, the record's
//                                property sheet and the version dialog: FOLDER\tree.bmp,
//                                FOLDER\properties.bmp, FOLDER\about.bmp
//   showcase.exe --find TEXT FOLDER RECORD...
//                                the records listed, the search dialog with TEXT over the main
//                                window, then the rows found: FOLDER\find.bmp, FOLDER\found.bmp
//   showcase.exe --columns FOLDER RECORD...
//                                the records listed with their own columns, sorted by the players,
//                                in a wide window whose list takes most of it: FOLDER\columns.bmp
#include "app/WindowedStart.h"
#include "resources/resource.h"

#include "DialogVisitor.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

// The program's main window object, as the start-up knows it.
CMainWnd g_mainWnd;

namespace {

// Lets the windows paint.
void Settle()
{
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < 800) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// The screen under the window's rectangle as a 24-bit BMP file.
bool Save(HWND window, const std::string& path)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + rowBytes * static_cast<DWORD>(height);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(static_cast<const char*>(bits), rowBytes * static_cast<DWORD>(height));
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

// The main window where the pictures show it.
bool OpenMainWindow(CMainWnd& mainWnd)
{
    InitCommonControls();
    if (!CreateMainWindow(mainWnd))
        return false;
    SetWindowPos(mainWnd.window, nullptr, 40, 40, 900, 560, SWP_NOZORDER);
    mainWnd.Show(SW_SHOW);
    return true;
}

bool RecordPictures(const std::string& path, const std::string& folder)
{
    CMainWnd& mainWnd = g_mainWnd;
    if (!OpenMainWindow(mainWnd))
        return false;
    int32_t id = mainWnd.data.AddRecord(path);
    if (id == 0)
        return false;
    const CRecord& record = mainWnd.data.records[id];
    int row = mainWnd.list.InsertItem(record.fileName, 0, 0, 1, id);
    mainWnd.list.SetItemText(record.timeText, row, 1);
    mainWnd.list.SelectItem(row);
    mainWnd.ShowRecordInTree(row);
    Settle();
    bool saved = Save(mainWnd.window, folder + "\\tree.bmp");
    {
        DialogVisitor visitor("プロパティ", [&](HWND sheet) {
            Settle();
            saved = Save(sheet, folder + "\\properties.bmp") && saved;
            PropSheet_PressButton(sheet, PSBTN_CANCEL);
        });
        SendMessageA(mainWnd.window, WM_COMMAND, ID_FILE_PROPERTIES, 0);
    }
    {
        DialogVisitor visitor("バージョン情報", [&](HWND dialog) {
            Settle();
            saved = Save(dialog, folder + "\\about.bmp") && saved;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(mainWnd.window, WM_COMMAND, ID_HELP_ABOUT, 0);
    }
    DestroyWindow(mainWnd.window);
    return saved;
}

// The dialog lies over the main window, which the picture takes with it.
bool FindPictures(const std::string& text, const std::string& folder, const std::vector<std::string>& paths)
{
    CMainWnd& mainWnd = g_mainWnd;
    if (!OpenMainWindow(mainWnd))
        return false;
    for (const std::string& path : paths)
        mainWnd.AddRecordFile(path);
    mainWnd.list.SelectItem(0);
    mainWnd.ShowRecordInTree(0);
    bool saved = false;
    {
        DialogVisitor visitor("検索", [&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, text.c_str());
            SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_SETSEL, text.size(), text.size());
            Settle();
            saved = Save(mainWnd.window, folder + "\\find.bmp");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(mainWnd.window, WM_COMMAND, ID_EDIT_FIND, 0);
    }
    Settle();
    saved = Save(mainWnd.window, folder + "\\found.bmp") && saved;
    DestroyWindow(mainWnd.window);
    return saved;
}

// The list's pane is widened as a drag of the splitter widens it.
bool ColumnsPicture(const std::string& folder, const std::vector<std::string>& paths)
{
    CMainWnd& mainWnd = g_mainWnd;
    if (!OpenMainWindow(mainWnd))
        return false;
    SetWindowPos(mainWnd.window, nullptr, 5, 40, 1270, 420, SWP_NOZORDER);
    RECT pane = {};
    GetClientRect(mainWnd.leftPane.window, &pane);
    SetWindowPos(mainWnd.leftPane.window, nullptr, 0, 0, 1080, pane.bottom, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageA(mainWnd.window, WM_SIZE, 0, 0);
    for (const std::string& path : paths)
        mainWnd.AddRecordFile(path);
    SendMessageA(mainWnd.window, WM_COMMAND, ID_VIEW_RECORD_COLUMNS, 0);
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = mainWnd.list.window;
    click.hdr.idFrom = GetDlgCtrlID(mainWnd.list.window);
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = CMainWnd::kFileListColumns + CColumnTexts::Players;
    SendMessageA(mainWnd.window, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    mainWnd.list.SelectItem(0);
    mainWnd.ShowRecordInTree(0);
    SetFocus(mainWnd.list.window);
    Settle();
    bool saved = Save(mainWnd.window, folder + "\\columns.bmp");
    DestroyWindow(mainWnd.window);
    return saved;
}

}

int main(int argc, char** argv)
{
    if (argc >= 5 && std::string(argv[1]) == "--find")
        return FindPictures(argv[2], argv[3], std::vector<std::string>(argv + 4, argv + argc)) ? 0 : 1;
    if (argc >= 4 && std::string(argv[1]) == "--columns")
        return ColumnsPicture(argv[2], std::vector<std::string>(argv + 3, argv + argc)) ? 0 : 1;
    if (argc == 3)
        return RecordPictures(argv[1], argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: showcase RECORD FOLDER\n       showcase --find TEXT FOLDER RECORD...\n"
                         "       showcase --columns FOLDER RECORD...\n");
    return 2;
}
