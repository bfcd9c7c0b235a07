#include "GlyphFont.h"

#include <GL/gl.h>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

unsigned g_fontBase = 0;

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;

// One glyph as its glBitmap list holds it, and where it sits in the atlas.
struct Glyph {
    int width = 0, height = 0; // 0: nothing lit (the raster position only moves)
    float xorig = 0, yorig = 0, xmove = 0;
    std::vector<unsigned char> bits; // glBitmap rows, bottom-up, most significant bit first
    int atlasX = 0, atlasY = 0;
    // The lit pixels' box within the bitmap (0 wide: none lit). Queued text covers only these:
    // the rest of a bitmap draws nothing.
    int inkX = 0, inkY = 0, inkWidth = 0, inkHeight = 0;
};

// A whole label kept in the atlas: its texels, and where its lower left corner lies from the
// pixel of its raster position (whole pixels, as the glyphs' own origins and advances are).
struct KeptLabel {
    int x = 0, y = 0, width = 0, height = 0; // width 0: nothing lit (blanks only)
    int left = 0, bottom = 0;
};

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Labels are packed on shelves below the glyphs, as they are first queued. The atlas grows in
// height up to kLabelAtlasHeight; when it is full, the next batch starts the shelves afresh.
constexpr int kLabelAtlasWidth = 2048;
constexpr int kLabelAtlasHeight = 2048;

struct Font {
    Glyph glyphs[kCharCount];
    unsigned atlas = 0; // texture name
    int atlasWidth = 0, atlasHeight = 0, atlasLimit = 0;
    std::vector<unsigned char> texels; // the atlas as uploaded, alpha, row 0 first
    int labelsTop = 0;                 // first row below the glyphs
    int shelfX = 0, shelfY = 0, shelfHeight = 0;
    bool full = false;
    bool reupload = false;                // the atlas changed size
    int dirtyFrom = INT_MAX, dirtyTo = 0; // rows to upload
    std::unordered_map<std::string, KeptLabel, TextHash, std::equal_to<>> labels;
};
Font g_font;

struct Batch {
    bool active = false;
    std::vector<float> positions, texCoords, colours; // 3, 2 and 4 floats per vertex
};
Batch g_batch;

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
void CompileGlyph(unsigned list, const QFont& font, const QFontMetrics& metrics, char code, Glyph& glyph) {
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

    glyph = Glyph{};
    glyph.xmove = static_cast<float>(advance);
    if (!bits.empty()) {
        glyph.width = width;
        glyph.height = height;
        glyph.xorig = static_cast<float>(-left);
        glyph.yorig = static_cast<float>(descent);
        glyph.bits = bits;
        int x0 = width, y0 = height, x1 = -1, y1 = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (bits[static_cast<size_t>(y) * rowBytes + x / 8] & (0x80u >> (x % 8)))
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        if (x1 >= 0)
            glyph.inkX = x0, glyph.inkY = y0, glyph.inkWidth = x1 - x0 + 1, glyph.inkHeight = y1 - y0 + 1;
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

// Sets the texels of a glyph with its lower left corner at (x, y); false (and nothing set) where
// one of its lit texels is lit already, as two bitmaps there would blend twice.
bool PutGlyph(const Glyph& g, int x, int y, bool checkOverlap) {
    const int rowBytes = (g.width + 7) / 8;
    auto lit = [&](int r, int c) {
        return (g.bits[static_cast<size_t>(r) * rowBytes + c / 8] & (0x80u >> (c % 8))) != 0;
    };
    auto texel = [&](int r, int c) -> unsigned char& {
        return g_font.texels[static_cast<size_t>(y + r) * g_font.atlasWidth + x + c];
    };
    if (checkOverlap) {
        for (int r = 0; r < g.height; ++r)
            for (int c = 0; c < g.width; ++c)
                if (lit(r, c) && texel(r, c) != 0) return false;
    }
    for (int r = 0; r < g.height; ++r)
        for (int c = 0; c < g.width; ++c)
            if (lit(r, c)) texel(r, c) = 255;
    return true;
}

void MarkDirty(int from, int to) {
    g_font.dirtyFrom = std::min(g_font.dirtyFrom, from);
    g_font.dirtyTo = std::max(g_font.dirtyTo, to);
}

// Uploads what changed in the atlas (the bound texture is kept).
void UploadAtlas() {
    if (g_font.atlas == 0 || (!g_font.reupload && g_font.dirtyFrom >= g_font.dirtyTo)) return;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, g_font.atlas);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    if (g_font.reupload) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, g_font.atlasWidth, g_font.atlasHeight, 0, GL_ALPHA,
                     GL_UNSIGNED_BYTE, g_font.texels.data());
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, g_font.dirtyFrom, g_font.atlasWidth,
                        g_font.dirtyTo - g_font.dirtyFrom, GL_ALPHA, GL_UNSIGNED_BYTE,
                        g_font.texels.data() + static_cast<size_t>(g_font.dirtyFrom) * g_font.atlasWidth);
    }
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    g_font.reupload = false;
    g_font.dirtyFrom = INT_MAX;
    g_font.dirtyTo = 0;
}

