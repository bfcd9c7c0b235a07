#include "planetarium/tools/ViewHandlers.h"

#include "astro/SkyRotation.h"
#include "astro/TextFields.h"
#include "planetarium/CommandIds.h"
#include "planetarium/SkyChain.h"
#include "planetarium/tools/EyepieceDlg.h"
#include "planetarium/tools/Navigation.h"
#include "planetarium/tools/TimeControl.h"
#include "platform/AnimationDlg.h"

#include <Qt>
#include <cstdio>

namespace nv::tools {

astro::DateTimeFields ViewHost::LocalNow() const {
    return nv::tools::LocalNow();
}

int VirtualKeyFromQt(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return kVkLeft;
    case Qt::Key_Up:
        return kVkUp;
    case Qt::Key_Right:
        return kVkRight;
    case Qt::Key_Down:
        return kVkDown;
    case Qt::Key_A:
        return kVkA;
    case Qt::Key_Z:
        return kVkZ;
    default:
        return 0;
    }
}

void UpdateSkyClock(SkyState& s, ViewHost& host) {
    astro::UpdateSiderealAngle(astro::ClockFromPickers(host.GetDatePicker(), host.GetTimePicker()), s);
}

std::pair<std::string, std::string> ReadoutTexts(const astro::ViewCentreReadout& r, bool altAzi) {
    char first[400], second[400]; // "%f" of the largest double is 316 characters
    std::snprintf(first, sizeof first, altAzi ? "%f" : "%f h", r.first);
    std::snprintf(second, sizeof second, "%f", r.second);
    return {first, second};
}

void UpdateReadout(const SkyState& s, ViewHost& host) {
    const bool altAzi = host.IsAltAziChecked();
    const astro::ViewCentreReadout r = astro::UpdateViewCentreReadout(ChainOf(s), altAzi);
    const auto [first, second] = ReadoutTexts(r, altAzi);
    host.SetReadoutTexts(first, second);
}

void ShowZoom(const SkyState& s, ViewHost& host) {
    host.SetZoomIndicator(kZoomIndicatorMin, kZoomIndicatorMax, ZoomIndicatorValue(s.g_fov));
}

void StartGlide(SkyState& s, ViewHost& host, float targetPitch, float targetYaw) {
    StartGlideTargets(s, targetPitch, targetYaw);
    host.SetTimer1();
}

bool StepGlide(SkyState& s, ViewHost& host) {
    const bool bothSnapped = StepGlideAngles(s);
    UpdateReadout(s, host);
    if (!bothSnapped) host.SetTimer1();
    return bothSnapped;
}

void StepAnimation(SkyState& s, ViewHost& host) {
    const std::optional<double> t =
        astro::AnimationStep(host.GetDatePicker(), host.GetTimePicker(), s.m_animUnit, s.m_animCount);
    if (t) {
        host.SetDatePicker(*t);
        host.SetTimePicker(*t);
    }
    UpdateSkyClock(s, host);
    UpdateReadout(s, host);
    host.SetTimer1();
}

void StopAnimation(SkyState& s, ViewHost& host) {
    s.m_animating = false;
    host.KillTimer1();
}

namespace {
void Zoom(SkyState& s, ViewHost& host, bool in) {
    s.g_fov = in ? ZoomInFov(s.g_fov) : ZoomOutFov(s.g_fov);
    host.ApplyProjection();
    ShowZoom(s, host);
    host.Redraw();
}
} // namespace

void OnMouseWheel(SkyState& s, ViewHost& host, int delta) {
    if (delta == 0) return; // no vertical motion (a sideways scroll): the field stays
    Zoom(s, host, delta > 0);
}

void OnLButtonDown(SkyState& s, ViewHost& host, int x, int y) {
    BeginDrag(s, x, y);
    host.CaptureMouse();
}

void OnMouseMove(SkyState& s, ViewHost& host, int x, int y) {
    if (!s.m_mouseDown) return;
    DragStep(s, x, y);
    host.Redraw();
}

void OnLButtonUp(SkyState& s, ViewHost& host) {
    const bool wasDragging = s.m_mouseDown;
    EndDrag(s);
    if (wasDragging) host.ReleaseMouseCapture();
    UpdateReadout(s, host);
}

