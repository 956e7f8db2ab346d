// Edit > batch rename (Ctrl+B): every selected file named by the "Rename" stylesheet through the
// system's stylesheet engine (Wine's MSXML 3 here).
#include "RunTestSupport.h"

#include "ListTestSupport.h"

#include "RecordFixtures.h"
#include "ChildProcess.h"
#include "RenameCases.h"
#include "options/CExportDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using runtest::Ansi;
using runtest::BesideTheProgram;
using runtest::DebugOutputRecorder;
using runtest::Exists;
using runtest::FilesIn;
using runtest::ProgressRecorder;

namespace {

// Names each file by the text of its record's NewName element.
const char kEchoStylesheet[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
    "<xsl:output method=\"text\"/>\n"
    "<xsl:template match=\"/\"><xsl:value-of select=\"normalize-space(/*/NewName)\"/></xsl:template>\n"
    "</xsl:stylesheet>\n";

std::string TemporaryFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

class BatchRename : public runtest::RunWindow {
protected:
    static void SetUpTestSuite()
    {
        RunWindow::SetUpTestSuite();
        std::string shipped = std::string(std::getenv("TV_BINARY_DIR")) + "/bin/Rename.xsl";
        CopyFileA(shipped.c_str(), BesideTheProgram("Rename.xsl").c_str(), FALSE);
        HANDLE file = CreateFileA(BesideTheProgram("Echo.xsl").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                  nullptr);
        DWORD written = 0;
        WriteFile(file, kEchoStylesheet, sizeof(kEchoStylesheet) - 1, &written, nullptr);
        CloseHandle(file);
    }
    void SetUp() override
    {
        RunWindow::SetUp();
        boxes.answer = IDYES;
        temporaryFiles = FilesIn(TemporaryFolder());
    }

    void UseFolder(const std::string& name)
    {
        folderName = "Batch" + name;
        folder = runtest::Folder(folderName);
    }
    // A row for the file name in the folder whose record's NewName is newName (UTF-8).
    int EchoRow(const std::string& name, const std::string& newName)
    {
        return AddRow(fixtures::WriteRecord(folderName + "\\" + name,
                                            "<GameSettings><NewName>" + newName + "</NewName></GameSettings>"));
    }
    // Rows r1.rec, r2.rec, ... named by Echo.xsl with the given names, all selected.
    void EchoRows(const std::string& name, const std::vector<std::string>& newNames)
    {
        UseFolder(name);
        std::vector<int> rows;
        for (size_t i = 0; i < newNames.size(); ++i)
            rows.push_back(EchoRow("r" + std::to_string(i + 1) + ".rec", newNames[i]));
        Select(rows);
        mainWnd.data.option.templates["Rename"].value = "Echo.xsl";
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int row = 0; row < mainWnd.list.GetItemCount(); ++row)
            rows.push_back(RowText(row));
        return rows;
    }
    // The run's one temporary file is gone at its end, whichever way it ended.
    void ExpectNoTemporaryFileLeft() { EXPECT_EQ(temporaryFiles, FilesIn(TemporaryFolder())); }

    std::string folderName;
    std::string folder;
    std::vector<std::string> temporaryFiles;
};

class BatchRenameSample : public BatchRename, public testing::WithParamInterface<renamecases::Case> {};

// The same names as xsltproc gives (checked in the native build), Japanese ones included, on disk.
TEST_P(BatchRenameSample, TakesTheNameThatXsltprocGives)
{
    const renamecases::Case& c = GetParam();
    UseFolder(c.label);
    std::string written = renamecases::WriteRecord(c);
    std::string path = folder + written.substr(written.find_last_of('\\') + 1);
    ASSERT_TRUE(MoveFileA(written.c_str(), path.c_str()));
    std::string extension = path.substr(path.size() - 4);
    Select({AddRow(path)});
    Command(ID_EDIT_BATCH_RENAME);
    std::string expected = Ansi(c.name) + extension;
    EXPECT_EQ(expected, RowText(0));
    EXPECT_EQ(std::vector<std::string>{expected}, FilesIn(folder));
    EXPECT_EQ(folder + expected, RecordOfRow(0).path);
    EXPECT_EQ(expected, RecordOfRow(0).fileName);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("1 個のファイル名を一括変換します。\r\nよろしいですか？", boxes.boxes[0].text);
    EXPECT_EQ("確認", boxes.boxes[0].caption);
    EXPECT_EQ(0x10024u, boxes.boxes[0].flags);
    ExpectNoTemporaryFileLeft();
}

std::vector<renamecases::Case> NamedCases()
{
    std::vector<renamecases::Case> cases;
    for (const renamecases::Case& c : renamecases::kCases) {
        if (*c.name)
            cases.push_back(c);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Records, BatchRenameSample, testing::ValuesIn(NamedCases()),
                         [](const testing::TestParamInfo<renamecases::Case>& info) { return info.param.label; });

TEST_F(BatchRename, AllThreeSamplesInOneRun)
{
    UseFolder("Samples");
    std::vector<int> rows;
    for (const char* sample : {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"})
        rows.push_back(AddRow(testfiles::Write(folderName + "\\" + sample,
                                               testfiles::Read(testfiles::SourcePath(std::string("samples/") + sample)))));
    Select(rows);
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    std::vector<std::string> expected = {Ansi(u8"2003-11-03_0540_高地の浅瀬_Alice_vs_Bob.rec"),
                                         Ansi(u8"2004-07-14_2105_裂け目の谷_Gareth+Osric_vs_Mirelle+Computer.rcx"),
                                         Ansi(u8"2005-01-02_1930_桜の谷_武蔵+ソウマ+コンピュータ_vs_小次郎+表示名テスト+さくら_もみじ.rec")};
    EXPECT_EQ(expected, Rows());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, FilesIn(folder));
    ASSERT_EQ(3u, progress.steps.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ("処理中... (" + std::to_string(i + 1) + " / 3)", progress.steps[i].first);
        EXPECT_EQ(i + 1, progress.steps[i].position);
        EXPECT_EQ(3, progress.steps[i].high);
        EXPECT_EQ(mainWnd.window, progress.steps[i].owner);
        EXPECT_FALSE(progress.steps[i].mainEnabled);
    }
    EXPECT_EQ("castle-duel.rec", progress.steps[0].second);
    EXPECT_EQ("nihon-teams.rec", progress.steps[2].second);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
    ExpectNoTemporaryFileLeft();
}

struct KeysCase {
    const char* name;
    // The letters that choose the command from the menu bar; null for Ctrl+B.
    const char* menuLetters;
};

class BatchRenameKeys : public BatchRename, public testing::WithParamInterface<KeysCase> {};

TEST_P(BatchRenameKeys, StartTheCommand)
{
    EchoRows(GetParam().name, {"x1", "x2"});
    if (GetParam().menuLetters)
        ChooseFromMenu(GetParam().menuLetters);
    else
        PressKey('B', true);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec"}), Rows());
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("2 個のファイル名を一括変換します。\r\nよろしいですか？", boxes.boxes[0].text);
}

INSTANTIATE_TEST_SUITE_P(Ways, BatchRenameKeys,
                         testing::Values(KeysCase{"CtrlB", nullptr}, KeysCase{"EditMenu", "eb"}),
                         [](const testing::TestParamInfo<KeysCase>& info) { return info.param.name; });

// B without Ctrl is no command.
TEST_F(BatchRename, BAloneStartsNothing)
{
    EchoRows("PlainB", {"x1"});
    PressKey('B', false);
    EXPECT_EQ((std::vector<std::string>{"r1.rec"}), Rows());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(BatchRename, TheDebuggerLinesOfARenamedFileInOrder)
{
    EchoRows("Debugger", {"x"});
    DebugOutputRecorder debugger;
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_EQ(4u, debugger.lines.size());
    std::string temporary = debugger.lines[0].substr(std::string("\ntmpFile:").size());
    EXPECT_EQ("\ntmpFile:" + temporary, debugger.lines[0]);
    EXPECT_EQ(TemporaryFolder(), temporary.substr(0, temporary.find_last_of('\\') + 1));
    EXPECT_EQ("\ntemplateFile:" + BesideTheProgram("Echo.xsl"), debugger.lines[1]);
    EXPECT_EQ("\norgFile:" + folder + "r1.rec", debugger.lines[2]);
    EXPECT_EQ("\nnewFilename:" + folder + "x.rec", debugger.lines[3]);
    EXPECT_FALSE(Exists(temporary));
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, ClashesTakeNumbersAndASecondRunRenamesNothing)
{
    EchoRows("Clash", {"game", "game", "game"});
    testfiles::Write(folderName + "\\game.rec", "someone else's");
    Command(ID_EDIT_BATCH_RENAME);
    std::vector<std::string> expected = {"game(2).rec", "game(3).rec", "game(4).rec"};
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ((std::vector<std::string>{"game(2).rec", "game(3).rec", "game(4).rec", "game.rec"}), FilesIn(folder));
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ((std::vector<std::string>{"game(2).rec", "game(3).rec", "game(4).rec", "game.rec"}), FilesIn(folder));
    EXPECT_EQ(2u, boxes.boxes.size());
    ExpectNoTemporaryFileLeft();
}

// A name equal to the current one, letter case aside, leaves the file alone.
TEST_F(BatchRename, TheCurrentNameLetterCaseAsideIsKept)
{
    EchoRows("Same", {"R1", "r2"});
    DebugOutputRecorder debugger;
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), FilesIn(folder));
    EXPECT_EQ(4u, debugger.lines.size());
    EXPECT_EQ(2u, progress.steps.size());
    EXPECT_EQ(1u, boxes.boxes.size());
}

// Output that names a folder or a drive is no file name: the file stays, and the run tells it at
// its end with the others.
TEST_F(BatchRename, FoldersAndDrivesInTheOutputAreToldAtTheEnd)
{
    EchoRows("Separators", {"..\\up", "ok", "sub/x", "C:x", u8"表\\x"});
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "ok.rec", "r3.rec", "r4.rec", "r5.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"ok.rec", "r1.rec", "r3.rec", "r4.rec", "r5.rec"}), FilesIn(folder));
    EXPECT_TRUE(FilesIn(folder + "sub\\").empty());
    EXPECT_FALSE(Exists(testfiles::Path("up.rec")));
    ASSERT_EQ(2u, boxes.boxes.size());
    const std::string& text = boxes.boxes[1].text;
    EXPECT_EQ(0u, text.find("4 個のファイルを処理できませんでした。\r\n\r\nr1.rec\r\n"
                            "変換後のファイル名にフォルダかドライブが含まれています：\n..\\up\r\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("\r\nr5.rec\r\n変換後のファイル名にフォルダかドライブが含まれています：\n" +
                                           Ansi(u8"表\\x")));
    EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    ExpectNoTemporaryFileLeft();
}

// Names that Windows before 11 takes for a device in any folder (a move there may copy the file
// to the device and delete it), and names that end in a dot, which Windows drops: the file stays,
// and the run tells it at its end.
TEST_F(BatchRename, DeviceNamesAndTrailingDotsAreToldAtTheEnd)
{
    EchoRows("Devices", {"CON", "nul.txt", "ok", "Lpt9", "name."});
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "ok.rec", "r4.rec", "r5.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"ok.rec", "r1.rec", "r2.rec", "r4.rec", "r5.rec"}), FilesIn(folder));
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("4 個のファイルを処理できませんでした。\r\n"
              "\r\nr1.rec\r\n変換後のファイル名は使用できない名前です：\nCON\r\n"
              "\r\nr2.rec\r\n変換後のファイル名は使用できない名前です：\nnul.txt\r\n"
              "\r\nr4.rec\r\n変換後のファイル名は使用できない名前です：\nLpt9\r\n"
              "\r\nr5.rec\r\n変換後のファイル名は使用できない名前です：\nname.\r\n",
              boxes.boxes[1].text);
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, APathPastTheLimitIsToldAtTheEnd)
{
    UseFolder("Long");
    std::string name(259 - folder.size() - 3, 'n');
    EchoRows("Long", {name, "short"});
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "short.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("1 個のファイルを処理できませんでした。\r\n\r\nr1.rec\r\n変換後のファイル名ではパスが長すぎます：\n" + name +
                  "\r\n",
              boxes.boxes[1].text);
}

class BatchRenameLongName : public BatchRename, public testing::WithParamInterface<runtest::LongNameCase> {};

// A Japanese name that the file functions take (fewer than 260 characters) but that makes a path
// of 260 bytes or more, which the program cannot split again, is no name the file may have: the
// file stays in its folder under its name and extension, and the run tells it at its end, run
// after run; the row and the export keep its name.
TEST_P(BatchRenameLongName, LeavesTheFileWhereItIs)
{
    UseFolder(GetParam().name);
    if (!GetParam().subfolder.empty()) {
        folderName += "\\" + Ansi(GetParam().subfolder);
        folder = runtest::Folder(folderName);
    }
    std::string name;
    for (int i = 0; i < GetParam().characters; ++i)
        name += u8"あ";
    Select({EchoRow("r1.rec", name)});
    mainWnd.data.option.templates["Rename"].value = "Echo.xsl";
    std::string path = folder + "r1.rec";
    ASSERT_GE(folder.size() + Ansi(name).size() + 4, 260u);
    ASSERT_LT(MultiByteToWideChar(CP_ACP, 0, (folder + Ansi(name) + ".rec").c_str(), -1, nullptr, 0), MAX_PATH);
    // The program refuses the name itself, not the file system.
    runtest::MoveRecorder recorder;
    ASSERT_NE(nullptr, recorder.patch.slot);
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        Command(ID_EDIT_BATCH_RENAME);
        EXPECT_TRUE(recorder.moves.empty());
        EXPECT_EQ(std::vector<std::string>{"r1.rec"}, FilesIn(folder));
        EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Rows());
        EXPECT_EQ(path, RecordOfRow(0).path);
        EXPECT_EQ("r1.rec", RecordOfRow(0).fileName);
        ASSERT_EQ(2u * run, boxes.boxes.size());
        EXPECT_EQ("1 個のファイルを処理できませんでした。\r\n\r\nr1.rec\r\n変換後のファイル名ではパスが長すぎます：\n" +
                      Ansi(name) + "\r\n",
                  boxes.boxes.back().text);
    }
    CExportDocument exported;
    exported.Add(RecordOfRow(0), mainWnd.data.option);
    EXPECT_NE(std::string::npos, exported.ToString().find("<RecordedFile Name=\"r1.rec\""));
    ExpectNoTemporaryFileLeft();
}

