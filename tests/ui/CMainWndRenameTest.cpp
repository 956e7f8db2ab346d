// Edit > rename (F2): the rename dialog for each selected row in turn.
#include "RunTestSupport.h"

#include "RecordFixtures.h"

#include "options/CExportDocument.h"
#include "ui/CModFilenameDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using runtest::FilesIn;
using runtest::Folder;

namespace {

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string EditText(HWND dialog)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, IDC_RENAME_EDIT, text, sizeof(text));
    return text;
}

// What the user does in one dialog: types a name (unless null) and ends it.
struct Answer {
    const char* typed;
    void (*end)(HWND dialog);
};

void Ok(HWND dialog)
{
    Click(dialog, IDOK);
}
void Skip(HWND dialog)
{
    Click(dialog, IDC_RENAME_SKIP);
}
void Cancel(HWND dialog)
{
    Click(dialog, IDCANCEL);
}
void CloseBox(HWND dialog)
{
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class RenameCommand : public runtest::RunWindow {
protected:
    // Three rows a.rec, b.rec, c.rec of a folder of their own, all selected.
    void ThreeRows(const std::string& name)
    {
        folder = Folder("Rename" + name);
        for (const char* file : {"a.rec", "b.rec", "c.rec"})
            AddRow(testfiles::Write("Rename" + name + "\\" + file, "x"));
        Select({0, 1, 2});
    }
    // Runs the command with the answers, one per dialog; the names that the dialogs showed.
    std::vector<std::string> Run(const std::vector<Answer>& answers, const std::function<void()>& command)
    {
        std::vector<std::string> shown;
        DialogVisitor visitor(
            "名前の変更",
            [&](HWND dialog) {
                EXPECT_EQ(mainWnd.window, GetWindow(dialog, GW_OWNER));
                EXPECT_FALSE(IsWindowEnabled(mainWnd.window));
                shown.push_back(EditText(dialog));
                const Answer& answer = answers.at(shown.size() - 1);
                if (answer.typed)
                    SetDlgItemTextA(dialog, IDC_RENAME_EDIT, answer.typed);
                answer.end(dialog);
            },
            true);
        command();
        return shown;
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int row = 0; row < mainWnd.list.GetItemCount(); ++row)
            rows.push_back(RowText(row));
        return rows;
    }

    std::string folder;
};

struct LoopCase {
    const char* name;
    std::vector<Answer> answers;
    std::vector<std::string> shown;  // the names the dialogs showed
    std::vector<std::string> rows;   // the rows' names afterwards
};

class RenameLoop : public RenameCommand, public testing::WithParamInterface<LoopCase> {};

TEST_P(RenameLoop, GoesThroughTheSelectedRows)
{
    ThreeRows(GetParam().name);
    EXPECT_EQ(GetParam().shown, Run(GetParam().answers, [&] { Command(ID_EDIT_RENAME); }));
    EXPECT_EQ(GetParam().rows, Rows());
    std::vector<std::string> files = GetParam().rows;
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, FilesIn(folder));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RenameLoop,
    testing::Values(
        LoopCase{"AllRenamed", {{"x", Ok}, {"y", Ok}, {"z", Ok}}, {"a", "b", "c"}, {"x.rec", "y.rec", "z.rec"}},
        LoopCase{"SkipOnTheSecond", {{"x", Ok}, {"y", Skip}, {"z", Ok}}, {"a", "b", "c"}, {"x.rec", "b.rec", "z.rec"}},
        LoopCase{"CancelOnTheSecond", {{"x", Ok}, {"y", Cancel}}, {"a", "b"}, {"x.rec", "b.rec", "c.rec"}},
        LoopCase{"CloseBoxOnTheSecond", {{"x", Ok}, {"y", CloseBox}}, {"a", "b"}, {"x.rec", "b.rec", "c.rec"}},
        LoopCase{"UnchangedNameOnTheFirst", {{nullptr, Ok}, {"y", Ok}, {"z", Ok}}, {"a", "b", "c"},
                 {"a.rec", "y.rec", "z.rec"}}),
    [](const testing::TestParamInfo<LoopCase>& info) { return info.param.name; });

