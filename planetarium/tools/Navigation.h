// Camera arithmetic of the sky view: zoom steps, the zoom indicator, glides, the drag step, the
// targets of the arrow keys, navigation buttons and Goto, north, lock-on and the two flips.
// Plain functions over nv::SkyState; nothing here touches widgets, timers or OpenGL.
#pragma once

#include "astro/AstroMath.h"
#include "planetarium/SkyState.h"

namespace nv::tools {

// --- zoom ---------------------------------------------------------------------------------------
// The field of view moves by 2 degrees per step and keeps its sign (the vertical flip); its
// magnitude stays between 1 and 65.
float ZoomInFov(float fov);
float ZoomOutFov(float fov);

// The zoom bar runs from 1 to 65 and is fuller the further the view is zoomed in, in either flip
// state: 65 - trunc(fov) for a positive field, trunc(fov) + 65 for a flipped one.
inline constexpr int kZoomIndicatorMin = 1;
inline constexpr int kZoomIndicatorMax = static_cast<int>(kWidestFov);
int ZoomIndicatorValue(float fov);

// --- glide --------------------------------------------------------------------------------------
void StartGlideTargets(SkyState& s, float targetPitch, float targetYaw);

// One axis of a glide step: turn 4 degrees the short way round toward the target, or land on it
// exactly when it is less than 5 degrees away. Returns true when the axis snapped.
bool GlideAxisStep(float& angle, float target);

// One glide step of both axes. Clears g_gliding when both angles equal their targets. Returns true
// when both axes snapped on this step (the timer then need not be re-armed).
bool StepGlideAngles(SkyState& s);

// --- drag ---------------------------------------------------------------------------------------
// Left-button press: anchor the drag and release any lock.
void BeginDrag(SkyState& s, int x, int y);
// One pointer move while the button is held. A move that turns back on an axis re-anchors that
// axis and contributes nothing to it.
void DragStep(SkyState& s, int x, int y);
void EndDrag(SkyState& s);

// --- keys and buttons ---------------------------------------------------------------------------
enum class ArrowKey { Left, Right, Up, Down };
struct GlideTarget {
    float pitch;
    float yaw;
};
// Zoom-scaled glide target of an arrow key: 10 degrees at full zoom-out, negative when flipped.
GlideTarget ArrowKeyTarget(const SkyState& s, ArrowKey key);

// Navigation bar buttons IDC_FACE_NORTH .. IDC_TURN_RIGHT. The first four face north, south, east or west 30
// degrees up (and reset the field of view to 65); the other four glide 10 degrees up, down, left or right.
bool IsCompassButton(int id); // IDC_FACE_NORTH .. IDC_FACE_WEST
GlideTarget NavButtonTarget(const SkyState& s, int id);

// --- sky directions -----------------------------------------------------------------------------
// localSiderealRotation of the state's sky clock and place, as the rotation chain uses it.
float LocalSiderealRotation(const SkyState& s);

using SkyVector = astro::Vec3;
// The catalogue (J2000) direction at the centre of the view (the line of sight carried back
// through the pitch, yaw, latitude, sidereal and precession rotations), as the equatorial readout
// computes it.
SkyVector ViewCentreEquatorial(const SkyState& s);
// Camera angles that put a catalogue (J2000) direction at the centre of the view on the sky
// clock's date.
GlideTarget AimAtEquatorial(const SkyState& s, SkyVector v);

// --- Goto ---------------------------------------------------------------------------------------
// Alt/Azi mode: altitude and azimuth in degrees (azimuth from north through east).
GlideTarget GotoAltAziTarget(double altitude, double azimuth);
// RA/Dec mode: right ascension in hours, declination in degrees; the exact inverse of the
// equatorial readout for the current place and sky clock.
GlideTarget GotoRaDecTarget(const SkyState& s, double raHours, double decDegrees);

// --- one-shot commands --------------------------------------------------------------------------
// Face due north 30 degrees up at once; the zoom is unchanged.
void CenterOnNorth(SkyState& s);
// Lock on the sky point at the centre of the view (g_lockIsBody is left as it is).
void LockOnViewCentre(SkyState& s);
void FlipHorizontal(SkyState& s);
void FlipVertical(SkyState& s);

} // namespace nv::tools
