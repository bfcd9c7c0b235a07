// The platform stand-ins: the numbered view timer and the label font (glyph lists and batches).
#include "GlTestContext.h"
#include "platform/GlyphFont.h"
#include "platform/ViewTimer.h"

#include <GL/gl.h>
#include <QtTest>
#include <string>

namespace {

// The lit (non-black) pixels of a grab: how many, how many of `colour`, and their box (y up).
struct Lit {
    int count = 0, ofColour = 0;
    QRect box;
};
Lit LitPixels(const QImage& image, QRgb colour = 0) {
    Lit lit;
    for (int row = 0; row < image.height(); ++row)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb p = image.pixel(x, row) & 0xffffff) {
                ++lit.count, lit.ofColour += p == (colour & 0xffffff);
                lit.box |= QRect(x, image.height() - 1 - row, 1, 1);
            }
    return lit;
}

// One unit per pixel, cleared to black.
void PixelProjection(int w, int h) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Quad(float x0, float y0, float x1, float y1, float z) {
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z), glVertex3f(x1, y0, z), glVertex3f(x1, y1, z), glVertex3f(x0, y1, z);
    glEnd();
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    // Fault: a timer that re-arms from its own handler (as the animation does) losing its id or
    // ticking on after it stopped.
    void timerTicksWithItsIdReArmsAndStops() {
        std::vector<unsigned> ticks;
        platform::ViewTimer timer([&](unsigned id) {
            ticks.push_back(id);
            timer.KillTimer(id);
            if (ticks.size() < 3) timer.SetTimer(id, 20);
        });
        timer.SetTimer(7, 20);
        QTRY_COMPARE_WITH_TIMEOUT(ticks.size(), size_t(3), 2000);
        QTest::qWait(100);
        QCOMPARE(ticks, std::vector<unsigned>(3, 7u));
        QVERIFY(!timer.IsRunning(7) && !timer.KillTimer(7));
    }

    // Fault: labels drawn away from the raster position, in another colour than the one latched by
    // it, or upside down (glyphs compiled top row first).
    void labelsDrawAtTheRasterPositionUprightAndSafely() {
        nvtest::GlTestContext ctx(400, 100);
        QVERIFY(ctx.ok());
        QVERIFY(platform::BuildFont("tahoma", 12) != 0);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR)); // every glyph list was stored
        auto draw = [&](const char* text, QRgb colour = qRgb(255, 255, 255), int x = 5, int y = 20) {
            PixelProjection(400, 100);
            glColor3ub(qRed(colour), qGreen(colour), qBlue(colour));
            glRasterPos2i(x, y); // latches the colour
            platform::PrintText("%s", text);
            return ctx.grab();
        };
        const Lit east = LitPixels(draw("East", qRgb(255, 0, 0), 50, 40), qRgb(255, 0, 0));
        QVERIFY(east.count > 20 && east.ofColour == east.count);
        // The text starts at the raster position and stands on the baseline (12-pixel face).
        const QRect r = east.box; // y up: top() is the lowest lit row
        QVERIFY(r.left() >= 50 && r.left() <= 53 && r.right() > 60 && r.right() < 90);
        QVERIFY(r.top() >= 39 && r.top() <= 41 && r.bottom() >= 46 && r.bottom() <= 53);
        // Glyphs stand upright: "T" is widest in its top row of ink, "L" in its bottom row.
        for (const char* letter : {"T", "L"}) {
            const QImage img = draw(letter);
            std::vector<int> widths; // lit pixels per row, top row first
            for (int row = 0; row < img.height(); ++row) {
                int n = 0;
                for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, row) & 0xffffff) != 0;
                if (n > 0) widths.push_back(n);
            }
            QVERIFY2(widths.size() > 5, letter);
            if (letter[0] == 'L') std::reverse(widths.begin(), widths.end());
            QVERIFY2(widths.front() == *std::max_element(widths.begin(), widths.end()), letter);
            QVERIFY2(widths.back() < widths.front() / 2, letter);
        }
        platform::DeleteFont();

        // Fault: a byte outside the font's 32 to 127 (128 included) drawn with another list, a long
        // text overrunning the buffer, labels drawn with no font, a face too big for the atlas.
        QVERIFY(platform::BuildFont("no such face at all", 12) != 0); // a sans face stands in
        QVERIFY(LitPixels(draw("?")).count > 5);
        for (const char* outside : {"\x1f", "\x80", "\xe9", "\xff"}) QCOMPARE(draw(outside), draw("?"));
        QVERIFY(LitPixels(draw(std::string(1000, 'M').c_str())).count > 0); // cut, not overrun
        const unsigned base = platform::g_fontBase;
        QVERIFY(glIsList(base) && glIsList(base + 95)); // all 96 lists
        platform::DeleteFont();
        QVERIFY(platform::g_fontBase == 0 && !glIsList(base));
        QCOMPARE(LitPixels(draw("North")).count, 0);                   // no font: skipped
        platform::DeleteFont();                                        // again: harmless
        QVERIFY(platform::BuildFont("no such face at all", 700) != 0); // queued: back to the glyph lists
        const QImage big = draw("Wg");
        QVERIFY(LitPixels(big).count > 100);
        {
            const platform::TextBatch batch(true);
            QCOMPARE(draw("Wg"), big);
        }
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        platform::DeleteFont();
    }

    // Fault: batched text off the glyph lists' pixels, colours or depths (fractional positions,
    // blending, depth tests, a colour mask, a narrow viewport, a bound texture, a full atlas).
    void batchedTextDrawsTheSamePixelsAsTheGlyphLists() {
        nvtest::GlTestContext ctx(320, 140);
        QVERIFY(ctx.ok());
        QVERIFY(platform::BuildFont("tahoma", 12) != 0);
        auto scene = [&](bool batched, bool redOnly, bool texturing, int width = 320) {
            PixelProjection(width, 140); // a narrow viewport: bitmaps still draw past its edge
            glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glEnable(GL_DEPTH_TEST), glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            if (redOnly) glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
            glColor4f(0.0f, 0.3f, 1.0f, 1.0f);
            Quad(60, 0, 90, 140, 0.5f); // in front of the text (nearer than z = 0.2)
            if (texturing) glEnable(GL_TEXTURE_2D);
            {
                const platform::TextBatch batch(batched);
                const float xs[] = {10.0f, 20.4999f, 30.5f, 40.99995f, 55.25f, 3.7f};
                for (int k = 0; k < 6; ++k) {
                    glColor4f(1.0f, 0.5f, 0.2f * k, 0.35f + 0.1f * k);
                    glRasterPos3f(xs[k], 8.0f + 21.3f * k, 0.2f - 0.05f * k);
                    platform::PrintText("Sirius %d M%d", k, 40 + k);
                }
                glRasterPos3f(-50.0f, 10.0f, 0.0f); // outside: nothing
                platform::PrintText("hidden");
                glColor4f(1.0f, 1.0f, 1.0f, 1.0f), glRasterPos3f(185.5f, 120.0f, 0.0f);
                platform::PrintText("Betelgeuse");
            }
            GLint texture = -1;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
            glDisable(GL_TEXTURE_2D);
            glColor4f(0.0f, 1.0f, 0.0f, 0.5f); // drawn after, exactly at the first label's depth
            Quad(0, 0, 320, 20, 0.2f);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glDisable(GL_BLEND), glDisable(GL_DEPTH_TEST), glViewport(0, 0, 320, 140);
            return texture == 0 ? ctx.grab() : QImage(); // the atlas left bound: no picture
        };
        for (const bool redOnly : {false, true})
            QCOMPARE(scene(true, redOnly, false), scene(false, redOnly, false));
        const QImage spilled = scene(false, false, false, 200);
        QVERIFY(!spilled.isNull() && spilled != scene(false, false, false)); // the spilled text is there
        QCOMPARE(scene(true, false, false, 200), spilled);
        QCOMPARE(scene(true, false, true), scene(false, false, true));

        auto labels = [&](bool batched, int count) {
            PixelProjection(320, 140);
            glEnable(GL_BLEND);
            glBlendFunc(GL_ONE, GL_SRC_ALPHA); // additive where labels overlap
            {
                const platform::TextBatch batch(batched);
                for (int k = 0; k < count; ++k) {
                    glColor3f(0.2f, 0.2f, 0.8f);
                    glRasterPos2f(float((k * 37) % 300) + 0.25f * (k % 4), float((k * 13) % 130));
                    platform::PrintText("%d Asteroid %s", k, k % 2 ? "Mx" : "jy");
                }
            }
            glDisable(GL_BLEND);
            return ctx.grab();
        };
        const QImage few = labels(false, 40), many = labels(false, 6000);
        for (const int count : {40, 40, 6000, 6000, 40}) // kept from the last batch; the atlas full
            QCOMPARE(labels(true, count), count == 40 ? few : many);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        platform::DeleteFont();
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
