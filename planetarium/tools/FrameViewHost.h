// The ViewHost of the real window, over the main window's bars (FrameBars) and the view's timer,
// mouse and redraw. Header only, so the tools do not link the application:
//
//   class CNightvaneGlView : public QOpenGLWidget {
//       ...
//       nv::tools::FrameViewHost<CNightvaneGlView> m_host{*this};
//   };
//   void CNightvaneGlView::OnGoto() { nv::tools::OnGoto(m_state, m_host); }
//
// View needs: frame() (a FrameBars*, may be null), state(), catalog(), timer() (SetTimer(id, ms),
// KillTimer(id)), Redraw(), grabMouse()/releaseMouse(), mapToGlobal() and devicePixelRatioF() (any
// QWidget), and ResizeScene(cx, cy) with makeCurrent()/doneCurrent().
#pragma once

#include "planetarium/CommandIds.h"
#include "planetarium/tools/FrameBars.h"
#include "planetarium/tools/ViewHandlers.h"
#include "platform/QtPickers.h"

#include <QString>

namespace nv::tools {

template <class View> class FrameViewHost final : public ViewHost {
public:
    explicit FrameViewHost(View& view) : m_view(view) {}

    astro::PickerValue GetDatePicker() const override { return Picker(); }
    astro::PickerValue GetTimePicker() const override { return Picker(); }
    void SetDatePicker(double value) override {
        FrameBars* f = m_view.frame();
        const QDate d = platform::PickerDate(value);
        if (f && d.isValid()) f->SetPickerDateTime(QDateTime(d, f->PickerDateTime().time()));
    }
    void SetTimePicker(double value) override {
        FrameBars* f = m_view.frame();
        const QTime t = platform::PickerTime(value);
        if (f && t.isValid()) f->SetPickerDateTime(QDateTime(f->PickerDateTime().date(), t));
    }
    void SetZoomIndicator(int, int, int position) override {
        if (FrameBars* f = m_view.frame()) f->SetZoomIndicator(position);
    }
    bool IsAltAziChecked() const override {
        const FrameBars* f = m_view.frame();
        return f ? f->IsAltAziReadout() : true;
    }
    void SetAltAziChecked(bool altAzi) override {
        if (FrameBars* f = m_view.frame()) f->SetAltAziReadout(altAzi);
    }
    std::string GetCoordinateText(int editId) const override {
        const FrameBars* f = m_view.frame();
        if (!f) return {};
        const auto texts = f->ReadoutTexts();
        return (editId == IDC_COORD_FIRST ? texts.first : texts.second).toStdString();
    }
    void SetReadoutTexts(const std::string& a, const std::string& b) override {
        if (FrameBars* f = m_view.frame())
            f->SetReadoutTexts(QString::fromStdString(a), QString::fromStdString(b));
    }
    void SwitchesChanged() override {
        if (FrameBars* f = m_view.frame()) f->UpdateCheckMarks();
    }
    void ShowContextMenu(int x, int y, const std::string& firstItem) override {
        if (FrameBars* f = m_view.frame())
            f->PopupContextMenu(m_view.mapToGlobal(QPoint(x, y)), QString::fromStdString(firstItem));
    }
    const SkyCatalog* Catalogue() const override { return &m_view.catalog(); }
    double DevicePixelRatio() const override { return m_view.devicePixelRatioF(); }
    void ApplyProjection() override {
        m_view.makeCurrent();
        m_view.ResizeScene(m_view.state().g_viewWidth, m_view.state().g_viewHeight);
        m_view.doneCurrent();
    }
    void SetTimer1() override { m_view.timer().SetTimer(kViewTimerId, kViewTimerPeriodMs); }
    void KillTimer1() override { m_view.timer().KillTimer(kViewTimerId); }
    void CaptureMouse() override { m_view.grabMouse(); }
    void ReleaseMouseCapture() override { m_view.releaseMouse(); }
    void Redraw() override { m_view.Redraw(); }
    QWidget* DialogParent() const override { return &m_view; }

private:
    astro::PickerValue Picker() const {
        const FrameBars* f = m_view.frame();
        return f ? platform::PickerValueFrom(f->PickerDateTime()) : astro::PickerValue{0.0, false};
    }
    View& m_view;
};

} // namespace nv::tools
