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

} // namespace platform
