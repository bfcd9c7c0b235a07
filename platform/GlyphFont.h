// The label font: 96 OpenGL display lists of glyph bitmaps (character codes 32..127) and the one
// text primitive every label goes through. Needs a current compatibility-profile context.
#pragma once

namespace platform {

// First of the 96 display lists of the label font (0 until BuildFont ran).
extern unsigned g_fontBase;

// Rasterises the face (a sans font of the same pixel height where the face is missing) into
// 96 glBitmap display lists and stores their base in g_fontBase. Returns g_fontBase.
unsigned BuildFont(const char* face, int pixelHeight);
// Releases the 96 lists of g_fontBase (no-op when none were built).
void DeleteFont();

// Formats like printf into a 256-byte buffer (longer text is cut at 255 characters) and draws it
// at the current raster position in the current raster colour.
void PrintText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Queued text. Between BeginTextBatch and EndTextBatch, PrintText records each text at the current
// raster position, in the raster colour and depth, instead of drawing it, and EndTextBatch draws
// every queued glyph in one pass as a textured quad from an atlas of the same glyph bitmaps: the
// very pixels the display lists give, for far less work per label. A text is kept whole in the
// atlas from its first use and then draws as a single quad (labels that come back frame after
// frame cost one quad each); when the atlas is full, new texts go glyph by glyph until the next
// batch starts it afresh. The caller keeps the state
// that affects fragments (blending, depth test, masks) unchanged from Begin to End. Text is drawn
// at once, as without a batch, where a quad could differ from a bitmap: texturing or alpha
// testing on, a transparent raster colour, selection or feedback mode. Queued text does not move
// the raster position. A batch begun inside another draws the outer one's text first.
void BeginTextBatch();
void EndTextBatch();

// A batch for a scope (`on` false: none).
class TextBatch {
public:
    explicit TextBatch(bool on) : m_on(on) {
        if (m_on) BeginTextBatch();
    }
    ~TextBatch() {
        if (m_on) EndTextBatch();
    }
    TextBatch(const TextBatch&) = delete;
    TextBatch& operator=(const TextBatch&) = delete;

private:
    bool m_on;
};

} // namespace platform
