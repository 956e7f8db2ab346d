// Files whose names the ANSI code page cannot hold (Hangul, emoji, the wave dash U+301C that
// other systems type, U+00A5 which the system's best fit turns into a backslash): listed and
// handled by their short names, or told in one box, and never taken for another file.
#include "MainWindowTest.h"

#include "DialogVisitor.h"
#include "ImportPatch.h"
#include "ListTestSupport.h"
#include "RecordFixtures.h"
#include "RecycleBin.h"
#include "RunTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

using browsedialog::Wide;
using mainwindow::MainWindow;
using listtest::Names;

namespace {

const std::wstring kHangul = L"\uD55C\uAD6D.rec";
const std::wstring kEmoji = L"emoji\U0001F600.rec";
const std::wstring kYen = L"a\u00A5b.rec";
const std::wstring kJapanese = L"\u88C2\u3051\u76EE\u306E\u8C37.rec";
const std::wstring kWaveDash = L"\u7B2C2\u8A66\u5408\u301C\u5EF6\u9577.rec";
// A record by its short name (which ends in ".REC"), not by its own.
const std::wstring kHangulNotARecord = L"\uD55C.recx";

std::wstring MakeWideFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::string ReadWide(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<none>";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// The path of a file in a folder that the code page holds, with the file's short name as the
// system gives it (short names are ASCII).
std::string ShortPath(const std::string& folder, const std::wstring& path)
{
    WCHAR shortPath[MAX_PATH] = {};
    EXPECT_NE(0u, GetShortPathNameW(path.c_str(), shortPath, MAX_PATH));
    std::wstring name = browsedialog::NameOf(shortPath);
    char narrow[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
    return folder + "\\" + narrow;
}

// A volume that gives no short names, as Windows volumes do with 8.3 names turned off (the
// default for volumes other than the system's since Windows 8) and exFAT ones: the program's
// listing of entries gets none. Wine gives every long name a short one.
ImportPatch* findFirst = nullptr;
ImportPatch* findNext = nullptr;

HANDLE WINAPI FindFirstWithoutShortNames(LPCWSTR pattern, LPWIN32_FIND_DATAW entry)
{
    HANDLE search = findFirst->Original<decltype(&FindFirstFileW)>()(pattern, entry);
    if (search != INVALID_HANDLE_VALUE)
        entry->cAlternateFileName[0] = L'\0';
    return search;
}

BOOL WINAPI FindNextWithoutShortNames(HANDLE search, LPWIN32_FIND_DATAW entry)
{
    BOOL found = findNext->Original<decltype(&FindNextFileW)>()(search, entry);
    if (found)
        entry->cAlternateFileName[0] = L'\0';
    return found;
}

class NoShortNames {
public:
    NoShortNames()
        : first("kernel32.dll", "FindFirstFileW", reinterpret_cast<const void*>(&FindFirstWithoutShortNames)),
          next("kernel32.dll", "FindNextFileW", reinterpret_cast<const void*>(&FindNextWithoutShortNames))
    {
        findFirst = &first;
        findNext = &next;
        EXPECT_NE(nullptr, first.slot);
        EXPECT_NE(nullptr, next.slot);
    }
    ~NoShortNames()
    {
        findFirst = nullptr;
        findNext = nullptr;
    }

private:
    ImportPatch first;
    ImportPatch next;
};

// The lines of a box's text.
std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The texts of the boxes shown, for a failure's message.
std::string BoxTexts(const MessageBoxRecorder& recorder)
{
    std::string texts;
    for (const MessageBoxRecorder::Box& box : recorder.boxes)
        texts += "[" + box.text + "] ";
    return texts;
}

enum class Source { Folder, Dialog, Drop };

struct NamesCase {
    const char* name;
    Source source;
    bool shortNames;
};

// A folder of the test's own with a file of each kind of name, and beside them a folder "a"
// holding "b.rec": the path that the best fit makes of "a¥b.rec".
class UnicodeNames : public MainWindow, public ::testing::WithParamInterface<NamesCase> {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        folder = listtest::MakeFolder(listtest::TestFolderName());
        for (const std::wstring& name : {kHangul, kEmoji, kYen, kJapanese, kWaveDash, kHangulNotARecord})
            files[name] = MakeWideFile(Wide(folder) + L"\\" + name, fixtures::FileBytes(fixtures::GoodBody()));
        listtest::MakeFolder(listtest::Relative(folder + "\\a"));
        listtest::MakeFile(listtest::Relative(folder + "\\a\\b.rec"));
    }
    void List(Source source)
    {
        listtest::DialogAnswers dialogs;
        std::vector<std::wstring> paths;
        switch (source) {
        case Source::Folder:
            dialogs.folder = folder;
            listtest::DialogAnswers::Command(mainWnd.window, ID_FOLDER_OPEN);
            EXPECT_EQ(1, dialogs.browsers);
            break;
        case Source::Dialog: {
            std::wstring names;
            for (const auto& file : files)
                names += L"\"" + file.first + L"\" ";
            dialogs.wideOpenSteps = {{Wide(folder), names}};
            listtest::DialogAnswers::Command(mainWnd.window, ID_FILE_OPEN);
            EXPECT_EQ(1, dialogs.openDialogs);
            break;
        }
        case Source::Drop:
            for (const auto& file : files)
                paths.push_back(file.second);
            SendMessageA(mainWnd.window, WM_DROPFILES, reinterpret_cast<WPARAM>(listtest::MakeDrop(paths)), 0);
            break;
        }
    }

    std::string folder;
    std::map<std::wstring, std::wstring> files;
};

}

// Each file is listed by a path that opens it and no other: its own, or its short one, the row
// showing the long name with "?" for what the code page lacks. Without short names, the files
// that cannot be named are told in one box, named as they are.
TEST_P(UnicodeNames, AreListedByTheirShortNamesOrToldInOneBox)
{
    const NamesCase& c = GetParam();
    {
        std::optional<NoShortNames> without;
        if (!c.shortNames)
            without.emplace();
        List(c.source);
    }
    std::map<std::string, std::string> paths;
    for (const auto& entry : mainWnd.data.records)
        paths[entry.second.fileName] = entry.second.path;
    std::vector<std::string> names = Names(mainWnd.list);
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> expected = {{"裂け目の谷.rec", folder + "\\裂け目の谷.rec"}};
    if (c.shortNames) {
        expected["??.rec"] = ShortPath(folder, files[kHangul]);
        expected["emoji?.rec"] = ShortPath(folder, files[kEmoji]);
        expected["a?b.rec"] = ShortPath(folder, files[kYen]);
        expected["第2試合?延長.rec"] = ShortPath(folder, files[kWaveDash]);
        EXPECT_TRUE(boxes.boxes.empty());
    }
    std::vector<std::string> expectedNames;
    for (const auto& entry : expected)
        expectedNames.push_back(entry.first);
    EXPECT_EQ(expectedNames, names);
    EXPECT_EQ(expected, paths);
    if (c.shortNames)
        return;
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);
    std::vector<std::wstring> lines = Lines(boxes.boxes[0].wideText);
    ASSERT_EQ(7u, lines.size()) << boxes.boxes[0].text;
    EXPECT_EQ(Wide("4 個のファイルを一覧に追加できませんでした。"), lines[0]);
    EXPECT_EQ(Wide("ファイル名に、この Windows の文字コードで表せない文字があります。"), lines[1]);
    EXPECT_EQ(L"", lines[2]);
    std::vector<std::wstring> told(lines.begin() + 3, lines.end());
    std::sort(told.begin(), told.end());
    std::vector<std::wstring> unnamed = {kHangul, kEmoji, kYen, kWaveDash};
    std::sort(unnamed.begin(), unnamed.end());
    EXPECT_EQ(unnamed, told);
}

