#include "ui/CAboutDlg.h"

#include "framework/CClipboard.h"
#include "framework/StringUtil.h"
#include "record/CKarRecord.h"
#include "ui/COSVersion.h"
#include "ui/CVersionInfo.h"

namespace {

const int kProductId = 1003;
const int kVersionId = 1008;
const int kListId = 1010;
// The Copy button; the dialog manager sends the same id for the Escape key.
const UINT kCopyId = 2;
const char kNotInstalled[] = "インストールされていません";

// The cells of one line of the copied text.
std::string CsvLine(const std::string& first, const std::string& second)
{
    std::string line = "\"" + first + "\"," + "\"" + second + "\",";
    return EraseTail(line, 1) + "\r\n";
}

}

LRESULT CAboutDlg::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_CLOSE:
        return OnClose();
    default:
        return CDialog::WindowProc(hwnd, message, wParam, lParam);
    }
}

void CAboutDlg::SetTexts(const std::string& product, const std::string& version)
{
    productLine = product;
    versionLine = version;
}

LRESULT CAboutDlg::OnInitDialog()
{
    productBox.AttachDlgItem(window, kProductId);
    versionBox.AttachDlgItem(window, kVersionId);
    productBox.SetText(productLine.c_str());
    versionBox.SetText(versionLine.c_str());
    list.AttachDlgItem(window, kListId);
    list.MergeExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RECT client = {};
    GetClientRect(list.window, &client);
    int width = client.right - client.left;
    list.InsertColumn("Name", width / 3, 0, LVCFMT_LEFT);
    list.InsertColumn("Value", 2 * width / 3, 1, LVCFMT_LEFT);
    FillList();
    SetFocus(GetDlgItem(window, IDOK));
    return 0;
}

LRESULT CAboutDlg::OnCommand(UINT id)
{
    if (id == IDOK)
        EndDialog(1);
    else if (id == kCopyId)
        CopyToClipboard();
    return 0;
}

LRESULT CAboutDlg::OnClose()
{
    EndDialog(0);
    return 0;
}

void CAboutDlg::AddRow(const std::string& name, const std::string& value)
{
    int row = list.InsertItem(name, list.GetItemCount(), 0, -1, 0);
    if (row >= 0)
        list.SetItemText(value, row, 1);
}

void CAboutDlg::FillList()
{
    char osName[256] = {};
    COSVersion().GetOSName(osName, sizeof(osName));
    AddRow("OS", osName);
    for (const char* library : {"msxml3.dll", "comdlg32.dll", "comctl32.dll"}) {
        CVersionInfo info;
        if (info.Load(library) > 0)
            AddRow(library, info.GetFileVersion() + "：" + info.GetProductName());
        else
            AddRow(library, kNotInstalled);
    }
    CKarRecord kar;
    std::string appPath = kar.GetAppPath();
    if (appPath.empty()) {
        AddRow("Kar：AppPath", kNotInstalled);
        return;
    }
    AddRow("Kar：AppPath", appPath);
    AddRow("Kar：CDPath", kar.GetCDPath());
    AddRow("Kar：Version", kar.GetVersion());
    AddRow("Kar：PID", kar.GetPID());
    std::string riftPath = kar.GetRiftAppPath();
    if (riftPath.empty()) {
        AddRow("Kar Rift：AppPath", kNotInstalled);
        return;
    }
    AddRow("Kar Rift：AppPath", riftPath);
    AddRow("Kar Rift：CDPath", kar.GetRiftCDPath());
    AddRow("Kar Rift：Version", kar.GetRiftVersion());
    AddRow("Kar Rift：PID", kar.GetRiftPID());
}

void CAboutDlg::CopyToClipboard()
{
    std::string text = CsvLine("Name", "Value");
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string name;
        std::string value;
        list.GetItemText(row, 0, name);
        list.GetItemText(row, 1, value);
        text += CsvLine(name, value);
    }
    // A clipboard emptied without an owner refuses data on Windows: the dialog owns it.
    CClipboard clipboard;
    clipboard.owner = window;
    clipboard.SetText(text);
}
