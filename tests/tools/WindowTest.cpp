// Navigation and time control driven through the real main window: its buttons,
// keys, wheel, mouse, menu commands and timer 1.
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "planetarium/tools/EyepieceDlg.h"
#include "planetarium/tools/Navigation.h"
#include "platform/AnimationDlg.h"
#include "platform/MessageBox.h"
#include "platform/QtPickers.h"

#include "ModalDriver.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>

using namespace nv::tools;

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void zoomWheelKeysFlipAndIndicator();
    void datePickersReachTheClocksWholeRange();
    void arrowGlideNorthButtonAndGoto();
    void gotoRaDecRoundTrip();
    void dragAndLock();
    void lockedViewFollowsTheAnimation();
    void animationSettingsCancelAndResume();
    void resetToNow();
    void pickerEditedByHand();
    void eyepieceDialog();

private:
    void Wheel(int delta, int sideways = 0) {
        QWheelEvent e(QPointF(100, 100), QPointF(view->mapToGlobal(QPoint(100, 100))), QPoint(),
                      QPoint(sideways, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
    }
    bool Idle() { return !view->state().g_gliding; }

    std::unique_ptr<CMainFrame> frame;
    CNightvaneGlView* view = nullptr;
};

void WindowTest::init() {
    FrameOptions options;
    options.loadDataAtStart = false;
    frame = std::make_unique<CMainFrame>(options);
    frame->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    view = frame->View();
    QVERIFY(view);
}

void WindowTest::cleanup() {
    frame.reset();
    view = nullptr;
}

void WindowTest::zoomWheelKeysFlipAndIndicator() {
    nv::SkyState& s = view->state();
    const int redraws = view->redrawCount();
    for (int i = 0; i < 31; ++i) Wheel(120);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_A); // the last step in, by key
    QCOMPARE(s.g_fov, 1.0f);
    QCOMPARE(frame->ZoomIndicator(), 64);
    QCOMPARE(view->redrawCount(), redraws + 32); // one redraw a step
    for (int i = 0; i < 31; ++i) Wheel(-120);
    QTest::keyClick(view, Qt::Key_Z);
    QTest::keyClick(view, Qt::Key_Q); // no key of the view's
    QCOMPARE(s.g_fov, 65.0f);
    QCOMPARE(view->redrawCount(), redraws + 64);
    frame->ExecuteCommand(32810); // flip vertically
    QCOMPARE(s.g_fov, -65.0f);
    Wheel(120);
    QCOMPARE(s.g_fov, -63.0f);
    QCOMPARE(frame->ZoomIndicator(), 2);
    // A sideways wheel or touchpad scroll leaves the field as it is, either way.
    Wheel(0, 120);
    Wheel(0, -120);
    QCOMPARE(s.g_fov, -63.0f);
}

void WindowTest::datePickersReachTheClocksWholeRange() {
    auto* date = qobject_cast<QDateEdit*>(frame->Control(1002));
    QVERIFY(date);
    QCOMPARE(date->minimumDate(), QDate(100, 1, 1));
    QCOMPARE(date->maximumDate(), QDate(9999, 12, 31));
    for (const QDate d : {QDate(100, 1, 1), QDate(9999, 12, 31), QDate(1066, 10, 14)}) {
        frame->SetPickerDateTime(QDateTime(d, QTime(12, 0)));
        QCOMPARE(frame->PickerDateTime().date(), d);
    }
    // Animating backwards runs on through 14 September 1752, the toolkit's own lower limit.
    nv::SkyState& s = view->state();
    frame->SetPickerDateTime(QDateTime(QDate(1752, 9, 16), QTime(12, 0)));
    s.m_animUnit = 3; // days
    s.m_animCount = -1;
    frame->ExecuteCommand(32794);
    QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().date() < QDate(1752, 9, 12), 3000);
    frame->ExecuteCommand(32795);
    QVERIFY(s.g_year == 1752 && s.g_month == 9 && s.g_day < 12);
}

void WindowTest::arrowGlideNorthButtonAndGoto() {
    nv::SkyState& s = view->state();
    view->setFocus();
    const int redraws = view->redrawCount();
    QTest::keyClick(view, Qt::Key_Left);
    QVERIFY(s.g_gliding && view->timer().IsRunning(1));
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 2000);
    QVERIFY(std::fabs(s.m_viewYaw - 100.0f) < 1e-4);
    QCOMPARE(view->redrawCount() - redraws, 3); // 4, 4 and a snap of 2: three ticks
    QVERIFY(!view->timer().IsRunning(1));       // landed: the timer is not armed again
    QCOMPARE(frame->ReadoutTexts().first, QString("30.000000"));

    s.g_fov = -21.0f;
    qobject_cast<QAbstractButton*>(frame->Control(1032))->click();
    QCOMPARE(s.g_fov, 65.0f);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 2000);
    QCOMPARE(s.m_viewYaw, 90.0f);
    QCOMPARE(s.m_viewPitch, -30.0f);

    frame->SetAltAziReadout(true);
    frame->SetReadoutTexts("45", "90");
    frame->ExecuteCommand(1045);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 3000);
    QVERIFY(std::fabs(s.m_viewPitch + 45.0f) < 1e-4);
    QVERIFY(std::fabs(s.m_viewYaw) < 1e-4);
    // Edits that hold no number read as 0: the horizon due north.
    frame->SetReadoutTexts("", "not a number");
    frame->ExecuteCommand(1045);
    QVERIFY(s.g_glideTargetPitch == 0.0f && std::fabs(s.g_glideTargetYaw - 90.0f) < 1e-4);
}

