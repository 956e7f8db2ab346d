// Edit > preview of the batch rename: the names the batch would give, shown before anything is
// renamed; Convert runs the batch on the same rows.
#include "EchoRows.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

using echo::Numbered;
using echo::Sorted;
using runtest::Ansi;
using runtest::DebugOutputRecorder;
using runtest::ProgressRecorder;

namespace {

const char kQuestion[] = "個のファイル名を一括変換します。";

std::string ItemText(HWND list, int row, int column)
{
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string ColumnHeading(HWND list, int column)
{
    char text[128] = {};
    LVCOLUMNA heading = {};
    heading.mask = LVCF_TEXT;
    heading.pszText = text;
    heading.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&heading));
    return text;
}

// One line of the preview: the name now and the name after.
struct Shown {
    std::string current;
    std::string converted;
    bool operator==(const Shown& other) const { return current == other.current && converted == other.converted; }
};

std::ostream& operator<<(std::ostream& out, const Shown& shown)
{
    return out << shown.current << " -> " << shown.converted;
}

// A text that a box showed, its line ends as spaces.
std::string OneLine(std::string text)
{
    for (const char* end : {"\r\n", "\n"}) {
        for (size_t at = text.find(end); at != std::string::npos; at = text.find(end, at))
            text.replace(at, std::string(end).size(), " ");
    }
    return text;
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void Convert(HWND dialog)
{
    Click(dialog, IDOK);
}
void Close(HWND dialog)
{
    Click(dialog, IDCANCEL);
}
// A key pressed in the dialog's list; the dialog's loop gives it to the dialog.
void Key(HWND dialog, UINT key)
{
    PostMessageA(GetDlgItem(dialog, IDC_PREVIEW_LIST), WM_KEYDOWN, key, 1);
}

class BatchPreview : public echo::EchoWindow {
protected:
    // Opens the preview from the Edit menu's command; the dialog, when it opens, is read and then
    // answered by the action (a click on a button, a key), after which the dialog must be gone.
    void Preview(const std::function<void(HWND dialog)>& answer)
    {
        opened = false;
        shown.clear();
        DialogVisitor visitor("一括変換のプレビュー", [&](HWND dialog) {
            opened = true;
            HWND list = GetDlgItem(dialog, IDC_PREVIEW_LIST);
            for (int row = 0; row < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++row)
                shown.push_back({ItemText(list, row, 0), ItemText(list, row, 1)});
            answer(dialog);
        });
        Command(ID_EDIT_BATCH_PREVIEW);
    }
    // The rows' names now, each with the name that the preview is to show after it.
    std::vector<Shown> Expected(const std::vector<std::string>& converted)
    {
        std::vector<Shown> lines;
        for (size_t i = 0; i < converted.size(); ++i)
            lines.push_back({RowText(static_cast<int>(i)), Ansi(converted[i])});
        return lines;
    }
    bool Asked()
    {
        for (const MessageBoxRecorder::Box& box : boxes.boxes) {
            if (box.text.find(kQuestion) != std::string::npos)
                return true;
        }
        return false;
    }
    std::string UndoText()
    {
        char text[128] = {};
        GetMenuStringA(GetMenu(mainWnd.window), ID_EDIT_UNDO, text, sizeof(text), MF_BYCOMMAND);
        return text;
    }

    bool opened = false;
    std::vector<Shown> shown;
};

// A batch that a preview shows: the files already in the folder (taken by others), the names that
// Echo.xsl gives the rows r1.rec, r2.rec, ..., and what the preview shows for them (UTF-8).
struct PreviewCase {
    const char* name;
    std::vector<std::string> others;
    std::vector<std::string> newNames;
    std::vector<std::string> converted;
};

class BatchPreviewNames : public BatchPreview, public testing::WithParamInterface<PreviewCase> {};

// The preview shows the names that the batch then gives the same files: Convert runs it at once,
// without the question. A file the batch leaves alone shows why, as the batch then tells it.
TEST_P(BatchPreviewNames, AreTheNamesTheBatchGives)
{
    const PreviewCase& c = GetParam();
    EchoRows(std::string("Preview") + c.name, c.newNames);
    for (const std::string& other : c.others)
        testfiles::Write(folderName + "\\" + other, "someone else's");
    std::vector<std::string> before = Rows();
    std::vector<Shown> expected = Expected(c.converted);
    Preview(Convert);
    ASSERT_TRUE(opened);
    EXPECT_EQ(expected, shown);
    EXPECT_FALSE(Asked());
    std::vector<std::string> after = Rows();
    ASSERT_EQ(shown.size(), after.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(shown[i].converted);
        const std::string& converted = shown[i].converted;
        bool named = converted.rfind(Ansi(u8"※"), 0) != 0 && converted != Ansi(u8"（変更なし）");
        EXPECT_EQ(named ? converted : before[i], after[i]);
        if (named || converted == Ansi(u8"※前のファイルで一括変換が止まります"))
            continue;
        // What the mark tells is what the batch told of the file.
        bool told = converted == Ansi(u8"（変更なし）");
        for (const MessageBoxRecorder::Box& box : boxes.boxes)
            told = told || OneLine(box.text).find(converted.substr(2)) != std::string::npos;
        EXPECT_TRUE(told);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchPreviewNames,
    testing::Values(
        PreviewCase{"Plain", {}, {"x1", u8"日本語"}, {"x1.rec", u8"日本語.rec"}},
        PreviewCase{"ClashesWithinTheRun", {}, {"game", "game", "game"}, {"game.rec", "game(2).rec", "game(3).rec"}},
        // Letter case aside, as the file system compares.
        PreviewCase{"ClashesWithTheFolder", {"GAME.REC", "game(2).rec"}, {"game", "game"}, {"game(3).rec", "game(4).rec"}},
        // r3.rec is still there when the first file moves; r1.rec is free when the second does.
        PreviewCase{"NamesLeftByEarlierRows", {}, {"r3", "r1", "x"}, {"r3(2).rec", "r1.rec", "x.rec"}},
        PreviewCase{"Unchanged", {}, {"r1", "R2"}, {u8"（変更なし）", u8"（変更なし）"}},
        PreviewCase{"NotRenamed",
                    {},
                    {"CON", "ok", "a/b", "a?b", "a*b", "a&lt;b", "a|b", "a&quot;b"},
                    {u8"※変換後のファイル名は使用できない名前です： CON", "ok.rec",
                     u8"※変換後のファイル名にフォルダかドライブが含まれています： a/b", u8"※リネームに失敗しました。",
                     u8"※リネームに失敗しました。", u8"※リネームに失敗しました。", u8"※リネームに失敗しました。",
                     u8"※リネームに失敗しました。"}},
        PreviewCase{"StopsAtAnEmptyName",
                    {},
                    {"x1", "", "x3"},
                    {"x1.rec", u8"※変換後ファイル名を取得できませんでした。", u8"※前のファイルで一括変換が止まります"}}),
    [](const testing::TestParamInfo<PreviewCase>& info) { return info.param.name; });

// A record that cannot be read and a name too long for its folder show the batch's messages.
TEST_F(BatchPreview, RecordsTheBatchCannotNameShowItsMessages)
{
    UseFolder("PreviewUnreadable");
    std::string name(259 - folder.size() - 3, 'n');
    Select({AddRow(testfiles::Write(folderName + "\\junk.rec", "not a recorded game")), EchoRow("r2.rec", name),
            EchoRow("r3.rec", "fine")});
    Preview(Convert);
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("fine.rec", shown[2].converted);
    ASSERT_EQ(1u, boxes.boxes.size());
    std::string told = OneLine(boxes.boxes[0].text);
    EXPECT_EQ(0u, told.find("2 個のファイルを処理できませんでした。"));
    EXPECT_NE(std::string::npos, told.find(" junk.rec " + shown[0].converted.substr(2) + " ")) << shown[0].converted;
    EXPECT_EQ(Ansi(u8"※変換後のファイル名ではパスが長すぎます： ") + name, shown[1].converted);
    EXPECT_EQ((std::vector<std::string>{"fine.rec", "junk.rec", "r2.rec"}), Files());
}

// A row whose record is gone keeps its name: the batch passes it by without a word, and the preview
// shows it unchanged.
TEST_F(BatchPreview, ARowWithoutItsRecordShowsItsNameUnchanged)
{
    UseFolder("PreviewStray");
    int renamed = EchoRow("r1.rec", "x1");
    int stray = mainWnd.list.InsertItem("stray.rec", mainWnd.list.GetItemCount(), 0, 1, 99);
    Select({renamed, stray});
    Preview(Convert);
    EXPECT_EQ((std::vector<Shown>{{"r1.rec", "x1.rec"}, {"stray.rec", Ansi(u8"（変更なし）")}}), shown);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "stray.rec"}), Rows());
    EXPECT_EQ(std::vector<std::string>{"x1.rec"}, Files());
    EXPECT_TRUE(boxes.boxes.empty());
}

