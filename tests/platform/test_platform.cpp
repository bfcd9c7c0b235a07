// The platform stand-ins: captured message boxes, the numbered view timer and the label font.
#include "GlTestContext.h"
#include "platform/GlyphFont.h"
#include "platform/MessageBox.h"
#include "platform/ViewTimer.h"

#include <GL/gl.h>
#include <QElapsedTimer>
#include <QtTest>
#include <string>

namespace {

// Pixels of the frame that are not black, in window coordinates (y up, as OpenGL counts).
struct Lit {
    int count = 0;
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    bool allColour = true;
};

// Whether a grabbed image keeps OpenGL's row order (bottom row first): found by lighting the
// bottom-left pixel and looking where it lands.
bool GrabIsBottomUp(nvtest::GlTestContext& ctx) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, ctx.width(), 0, ctx.height(), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glBegin(GL_POINTS);
    glVertex2f(0.5f, 0.5f);
    glEnd();
    return (ctx.grab().pixel(0, 0) & 0xffffff) != 0;
}

bool g_bottomUp = false;

Lit LitPixels(const QImage& image, QRgb expected) {
    Lit lit;
    for (int row = 0; row < image.height(); ++row) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, row) & 0xffffff;
            if (p == 0) continue;
            const int y = g_bottomUp ? row : image.height() - 1 - row;
            ++lit.count;
            lit.minX = std::min(lit.minX, x);
            lit.maxX = std::max(lit.maxX, x);
            lit.minY = std::min(lit.minY, y);
            lit.maxY = std::max(lit.maxY, y);
            if (p != (expected & 0xffffff)) lit.allColour = false;
        }
    }
    return lit;
}