TEST_F(RenameCommand, OnlySelectedRowsAreOffered)
{
    ThreeRows("Selected");
    Select({0, 2});
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), Run({{"x", Ok}, {"z", Ok}}, [&] { Command(ID_EDIT_RENAME); }));
    EXPECT_EQ((std::vector<std::string>{"x.rec", "b.rec", "z.rec"}), Rows());
}

TEST_F(RenameCommand, GameBecomesGame2InTheRowAndTheRecord)
{
    folder = Folder("RenameGame");
    int row = AddRow(testfiles::Write("RenameGame\\game.rec", "x"));
    mainWnd.list.SetItemText("2003/11/03 05:40:07", row, 1);
    mainWnd.list.SetItemText("rec", row, 2);
    Select({row});
    Run({{"game2", Ok}}, [&] { Command(ID_EDIT_RENAME); });
    EXPECT_EQ("game2.rec", RowText(row));
    EXPECT_EQ(folder + "game2.rec", RecordOfRow(row).path);
    EXPECT_EQ(std::vector<std::string>{"game2.rec"}, FilesIn(folder));
    // The other columns stay: the extension and the last-write time do not change.
    std::string time, type;
    mainWnd.list.GetItemText(row, 1, time);
    mainWnd.list.GetItemText(row, 2, type);
    EXPECT_EQ("2003/11/03 05:40:07", time);
    EXPECT_EQ("rec", type);
}

// The record is read again under its new name: the row shows what the file holds now, even when
// it changed after the row was first shown.
TEST_F(RenameCommand, TheRenamedRowShowsWhatItsFileHoldsNow)
{
    folder = Folder("RenameReload");
    int row = AddRow(fixtures::WriteRecord("RenameReload\\game.rec", "<GameSettings><MapName>Before</MapName></GameSettings>"));
    Select({row});
    ASSERT_NE(std::string::npos, TreeOfRow(row).find("Before"));
    fixtures::WriteRecord("RenameReload\\game.rec", "<GameSettings><MapName>After</MapName></GameSettings>");
    Run({{"renamed", Ok}}, [&] { Command(ID_EDIT_RENAME); });
    EXPECT_EQ("renamed.rec", RowText(row));
    std::string tree = TreeOfRow(row);
    EXPECT_NE(std::string::npos, tree.find("After")) << tree;
    EXPECT_EQ(std::string::npos, tree.find("Before")) << tree;
    EXPECT_TRUE(boxes.boxes.empty());
}

// Another program that holds the file open, sharing it, lets it be renamed but not opened at
// once: the record follows the file to its new name all the same.
TEST_F(RenameCommand, AFileHeldOpenIsFollowedToItsNewName)
{
    folder = Folder("RenameHeld");
    std::string path = fixtures::WriteRecord("RenameHeld\\game.rec", "<GameSettings><MapName>Held</MapName></GameSettings>");
    int row = AddRow(path);
    Select({row});
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Run({{"renamed", Ok}}, [&] { Command(ID_EDIT_RENAME); });
    CloseHandle(held);
    EXPECT_EQ("renamed.rec", RowText(row));
    EXPECT_EQ(std::vector<std::string>{"renamed.rec"}, FilesIn(folder));
    EXPECT_EQ(folder + "renamed.rec", RecordOfRow(row).path);
    EXPECT_NE(std::string::npos, TreeOfRow(row).find("Held"));
    EXPECT_TRUE(boxes.boxes.empty());
}

// A failed OK keeps the dialog; the box belongs to the dialog, and the row stays as it was.
TEST_F(RenameCommand, AFailedRenameKeepsTheDialogAndTheRow)
{
    ThreeRows("Failed");
    Select({0});
    std::vector<std::string> shown;
    DialogVisitor visitor("名前の変更", [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_RENAME_EDIT, "b");
        Click(dialog, IDOK);
        shown.push_back(IsWindow(dialog) ? "open" : "closed");
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(dialog, boxes.boxes[0].owner);
        Click(dialog, IDCANCEL);
    });
    Command(ID_EDIT_RENAME);
    EXPECT_EQ(std::vector<std::string>{"open"}, shown);
    EXPECT_EQ("a.rec", RowText(0));
    EXPECT_EQ("名前の変更に失敗しました。", boxes.boxes.at(0).text);
}

