// The view's handlers through a stand-in window: timer arming, redraw counts, mouse capture, picker
// edits and the eyepiece dialog paths (the arithmetic is in NavigationTest and TimeControlTest).
#include "FakeView.h"

#include "planetarium/tools/EyepieceDlg.h"
#include "platform/QtPickers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <cmath>

using namespace nv::tools;
using namespace platform;
using nvtest::AutoDate;
using nvtest::AutoFields;
using nvtest::FakeView;

class HandlersTest : public QObject {
    Q_OBJECT
private slots:
    void zoomWheelAndKeys();
    void arrowGlideGotoAndNorth();
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
    QVERIFY(v.zoomMin == 1 && v.zoomMax == 65 && v.zoomPos == 64);
    OnMouseWheel(s, v, 1); // any positive delta is one step in
    OnKeyDown(s, v, kVkA);
    QCOMPARE(s.g_fov, 1.0f);
    for (int i = 0; i < 31; ++i) OnMouseWheel(s, v, -120);
    OnKeyDown(s, v, kVkZ);
    QCOMPARE(s.g_fov, 65.0f);
    QCOMPARE(v.zoomPos, 0);
    QVERIFY(v.projections == 66 && v.redraws == 66);
    QVERIFY(!OnKeyDown(s, v, 0x42)); // other keys do nothing
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Left), kVkLeft);
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Z), kVkZ);
    QCOMPARE(VirtualKeyFromQt(Qt::Key_Q), 0);
}

void HandlersTest::arrowGlideGotoAndNorth() {
    nv::SkyState s;
    FakeView v(s);
    QVERIFY(OnKeyDown(s, v, kVkLeft));
    for (float yaw : {94.0f, 98.0f, 100.0f}) {
        QVERIFY(v.timerArmed);
        QVERIFY(v.Tick());
        QVERIFY(std::fabs(s.m_viewYaw - yaw) < 1e-4);
    }
    QVERIFY(!s.g_gliding);
    QVERIFY(!v.timerArmed); // both snapped: the timer is not re-armed
    QCOMPARE(QString::fromStdString(v.edit1043), QString("30.000000"));

    // Goto reads the edits: azimuth 80 is yaw 10; fields that hold no number read as 0.
    v.edit1043 = "30";
    v.edit1044 = "80";
    OnGoto(s, v);
    QVERIFY(v.timerArmed);
    QCOMPARE(s.g_glideTargetPitch, -30.0f);
    QVERIFY(std::fabs(s.g_glideTargetYaw - 10.0f) < 1e-4);
    v.edit1043.clear();
    v.edit1044 = "not a number";
    OnGoto(s, v);
    QCOMPARE(s.g_glideTargetPitch, 0.0f);
    QVERIFY(std::fabs(s.g_glideTargetYaw - 90.0f) < 1e-4);

    // The north button resets the field and vertical flip and glides; North turns at once.
    s.g_fov = -21.0f;
    s.m_viewPitch = 10.0f;
    s.m_viewYaw = 200.0f;
    OnNavButton(s, v, 1032);
    QVERIFY(s.g_fov == 65.0f && v.zoomPos == 0);
    v.TickUntilIdle();
    QVERIFY(s.m_viewPitch == -30.0f && s.m_viewYaw == 90.0f);

    s.m_viewYaw = 12.0f;
    s.g_fov = 9.0f;
    const int redraws = v.redraws;
    OnNorth(s, v);
    QVERIFY(s.m_viewYaw == 90.0f && s.m_viewPitch == -30.0f && s.g_fov == 9.0f);
    QVERIFY(!v.timerArmed); // no glide
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
    QVERIFY(yaw > 90.0f);        // dragging right turns the view toward north, so the sky follows
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
    QCOMPARE(PickerTime(PickerValueFrom(QDate(1850, 6, 1), QTime(6, 0)).value), QTime(6, 0));
    QVERIFY(!PickerValueFrom(QDate(), QTime(1, 0)).valid);
    QVERIFY(!PickerValueFrom(QDate(50, 1, 1), QTime(1, 0)).valid); // outside the picker range
    QVERIFY(!PickerDate(1e12).isValid());
    // The pickers' range is the years 100 to 9999.
    QCOMPARE(PickerMinimumDate(), QDate(100, 1, 1));
    QCOMPARE(PickerMaximumDate(), QDate(9999, 12, 31));
}

QTEST_MAIN(HandlersTest)
#include "HandlersTest.moc"
