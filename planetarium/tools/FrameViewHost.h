// The ViewHost of the real window, over the main frame's accessors and the view's timer, mouse
// and redraw. Header only, so the tools do not link the application:
//
//   class CNightvaneGlView : public QOpenGLWidget {
//       ...
//       nv::tools::FrameViewHost<CNightvaneGlView, CMainFrame> m_host{*this};
//   };
//   void CNightvaneGlView::OnGoto() { nv::tools::OnGoto(m_state, m_host); }
//
// View needs: frame() (a Frame*, may be null), timer() (SetTimer(id, ms), KillTimer(id)),
// Redraw(), grabMouse()/releaseMouse() (any QWidget), and either ApplyProjection() or
// ResizeScene(cx, cy) with makeCurrent()/doneCurrent(). Frame needs: PickerDateTime(),
// SetPickerDateTime(QDateTime) (writing without a change notification), ReadoutTexts() (a pair of
// QString), SetReadoutTexts(QString, QString), IsAltAziReadout(), SetZoomIndicator(int).
#pragma once

#include "planetarium/tools/ViewHandlers.h"
#include "platform/QtPickers.h"

#include <QString>

namespace nv::tools {

template <class View, class Frame> class FrameViewHost final : public ViewHost {
public:
    explicit FrameViewHost(View& view) : m_view(view) {}

    astro::PickerValue GetDatePicker() const override { return Picker(); }
    astro::PickerValue GetTimePicker() const override { return Picker(); }
    void SetDatePicker(double value) override {
        Frame* f = m_view.frame();
        const QDate d = platform::PickerDate(value);
        if (f && d.isValid()) f->SetPickerDateTime(QDateTime(d, f->PickerDateTime().time()));
    }
    void SetTimePicker(double value) override {
        Frame* f = m_view.frame();
        const QTime t = platform::PickerTime(value);
        if (f && t.isValid()) f->SetPickerDateTime(QDateTime(f->PickerDateTime().date(), t));
    }
    void SetZoomIndicator(int, int, int position) override {
        if (Frame* f = m_view.frame()) f->SetZoomIndicator(position);
    }
    bool IsAltAziChecked() const override {
        const Frame* f = m_view.frame();
        return f ? f->IsAltAziReadout() : true;
    }
    std::string GetCoordinateText(int editId) const override {
        const Frame* f = m_view.frame();
        if (!f) return {};
        const auto texts = f->ReadoutTexts();
        return (editId == 1043 ? texts.first : texts.second).toStdString();
    }
    void SetReadoutTexts(const std::string& a, const std::string& b) override {
        if (Frame* f = m_view.frame())
            f->SetReadoutTexts(QString::fromStdString(a), QString::fromStdString(b));
    }
    void ApplyProjection() override {
        if constexpr (requires(View & v) { v.ApplyProjection(); }) {
            m_view.ApplyProjection();
        } else {
            m_view.makeCurrent();
            m_view.ResizeScene(m_view.state().g_viewWidth, m_view.state().g_viewHeight);
            m_view.doneCurrent();
        }
    }
    void SetTimer1() override { m_view.timer().SetTimer(kTimerId, kTimerPeriodMs); }
    void KillTimer1() override { m_view.timer().KillTimer(kTimerId); }
    void CaptureMouse() override { m_view.grabMouse(); }
    void ReleaseMouseCapture() override { m_view.releaseMouse(); }
    void Redraw() override { m_view.Redraw(); }
    QWidget* DialogParent() const override { return &m_view; }

private:
    astro::PickerValue Picker() const {
        const Frame* f = m_view.frame();
        return f ? platform::PickerValueFrom(f->PickerDateTime()) : astro::PickerValue{0.0, false};
    }
    View& m_view;
};

} // namespace nv::tools