// A name that is the short name of another file of the folder is taken as a move finds it.
TEST_F(BatchPreview, AnotherFilesShortNameIsTaken)
{
    UseFolder("PreviewShortName");
    std::string other = testfiles::Write(folderName + "\\a rather long name.rec", "someone else's");
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameA(other.c_str(), shortPath, MAX_PATH));
    std::string shortName = std::string(shortPath).substr(std::string(shortPath).find_last_of('\\') + 1);
    std::string shortBase = shortName.substr(0, shortName.find('.'));
    ASSERT_NE("a rather long name.rec", shortName);
    Select({EchoRow("r1.rec", shortBase)});
    Preview(Convert);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(shortBase + "(2).rec", shown[0].converted);
    EXPECT_EQ(shown[0].converted, RowText(0));
}

struct CloseCase {
    const char* name;
    void (*close)(HWND dialog);
};

class BatchPreviewClose : public BatchPreview, public testing::WithParamInterface<CloseCase> {};

// Nothing on disk changes, nor in the list, and only the temporary file is written (the debugger
// hears nothing): the files keep their names and times, and no undo step is made.
TEST_P(BatchPreviewClose, ChangesNothing)
{
    EchoRows(std::string("PreviewClose") + GetParam().name, {"x1", "x2"});
    auto snapshot = [this] {
        std::vector<std::string> files;
        for (const std::string& name : Files()) {
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            GetFileAttributesExA((folder + name).c_str(), GetFileExInfoStandard, &data);
            files.push_back(name + " " + std::to_string(data.ftLastWriteTime.dwLowDateTime) + " " +
                            std::to_string(data.ftLastWriteTime.dwHighDateTime) + " " +
                            std::to_string(data.nFileSizeLow));
        }
        return files;
    };
    std::vector<std::string> before = snapshot();
    char temporaryFolder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporaryFolder);
    std::vector<std::string> temporary = runtest::FilesIn(temporaryFolder);
    Sleep(20);
    DebugOutputRecorder debugger;
    Preview(GetParam().close);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Expected({"x1.rec", "x2.rec"}), shown);
    EXPECT_EQ(before, snapshot());
    EXPECT_EQ(temporary, runtest::FilesIn(temporaryFolder));
    EXPECT_TRUE(debugger.lines.empty());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), MenuState(ID_EDIT_UNDO) & MF_GRAYED);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

