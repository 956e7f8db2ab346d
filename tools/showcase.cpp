// Pictures of the program's windows for the README, made with the program's own window code: the
// main window with a record shown in the tree, the record's property sheet and the version
// dialog, each saved as a BMP file of what the screen shows.
//   showcase.exe RECORD FOLDER   writes FOLDER\tree.bmp, FOLDER\properties.bmp, FOLDER\about.bmp
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

}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: showcase RECORD FOLDER\n");
        return 2;
    }
    std::string folder = argv[2];
    InitCommonControls();
    CMainWnd& mainWnd = g_mainWnd;
    if (!CreateMainWindow(mainWnd))
        return 1;
    SetWindowPos(mainWnd.window, nullptr, 40, 40, 900, 560, SWP_NOZORDER);
    mainWnd.Show(SW_SHOW);
    int32_t id = mainWnd.data.AddRecord(argv[1]);
    if (id == 0)
        return 1;
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
    return saved ? 0 : 1;
}