bool OnKeyDown(SkyState& s, ViewHost& host, int virtualKey) {
    ArrowKey key;
    switch (virtualKey) {
    case kVkLeft:
        key = ArrowKey::Left;
        break;
    case kVkRight:
        key = ArrowKey::Right;
        break;
    case kVkUp:
        key = ArrowKey::Up;
        break;
    case kVkDown:
        key = ArrowKey::Down;
        break;
    case kVkA:
        Zoom(s, host, true);
        return true;
    case kVkZ:
        Zoom(s, host, false);
        return true;
    default:
        return false;
    }
    const GlideTarget t = ArrowKeyTarget(s, key);
    StartGlide(s, host, t.pitch, t.yaw);
    UpdateReadout(s, host);
    return true;
}

void OnTimer(SkyState& s, ViewHost& host) {
    host.KillTimer1();
    if (s.m_animating) StepAnimation(s, host);
    if (s.g_gliding) StepGlide(s, host);
    host.Redraw();
}

void OnNavButton(SkyState& s, ViewHost& host, int id) {
    if (id < IDC_FACE_NORTH || id > IDC_TURN_RIGHT) return;
    const GlideTarget t = NavButtonTarget(s, id);
    if (IsCompassButton(id)) {
        s.g_fov = kWidestFov;
        host.ApplyProjection();
        ShowZoom(s, host);
        if (id != IDC_FACE_NORTH) {
            UpdateReadout(s, host);
            host.Redraw();
        }
    } else {
        UpdateReadout(s, host);
    }
    StartGlide(s, host, t.pitch, t.yaw);
}

void OnCoordinateMode(SkyState& s, ViewHost& host) {
    UpdateReadout(s, host);
}

void OnGoto(SkyState& s, ViewHost& host) {
    // Typed coordinates are read as atof reads them: a trailing " h" is ignored, no number is 0.
    const double first = text::ToDouble(host.GetCoordinateText(IDC_COORD_FIRST));
    const double second = text::ToDouble(host.GetCoordinateText(IDC_COORD_SECOND));
    const GlideTarget t =
        host.IsAltAziChecked() ? GotoAltAziTarget(first, second) : GotoRaDecTarget(s, first, second);
    StartGlide(s, host, t.pitch, t.yaw);
    UpdateReadout(s, host);
}

void OnNorth(SkyState& s, ViewHost& host) {
    CenterOnNorth(s);
    UpdateReadout(s, host);
    host.Redraw();
}

void OnLockOn(SkyState& s, ViewHost& host) {
    LockOnViewCentre(s);
    host.Redraw();
}

void OnFlipH(SkyState& s, ViewHost& host) {
    FlipHorizontal(s);
    host.ApplyProjection();
    host.Redraw();
}

void OnFlipV(SkyState& s, ViewHost& host) {
    FlipVertical(s);
    host.ApplyProjection();
    host.Redraw();
}

void OnPlay(SkyState& s, ViewHost& host) {
    s.m_animating = true;
    host.SetTimer1();
}

void OnPause(SkyState& s, ViewHost& host) {
    host.KillTimer1();
    s.m_animating = false;
    host.Redraw();
}

void OnAnimationSettings(SkyState& s, ViewHost& host) {
    host.KillTimer1();
    CAnimationDlg dlg(host.DialogParent());
    dlg.exec();
    if (dlg.m_played == 1) {
        s.m_animUnit = dlg.m_unit;
        s.m_animCount = dlg.m_count;
        s.m_animating = true;
        host.SetTimer1();
    }
    UpdateReadout(s, host);
    host.Redraw();
}

void OnDateTimeChange(SkyState& s, ViewHost& host) {
    UpdateSkyClock(s, host);
    UpdateReadout(s, host);
    host.Redraw();
}

void OnResetTime(SkyState& s, ViewHost& host) {
    const std::optional<PickerValues> now = PickersForNow(host.LocalNow());
    if (now) {
        host.SetDatePicker(now->date);
        host.SetTimePicker(now->time);
    }
    UpdateSkyClock(s, host);
    UpdateReadout(s, host);
    host.Redraw();
}

void OnEyepieceSize(SkyState& s, ViewHost& host) {
    CEyepieceDlg dlg(host.DialogParent());
    dlg.m_size = s.m_eyepieceSize;
    dlg.exec();
    if (dlg.m_accepted) {
        s.m_eyepieceSize = dlg.m_size;
        host.Redraw();
    }
}

} // namespace nv::tools
