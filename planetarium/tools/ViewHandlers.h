// The sky view's navigation, time-control and eyepiece handlers as functions of the sky state and
// of a small interface to what the view provides (pickers, navigation bar, zoom bar, timer 1,
// mouse capture, the redraw sequence). The view's own handlers become one-line forwards.
//
// How CNightvaneGlView calls them (`s` is the view's nv::SkyState, `host` its ViewHost):
//
//   wheelEvent(e)           -> nv::tools::OnMouseWheel(s, host, e->angleDelta().y());
//   mousePressEvent(e)      -> if (e->button() == Qt::LeftButton)
//                                  nv::tools::OnLButtonDown(s, host, pos.x(), pos.y());
//   mouseMoveEvent(e)       -> nv::tools::OnMouseMove(s, host, pos.x(), pos.y());
//                              (needs setMouseTracking(true) or a held button; it only acts while
//                              m_mouseDown is set)
//   mouseReleaseEvent(e)    -> if (e->button() == Qt::LeftButton) nv::tools::OnLButtonUp(s, host);
//   keyPressEvent(e)        -> if (!nv::tools::OnKeyDown(s, host, nv::tools::VirtualKeyFromQt(e->key())))
//                                  QOpenGLWidget::keyPressEvent(e);
//   timer 1 tick            -> nv::tools::OnTimer(s, host);
//   commands 1032 .. 1039   -> nv::tools::OnNavButton(s, host, id);
//   command 1041, 1042      -> nv::tools::OnCoordinateMode(s, host);
//   command 1045 "Goto"     -> nv::tools::OnGoto(s, host);
//   command 32779           -> nv::tools::OnNorth(s, host);
//   command 32801           -> nv::tools::OnLockOn(s, host);
//   command 32809 / 32810   -> nv::tools::OnFlipH(s, host); / nv::tools::OnFlipV(s, host);
//   command 32794 / 32802   -> nv::tools::OnPlay(s, host);
//   command 32795 / 32803   -> nv::tools::OnPause(s, host);
//   command 32796           -> nv::tools::OnAnimationSettings(s, host);
//   picker 1001/1002 edited -> nv::tools::OnDateTimeChange(s, host);
//                              (connect to the pickers' dateTimeChanged/editingFinished; the host's
//                              SetDatePicker/SetTimePicker must write with signals blocked so that a
//                              programmatic write does not come back as a user change)
//   command 32798           -> nv::tools::OnResetTime(s, host);
//   command 32805           -> nv::tools::OnEyepieceSize(s, host);
//   details, Find, Settings and marathon dialogs, before they open:
//                           -> nv::tools::StopAnimation(s, host);
//   OnInitialUpdate         -> nv::tools::UpdateSkyClock(s, host); ... nv::tools::UpdateReadout(s, host);
//
// The view keeps a nv::tools::FrameViewHost<CNightvaneGlView, CMainFrame> m_host{*this}
// (planetarium/tools/FrameViewHost.h), the ViewHost over CMainFrame's accessors and its own timer,
// mouse grab and redraw.
// RenderScene re-aims a locked camera every frame (nv::tools::ApplyLockOn for a sky point).
#pragma once

#include "astro/AutomationDate.h"
#include "astro/SkyClock.h"
#include "planetarium/SkyState.h"

#include <string>

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
    virtual std::string GetCoordinateText(int editId) const = 0;
    virtual void SetReadoutTexts(const std::string& text1043, const std::string& text1044) = 0;

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
    // The computer's local time (tests may fix it).
    virtual astro::DateTimeFields LocalNow() const;
};

inline constexpr int kTimerPeriodMs = 50;
inline constexpr int kTimerId = 1;

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
