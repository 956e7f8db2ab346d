#include "MainWindowTest.h"

#include "ListTestSupport.h"
#include "ReadBackSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using mainwindow::MainWindow;
using listtest::Ids;
using listtest::Names;
using readbacksort::CompareByReadingTheList;
using readbacksort::CompareIds;
using readbacksort::ReadBack;

namespace {

FILETIME Time(WORD year, WORD month, WORD day, WORD hour)
{
    SYSTEMTIME local = {year, month, 0, day, hour, 0, 0, 0};
    SYSTEMTIME utc = {};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME time = {};
    SystemTimeToFileTime(&utc, &time);
    return time;
}

// Rows of mixed case, Japanese names, equal names in two folders, equal times, extensions
// spelled in several ways.
class SortedList : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        std::string own = listtest::TestFolderName();
        listtest::MakeFolder(own + "\\two");
        struct File {
            std::string relative;
            FILETIME time;
        };
        const File files[] = {
            {own + "\\b.rec", Time(2004, 5, 1, 10)},
            {own + "\\B.rec", Time(2003, 1, 2, 3)},
            {own + "\\a.REC", Time(2004, 5, 1, 10)},
            {own + "\\裂け目の谷.rec", Time(2002, 12, 31, 23)},
            {own + "\\山田_vs_ｶﾅ.RCX", Time(2004, 5, 1, 9)},
            {own + "\\_x.Rec", Time(2003, 1, 2, 3)},
            {own + "\\same.rcx", Time(2001, 7, 7, 7)},
            {own + "\\two\\same.rcx", Time(2001, 7, 7, 7)},
            {own + "\\Z.rec", Time(2005, 2, 3, 4)},
            {own + "\\録画.rec", Time(2003, 1, 2, 3)},
        };
        for (const File& file : files) {
            std::string path = listtest::MakeFile(file.relative, "");
            HANDLE handle = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
            SetFileTime(handle, nullptr, nullptr, &file.time);
            CloseHandle(handle);
            mainWnd.AddRecordFile(path);
        }
        ASSERT_EQ(10, mainWnd.list.GetItemCount());
    }
    void ClickColumn(int column)
    {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = mainWnd.list.window;
        click.hdr.idFrom = 100;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(mainWnd.window, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click));
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (const listtest::Row& row : listtest::Rows(mainWnd.list))
            texts.push_back(column == 0 ? row.name : column == 1 ? row.time : row.type);
        return texts;
    }
    void RestoreTheOrderOfAddition()
    {
        mainWnd.list.SendMsg(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareIds));
    }
};

struct OrderCase {
    const char* name;
    int column;
    int clicks;
};

class SortOrder : public SortedList, public ::testing::WithParamInterface<OrderCase> {};

}

TEST_P(SortOrder, IsTheOrderOfTheRowsOwnTexts)
{
    const OrderCase& c = GetParam();
    for (int i = 0; i < c.clicks; ++i)
        ClickColumn(c.column);
    std::vector<LPARAM> sorted = Ids(mainWnd.list);
    ReadBack readBack = {mainWnd.list.window, c.column, c.clicks % 2 == 1 ? 1 : 2};
    RestoreTheOrderOfAddition();
    ASSERT_EQ((std::vector<LPARAM>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), Ids(mainWnd.list));
    // The same number of sorts from the same order, each by reading the list back.
    for (int i = 0; i < c.clicks; ++i) {
        readBack.direction = i % 2 == 0 ? 1 : 2;
        mainWnd.list.SendMsg(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&readBack),
                             reinterpret_cast<LPARAM>(&CompareByReadingTheList));
    }
    EXPECT_EQ(Ids(mainWnd.list), sorted);
}

