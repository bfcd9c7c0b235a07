#include "Grids.h"

#include "SkyFrames.h"
#include "platform/GlyphFont.h"

#include <GL/gl.h>
#include <cmath>

namespace nv {

namespace {

constexpr float kTwoPi = 6.2831855f;

// A closed circle through (r cos t, r sin t, c) for t = 0, 0.1, ... below 2 pi.
void CircleXY(float r, float c) {
    glBegin(GL_LINE_LOOP);
    for (float t = 0.0f; t < kTwoPi; t += 0.1f) glVertex3f(r * std::cos(t), r * std::sin(t), c);
    glEnd();
}

enum class GridKind { AltAzi, RaDec };

void DrawGrid(GridKind kind, bool batchLabels) {
    // Meridians: six great circles 30 degrees apart (the rotations accumulate).
    for (int m = 0; m < 6; ++m) {
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
        CircleXY(1.0f, 0.0f);
        const platform::TextBatch labels(batchLabels);
        for (int u = 0; u < 360; u += 30) {
            const double rad = u * g_degToRad;
            glRasterPos3f(static_cast<float>(std::cos(rad)), static_cast<float>(std::sin(rad)), 0.0f);
            if (kind == GridKind::AltAzi)
                PrintLabel("%d", MeridianLabelValue(u));
            else
                PrintLabel("     ,%d", MeridianLabelValue(u));
        }
    }
    // Parallels at polar angles 0, 30, ... 150 degrees.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    for (int p = 0; p < 180; p += 30) {
        const float r = static_cast<float>(std::sin(p * g_degToRad));
        const float c = static_cast<float>(std::cos(p * g_degToRad));
        CircleXY(r, c);
        const platform::TextBatch labels(batchLabels);
        for (int u = 0; u < 360; u += 30) {
            const double rad = u * g_degToRad;
            glRasterPos3f(r * static_cast<float>(std::cos(rad)), r * static_cast<float>(std::sin(rad)), c);
            if (kind == GridKind::AltAzi) {
                PrintLabel("     ,%d", (360 - u) % 360);
            } else {
                int hour = u / 15 + 6;
                if (hour >= 24) hour -= 24;
                PrintLabel("%dh", hour);
            }
        }
    }
}

} // namespace

int MeridianLabelValue(int u) {
    int v = u;
    if (v > 180) v -= 360;
    v = -v;
    if (v > 90) v = 180 - v;
    if (v < -90) v = -180 - v;
    return v;
}

void DrawCompass(const SkyState& s, bool batchLabels) {
    LoadFrame(s, SkyFrame::Horizon);
    NightColour(s, 0.3f, 0.6f, 0.3f, 0.5f);
    const platform::TextBatch labels(batchLabels);
    static const struct {
        float x, z;
        const char* word;
    } kWords[] = {{0.0f, 1.1f, "East"}, {0.0f, -1.1f, "West"}, {1.1f, 0.0f, "South"}, {-1.1f, 0.0f, "North"}};
    for (const auto& w : kWords) {
        glRasterPos3f(w.x, -0.01f, w.z);
        PrintLabel("%s", w.word);
    }
}

void DrawEyepiece(const SkyState& s) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -(75.0f - s.m_eyepieceSize));
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glDisable(GL_LINE_SMOOTH);
    NightColour(s, 0.8f, 0.8f, 0.8f, 0.8f);
    CircleXY(1.0f, 0.0f);
    glEnable(GL_LINE_SMOOTH);
}

void DrawAltAziGrid(const SkyState& s, bool batchLabels) {
    LoadFrame(s, SkyFrame::Horizon);
    NightColour(s, 0.1f, 0.5f, 0.4f, 0.3f);
    DrawGrid(GridKind::AltAzi, batchLabels);
}

void DrawRaDecGrid(const SkyState& s, bool batchLabels) {
    LoadFrame(s, SkyFrame::Equatorial);
    NightColour(s, 0.2f, 0.4f, 0.5f, 0.5f);
    DrawGrid(GridKind::RaDec, batchLabels);
}

void DrawEcliptic(const SkyState& s) {
    LoadFrame(s, SkyFrame::Ecliptic);
    NightColour(s, 0.8f, 0.8f, 0.2f, 0.3f);
    CircleXY(1.0f, 0.0f);
}

void DrawHorizonRing(const SkyState& s) {
    LoadFrame(s, SkyFrame::Horizon);
    glRotatef(ChainOf(s).localSiderealRotation, 0.0f, 1.0f, 0.0f);
    NightColour(s, 0.4f, 0.9f, 0.4f, 0.4f);
    glLineWidth(2.0f);
    glBegin(GL_LINE_LOOP);
    for (float t = 0.0f; t < kTwoPi; t += 0.1f) glVertex3f(0.5f * std::cos(t), 0.0f, 0.5f * std::sin(t));
    glEnd();
    glLineWidth(1.0f);
}

} // namespace nv
