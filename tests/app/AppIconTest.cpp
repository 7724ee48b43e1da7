// Icon 128 is our own drawing, loaded at the large and the small icon size.

#include "app/AppResources.h"
#include "app/ResourceIds.h"
#include "views/win/Win32.h"
#include "views/win/resources/Resources.h"

#include <gtest/gtest.h>

TEST(AppIconTest, LoadsAtBothSystemSizesAndDrawsTheBoardWithATransparentMargin) {
    RegisterAppResources();
    for (const int metric : {SM_CXICON, SM_CXSMICON}) {
        const int size = GetSystemMetrics(metric);
        auto icon = static_cast<HICON>(LoadImage(
            GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        const auto image = kwin::IconImage(icon);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->Width(), size);
        EXPECT_EQ(image->Height(), size);
        EXPECT_EQ(image->PixelRow(size / 2)[size / 2] >> 24, 0xFFu) << "board is opaque";
        // Drawn over black: the margin shows what was there.
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(dc, size, size);
        HGDIOBJ old = SelectObject(dc, bmp);
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << size;
        if (metric == SM_CXICON) { // 32 pixels
            EXPECT_EQ(GetPixel(dc, 7, 15), RGB(220, 240, 255)) << "the selected cell's row";
            EXPECT_EQ(GetPixel(dc, 7, 7), RGB(255, 255, 240)) << "an ordinary cell";
        }
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        EXPECT_TRUE(DestroyIcon(icon));
    }
    EXPECT_EQ(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(999), IMAGE_ICON, 32, 32, 0),
              nullptr);
}
