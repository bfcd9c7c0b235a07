// The view's navigation, time and eyepiece handlers driven through a stand-in window.
#include "FakeView.h"

#include "astro/SkyRotation.h"
#include "planetarium/tools/AnimationDlg.h"
#include "planetarium/tools/EyepieceDlg.h"
#include "planetarium/tools/QtPickers.h"
#include "planetarium/tools/TimeControl.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <cmath>

using namespace nv::tools;
using nvtest::AutoDate;
using nvtest::AutoFields;
using nvtest::FakeView;

namespace {
double Separation(const astro::Vec3& a, const astro::Vec3& b) {
    const double d = (a.x * b.x + a.y * b.y + a.z * b.z) / (astro::Length(a) * astro::Length(b));
    return std::acos(std::fmax(-1.0, std::fmin(1.0, d))) * astro::kRadToDeg;
}
} // namespace

class HandlersTest : public QObject {
    Q_OBJECT
private slots:
    void zoomWheelAndKeys();
    void flippedZoomAndIndicator();
    void arrowGlideAndShortWayRound();
    void northButtonAndCenterOnPolaris();
    void gotoAltAzi();
    void gotoRaDecRoundTrip();
    void dragCapturesTheMouseAndReversalAddsNothing();
    void lockedViewFollowsTheSkyUntilALeftClick();
    void playPauseAndPickerChange();
    void animationSettingsPlayAndSpans();
    void animationSettingsCancelFreezesArrowResumes();
    void resetToNow();
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

void HandlersTest::flippedZoomAndIndicator() {
    nv::SkyState s;
    FakeView v(s);
    OnFlipV(s, v);
    QCOMPARE(s.g_fov, -65.0f);
    OnMouseWheel(s, v, 120);
    QCOMPARE(s.g_fov, -63.0f);
    const int flippedFill = v.zoomPos;
    nv::SkyState plain;
    FakeView pv(plain);
    OnMouseWheel(plain, pv, 120);
    QCOMPARE(plain.g_fov, 63.0f);
    QCOMPARE(flippedFill, pv.zoomPos);
    OnFlipH(s, v);
    QVERIFY(s.g_flipHorizontal);
    QCOMPARE(v.projections, 3);
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

void HandlersTest::gotoAltAzi() {
    nv::SkyState s;
    FakeView v(s);
    v.edit1043 = "45";
    v.edit1044 = "90";
    OnGoto(s, v);
    v.TickUntilIdle();
    QVERIFY(std::fabs(s.m_viewPitch + 45.0f) < 1e-4);
    QVERIFY(std::fabs(s.m_viewYaw) < 1e-4);
    QCOMPARE(QString::fromStdString(v.edit1043), QString("45.000000"));
    QCOMPARE(QString::fromStdString(v.edit1044), QString("90.000000"));
    // Empty fields read as 0: the horizon due north.
    v.edit1043.clear();
    v.edit1044 = "not a number";
    OnGoto(s, v);
    QCOMPARE(s.g_glideTargetPitch, 0.0f);
    QVERIFY(std::fabs(s.g_glideTargetYaw - 90.0f) < 1e-4);
}

void HandlersTest::gotoRaDecRoundTrip() {
    nv::SkyState s;
    FakeView v(s);
    s.g_latitude = 40.4;
    s.g_longitude = -3.7;
    s.g_gmtOffset = 1.0f;
    OnDateTimeChange(s, v);
    s.m_viewPitch = -52.0f;
    s.m_viewYaw = 147.0f;
    v.altAzi = false;
    OnCoordinateMode(s, v);
    QVERIFY(QString::fromStdString(v.edit1043).endsWith(" h"));
    OnGoto(s, v);
    v.TickUntilIdle();
    QVERIFY(std::fabs(s.m_viewPitch + 52.0f) < 0.01);
    QVERIFY(std::fabs(std::remainder(s.m_viewYaw - 147.0, 360.0)) < 0.01);

    // Typed coordinates of Vega centre Vega.
    const double ra = 18.0 + 36.0 / 60 + 56.3 / 3600, dec = 38.0 + 47.0 / 60 + 1.3 / 3600;
    v.edit1043 = std::to_string(ra) + " h";
    v.edit1044 = std::to_string(dec);
    OnGoto(s, v);
    v.TickUntilIdle();
    const astro::Vec3 centre = ViewCentreEquatorial(s);
    QVERIFY(Separation(centre, astro::EquatorialVector(ra * 15.0, dec)) < 0.01);
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

void HandlersTest::lockedViewFollowsTheSkyUntilALeftClick() {
    nv::SkyState s;
    FakeView v(s);
    OnDateTimeChange(s, v);
    s.m_viewPitch = -40.0f;
    s.m_viewYaw = 160.0f;
    const astro::Vec3 target = ViewCentreEquatorial(s);
    OnLockOn(s, v);
    QVERIFY(s.g_lockOn);
    s.m_animUnit = kUnitMinutes;
    s.m_animCount = 10;
    OnPlay(s, v);
    for (int i = 0; i < 12; ++i) QVERIFY(v.Tick());
    QVERIFY(std::fabs(s.m_viewYaw - 160.0f) > 1.0f); // the camera turned with the sky
    QVERIFY(Separation(ViewCentreEquatorial(s), target) < 0.01);

    OnLButtonDown(s, v, 10, 10);
    OnLButtonUp(s, v);
    QVERIFY(!s.g_lockOn);
    const float yaw = s.m_viewYaw, pitch = s.m_viewPitch;
    v.Tick();
    QCOMPARE(s.m_viewYaw, yaw);
    QCOMPARE(s.m_viewPitch, pitch);
    QVERIFY(Separation(ViewCentreEquatorial(s), target) > 0.5); // the sky moves on
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

void HandlersTest::animationSettingsPlayAndSpans() {
    nv::SkyState s;
    FakeView v(s);
    s.m_animUnit = kUnitDays; // the dialog still opens on 1 minute
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CAnimationDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Animation settings"));
        QCOMPARE(dlg->m_countList->count(), 20);
        QCOMPARE(dlg->m_countList->currentItem()->text(), QString("1"));
        QCOMPARE(dlg->m_unitList->currentItem()->text(), QString("Minutes"));
        QCOMPARE(dlg->m_unitList->item(3)->text(), QString("years"));
        dlg->m_countList->setCurrentRow(0); // "-10"
        dlg->m_unitList->setCurrentRow(3);  // "years"
        QTest::mouseClick(dlg->playButton(), Qt::LeftButton);
    });
    v.datePicker = v.timePicker = AutoDate(2005, 3, 1, 12, 0);
    OnAnimationSettings(s, v);
    QCOMPARE(s.m_animUnit, 4);
    QCOMPARE(s.m_animCount, -10);
    QVERIFY(s.m_animating);
    QVERIFY(v.timerArmed);
    v.Tick();
    QCOMPARE(AutoDate(2005, 3, 1, 12, 0) - v.datePicker, 3650.0);
    QCOMPARE(s.g_year, 1995);

    // One day from 23:30 on 31 December reaches 1 January at 23:30.
    s.m_animUnit = kUnitDays;
    s.m_animCount = 1;
    v.datePicker = v.timePicker = AutoDate(2023, 12, 31, 23, 30);
    v.Tick();
    QCOMPARE(s.g_year, 2024);
    QCOMPARE(s.g_month, 1);
    QCOMPARE(s.g_day, 1);
    QCOMPARE(s.g_hour, 23);
    QCOMPARE(s.g_minute, 30);
}

void HandlersTest::animationSettingsCancelFreezesArrowResumes() {
    nv::SkyState s;
    FakeView v(s);
    OnPlay(s, v);
    v.Tick();
    const double before = v.timePicker;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CAnimationDlg*>(w);
        QVERIFY(dlg);
        dlg->m_unitList->setCurrentRow(2);
        QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
    });
    const int redraws = v.redraws;
    OnAnimationSettings(s, v);
    QVERIFY(!v.timerArmed); // frozen
    QVERIFY(s.m_animating); // but still meant to run
    QCOMPARE(s.m_animUnit, kUnitMinutes);
    QCOMPARE(v.redraws, redraws + 1);
    QVERIFY(!v.Tick());
    QCOMPARE(v.timePicker, before);
    OnKeyDown(s, v, kVkUp); // an arrow key re-arms timer 1: animation and glide resume together
    QVERIFY(v.Tick());
    QVERIFY(v.timePicker > before);
    QVERIFY(std::fabs(s.m_viewPitch + 34.0f) < 1e-4);
}

