// Texture upload from BMP files into the fixed slots, in an off-screen compatibility context.
#include "planetarium/catalog/Textures.h"
#include "imaging/Bmp.h"

#include "GlTestContext.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h> // mkfifo

namespace fs = std::filesystem;

namespace {

void WriteUniform(const fs::path& file, int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    imaging::BmpImage image = imaging::BmpImage::Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (std::uint8_t* p = image.row(y); p < image.row(y) + 3 * w; p += 3) p[0] = b, p[1] = g, p[2] = r;
    imaging::WriteBmp24(file, image);
}

GLint Param(GLenum what, GLint level = 0) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &v);
    return v;
}

// The bound texture's level 0 as RGB bytes.
std::vector<unsigned char> Pixels() {
    std::vector<unsigned char> rgb(
        static_cast<std::size_t>(Param(GL_TEXTURE_WIDTH) * Param(GL_TEXTURE_HEIGHT) * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

GLint Bound() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound;
}

} // namespace

class TexturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    const fs::path m_dir = m_tmp.path().toStdString();

private slots:
    void oddSizedPictureGetsFullMipmapChainInBgrOrder() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        WriteUniform(m_dir / "odd.bmp", 300, 75, 10, 20, 200);
        QCOMPARE(nv::LoadTexture(5, m_dir / "odd.bmp"), 0);
        QCOMPARE(Bound(), 5);
        auto filter = [](GLenum which) {
            GLint v = 0;
            glGetTexParameteriv(GL_TEXTURE_2D, which, &v);
            return v;
        };
        QVERIFY(filter(GL_TEXTURE_MIN_FILTER) == GL_LINEAR_MIPMAP_NEAREST &&
                filter(GL_TEXTURE_MAG_FILTER) == GL_LINEAR);
        // Mipmaps down to a 1 x 1 level, so the mipmapping filter has a complete texture.
        int level = 0;
        while (Param(GL_TEXTURE_WIDTH, level + 1) > 0) ++level;
        QCOMPARE(Param(GL_TEXTURE_WIDTH, level), 1);
        QCOMPARE(Param(GL_TEXTURE_HEIGHT, level), 1);
        const std::vector<unsigned char> rgb = Pixels();
        QVERIFY(rgb[0] == 200 && rgb[1] == 20 && rgb[2] == 10);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
    }

    void brokenOrMissingPicturesLeaveTheirSlotEmpty() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        const std::vector<nv::TextureSlot>& table = nv::TextureSlots(); // the drawing code's fixed names
        QVERIFY(table.size() == 122 && table[0].slot == 1 && table[0].fileName == "milky.bmp" &&
                table[11].slot == 12 && table[11].fileName == "moon.bmp");
        for (const nv::TextureSlot& slot : table)
            WriteUniform(m_dir / slot.fileName, 8 + static_cast<int>(slot.slot % 5), 8, 0, 0,
                         static_cast<std::uint8_t>(slot.slot));
        // Not a picture, missing, truncated, 8-bit.
        std::ofstream(m_dir / "grass.bmp", std::ios::trunc) << "not a picture";
        fs::remove(m_dir / "m40.bmp");
        std::vector<std::uint8_t> bmp = imaging::EncodeBmp24(imaging::BmpImage::Blank(4, 4));
        auto save = [&](const char* name, std::size_t n) {
            std::ofstream(m_dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), n);
        };
        save("m41.bmp", 60);
        bmp[28] = 8;
        save("m42.bmp", bmp.size());
        // A FIFO would block start-up for ever, a folder cost a huge buffer: both refused at once.
        fs::remove(m_dir / "m43.bmp");
        QCOMPARE(mkfifo((m_dir / "m43.bmp").c_str(), 0600), 0);
        fs::remove(m_dir / "m44.bmp");
        fs::create_directory(m_dir / "m44.bmp");
        nv::SkyState state;
        const nv::TextureLoadReport report = nv::LoadAllTextures(state, m_dir);
        QCOMPARE(report.loaded, 116);
        QCOMPARE(report.failed.size(), std::size_t{6});
        const char* bad[] = {"grass.bmp", "m40.bmp", "m41.bmp", "m42.bmp", "m43.bmp", "m44.bmp"};
        for (int i = 0; i < 6; ++i) QVERIFY(report.failed[i].find(bad[i]) != std::string::npos);
        QVERIFY(report.failed[4].find("pipe") != std::string::npos);
        QVERIFY(report.failed[5].find("folder") != std::string::npos);
        QVERIFY(!glIsTexture(3) && !glIsTexture(140) && !glIsTexture(141) && !glIsTexture(142));
        QVERIFY(!glIsTexture(143) && !glIsTexture(144));
        fs::remove(m_dir / "m43.bmp");
        fs::remove(m_dir / "m44.bmp");
        glBindTexture(GL_TEXTURE_2D, 110); // m10.bmp: its red channel is the slot it was written for
        QCOMPARE(int(Pixels()[0]), 110);
    }

    void loadsEverySlotFromTheDataFolder() {
        if (!fs::exists(fs::path(NV_TEST_DATA_DIR) / "milky.bmp")) QSKIP("no data folder built");
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        nv::SkyState state;
        std::vector<int> steps;
        const nv::TextureLoadReport report =
            nv::LoadAllTextures(state, NV_TEST_DATA_DIR, [&](int n) { steps.push_back(n); });
        QCOMPARE(report.loaded, 122);
        QVERIFY(report.failed.empty());
        QCOMPARE(steps.size(), std::size_t{110});
        QCOMPARE(steps.back(), 110);
        QCOMPARE(state.m_texture, 210u);
        QCOMPARE(Bound(), 210);
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TexturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TexturesTest.moc"
