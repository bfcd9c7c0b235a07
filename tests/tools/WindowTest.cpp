// Navigation and time control wired through the real main window (the arithmetic is tested elsewhere).
#include "WindowSupport.h"

#include "planetarium/tools/EyepieceDlg.h"
#include "platform/AnimationDlg.h"
#include "platform/MessageBox.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QSlider>
#include <QWheelEvent>
#include <climits>
#include <cmath>

using namespace nv::tools;
using nvtest::OnNextDialog;

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        frame = nvtest::StartFrame(false);
        view = frame->View();
    }
    void cleanup() { frame.reset(); }

    // Faults: a zoom step other than 2 degrees or past 1 and 65, a step without its redraw, keys not
    // wired, a flipped field losing its sign, the indicator off, a sideways scroll that zooms.
    void zoomWheelKeysFlipAndIndicator() {
        nv::SkyState& s = view->state();
        const int redraws = view->redrawCount();
        for (int i = 0; i < 31; ++i) Wheel(120);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_A); // the last step in, by key
        QVERIFY(s.g_fov == 1.0f && frame->ZoomIndicator() == 64);
        QCOMPARE(view->redrawCount(), redraws + 32); // one redraw a step
        Wheel(120);                                  // past 1 degree
        QCOMPARE(s.g_fov, 1.0f);
        for (int i = 0; i < 32; ++i) Wheel(-120);
        QTest::keyClick(view, Qt::Key_Z); // past 65 degrees
        QCOMPARE(s.g_fov, 65.0f);
        frame->ExecuteCommand(32810); // flip vertically
        Wheel(120);
        Wheel(0, 120); // sideways
        QVERIFY(s.g_fov == -63.0f && frame->ZoomIndicator() == 2);
    }

    // Faults: an arrow key not starting the glide timer, a glide of other than three ticks (4, 4 and a
    // snap of 2), the timer armed again after landing, Goto misreading either readout mode or the
    // readout's own text typed back.
    void arrowGlideGotoAndDrag() {
        nv::SkyState& s = view->state();
        view->setFocus();
        const int redraws = view->redrawCount();
        QTest::keyClick(view, Qt::Key_Left);
        QVERIFY(s.g_gliding && view->timer().IsRunning(1));
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 2000);
        QVERIFY(std::fabs(s.m_viewYaw - 100.0f) < 1e-4);
        QCOMPARE(view->redrawCount() - redraws, 3);
        QVERIFY(!view->timer().IsRunning(1));

        frame->SetAltAziReadout(true);
        frame->SetReadoutTexts("45", "90");
        frame->ExecuteCommand(1045);
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 3000);
        QVERIFY(std::fabs(s.m_viewPitch + 45.0f) < 1e-4 && std::fabs(s.m_viewYaw) < 1e-4);

        s.m_viewPitch = -52.0f, s.m_viewYaw = 147.0f;
        frame->SetAltAziReadout(false);
        frame->ExecuteCommand(1041); // the RA/Dec readout, typed back
        QVERIFY(frame->ReadoutTexts().first.endsWith(" h"));
        frame->ExecuteCommand(1045);
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 3000);
        QVERIFY(std::fabs(s.m_viewPitch + 52.0f) < 0.01 &&
                std::fabs(std::remainder(s.m_viewYaw - 147.0, 360.0)) < 0.01);

        // Faults: a press that keeps the lock or does not grab the mouse, a drag turning the wrong way,
        // a release that keeps the grab.
        frame->ExecuteCommand(32801); // "Lock on here."
        const QPoint c = view->rect().center();
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, c);
        QVERIFY(s.g_lockOn == false && QWidget::mouseGrabber() == view);
        const float before = s.m_viewYaw;
        QTest::mouseMove(view, c + QPoint(40, 0));
        QVERIFY(s.m_viewYaw > before); // the sky follows the hand
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, c + QPoint(40, 0));
        QVERIFY(!s.m_mouseDown && QWidget::mouseGrabber() == nullptr);
    }

    // Faults: the dialog's rows not read into count and unit, Play in the dialog not starting, Cancel
    // while playing not pausing the timer (or stopping the animation for good), a key not resuming.
    void animationSettingsCancelAndResume() {
        nv::SkyState& s = view->state();
        frame->SetPickerDateTime(QDateTime(QDate(2005, 3, 1), QTime(12, 0)));
        OnNextDialog<CAnimationDlg>([](CAnimationDlg* dlg) {
            dlg->m_countList->setCurrentRow(0);
            dlg->m_unitList->setCurrentRow(3);
            nvtest::Click(dlg->playButton());
        });
        frame->ExecuteCommand(32796);
        QVERIFY(s.m_animCount == -10 && s.m_animUnit == 4);
        QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().date().year() < 2005, 2000);
        s.m_animCount = 1, s.m_animUnit = 3; // a day a tick, far from the calendar's ends

        OnNextDialog<CAnimationDlg>([](CAnimationDlg* dlg) { nvtest::Click(dlg->cancelButton()); });
        frame->ExecuteCommand(32796);
        QVERIFY(!view->timer().IsRunning(1) && s.m_animating);
        const QDateTime frozen = frame->PickerDateTime();
        QTest::qWait(150);
        QCOMPARE(frame->PickerDateTime(), frozen);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Up);
        QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime() != frozen, 2000);
        frame->ExecuteCommand(32795);
        QVERIFY(!view->timer().IsRunning(1));
    }

    // Faults: the toolkit's default picker range (from 14 September 1752), "now" not reaching the
    // pickers or the sky clock; a typed date not moving the sky clock at once; the animation going on
    // from the old date or at other than a minute a redrawn tick.
    void pickersAndEyepiece() {
        nv::SkyState& s = view->state();
        for (const QDate d : {QDate(100, 1, 1), QDate(9999, 12, 31), QDate(1066, 10, 14)}) {
            frame->SetPickerDateTime(QDateTime(d, QTime(12, 0)));
            QCOMPARE(frame->PickerDateTime().date(), d);
        }
        frame->SetPickerDateTime(QDateTime(QDate(1990, 1, 1), QTime(3, 0)));
        frame->ExecuteCommand(32798);
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(std::llabs(frame->PickerDateTime().secsTo(now)) < 120 && s.g_year == now.date().year());

        s.m_animUnit = 1, s.m_animCount = 1;
        frame->SetPickerDateTime(QDateTime(QDate(2024, 1, 1), QTime(8, 0)));
        qobject_cast<QDateEdit*>(frame->Control(1002))->setDate(QDate(2030, 6, 1));
        QCOMPARE((std::array{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute}),
                 (std::array{2030, 6, 1, 8, 0}));
        const int redraws = view->redrawCount();
        frame->ExecuteCommand(32794);
        QTRY_VERIFY_WITH_TIMEOUT(frame->PickerDateTime().time().minute() >= 3, 2000);
        frame->ExecuteCommand(32795);
        const QDateTime t = frame->PickerDateTime();
        QCOMPARE(t.date(), QDate(2030, 6, 1));
        QCOMPARE(t.time().minute(), view->redrawCount() - redraws - 2); // less Play's and Pause's redraws

        // Faults: the eyepiece slider writing the edit before it is released, a text with no number not
        // read as 0, a size of 0 reopening at 0, Cancel applying, an empty text accepted, an overflow.
        OnNextDialog<CEyepieceDlg>([](CEyepieceDlg* dlg) {
            dlg->m_slider->setValue(40);
            QCOMPARE(dlg->m_sizeEdit->text(), QString("1"));
            emit dlg->m_slider->sliderReleased();
            QCOMPARE(dlg->m_sizeEdit->text(), QString("40"));
            nvtest::Click(dlg->okButton());
        });
        frame->ExecuteCommand(32805);
        QCOMPARE(s.m_eyepieceSize, 40.0f);
        // Shown, typed, OK or Cancel, the size after; an empty text refused with a message.
        const std::tuple<const char*, const char*, bool, float> answers[] = {{"40", "nan", true, 0.0f},
                                                                             {"1", "12.5", true, 12.5f},
                                                                             {"12", "30", false, 12.5f},
                                                                             {"12", "", true, 12.5f}};
        platform::MessageBoxRecorder boxes;
        for (const auto& [shown, typed, ok, after] : answers) {
            OnNextDialog<CEyepieceDlg>([=](CEyepieceDlg* dlg) {
                QCOMPARE(dlg->m_sizeEdit->text(), QString(shown));
                dlg->m_sizeEdit->setText(typed);
                nvtest::Click(ok ? dlg->okButton() : dlg->cancelButton());
                if (dlg->isVisible()) nvtest::Click(dlg->cancelButton());
            });
            frame->ExecuteCommand(32805);
            QCOMPARE(s.m_eyepieceSize, after);
        }
        QCOMPARE(boxes.boxes().size(), size_t(1));
        QVERIFY(CEyepieceDlg::PositionForSize(1e30f) == INT_MAX &&
                CEyepieceDlg::PositionForSize(-7.9f) == -7);
    }

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

NV_WINDOW_TEST_MAIN(WindowTest)
#include "WindowTest.moc"
