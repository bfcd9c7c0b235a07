// Texture upload from BMP files into the fixed slots, in an off-screen compatibility context.
#include "planetarium/catalog/Textures.h"
#include "imaging/Bmp.h"

#include "GlTestContext.h"

#include <QGuiApplication>
#include <QTest>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

void WriteUniform(const fs::path& file, int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    imaging::BmpImage image = imaging::BmpImage::Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = b, p[1] = g, p[2] = r;
        }
    imaging::WriteBmp24(file, image);
}

GLint Param(GLenum what, GLint level = 0) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &v);
    return v;
}

} // namespace

class TexturesTest : public QObject {
    Q_OBJECT
    fs::path m_dir;

private slots:
    void initTestCase() {
        m_dir = fs::temp_directory_path() / ("nv_textures_" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void cleanupTestCase() { fs::remove_all(m_dir); }

    void slotOrder() {
        const auto& list = nv::TextureSlots();
        QCOMPARE(list.size(), std::size_t{122});
        QCOMPARE(list[0].fileName, std::string("milky.bmp"));
        QCOMPARE(list[11].slot, 12u);
        QCOMPARE(list[11].fileName, std::string("moon.bmp"));
        QCOMPARE(list[21].slot, 110u);
        QCOMPARE(list[21].fileName, std::string("m10.bmp"));
        QCOMPARE(list[121].slot, 210u);
        QCOMPARE(list[121].fileName, std::string("m110.bmp"));
    }

    void oddSizedPictureGetsFullMipmapChainInBgrOrder() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        const fs::path file = m_dir / "odd.bmp";
        WriteUniform(file, 300, 75, 10, 20, 200);
        std::string error;
        QCOMPARE(nv::LoadTexture(5, file, &error), 0);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        QCOMPARE(bound, 5);
        GLint minFilter = 0, magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        QCOMPARE(minFilter, GLint(GL_LINEAR_MIPMAP_NEAREST));
        QCOMPARE(magFilter, GLint(GL_LINEAR));
        // Rescaled to powers of two, down to a 1 x 1 level.
        const GLint w = Param(GL_TEXTURE_WIDTH), h = Param(GL_TEXTURE_HEIGHT);
        QVERIFY(w > 0 && (w & (w - 1)) == 0);
        QVERIFY(h > 0 && (h & (h - 1)) == 0);
        int level = 0;
        while (Param(GL_TEXTURE_WIDTH, level + 1) > 0) ++level;
        QCOMPARE(Param(GL_TEXTURE_WIDTH, level), 1);
        QCOMPARE(Param(GL_TEXTURE_HEIGHT, level), 1);
        std::vector<unsigned char> rgb(static_cast<std::size_t>(w * h * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        QCOMPARE(int(rgb[0]), 200);
        QCOMPARE(int(rgb[1]), 20);
        QCOMPARE(int(rgb[2]), 10);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
    }

    void brokenFilesLeaveTheirSlotEmpty() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        const fs::path eight = m_dir / "eight.bmp";
        imaging::BmpImage image = imaging::BmpImage::Blank(4, 4);
        std::vector<std::uint8_t> bytes = imaging::EncodeBmp24(image);
        bytes[28] = 8;
        std::ofstream(eight, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const fs::path truncated = m_dir / "short.bmp";
        std::ofstream(truncated, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 60);
        std::string error;
        for (const fs::path& bad : {eight, truncated, m_dir / "missing.bmp"}) {
            error.clear();
            QCOMPARE(nv::LoadTexture(7, bad, &error), -1);
            QVERIFY(!error.empty());
            QVERIFY(!glIsTexture(7));
        }
    }

    void loadsAllSlotsInOrder() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        const fs::path dir = m_dir / "data";
        fs::create_directories(dir);
        for (const nv::TextureSlot& slot : nv::TextureSlots())
            WriteUniform(dir / slot.fileName, 8 + static_cast<int>(slot.slot % 5), 8, 0, 0,
                         static_cast<std::uint8_t>(slot.slot));
        fs::remove(dir / "m40.bmp");
        std::ofstream(dir / "grass.bmp", std::ios::trunc) << "not a picture";

        nv::SkyState state;
        std::vector<int> steps;
        const nv::TextureLoadReport report =
            nv::LoadAllTextures(state, dir, [&](int n) { steps.push_back(n); });
        QCOMPARE(report.loaded, 120);
        QCOMPARE(report.failed.size(), std::size_t{2});
        QVERIFY(report.failed[0].find("grass.bmp") != std::string::npos);
        QVERIFY(report.failed[1].find("m40.bmp") != std::string::npos);
        QCOMPARE(steps.size(), std::size_t{110});
        QCOMPARE(steps.back(), 110);
        QCOMPARE(state.m_texture, 210u);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        QCOMPARE(bound, 210);
        QVERIFY(!glIsTexture(3));
        QVERIFY(!glIsTexture(140));
        // Slot 110 holds m10.bmp: its red channel is the slot number it was written for.
        glBindTexture(GL_TEXTURE_2D, 110);
        std::vector<unsigned char> rgb(
            static_cast<std::size_t>(Param(GL_TEXTURE_WIDTH) * Param(GL_TEXTURE_HEIGHT) * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        QCOMPARE(int(rgb[0]), 110);
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TexturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TexturesTest.moc"
