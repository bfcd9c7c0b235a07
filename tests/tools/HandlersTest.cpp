// The view's handlers driven through a stand-in window: what the window tests cannot see as
// closely (timer arming, redraw counts, mouse capture, picker edits, every eyepiece dialog path).
// The arithmetic itself is tested in NavigationTest and TimeControlTest.
#include "FakeView.h"

#include "planetarium/tools/EyepieceDlg.h"
#include "planetarium/tools/QtPickers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <cmath>

using namespace nv::tools;
using nvtest::AutoDate;
using nvtest::AutoFields;
using nvtest::FakeView;

class HandlersTest : public QObject {
    Q_OBJECT
private slots:
    void zoomWheelAndKeys();
    void arrowGlideAndShortWayRound();
    void northButtonAndCenterOnPolaris();
    void dragCapturesTheMouseAndReversalAddsNothing();
    void playPauseAndPickerChange();
    void eyepieceDialog();
    void qtPickerValues();
};

void HandlersTest::zoomWheelAndKeys() {
    nv::SkyState s;
    FakeView v(s);
    for (int i = 0; i < 32; ++i) OnMouseWheel(s, v, 120);
    QCOMPARE(s.g_fov, 1.0f);
    QCOMPARE(v.zoomMin, 1);
    QCOMPARE(v.zoomMax, 65);
    QCOMPARE(v.zoomPos, 64);
    OnMouseWheel(s, v, 1); // any positive delta is one step in
    OnKeyDown(s, v, kVkA);
    QCOMPARE(s.g_fov, 1.0f);
    for (int i = 0; i < 31; ++i) OnMouseWheel(s, v, -120);
    OnKeyDown(s, v, kVkZ);
    QCOMPARE(s.g_fov, 65.0f);
    QCOMPARE(v.zoomPos, 0);
    QCOMPARE(v.projections, 66);
    QCOMPARE(v.redraws, 66);
    QVERIFY(!OnKeyDown(s, v, 0x42)); // other keys do nothing
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Left), kVkLeft);
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Z), kVkZ);
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Q), 0);
}

void HandlersTest::arrowGlideAndShortWayRound() {
    nv::SkyState s;
    FakeView v(s);
    QVERIFY(OnKeyDown(s, v, kVkLeft));
    QVERIFY(v.timerArmed);
    QVERIFY(v.Tick());
    QVERIFY(std::fabs(s.m_viewYaw - 94.0f) < 1e-4);
    QVERIFY(v.Tick());
    QVERIFY(std::fabs(s.m_viewYaw - 98.0f) < 1e-4);
    QVERIFY(v.Tick());
    QVERIFY(std::fabs(s.m_viewYaw - 100.0f) < 1e-4);
    QVERIFY(!s.g_gliding);
    QVERIFY(!v.timerArmed); // both snapped: the timer is not re-armed
    QCOMPARE(QString::fromStdString(v.edit1043), QString("30.000000"));

    // From yaw 350 to 10 the glide turns up through 360.
    s.m_viewYaw = 350.0f;
    v.edit1043 = "30";
    v.edit1044 = "80"; // azimuth 80 is yaw 10
    OnGoto(s, v);
    QVERIFY(std::fabs(s.g_glideTargetYaw - 10.0f) < 1e-4);
    v.Tick();
    QCOMPARE(s.m_viewYaw, 354.0f);
    v.Tick();
    QCOMPARE(s.m_viewYaw, 358.0f);

    // Fields that hold no number read as 0: the horizon due north.
    v.edit1043.clear();
    v.edit1044 = "not a number";
    OnGoto(s, v);
    QCOMPARE(s.g_glideTargetPitch, 0.0f);
    QVERIFY(std::fabs(s.g_glideTargetYaw - 90.0f) < 1e-4);
}

void HandlersTest::northButtonAndCenterOnPolaris() {
    nv::SkyState s;
    FakeView v(s);
    s.g_fov = -21.0f;
    s.m_viewPitch = 10.0f;
    s.m_viewYaw = 200.0f;
    OnNavButton(s, v, 1032);
    QCOMPARE(s.g_fov, 65.0f); // field and vertical flip reset
    QCOMPARE(v.zoomPos, 0);
    QCOMPARE(s.g_glideTargetPitch, -30.0f);
    QCOMPARE(s.g_glideTargetYaw, 90.0f);
    v.TickUntilIdle();
    QCOMPARE(s.m_viewPitch, -30.0f);
    QCOMPARE(s.m_viewYaw, 90.0f);

    s.m_viewYaw = 12.0f;
    s.g_fov = 9.0f;
    const int redraws = v.redraws;
    OnNorth(s, v);
    QCOMPARE(s.m_viewYaw, 90.0f);
    QCOMPARE(s.m_viewPitch, -30.0f);
    QCOMPARE(s.g_fov, 9.0f);
    QVERIFY(!v.timerArmed); // at once, no glide
    QCOMPARE(v.redraws, redraws + 1);
    QCOMPARE(QString::fromStdString(v.edit1044), QString("0.000000"));
}