INSTANTIATE_TEST_SUITE_P(Sources, UnicodeNames,
                         ::testing::Values(NamesCase{"OpenFolder", Source::Folder, true},
                                           NamesCase{"OpenFiles", Source::Dialog, true},
                                           NamesCase{"Drop", Source::Drop, true},
                                           NamesCase{"OpenFolderWithoutShortNames", Source::Folder, false},
                                           NamesCase{"OpenFilesWithoutShortNames", Source::Dialog, false},
                                           NamesCase{"DropWithoutShortNames", Source::Drop, false}),
                         [](const ::testing::TestParamInfo<NamesCase>& info) { return info.param.name; });

namespace {

// The names of a folder's entries, as the system gives them.
std::vector<std::wstring> Entries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry = {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Two Hangul names to which Wine gives the same short name: that name opens the first alone.
const std::wstring kSharing[] = {L"\uAC00\uB098\uB2E4\uB77C\uB145\uB91F.rec",
                                 L"\uAC00\uB098\uB2E4\uB77C\uC4EC\uC468.rec"};

}

// A short name that another file of the folder also answers to names neither for sure: both are
// told, and the listed file is the one the short name opens alone.
TEST_F(MainWindow, AShortNameSharedByTwoFilesNamesNeither)
{
    std::string folder = listtest::MakeFolder(listtest::TestFolderName());
    std::wstring first = MakeWideFile(Wide(folder) + L"\\" + kSharing[0], "first");
    std::wstring second = MakeWideFile(Wide(folder) + L"\\" + kSharing[1], "second");
    std::wstring alone = MakeWideFile(Wide(folder) + L"\\" + kHangul, fixtures::FileBytes(fixtures::GoodBody()));
    ASSERT_EQ(ShortPath(folder, first), ShortPath(folder, second)) << "Wine's short names of the two";
    listtest::DialogAnswers dialogs;
    dialogs.folder = folder;
    listtest::DialogAnswers::Command(mainWnd.window, ID_FOLDER_OPEN);
    EXPECT_EQ(std::vector<std::string>{"??.rec"}, Names(mainWnd.list));
    ASSERT_EQ(1u, mainWnd.data.records.size());
    EXPECT_EQ(ShortPath(folder, alone), mainWnd.data.records.begin()->second.path);
    ASSERT_EQ(1u, boxes.boxes.size());
    std::vector<std::wstring> lines = Lines(boxes.boxes[0].wideText);
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ(Wide("2 個のファイルを一覧に追加できませんでした。"), lines[0]);
    std::vector<std::wstring> told(lines.begin() + 3, lines.end());
    std::sort(told.begin(), told.end());
    EXPECT_EQ(std::vector<std::wstring>(std::begin(kSharing), std::end(kSharing)), told);
}

// Past five files the box counts the rest, as the program's other boxes of files do.
TEST_F(MainWindow, TheBoxNamesFiveFilesAndCountsTheRest)
{
    std::wstring folder = Wide(listtest::MakeFolder(listtest::TestFolderName()));
    std::vector<std::wstring> paths;
    for (wchar_t letter = L'\uAC00'; letter < L'\uAC07'; ++letter)
        paths.push_back(MakeWideFile(folder + L"\\" + letter + L".rec", "x"));
    {
        NoShortNames without;
        SendMessageA(mainWnd.window, WM_DROPFILES, reinterpret_cast<WPARAM>(listtest::MakeDrop(paths)), 0);
    }
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(Wide("7 個のファイルを一覧に追加できませんでした。\r\n"
                   "ファイル名に、この Windows の文字コードで表せない文字があります。\r\n\r\n") +
                  L"\uAC00.rec\r\n\uAC01.rec\r\n\uAC02.rec\r\n\uAC03.rec\r\n\uAC04.rec" +
                  Wide("\r\nほか 2 個のファイル"),
              boxes.boxes[0].wideText);
}

namespace {

// The Hangul file "한국.rec" (a real recorded game) dropped on the window: a row "??.rec" whose
// record opens it by its short name.
class ShortNamedFile : public runtest::RunWindow {
protected:
    void SetUp() override
    {
        RunWindow::SetUp();
        boxes.answer = IDYES;
        narrowFolder = listtest::MakeFolder(listtest::TestFolderName());
        folder = Wide(narrowFolder);
        bytes = testfiles::Read(testfiles::SourcePath("samples/castle-duel.rec"));
        file = MakeWideFile(folder + L"\\" + kHangul, bytes);
        other = MakeWideFile(folder + L"\\other.rec", bytes);
        SendMessageA(mainWnd.window, WM_DROPFILES, reinterpret_cast<WPARAM>(listtest::MakeDrop({file})), 0);
        ASSERT_EQ(std::vector<std::string>{"??.rec"}, Names(mainWnd.list));
        ASSERT_EQ(ShortPath(narrowFolder, file), RecordOfRow(0).path);
        Select({0});
    }
    // The folder's files other than other.rec.
    std::vector<std::wstring> Left()
    {
        std::vector<std::wstring> names = Entries(folder);
        names.erase(std::remove(names.begin(), names.end(), L"other.rec"), names.end());
        return names;
    }

