// The Find, Messier marathon and Settings dialogs driven through the real main window: its
// toolbar and top-bar buttons, the dialogs' own lists, buttons and keys, timer 1, and the
// settings file in a data folder of the test's own.
#include "FakeView.h"
#include "SkyReference.h"

#include "astro/RiseTransitSet.h"
#include "astro/SkyRotation.h"
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/tools/FindDlg.h"
#include "planetarium/tools/MarathonDlg.h"
#include "planetarium/tools/Navigation.h"
#include "planetarium/tools/SettingsDlg.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <memory>

using namespace nv::tools;

namespace {

// Sirius, Vega and HIP 118321 (RA 359.9795, Dec -64.3723) as the catalogue holds them.
struct TestStar {
    int hip;
    const char* name;
    double ra, dec;
};
constexpr TestStar kStars[] = {{32349, "Sirius", 101.2872, -16.7161},
                               {91262, "Vega", 279.2347, 38.7837},
                               {118321, nullptr, 359.9795, -64.3723}};

QByteArray Slurp(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

// Clicks a list's line (scrolled into view first).
void ClickLine(QListWidget* list, QListWidgetItem* item) {
    QVERIFY(item != nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QVERIFY(item->isSelected());
}

QListWidgetItem* Line(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

// How far the view centre is from a body, as the calculator places it for the sky clock.
double ApartFromBody(const nv::SkyState& s, int body) {
    astro::CSolarSystem solar;
    solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    const astro::BodyPosition& b = solar.Body(body);
    const astro::Vec3 v = astro::EclipticToEquatorial({b.x, b.y, b.z});
    const astro::Vec3 c = ViewCentreEquatorial(s);
    const double cosine = (c.x * v.x + c.y * v.y + c.z * v.z) / (astro::Length(c) * astro::Length(v));
    return std::acos(std::fmin(1.0, cosine)) * 180.0 / M_PI;
}

// Makes a folder read-only for the duration; as root, whose writes no permission stops, the
// folder is also made immutable (Linux), where the file system allows it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& dir) : m_dir(dir) {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        if (!Writable()) return;
        m_immutable = QProcess::execute("chattr", {"+i", dir}) == 0;
    }
    ~ReadOnlyFolder() {
        if (m_immutable) QProcess::execute("chattr", {"-i", m_dir});
        QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool Writable() const {
        QFile probe(m_dir + "/probe");
        const bool ok = probe.open(QIODevice::WriteOnly);
        if (ok) probe.remove();
        return ok;
    }

private:
    QString m_dir;
    bool m_immutable = false;
};

} // namespace

class DialogWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Find object
    void findStarByNameGlidesThereWithTheAnimationStopped();
    void findNumberNeedsTheStarGroupAValidNumberAndAStar();
    void findMessierListEndsWithM110();
    void lockOnJupiterFollowsItWhileTimeRunsUntilALeftClick();
    void findMarsMovesALockFromTheMoon();

    // Messier marathon
    void marathonListsTheTransitsOfTheWindowInNumberOrder();
    void marathonFindGlidesToTheChosenObject();

    // Settings
    void settingsMapClicksFillThePlace();
    void settingsSaveWritesTheFileAndARestartRestoresIt();
    void settingsCancelEscapeEnterAndCloseBoxApplyNothing();
    void settingsSaveIntoAReadOnlyFolderKeepsTheOldFile();
    void settingsZoneTurnsTheSkyFromTheFirstFrameAndOnUpdate();

private:
    bool Idle() const { return !view->state().g_gliding; }
    // Sets the pickers (and through them the sky clock) and the place.
    void SetSky(const QDateTime& local, double lat, double lon, float zone);
    // The view centre's distance from a catalogue direction, for the sky clock and place.
    double ApartFrom(double ra, double dec) const;
    // Starts a window that reads its data folder (the test's own).
    void RestartReadingTheDataFolder();
    void WriteSettingsFile(const QByteArray& bytes);
    QString SettingsPath() const { return dataDir->filePath("NightvaneGL.ini"); }

    std::unique_ptr<QTemporaryDir> dataDir;
    std::unique_ptr<CMainFrame> frame;
    CNightvaneGlView* view = nullptr;
};

void DialogWindowTest::initTestCase() {
    dataDir = std::make_unique<QTemporaryDir>();
    QVERIFY(dataDir->isValid());
    platform::SetDataDir(dataDir->path().toStdString());
}

void DialogWindowTest::init() {
    frame = std::make_unique<CMainFrame>(FrameOptions{false});
    frame->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    view = frame->View();
    QTRY_VERIFY(view->started());
    nv::SkyCatalog& c = view->catalog();
    nv::FillMessierTable(c.m_messierCentre, c.m_messierCorners);
    for (const TestStar& t : kStars) {
        const nv::Vec3f v = nv::SkyDirection(t.ra, t.dec);
        c.m_stars[t.hip] = {v.x, v.y, v.z, 2, 1.0f};
        if (t.name) c.m_starNames[t.hip] = t.name;
    }
    SetSky(QDateTime(QDate(2000, 2, 1), QTime(21, 0)), 51.5, -0.13, 0.0f);
}

void DialogWindowTest::cleanup() {
    frame.reset();
    view = nullptr;
    QDir(dataDir->path()).removeRecursively();
    QDir().mkpath(dataDir->path());
}

void DialogWindowTest::SetSky(const QDateTime& local, double lat, double lon, float zone) {
    nv::SkyState& s = view->state();
    s.g_latitude = lat;
    s.g_longitude = lon;
    s.g_gmtOffset = zone;
    frame->SetPickerDateTime(local);
    view->OnDateTimeChange();
}

double DialogWindowTest::ApartFrom(double ra, double dec) const {
    const nv::SkyState& s = view->state();
    const double jd = nvtest::JulianDayUt(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    return nvtest::CentreApart(s.m_viewPitch, s.m_viewYaw,
                               nvtest::AltAzOf(ra, dec, jd, s.g_latitude, s.g_longitude));
}

namespace {
QtMessageHandler g_previousHandler = nullptr;
} // namespace

void DialogWindowTest::RestartReadingTheDataFolder() {
    // The test's data folder holds no pictures: the warnings about them are not this test's.
    g_previousHandler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& m) {
            if (!(type == QtWarningMsg && m.contains("cannot open file")))
                g_previousHandler(type, context, m);
        });
    frame.reset();
    frame = std::make_unique<CMainFrame>(FrameOptions{true});
    frame->show();
    view = frame->View();
    QTRY_VERIFY_WITH_TIMEOUT(view->started(), 60000);
    qInstallMessageHandler(g_previousHandler);
    QTRY_VERIFY(view->frameCount() > 0);
}

