#include "planetarium/catalog/Textures.h"

#include "imaging/Bmp.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace nv {

const std::vector<TextureSlot>& TextureSlots() {
    static const std::vector<TextureSlot> table = [] {
        std::vector<TextureSlot> list;
        unsigned slot = kMilkyWayTexture;
        for (const std::string_view name : kPictureFiles)
            list.push_back({slot++, std::string(name) + ".bmp"});
        for (int n = 1; n <= kMessierCount; ++n)
            list.push_back(
                {kMessierTextureBase + static_cast<unsigned>(n), "m" + std::to_string(n) + ".bmp"});
        return list;
    }();
    return table;
}

int LoadTexture(unsigned texture, const std::filesystem::path& fileName, std::string* error) {
    imaging::BmpImage image;
    std::string why;
    if (!imaging::ReadBmp24(fileName, image, &why)) {
        if (error) *error = fileName.string() + ": " + why;
        return -1;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    // Rows are padded to four bytes, which is the default unpack alignment; make sure of it.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    if (alignment != 4) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const int result = gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_BGR_EXT,
                                         GL_UNSIGNED_BYTE, image.pixels.data());
    if (alignment != 4) glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (result != 0 && error)
        *error = fileName.string() + ": " +
                 reinterpret_cast<const char*>(gluErrorString(static_cast<GLenum>(result)));
    return result;
}

bool LoadPictureSlot(unsigned slot, const std::filesystem::path& dataDir, std::string* error) {
    for (const TextureSlot& entry : TextureSlots())
        if (entry.slot == slot) return LoadTexture(slot, dataDir / entry.fileName, error) == 0;
    if (error) *error = "no picture belongs in texture slot " + std::to_string(slot);
    return false;
}

TextureLoadReport LoadAllTextures(SkyState& state, const std::filesystem::path& dataDir,
                                  const std::function<void(int n)>& messierStep) {
    TextureLoadReport report;
    ++state.m_picturesLoaded;
    for (const TextureSlot& slot : TextureSlots()) {
        if (messierStep && slot.slot > kMessierTextureBase)
            messierStep(static_cast<int>(slot.slot - kMessierTextureBase));
        state.m_texture = slot.slot;
        std::string error;
        if (LoadTexture(state.m_texture, dataDir / slot.fileName, &error) == 0)
            ++report.loaded;
        else
            report.failed.push_back(error);
    }
    return report;
}

} // namespace nv
