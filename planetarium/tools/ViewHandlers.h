// The sky view's navigation, time-control and eyepiece handlers as functions of the sky state and
// of a small interface to what the view provides (pickers, navigation bar, zoom bar, timer 1,
// mouse capture, the redraw sequence). The view's own handlers become one-line forwards.
//
// The view's handlers are one-line forwards to these (for example
// `void CNightvaneGlView::OnGoto() { nv::tools::OnGoto(m_state, m_host); }`), with a
// nv::tools::FrameViewHost (planetarium/tools/FrameViewHost.h) as the host. Each frame re-aims a
// locked camera itself (nv::ReaimLockOn in the frame update).
#pragma once

#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"
#include "astro/SkyRotation.h"
#include "planetarium/SkyState.h"

#include <string>
#include <utility>

class QWidget;

namespace nv::tools {

class ViewHost {
public:
    virtual ~ViewHost() = default;

    // Top bar pickers (1002 date, 1001 time) as automation dates. The date picker's value keeps the
    // time of day last written into it.
    virtual astro::PickerValue GetDatePicker() const = 0;
    virtual astro::PickerValue GetTimePicker() const = 0;
    virtual void SetDatePicker(double value) = 0;
    virtual void SetTimePicker(double value) = 0;

    // Zoom bar 1003: range and position.
    virtual void SetZoomIndicator(int minimum, int maximum, int position) = 0;

    // Navigation bar: "Alt / Azi" (1042) checked, and the two coordinate edits 1043 and 1044.
    virtual bool IsAltAziChecked() const = 0;
    virtual void SetAltAziChecked(bool) {}
    virtual std::string GetCoordinateText(int editId) const = 0;
    virtual void SetReadoutTexts(const std::string& first, const std::string& second) = 0;

    // The projection of the current g_fov, flips and view size (ApplyProjection).
    virtual void ApplyProjection() = 0;
    // Timer 1 of the view, 50 ms: SetTimer re-arms it, KillTimer stops it.
    virtual void SetTimer1() = 0;
    virtual void KillTimer1() = 0;
    // Mouse capture for the length of a drag, so a release outside the view ends it.
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouseCapture() = 0;
    // The redraw sequence: RenderScene, then the buffer swap, synchronously.
    virtual void Redraw() = 0;
    // Owner of the modal dialogs.
    virtual QWidget* DialogParent() const = 0;
    // The layer switches changed other than through their menu items (the menus' check marks
    // follow).
    virtual void SwitchesChanged() {}
    // The right-click menu at a point of the view, its first item reading `firstItem`.
    virtual void ShowContextMenu(int /*x*/, int /*y*/, const std::string& /*firstItem*/) {}
    // The star table with its names and the Messier table the view draws (null where none).
    virtual const SkyCatalog* Catalogue() const { return nullptr; }
    // Device pixels per view pixel of the frame's viewport.
    virtual double DevicePixelRatio() const { return 1.0; }
    // The computer's local time (tests may fix it).
    virtual astro::DateTimeFields LocalNow() const;
};

// Virtual-key codes the key handler understands.
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkA = 0x41; // 'A'
inline constexpr int kVkZ = 0x5A; // 'Z'
// A Qt key code as the virtual-key code above (letters are the same); 0 for other keys.
int VirtualKeyFromQt(int qtKey);

// --- shared steps ---------------------------------------------------------------------------------
// UpdateSiderealAngle from the pickers.
void UpdateSkyClock(SkyState& s, ViewHost& host);
// The texts of the two coordinate edits for a readout: "%f" each, " h" after a right ascension.
std::pair<std::string, std::string> ReadoutTexts(const astro::ViewCentreReadout& readout, bool altAzi);
// UpdateViewCentreReadout with the current angles, into edits 1043 and 1044.
void UpdateReadout(const SkyState& s, ViewHost& host);
// ShowZoom: the zoom bar from g_fov.
void ShowZoom(const SkyState& s, ViewHost& host);
// StartGlide: store the targets, set g_gliding, arm timer 1.
void StartGlide(SkyState& s, ViewHost& host, float targetPitch, float targetYaw);
// One glide step (timer tick); re-arms the timer unless both angles snapped. Returns whether
// both angles snapped on this step.
bool StepGlide(SkyState& s, ViewHost& host);
// One animation step (timer tick): pickers forward by the step, sky clock, readout, re-arm.
void StepAnimation(SkyState& s, ViewHost& host);
// What the object details, Find, Settings and marathon dialogs do before they open.
void StopAnimation(SkyState& s, ViewHost& host);

// --- the handlers ---------------------------------------------------------------------------------
// `delta` is the vertical wheel motion; 0 (a sideways scroll) changes nothing.
void OnMouseWheel(SkyState& s, ViewHost& host, int delta);
void OnLButtonDown(SkyState& s, ViewHost& host, int x, int y);
void OnMouseMove(SkyState& s, ViewHost& host, int x, int y);
void OnLButtonUp(SkyState& s, ViewHost& host);
// Returns false for keys it does not handle.
bool OnKeyDown(SkyState& s, ViewHost& host, int virtualKey);
void OnTimer(SkyState& s, ViewHost& host);
void OnNavButton(SkyState& s, ViewHost& host, int id);
void OnCoordinateMode(SkyState& s, ViewHost& host);
void OnGoto(SkyState& s, ViewHost& host);
void OnNorth(SkyState& s, ViewHost& host);
void OnLockOn(SkyState& s, ViewHost& host);
void OnFlipH(SkyState& s, ViewHost& host);
void OnFlipV(SkyState& s, ViewHost& host);
void OnPlay(SkyState& s, ViewHost& host);
void OnPause(SkyState& s, ViewHost& host);
void OnAnimationSettings(SkyState& s, ViewHost& host);
void OnDateTimeChange(SkyState& s, ViewHost& host);
void OnResetTime(SkyState& s, ViewHost& host);
void OnEyepieceSize(SkyState& s, ViewHost& host);

} // namespace nv::tools