class RenameLongName : public RenameCommand, public testing::WithParamInterface<runtest::LongNameCase> {};

// A Japanese name that the file functions take (fewer than 260 characters) but that makes a path
// of 260 bytes or more, which the program cannot split again, is refused like any name the file
// cannot have: the dialog says so and stays open, the file stays in its folder under its name and
// extension, again and again; the row and the export keep its name. The program refuses it
// itself: no move is asked of the file system, which might refuse it for its own reasons (Wine's
// host holds at most 255 bytes of UTF-8 in a name).
TEST_P(RenameLongName, IsRefused)
{
    std::string folderName = std::string("Rename") + GetParam().name;
    folder = Folder(folderName);
    if (!GetParam().subfolder.empty()) {
        folderName += "\\" + runtest::Ansi(GetParam().subfolder);
        folder = Folder(folderName);
    }
    std::string path = fixtures::WriteRecord(folderName + "\\game.rec", "<GameSettings></GameSettings>");
    int row = AddRow(path);
    Select({row});
    std::string name;
    for (int i = 0; i < GetParam().characters; ++i)
        name += runtest::Ansi(u8"あ");
    ASSERT_GE(folder.size() + name.size() + 4, 260u);
    ASSERT_LT(MultiByteToWideChar(CP_ACP, 0, (folder + name + ".rec").c_str(), -1, nullptr, 0), MAX_PATH);
    runtest::MoveRecorder recorder;
    ASSERT_NE(nullptr, recorder.patch.slot);
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        std::vector<std::string> shown;
        DialogVisitor visitor("名前の変更", [&](HWND dialog) {
            shown.push_back(EditText(dialog));
            SetDlgItemTextA(dialog, IDC_RENAME_EDIT, name.c_str());
            Click(dialog, IDOK);
            shown.push_back(IsWindow(dialog) ? "open" : "closed");
            Click(dialog, IDCANCEL);
        });
        Command(ID_EDIT_RENAME);
        EXPECT_TRUE(recorder.moves.empty());
        EXPECT_EQ((std::vector<std::string>{"game", "open"}), shown);
        EXPECT_EQ(std::vector<std::string>{"game.rec"}, FilesIn(folder));
        EXPECT_EQ("game.rec", RowText(row));
        EXPECT_EQ(path, RecordOfRow(row).path);
        EXPECT_EQ("game.rec", RecordOfRow(row).fileName);
        ASSERT_EQ(static_cast<size_t>(run), boxes.boxes.size());
        EXPECT_EQ("名前の変更に失敗しました。", boxes.boxes.back().text);
    }
    CExportDocument exported;
    exported.Add(RecordOfRow(row), mainWnd.data.option);
    EXPECT_NE(std::string::npos, exported.ToString().find("<RecordedFile Name=\"game.rec\""));
}

INSTANTIATE_TEST_SUITE_P(Names, RenameLongName, testing::ValuesIn(runtest::LongNames()),
                         runtest::LongNameCaseName);

TEST_F(RenameCommand, WithoutSelectedRowsNothingOpens)
{
    ThreeRows("None");
    Select({});
    EXPECT_TRUE(Run({}, [&] { Command(ID_EDIT_RENAME); }).empty());
}

// F2 reaches the command through the accelerator table, as the message loop translates it.
TEST_F(RenameCommand, F2OpensTheDialog)
{
    ThreeRows("F2");
    Select({1});
    EXPECT_EQ(std::vector<std::string>{"b"}, Run({{"y", Ok}}, [&] { PressKey(VK_F2, false); }));
    EXPECT_EQ("y.rec", RowText(1));
}

TEST_F(RenameCommand, TheEditMenuOpensTheDialog)
{
    ThreeRows("Menu");
    Select({0, 2});
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), Run({{"x", Ok}, {"z", Ok}}, [&] { ChooseFromMenu("em"); }));
    EXPECT_EQ((std::vector<std::string>{"x.rec", "b.rec", "z.rec"}), Rows());
}

}