INSTANTIATE_TEST_SUITE_P(Names, BatchRenameLongName, testing::ValuesIn(runtest::LongNames()),
                         runtest::LongNameCaseName);

// A move that fails is told at once, over the progress dialog; the run goes on, the main window
// stays disabled.
TEST_F(BatchRename, AFailedMoveIsToldAndTheRunGoesOn)
{
    EchoRows("MoveFails", {"a?b", "fine"});
    HWND dialog = nullptr;
    ProgressRecorder progress([&](int, HWND window) { dialog = window; });
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "fine.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("リネームに失敗しました。\r\n" + folder + "r1.rec", boxes.boxes[1].text);
    EXPECT_EQ("エラー", boxes.boxes[1].caption);
    EXPECT_EQ(0x10030u, boxes.boxes[1].flags);
    EXPECT_EQ(dialog, boxes.boxes[1].owner);
    ASSERT_EQ(2u, progress.steps.size());
    EXPECT_EQ(mainWnd.window, progress.steps[1].owner);
    EXPECT_FALSE(progress.steps[1].mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    ExpectNoTemporaryFileLeft();
}

// Records that cannot be read keep their names; the run goes on and tells them once, at its end.
TEST_F(BatchRename, RecordsThatCannotBeReadAreToldAtTheEnd)
{
    UseFolder("Unreadable");
    Select({EchoRow("r1.rec", "one"), AddRow(fixtures::WriteRecord(folderName + "\\bad.rec", "<GameSettings><NewName>x &amp y</NewName></GameSettings>")),
            AddRow(testfiles::Write(folderName + "\\junk.rec", "not a recorded game")), EchoRow("r4.rec", "four")});
    mainWnd.data.option.templates["Rename"].value = "Echo.xsl";
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"one.rec", "bad.rec", "junk.rec", "four.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    const std::string& text = boxes.boxes[1].text;
    EXPECT_EQ(0u, text.find("2 個のファイルを処理できませんでした。\r\n\r\nbad.rec\r\nエラー場所："));
    EXPECT_NE(std::string::npos, text.find("\r\njunk.rec\r\n" + RecordOfRow(2).GetMessageText()));
    EXPECT_EQ(4u, progress.steps.size());
    EXPECT_EQ(4, progress.steps.back().position);
    ExpectNoTemporaryFileLeft();
}

// Renamed records are read again under their new names. One that another program opens, sharing
// it, just before its move cannot be opened at once; the record follows it all the same, and a
// second run finds every file where its row says.
TEST_F(BatchRename, RenamedRecordsAreFollowedEvenWhenHeldOpen)
{
    EchoRows("Held", {"held", "free"});
    HANDLE held = INVALID_HANDLE_VALUE;
    DebugOutputRecorder debugger([&](const std::string& line) {
        if (line == "\norgFile:" + folder + "r1.rec")
            held = CreateFileA((folder + "r1.rec").c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CloseHandle(held);
    EXPECT_EQ((std::vector<std::string>{"held.rec", "free.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"free.rec", "held.rec"}), FilesIn(folder));
    EXPECT_EQ(folder + "held.rec", RecordOfRow(0).path);
    EXPECT_EQ(folder + "free.rec", RecordOfRow(1).path);
    EXPECT_FALSE(RecordOfRow(1).unpacked);
    // The tree shows the element NewName, which the option file does not know, with all items.
    Command(ID_TREE_SHOW_ALL);
    EXPECT_NE(std::string::npos, TreeOfRow(0).find("held"));
    EXPECT_NE(std::string::npos, TreeOfRow(1).find("free"));
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"held.rec", "free.rec"}), Rows());
    EXPECT_EQ(2u, boxes.boxes.size());
    ExpectNoTemporaryFileLeft();
}

// Cancel is looked at after a file that was renamed: the run stops after the next one.
TEST_F(BatchRename, CancelStopsAfterTheNextRenamedFile)
{
    EchoRows("Cancel", {"r1", "x2", "x3"});
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 1)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "x2.rec", "r3.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r3.rec", "x2.rec"}), FilesIn(folder));
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    ExpectNoTemporaryFileLeft();
}

