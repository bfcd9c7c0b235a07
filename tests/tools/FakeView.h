// A stand-in for the sky view's window, so tests can drive the handlers one timer tick at a time.
#pragma once

#include "astro/AutomationDate.h"
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

// What the tests look at: the pickers, the redraw count and timer 1; the bars are left blank.
class FakeView : public nv::tools::ViewHost {
public:
    explicit FakeView(nv::SkyState& s) : m_state(s) {}

    nv::SkyState& m_state;
    double datePicker = AutoDate(2024, 3, 20, 22, 0), timePicker = datePicker;
    int redraws = 0;
    bool timerArmed = false;

    astro::PickerValue GetDatePicker() const override { return {datePicker, true}; }
    astro::PickerValue GetTimePicker() const override { return {timePicker, true}; }
    void SetDatePicker(double v) override { datePicker = v; }
    void SetTimePicker(double v) override { timePicker = v; }
    void SetZoomIndicator(int, int, int) override {}
    bool IsAltAziChecked() const override { return true; }
    std::string GetCoordinateText(int) const override { return {}; }
    void SetReadoutTexts(const std::string&, const std::string&) override {}
    void ApplyProjection() override {}
    void SetTimer1() override { timerArmed = true; }
    void KillTimer1() override { timerArmed = false; }
    void CaptureMouse() override {}
    void ReleaseMouseCapture() override {}
    void Redraw() override { ++redraws; }
    QWidget* DialogParent() const override { return nullptr; }
    astro::DateTimeFields LocalNow() const override { return {2025, 7, 4, 21, 17, 42}; }

    // One tick of timer 1 if it is armed.
    bool Tick() {
        if (!timerArmed) return false;
        nv::tools::OnTimer(m_state, *this);
        return true;
    }
};

// Runs `f` on the next modal dialog once it is shown (call before the code that opens it).
inline void OnNextModal(std::function<void(QWidget*)> f) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, f]() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        f(w);
    });
    timer->start();
}

} // namespace nvtest