    std::string narrowFolder;
    std::wstring folder;
    std::string bytes;
    std::wstring file;
    std::wstring other;
};

}

TEST_F(ShortNamedFile, DeleteMovesItToTheRecycleBin)
{
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(0, mainWnd.list.GetItemCount());
    EXPECT_TRUE(mainWnd.data.records.empty());
    EXPECT_TRUE(Left().empty());
    EXPECT_TRUE(recyclebin::InTrash(file));
    EXPECT_TRUE(bytes == ReadWide(other)) << "the bytes of the file";
}

// The rename dialog offers the name as the row shows it; the new name is one that the code page
// holds, with the file's own extension.
TEST_F(ShortNamedFile, RenameGivesItANameTheCodePageHolds)
{
    std::vector<std::string> offered;
    DialogVisitor dialog(
        "名前の変更",
        [&offered](HWND window) {
            char text[MAX_PATH] = {};
            GetDlgItemTextA(window, IDC_RENAME_EDIT, text, sizeof(text));
            offered.push_back(text);
            SetDlgItemTextA(window, IDC_RENAME_EDIT, "韓国");
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        },
        true);
    Command(ID_EDIT_RENAME);
    EXPECT_EQ(std::vector<std::string>{"??"}, offered);
    EXPECT_EQ(std::vector<std::wstring>{L"\u97D3\u56FD.rec"}, Left());
    EXPECT_TRUE(bytes == ReadWide(folder + L"\\\u97D3\u56FD.rec")) << "the bytes of the file";
    EXPECT_EQ(std::vector<std::string>{"韓国.rec"}, Names(mainWnd.list));
    EXPECT_EQ(narrowFolder + "\\韓国.rec", RecordOfRow(0).path);
    EXPECT_TRUE(boxes.boxes.empty());
}

// The batch rename names it by its settings, with the extension of its own name.
TEST_F(ShortNamedFile, BatchRenameGivesItANameTheCodePageHolds)
{
    std::string shipped = std::string(std::getenv("TV_BINARY_DIR")) + "/bin/Rename.xsl";
    ASSERT_TRUE(CopyFileA(shipped.c_str(), runtest::BesideTheProgram("Rename.xsl").c_str(), FALSE));
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_EQ(1u, boxes.boxes.size()) << BoxTexts(boxes);
    std::vector<std::wstring> left = Left();
    ASSERT_EQ(1u, left.size());
    std::string name = RecordOfRow(0).fileName;
    EXPECT_EQ(Wide(name), left[0]);
    EXPECT_EQ(".rec", name.substr(name.size() - 4)) << name;
    EXPECT_EQ(std::vector<std::string>{name}, Names(mainWnd.list));
    EXPECT_TRUE(bytes == ReadWide(folder + L"\\" + left[0])) << "the bytes of the file";
}

// Undo after a rename or a batch rename gives the file back its own name, never one made of its
// short name, and its row the name it showed.
class ShortNamedUndo : public ShortNamedFile, public ::testing::WithParamInterface<UINT> {};

TEST_P(ShortNamedUndo, GivesItsOwnNameBack)
{
    std::string shipped = std::string(std::getenv("TV_BINARY_DIR")) + "/bin/Rename.xsl";
    ASSERT_TRUE(CopyFileA(shipped.c_str(), runtest::BesideTheProgram("Rename.xsl").c_str(), FALSE));
    DialogVisitor dialog(
        "名前の変更",
        [](HWND window) {
            SetDlgItemTextA(window, IDC_RENAME_EDIT, "韓国");
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        },
        true);
    Command(GetParam());
    ASSERT_NE(std::vector<std::wstring>{kHangul}, Left()) << "not renamed";
    boxes.boxes.clear();
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(std::vector<std::wstring>{kHangul}, Left());
    EXPECT_TRUE(bytes == ReadWide(file)) << "the bytes of the file";
    EXPECT_EQ(std::vector<std::string>{"??.rec"}, Names(mainWnd.list));
    EXPECT_EQ(ShortPath(narrowFolder, file), RecordOfRow(0).path);
    EXPECT_TRUE(boxes.boxes.empty()) << BoxTexts(boxes);
}

INSTANTIATE_TEST_SUITE_P(Commands, ShortNamedUndo, ::testing::Values(ID_EDIT_RENAME, ID_EDIT_BATCH_RENAME),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return info.param == ID_EDIT_RENAME ? std::string("Rename") : std::string("BatchRename");
                         });