void WindowTest::gotoRaDecRoundTrip() {
    nv::SkyState& s = view->state();
    s.m_viewPitch = -52.0f;
    s.m_viewYaw = 147.0f;
    frame->SetAltAziReadout(false);
    frame->ExecuteCommand(1041);
    QVERIFY(frame->ReadoutTexts().first.endsWith(" h"));
    frame->ExecuteCommand(1045);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 3000);
    QVERIFY(std::fabs(s.m_viewPitch + 52.0f) < 0.01);
    QVERIFY(std::fabs(std::remainder(s.m_viewYaw - 147.0, 360.0)) < 0.01);
}

void WindowTest::dragAndLock() {
    nv::SkyState& s = view->state();
    frame->ExecuteCommand(32801); // "Lock on here."
    QVERIFY(s.g_lockOn);
    const QPoint c = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, c);
    QVERIFY(!s.g_lockOn);
    QCOMPARE(QWidget::mouseGrabber(), view); // the drag goes on outside the view
    QTest::mouseMove(view, c + QPoint(40, 0));
    const float yaw = s.m_viewYaw;
    QVERIFY(yaw > 90.0f); // dragging right turns the view toward north, so the sky follows
    QTest::mouseMove(view, c + QPoint(30, 0)); // turns back: nothing on x
    QCOMPARE(s.m_viewYaw, yaw);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, c + QPoint(30, 0));
    QVERIFY(!s.m_mouseDown && QWidget::mouseGrabber() == nullptr);
}

void WindowTest::lockedViewFollowsTheAnimation() {
    nv::SkyState& s = view->state();
    s.m_viewPitch = -40.0f;
    s.m_viewYaw = 160.0f;
    frame->ExecuteCommand(32801);
    const astro::Vec3 target = ViewCentreEquatorial(s);
    s.m_animUnit = 2; // an hour a tick
    frame->ExecuteCommand(32794);
    QTRY_VERIFY_WITH_TIMEOUT(std::fabs(s.m_viewYaw - 160.0f) > 5.0f, 3000);
    const astro::Vec3 centre = ViewCentreEquatorial(s);
    const double dot = (centre.x * target.x + centre.y * target.y + centre.z * target.z) /
                       (astro::Length(centre) * astro::Length(target));
    QVERIFY(dot > std::cos(0.01 * astro::g_degToRad));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, view->rect().center());
    QVERIFY(!s.g_lockOn);
    const float yaw = s.m_viewYaw;
    QTest::qWait(200); // the animation runs on, the camera stays
    QCOMPARE(s.m_viewYaw, yaw);
    frame->ExecuteCommand(32795);
}

void WindowTest::animationSettingsCancelAndResume() {
    nv::SkyState& s = view->state();
    frame->SetPickerDateTime(QDateTime(QDate(2005, 3, 1), QTime(12, 0)));
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CAnimationDlg*>(w);
        QVERIFY(dlg);
        dlg->m_countList->setCurrentRow(0);
        dlg->m_unitList->setCurrentRow(3);
        QTest::mouseClick(dlg->playButton(), Qt::LeftButton);
    });
    frame->ExecuteCommand(32796);
    QCOMPARE(s.m_animCount, -10);
    QCOMPARE(s.m_animUnit, 4);
    QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().date().year() < 2005, 2000);
    frame->ExecuteCommand(32795); // Pause
    QVERIFY(!view->timer().IsRunning(1));
    // Each tick went back 3650 days ("-10" "years": a year is 365 days), the clock unchanged.
    const qint64 back = frame->PickerDateTime().date().daysTo(QDate(2005, 3, 1));
    QVERIFY2(back > 0 && back % 3650 == 0, qPrintable(QString::number(back)));
    QCOMPARE(frame->PickerDateTime().time(), QTime(12, 0));

    // One day a tick from 23:30 on 31 December reaches 1 January at 23:30.
    s.m_animUnit = 3;
    s.m_animCount = 1;
    frame->SetPickerDateTime(QDateTime(QDate(2023, 12, 31), QTime(23, 30)));
    frame->ExecuteCommand(32794);
    QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().date().year() == 2024, 2000);
    frame->ExecuteCommand(32795);
    QCOMPARE(frame->PickerDateTime().date().month(), 1);
    QCOMPARE(frame->PickerDateTime().time(), QTime(23, 30));
    QCOMPARE(s.g_year, 2024);

    frame->ExecuteCommand(32794); // Play
    nvtest::OnNextModal([](QWidget* w) {
        QTest::mouseClick(qobject_cast<CAnimationDlg*>(w)->cancelButton(), Qt::LeftButton);
    });
    frame->ExecuteCommand(32796);
    QVERIFY(!view->timer().IsRunning(1));
    QVERIFY(s.m_animating);
    const QDateTime frozen = frame->PickerDateTime();
    QTest::qWait(150);
    QCOMPARE(frame->PickerDateTime(), frozen);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime() != frozen, 2000);
    frame->ExecuteCommand(32795);
}

