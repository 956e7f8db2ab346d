#include "ui/CAboutDlg.h"
#include "ui/COSVersion.h"
#include "ui/CVersionInfo.h"

#include "ChildProcess.h"
#include "DialogVisitor.h"
#include "MainWindowTest.h"
#include "record/InstallationRegistry.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using mainwindow::ClipboardText;
using mainwindow::MainWindow;
using mainwindow::SetClipboardText;

namespace {

const char kNotInstalled[] = "インストールされていません";

struct Row {
    std::string name;
    std::string value;
    bool operator==(const Row& other) const { return name == other.name && value == other.value; }
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << row.name << " = " << row.value;
}

// What the dialog showed.
struct AboutSeen {
    std::string caption;
    std::string product;
    std::string version;
    std::vector<Row> rows;
    std::vector<std::string> headings;
    std::vector<int> widths;
    int listWidth = 0;
    DWORD extendedStyle = 0;
    bool hasIcon = false;
    HWND focus = nullptr;
    HWND okButton = nullptr;
};

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

AboutSeen ReadAbout(HWND dialog)
{
    AboutSeen seen;
    seen.caption = mainwindow::WindowText(dialog);
    seen.product = mainwindow::WindowText(GetDlgItem(dialog, 1003));
    seen.version = mainwindow::WindowText(GetDlgItem(dialog, 1008));
    HWND list = GetDlgItem(dialog, 1010);
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        seen.rows.push_back({ItemText(list, row, 0), ItemText(list, row, 1)});
    for (int column = 0; column < 2; ++column) {
        char text[32] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
        seen.headings.push_back(text);
        seen.widths.push_back(info.cx);
    }
    RECT client = {};
    GetClientRect(list, &client);
    seen.listWidth = client.right;
    seen.extendedStyle = ListView_GetExtendedListViewStyle(list);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (SendMessageA(child, STM_GETICON, 0, 0))
            seen.hasIcon = true;
    seen.focus = GetFocus();
    seen.okButton = GetDlgItem(dialog, IDOK);
    return seen;
}

// Keys go to the focused control; the dialog's loop turns Enter and Escape into commands.
void PressKey(HWND dialog, WPARAM key)
{
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 0);
}

class AboutDialog : public MainWindow {
protected:
    void SetUp() override
    {
        installation::RemoveAll();
        MainWindow::SetUp();
    }
    void TearDown() override
    {
        MainWindow::TearDown();
        installation::RemoveAll();
    }
    // Opens the dialog from the Help menu's command and reads it; finish ends it.
    AboutSeen Open(std::function<void(HWND)> finish = [](HWND dialog) { PressKey(dialog, VK_RETURN); })
    {
        AboutSeen seen;
        DialogVisitor visitor("バージョン情報", [&](HWND dialog) {
            seen = ReadAbout(dialog);
            finish(dialog);
        });
        Command(ID_HELP_ABOUT);
        visits = visitor.visits;
        return seen;
    }
    int visits = 0;
};

}

TEST_F(AboutDialog, ShowsTheProgramAndItsList)
{
    AboutSeen seen = Open();
    ASSERT_EQ(1, visits);
    EXPECT_EQ("バージョン情報", seen.caption);
    EXPECT_EQ("Tallyvane", seen.product);
    EXPECT_EQ("Version 0.12", seen.version);
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_EQ(seen.okButton, seen.focus);
    EXPECT_EQ((std::vector<std::string>{"Name", "Value"}), seen.headings);
    EXPECT_EQ((std::vector<int>{seen.listWidth / 3, 2 * seen.listWidth / 3}), seen.widths);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
              seen.extendedStyle & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(AboutDialog, UnderWineNamesTheSystemAndTheLibraries)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the rows are those of this prefix";
    AboutSeen seen = Open();
    ASSERT_LE(4u, seen.rows.size());
    EXPECT_EQ((Row{"OS", "Microsoft Windows Whistlar Later (6.1.7601 Service Pack 1)"}), seen.rows[0]);
    EXPECT_EQ((Row{"msxml3.dll", "8.110.7601.24402：Wine"}), seen.rows[1]);
    EXPECT_EQ((Row{"comdlg32.dll", "6.00.2900.5512：Wine"}), seen.rows[2]);
    // The version block of the file that the name finds, comctl32 5.81; the manifest's version 6
    // is the one loaded (below).
    EXPECT_EQ((Row{"comctl32.dll", "5.81：Wine"}), seen.rows[3]);
}

struct InstallCase {
    const char* name;
    installation::Values game;
    installation::Values expansion;
    std::vector<Row> rows;
};

class AboutDialogInstall : public AboutDialog, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(AboutDialogInstall, ListsTheGamesValues)
{
    const InstallCase& c = GetParam();
    if (!c.game.empty()) {
        ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, installation::kGameKey, c.game));
    }
    if (!c.expansion.empty()) {
        ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, installation::kExpansionKey, c.expansion));
    }
    AboutSeen seen = Open();
    ASSERT_EQ(4 + c.rows.size(), seen.rows.size());
    EXPECT_EQ(c.rows, std::vector<Row>(seen.rows.begin() + 4, seen.rows.end()));
}