// Packs the lit glyphs into one alpha texture (255 where a bit is set), a texel apart, and keeps
// it under a name above the fixed picture slots, so that it never takes one of theirs. Labels
// are added below them later.
void BuildAtlas() {
    GLint most = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
    int width = std::min(kLabelAtlasWidth, std::max(256, static_cast<int>(most)));
    for (const Glyph& g : g_font.glyphs) width = std::max(width, g.width + 2);
    int x = 1, y = 1, rowHeight = 0;
    for (Glyph& g : g_font.glyphs) {
        if (g.width == 0) continue;
        if (x + g.width + 1 > width) x = 1, y += rowHeight + 1, rowHeight = 0;
        g.atlasX = x, g.atlasY = y;
        x += g.width + 1;
        rowHeight = std::max(rowHeight, g.height);
    }
    int height = 1;
    while (height < y + rowHeight + 1) height *= 2;
    g_font.atlasWidth = width;
    g_font.atlasHeight = height;
    g_font.texels.assign(static_cast<size_t>(width) * height, 0);
    for (const Glyph& g : g_font.glyphs)
        if (g.width > 0) PutGlyph(g, g.atlasX, g.atlasY, false);
    GLuint name = 0x7000;
    while (glIsTexture(name)) ++name;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    g_font.atlas = name;
    g_font.reupload = true;
    UploadAtlas();
    GLint stored = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &stored);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    if (stored != width) { // too large for the driver: labels keep the glyph lists
        glDeleteTextures(1, &name);
        while (glGetError() != GL_NO_ERROR) {
        }
        g_font.atlas = 0;
        g_font.texels.clear();
        return;
    }
    g_font.atlasLimit = std::max(height, std::min(kLabelAtlasHeight, static_cast<int>(most)));
    g_font.labelsTop = g_font.shelfY = y + rowHeight + 1;
    g_font.shelfX = 1;
    g_font.shelfHeight = 0;
}

// Room for a w x h label on the shelves (the atlas grows as needed); false when full.
bool ShelfSpace(int w, int h, int& x, int& y) {
    if (w + 2 > g_font.atlasWidth) return false;
    if (g_font.shelfX + w + 1 > g_font.atlasWidth) {
        g_font.shelfY += g_font.shelfHeight + 1;
        g_font.shelfX = 1;
        g_font.shelfHeight = 0;
    }
    int height = g_font.atlasHeight;
    while (g_font.shelfY + h + 1 > height && height < g_font.atlasLimit) height *= 2;
    if (g_font.shelfY + h + 1 > std::min(height, g_font.atlasLimit)) return false;
    if (height != g_font.atlasHeight) {
        g_font.texels.resize(static_cast<size_t>(g_font.atlasWidth) * height, 0);
        g_font.atlasHeight = height;
        g_font.reupload = true;
    }
    x = g_font.shelfX, y = g_font.shelfY;
    g_font.shelfX += w + 1;
    g_font.shelfHeight = std::max(g_font.shelfHeight, h);
    return true;
}

