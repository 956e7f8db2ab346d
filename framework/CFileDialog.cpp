#include "framework/CFileDialog.h"

#include <cstring>

namespace {

const char kAllFiles[] = "All files (*.*)\0*.*\0";

// The dialogs' hook: the system's own handling does everything.
UINT_PTR CALLBACK DialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

}

CFileDialog::CFileDialog()
{
    std::memset(&record, 0, sizeof(record));
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record.lpstrFilter = kAllFiles;
    record.lpstrDefExt = "txt";
}

void CFileDialog::SetFilter(const std::string& text)
{
    if (text.empty())
        return;
    filter = text;
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    filter.append(2, '\0');
    record.lpstrFilter = filter.c_str();
}

void CFileDialog::SetInitialDir(const std::string& text)
{
    if (text.empty())
        return;
    initialFolder = text;
    record.lpstrInitialDir = initialFolder.c_str();
}

bool CFileDialog::ShowSave(HWND owner, std::string& path)
{
    char name[MAX_PATH] = {};
    record.hwndOwner = owner;
    record.lCustData = reinterpret_cast<LPARAM>(owner);
    record.lpstrFile = name;
    record.nMaxFile = sizeof(name);
    record.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST |
                   OFN_EXPLORER | OFN_LONGNAMES;
    record.lpfnHook = DialogHook;
    bool chosen = GetSaveFileNameA(&record) != FALSE;
    record.lpstrFile = nullptr;
    if (chosen)
        path = name;
    return chosen;
}

bool CFileDialog::ShowOpen(HWND owner, int maxFiles)
{
    if (maxFiles <= 0)
        return false;
    fileBuffer.assign(static_cast<size_t>(maxFiles) * MAX_PATH + 1, '\0');
    cursor = kNoCursor;
    folder.clear();
    handedOut = 0;
    record.hwndOwner = owner;
    record.lCustData = reinterpret_cast<LPARAM>(owner);
    record.lpstrFile = fileBuffer.data();
    record.nMaxFile = static_cast<DWORD>(fileBuffer.size() - 1);
    record.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST |
                   OFN_EXPLORER | OFN_LONGNAMES;
    record.lpfnHook = DialogHook;
    bool chosen = GetOpenFileNameA(&record) != FALSE;
    record.lpstrFile = nullptr;
    if (!chosen)
        return false;
    BeginWalk();
    return true;
}

void CFileDialog::BeginWalk()
{
    // Two zero bytes always end the walk, whatever the buffer holds.
    fileBuffer.insert(fileBuffer.end(), 2, '\0');
    folder = fileBuffer.data();
    cursor = folder.size() + 1;
    handedOut = 0;
}

bool CFileDialog::NextFile(std::string& path)
{
    if (cursor == kNoCursor || cursor >= fileBuffer.size())
        return false;
    const char* name = fileBuffer.data() + cursor;
    if (name[0] == '\0') {
        if (handedOut != 0)
            return false;
        path = folder;
        ++handedOut;
        return true;
    }
    path = folder + "\\" + name;
    cursor += std::strlen(name) + 1;
    ++handedOut;
    return true;
}
