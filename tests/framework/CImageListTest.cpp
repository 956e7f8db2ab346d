#include "WindowTestSupport.h"
#include "framework/CImageList.h"
#include "framework/CProgressCtrl.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

struct SizeCase {
    const char* name;
    int width;
    int height;
    int count;
};

std::ostream& operator<<(std::ostream& out, const SizeCase& c)
{
    return out << c.name;
}

class ImageListSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageListSizes, NegativeSizeKeepsTheOldList)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, 2, ILC_COLOR32 | ILC_MASK));
    HIMAGELIST old = images.handle;
    const SizeCase& c = GetParam();
    EXPECT_FALSE(images.Create(c.width, c.height, c.count, ILC_COLOR32));
    EXPECT_EQ(old, images.handle);
    int width = 0;
    int height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(old, &width, &height));
    EXPECT_EQ(16, width);
}

INSTANTIATE_TEST_SUITE_P(Guards, ImageListSizes,
                         ::testing::Values(SizeCase{"Width", -1, 16, 1},
                                           SizeCase{"Height", 16, -1, 1},
                                           SizeCase{"Count", 16, 16, -1}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ImageList, AddMaskedNeedsAListAndABitmap)
{
    CImageList images;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kBitmap));
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(0, images.AddMasked(bitmap, RGB(255, 0, 255)));
    ASSERT_TRUE(images.Create(16, 16, 3, ILC_COLOR32 | ILC_MASK));
    EXPECT_EQ(0, images.AddMasked(nullptr, RGB(255, 0, 255)));
    EXPECT_EQ(0, ImageList_GetImageCount(images.handle));
    EXPECT_EQ(0, images.AddMasked(bitmap, RGB(255, 0, 255)));
    EXPECT_EQ(3, images.AddMasked(bitmap, RGB(255, 0, 255)));
    EXPECT_EQ(6, ImageList_GetImageCount(images.handle));
    EXPECT_TRUE(images.Destroy());
    EXPECT_EQ(nullptr, images.handle);
    EXPECT_FALSE(images.Destroy());
    DeleteObject(bitmap);
}

TEST(ImageList, MaskColourBecomesTransparent)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, 3, ILC_COLOR32 | ILC_MASK));
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kBitmap));
    images.AddMasked(bitmap, RGB(255, 0, 255));
    DeleteObject(bitmap);
    // Draw the first image onto white: the magenta corner shows white, the square blue.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images.handle, 0, dc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 5, 5));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

class ProgressCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(parent));
        ASSERT_TRUE(bar.Create(PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, 0, 0, 0, 200, 20,
                               parent.window, 1007));
    }
    void TearDown() override { parent.Destroy(); }

    int Low() { return static_cast<int>(bar.SendMsg(PBM_GETRANGE, TRUE, 0)); }
    int High() { return static_cast<int>(bar.SendMsg(PBM_GETRANGE, FALSE, 0)); }
    int Pos() { return static_cast<int>(bar.SendMsg(PBM_GETPOS, 0, 0)); }

    CRecordingWindow parent;
    CProgressCtrl bar;
};

TEST_F(ProgressCtrl, RangePositionAndSteps)
{
    bar.SetRange(5, 50);
    EXPECT_EQ(5, Low());
    EXPECT_EQ(50, High());
    bar.SetPos(20);
    EXPECT_EQ(20, Pos());
    bar.SetStep(5);
    bar.StepIt();
    EXPECT_EQ(25, Pos());
}

TEST_F(ProgressCtrl, RangeBeyondSixteenBits)
{
    bar.SetRange(0, 70000);
    EXPECT_EQ(70000, High());
    bar.SetPos(66000);
    EXPECT_EQ(66000, Pos());
}

TEST_F(ProgressCtrl, NegativeValuesAreIgnored)
{
    bar.SetRange(0, 10);
    bar.SetPos(4);
    bar.SetRange(-1, 20);
    bar.SetRange(2, -1);
    bar.SetPos(-3);
    EXPECT_EQ(0, Low());
    EXPECT_EQ(10, High());
    EXPECT_EQ(4, Pos());
}

}