// After Cancel the dialog is gone and a box belongs to the main window: the window is disabled
// again when the box has ended, until the run ends.
TEST_F(BatchRename, AfterCancelABoxLeavesTheMainWindowDisabled)
{
    EchoRows("CancelThenBox", {"r1", "a?b", "x3", "x4"});
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 1)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::vector<bool> enabledAtMove;
    DebugOutputRecorder debugger([&](const std::string& line) {
        if (line.find("\norgFile:") == 0)
            enabledAtMove.push_back(IsWindowEnabled(mainWnd.window) != FALSE);
    });
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec", "x3.rec", "r4.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    EXPECT_EQ((std::vector<bool>{false, false}), enabledAtMove);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    ExpectNoTemporaryFileLeft();
}

// Output that names nothing ends the run.
TEST_F(BatchRename, AnEmptyNameEndsTheRun)
{
    EchoRows("Empty", {"x1", "", "x3"});
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "r2.rec", "r3.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("変換後ファイル名を取得できませんでした。\r\n" + folder + "r2.rec", boxes.boxes[1].text);
    EXPECT_NE(mainWnd.window, boxes.boxes[1].owner);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    ExpectNoTemporaryFileLeft();
}

// A temporary file that another program holds (sharing it for reading and deleting only) cannot
// be written: the run ends with a box over the progress dialog, and the file is deleted all the
// same.
TEST_F(BatchRename, ATemporaryFileThatCannotBeWrittenEndsTheRun)
{
    EchoRows("TemporaryHeld", {"x1", "x2"});
    HANDLE held = INVALID_HANDLE_VALUE;
    DebugOutputRecorder debugger([&](const std::string& line) {
        const std::string label = "\ntmpFile:";
        if (line.rfind(label, 0) == 0 && held == INVALID_HANDLE_VALUE)
            held = CreateFileA(line.substr(label.size()).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    });
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CloseHandle(held);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), FilesIn(folder));
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("テンポラリファイルの書き込みに失敗しました。", boxes.boxes[1].text);
    EXPECT_EQ("エラー", boxes.boxes[1].caption);
    EXPECT_NE(nullptr, boxes.boxes[1].owner);
    EXPECT_NE(mainWnd.window, boxes.boxes[1].owner);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    ExpectNoTemporaryFileLeft();
}

