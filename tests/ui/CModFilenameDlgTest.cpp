#include "ui/CModFilenameDlg.h"

#include "ChildProcess.h"
#include "DialogTemplate.h"
#include "DialogVisitor.h"
#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "RunTestSupport.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using runtest::Exists;
using runtest::FilesIn;
using runtest::Folder;
using runtest::MoveRecorder;

namespace {

TEST(RenameDialogTemplate, Is159AsStored)
{
    const dialogtemplate::Template expected = {
        0x80C808C0, 187, 51, "名前の変更", 9, "ＭＳ Ｐゴシック",
        {{0x50810080, 7, 7, 173, 15, IDC_RENAME_EDIT, "Edit", ""},
         {0x50010001, 7, 30, 50, 14, IDOK, "Button", "OK(&O)"},
         {0x50010000, 68, 30, 50, 14, IDC_RENAME_SKIP, "Button", "スキップ(&S)"},
         {0x50010000, 130, 30, 50, 14, IDCANCEL, "Button", "キャンセル(&C)"}}};
    EXPECT_EQ(expected, dialogtemplate::Load(IDD_RENAME));
}

std::string EditText(HWND dialog)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, IDC_RENAME_EDIT, text, sizeof(text));
    return text;
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// One rename dialog over a file of its own folder.
class RenameDialog : public testing::Test {
protected:
    void Open(const std::string& name, const std::string& fileName)
    {
        folderName = "Dialog" + name;
        folder = Folder(folderName);
        path = folder + fileName;
        testfiles::Write(folderName + "\\" + fileName, "x");
        ASSERT_TRUE(record.Load(path)) << path;
    }
    INT_PTR Run(std::function<void(HWND)> visit)
    {
        DialogVisitor visitor("名前の変更", std::move(visit));
        INT_PTR result = dialog.DoModal(nullptr, IDD_RENAME);
        EXPECT_EQ(1, visitor.visits);
        return result;
    }

    MessageBoxRecorder boxes;
    std::string folderName;
    std::string folder;
    std::string path;
    CRecord record;
    CModFilenameDlg dialog{&record};
};