void DialogWindowTest::WriteSettingsFile(const QByteArray& bytes) {
    QFile f(SettingsPath());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// --- Find object -------------------------------------------------------------------------------------

void DialogWindowTest::findStarByNameGlidesThereWithTheAnimationStopped() {
    nv::SkyState& s = view->state();
    frame->ExecuteCommand(32794); // Play: Find stops it
    QVERIFY(s.m_animating);
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->m_starList->count(), 2);
        ClickLine(dlg->m_starList, Line(dlg->m_starList, "Sirius"));
        QCOMPARE(dlg->m_hipEdit->text(), QString("32349"));
        Click(dlg->findButton());
    });
    frame->ExecuteCommand(32774);
    QVERIFY(!s.m_animating);
    const QDateTime clock = frame->PickerDateTime();
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
    QCOMPARE(frame->PickerDateTime(), clock); // the animation stayed stopped
    QVERIFY2(ApartFrom(101.2872, -16.7161) < 0.05,
             qPrintable(QString::number(ApartFrom(101.2872, -16.7161))));
    QVERIFY(!s.g_lockOn);

    // After a name was chosen, a typed number replaces it; the top bar's Find opens the same dialog.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        ClickLine(dlg->m_starList, Line(dlg->m_starList, "Sirius"));
        dlg->m_hipEdit->setText("91262");
        Click(dlg->findButton());
    });
    Click(qobject_cast<QAbstractButton*>(frame->Control(1052)));
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
    QVERIFY(ApartFrom(279.2347, 38.7837) < 0.05);
}