// Without a temporary file there is no run.
TEST_F(BatchRename, NoTemporaryFileNoRun)
{
    EchoRows("NoTemporary", {"x1"});
    char saved[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TMP", testfiles::Path("no such folder").c_str());
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    SetEnvironmentVariableA("TMP", length ? saved : nullptr);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("テンポラリファイルの作成に失敗しました。", boxes.boxes[1].text);
    EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ((std::vector<std::string>{"r1.rec"}), FilesIn(folder));
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, AStylesheetThatCannotBeLoadedEndsTheRun)
{
    EchoRows("BadStylesheet", {"x1", "x2"});
    CopyFileA(testfiles::Write("Broken.xsl", "<xsl:stylesheet").c_str(), BesideTheProgram("Broken.xsl").c_str(), FALSE);
    mainWnd.data.option.templates["Rename"].value = "Broken.xsl";
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"r1.rec", "r2.rec"}), Rows());
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("ファイル名変換に失敗しました。\r\n" + folder + "r1.rec", boxes.boxes[1].text);
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, AMissingStylesheetIsToldBeforeAnythingElse)
{
    EchoRows("NoStylesheet", {"x1"});
    mainWnd.data.option.templates["Rename"].value = "Missing.xsl";
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("テンプレートの取得に失敗しました。\r\n" + BesideTheProgram("Missing.xsl"), boxes.boxes[1].text);
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ((std::vector<std::string>{"r1.rec"}), Rows());
    ExpectNoTemporaryFileLeft();
}