INSTANTIATE_TEST_SUITE_P(Ways, BatchPreviewClose,
                         testing::Values(CloseCase{"CloseButton", Close},
                                         CloseCase{"Escape", [](HWND dialog) { Key(dialog, VK_ESCAPE); }},
                                         CloseCase{"CloseBox", [](HWND dialog) {
                                                       SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                                                   }}),
                         [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

// Enter is Convert, the default button; the files it renames are one step for Ctrl+Z.
TEST_F(BatchPreview, EnterConvertsAndMakesOneUndoStep)
{
    EchoRows("PreviewEnter", {"x1", "x2", "x3"});
    Preview([](HWND dialog) { Key(dialog, VK_RETURN); });
    ASSERT_TRUE(opened);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), Files());
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), Rows());
    EXPECT_EQ("元に戻す - 一括変換(&Z)\tCtrl+Z", UndoText());
    PressKey('Z', true);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Files());
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), MenuState(ID_EDIT_UNDO) & MF_GRAYED);
    EXPECT_TRUE(boxes.boxes.empty());
}

// The dialog as the user meets it, opened from the Edit menu with the keys: its caption, its two
// columns with one line for each selected row in list order, the list with the focus, Convert the
// default button beside Close.
TEST_F(BatchPreview, TheDialogFromTheEditMenu)
{
    EchoRows("PreviewDialog", {"x1", "x2", "x3"});
    Select({0, 2});
    std::vector<std::string> seen;
    DialogVisitor visitor("一括変換のプレビュー", [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_PREVIEW_LIST);
        seen = {ColumnHeading(list, 0), ColumnHeading(list, 1), ItemText(list, 0, 0), ItemText(list, 0, 1),
                ItemText(list, 1, 0), ItemText(list, 1, 1), std::to_string(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)),
                mainwindow::WindowText(GetDlgItem(dialog, IDOK)), mainwindow::WindowText(GetDlgItem(dialog, IDCANCEL))};
        EXPECT_EQ(list, GetFocus());
        EXPECT_EQ(static_cast<LRESULT>(MAKELONG(IDOK, DC_HASDEFID)), SendMessageA(dialog, DM_GETDEFID, 0, 0));
        EXPECT_EQ(mainWnd.window, GetWindow(dialog, GW_OWNER));
        Close(dialog);
    });
    ChooseFromMenu("ev");
    EXPECT_EQ((std::vector<std::string>{"現在の名前", "変換後の名前", "r1.rec", "x1.rec", "r3.rec", "x3.rec", "2",
                                        "変換する", "閉じる"}),
              seen);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "r3.rec"}), Files());
}

