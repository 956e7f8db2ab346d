#include "framework/CFileDialog.h"

#include "framework/AnsiText.h"
#include "framework/CShortNames.h"

#include <cstring>
#include <cwchar>

namespace {

const char kAllFiles[] = "All files (*.*)\0*.*\0";

// The dialogs' hook: the system's own handling does everything.
UINT_PTR CALLBACK DialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// A list of texts ended by an empty one, with its zero bytes.
std::string TextList(const char* list)
{
    size_t length = 0;
    while (list[length] != '\0' || list[length + 1] != '\0')
        ++length;
    return std::string(list, length + 2);
}

// The folder of a path and the name in it, cut at the last backslash.
void SplitPath(const std::wstring& path, std::wstring& folder, std::wstring& name)
{
    size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) {
        folder.clear();
        name = path;
        return;
    }
    folder = path.substr(0, cut);
    name = path.substr(cut + 1);
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
    fileBuffer.clear();
    cursor = kNoCursor;
    folder.clear();
    handedOut = 0;
    longNames.clear();
    unnamed.clear();
    record.hwndOwner = owner;
    record.lCustData = reinterpret_cast<LPARAM>(owner);
    record.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST |
                   OFN_EXPLORER | OFN_LONGNAMES;
    record.lpfnHook = DialogHook;
    // The ANSI dialog gives names as the system's best fit makes them: "a¥b.rec" as "a\b.rec",
    // a path into a folder "a". The dialog is asked in UTF-16 with the record's settings.
    std::vector<wchar_t> names(static_cast<size_t>(maxFiles) * MAX_PATH + 1, L'\0');
    std::wstring filter = ToWide(TextList(record.lpstrFilter));
    std::wstring initial = record.lpstrInitialDir ? ToWide(record.lpstrInitialDir) : L"";
    std::wstring extension = record.lpstrDefExt ? ToWide(record.lpstrDefExt) : L"";
    OPENFILENAMEW wide = {};
    wide.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    wide.hwndOwner = owner;
    wide.lCustData = record.lCustData;
    wide.lpstrFilter = filter.c_str();
    wide.lpstrInitialDir = record.lpstrInitialDir ? initial.c_str() : nullptr;
    wide.lpstrDefExt = record.lpstrDefExt ? extension.c_str() : nullptr;
    wide.lpstrFile = names.data();
    wide.nMaxFile = static_cast<DWORD>(names.size() - 1);
    wide.Flags = record.Flags;
    wide.lpfnHook = DialogHook;
    if (!GetOpenFileNameW(&wide))
        return false;
    KeepChosenNames(names);
    return true;
}

void CFileDialog::KeepChosenNames(const std::vector<wchar_t>& names)
{
    // One file: its full path; several: the folder, then the bare names.
    std::wstring wideFolder = names.data();
    std::vector<std::wstring> bare;
    for (const wchar_t* name = names.data() + wideFolder.size() + 1; *name;
         name += std::wcslen(name) + 1)
        bare.emplace_back(name);
    bool one = bare.empty();
    if (one) {
        std::wstring name;
        SplitPath(names.data(), wideFolder, name);
        bare.push_back(name);
    }
    std::string narrowFolder;
    if (!ToAnsiExactly(wideFolder, narrowFolder)) {
        unnamed = bare;
        return;
    }
    CShortNames shortNames;
    std::string kept = one ? std::string() : narrowFolder + '\0';
    for (const std::wstring& wideName : bare) {
        std::string name;
        if (!shortNames.NameOf(wideFolder, wideName, name)) {
            unnamed.push_back(wideName);
            continue;
        }
        std::string own;
        longNames.push_back(ToAnsiExactly(wideName, own) ? std::string() : ToAnsiShown(wideName));
        kept += (one ? narrowFolder + "\\" + name : name) + '\0';
    }
    if (longNames.empty())
        return;
    fileBuffer.assign(kept.begin(), kept.end());
    BeginWalk();
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
    if (name[0] == '\0' && handedOut != 0)
        return false;
    size_t number = static_cast<size_t>(handedOut);
    longName = number < longNames.size() ? longNames[number] : std::string();
    ++handedOut;
    if (name[0] == '\0') {
        path = folder;
        return true;
    }
    path = folder + "\\" + name;
    cursor += std::strlen(name) + 1;
    return true;
}