void HandlersTest::dragCapturesTheMouseAndReversalAddsNothing() {
    nv::SkyState s;
    FakeView v(s);
    s.g_viewWidth = 1280;
    s.g_viewHeight = 800;
    OnMouseMove(s, v, 50, 50); // no button: nothing
    QCOMPARE(v.redraws, 0);
    OnLButtonDown(s, v, 600, 400);
    QVERIFY(v.captured);
    OnMouseMove(s, v, 640, 380);
    const float yaw = s.m_viewYaw, pitch = s.m_viewPitch;
    QVERIFY(yaw > 90.0f);        // dragging right turns the view left (toward north), so the sky follows
    OnMouseMove(s, v, 630, 370); // x turns back, y keeps going up
    QCOMPARE(s.m_viewYaw, yaw);
    QVERIFY(s.m_viewPitch != pitch);
    QCOMPARE(v.redraws, 2);
    v.edit1043.clear();
    OnLButtonUp(s, v); // release (even outside the view: the mouse is captured)
    QVERIFY(!v.captured);
    QVERIFY(!s.m_mouseDown);
    QVERIFY(!v.edit1043.empty());
}

void HandlersTest::playPauseAndPickerChange() {
    nv::SkyState s;
    FakeView v(s);
    v.datePicker = v.timePicker = AutoDate(2024, 1, 1, 8, 0);
    OnPlay(s, v);
    QVERIFY(s.m_animating);
    QCOMPARE(v.redraws, 0); // nothing drawn before the first tick
    v.Tick();
    QCOMPARE(AutoFields(v.timePicker).minute, 1);
    QCOMPARE(s.g_minute, 1);
    QVERIFY(v.timerArmed);
    OnPause(s, v);
    QVERIFY(!s.m_animating);
    QVERIFY(!v.timerArmed);
    // A picker edited by hand: the sky clock follows, and the next tick continues from there.
    v.datePicker = AutoDate(2030, 6, 1);
    OnDateTimeChange(s, v);
    QCOMPARE(s.g_year, 2030);
    QCOMPARE(s.g_month, 6);
    QCOMPARE(s.g_hour, 8);
    OnPlay(s, v);
    v.Tick();
    QCOMPARE(AutoFields(v.datePicker).year, 2030);
    QCOMPARE(s.g_minute, 2);
}

void HandlersTest::eyepieceDialog() {
    nv::SkyState s;
    FakeView v(s);
    // The slider released at 40 puts "40" in the edit (moving it alone does not).
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Eye piece size"));
        QCOMPARE(dlg->m_slider->value(), 1);
        dlg->m_slider->setValue(40);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("1"));
        emit dlg->m_slider->sliderReleased();
        QCOMPARE(dlg->m_sizeEdit->text(), QString("40"));
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QCOMPARE(s.m_eyepieceSize, 40.0f);
    // A text that is no number reads as 0.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QCOMPARE(dlg->m_slider->value(), 40);
        dlg->m_sizeEdit->setText("nan");
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QCOMPARE(s.m_eyepieceSize, 0.0f);
    // Sizes no slider position holds still open safely.
    QCOMPARE(CEyepieceDlg::PositionForSize(1e30f), INT_MAX);
    QCOMPARE(CEyepieceDlg::PositionForSize(-7.9f), -7);
}

void HandlersTest::qtPickerValues() {
    const astro::PickerValue v = PickerValueFrom(QDate(2023, 12, 31), QTime(23, 30, 15));
    QVERIFY(v.valid);
    QCOMPARE(v.value, AutoDate(2023, 12, 31, 23, 30, 15));
    QCOMPARE(PickerDate(v.value), QDate(2023, 12, 31));
    QCOMPARE(PickerTime(v.value), QTime(23, 30, 15));
    // Before 1899-12-30 the time of day still counts forward from midnight.
    const double old = PickerValueFrom(QDate(1850, 6, 1), QTime(6, 0)).value;
    QCOMPARE(PickerTime(old), QTime(6, 0));
    QVERIFY(!PickerValueFrom(QDate(), QTime(1, 0)).valid);
    QVERIFY(!PickerValueFrom(QDate(50, 1, 1), QTime(1, 0)).valid); // outside the picker range
    QVERIFY(!PickerDate(1e12).isValid());
}

QTEST_MAIN(HandlersTest)
#include "HandlersTest.moc"