// Past ten rows the preview runs under the progress dialog, with the main window disabled; Cancel
// there ends it without the preview.
TEST_F(BatchPreview, CancelDuringTheRunShowsNoPreview)
{
    EchoRows("PreviewCancel", Numbered("x", 12));
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 3)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Preview(Convert);
    EXPECT_FALSE(opened);
    ASSERT_EQ(3u, progress.steps.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ("プレビュー中... (" + std::to_string(i + 1) + " / 12)", progress.steps[i].first);
        EXPECT_EQ("r" + std::to_string(i + 1) + ".rec", progress.steps[i].second);
    }
    ExpectRunUnderTheMainWindow(progress);
    EXPECT_EQ(Sorted(Numbered("r", 12)), Files());
    EXPECT_TRUE(boxes.boxes.empty());
}

// The run to the end shows every row.
TEST_F(BatchPreview, PastTenRowsTheRunShowsEveryRow)
{
    EchoRows("PreviewLong", Numbered("x", 12));
    ProgressRecorder progress;
    Preview(Close);
    ASSERT_TRUE(opened);
    EXPECT_EQ(12u, progress.steps.size());
    EXPECT_EQ("プレビュー中... (12 / 12)", progress.steps.back().first);
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back("x" + std::to_string(i) + ".rec");
    EXPECT_EQ(Expected(names), shown);
}

// Convert runs the batch afresh: a name taken in the folder while the preview was open gets the
// next number.
TEST_F(BatchPreview, ConvertFollowsTheFolderAsItIsThen)
{
    EchoRows("PreviewChanged", {"game"});
    Preview([this](HWND dialog) {
        testfiles::Write(folderName + "\\game.rec", "someone else's");
        Convert(dialog);
    });
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("game.rec", shown[0].converted);
    EXPECT_EQ("game(2).rec", RowText(0));
}

// As the batch, the preview needs the stylesheet: without it, the batch's box and no preview.
TEST_F(BatchPreview, AMissingStylesheetIsTold)
{
    EchoRows("PreviewNoStylesheet", {"x1"});
    mainWnd.data.option.templates["Rename"].value = "Missing.xsl";
    Preview(Convert);
    EXPECT_FALSE(opened);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("テンプレートの取得に失敗しました。\r\n" + runtest::BesideTheProgram("Missing.xsl"), boxes.boxes[0].text);
}

}
