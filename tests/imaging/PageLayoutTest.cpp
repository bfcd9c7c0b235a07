// The printed picture's rectangle: H = trunc(ch x dpiY x pageWidth / (cw x dpiX)), worked by hand.
// Fault: rounding instead of truncating, the resolutions swapped, a tall picture off the page, or a
// division by an empty size.
#include "imaging/PageLayout.h"

#include <gtest/gtest.h>

using imaging::PageRect;
using imaging::PictureRectOnPage;

TEST(PageLayout, FillsThePageWidthKeepingTheShapeOnPaper) {
    // A 2:1 window on a printer with equal resolutions: half the page width high.
    EXPECT_EQ(PictureRectOnPage(1200, 600, 4800, 6600, 600, 600), (PageRect{4800, 2400}));
    // Twice the dots per inch down the page as across it: twice as many dots high.
    EXPECT_EQ(PictureRectOnPage(1200, 600, 2400, 6600, 300, 600), (PageRect{2400, 2400}));
    // 2 x 700 / 3 = 466.67...: truncated to 466.
    EXPECT_EQ(PictureRectOnPage(3, 2, 700, 1000, 300, 300), (PageRect{700, 466}));
    // A 1:3 window on a page 1000 x 2000: 3000 high at full width, so scaled to the page height,
    // 2000 / 3 = 666.67 -> 666 wide; exactly as high as the page still fills the width.
    EXPECT_EQ(PictureRectOnPage(100, 300, 1000, 2000, 600, 600), (PageRect{666, 2000}));
    EXPECT_EQ(PictureRectOnPage(100, 200, 1000, 2000, 600, 600), (PageRect{1000, 2000}));
    for (const PageRect r :
         {PictureRectOnPage(0, 100, 1000, 1000, 600, 600), PictureRectOnPage(100, 0, 1000, 1000, 600, 600),
          PictureRectOnPage(100, 100, 0, 1000, 600, 600), PictureRectOnPage(100, 100, 1000, 1000, 0, 600),
          PictureRectOnPage(100, 100, 1000, 1000, 600, -1)})
        EXPECT_EQ(r, PageRect{});
}