TEST_F(RenameDialog, ShowsTheNameWithoutExtensionSelectedWithTheFocus)
{
    Open("Opening", "game.v2.rec");
    std::string text;
    DWORD start = 1, end = 0;
    bool focused = false;
    Run([&](HWND window) {
        text = EditText(window);
        SendDlgItemMessageA(window, IDC_RENAME_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        focused = GetFocus() == GetDlgItem(window, IDC_RENAME_EDIT);
        Click(window, IDCANCEL);
    });
    EXPECT_EQ("game.v2", text);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(7u, end);
    EXPECT_TRUE(focused);
    EXPECT_EQ("game.v2", dialog.initialName);
}

struct EndCase {
    const char* name;
    void (*act)(HWND dialog);
    INT_PTR result;
};

class RenameDialogEnd : public RenameDialog, public testing::WithParamInterface<EndCase> {};

// Nothing is renamed and nothing is kept for the row.
TEST_P(RenameDialogEnd, EndsWithItsResult)
{
    Open(GetParam().name, "a.rec");
    EXPECT_EQ(GetParam().result, Run([](HWND window) {
                  SetDlgItemTextA(window, IDC_RENAME_EDIT, "b");
                  GetParam().act(window);
              }));
    EXPECT_EQ(std::vector<std::string>{"a.rec"}, FilesIn(folder));
    EXPECT_EQ("", dialog.newName);
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RenameDialogEnd,
    testing::Values(EndCase{"Skip", [](HWND window) { Click(window, IDC_RENAME_SKIP); }, CModFilenameDlg::kSkipped},
                    EndCase{"Cancel", [](HWND window) { Click(window, IDCANCEL); }, CModFilenameDlg::kStopped},
                    EndCase{"Escape",
                            [](HWND window) {
                                PostMessageA(GetDlgItem(window, IDC_RENAME_EDIT), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                            },
                            CModFilenameDlg::kStopped},
                    EndCase{"CloseBox", [](HWND window) { SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); },
                            CModFilenameDlg::kStopped}),
    [](const testing::TestParamInfo<EndCase>& info) { return info.param.name; });

struct OkCase {
    const char* name;
    const char* oldName;
    std::vector<std::string> others;  // other files in the folder
    std::string typed;
    // The result of OK; -1 when the dialog stays open (it is then cancelled).
    INT_PTR result;
    std::string newName;
    std::string box;                 // the error box's text, empty for none
    std::vector<std::string> files;  // the folder afterwards
    // Whether the file system is asked to move the file: a name that the program itself must
    // refuse never reaches it, whatever the file system would have done.
    bool moveAsked;
};

class RenameDialogOk : public RenameDialog, public testing::WithParamInterface<OkCase> {};

TEST_P(RenameDialogOk, RenamesOnTheSpotOrStaysOpen)
{
    const OkCase& c = GetParam();
    Open(c.name, c.oldName);
    for (const std::string& other : c.others) {
        if (size_t separator = other.find('\\'); separator != std::string::npos)
            CreateDirectoryA((folder + other.substr(0, separator)).c_str(), nullptr);
        ASSERT_FALSE(testfiles::Write(folderName + "\\" + other, "other").empty());
        ASSERT_TRUE(Exists(folder + other));
    }
    INT_PTR okResult = -2;
    MoveRecorder recorder;
    ASSERT_NE(nullptr, recorder.patch.slot);
    INT_PTR result = Run([&](HWND window) {
        SetDlgItemTextA(window, IDC_RENAME_EDIT, c.typed.c_str());
        okResult = dialog.OnOK();
        if (okResult >= 0) {
            dialog.EndDialog(okResult);
            return;
        }
        // Still open, the text selected for another try.
        DWORD start = 1, end = 0;
        SendDlgItemMessageA(window, IDC_RENAME_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        if (c.typed.find_first_not_of(' ') == std::string::npos) {
            EXPECT_EQ(0u, start);
            EXPECT_EQ(c.typed.size(), end);
            EXPECT_EQ(GetDlgItem(window, IDC_RENAME_EDIT), GetFocus());
        }
        Click(window, IDCANCEL);
    });
    EXPECT_EQ(c.result, okResult);
    EXPECT_EQ(c.result < 0 ? INT_PTR{CModFilenameDlg::kStopped} : c.result, result);
    EXPECT_EQ(c.newName, dialog.newName);
    std::vector<std::pair<std::string, std::string>> moves;
    if (c.moveAsked)
        moves.emplace_back(path, folder + c.newName);
    EXPECT_EQ(moves, recorder.moves);
    if (c.box.empty()) {
        EXPECT_TRUE(boxes.boxes.empty());
    } else {
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(c.box, boxes.boxes[0].text);
        EXPECT_EQ("エラー", boxes.boxes[0].caption);
        EXPECT_EQ(0x10030u, boxes.boxes[0].flags);
    }
    EXPECT_EQ(c.files, FilesIn(folder));
    if (Exists(folder + "sub")) {
        EXPECT_EQ(std::vector<std::string>{"keep.txt"}, FilesIn(folder + "sub\\"));
    }
    if (c.result == CModFilenameDlg::kRenamed) {
        EXPECT_EQ(folder + c.newName, record.path);
        EXPECT_EQ(c.newName, record.fileName);
    } else {
        EXPECT_EQ(path, record.path);
    }
}

const char kEmpty[] = "ファイル名が入力されていません。";
const char kFailed[] = "名前の変更に失敗しました。";

INSTANTIATE_TEST_SUITE_P(
    Names, RenameDialogOk,
    testing::Values(
        OkCase{"NewName", "game.rec", {}, "game2", 0, "game2.rec", "", {"game2.rec"}, true},
        OkCase{"BlanksAroundTrimmed", "a.rec", {}, "  b c  ", 0, "b c.rec", "", {"b c.rec"}, true},
        OkCase{"ExtensionKeptAsSpelled", "a.RCX", {}, "b", 0, "b.RCX", "", {"b.RCX"}, true},
        OkCase{"JapaneseName", "a.rec", {}, "\x91\xce\x90\xed", 0, "\x91\xce\x90\xed.rec", "", {"\x91\xce\x90\xed.rec"}, true},
        OkCase{"UnchangedIsASkip", "same.rec", {}, "same", 1, "", "", {"same.rec"}, false},
        OkCase{"UnchangedWithBlanksIsASkip", "same.rec", {}, " same ", 1, "", "", {"same.rec"}, false},
        OkCase{"Empty", "a.rec", {}, "", -1, "", kEmpty, {"a.rec"}, false},
        OkCase{"BlanksOnly", "a.rec", {}, "   ", -1, "", kEmpty, {"a.rec"}, false},
        OkCase{"NameOfAnotherFile", "a.rec", {"b.rec"}, "b", -1, "b.rec", kFailed, {"a.rec", "b.rec"}, true},
        OkCase{"CharacterFileNamesCannotHold", "a.rec", {}, "a?b", -1, "a?b.rec", kFailed, {"a.rec"}, true},
        // A folder or a drive in the name would move the file elsewhere.
        OkCase{"IntoAFolder", "a.rec", {"sub\\keep.txt"}, "sub\\b", -1, "sub\\b.rec", kFailed, {"a.rec"}, false},
        OkCase{"IntoTheParentFolder", "a.rec", {}, "..\\b", -1, "..\\b.rec", kFailed, {"a.rec"}, false},
        OkCase{"WithADrive", "a.rec", {}, "C:b", -1, "C:b.rec", kFailed, {"a.rec"}, false},
        // A device's name, and a name whose trailing dot Windows would drop.
        OkCase{"DeviceName", "a.rec", {}, "con", -1, "con.rec", kFailed, {"a.rec"}, false},
        OkCase{"DeviceNameWithExtension", "a.rec", {}, "LPT1.x", -1, "LPT1.x.rec", kFailed, {"a.rec"}, false},
        OkCase{"TrailingDot", "a.rec", {}, "b.", -1, "b..rec", kFailed, {"a.rec"}, false}),
    [](const testing::TestParamInfo<OkCase>& info) { return info.param.name; });

// A change of letter case is a change: the file is moved to the new name. Windows renames it;
// Wine reports success and leaves the name on disk as it was, so the move asked for tells.
TEST_F(RenameDialog, ALetterCaseChangeIsARename)
{
    Open("LetterCase", "game.rec");
    MoveRecorder recorder;
    ASSERT_NE(nullptr, recorder.patch.slot);
    INT_PTR result = Run([](HWND window) {
        SetDlgItemTextA(window, IDC_RENAME_EDIT, "GAME");
        Click(window, IDOK);
    });
    EXPECT_EQ(CModFilenameDlg::kRenamed, result);
    EXPECT_EQ("GAME.rec", dialog.newName);
    EXPECT_EQ(folder + "GAME.rec", record.path);
    std::vector<std::string> expected = {childprocess::UnderWine() ? "game.rec" : "GAME.rec"};
    EXPECT_EQ(expected, FilesIn(folder));
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{path, folder + "GAME.rec"}}), recorder.moves);
    EXPECT_TRUE(boxes.boxes.empty());
}

}
