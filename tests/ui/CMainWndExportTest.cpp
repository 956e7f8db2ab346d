// File > Export > XML: the selected rows' settings in one file, under the progress dialog.
#include "RunTestSupport.h"

#include "ImportPatch.h"
#include "RecordFixtures.h"
#include "framework/Shell.h"
#include "options/CExportDocument.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

using runtest::Exists;
using runtest::ProgressRecorder;
using runtest::SaveDialogAnswer;

namespace {

// Line feeds as a text-mode stream writes them on Windows.
std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

int Count(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

const char kBadSettings[] = "<GameSettings><MapName>x &amp y</MapName></GameSettings>";

class ExportCommand : public runtest::RunWindow {
protected:
    void SetUp() override
    {
        RunWindow::SetUp();
        boxes.answer = IDYES;
    }
    // Rows for the sample records copied into a folder of the test's own: castle-duel.rec,
    // four-kingdoms.rcx, nihon-teams.rec, or a record whose settings are not well-formed
    // ("bad.rec"), or a file that is no record at all ("junk.rec").
    void Rows(const std::string& name, const std::vector<std::string>& files)
    {
        folderName = "Export" + name;
        folder = runtest::Folder(folderName);
        for (const std::string& file : files) {
            std::string path = folderName + "\\" + file;
            if (file == "bad.rec")
                AddRow(fixtures::WriteRecord(path, kBadSettings));
            else if (file == "junk.rec")
                AddRow(testfiles::Write(path, "not a recorded game"));
            else
                AddRow(testfiles::Write(path, testfiles::Read(testfiles::SourcePath("samples/" + file))));
        }
    }
    // The export file that the given rows' records make, as the command must write it.
    std::string Expected(const std::vector<int>& rows)
    {
        CExportDocument document;
        for (int row : rows)
            document.Add(RecordOfRow(row), mainWnd.data.option);
        return WithCrLf(document.ToString());
    }

    std::string folderName;
    std::string folder;
};

TEST_F(ExportCommand, TwoRowsInListOrder)
{
    Rows("Two", {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"});
    Select({2, 0});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress;
    Command(ID_EXPORT_XML);

    std::string written = testfiles::Read(path);
    EXPECT_EQ(Expected({0, 2}), written);
    EXPECT_EQ(0u, written.find("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Kar Version=\"1.0\">\r\n"
                               "\t<RecordedFiles>\r\n\t\t<RecordedFile Name=\"castle-duel.rec\" LastWriteTime=\"" +
                               RecordOfRow(0).timeText + "\">\r\n"));
    EXPECT_LT(written.find("Name=\"castle-duel.rec\""), written.find("Name=\"nihon-teams.rec\""));
    EXPECT_EQ(std::string::npos, written.find("four-kingdoms"));
    EXPECT_EQ(2, Count(written, "<開始日時>\r\n"));
    EXPECT_NE(std::string::npos, written.find("<開始日時>\r\n\t\t\t\t\t2003/11/03 05:40:07\r\n"));

    EXPECT_EQ(1, save.visitor.visits);
    std::string documents = GetSpecialFolderPath(CSIDL_PERSONAL);
    EXPECT_EQ(documents.substr(0, documents.find_last_not_of('\\') + 1), save.folder);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("2 個のファイル内容を以下に出力します。\r\nよろしいですか？\r\n\r\n" + path, boxes.boxes[0].text);
    EXPECT_EQ("確認", boxes.boxes[0].caption);
    EXPECT_EQ(0x10024u, boxes.boxes[0].flags);
    EXPECT_EQ(mainWnd.window, boxes.boxes[0].owner);

    ASSERT_EQ(2u, progress.steps.size());
    EXPECT_EQ("処理中... (1 / 2)", progress.steps[0].first);
    EXPECT_EQ("castle-duel.rec", progress.steps[0].second);
    EXPECT_EQ("処理中... (2 / 2)", progress.steps[1].first);
    EXPECT_EQ("nihon-teams.rec", progress.steps[1].second);
    EXPECT_EQ(2, progress.steps[1].position);
    EXPECT_EQ(2, progress.steps[1].high);
    ExpectRunUnderTheMainWindow(progress);
    EXPECT_EQ(mainWnd.list.window, GetFocus());
}

// File > Export > XML, chosen with the keys.
TEST_F(ExportCommand, TheFileMenuStartsIt)
{
    Rows("Menu", {"castle-duel.rec", "four-kingdoms.rcx"});
    Select({1});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ChooseFromMenu("fex");
    EXPECT_EQ(1, save.visitor.visits);
    EXPECT_EQ(Expected({1}), testfiles::Read(path));
}

// The Cancel that the message let through after the first record brings is seen after the
// second: what was gathered until then is written.
TEST_F(ExportCommand, CancelAfterTheFirstOfThreeLeavesTwo)
{
    Rows("Cancel", {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"});
    Select({0, 1, 2});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress([](int step, HWND dialog) {
        if (step == 1)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0, 1}), testfiles::Read(path));
    // The second step falls on the closed dialog.
    EXPECT_EQ(1u, progress.steps.size());
    EXPECT_TRUE(IsWindowEnabled(mainWnd.window));
    EXPECT_EQ(nullptr, mainWnd.progress.window);
}

// The run goes on past a record that cannot be read and tells about it once, at its end.
TEST_F(ExportCommand, RecordsThatCannotBeReadAreToldAtTheEnd)
{
    Rows("Unreadable", {"castle-duel.rec", "bad.rec", "junk.rec", "four-kingdoms.rcx"});
    Select({0, 1, 2, 3});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress;
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0, 3}), testfiles::Read(path));
    ASSERT_EQ(2u, boxes.boxes.size());
    const std::string& text = boxes.boxes[1].text;
    EXPECT_EQ(0u, text.find("2 個のファイルを処理できませんでした。\r\n\r\nbad.rec\r\nエラー場所："));
    EXPECT_NE(std::string::npos, text.find("\r\njunk.rec\r\n" + RecordOfRow(2).GetMessageText()));
    EXPECT_NE(std::string::npos, text.find("Unpack Error"));
    EXPECT_EQ("エラー", boxes.boxes[1].caption);
    EXPECT_EQ(mainWnd.window, boxes.boxes[1].owner);
    ASSERT_EQ(4u, progress.steps.size());
    EXPECT_EQ(4, progress.steps[3].position);
    EXPECT_EQ(4, progress.steps[3].high);
}

TEST_F(ExportCommand, WithoutSelectedRowsNothingHappens)
{
    Rows("None", {"castle-duel.rec"});
    Select({});
    SaveDialogAnswer save(folder + "out.xml");
    Command(ID_EXPORT_XML);
    EXPECT_EQ(0, save.visitor.visits);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(Exists(folder + "out.xml"));
}

TEST_F(ExportCommand, ACancelledSaveDialogWritesNothing)
{
    Rows("SaveCancelled", {"castle-duel.rec"});
    Select({0});
    SaveDialogAnswer save("");
    ProgressRecorder progress;
    Command(ID_EXPORT_XML);
    EXPECT_EQ(1, save.visitor.visits);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ(std::vector<std::string>{"castle-duel.rec"}, runtest::FilesIn(folder));
}

TEST_F(ExportCommand, NoToTheQuestionWritesNothing)
{
    Rows("No", {"castle-duel.rec"});
    Select({0});
    boxes.answer = IDNO;
    SaveDialogAnswer save(folder + "out.xml");
    ProgressRecorder progress;
    Command(ID_EXPORT_XML);
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_FALSE(Exists(folder + "out.xml"));
}

// The save dialog asks before an existing file is replaced.
TEST_F(ExportCommand, AnExistingFileIsReplacedAfterTheDialogsQuestion)
{
    Rows("Replace", {"castle-duel.rec"});
    Select({0});
    std::string path = testfiles::Write(folderName + "\\out.xml", "old content");
    SaveDialogAnswer save(path);
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0}), testfiles::Read(path));
    ASSERT_EQ(2u, boxes.boxes.size());
    // The dialog's own question, owned by the dialog.
    EXPECT_NE(mainWnd.window, boxes.boxes[0].owner);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.boxes[0].flags & MB_TYPEMASK);
    EXPECT_EQ(0u, boxes.boxes[1].text.find("1 個のファイル内容を以下に出力します。"));
}

