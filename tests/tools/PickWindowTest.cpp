// Right clicks on the real sky through the real window: the pop-up's first item and the details it shows.
#include "WindowSupport.h"

#include "astro/SolarSystem.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/tools/Navigation.h"
#include "planetarium/tools/ObjectDetailsDlg.h"
#include "planetarium/tools/Picking.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <cmath>
#include <optional>

namespace {

double Separation(const astro::Vec3& a, const astro::Vec3& b) {
    const double c = (a.x * b.x + a.y * b.y + a.z * b.z) / (astro::Length(a) * astro::Length(b));
    return std::acos(std::clamp(c, -1.0, 1.0)) * astro::g_radToDeg;
}

astro::Vec3 Of(const nv::StarRecord& r) {
    return {r.x, r.y, r.z};
}

} // namespace

class PickWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<platform::MessageBoxRecorder> boxes; // a missing file is reported, not left blocking
    std::unique_ptr<CMainFrame> frame;
    CNightvaneGlView* view = nullptr;

    nv::SkyState& S() { return view->state(); }
    const nv::SkyCatalog& Cat() { return view->catalog(); }

    void Aim(const astro::Vec3& v, float fov) {
        S().g_fov = fov;
        view->makeCurrent();
        view->ResizeScene(S().g_viewWidth, S().g_viewHeight);
        view->doneCurrent();
        const nv::tools::GlideTarget t = nv::tools::AimAtEquatorial(S(), v);
        S().m_viewPitch = t.pitch;
        S().m_viewYaw = t.yaw;
        view->Redraw();
    }
    // A right click at the centre; the pop-up's first item (the pop-up closed unless `keepOpen`).
    QString RightClick(bool keepOpen = false) {
        QTest::mouseClick(view, Qt::RightButton, {}, view->rect().center());
        QMenu* menu = frame->ContextMenu();
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); })) return "no menu";
        const QString first = menu->actions().value(0)->text();
        if (!keepOpen) menu->close();
        return first;
    }
    // Chooses the pop-up's first item; with `details`, the lines of the dialog it opens, then closed.
    QStringList ChooseFirstItem(bool details) {
        QStringList shown;
        if (details)
            nvtest::OnNextDialog<CObjectDetailsDlg>([&shown](CObjectDetailsDlg* dlg) {
                QVERIFY(dlg->windowTitle() == "Object Details" && dlg->m_edit->isReadOnly());
                shown = dlg->m_edit->toPlainText().split('\n');
                nvtest::Click(dlg->closeButton());
            });
        QMenu* menu = frame->ContextMenu();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().value(0)).center());
        if (!QTest::qWaitFor([&] { return !menu->isVisible() && (!details || !shown.isEmpty()); }))
            return {"no answer"};
        return shown;
    }
    double NearestStar(const astro::Vec3& v) {
        double best = 180;
        for (int i = 1; i < nv::kCatalogueLines; ++i)
            if (Cat().m_stars[i].z != 0) best = std::min(best, Separation(v, Of(Cat().m_stars[i])));
        return best;
    }