INSTANTIATE_TEST_SUITE_P(Columns, SortOrder,
                         ::testing::Values(OrderCase{"NameAscending", 0, 1},
                                           OrderCase{"NameDescending", 0, 2},
                                           OrderCase{"NameAscendingAgain", 0, 3},
                                           OrderCase{"TimeAscending", 1, 1},
                                           OrderCase{"TimeDescending", 1, 2},
                                           OrderCase{"TypeAscending", 2, 1},
                                           OrderCase{"TypeDescending", 2, 2}),
                         [](const ::testing::TestParamInfo<OrderCase>& info) {
                             return info.param.name;
                         });

TEST_F(SortedList, NamesSortByTheirBytesUpperCaseFirst)
{
    ClickColumn(0);
    // 山 is 0x8E 0x52, 裂 0x97 0xF4, 録 0x98 0x5E.
    EXPECT_EQ((std::vector<std::string>{"B.rec", "Z.rec", "_x.Rec", "a.REC", "b.rec", "same.rcx",
                                        "same.rcx", "山田_vs_ｶﾅ.RCX", "裂け目の谷.rec", "録画.rec"}),
              Names(mainWnd.list));
    ClickColumn(0);
    EXPECT_EQ((std::vector<std::string>{"録画.rec", "裂け目の谷.rec", "山田_vs_ｶﾅ.RCX", "same.rcx",
                                        "same.rcx", "b.rec", "a.REC", "_x.Rec", "Z.rec", "B.rec"}),
              Names(mainWnd.list));
}

TEST_F(SortedList, TimesSortChronologically)
{
    ClickColumn(1);
    std::vector<std::string> times = Column(1);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_EQ("2001/07/07 07:00:00", times.front());
    EXPECT_EQ("2005/02/03 04:00:00", times.back());
    ClickColumn(1);
    EXPECT_EQ("2005/02/03 04:00:00", Column(1).front());
}

TEST_F(SortedList, EachColumnHasItsOwnDirection)
{
    ClickColumn(0);
    ClickColumn(0);
    EXPECT_EQ(2, mainWnd.sortDirections[0]);
    ClickColumn(2);
    EXPECT_EQ(1, mainWnd.sortDirections[2]);
    EXPECT_EQ((std::vector<std::string>{"RCX", "REC", "Rec", "rcx", "rcx", "rec", "rec", "rec",
                                        "rec", "rec"}),
              Column(2));
    ClickColumn(0);
    EXPECT_EQ(1, mainWnd.sortDirections[0]);
    EXPECT_EQ("B.rec", Names(mainWnd.list).front());
    EXPECT_EQ(0, mainWnd.sortDirections[1]);
}

TEST_F(SortedList, TheDirectionsOutliveClearingTheList)
{
    ClickColumn(0);
    mainWnd.ClearAll();
    EXPECT_EQ(1, mainWnd.sortDirections[0]);
}

TEST_F(SortedList, NotificationsOfOtherControlsAreIgnored)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = mainWnd.tree.window;
    click.hdr.idFrom = 101;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 0;
    EXPECT_EQ(0, SendMessageA(mainWnd.window, WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&click)));
    EXPECT_EQ((std::vector<LPARAM>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), Ids(mainWnd.list));
    EXPECT_EQ(0, mainWnd.sortDirections[0]);
}

TEST_F(SortedList, AClickOnAColumnHeadingSorts)
{
    ShowWindow(mainWnd.window, SW_SHOW);
    SetForegroundWindow(mainWnd.window);
    UpdateWindow(mainWnd.window);
    HWND header = reinterpret_cast<HWND>(mainWnd.list.SendMsg(LVM_GETHEADER, 0, 0));
    RECT heading = {};
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&heading));
    POINT point = {(heading.left + heading.right) / 2, (heading.top + heading.bottom) / 2};
    ClientToScreen(header, &point);
    SetCursorPos(point.x, point.y);
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(2u, SendInput(2, clicks, sizeof(INPUT)));
    for (int i = 0; i < 100 && mainWnd.sortDirections[0] == 0; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
    EXPECT_EQ(1, mainWnd.sortDirections[0]);
    EXPECT_EQ("B.rec", Names(mainWnd.list).front());
}
