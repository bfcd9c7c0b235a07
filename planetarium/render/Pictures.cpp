#include "Pictures.h"

#include "planetarium/SkyObjects.h"

#include <GL/gl.h>
#include <bitset>

namespace nv {
namespace {

struct Source {
    PictureSource load;
    std::bitset<kLastPictureSlot + 1> asked;
};
Source& TheSource() {
    static Source source;
    return source;
}

bool HoldsPicture() {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width > 0;
}

} // namespace

void SetPictureSource(PictureSource source) {
    TheSource().load = std::move(source);
    TheSource().asked.reset();
}

bool BindPicture(unsigned slot) {
    glBindTexture(GL_TEXTURE_2D, slot);
    // A selection pass draws no pixels: there the shape counts, picture or not (the body or
    // object is still there to be picked by its glow and label).
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    if (mode != GL_RENDER || HoldsPicture()) return true;
    Source& source = TheSource();
    if (!source.load || slot > kLastPictureSlot || source.asked.test(slot)) return false;
    source.asked.set(slot);
    source.load(slot);
    glBindTexture(GL_TEXTURE_2D, slot);
    return HoldsPicture();
}

} // namespace nv