// Without a template "Rename" the path is the program's folder itself, which opens as no file.
TEST_F(BatchRename, WithoutTheTemplateTheProgramsFolderIsTold)
{
    EchoRows("NoTemplate", {"x1"});
    mainWnd.data.option.templates.erase("Rename");
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ("テンプレートの取得に失敗しました。\r\n" + BesideTheProgram(""), boxes.boxes[1].text);
}

TEST_F(BatchRename, NoToTheQuestionRenamesNothing)
{
    EchoRows("No", {"x1"});
    boxes.answer = IDNO;
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ((std::vector<std::string>{"r1.rec"}), FilesIn(folder));
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, WithoutSelectedRowsNothingHappens)
{
    EchoRows("None", {"x1"});
    Select({});
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ((std::vector<std::string>{"r1.rec"}), FilesIn(folder));
}

// Ctrl+B, or any other command that reaches the disabled main window during the run, starts
// nothing, and files dropped on it are not added: the list, its selection and the records stay as
// the run found them.
TEST_F(BatchRename, CommandsDuringTheRunStartNothing)
{
    EchoRows("Commands", {"x1", "x2"});
    // A row left out of the run, which "select all" would add to it.
    EchoRow("r3.rec", "x3");
    std::string dropped = fixtures::WriteRecord(folderName + "\\dropped.rec", "<GameSettings/>");
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            for (UINT command : {ID_EDIT_BATCH_RENAME, ID_EXPORT_XML, ID_EDIT_RENAME, ID_FILE_NEW, ID_EDIT_DELETE,
                                 ID_EDIT_SELECT_ALL, ID_FILE_EXIT})
                SendMessageA(mainWnd.window, WM_COMMAND, command, 0);
            SendMessageA(mainWnd.window, WM_DROPFILES, reinterpret_cast<WPARAM>(listtest::MakeDrop({dropped})), 0);
        }
    });
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "r3.rec"}), Rows());
    EXPECT_EQ((std::vector<int>{0, 1}), listtest::SelectedRows(mainWnd.list));
    EXPECT_EQ(3u, mainWnd.data.records.size());
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(2u, progress.steps.size());
    EXPECT_TRUE(IsWindow(mainWnd.window));
}