// A copy has the file's own name, not its short one.
TEST_F(ShortNamedFile, CopyKeepsItsName)
{
    std::wstring target = folder + L"\\copies";
    ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
    listtest::DialogAnswers dialogs;
    dialogs.wideFolder = target;
    listtest::DialogAnswers::Command(mainWnd.window, ID_EXPORT_COPY);
    ASSERT_EQ(1u, boxes.boxes.size()) << BoxTexts(boxes);
    EXPECT_EQ(std::vector<std::wstring>{kHangul}, Entries(target));
    EXPECT_TRUE(bytes == ReadWide(target + L"\\" + kHangul)) << "the bytes of the file";
    EXPECT_TRUE(bytes == ReadWide(file)) << "the bytes of the file";
}

TEST_F(ShortNamedFile, ExportWritesItsSettings)
{
    std::string path = listtest::MakeFolder(listtest::TestFolderName() + "-export") + "\\out.xml";
    runtest::SaveDialogAnswer save(path);
    Command(ID_EXPORT_XML);
    ASSERT_EQ(1u, boxes.boxes.size()) << BoxTexts(boxes);
    std::string written = testfiles::Read(path);
    EXPECT_NE(std::string::npos, written.find("<RecordedFile Name=\"??.rec\"")) << written;
    EXPECT_NE(std::string::npos, written.find("2003/11/03 05:40:07")) << written;
}

