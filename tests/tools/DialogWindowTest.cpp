// The Find, Messier marathon and Settings dialogs through the real main window, with a data folder of its
// own.
#include "SkyReference.h"
#include "WindowSupport.h"

#include "astro/RiseTransitSet.h"
#include "planetarium/SkyChain.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/tools/FindDlg.h"
#include "planetarium/tools/MarathonDlg.h"
#include "planetarium/tools/SettingsDlg.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <cerrno>
#include <cmath>
#include <cstring>

using namespace nv::tools;
using nvtest::Click;
using nvtest::ClickLine;

namespace {

QByteArray Slurp(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// How far (degrees) the view centre is from a body as the calculator places it for the sky clock.
double ApartFromBody(const nv::SkyState& s, int body) {
    astro::CSolarSystem solar;
    solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    const astro::BodyPosition& b = solar.Body(body);
    // The body of date; the view centre reads back on the catalogue's equator, carried to the date.
    const astro::Vec3 v = astro::EclipticToEquatorial({b.x, b.y, b.z}),
                      c = astro::CatalogueToDate(ViewCentreEquatorial(s), nv::ChainOf(s));
    return std::acos(std::fmin(1.0, (c.x * v.x + c.y * v.y + c.z * v.z) / astro::Length(v))) * 180.0 / M_PI;
}

bool Writable(const QString& dir) {
    QFile probe(dir + "/probe");
    return probe.open(QIODevice::WriteOnly) && probe.remove();
}

} // namespace

class DialogWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        dataDir = std::make_unique<QTemporaryDir>();
        QVERIFY(dataDir->isValid());
        platform::SetDataDir(dataDir->path().toStdString());
    }

    void init() {
        frame = nvtest::StartFrame(false);
        view = frame->View();
        // Sirius, Vega and HIP 118321 (the table's last slot), and the Messier table.
        nv::SkyCatalog& c = view->catalog();
        nv::FillMessierTable(c.m_messierCentre, c.m_messierCorners);
        for (auto [hip, name, ra, dec] : {std::tuple{32349, "Sirius", 101.2872, -16.7161},
                                          {91262, "Vega", 279.2347, 38.7837},
                                          {118321, "", 359.9795, -64.3723}}) {
            const nv::Vec3f v = nv::SkyDirection(ra, dec);
            c.m_stars[hip] = {v.x, v.y, v.z, 2, 1.0f};
            c.m_starNames[hip] = name;
        }
        SetSky(QDateTime(QDate(2000, 2, 1), QTime(21, 0)), 51.5, -0.13);
    }

    void cleanup() {
        frame.reset();
        QDir(dataDir->path()).removeRecursively();
        QDir().mkpath(dataDir->path());
    }

    // Faults: a name not filling its number, Find not gliding, not stopping the animation or aiming at the
    // catalogue place (not the date's); a number counting unchosen; 118321 refused, 118322 or 5 taken; M110.
    void findStarsAndLockOnBodies() {
        nv::SkyState& s = view->state();
        // Forty years on, 0.56 degree of precession from the catalogue's equinox.
        SetSky(QDateTime(QDate(2040, 2, 1), QTime(21, 0)), 51.5, -0.13);
        frame->ExecuteCommand(32794); // Play: Find stops it for good
        Answer<CFindDlg>(32774, [](CFindDlg* dlg) {
            ClickLine(dlg->m_starList, "Sirius");
            QCOMPARE(dlg->m_hipEdit->text(), QString("32349"));
            Click(dlg->findButton());
        });
        QVERIFY(!s.m_animating && s.g_gliding);
        const QDateTime clock = frame->PickerDateTime();
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
        QCOMPARE(frame->PickerDateTime(), clock);
        QVERIFY(ApartFrom(101.2872, -16.7161) < 0.05);
        Answer<CFindDlg>(32774, [](CFindDlg* dlg) {
            QVERIFY(dlg->m_messierList->count() == 110 && dlg->m_messierList->item(109)->text() == "M110");
            ClickLine(dlg->m_messierList, "M110");
            Click(dlg->findButton());
        });
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
        QVERIFY(ApartFrom(10.0917, 41.6853) < 0.1); // M110: 0h 40m 22s, +41 41' 07"

        platform::MessageBoxRecorder boxes;
        nvtest::OnNextModal([](QWidget* w) { // the top bar's Find
            auto* dlg = qobject_cast<CFindDlg*>(w);
            dlg->m_hipEdit->setText("91262");
            Click(dlg->findButton());
            ClickLine(dlg->m_starList, "Vega");
            for (const char* refused : {"118322", "5", "0"}) {
                dlg->m_hipEdit->setText(refused);
                Click(dlg->findButton());
                QVERIFY2(dlg->isVisible(), refused);
            }
            dlg->m_hipEdit->setText("118321");
            Click(dlg->findButton());
        });
        Click(qobject_cast<QAbstractButton*>(frame->Control(1052)));
        const QString noStar = "No star with that Hipparcos number.";
        QVERIFY(boxes.boxes().size() == 3 &&
                boxes.boxes()[0].first == "Please enter a valid Hippocross number." &&
                boxes.boxes()[1].first == noStar && boxes.boxes()[2].first == noStar);
        QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
        QVERIFY(ApartFrom(359.9795, -64.3723) < 0.05);

        // Faults: Find of a body not moving a lock on another, a body lock not followed while time
        // runs, a left click that keeps the lock or leaves the camera turning.
        const std::tuple<const char*, int, bool> steps[] = {{"Moon/Lunar", astro::kMoon, true},
                                                            {"Mars", astro::kMars, false},
                                                            {"Jupiter", astro::kJupiter, true}};
        for (auto [body, index, lock] : steps) {
            Answer<CFindDlg>(32774, [body, lock](CFindDlg* dlg) {
                ClickLine(dlg->m_bodyList, body);
                Click(lock ? dlg->lockOnButton() : dlg->findButton());
            });
            QTRY_VERIFY(ApartFromBody(s, index) < 0.01); // from the next frame on
            QVERIFY(s.g_lockOn && s.g_lockIsBody && s.g_lockName == body);
        }
        s.m_animUnit = 2; // an hour a tick
        frame->ExecuteCommand(32794);
        const QDateTime start = frame->PickerDateTime();
        QTRY_VERIFY_WITH_TIMEOUT(start.secsTo(frame->PickerDateTime()) >= 4 * 3600, 3000);
        QVERIFY(ApartFromBody(s, astro::kJupiter) < 0.01);
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, view->rect().center());
        QVERIFY(!s.g_lockOn);
        const float yaw = s.m_viewYaw;
        QTest::qWait(200); // time runs on, the camera stays
        QVERIFY(s.m_viewYaw == yaw && ApartFromBody(s, astro::kJupiter) > 0.1);
        frame->ExecuteCommand(32795);
    }

    // Faults: a transit on or outside the window listed, lines out of order, an overnight window listing
    // nothing, the span line wrong, a line choosing another object, the glide not ending on it.
    void marathonListsTheWindowsTransitsAndFindGlidesToOne() {
        // London, 9 March 2024: M44 transits about 21:29, M42 about 18:24, M101 about 02:55 local time.
        SetSky(QDateTime(QDate(2024, 3, 9), QTime(22, 0)), 51.5, -0.13);
        auto expected = [](double from, double to) { // strictly inside, by the rise/transit/set method
            QStringList numbers;
            for (int n = 1; n <= 110; ++n) {
                const nv::MessierRow& r = nv::kMessierRows[n - 1];
                const double t =
                    astro::RiseTransitSet(r.raDeg, r.decDeg, {2024, 3, 9, 22, 0}, {51.5, -0.13, 0.0f})
                        .transit;
                if (from < to ? (from < t && t < to) : (t > from || t < to))
                    numbers << "M" + QString::number(n);
            }
            return numbers;
        };
        QStringList evening, equal, night;
        // M101 (14h 03m 12.6s, +54 20' 57") and M7 (17h 53m 51s, -34 47' 34").
        const std::tuple<const char*, QTime, QTime, double, double> picks[] = {
            {"M101 ", QTime(19, 0), QTime(5, 0), 210.8025, 54.3492},
            {"M7 ", QTime(5, 0), QTime(8, 0), 268.4625, -34.7928}};
        for (auto [line, from, to, ra, dec] : picks) {
            int chosen = -1;
            nvtest::OnNextModal([&](QWidget* w) {
                auto* dlg = qobject_cast<CMarathonDlg*>(w);
                auto listed = [dlg](QTime from, QTime to) {
                    dlg->m_fromPicker->setTime(from);
                    dlg->m_toPicker->setTime(to);
                    QStringList lines;
                    for (int i = 0; i < dlg->m_list->count(); ++i) lines << dlg->m_list->item(i)->text();
                    return lines;
                };
                if (evening.isEmpty()) {
                    evening = listed(QTime(20, 0), QTime(23, 30));
                    equal = listed(QTime(20, 0), QTime(20, 0));
                    night = listed(QTime(19, 0), QTime(5, 0));
                }
                listed(from, to);
                ClickLine(dlg->m_list, line);
                Click(dlg->findButton());
                chosen = dlg->m_messierNumber;
            });
            Click(qobject_cast<QAbstractButton*>(frame->Control(1058)));
            QCOMPARE(QString("M%1 ").arg(chosen), QString(line));
            QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
            QVERIFY2(ApartFrom(ra, dec) < 0.1, line);
        }
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
        QVERIFY(numbers(evening).contains("M44") && !numbers(evening).contains("M42") &&
                numbers(night).contains("M101"));
    }

    // Faults: the wrong map, a click read at the wrong scale or precision, a click on or outside the
    // edge taken; Cancel, Escape, Enter or the close box applying or saving anything.
    void settingsMapClicksFillThePlaceAndClosingAppliesNothing() {
        const bool builtMap =
            QFile::copy(NV_TEST_DATA_DIR "/worldmap.bmp", dataDir->filePath("worldmap.bmp"));
        const nv::SkyState& s = view->state();
        const std::string before = nv::FormatSettings(nv::SettingsFromState(s));
        for (QString how : {"Cancel", "Escape", "Enter", "close box"}) {
            Answer<CSettingsDlg>(32781, [how, builtMap](CSettingsDlg* dlg) {
                auto texts = [dlg] {
                    return QStringList{dlg->m_latitudeEdit->text(), dlg->m_longitudeEdit->text(),
                                       dlg->m_gmtEdit->text()};
                };
                QCOMPARE(texts(), QStringList({"51.500000", "-0.130000", "0"}));
                const QColor sahara = dlg->m_map->pixmap().toImage().pixelColor(158, 55); // 10 E, 23 N
                QVERIFY(!builtMap || sahara.red() > sahara.blue() + 40);
                const std::pair<QPoint, QStringList> clicks[] = {
                    {{164, 62}, {"44.400002", "0.000000", "0"}},
                    {{314, 25}, {"88.800003", "180.000000", "12"}},
                    {{15, 173}, {"-88.800003", "-178.800003", "-11"}},
                    {{100, 99}, {"0.000000", "-76.800003", "-5"}}};
                for (const auto& [at, place] : clicks) {
                    QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {}, at);
                    QCOMPARE(texts(), place);
                }
                for (QPoint outside : {QPoint(14, 62), QPoint(315, 62), QPoint(164, 24), QPoint(164, 174)}) {
                    QTest::mouseClick(dlg->windowHandle(), Qt::LeftButton, {}, outside);
                    QCOMPARE(texts(), clicks[3].second);
                }
                Click(dlg->findChild<QCheckBox*>("IDC_1059"));
                if (how == "Cancel") Click(dlg->cancelButton());
                if (how == "Escape") QTest::keyClick(dlg, Qt::Key_Escape);
                if (how == "Enter") QTest::keyClick(dlg->m_latitudeEdit, Qt::Key_Return);
                if (how == "close box") dlg->close();
                QVERIFY2(!dlg->isVisible(), qPrintable(how));
            });
            QVERIFY(nv::FormatSettings(nv::SettingsFromState(s)) == before && !QFile::exists(SettingsPath()));
        }
    }

    // Faults: Save not applying or not writing 17 CR CR LF lines, the menus not following, stale switches
    // written, a restart not restoring place, zone or a switch.
    void settingsSaveWritesTheFileAndARestartRestoresIt() {
        nv::SkyState& s = view->state();
        s.sw.m_showStars = true;
        platform::MessageBoxRecorder boxes;
        Answer<CSettingsDlg>(32797, [](CSettingsDlg* dlg) { // File > Preferences
            dlg->m_latitudeEdit->setText("19.076");
            dlg->m_longitudeEdit->setText("72.8777");
            dlg->m_gmtEdit->setText("5.5");
            for (const char* id : {"IDC_1016", "IDC_1018", "IDC_1053", "IDC_1059"}) // stars off, the rest on
                Click(dlg->findChild<QCheckBox*>(id));
            Click(dlg->saveButton());
        });
        QCOMPARE(boxes.boxes().back().first, QString("Settings saved"));
        QVERIFY(s.g_latitude == 19.076 && s.g_longitude == 72.8777 && s.g_gmtOffset == 5.5f);
        QVERIFY(!s.sw.m_showStars && s.sw.m_showRaDec && s.sw.m_showAltAzi && s.g_nightVision);
        QVERIFY(frame->Action(32808)->isChecked() && !frame->Action(32782)->isChecked()); // the menus follow
        const QByteArray file = Slurp(SettingsPath());
        QVERIFY(file.count("\r\r\n") == 17 && file.count('\n') == 17 && file.endsWith("\r\r\n"));
        const QList<QByteArray> lines = file.split('\n');
        QCOMPARE(lines[0] + lines[2] + lines[15] + lines[16],
                 QByteArray("FALSE\r\rTRUE\r\rTRUE\r\rTRUE\r\r"));

        RestartReadingTheDataFolder();
        const nv::SkyState& again = view->state();
        QVERIFY(again.g_latitude == 19.076 && again.g_longitude == 72.8777 && again.g_gmtOffset == 5.5f);
        QCOMPARE(nv::FormatSettings(nv::SettingsFromState(again)), file.toStdString()); // every switch
    }

    // Faults: a failed save shown as saved or without file and reason, the dialog closing, the values
    // applied, the old file truncated, a temporary file left behind.
    void settingsSaveIntoAReadOnlyFolderKeepsTheOldFile() {
        const QByteArray old = "old settings, kept\r\r\n";
        WriteSettingsFile(old);
        const std::string before = nv::FormatSettings(nv::SettingsFromState(view->state()));
        platform::MessageBoxRecorder boxes;
        {
            // Read-only for the block; as root, whom permissions do not stop, also immutable.
            const QString dir = dataDir->path();
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
            if (Writable(dir)) QProcess::execute("chattr", {"+i", dir});
            const auto restore = qScopeGuard([dir] {
                QProcess::execute("chattr", {"-i", dir});
                QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            });
            if (Writable(dir)) QSKIP("this user can write into a read-only folder here");
            Answer<CSettingsDlg>(32781, [](CSettingsDlg* dlg) {
                dlg->m_latitudeEdit->setText("10");
                Click(dlg->saveButton());
                QVERIFY(dlg->isVisible() && dlg->m_latitudeEdit->text() == "10"); // open, values kept
                Click(dlg->cancelButton());
            });
        }
        QCOMPARE(boxes.boxes().size(), size_t(1));
        const QString message = boxes.boxes()[0].first;
        QVERIFY2(message.contains("NightvaneGL.ini") &&
                     (message.contains(strerror(EACCES)) || message.contains(strerror(EPERM))),
                 qPrintable(message));
        QCOMPARE(Slurp(SettingsPath()), old);
        QCOMPARE(QDir(dataDir->path()).entryList(QDir::Files), QStringList{"NightvaneGL.ini"});
        QCOMPARE(nv::FormatSettings(nv::SettingsFromState(view->state())), before);
    }

    // Faults: the sky angle computed before the file's zone is read, Update not recomputing it or
    // writing the file.
    void settingsZoneTurnsTheSkyFromTheFirstFrameAndOnUpdate() {
        nv::SettingsFile file = nv::DefaultSettings();
        file.m_latitude = 23.7;
        file.m_longitude = 90.4;
        file.m_gmtOffset = 6.0f;
        WriteSettingsFile(QByteArray::fromStdString(nv::FormatSettings(file)));
        platform::MessageBoxRecorder boxes; // the test's data folder has no catalogue
        RestartReadingTheDataFolder();
        auto zenithApartFromLst = [this](double zone) {
            const nv::SkyState& s = view->state();
            const QDateTime t = frame->PickerDateTime();
            const double jd = nvtest::JulianDayUt(t.date().year(), t.date().month(), t.date().day(),
                                                  t.time().hour(), t.time().minute(), zone);
            double ra = 0, dec = 0; // the zenith on the equator of date
            astro::RaDecFromVector(
                astro::ViewCentreDirection({-90.0f, 0.0f, s.g_latitude, LocalSiderealRotation(s)}), ra, dec);
            return std::fabs(std::remainder(ra - nvtest::Gmst(jd) - s.g_longitude, 360.0));
        };
        QVERIFY2(zenithApartFromLst(6.0) < 0.01, "zone +6 at 90.4 E: the zenith at the local sidereal time");
        Answer<CSettingsDlg>(32781, [](CSettingsDlg* dlg) {
            dlg->m_gmtEdit->setText("-3.5");
            Click(dlg->updateButton());
        });
        QVERIFY(view->state().g_gmtOffset == -3.5f && zenithApartFromLst(-3.5) < 0.01);
        QCOMPARE(Slurp(SettingsPath()).toStdString(), nv::FormatSettings(file)); // Update writes nothing
    }

