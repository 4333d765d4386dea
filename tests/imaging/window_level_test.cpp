// The window-level dialog of the built-in back end, which has no screen: the
// initial window becomes the picture's lookup.
#include <hmigfx/lead_bitmap.h>

#include <gtest/gtest.h>

TEST(WindowLevel, HeadlessTheInitialWindowBecomesTheLookup) {
    CLeadBitmap b;
    ASSERT_EQ(b.Create(201, 1, 8, ORDER_GRAY, TOP_LEFT, nullptr, 0, nullptr, 0), IMGSDK_SUCCESS);
    for (int x = 0; x <= 200; ++x) b.PutPixelColor(0, x, RGB(x, x, x));
    // Values 0-200: centre 100, window 90 to 110, from red to blue.
    ASSERT_EQ(b.WindowLevel(nullptr), IMGSDK_SUCCESS);
    EXPECT_EQ(b.GetPixelColor(0, 90), RGB(255, 0, 0));
    EXPECT_EQ(b.GetPixelColor(0, 100), RGB(128, 0, 128));
    EXPECT_EQ(b.GetPixelColor(0, 110), RGB(0, 0, 255));
    EXPECT_EQ(b.GetPixelColor(0, 200), RGB(0, 0, 255));
    b.Free();

    ASSERT_EQ(b.Create(4, 4, 24, ORDER_BGR, TOP_LEFT, nullptr, 0, nullptr, 0), IMGSDK_SUCCESS);
    EXPECT_EQ(b.WindowLevel(nullptr), IMGSDK_ERROR_BPP_NOT_SUPPORTED);  // a lookup needs a colour table
    b.Free();
}