// The text as one piece of the atlas, made on its first use; null when it cannot be kept (too
// wide, overlapping glyphs, or no room) and must go glyph by glyph.
const KeptLabel* KeepLabel(std::string_view text) {
    if (const auto it = g_font.labels.find(text); it != g_font.labels.end()) return &it->second;
    if (g_font.full) return nullptr;
    // The lit box from the raster position's pixel: glyph k's bitmap sits at (pen - xorig, -yorig).
    int pen = 0, x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    for (const char c : text) {
        const Glyph& g = g_font.glyphs[static_cast<unsigned char>(c) - kFirstChar];
        if (g.inkWidth > 0) {
            const int gx = pen - static_cast<int>(g.xorig) + g.inkX, gy = -static_cast<int>(g.yorig) + g.inkY;
            x0 = std::min(x0, gx), y0 = std::min(y0, gy);
            x1 = std::max(x1, gx + g.inkWidth), y1 = std::max(y1, gy + g.inkHeight);
        }
        pen += static_cast<int>(g.xmove);
    }
    KeptLabel label;
    if (x0 != INT_MAX) {
        label.width = x1 - x0, label.height = y1 - y0, label.left = x0, label.bottom = y0;
        if (!ShelfSpace(label.width, label.height, label.x, label.y)) {
            g_font.full = label.width + 2 <= g_font.atlasWidth;
            return nullptr;
        }
        pen = 0;
        for (const char c : text) {
            const Glyph& g = g_font.glyphs[static_cast<unsigned char>(c) - kFirstChar];
            if (g.inkWidth > 0 && !PutGlyph(g, label.x + pen - static_cast<int>(g.xorig) - x0,
                                            label.y - static_cast<int>(g.yorig) - y0, true)) {
                // Two glyphs share a texel: the place stays taken, the text goes glyph by glyph.
                for (int r = 0; r < label.height; ++r)
                    std::fill_n(g_font.texels.begin() +
                                    static_cast<std::ptrdiff_t>(label.y + r) * g_font.atlasWidth + label.x,
                                label.width, 0);
                return nullptr;
            }
            pen += static_cast<int>(g.xmove);
        }
        MarkDirty(label.y, label.y + label.height);
    }
    return &g_font.labels.emplace(std::string(text), label).first->second;
}

// Texels run from (s0, t0) to (s1, t1), in atlas texels (the texture matrix scales them).
void QueueQuad(float x0, float y0, float x1, float y1, float z, float s0, float t0, float s1, float t1,
               const float colour[4]) {
    g_batch.positions.insert(g_batch.positions.end(), {x0, y0, z, x1, y0, z, x1, y1, z, x0, y1, z});
    g_batch.texCoords.insert(g_batch.texCoords.end(), {s0, t0, s1, t0, s1, t1, s0, t1});
    for (int v = 0; v < 4; ++v) g_batch.colours.insert(g_batch.colours.end(), colour, colour + 4);
}

// Records one text's glyphs; false when it must be drawn at once instead.
bool QueueText(const char* text, int length) {
    if (!g_batch.active || g_font.atlas == 0) return false;
    if (glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_ALPHA_TEST)) return false;
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (valid != GL_TRUE) return true; // a bitmap draws nothing there either
    float raster[4], colour[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
    if (!(colour[3] > 0.0f)) return false;
    float rx = raster[0];
    const float ry = raster[1], z = raster[2];
    // Where glBitmap puts a bitmap's lower left corner: the raster position with the small epsilon
    // the rasteriser adds, less the origin, rounded down.
    if (const KeptLabel* label = KeepLabel(std::string_view(text, static_cast<size_t>(length)))) {
        if (label->width == 0) return true;
        const float x0 = std::floor(rx + 0.0001f) + static_cast<float>(label->left);
        const float y0 = std::floor(ry + 0.0001f) + static_cast<float>(label->bottom);
        QueueQuad(x0, y0, x0 + static_cast<float>(label->width), y0 + static_cast<float>(label->height), z,
                  static_cast<float>(label->x), static_cast<float>(label->y),
                  static_cast<float>(label->x + label->width), static_cast<float>(label->y + label->height),
                  colour);
        return true;
    }
    for (int i = 0; i < length; ++i) {
        const Glyph& g = g_font.glyphs[static_cast<unsigned char>(text[i]) - kFirstChar];
        if (g.width > 0) {
            const float x0 = std::floor(rx + 0.0001f - g.xorig);
            const float y0 = std::floor(ry + 0.0001f - g.yorig);
            QueueQuad(x0, y0, x0 + static_cast<float>(g.width), y0 + static_cast<float>(g.height), z,
                      static_cast<float>(g.atlasX), static_cast<float>(g.atlasY),
                      static_cast<float>(g.atlasX + g.width), static_cast<float>(g.atlasY + g.height),
                      colour);
        }
        rx += g.xmove;
    }
    return true;
}

} // namespace