// Closing the window during the run (another program may send the close to the disabled window)
// is refused: the run goes to its end. Once it is over the window closes again.
TEST_F(BatchRename, ClosingTheWindowDuringTheRunIsRefused)
{
    EchoRows("Close", {"x1", "x2", "x3"});
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
            SendMessageA(mainWnd.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    });
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), Rows());
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), FilesIn(folder));
    EXPECT_EQ(3u, progress.steps.size());
    EXPECT_EQ(1u, boxes.boxes.size());
    ExpectNoTemporaryFileLeft();
    SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(nullptr, mainWnd.window);
}

class BatchRenameSessionEnd : public BatchRename, public testing::WithParamInterface<runtest::SessionCase> {};

// The end of the session stops the run after the file it has renamed: the others keep their
// names, and no box waits for anyone. The process may be ended as soon as the window has seen
// WM_ENDSESSION: by then the temporary file is already gone. A session that goes on after the
// question leaves the run to its end.
TEST_P(BatchRenameSessionEnd, StopsTheRunAndLeavesNoTemporaryFile)
{
    EchoRows(GetParam().name, {"x1", "x2", "x3"});
    std::string temporary;
    DebugOutputRecorder debugger([&](const std::string& line) {
        if (line.rfind("\ntmpFile:", 0) == 0)
            temporary = line.substr(std::string("\ntmpFile:").size());
    });
    LRESULT allowed = -1;
    bool temporaryLeftAtTheEnd = true;
    ProgressRecorder progress([&](int step, HWND) {
        if (step != 1)
            return;
        allowed = GetParam().Send(mainWnd.window);
        temporaryLeftAtTheEnd = Exists(temporary);
    });
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_FALSE(temporary.empty());
    if (GetParam().query) {
        EXPECT_EQ(TRUE, allowed);
    }
    EXPECT_EQ(!GetParam().Stops(), temporaryLeftAtTheEnd);
    if (GetParam().Stops()) {
        EXPECT_EQ((std::vector<std::string>{"x1.rec", "r2.rec", "r3.rec"}), Rows());
        EXPECT_EQ((std::vector<std::string>{"r2.rec", "r3.rec", "x1.rec"}), FilesIn(folder));
    } else {
        EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), Rows());
        EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), FilesIn(folder));
    }
    EXPECT_EQ(GetParam().Stops() ? 1u : 3u, progress.steps.size());
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    ExpectNoTemporaryFileLeft();
}

INSTANTIATE_TEST_SUITE_P(Messages, BatchRenameSessionEnd,
                         testing::ValuesIn(runtest::SessionCases()), runtest::SessionCaseName);

// The dialog's own interval leaves out updates, not the end of the run: the last shows the last
// file and the bar full.
TEST_F(BatchRename, WithTheDialogsOwnIntervalTheRunEndsShownWhole)
{
    EchoRows("OwnInterval", {"x1", "x2", "x3", "x4", "x5"});
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_FALSE(progress.steps.empty());
    EXPECT_EQ("処理中... (5 / 5)", progress.steps.back().first);
    EXPECT_EQ("r5.rec", progress.steps.back().second);
    EXPECT_EQ(5, progress.steps.back().position);
    EXPECT_EQ(5, progress.steps.back().high);
}