void HandlersTest::resetToNow() {
    nv::SkyState s;
    FakeView v(s);
    const int redraws = v.redraws;
    OnResetTime(s, v);
    QCOMPARE(v.datePicker, AutoDate(2025, 7, 4));
    QCOMPARE(v.timePicker, AutoDate(2025, 7, 4, 21, 17, 42));
    QCOMPARE(s.g_year, 2025);
    QCOMPARE(s.g_day, 4);
    QCOMPARE(s.g_hour, 21);
    QCOMPARE(s.g_minute, 17);
    QCOMPARE(v.redraws, redraws + 1);
}

void HandlersTest::eyepieceDialog() {
    nv::SkyState s;
    FakeView v(s);
    // Opens at 1 with "1"; typing 12.5 stores 12.5.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Eye piece size"));
        QCOMPARE(dlg->m_slider->value(), 1);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("1"));
        dlg->m_sizeEdit->setText("12.5");
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QCOMPARE(s.m_eyepieceSize, 12.5f);
    // Reopened it shows 12; Cancel keeps the size.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QCOMPARE(dlg->m_slider->value(), 12);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("12"));
        dlg->m_sizeEdit->setText("30");
        QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QCOMPARE(s.m_eyepieceSize, 12.5f);
    // The slider released at 40 puts "40" in the edit.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        dlg->m_slider->setValue(40);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("12")); // only a release updates the edit
        emit dlg->m_slider->sliderReleased();
        QCOMPARE(dlg->m_sizeEdit->text(), QString("40"));
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QCOMPARE(s.m_eyepieceSize, 40.0f);
    // A size of 0 reopens at 1.
    s.m_eyepieceSize = 0.0f;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QCOMPARE(dlg->m_slider->value(), 1);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("1"));
        QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    // An empty edit is refused and the dialog stays open; a text that is no number reads as 0.
    s.m_eyepieceSize = 5.0f;
    platform::MessageBoxRecorder boxes;
    bool stayedOpen = false;
    nvtest::OnNextModal([&stayedOpen](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        dlg->m_sizeEdit->clear();
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        stayedOpen = dlg->isVisible() && !dlg->m_accepted;
        dlg->m_sizeEdit->setText("nan");
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    OnEyepieceSize(s, v);
    QVERIFY(stayedOpen);
    QCOMPARE(int(boxes.boxes().size()), 1);
    QCOMPARE(boxes.boxes()[0].first, QString("Please enter a valid size."));
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
