#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

// The system's open and save dialogs. The open dialog lets the user choose several files;
// NextFile then hands out their full paths one by one. The open dialog's names are read in UTF-16
// and kept only when the code page can name them (see CShortNames).
class CFileDialog {
public:
    CFileDialog();
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Descriptions and patterns in turn, separated by '|'. Empty: nothing changes.
    void SetFilter(const std::string& filter);
    // Empty: nothing changes.
    void SetInitialDir(const std::string& folder);
    bool ShowSave(HWND owner, std::string& path);
    // Room for maxFiles paths; false for 0 files, a cancel or a failure. A chosen file whose long
    // name the code page cannot hold is handed out by its short name; one that cannot be named
    // (nor any file of a folder whose path does not convert exactly) is noted in unnamed.
    bool ShowOpen(HWND owner, int maxFiles);
    // Starts handing out the names of fileBuffer as the open dialog returned them: one full
    // path, or the folder followed by bare names, ended by an empty text.
    void BeginWalk();
    // The next chosen path; false at the end, and before any successful ShowOpen.
    bool NextFile(std::string& path);

    OPENFILENAMEA record;
    std::string filter;
    std::string initialFolder;
    std::vector<char> fileBuffer;
    static constexpr size_t kNoCursor = static_cast<size_t>(-1);
    size_t cursor = kNoCursor;
    std::string folder;
    int handedOut = 0;
    // Per name of fileBuffer, the long name of a file given by its short name as the code page
    // shows it ("?" for each character it lacks); empty for a file given by its own name.
    std::vector<std::string> longNames;
    // The long name of the file that NextFile last handed out, as longNames holds it.
    std::string longName;
    // The chosen files that could not be named, by their long names as the dialog gave them.
    std::vector<std::wstring> unnamed;

private:
    // Keeps the names of the dialog's UTF-16 buffer in fileBuffer, as the program names them.
    void KeepChosenNames(const std::vector<wchar_t>& names);
};