void DialogWindowTest::findNumberNeedsTheStarGroupAValidNumberAndAStar() {
    nv::SkyState& s = view->state();
    platform::MessageBoxRecorder boxes;
    const float yaw = s.m_viewYaw, pitch = s.m_viewPitch;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        // Typed without choosing a star name first: Find does nothing.
        dlg->m_hipEdit->setText("32349");
        Click(dlg->findButton());
        QVERIFY(dlg->isVisible());
        ClickLine(dlg->m_starList, Line(dlg->m_starList, "Vega"));
        for (const char* refused : {"118322", "5", "0"}) {
            dlg->m_hipEdit->setText(refused);
            Click(dlg->findButton());
            QVERIFY2(dlg->isVisible(), refused);
        }
        Click(dlg->cancelButton());
    });
    frame->ExecuteCommand(32774);
    QCOMPARE(QString::number(boxes.boxes().size()), QString("3"));
    QCOMPARE(boxes.boxes()[0].first, QString("Please enter a valid Hippocross number."));
    QCOMPARE(boxes.boxes()[1].first, QString("No star with that Hipparcos number."));
    QCOMPARE(boxes.boxes()[2].first, QString("No star with that Hipparcos number."));
    QVERIFY(Idle() && s.m_viewYaw == yaw && s.m_viewPitch == pitch); // nothing moved

    // The last slot of the table is a valid number.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        ClickLine(dlg->m_starList, Line(dlg->m_starList, "Vega"));
        dlg->m_hipEdit->setText("118321");
        Click(dlg->findButton());
    });
    frame->ExecuteCommand(32774);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
    QVERIFY(ApartFrom(359.9795, -64.3723) < 0.05);
    QCOMPARE(int(boxes.boxes().size()), 3);
}

void DialogWindowTest::findMessierListEndsWithM110() {
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        QCOMPARE(dlg->m_messierList->count(), 110);
        QCOMPARE(dlg->m_messierList->item(0)->text(), QString("M1"));
        QListWidgetItem* last = dlg->m_messierList->item(109);
        QCOMPARE(last->text(), QString("M110"));
        ClickLine(dlg->m_messierList, last);
        Click(dlg->findButton());
    });
    frame->ExecuteCommand(32774);
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
    QVERIFY(ApartFrom(10.0917, 41.6853) < 0.1); // M110: 0h 40m 22s, +41 41' 07"
}

void DialogWindowTest::lockOnJupiterFollowsItWhileTimeRunsUntilALeftClick() {
    nv::SkyState& s = view->state();
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CFindDlg*>(w);
        ClickLine(dlg->m_bodyList, Line(dlg->m_bodyList, "Jupiter"));
        Click(dlg->lockOnButton());
    });
    frame->ExecuteCommand(32774);
    QVERIFY(s.g_lockOn && s.g_lockIsBody && s.g_lockName == "Jupiter");
    QTRY_VERIFY(ApartFromBody(s, astro::kJupiter) < 0.01); // the next frame aims at it
    s.m_animUnit = 2;                                      // an hour a tick
    frame->ExecuteCommand(32794);
    const QDateTime start = frame->PickerDateTime();
    QTRY_VERIFY_WITH_TIMEOUT(start.secsTo(frame->PickerDateTime()) >= 4 * 3600, 3000);
    QVERIFY(ApartFromBody(s, astro::kJupiter) < 0.01);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, view->rect().center());
    QVERIFY(!s.g_lockOn);
    const float yaw = s.m_viewYaw;
    QTest::qWait(200); // time runs on, the camera stays
    QCOMPARE(s.m_viewYaw, yaw);
    QVERIFY(ApartFromBody(s, astro::kJupiter) > 0.1);
    frame->ExecuteCommand(32795);
}