void PixelProjection(int w, int h) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesAreCapturedInOrder() {
        platform::MessageBoxRecorder outer;
        {
            platform::MessageBoxRecorder inner;
            QCOMPARE(platform::ShowMessageBox(nullptr, "SetPixelformat Failed!", "Error"), platform::IDOK);
            QCOMPARE(inner.boxes().size(), size_t(1));
            QCOMPARE(inner.boxes()[0].first, QString("SetPixelformat Failed!"));
            QCOMPARE(inner.boxes()[0].second, QString("Error"));
        }
        // The inner recorder gave the sink back to the outer one.
        platform::ShowMessageBox(nullptr, "saved", "NightvaneGl");
        QCOMPARE(outer.boxes().size(), size_t(1));
        QCOMPARE(outer.boxes()[0].first, QString("saved"));
    }

    void timerTicksWithItsIdUntilKilled() {
        std::vector<unsigned> ticks;
        platform::ViewTimer timer([&](unsigned id) { ticks.push_back(id); });
        QVERIFY(!timer.IsRunning(1));
        timer.SetTimer(1, 50);
        QVERIFY(timer.IsRunning(1));
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 2, 2000);
        for (unsigned id : ticks) QCOMPARE(id, 1u);
        QVERIFY(timer.KillTimer(1));
        QVERIFY(!timer.KillTimer(1));
        const size_t stopped = ticks.size();
        QTest::qWait(200);
        QCOMPARE(ticks.size(), stopped);
    }

    void settingATimerAgainReArmsIt() {
        // A tick handler that kills and re-arms, as the animation does, keeps ticking.
        int ticks = 0;
        platform::ViewTimer* self = nullptr;
        platform::ViewTimer timer([&](unsigned id) {
            ++ticks;
            self->KillTimer(id);
            if (ticks < 3) self->SetTimer(id, 20);
        });
        self = &timer;
        timer.SetTimer(1, 20);
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 3, 2000);
        QTest::qWait(100);
        QCOMPARE(ticks, 3);
        QVERIFY(!timer.IsRunning(1));

        // Re-arming before the period ends pushes the next tick a full period away.
        QElapsedTimer sinceReArm;
        qint64 tickAfter = -1;
        int late = 0;
        platform::ViewTimer slow([&](unsigned) {
            if (late++ == 0) tickAfter = sinceReArm.isValid() ? sinceReArm.elapsed() : -1;
        });
        slow.SetTimer(1, 1000);
        QTest::qWait(100);
        sinceReArm.start();
        slow.SetTimer(1, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(late, 1, 5000);
        QVERIFY2(tickAfter >= 990, qPrintable(QString::number(tickAfter)));
    }

    void labelLightsPixelsAtRasterPositionInCurrentColour() {
        nvtest::GlTestContext ctx(200, 100);
        QVERIFY(ctx.ok());
        g_bottomUp = GrabIsBottomUp(ctx);
        QVERIFY(platform::BuildFont("tahoma", 12) != 0);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR)); // every glyph list was stored
        QCOMPARE(platform::g_fontBase != 0, true);
        PixelProjection(200, 100);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 0.0f, 0.0f); // the colour is latched by the raster position that follows
        glRasterPos2i(50, 40);
        platform::PrintText("East");
        const Lit lit = LitPixels(ctx.grab(), qRgb(255, 0, 0));
        QVERIFY(lit.count > 20);
        QVERIFY(lit.allColour);
        // The text starts at the raster position and stands on the baseline (12-pixel face).
        QVERIFY2(lit.minX >= 50 && lit.minX <= 53, qPrintable(QString::number(lit.minX)));
        QVERIFY(lit.maxX > 60 && lit.maxX < 90);
        QVERIFY2(lit.minY >= 39 && lit.minY <= 41, qPrintable(QString("%1 %2").arg(lit.minY).arg(lit.maxY)));
        QVERIFY(lit.maxY >= 46 && lit.maxY <= 53);

        // A second colour and position: green, further right and up.
        PixelProjection(200, 100);
        glColor3f(0.0f, 1.0f, 0.0f);
        glRasterPos2i(120, 70);
        platform::PrintText("%s", "W");
        const Lit green = LitPixels(ctx.grab(), qRgb(0, 255, 0));
        QVERIFY(green.count > 5 && green.allColour);
        QVERIFY(green.minX >= 120 && green.minY >= 69);
        platform::DeleteFont();
    }

    // Text queued in a batch lands on the very pixels, colours and depths of the glyph lists:
    // fractional raster positions, blending, a depth-tested shape in front and one drawn after at
    // the text's own depth, a red-only colour mask, and the cases that must fall back.
    void batchedTextDrawsTheSamePixelsAsTheGlyphLists() {
        nvtest::GlTestContext ctx(320, 140);
        QVERIFY(ctx.ok());
        QVERIFY(platform::BuildFont("tahoma", 12) != 0);
        auto quad = [](float x0, float y0, float x1, float y1, float z) {
            glBegin(GL_QUADS);
            glVertex3f(x0, y0, z), glVertex3f(x1, y0, z), glVertex3f(x1, y1, z), glVertex3f(x0, y1, z);
            glEnd();
        };
        auto scene = [&](bool batched, bool redOnly, bool texturing, bool narrow = false) {
            PixelProjection(320, 140);
            if (narrow) { // a viewport short of the window: bitmaps still draw past its edge
                glViewport(0, 0, 200, 140);
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                glOrtho(0, 200, 0, 140, -1, 1);
                glMatrixMode(GL_MODELVIEW);
            }
            glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LESS);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            if (redOnly) glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
            glColor4f(0.0f, 0.3f, 1.0f, 1.0f);
            quad(60, 0, 90, 140, 0.5f); // in front of the text (nearer than z = 0.2)
            if (texturing) glEnable(GL_TEXTURE_2D);
            GLint textureBefore = -1;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &textureBefore);
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
                glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
                glRasterPos3f(185.5f, 120.0f, 0.0f);
                platform::PrintText("Betelgeuse");
            }
            GLint textureAfter = -2;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &textureAfter);
            if (textureAfter != textureBefore) return QImage();
            glDisable(GL_TEXTURE_2D);
            // Drawn after, exactly at the first label's depth: the text's depth must match.
            glColor4f(0.0f, 1.0f, 0.0f, 0.5f);
            quad(0, 0, 320, 20, 0.2f);
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glDisable(GL_BLEND);
            glDisable(GL_DEPTH_TEST);
            glViewport(0, 0, 320, 140);
            return ctx.grab();
        };
        for (const bool redOnly : {false, true}) {
            const QImage direct = scene(false, redOnly, false);
            QVERIFY(!direct.isNull());
            QCOMPARE(scene(true, redOnly, false), direct);
        }
        const QImage spilled = scene(false, false, false, true);
        QCOMPARE(scene(true, false, false, true), spilled);
        QVERIFY(spilled != scene(false, false, false)); // the spilled text is there
        // With texturing on a glyph would take the bound texture's colour: drawn at once instead.
        QCOMPARE(scene(true, false, true), scene(false, false, true));
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        platform::DeleteFont();
    }

    void formattingAndUnusualTextDrawSafely() {
        nvtest::GlTestContext ctx(400, 60);
        QVERIFY(ctx.ok());
        platform::BuildFont("no such face at all", 12);
        QVERIFY(platform::g_fontBase != 0);
        auto draw = [&](auto... args) {
            PixelProjection(400, 60);
            glColor3f(1, 1, 1);
            glRasterPos2i(5, 20);
            platform::PrintText(args...);
            return ctx.grab();
        };
        QCOMPARE(draw("%d", 42), draw("42"));
        // Bytes outside the font's 96 characters are drawn as '?', never as some other list.
        QCOMPARE(draw("\xe9"), draw("?"));
        // Text longer than the buffer is cut, not overrun.
        const std::string longText(1000, 'M');
        const QImage cut = draw("%s", longText.c_str());
        QVERIFY(LitPixels(cut, qRgb(255, 255, 255)).count > 0);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));

        const unsigned base = platform::g_fontBase;
        QVERIFY(glIsList(base) && glIsList(base + 95));
        platform::DeleteFont();
        QCOMPARE(platform::g_fontBase, 0u);
        QVERIFY(!glIsList(base));
        // With no font, labels are skipped.
        QCOMPARE(LitPixels(draw("North"), qRgb(255, 255, 255)).count, 0);
        platform::DeleteFont();
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