const installation::Values kGame = {{"AppPath", "C:\\Games\\Karthen"},
                                    {"CDPath", "D:\\"},
                                    {"Version", "1.0"},
                                    {"PID", "12345-OEM"}};

INSTANTIATE_TEST_SUITE_P(
    Installations, AboutDialogInstall,
    ::testing::Values(
        InstallCase{"NoGame", {}, {}, {{"Kar：AppPath", kNotInstalled}}},
        InstallCase{"GameOnly", kGame, {},
                    {{"Kar：AppPath", "C:\\Games\\Karthen"},
                     {"Kar：CDPath", "D:\\"},
                     {"Kar：Version", "1.0"},
                     {"Kar：PID", "12345-OEM"},
                     {"Kar Rift：AppPath", kNotInstalled}}},
        InstallCase{"GameWithoutSomeValues", {{"AppPath", "C:\\カーセン"}}, {},
                    {{"Kar：AppPath", "C:\\カーセン"},
                     {"Kar：CDPath", ""},
                     {"Kar：Version", ""},
                     {"Kar：PID", ""},
                     {"Kar Rift：AppPath", kNotInstalled}}},
        InstallCase{"GameAndExpansion", kGame,
                    {{"AppPath", "C:\\Games\\Karthen"}, {"CDPath", "E:\\"}, {"Version", "1.0c"}, {"PID", "999"}},
                    {{"Kar：AppPath", "C:\\Games\\Karthen"},
                     {"Kar：CDPath", "D:\\"},
                     {"Kar：Version", "1.0"},
                     {"Kar：PID", "12345-OEM"},
                     {"Kar Rift：AppPath", "C:\\Games\\Karthen"},
                     {"Kar Rift：CDPath", "E:\\"},
                     {"Kar Rift：Version", "1.0c"},
                     {"Kar Rift：PID", "999"}}},
        InstallCase{"ExpansionWithoutTheGame", {}, {{"AppPath", "C:\\Rift"}}, {{"Kar：AppPath", kNotInstalled}}}),
    [](const ::testing::TestParamInfo<InstallCase>& info) { return info.param.name; });

TEST_F(AboutDialog, EscapeCopiesTheListAndOnlyOkCloses)
{
    ASSERT_TRUE(installation::Put(KEY_WOW64_32KEY, installation::kGameKey, {{"AppPath", "C:\\\"Q\""}}));
    SetClipboardText("before");
    std::string copied;
    bool openAfterEscape = false;
    AboutSeen seen = Open([&](HWND dialog) {
        PressKey(dialog, VK_ESCAPE);
        mainwindow::PumpFor(100);
        copied = ClipboardText();
        openAfterEscape = IsWindowVisible(dialog) != 0;
        PressKey(dialog, VK_RETURN);
    });
    ASSERT_EQ(9u, seen.rows.size());
    std::string expected = "\"Name\",\"Value\"\r\n";
    for (const Row& row : seen.rows)
        expected += "\"" + row.name + "\",\"" + row.value + "\"\r\n";
    EXPECT_EQ(expected, copied);
    EXPECT_NE(std::string::npos, copied.find("\"Kar：AppPath\",\"C:\\\"Q\"\"\r\n"));
    EXPECT_TRUE(openAfterEscape);
}

