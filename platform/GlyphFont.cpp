#include "GlyphFont.h"

#include <GL/gl.h>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace platform {

unsigned g_fontBase = 0;

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;

// The requested face when the system has it, otherwise a sans face of the same pixel height.
QFont ChooseFont(const char* face, int pixelHeight) {
    QFont font(QString::fromLatin1(face ? face : ""));
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 12);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    if (QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0) return font;
    QFont fallback(QStringLiteral("DejaVu Sans"));
    fallback.setStyleHint(QFont::SansSerif);
    fallback.setPixelSize(font.pixelSize());
    fallback.setWeight(QFont::Normal);
    fallback.setStyleStrategy(QFont::NoAntialias);
    return fallback;
}

// Compiles one glyph as a glBitmap list: the bitmap covers the glyph's box, its origin sits on the
// pen position at the baseline, and the raster position advances by the glyph's advance.
void CompileGlyph(unsigned list, const QFont& font, const QFontMetrics& metrics, char code) {
    const QChar ch = QLatin1Char(code);
    const int advance = metrics.horizontalAdvance(ch);
    const QRect box = metrics.boundingRect(ch);
    const int left = std::min(0, box.left());
    const int width = std::max(advance, box.right() + 1) - left;
    const int ascent = std::max(metrics.ascent(), -box.top());
    const int descent = std::max(metrics.descent(), box.bottom() + 1);
    const int height = ascent + descent;

    std::vector<unsigned char> bits;
    int rowBytes = 0;
    if (width > 0 && height > 0 && code > 32 && code < 127) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(-left, ascent, QString(ch));
        }
        rowBytes = (width + 7) / 8;
        bits.assign(static_cast<size_t>(rowBytes) * height, 0);
        for (int y = 0; y < height; ++y) {
            // glBitmap rows run bottom-up.
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - y));
            for (int x = 0; x < width; ++x) {
                if (qGray(line[x]) >= 128)
                    bits[static_cast<size_t>(y) * rowBytes + x / 8] |= 0x80u >> (x % 8);
            }
        }
    }

    glNewList(list, GL_COMPILE);
    if (bits.empty()) {
        // A blank glyph (the space) only moves the raster position. An empty bitmap is not stored
        // by every driver, so it is one unlit pixel.
        static const GLubyte blank = 0;
        glBitmap(1, 1, 0.0f, 0.0f, static_cast<float>(advance), 0.0f, &blank);
    } else {
        glBitmap(width, height, static_cast<float>(-left), static_cast<float>(descent),
                 static_cast<float>(advance), 0.0f, bits.data());
    }
    glEndList();
}

} // namespace

unsigned BuildFont(const char* face, int pixelHeight) {
    DeleteFont();
    const unsigned base = glGenLists(kCharCount);
    if (base == 0) return 0;
    const QFont font = ChooseFont(face, pixelHeight);
    const QFontMetrics metrics(font);

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (int i = 0; i < kCharCount; ++i) {
        CompileGlyph(base + static_cast<unsigned>(i), font, metrics, static_cast<char>(kFirstChar + i));
    }
    glPopClientAttrib();
    g_fontBase = base;
    return g_fontBase;
}

void DeleteFont() {
    if (g_fontBase != 0) glDeleteLists(g_fontBase, kCharCount);
    g_fontBase = 0;
}

void PrintText(const char* format, ...) {
    if (format == nullptr || g_fontBase == 0) return;
    char text[256];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written <= 0) return;
    const int length = std::min<int>(written, static_cast<int>(sizeof text) - 1);
    // Only the 96 glyph lists may be called: any other byte would name a list outside the font.
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < kFirstChar || c >= kFirstChar + kCharCount) text[i] = '?';
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(g_fontBase - kFirstChar);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

} // namespace platform