// Nor does it slow Cancel: the run lets the click through at the same places.
TEST_F(BatchRename, WithTheDialogsOwnIntervalCancelStopsAfterTheNextRenamedFile)
{
    EchoRows("OwnIntervalCancel", {"x1", "x2", "x3", "x4"});
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    DebugOutputRecorder debugger([&](const std::string& line) {
        if (line == "\nnewFilename:" + folder + "x1.rec")
            PostMessageA(mainWnd.progress.window, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "r3.rec", "r4.rec"}), Rows());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    ExpectNoTemporaryFileLeft();
}

// With the dialog's own interval and records that each take longer than it to read, the dialog
// shows each row's own lines while its record is read, and read again and identified under its new
// name; every step that it shows carries the number and the name of its own row.
TEST_F(BatchRename, EveryRowShowsItsOwnLinesWithTheDialogsOwnInterval)
{
    EchoRows("OwnLines", {"x1", "x2", "x3"});
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    ProgressRecorder progress;
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.progress.updateInterval + 1, mainWnd.progress);
        Command(ID_EDIT_BATCH_RENAME);
        looks = slow.looks;
    }
    EXPECT_EQ((std::vector<std::string>{"x1.rec", "x2.rec", "x3.rec"}), Rows());
    ASSERT_EQ(9u, looks.size());
    for (size_t i = 0; i < looks.size(); ++i) {
        SCOPED_TRACE(i);
        int row = static_cast<int>(i / 3) + 1;
        EXPECT_EQ((i % 3 ? "x" : "r") + std::to_string(row) + ".rec", looks[i].name);
        EXPECT_TRUE(looks[i].shown);
        EXPECT_EQ(runtest::RunLine("処理中...", row, 3), looks[i].first);
        EXPECT_EQ("r" + std::to_string(row) + ".rec", looks[i].second);
    }
    ASSERT_EQ(3u, progress.steps.size());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i + 1, progress.steps[i].position);
        EXPECT_EQ(runtest::RunLine("処理中...", i + 1, 3), progress.steps[i].first);
        EXPECT_EQ("r" + std::to_string(i + 1) + ".rec", progress.steps[i].second);
    }
    ExpectNoTemporaryFileLeft();
}

// A file whose numbered names are all taken is left alone; the debugger is told no move for it.
TEST_F(BatchRename, NoMoveIsToldForAFileWhoseNamesAreAllTaken)
{
    EchoRows("AllTaken", {"game"});
    testfiles::Write(folderName + "\\game.rec", "taken");
    for (int number = 2; number <= 99; ++number)
        testfiles::Write(folderName + "\\game(" + std::to_string(number) + ").rec", "taken");
    DebugOutputRecorder debugger;
    Command(ID_EDIT_BATCH_RENAME);
    EXPECT_EQ(std::vector<std::string>{"r1.rec"}, Rows());
    ASSERT_EQ(2u, debugger.lines.size());
    EXPECT_EQ(0u, debugger.lines[0].find("\ntmpFile:"));
    EXPECT_EQ("\ntemplateFile:" + BesideTheProgram("Echo.xsl"), debugger.lines[1]);
    ExpectNoTemporaryFileLeft();
}

TEST_F(BatchRename, TheBarIsFullAfterItsSteps)
{
    EchoRows("Bar", {"x1", "r2", "x3", "x4", "x5"});
    ProgressRecorder progress;
    Command(ID_EDIT_BATCH_RENAME);
    ASSERT_EQ(5u, progress.steps.size());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ("処理中... (" + std::to_string(i + 1) + " / 5)", progress.steps[i].first);
        EXPECT_EQ("r" + std::to_string(i + 1) + ".rec", progress.steps[i].second);
        EXPECT_EQ(i + 1, progress.steps[i].position);
    }
    EXPECT_EQ(5, progress.steps[4].high);
}

}