void WindowTest::resetToNow() {
    frame->SetPickerDateTime(QDateTime(QDate(1990, 1, 1), QTime(3, 0)));
    frame->ExecuteCommand(32798);
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(std::llabs(frame->PickerDateTime().secsTo(now)) < 120);
    QCOMPARE(view->state().g_year, now.date().year());
}

// A date typed into the picker moves the sky clock at once, and the animation goes on from it, a
// minute a tick.
void WindowTest::pickerEditedByHand() {
    nv::SkyState& s = view->state();
    s.m_animUnit = 1, s.m_animCount = 1;
    frame->SetPickerDateTime(QDateTime(QDate(2024, 1, 1), QTime(8, 0)));
    auto* date = qobject_cast<QDateEdit*>(frame->Control(1002));
    // The years the command lines and the sky clock take, 100 to 9999, and no others.
    QCOMPARE(date->minimumDate(), QDate(100, 1, 1));
    QCOMPARE(date->maximumDate(), QDate(9999, 12, 31));
    date->setDate(QDate(2030, 6, 1));
    QCOMPARE((std::array{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute}),
             (std::array{2030, 6, 1, 8, 0}));
    const int redraws = view->redrawCount();
    frame->ExecuteCommand(32794);
    QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().time().minute() >= 3, 2000);
    frame->ExecuteCommand(32795);
    const QDateTime t = frame->PickerDateTime();
    QCOMPARE(t.date(), QDate(2030, 6, 1));
    QCOMPARE(t.time().minute(), view->redrawCount() - redraws - 2); // less Play's and Pause's redraws
    QCOMPARE(s.g_minute, t.time().minute());
}

void WindowTest::eyepieceDialog() {
    nv::SkyState& s = view->state();
    auto answer = [](const char* shown, const char* typed, bool ok) {
        nvtest::OnNextModal([=](QWidget* w) {
            auto* dlg = qobject_cast<CEyepieceDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->m_sizeEdit->text(), QString(shown));
            dlg->m_sizeEdit->setText(typed);
            QTest::mouseClick(ok ? dlg->okButton() : dlg->cancelButton(), Qt::LeftButton);
        });
    };
    // The slider released at 40 puts "40" in the edit (moving it alone does not).
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        QVERIFY(dlg && dlg->windowTitle() == "Eye piece size" && dlg->m_slider->value() == 1);
        dlg->m_slider->setValue(40);
        QCOMPARE(dlg->m_sizeEdit->text(), QString("1"));
        emit dlg->m_slider->sliderReleased();
        QCOMPARE(dlg->m_sizeEdit->text(), QString("40"));
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    frame->ExecuteCommand(32805);
    QCOMPARE(s.m_eyepieceSize, 40.0f);
    answer("40", "nan", true); // a text that is no number reads as 0
    frame->ExecuteCommand(32805);
    QCOMPARE(s.m_eyepieceSize, 0.0f);
    answer("1", "12.5", true); // a size of 0 reopens at 1
    frame->ExecuteCommand(32805);
    QCOMPARE(s.m_eyepieceSize, 12.5f);
    answer("12", "30", false); // reopened as 12; Cancel keeps the size
    frame->ExecuteCommand(32805);
    QCOMPARE(s.m_eyepieceSize, 12.5f);

    // An empty text is refused with a message and the dialog stays open.
    s.m_eyepieceSize = 12.5f;
    platform::MessageBoxRecorder boxes;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CEyepieceDlg*>(w);
        dlg->m_sizeEdit->clear();
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        QVERIFY(dlg->isVisible());
        QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
    });
    frame->ExecuteCommand(32805);
    QCOMPARE(int(boxes.boxes().size()), 1);
    QCOMPARE(s.m_eyepieceSize, 12.5f);
    // Sizes no slider position holds still open safely.
    QCOMPARE(CEyepieceDlg::PositionForSize(1e30f), INT_MAX);
    QCOMPARE(CEyepieceDlg::PositionForSize(-7.9f), -7);
}

int main(int argc, char** argv) {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
