// Where a printed picture goes on the page. Pure C++.
#pragma once

namespace imaging {

struct PageRect {
    int width = 0;
    int height = 0;
    bool operator==(const PageRect&) const = default;
};

// The rectangle, from the top left corner of the printable area, that a picture of cw x ch screen
// pixels takes on a page `pageWidth` x `pageHeight` printer dots wide and high, at dpiX x dpiY dots
// per inch. The picture fills the page width and keeps its shape on paper:
//     H = trunc(ch x dpiY x pageWidth / (cw x dpiX)).
// A picture too tall for the page at that width is scaled down to the page height instead, with
// the same shape, so nothing of it is cut off. Empty sizes or resolutions give an empty rectangle.
PageRect PictureRectOnPage(int cw, int ch, int pageWidth, int pageHeight, double dpiX, double dpiY);

} // namespace imaging