void BeginTextBatch() {
    if (g_batch.active) EndTextBatch(); // a batch inside another: what was queued is drawn first
    if (g_font.full) { // no room was left for the last batch's labels: the shelves start afresh
        g_font.labels.clear();
        std::fill(g_font.texels.begin() + static_cast<std::ptrdiff_t>(g_font.labelsTop) * g_font.atlasWidth,
                  g_font.texels.end(), 0);
        MarkDirty(g_font.labelsTop, g_font.atlasHeight);
        g_font.shelfX = 1, g_font.shelfY = g_font.labelsTop, g_font.shelfHeight = 0;
        g_font.full = false;
    }
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    g_batch.active = mode == GL_RENDER;
    g_batch.positions.clear();
    g_batch.texCoords.clear();
    g_batch.colours.clear();
}

void EndTextBatch() {
    g_batch.active = false;
    if (g_batch.positions.empty() || g_font.atlas == 0) return;
    UploadAtlas();
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT | GL_CURRENT_BIT |
                 GL_POLYGON_BIT | GL_VIEWPORT_BIT | GL_LIGHTING_BIT | GL_FOG_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    // Window coordinates in, window coordinates out, and a depth of z as the raster position holds
    // it (clip z = 2 z - 1 over the depth range 0..1). Bitmaps are not clipped to the viewport,
    // only to the window, so the quads are drawn through a viewport widened on every side by more
    // than the longest label.
    GLint vp[4], most[2] = {16384, 16384};
    glGetIntegerv(GL_VIEWPORT, vp);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, most);
    const int marginX = std::max(0, std::min(4096, (most[0] - vp[2]) / 2));
    const int marginY = std::max(0, std::min(4096, (most[1] - vp[3]) / 2));
    const int x0 = vp[0] - marginX, y0 = vp[1] - marginY;
    const int width = std::max(1, vp[2] + 2 * marginX), height = std::max(1, vp[3] + 2 * marginY);
    glViewport(x0, y0, width, height);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    // clang-format off
    const float ortho[16] = {2.0f / w, 0, 0, 0,
                             0, 2.0f / h, 0, 0,
                             0, 0, 2.0f, 0,
                             -1.0f - 2.0f * static_cast<float>(x0) / w, -1.0f - 2.0f * static_cast<float>(y0) / h, -1.0f, 1.0f};
    // clang-format on
    glDepthRange(0.0, 1.0);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(1.0f / static_cast<float>(g_font.atlasWidth), 1.0f / static_cast<float>(g_font.atlasHeight),
             1.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadMatrixf(ortho);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_STIPPLE);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_POLYGON_OFFSET_FILL);
    for (int p = 0; p < 6; ++p) glDisable(GL_CLIP_PLANE0 + p);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, g_font.atlas);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Unlit texels carry alpha 0 and are dropped; lit ones keep the raster colour as it is.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, g_batch.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, g_batch.texCoords.data());
    glColorPointer(4, GL_FLOAT, 0, g_batch.colours.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(g_batch.positions.size() / 3));

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    g_batch.positions.clear();
    g_batch.texCoords.clear();
    g_batch.colours.clear();
}

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
        CompileGlyph(base + static_cast<unsigned>(i), font, metrics, static_cast<char>(kFirstChar + i),
                     g_font.glyphs[i]);
    }
    glPopClientAttrib();
    BuildAtlas();
    g_fontBase = base;
    return g_fontBase;
}

void DeleteFont() {
    if (g_fontBase != 0) glDeleteLists(g_fontBase, kCharCount);
    g_fontBase = 0;
    if (g_font.atlas != 0) {
        const GLuint name = g_font.atlas;
        glDeleteTextures(1, &name);
    }
    g_font = Font{};
    g_batch = Batch{};
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
    if (QueueText(text, length)) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(g_fontBase - kFirstChar);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

} // namespace platform