// The dialog adds the extension of the chosen filter before its default extension ("txt").
TEST_F(ExportCommand, ANameWithoutExtensionGetsTheFiltersOne)
{
    Rows("Extension", {"castle-duel.rec"});
    Select({0});
    SaveDialogAnswer save(folder + "out");
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0}), testfiles::Read(folder + "out.xml"));
}

TEST_F(ExportCommand, AFileThatCannotBeWrittenIsTold)
{
    Rows("Held", {"castle-duel.rec"});
    Select({0});
    std::string path = testfiles::Write(folderName + "\\out.xml", "old content");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SaveDialogAnswer save(path);
    Command(ID_EXPORT_XML);
    CloseHandle(held);
    ASSERT_EQ(3u, boxes.boxes.size());
    EXPECT_EQ("ファイルの書き込みに失敗しました。\r\n" + path, boxes.boxes[2].text);
    EXPECT_EQ("エラー", boxes.boxes[2].caption);
    EXPECT_EQ("old content", testfiles::Read(path));
    EXPECT_EQ((std::vector<std::string>{"castle-duel.rec", "out.xml"}), runtest::FilesIn(folder));
}

// Commands that reach the disabled main window during the run start nothing.
TEST_F(ExportCommand, CommandsDuringTheRunStartNothing)
{
    Rows("Commands", {"castle-duel.rec", "four-kingdoms.rcx"});
    Select({0, 1});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            for (UINT command : {ID_EXPORT_XML, ID_EDIT_BATCH_RENAME, ID_EDIT_RENAME, ID_FILE_EXIT})
                SendMessageA(mainWnd.window, WM_COMMAND, command, 0);
        }
    });
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0, 1}), testfiles::Read(path));
    EXPECT_EQ(1, save.visitor.visits);
    EXPECT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(2u, progress.steps.size());
    EXPECT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ(std::vector<std::string>({"castle-duel.rec", "four-kingdoms.rcx", "out.xml"}), runtest::FilesIn(folder));
}


