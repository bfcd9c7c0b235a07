// Texture upload from BMP files into the fixed slots, in an off-screen compatibility context.
#include "planetarium/catalog/Textures.h"
#include "imaging/Bmp.h"

#include "GlTestContext.h"
#include <GL/gl.h>
#include <QtTest>
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

// The first texel of the bound texture's level 0, as red, green, blue.
std::array<int, 3> FirstTexel() {
    std::vector<unsigned char> rgb(
        static_cast<std::size_t>(Param(GL_TEXTURE_WIDTH) * Param(GL_TEXTURE_HEIGHT) * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return {rgb[0], rgb[1], rgb[2]};
}

} // namespace

class TexturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    const fs::path m_dir = m_tmp.path().toStdString();

private slots:
    // Catches red and blue swapped on upload, an odd-sized picture left without the mipmap levels its
    // filter needs (drawn white); a broken, missing, truncated or 8-bit picture that fills its slot
    // anyway (a grey night or rectangle), a FIFO that blocks start-up for ever, a folder read as an
    // 805 MB picture, a picture loaded into another slot, and progress or the next free texture name
    // (after the 110 Messier pictures' slots) not where the start-up expects them.
    void picturesIntoTheirSlotsAndBrokenOnesLeftOut() {
        nvtest::GlTestContext ctx(64, 64);
        QVERIFY(ctx.ok());
        WriteUniform(m_dir / "odd.bmp", 300, 75, 10, 20, 200);
        QCOMPARE(nv::LoadTexture(5, m_dir / "odd.bmp"), 0);
        GLint bound = 0, minFilter = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        QVERIFY(bound == 5 && minFilter == GL_LINEAR_MIPMAP_NEAREST);
        int level = 0;
        while (Param(GL_TEXTURE_WIDTH, level + 1) > 0) ++level;
        QVERIFY(Param(GL_TEXTURE_WIDTH, level) == 1 && Param(GL_TEXTURE_HEIGHT, level) == 1);
        QVERIFY((FirstTexel() == std::array{200, 20, 10}));
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));

        const std::vector<nv::TextureSlot>& table = nv::TextureSlots(); // the drawing code's fixed names
        QVERIFY(table.size() == 122 && table[0].slot == 1 && table[0].fileName == "milky.bmp" &&
                table[11].slot == 12 && table[11].fileName == "moon.bmp");
        for (const nv::TextureSlot& slot : table)
            WriteUniform(m_dir / slot.fileName, 8 + static_cast<int>(slot.slot % 5), 8, 0, 0,
                         static_cast<std::uint8_t>(slot.slot));
        std::ofstream(m_dir / "grass.bmp", std::ios::trunc) << "not a picture";
        fs::remove(m_dir / "m40.bmp");
        std::vector<std::uint8_t> bmp = imaging::EncodeBmp24(imaging::BmpImage::Blank(4, 4));
        auto save = [&](const char* name, std::size_t n) {
            std::ofstream(m_dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), n);
        };
        save("m41.bmp", 60); // truncated
        bmp[28] = 8;
        save("m42.bmp", bmp.size()); // 8-bit
        fs::remove(m_dir / "m43.bmp");
        QCOMPARE(mkfifo((m_dir / "m43.bmp").c_str(), 0600), 0);
        fs::remove(m_dir / "m44.bmp");
        fs::create_directory(m_dir / "m44.bmp");
        nv::SkyState state;
        std::vector<int> steps;
        const nv::TextureLoadReport report =
            nv::LoadAllTextures(state, m_dir, [&](int n) { steps.push_back(n); });
        QVERIFY(steps.size() == 110 && steps.back() == 110 && state.m_texture == 210u);
        QVERIFY(report.loaded == 116 && report.failed.size() == 6);
        const char* bad[] = {"grass.bmp", "m40.bmp", "m41.bmp", "m42.bmp", "m43.bmp", "m44.bmp"};
        for (int i = 0; i < 6; ++i) QVERIFY(report.failed[i].find(bad[i]) != std::string::npos);
        QVERIFY(report.failed[4].find("pipe") != std::string::npos &&
                report.failed[5].find("folder") != std::string::npos);
        for (GLuint slot : {3, 140, 141, 142, 143, 144}) QVERIFY(!glIsTexture(slot));
        fs::remove(m_dir / "m43.bmp");
        fs::remove(m_dir / "m44.bmp");
        glBindTexture(GL_TEXTURE_2D, 110); // m10.bmp: its red channel is the slot it was written for
        QCOMPARE(FirstTexel()[0], 110);
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TexturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TexturesTest.moc"