void DialogWindowTest::findMarsMovesALockFromTheMoon() {
    nv::SkyState& s = view->state();
    auto find = [](const char* body, bool lock) {
        nvtest::OnNextModal([=](QWidget* w) {
            auto* dlg = qobject_cast<CFindDlg*>(w);
            ClickLine(dlg->m_bodyList, Line(dlg->m_bodyList, body));
            Click(lock ? dlg->lockOnButton() : dlg->findButton());
        });
    };
    find("Moon/Lunar", true);
    frame->ExecuteCommand(32774);
    QTRY_VERIFY(ApartFromBody(s, astro::kMoon) < 0.01);
    find("Mars", false);
    frame->ExecuteCommand(32774);
    QVERIFY(s.g_lockOn && s.g_lockIsBody && s.g_lockName == "Mars");
    QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
    QVERIFY(ApartFromBody(s, astro::kMars) < 0.01);
}

// --- Messier marathon ------------------------------------------------------------------------------

void DialogWindowTest::marathonListsTheTransitsOfTheWindowInNumberOrder() {
    // London, 9 March 2024: M44 crosses the meridian about 21:29, M42 about 18:24, M101 about 02:55
    // and M7 about 06:45 local time.
    SetSky(QDateTime(QDate(2024, 3, 9), QTime(22, 0)), 51.5, -0.13, 0.0f);
    const nv::SkyState& s = view->state();
    // The objects whose transit, by the rise/transit/set method, lies strictly inside a window.
    auto expected = [&](double from, double to) {
        QStringList numbers;
        for (int n = 1; n <= 110; ++n) {
            const nv::MessierRow& r = nv::kMessierRows[n - 1];
            const double t =
                astro::RiseTransitSet(r.raDeg, r.decDeg, {2024, 3, 9, 22, 0}, {51.5, -0.13, 0.0f}).transit;
            if (from < to ? (from < t && t < to) : (t > from || t < to)) numbers << "M" + QString::number(n);
        }
        return numbers;
    };
    QStringList evening, equal, night;
    nvtest::OnNextModal([&](QWidget* w) {
        auto* dlg = qobject_cast<CMarathonDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->m_list->count(), 0); // empty until a time is picked
        auto listed = [dlg] {
            QStringList lines;
            for (int i = 0; i < dlg->m_list->count(); ++i) lines << dlg->m_list->item(i)->text();
            return lines;
        };
        dlg->m_fromPicker->setTime(QTime(20, 0));
        dlg->m_toPicker->setTime(QTime(23, 30));
        evening = listed();
        dlg->m_toPicker->setTime(QTime(20, 0));
        equal = listed();
        dlg->m_fromPicker->setTime(QTime(19, 0));
        dlg->m_toPicker->setTime(QTime(5, 0));
        night = listed();
        Click(dlg->closeButton());
    });
    Click(qobject_cast<QAbstractButton*>(frame->Control(1058)));
    QVERIFY(!s.m_animating && Idle());
    QCOMPARE(equal, QStringList{"Viewing time = 0 Hours 0 Min 0 Seconds "});
    QCOMPARE(evening.value(0), QString("Viewing time = 3 Hours 30 Min 0 Seconds "));
    QCOMPARE(night.value(0), QString("Viewing time = 10 Hours 0 Min 0 Seconds "));
    auto numbers = [](const QStringList& lines) {
        QStringList out;
        for (const QString& line : lines.mid(1)) out << line.section(' ', 0, 0);
        return out;
    };
    QCOMPARE(numbers(evening), expected(20.0, 23.5));
    QCOMPARE(numbers(night), expected(19.0, 5.0));
    QVERIFY(numbers(evening).contains("M44") && !numbers(evening).contains("M42"));
    QVERIFY(numbers(night).contains("M44") && numbers(night).contains("M101"));
    QVERIFY(!numbers(night).contains("M42") && !numbers(night).contains("M7"));
    // Each line carries its object's transit time.
    for (const QString& line : evening.mid(1)) {
        const double t = line.section(' ', 3, 3).toDouble();
        QVERIFY2(t > 20.0 && t < 23.5, qPrintable(line));
    }
}