TEST_F(AboutDialog, TheCopyButtonCopiesAndTheCloseBoxCopiesNothing)
{
    SetClipboardText("before");
    std::string copied;
    Open([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
        copied = ClipboardText();
        SetClipboardText("before");
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(0u, copied.find("\"Name\",\"Value\"\r\n\"OS\","));
    EXPECT_EQ("before", ClipboardText());
}

TEST_F(AboutDialog, DoModalGivesOneForOkAndZeroForTheCloseBox)
{
    struct Ending {
        std::function<void(HWND)> end;
        INT_PTR result;
    };
    const Ending endings[] = {
        {[](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }, 1},
        {[](HWND dialog) { PressKey(dialog, VK_RETURN); }, 1},
        {[](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, 0},
    };
    for (const Ending& ending : endings) {
        CAboutDlg dialog;
        dialog.SetTexts("P", "V");
        DialogVisitor visitor("バージョン情報", ending.end);
        EXPECT_EQ(ending.result, dialog.DoModal(mainWnd.window, IDD_ABOUT));
        EXPECT_EQ(1, visitor.visits);
    }
}

TEST_F(AboutDialog, ATemplateWithoutTheListStillWorks)
{
    // The settings page's template has item 1003 but neither 1008 nor 1010.
    CAboutDlg dialog;
    dialog.SetTexts("P", "V");
    SetClipboardText("before");
    std::string product;
    DialogVisitor visitor("GameSettings", [&](HWND window) {
        product = mainwindow::WindowText(GetDlgItem(window, 1003));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, dialog.DoModal(mainWnd.window, IDD_SETTINGS_PAGE));
    EXPECT_EQ(1, visitor.visits);
    EXPECT_EQ("P", product);
    EXPECT_EQ(nullptr, dialog.list.window);
    EXPECT_EQ("\"Name\",\"Value\"\r\n", ClipboardText());
}

struct SystemCase {
    const char* name;
    DWORD platform;
    DWORD major;
    DWORD minor;
    DWORD build;
    const char* servicePack;
    int code;
};

class SystemDetection : public ::testing::TestWithParam<SystemCase> {};

TEST_P(SystemDetection, GivesTheSystemsCode)
{
    const SystemCase& c = GetParam();
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwPlatformId = c.platform;
    version.dwMajorVersion = c.major;
    version.dwMinorVersion = c.minor;
    version.dwBuildNumber = c.build;
    std::strcpy(version.szCSDVersion, c.servicePack);
    EXPECT_EQ(c.code, COSVersion::Detect(version));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SystemDetection,
    ::testing::Values(
        SystemCase{"Win32s", VER_PLATFORM_WIN32s, 3, 10, 0, "", 1},
        SystemCase{"Windows95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "", 2},
        SystemCase{"Windows95Osr1", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "a", 3},
        SystemCase{"Windows95Osr2", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 1111, "B", 4},
        SystemCase{"Windows95Osr25", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 1212, "C", 5},
        SystemCase{"Windows95OtherLetter", VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "b", 2},
        SystemCase{"Windows98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, "", 6},
        SystemCase{"Windows98HighWordIgnored", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A07CE, "", 6},
        SystemCase{"Windows98SecondEdition", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, "A", 7},
        SystemCase{"WindowsMe", VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, "", 8},
        SystemCase{"WindowsMeLater", VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3001, "", 9},
        SystemCase{"Nt35", VER_PLATFORM_WIN32_NT, 3, 51, 1057, "", 11},
        SystemCase{"Nt4", VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6", 12},
        SystemCase{"Windows2000", VER_PLATFORM_WIN32_NT, 5, 0, 2195, "", 13},
        SystemCase{"WindowsXp", VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 1", 14},
        SystemCase{"WindowsServer2003", VER_PLATFORM_WIN32_NT, 5, 2, 3790, "", 15},
        SystemCase{"Vista", VER_PLATFORM_WIN32_NT, 6, 0, 6002, "", 15},
        SystemCase{"Windows7", VER_PLATFORM_WIN32_NT, 6, 1, 7601, "Service Pack 1", 15},
        SystemCase{"Windows10", VER_PLATFORM_WIN32_NT, 10, 0, 19045, "", 15},
        SystemCase{"NtMajorTwo", VER_PLATFORM_WIN32_NT, 2, 0, 0, "", 15},
        SystemCase{"OtherPlatform", 3, 5, 1, 2600, "", 0}),
    [](const ::testing::TestParamInfo<SystemCase>& info) { return info.param.name; });

TEST(SystemName, FormatsNameVersionAndServicePack)
{
    COSVersion os;
    os.version = {};
    os.version.dwMajorVersion = 5;
    os.version.dwMinorVersion = 1;
    os.version.dwBuildNumber = MAKELONG(2600, 0x0501);
    std::strcpy(os.version.szCSDVersion, "Service Pack 1");
    os.code = 14;
    char name[256];
    std::memset(name, 'x', sizeof(name));
    EXPECT_EQ(1, os.GetOSName(name, sizeof(name)));
    EXPECT_STREQ("Microsoft Windows XP (5.1.2600 Service Pack 1)", name);
    char small[12];
    std::memset(small, 'x', sizeof(small));
    EXPECT_EQ(1, os.GetOSName(small, sizeof(small)));
    EXPECT_STREQ("Microsoft ", small);
    char untouched[4] = "abc";
    EXPECT_EQ(0, os.GetOSName(untouched, 0));
    EXPECT_EQ(0, os.GetOSName(nullptr, 10));
    EXPECT_STREQ("abc", untouched);
}

TEST(SystemName, AnUnreadableVersionIsUnknown)
{
    COSVersion os;
    os.version = {};
    os.code = 0;
    char name[256] = {};
    os.GetOSName(name, sizeof(name));
    EXPECT_STREQ("UnKnown (0.0.0 )", name);
}

TEST(VersionInfo, FilesWithoutABlockGiveNothing)
{
    CVersionInfo info;
    EXPECT_EQ(0, info.Load(""));
    EXPECT_EQ(0, info.Load("Z:\\no\\such\\file.dll"));
    std::string out = "kept";
    EXPECT_FALSE(info.QueryString("ProductName", out));
    EXPECT_EQ("kept", out);
    EXPECT_EQ("", info.GetFileVersion());
}

TEST(VersionInfo, ReadsTheFirstTranslationsStrings)
{
    CVersionInfo info;
    ASSERT_LT(0, info.Load("comdlg32.dll"));
    std::string out = "kept";
    EXPECT_FALSE(info.QueryString("", out));
    EXPECT_FALSE(info.QueryString("NoSuchKey", out));
    EXPECT_EQ("kept", out);
    EXPECT_FALSE(info.GetFileVersion().empty());
    EXPECT_FALSE(info.GetProductName().empty());
}
