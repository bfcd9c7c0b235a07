// The sky chart's shared state: the view's camera, switches and clock, and the program-wide
// values that the drawing code, the tools and the dialogs read. One instance lives in the
// application (owned by the sky view); the renderer and the tools take it by reference, so tests
// can build their own.
#pragma once

#include "astro/AstroMath.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"

#include <array>
#include <string>

namespace nv {

using astro::g_degToRad;
using astro::g_radToDeg;

// Star table slots are indexed directly by Hipparcos number (0 .. 118321).
inline constexpr int kStarSlots = 118322;
// Catalogue lines read by the loader (Hipparcos numbers 1 .. 118321).
inline constexpr int kCatalogueLines = 118321;
inline constexpr int kMessierCount = 110;
// The pick of a right click on empty sky: outside every selection name (stars 0 .. 118320, bodies,
// Messier pictures).
inline constexpr int kPickNone = -1;

// The home view: facing north, 30 degrees above the horizon (pitch is minus the altitude of the
// view centre; yaw 90 faces north, 0 east, 180 west, 270 south).
inline constexpr float kHomePitch = -30.0f;
inline constexpr float kHomeYaw = 90.0f;
// The zoom keeps the magnitude of the vertical field of view between these (degrees).
inline constexpr float kWidestFov = 65.0f;
inline constexpr float kNarrowestFov = 1.0f;

// One star: a unit direction (x = -cos d sin a, y = -sin d, z = cos d cos a), the colour
// class 0..7 and the magnitude as shown to the user.
struct StarRecord {
    float x = 0, y = 0, z = 0;
    float spectralClass = 0;
    float magnitude = 0;
};

struct Vec3f {
    float x = 0, y = 0, z = 0;
};

// The star table's unit vector of a right ascension and declination in degrees, in single
// precision.
inline Vec3f SkyDirection(double raDeg, double decDeg) {
    const astro::Vec3 v = astro::EquatorialVector(raDeg, decDeg);
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// The catalogue tables the view owns for the whole run. Large: allocate on the heap.
struct SkyCatalog {
    std::array<StarRecord, kStarSlots> m_stars{};
    std::array<std::string, kStarSlots> m_starNames;
    std::array<Vec3f, kMessierCount> m_messierCentre{};
    std::array<std::array<Vec3f, 4>, kMessierCount> m_messierCorners{};
};

// The fourteen layer switches of the View and Eye piece menus, one byte each, in this order
// (the fifteenth, night vision, is program-wide: SkyState::g_nightVision).
struct LayerSwitches {
    bool m_showAltAzi = false;
    bool m_showStars = false;
    bool m_showStarNames = false;
    bool m_showRaDec = false;
    bool m_showEcliptic = false;
    bool m_showPlanets = false;
    bool m_showGround = false;
    bool m_showMilkyWay = false;
    bool m_showConstLines = false;
    bool m_showConstNames = false;
    bool m_showMessiers = false;
    bool m_showMessierNames = false;
    bool m_showDayLight = false;
    bool m_showEyepiece = true;
};
static_assert(sizeof(LayerSwitches) == 14);

struct SkyState {
    // --- the view's camera and its own state ---
    float m_viewPitch = kHomePitch; // rotation about the screen's horizontal axis, degrees
    float m_viewYaw = kHomeYaw;     // rotation about the vertical axis, degrees
    float m_eyeX = 0, m_eyeY = 0, m_eyeZ = 0;
    unsigned m_texture = 0; // texture name to bind next
    // Loads of the picture slots so far: drawing redoes what it found in the pictures.
    unsigned m_picturesLoaded = 0;
    int m_dragStartX = 0, m_dragStartY = 0;
    bool m_mouseDown = false;
    int m_dragLastX = 0, m_dragLastY = 0;
    float m_dayNumber = 0; // day number of the sky clock, as computed by the last frame
    LayerSwitches sw;      // layer switches, accessed as state.sw.m_showStars
    bool m_animating = false;
    int m_animUnit = 1;  // 1 minute, 2 hour, 3 day, 4 year
    int m_animCount = 1; // units per animation tick
    float m_eyepieceSize = 1.0f;

    // --- program-wide sky state ---
    float g_fov = kWidestFov; // vertical field of view; negative = flipped upside down
    bool g_flipHorizontal = false;
    int g_viewWidth = 0, g_viewHeight = 0;
    // The observer's place and zone start where astro::ObserverPlace starts.
    double g_latitude = astro::ObserverPlace{}.latitude;              // north positive
    double g_longitude = astro::ObserverPlace{}.longitude;            // east positive
    float g_gmtOffset = astro::ObserverPlace{}.gmtOffset;             // local time minus UT, hours
    int g_year = 0, g_month = 0, g_day = 0, g_hour = 0, g_minute = 0; // local clock
    float g_siderealAngle = 0;                                        // degrees in [0, 360)
    bool g_nightVision = false;
    bool g_dayLightActive = true;
    float g_dayLightLevel = 0;
    bool g_lockOn = false;
    float g_lockX = 0, g_lockY = 0, g_lockZ = 0;
    bool g_lockIsBody = false;
    std::string g_lockName;
    bool g_gliding = false;
    float g_glideTargetPitch = 0, g_glideTargetYaw = 0;
    int g_pickedName = kPickNone; // selection name of the last right click
    bool g_savePending = false;
};

} // namespace nv