// Closing the window during the run (another program may send the close to the disabled window)
// is refused: the run goes to its end and writes the whole file. The progress dialog is the way
// to stop; once the run is over the window closes again.
TEST_F(ExportCommand, ClosingTheWindowDuringTheRunIsRefused)
{
    Rows("Close", {"castle-duel.rec", "four-kingdoms.rcx"});
    Select({0, 1});
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1) {
            SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
            SendMessageA(mainWnd.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    });
    Command(ID_EXPORT_XML);
    ASSERT_TRUE(IsWindow(mainWnd.window));
    EXPECT_EQ(Expected({0, 1}), testfiles::Read(path));
    EXPECT_EQ(2u, progress.steps.size());
    EXPECT_EQ(1u, boxes.boxes.size());
    SendMessageA(mainWnd.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(nullptr, mainWnd.window);
}

class ExportSessionEnd : public ExportCommand, public testing::WithParamInterface<runtest::SessionCase> {};

// The end of the session stops the run: nothing is written, an existing file under the chosen
// name keeps what it held, no other file is left beside it, and no box waits for anyone. A
// session that goes on after the question leaves the run to its end, which writes the file.
TEST_P(ExportSessionEnd, StopsTheRunAndWritesNothing)
{
    Rows(GetParam().name, {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"});
    Select({0, 1, 2});
    std::string path = testfiles::Write(folderName + "\\out.xml", "old content");
    SaveDialogAnswer save(path);
    LRESULT allowed = -1;
    ProgressRecorder progress([&](int step, HWND) {
        if (step == 1)
            allowed = GetParam().Send(mainWnd.window);
    });
    Command(ID_EXPORT_XML);
    if (GetParam().query) {
        EXPECT_EQ(TRUE, allowed);
    }
    EXPECT_EQ(GetParam().Stops() ? "old content" : Expected({0, 1, 2}), testfiles::Read(path));
    EXPECT_EQ((std::vector<std::string>{"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec", "out.xml"}),
              runtest::FilesIn(folder));
    EXPECT_EQ(GetParam().Stops() ? 1u : 3u, progress.steps.size());
    // The save dialog's question about the existing file, and the command's own.
    EXPECT_EQ(2u, boxes.boxes.size());
    EXPECT_EQ(nullptr, mainWnd.progress.window);
}

INSTANTIATE_TEST_SUITE_P(Messages, ExportSessionEnd, testing::ValuesIn(runtest::SessionCases()),
                         runtest::SessionCaseName);

// With the dialog's own interval and records that each take longer than it to read, the dialog
// shows each record's own lines while it is read, and every step that it shows carries the
// number and the name of its own record.
TEST_F(ExportCommand, EveryRowShowsItsOwnLinesWithTheDialogsOwnInterval)
{
    const std::vector<std::string> names = {"castle-duel.rec", "four-kingdoms.rcx", "nihon-teams.rec"};
    Rows("OwnLines", names);
    Select({0, 1, 2});
    mainWnd.progress.updateInterval = CProgressDlg().updateInterval;
    std::string path = folder + "out.xml";
    SaveDialogAnswer save(path);
    ProgressRecorder progress;
    std::vector<runtest::SlowFiles::Look> looks;
    {
        runtest::TestClock clock;
        runtest::SlowFiles slow(clock, mainWnd.progress.updateInterval + 1, mainWnd.progress);
        Command(ID_EXPORT_XML);
        looks = slow.looks;
    }
    EXPECT_EQ(Expected({0, 1, 2}), testfiles::Read(path));
    ASSERT_EQ(3u, looks.size());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(names[i], looks[i].name);
        EXPECT_TRUE(looks[i].shown);
        EXPECT_EQ(runtest::RunLine("処理中...", i + 1, 3), looks[i].first);
        EXPECT_EQ(names[i], looks[i].second);
        EXPECT_EQ(i, looks[i].position);
    }
    ASSERT_EQ(3u, progress.steps.size());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(i + 1, progress.steps[i].position);
        EXPECT_EQ(runtest::RunLine("処理中...", i + 1, 3), progress.steps[i].first);
        EXPECT_EQ(names[i], progress.steps[i].second);
    }
}