private:
    template <class Dialog> void Answer(int command, std::function<void(Dialog*)> answer) {
        nvtest::OnNextDialog<Dialog>(answer);
        frame->ExecuteCommand(command);
    }
    bool Idle() const { return !view->state().g_gliding; }
    void SetSky(const QDateTime& local, double lat, double lon) {
        view->state().g_latitude = lat;
        view->state().g_longitude = lon;
        frame->SetPickerDateTime(local);
        view->OnDateTimeChange();
    }
    // The view centre's distance from a catalogue direction, by the textbook reference.
    double ApartFrom(double ra, double dec) const {
        const nv::SkyState& s = view->state();
        const double jd =
            nvtest::JulianDayUt(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
        return nvtest::CentreApart(s.m_viewPitch, s.m_viewYaw,
                                   nvtest::AltAzOf(ra, dec, jd, s.g_latitude, s.g_longitude));
    }
    void RestartReadingTheDataFolder() {
        frame.reset();
        frame = nvtest::StartFrame(true); // the folder holds no pictures: warnings say so
        view = frame->View();
        QTRY_VERIFY(view->started() && view->frameCount() > 0);
    }
    QString SettingsPath() const { return dataDir->filePath("NightvaneGL.ini"); }
    void WriteSettingsFile(const QByteArray& text) {
        QFile f(SettingsPath());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
    }

    std::unique_ptr<QTemporaryDir> dataDir;
    std::unique_ptr<CMainFrame> frame;
    CNightvaneGlView* view = nullptr;
};

NV_WINDOW_TEST_MAIN(DialogWindowTest)
#include "DialogWindowTest.moc"
