#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

// The system's open and save dialogs. The open dialog lets the user choose several files;
// NextFile then hands out their full paths one by one.
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
    // Room for maxFiles paths; false for 0 files, a cancel or a failure.
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
};
