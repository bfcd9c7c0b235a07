#include "imaging/PageLayout.h"

namespace imaging {

PageRect PictureRectOnPage(int cw, int ch, int pageWidth, int pageHeight, double dpiX, double dpiY) {
    if (cw <= 0 || ch <= 0 || pageWidth <= 0 || pageHeight <= 0 || !(dpiX > 0.0) || !(dpiY > 0.0)) return {};
    const double height = static_cast<double>(ch) * dpiY * pageWidth / (static_cast<double>(cw) * dpiX);
    if (height <= pageHeight) return {pageWidth, static_cast<int>(height)};
    const double width = static_cast<double>(pageHeight) * cw * dpiX / (static_cast<double>(ch) * dpiY);
    return {static_cast<int>(width), pageHeight};
}

} // namespace imaging