private slots:
    void initTestCase() {
        if (!QFile::exists(QString(NV_TEST_DATA_DIR) + "/hip.txt")) QSKIP("the data folder is not built");
        boxes = std::make_unique<platform::MessageBoxRecorder>();
        frame = nvtest::StartFrame(true, {1000, 720});
        view = frame->View();
        S().g_latitude = 51.5, S().g_longitude = -0.1, S().g_gmtOffset = 0.0f;
        frame->SetPickerDateTime(QDateTime(QDate(2024, 3, 20), QTime(22, 0)));
        view->OnDateTimeChange();
    }
    void init() {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        S().sw.m_showStars = true;
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }
    void cleanupTestCase() { frame.reset(); }

    // Faults: something named on empty sky, a dialog opened for nothing, the animation left running.
    void emptySkyNamesNothingAndChoosingItOnlyStopsTheAnimation() {
        // No star within 0.1 degree, outside every picture, far south of every body, at 1 degree.
        std::optional<astro::Vec3> empty;
        for (double dec = -60; dec < -35 && !empty; dec += 1.7)
            for (double ra = 3; ra < 360 && !empty; ra += 7.3) {
                bool clear = NearestStar(astro::EquatorialVector(ra, dec)) > 0.1;
                for (const nv::MessierRow& m : nv::kMessierRows)
                    clear =
                        clear && !(ra > m.ra1 - 1 && ra < m.ra2 + 1 && dec > m.dec1 - 1 && dec < m.dec2 + 1);
                if (clear) empty = astro::EquatorialVector(ra, dec);
            }
        QVERIFY(empty);
        Aim(*empty, 1.0f);
        frame->ExecuteCommand(nv::ID_ANIM_PLAY);
        QCOMPARE(RightClick(true), QString("No star Selected"));
        QCOMPARE(ChooseFirstItem(false), QStringList());
        QTest::qWait(100);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(!S().m_animating && !view->timer().IsRunning(1));
    }

    // Faults: a named star not by its name, HIP 20000 taken for "nothing", a star layer switched off
    // hiding its stars from the pick, the details of the wrong star or with time left running.
    void starsByNameAndNumberEvenSwitchedOffAndHip20000Shown() {
        Aim(Of(Cat().m_stars[11767]), 1.0f);
        QCOMPARE(RightClick(), QString("About Polaris"));
        Aim(Of(Cat().m_stars[20000]), 1.0f);
        frame->ExecuteCommand(nv::ID_VIEW_STARS);
        QCOMPARE(RightClick(), QString("Hip number 20000"));
        frame->ExecuteCommand(nv::ID_VIEW_STARS);
        frame->ExecuteCommand(nv::ID_ANIM_PLAY);
        QCOMPARE(RightClick(true), QString("Hip number 20000"));
        const QStringList shown = ChooseFirstItem(true);
        QVERIFY(shown.value(0) == "20000" && shown.value(6) == "RA = 4h 17m 19s"); // Hipparcos: 4h 17m 19.8s
        QVERIFY(!S().m_animating && !view->timer().IsRunning(1));
    }

    // Faults: the star under a planet named instead of the planet drawn first; a Messier picture not
    // picked inside its quad, or its details not shown.
    void aPlanetOverAStarAndM42sPictureAtFiveDegrees() {
        // A star within 0.15 degree of a planet's centre, at 65 degrees (the 5-pixel box is 0.45 degree
        // wide).
        const astro::CSolarSystem bodies = nv::tools::BodiesForSkyClock(S());
        int planet = -1, star = -1;
        for (int b = astro::kMercury; b < astro::kBodyCount && planet < 0; ++b) {
            const astro::BodyPosition& p = bodies.Body(b);
            const astro::Vec3 at = astro::EclipticToEquatorial({p.x, p.y, p.z});
            for (int i = 1; i < nv::kCatalogueLines && planet < 0; ++i)
                if (Cat().m_stars[i].z != 0 && Separation(at, Of(Cat().m_stars[i])) < 0.15)
                    planet = b, star = i;
        }
        QVERIFY2(planet >= 0, "no planet near a star tonight");
        Aim(Of(Cat().m_stars[star]), 65.0f);
        QCOMPARE(RightClick(),
                 "About " + QString::fromStdString(std::string(nv::kSkyBodies[planet].pickedName)));

        // A spot in the middle of M42's picture with no star within 0.05 degree.
        const nv::MessierRow& m = nv::kMessierRows[41];
        std::optional<astro::Vec3> spot;
        for (double f = 0.3; f < 0.7 && !spot; f += 0.02) {
            const astro::Vec3 v =
                astro::EquatorialVector(m.ra1 + f * (m.ra2 - m.ra1), m.dec1 + (1 - f) * (m.dec2 - m.dec1));
            if (NearestStar(v) > 0.05) spot = v;
        }
        QVERIFY(spot);
        Aim(*spot, 5.0f);
        QCOMPARE(RightClick(true), QString("About Messier M42"));
        QCOMPARE(ChooseFirstItem(true).value(0), QString("Messier M42"));
    }
};

NV_WINDOW_TEST_MAIN(PickWindowTest)
#include "PickWindowTest.moc"