void DialogWindowTest::marathonFindGlidesToTheChosenObject() {
    SetSky(QDateTime(QDate(2024, 3, 9), QTime(22, 0)), 51.5, -0.13, 0.0f);
    // M101 (14h 03m 12.6s, +54 20' 57") and M7 (17h 53m 51s, -34 47' 34"); a line's object is chosen.
    const struct {
        const char* line;
        QTime from, to;
        double ra, dec;
    } picks[] = {{"M101", QTime(19, 0), QTime(5, 0), 210.8025, 54.3492},
                 {"M7", QTime(5, 0), QTime(8, 0), 268.4625, -34.7928}};
    for (const auto& p : picks) {
        int chosen = 0;
        nvtest::OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CMarathonDlg*>(w);
            dlg->m_fromPicker->setTime(p.from);
            dlg->m_toPicker->setTime(p.to);
            Click(dlg->findButton()); // no line selected: nothing happens
            QVERIFY(dlg->isVisible());
            const QList<QListWidgetItem*> lines =
                dlg->m_list->findItems(QString(p.line) + " Transits at", Qt::MatchStartsWith);
            QCOMPARE(int(lines.size()), 1);
            ClickLine(dlg->m_list, lines.front());
            Click(dlg->findButton());
            chosen = dlg->m_messierNumber;
        });
        frame->ExecuteCommand(1058);
        QCOMPARE(QString("M%1").arg(chosen), QString(p.line));
        QVERIFY(view->state().g_gliding);
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
        QVERIFY2(ApartFrom(p.ra, p.dec) < 0.1, p.line);
    }
    // The viewing-time line chooses nothing.
    const float yaw = view->state().m_viewYaw;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CMarathonDlg*>(w);
        dlg->m_toPicker->setTime(QTime(23, 0));
        ClickLine(dlg->m_list, dlg->m_list->item(0));
        Click(dlg->findButton());
    });
    frame->ExecuteCommand(1058);
    QVERIFY(Idle() && view->state().m_viewYaw == yaw);
}

// --- Settings --------------------------------------------------------------------------------------

void DialogWindowTest::settingsMapClicksFillThePlace() {
    nv::SkyState& s = view->state();
    // The dialog shows the data folder's map (the sand of the Sahara at 10 E, 23 N).
    const bool builtMap = QFile::copy(NV_TEST_DATA_DIR "/worldmap.bmp", dataDir->filePath("worldmap.bmp"));
    nvtest::OnNextModal([builtMap](QWidget* w) {
        auto* dlg = qobject_cast<CSettingsDlg*>(w);
        QVERIFY(dlg);
        const QColor sahara = dlg->m_map->pixmap().toImage().pixelColor(158, 55);
        QVERIFY(!builtMap || sahara.red() > sahara.blue() + 40);
        auto texts = [dlg] {
            return QStringList{dlg->m_latitudeEdit->text(), dlg->m_longitudeEdit->text(),
                               dlg->m_gmtEdit->text()};
        };
        QCOMPARE(texts(), QStringList({"51.500000", "-0.130000", "0"}));
        // Clicks where the window system delivers them: on the map picture.
        const struct {
            QPoint at;
            QStringList place;
        } clicks[] = {{{164, 62}, {"44.400002", "0.000000", "0"}},
                      {{314, 25}, {"88.800003", "180.000000", "12"}},
                      {{15, 173}, {"-88.800003", "-178.800003", "-11"}},
                      {{100, 99}, {"0.000000", "-76.800003", "-5"}}};
        for (const auto& c : clicks) {
            QCOMPARE(dlg->childAt(c.at), nullptr); // nothing on the map takes the click itself
            QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {}, c.at);
            QCOMPARE(texts(), c.place);
        }
        for (QPoint outside : {QPoint(14, 62), QPoint(315, 62), QPoint(164, 24), QPoint(164, 174)}) {
            QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {}, outside);
            QCOMPARE(texts(), clicks[3].place);
        }
        Click(dlg->cancelButton());
    });
    frame->ExecuteCommand(32781);
    QVERIFY(s.g_latitude == 51.5 && s.g_longitude == -0.13); // nothing applied
}

void DialogWindowTest::settingsSaveWritesTheFileAndARestartRestoresIt() {
    nv::SkyState& s = view->state();
    s.sw.m_showStars = true;
    platform::MessageBoxRecorder boxes;
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CSettingsDlg*>(w);
        dlg->m_latitudeEdit->setText("19.076");
        dlg->m_longitudeEdit->setText("72.8777");
        dlg->m_gmtEdit->setText("5.5");
        // Stars off; RA/Dec chart, Alt Azi chart and night vision on.
        for (const char* id : {"IDC_1016", "IDC_1018", "IDC_1053", "IDC_1059"})
            Click(dlg->findChild<QCheckBox*>(id));
        Click(dlg->saveButton());
    });
    frame->ExecuteCommand(32797); // File > Preferences
    QCOMPARE(boxes.boxes().back().first, QString("Settings saved"));
    QVERIFY(s.g_latitude == 19.076 && s.g_longitude == 72.8777 && s.g_gmtOffset == 5.5f);
    QVERIFY(!s.sw.m_showStars && s.sw.m_showRaDec && s.sw.m_showAltAzi && s.g_nightVision);
    QVERIFY(frame->Action(32808)->isChecked() && !frame->Action(32782)->isChecked()); // the menus follow
    const QByteArray file = Slurp(SettingsPath());
    QCOMPARE(file.count("\r\r\n"), 17);
    QVERIFY(file.endsWith("\r\r\n") && file.count('\n') == 17);
    const QList<QByteArray> lines = file.split('\n');
    QCOMPARE(lines.mid(12, 3), QList<QByteArray>({"72.877700\r\r", "19.076000\r\r", "5.500000\r\r"}));
    QCOMPARE(lines[0] + lines[2] + lines[15] + lines[16], QByteArray("FALSE\r\rTRUE\r\rTRUE\r\rTRUE\r\r"));

    RestartReadingTheDataFolder();
    nv::SkyState& again = view->state();
    QCOMPARE(again.g_gmtOffset, 5.5f);
    QVERIFY(again.g_latitude == 19.076 && again.g_longitude == 72.8777);
    QVERIFY(!again.sw.m_showStars && again.sw.m_showRaDec && again.sw.m_showAltAzi && again.g_nightVision);
    QCOMPARE(nv::FormatSettings(nv::SettingsFromState(again)), file.toStdString());
}

void DialogWindowTest::settingsCancelEscapeEnterAndCloseBoxApplyNothing() {
    nv::SkyState& s = view->state();
    const std::string before = nv::FormatSettings(nv::SettingsFromState(s));
    for (const char* how : {"Cancel", "Escape", "Enter", "close box"}) {
        nvtest::OnNextModal([how](QWidget* w) {
            auto* dlg = qobject_cast<CSettingsDlg*>(w);
            dlg->m_latitudeEdit->setText("-45");
            dlg->m_gmtEdit->setText("9");
            Click(dlg->findChild<QCheckBox*>("IDC_1059"));
            QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {}, QPoint(200, 100));
            const QString h = how;
            if (h == "Cancel") {
                Click(dlg->cancelButton());
            } else if (h == "Escape") {
                QTest::keyClick(dlg, Qt::Key_Escape);
            } else if (h == "Enter") {
                dlg->m_latitudeEdit->setFocus();
                QTest::keyClick(dlg->m_latitudeEdit, Qt::Key_Return);
            } else {
                dlg->close();
            }
            QVERIFY2(!dlg->isVisible(), how);
        });
        frame->ExecuteCommand(32781);
        QCOMPARE(nv::FormatSettings(nv::SettingsFromState(s)), before);
        QVERIFY2(!QFile::exists(SettingsPath()), how);
    }
}

void DialogWindowTest::settingsSaveIntoAReadOnlyFolderKeepsTheOldFile() {
    const QByteArray old = "old settings, kept\r\r\n";
    WriteSettingsFile(old);
    nv::SkyState& s = view->state();
    const std::string before = nv::FormatSettings(nv::SettingsFromState(s));
    platform::MessageBoxRecorder boxes;
    {
        ReadOnlyFolder readOnly(dataDir->path());
        if (readOnly.Writable()) QSKIP("this user can write into a read-only folder here");
        nvtest::OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CSettingsDlg*>(w);
            dlg->m_latitudeEdit->setText("10");
            Click(dlg->saveButton());
            QVERIFY(dlg->isVisible()); // still open with its values
            QCOMPARE(dlg->m_latitudeEdit->text(), QString("10"));
            Click(dlg->cancelButton());
        });
        frame->ExecuteCommand(32781);
    }
    QCOMPARE(int(boxes.boxes().size()), 1);
    // The message names the file and the reason (no permission, or an immutable folder).
    const QString message = boxes.boxes()[0].first;
    auto reason = [](std::errc e) { return QString::fromStdString(std::make_error_code(e).message()); };
    QVERIFY2(message.contains("NightvaneGL.ini") &&
                 (message.contains(reason(std::errc::permission_denied)) ||
                  message.contains(reason(std::errc::operation_not_permitted))),
             qPrintable(message));
    QCOMPARE(Slurp(SettingsPath()), old);
    QCOMPARE(QDir(dataDir->path()).entryList(QDir::Files),
             QStringList{"NightvaneGL.ini"}); // nothing left beside it
    QCOMPARE(nv::FormatSettings(nv::SettingsFromState(s)), before);
}

void DialogWindowTest::settingsZoneTurnsTheSkyFromTheFirstFrameAndOnUpdate() {
    // A settings file with zone +6 at 90.4 E, 23.7 N: the first frame already shows the sky of
    // local time minus six hours, whose zenith stands at the local sidereal time.
    nv::SettingsFile file = nv::DefaultSettings();
    file.m_latitude = 23.7;
    file.m_longitude = 90.4;
    file.m_gmtOffset = 6.0f;
    WriteSettingsFile(QByteArray::fromStdString(nv::FormatSettings(file)));
    platform::MessageBoxRecorder boxes; // the test's data folder has no catalogue
    RestartReadingTheDataFolder();
    auto zenithApartFromLst = [this](double zone) {
        const nv::SkyState& s = view->state();
        const QDateTime local = frame->PickerDateTime();
        const double jd = nvtest::JulianDayUt(local.date().year(), local.date().month(), local.date().day(),
                                              local.time().hour(), local.time().minute(), zone);
        const double lst = nvtest::Gmst(jd) + s.g_longitude;
        double ra = 0, dec = 0;
        astro::RaDecFromVector(
            astro::ViewCentreDirection(0.0f, -90.0f, s.g_latitude, LocalSiderealRotation(s)), ra, dec);
        return std::fabs(std::remainder(ra - lst, 360.0));
    };
    QCOMPARE(view->state().g_gmtOffset, 6.0f);
    QVERIFY2(zenithApartFromLst(6.0) < 0.01, qPrintable(QString::number(zenithApartFromLst(6.0))));

    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CSettingsDlg*>(w);
        QCOMPARE(dlg->m_gmtEdit->text(), QString("6"));
        dlg->m_gmtEdit->setText("-3.5");
        Click(dlg->updateButton());
    });
    frame->ExecuteCommand(32781);
    QCOMPARE(view->state().g_gmtOffset, -3.5f);
    QVERIFY(zenithApartFromLst(-3.5) < 0.01);
    QCOMPARE(Slurp(SettingsPath()),
             QByteArray::fromStdString(nv::FormatSettings(file))); // Update writes nothing
    // Out-of-range values are refused with a message naming the field; the dialog stays open.
    nvtest::OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CSettingsDlg*>(w);
        dlg->m_longitudeEdit->setText("200");
        Click(dlg->updateButton());
        QVERIFY(dlg->isVisible());
        Click(dlg->cancelButton());
    });
    const size_t shown = boxes.boxes().size();
    frame->ExecuteCommand(32781);
    QCOMPARE(boxes.boxes().size(), shown + 1);
    QVERIFY(boxes.boxes().back().first.startsWith("Longitude"));
    QCOMPARE(view->state().g_longitude, 90.4);
}

int main(int argc, char** argv) {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QApplication app(argc, argv);
    DialogWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogWindowTest.moc"