namespace {

struct FolderCase {
    const char* name;
    UINT command;
    std::wstring folder;
};

// A folder of the test's own holding "録画\2024\b.rec" (the path that the best fit makes of
// "録画¥2024") and the folder chosen in the browser with "c.rec"; the list holds "old.rec",
// selected.
class FolderNotInCodePage : public MainWindow, public ::testing::WithParamInterface<FolderCase> {};

}

// A folder whose path the code page cannot hold is refused with a box that says so: nothing is
// listed from it or copied into another folder, and the list stays as it was.
TEST_P(FolderNotInCodePage, IsRefusedWithABox)
{
    const FolderCase& c = GetParam();
    std::string folder = listtest::MakeFolder(listtest::TestFolderName());
    std::string bestFit = listtest::MakeFolder(listtest::Relative(folder + "\\録画")) + "\\2024";
    CreateDirectoryA(bestFit.c_str(), nullptr);
    listtest::MakeFile(listtest::Relative(bestFit + "\\b.rec"));
    std::wstring chosen = Wide(folder) + L"\\" + c.folder;
    ASSERT_TRUE(CreateDirectoryW(chosen.c_str(), nullptr));
    MakeWideFile(chosen + L"\\c.rec", fixtures::FileBytes(fixtures::GoodBody()));
    mainWnd.AddRecordFile(listtest::MakeFile(listtest::Relative(folder + "\\old.rec")));
    mainWnd.list.SelectItem(0);
    boxes.answer = IDYES;
    listtest::DialogAnswers dialogs;
    dialogs.wideFolder = chosen;
    listtest::DialogAnswers::Command(mainWnd.window, c.command);
    EXPECT_EQ(1, dialogs.browsers);
    ASSERT_EQ(1u, boxes.boxes.size()) << BoxTexts(boxes);
    EXPECT_EQ("選択したフォルダのパスに、この Windows の文字コードで表せない文字があります。", boxes.boxes[0].text);
    EXPECT_EQ("エラー", boxes.boxes[0].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[0].flags);
    EXPECT_EQ(std::vector<std::string>{"old.rec"}, Names(mainWnd.list));
    EXPECT_EQ(std::vector<std::wstring>{L"b.rec"}, Entries(Wide(bestFit)));
    EXPECT_EQ(std::vector<std::wstring>{L"c.rec"}, Entries(chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FolderNotInCodePage,
    ::testing::Values(FolderCase{"OpenFolder", ID_FOLDER_OPEN, L"\u9332\u753B\u00A52024"},
                      FolderCase{"AddFolder", ID_FOLDER_ADD, L"\uD55C\uAD6D"},
                      FolderCase{"CopyInto", ID_EXPORT_COPY, L"\u9332\u753B\u00A52024"}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });
