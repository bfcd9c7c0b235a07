// A stand-in for the sky view's window: pickers, bars, timer 1 and the redraw sequence, recorded
// so tests can drive the handlers and look at what the window would show.
#pragma once

#include "NextModal.h"
#include "astro/AutomationDate.h"
#include "planetarium/tools/Navigation.h"
#include "planetarium/tools/ViewHandlers.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

namespace nvtest {

inline double AutoDate(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v);
    return v;
}

inline astro::DateTimeFields AutoFields(double v) {
    astro::DateTimeFields f;
    astro::FieldsFromAutomationDate(v, f);
    return f;
}

class FakeView : public nv::tools::ViewHost {
public:
    explicit FakeView(nv::SkyState& s) : m_state(s) {}

    nv::SkyState& m_state;
    double datePicker = AutoDate(2024, 3, 20, 22, 0), timePicker = datePicker;
    int zoomMin = 0, zoomMax = 0, zoomPos = -1, projections = 0, redraws = 0;
    bool altAzi = true, timerArmed = false, captured = false;
    std::string edit1043, edit1044;
    astro::DateTimeFields now{2025, 7, 4, 21, 17, 42};

    astro::PickerValue GetDatePicker() const override { return {datePicker, true}; }
    astro::PickerValue GetTimePicker() const override { return {timePicker, true}; }
    void SetDatePicker(double v) override { datePicker = v; }
    void SetTimePicker(double v) override { timePicker = v; }
    void SetZoomIndicator(int lo, int hi, int pos) override { zoomMin = lo, zoomMax = hi, zoomPos = pos; }
    bool IsAltAziChecked() const override { return altAzi; }
    std::string GetCoordinateText(int id) const override { return id == 1043 ? edit1043 : edit1044; }
    void SetReadoutTexts(const std::string& a, const std::string& b) override { edit1043 = a, edit1044 = b; }
    void ApplyProjection() override { ++projections; }
    void SetTimer1() override { timerArmed = true; }
    void KillTimer1() override { timerArmed = false; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouseCapture() override { captured = false; }
    // A frame re-aims a locked camera, as RenderScene does.
    void Redraw() override {
        ++redraws;
        nv::tools::ApplyLockOn(m_state);
    }
    QWidget* DialogParent() const override { return nullptr; }
    astro::DateTimeFields LocalNow() const override { return now; }

    // One tick of timer 1 if it is armed.
    bool Tick() {
        if (!timerArmed) return false;
        nv::tools::OnTimer(m_state, *this);
        return true;
    }
    void TickUntilIdle() {
        for (int n = 0; n < 1000 && Tick(); ++n) {
        }
    }
};

} // namespace nvtest
