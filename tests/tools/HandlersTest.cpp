// What needs a stand-in window rather than the real one: animation ticks taken one at a time with
// hand-edited pickers, the eyepiece slider, and the picker value conversions. The arithmetic is in
// NavigationTest and TimeControlTest, the wiring in WindowTest and the app window test.
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
    void playPauseAndPickerChange();
    void eyepieceDialog();
    void qtPickerValues();
};

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
}

QTEST_MAIN(HandlersTest)
#include "HandlersTest.moc"