// A folder of 247 to 259 bytes, which the save dialog takes, is too long for the system's own
// temporary names: the file is written all the same.
TEST_F(ExportCommand, AFolderTooLongForTheSystemsTemporaryNamesIsWritten)
{
    Rows("LongFolder", {"castle-duel.rec"});
    Select({0});
    std::string longFolder = folder + std::string(250 - folder.size(), 'f');
    ASSERT_TRUE(std::filesystem::create_directory(longFolder));
    std::string path = longFolder + "\\out.xml";
    SaveDialogAnswer save(path);
    Command(ID_EXPORT_XML);
    EXPECT_EQ(Expected({0}), testfiles::Read(path));
    EXPECT_EQ(std::vector<std::string>{"out.xml"}, runtest::FilesIn(longFolder + "\\"));
    EXPECT_EQ(1u, boxes.boxes.size());
}

// A disk that fills up: each write puts down half of what it is given and fails.
ImportPatch* diskFull = nullptr;

int __cdecl WriteHalfThenFail(int descriptor, const void* bytes, unsigned int count)
{
    diskFull->Original<int(__cdecl*)(int, const void*, unsigned int)>()(descriptor, bytes, count / 2);
    errno = ENOSPC;
    return -1;
}

// The file is written beside the chosen one and takes its place only when it is whole: a write
// that fails half-way leaves an existing file as it was, and nothing beside it.
TEST_F(ExportCommand, AWriteThatFailsHalfWayLeavesTheFileAsItWas)
{
    Rows("DiskFull", {"castle-duel.rec", "four-kingdoms.rcx"});
    Select({0, 1});
    std::string path = testfiles::Write(folderName + "\\out.xml", "old content");
    SaveDialogAnswer save(path);
    {
        ImportPatch patch("msvcrt.dll", "_write", reinterpret_cast<const void*>(&WriteHalfThenFail));
        ASSERT_NE(nullptr, patch.slot);
        diskFull = &patch;
        Command(ID_EXPORT_XML);
        diskFull = nullptr;
    }
    EXPECT_EQ("old content", testfiles::Read(path));
    EXPECT_EQ((std::vector<std::string>{"castle-duel.rec", "four-kingdoms.rcx", "out.xml"}), runtest::FilesIn(folder));
    ASSERT_EQ(3u, boxes.boxes.size());
    EXPECT_EQ("ファイルの書き込みに失敗しました。\r\n" + path, boxes.boxes[2].text);
}
}
