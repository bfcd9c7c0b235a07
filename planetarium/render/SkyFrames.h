// The model-view set-ups every layer starts from (horizon, equatorial of date, the catalogue's
// equatorial frame, ecliptic), the night-vision colour rule and the view volume.
#pragma once

#include "astro/SkyRotation.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyState.h"
#include "platform/GlyphFont.h"

namespace nv {

using astro::SkyFrame;

// Loads the identity, optionally glTranslatef(m_eyeX, m_eyeY, m_eyeZ), then the frame's rotations.
void LoadFrame(const SkyState& state, SkyFrame frame, bool eyeTranslation = true);
// The matrix LoadFrame loads, computed on the processor.
astro::Mat4 FrameMatrix(const SkyState& state, SkyFrame frame, bool eyeTranslation = true);

// glColor3f(r, g, b), or (night, 0, 0) while night vision is on.
void NightColour(const SkyState& state, float r, float g, float b, float night);

// The six planes of the current projection's view volume in the current model-view's
// coordinates, each normalised so that a point's value is its distance (negative outside), for a
// model-view of turns and shifts only.
struct ViewVolume {
    double planes[6][4];
    double Distance(int plane, double x, double y, double z) const {
        const double* p = planes[plane];
        return p[0] * x + p[1] * y + p[2] * z + p[3];
    }
    // True when the ball lies more than `margin` outside one of the planes.
    bool BallOutside(double x, double y, double z, double margin) const {
        for (int p = 0; p < 6; ++p)
            if (Distance(p, x, y, z) < -margin) return true;
        return false;
    }
};
ViewVolume CurrentViewVolume();

// True when the ball of the given centre and radius (in the current model-view's coordinates)
// lies wholly outside the current projection's view volume, so nothing of it can be drawn.
bool BallOutsideView(float x, float y, float z, float radius);

// Whether the last glRasterPos landed inside the view (glBitmap ignores an invalid one).
bool RasterPositionValid();
// A label at the current raster position through platform::PrintText; left out when the raster
// position is outside the view, where the glyphs would draw nothing.
template <class... Args> void PrintLabel(const char* format, Args... args) {
    if (RasterPositionValid()) platform::PrintText(format, args...);
}

} // namespace nv