namespace {

const int kKillFiles = 200;

std::string Numbered(const char* prefix, int number)
{
    char text[32] = {};
    wsprintfA(text, "%s%03d", prefix, number);
    return text;
}

// The child of the kill test: a batch rename over every file of the folder it is given, run to
// its end unless it is killed first.
TEST_F(BatchRename, RunsOverTheKillFolder)
{
    const char* given = std::getenv("TV_KILL_FOLDER");
    if (!given)
        GTEST_SKIP() << "run by BatchRenameKill";
    std::string killFolder = given;
    std::vector<int> rows;
    for (const std::string& name : FilesIn(killFolder))
        rows.push_back(AddRow(killFolder + name));
    Select(rows);
    mainWnd.data.option.templates["Rename"].value = "Echo.xsl";
    Command(ID_EDIT_BATCH_RENAME);
}

struct KillOutcome {
    bool killedWhileRunning = false;
    int renamedBeforeTheKill = 0;
};

// Starts the child over the folder and kills it once it has renamed at least moment files (at
// once when its temporary file is there, for moment 0).
KillOutcome KillDuringTheRun(const std::string& folder, const std::string& temporary, int moment)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    HANDLE child = childprocess::Start(self, "BatchRename.RunsOverTheKillFolder",
                                       {"TV_KILL_FOLDER=" + folder, "TMP=" + temporary, "TEMP=" + temporary});
    KillOutcome outcome;
    if (!child) {
        ADD_FAILURE() << "the child did not start";
        return outcome;
    }
    DWORD start = GetTickCount();
    while (WaitForSingleObject(child, 0) == WAIT_TIMEOUT && GetTickCount() - start < 120000) {
        int renamed = 0;
        for (const std::string& name : FilesIn(folder))
            renamed += name[0] != 'r';
        if (moment == 0 ? !FilesIn(temporary).empty() : renamed >= moment) {
            outcome.killedWhileRunning = TerminateProcess(child, 1) != FALSE;
            outcome.renamedBeforeTheKill = renamed;
            break;
        }
    }
    WaitForSingleObject(child, 10000);
    CloseHandle(child);
    return outcome;
}

// Whether a file that every tenth file is named after has that name or one of its numbered forms.
bool TakesTheSharedName(const std::string& name)
{
    if (name == "taken.rec")
        return true;
    for (int number = 2; number <= 99; ++number) {
        if (name == "taken(" + std::to_string(number) + ").rec")
            return true;
    }
    return false;
}

class BatchRenameKill : public testing::TestWithParam<int> {};

// Moves are the only change to the user's files: whenever the program dies, every file is there
// exactly once, under its old name or its new one, and still decodes; only the temporary file is
// left over.
TEST_P(BatchRenameKill, EveryFileSurvives)
{
    int moment = GetParam();
    std::string folder = runtest::Folder("Kill" + std::to_string(moment));
    std::string temporary = runtest::Folder("KillTemp" + std::to_string(moment));
    for (int i = 0; i < kKillFiles; ++i) {
        // Every tenth file takes a name that others take too, so that numbered names come in.
        std::string newName = i % 10 == 0 ? "taken" : Numbered("new", i);
        fixtures::WriteRecord("Kill" + std::to_string(moment) + "\\" + Numbered("r", i) + ".rec",
                              "<GameSettings><NewName>" + newName + "</NewName><Marker>" + std::to_string(i) +
                                  "</Marker></GameSettings>");
    }
    KillOutcome outcome = KillDuringTheRun(folder, temporary, moment);
    EXPECT_TRUE(outcome.killedWhileRunning) << "the run had ended before the kill";
    std::vector<std::string> names = FilesIn(folder);
    int renamed = 0;
    for (const std::string& name : names)
        renamed += name[0] != 'r';
    std::printf("killed when %d of %d files were seen renamed; %d were renamed when it died\n",
                outcome.renamedBeforeTheKill, kKillFiles, renamed);

    ASSERT_EQ(static_cast<size_t>(kKillFiles), names.size());
    std::vector<int> seen(kKillFiles, 0);
    for (const std::string& name : names) {
        EXPECT_EQ(".rec", name.substr(name.size() - 4)) << name;
        CRecord record;
        ASSERT_TRUE(record.Load(folder + name)) << name;
        const std::string& settings = record.GetGameSettings();
        size_t marker = settings.find("<Marker>");
        ASSERT_NE(std::string::npos, marker) << name << ": " << record.GetMessageText();
        int number = std::atoi(settings.c_str() + marker + 8);
        ASSERT_TRUE(number >= 0 && number < kKillFiles) << name;
        ++seen[static_cast<size_t>(number)];
        bool oldName = name == Numbered("r", number) + ".rec";
        bool newName = number % 10 == 0 ? TakesTheSharedName(name) : name == Numbered("new", number) + ".rec";
        EXPECT_TRUE(oldName || newName) << name << " holds file " << number;
    }
    EXPECT_EQ(std::vector<int>(kKillFiles, 1), seen);
    EXPECT_LE(FilesIn(temporary).size(), 1u);
}

// Renamed files seen before the kill.
INSTANTIATE_TEST_SUITE_P(Moments, BatchRenameKill, testing::Values(0, 1, 3, 10, 33, 66, 100, 133, 166, 190),
                         [](const testing::TestParamInfo<int>& info) {
                             return "After" + std::to_string(info.param);
                         });

}
