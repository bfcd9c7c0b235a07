// The main window and the sky view, driven through their real menus, buttons and keys.
#include "GlTestContext.h"
#include "planetarium/CommandIds.h"
#include "planetarium/app/Application.h"
#include "planetarium/app/CommandTable.h"
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "planetarium/app/SkyScene.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"
#include "resources/Icons.h"

#include <GL/gl.h>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <cmath>
#include <memory>

using namespace nv;
using namespace nv::app;

namespace {

// "id text" of each action ("-" for a separator), comma separated.
QString Describe(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : QStringLiteral("%1 %2").arg(a->data().toInt()).arg(a->text()));
    }
    return out.join(", ");
}

// Pixels within 12 of a colour in each channel.
int CountColour(const QImage& image, QColor c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::abs(p.red() - c.red()) <= 12 && std::abs(p.green() - c.green()) <= 12 &&
                 std::abs(p.blue() - c.blue()) <= 12;
        }
    }
    return n;
}

const QColor kCompassGreen(77, 153, 77);

} // namespace

class AppWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<CMainFrame> m_frame;
    CNightvaneGlView* m_view = nullptr;

    // Opens a menu of the menu bar with the mouse (null if it did not open).
    QMenu* OpenMenu(const QString& title) {
        QMenuBar* bar = m_frame->menuBar();
        for (QAction* a : bar->actions()) {
            if (a->text() != title) continue;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
            return QTest::qWaitFor([&] { return a->menu()->isVisible(); }) ? a->menu() : nullptr;
        }
        return nullptr;
    }
    void ClickMenuItem(const QString& title, int id) {
        QMenu* menu = OpenMenu(title);
        QVERIFY(menu != nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(m_frame->Action(id)).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    QWidget* ToolButton(int id) { return m_frame->ToolBar()->widgetForAction(m_frame->Action(id)); }
    // How many redraws a click on `w`, or Ctrl+key, asked of the view.
    int Clicked(QWidget* w) {
        const int before = m_view->redrawCount();
        QTest::mouseClick(w, Qt::LeftButton);
        return m_view->redrawCount() - before;
    }
    int CtrlKey(Qt::Key key) {
        const int before = m_view->redrawCount();
        QTest::keyClick(m_frame.get(), key, Qt::ControlModifier);
        return m_view->redrawCount() - before;
    }

private slots:
    void initTestCase() {
        m_frame = std::make_unique<CMainFrame>(FrameOptions{false});
        m_view = m_frame->View();
        m_frame->resize(1100, 700);
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTRY_VERIFY(m_view->started());
        QVERIFY(m_view->glInitialised());
        QCOMPARE(m_frame->windowTitle(), QString("Untitled - NightvaneGl"));
        QCOMPARE(g_view, m_view);
        QCOMPARE(CMainFrame::Get(), m_frame.get());
    }

    // Each case starts from an active main window with no dialog, pop-up, glide or animation left
    // over (without a window manager nothing reactivates a window by itself).
    void init() {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        m_view->state().g_gliding = false;
        m_view->state().m_animating = false;
        m_view->timer().KillTimer(1);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }

    void menuTextsIdsAndOrder() {
        QStringList menus; // each title with its items, then the view's pop-up menu
        for (QAction* m : m_frame->menuBar()->actions())
            menus << m->text() + ": " + Describe(m->menu()->actions());
        menus << "pop-up: " + Describe(m_frame->ContextMenu()->actions());
        QCOMPARE(menus,
                 QStringList(
                     {"&File: 57604 Save &As..., -, 57607 &Print...\tCtrl+P, 57609 Print Pre&view, "
                      "57606 P&rint Setup..., -, 32797 Preferences, -, 57665 E&xit",
                      "&View: 59392 &Toolbar, 59393 &Status Bar, -, 32782 Stars, 32783 Star names, "
                      "32784 RA and Dec charts, 32807 Alt Azi chart, 32785 Ecliptic, 32786 Planets, "
                      "32787 Ground, 32788 Milky way, 32789 Constellation lines, "
                      "32790 Constellation names, 32791 Messiers, 32792 Messier names, "
                      "32793 Day light, 32808 Night vision",
                      "Eye piece: 32804 Show Eyepiece, 32805 Eye Piece size.",
                      "Animation: 32794 Play, 32795 Pause, -, 32796 Animation settings",
                      "&Help: 57667 &Help Topics, -, 57664 &About NightvaneGl...",
                      "pop-up: 32800 About star, 32801 Lock on here., -, 32802 Play, 32803 Stop animation"}));
        QStringList toolbar;
        for (QAction* a : m_frame->ToolBar()->actions()) {
            toolbar << (a->isSeparator() ? QString("-") : QString::number(a->data().toInt()));
            QVERIFY(a->isSeparator() || !a->icon().isNull());
        }
        QCOMPARE(toolbar.join(' '), QString("57603 32799 57607 - 32774 32809 32810 32779 32798 32781 57664"));
        m_frame->SetZoomIndicator(500);
        QCOMPARE(m_frame->ZoomIndicator(), 65); // the zoom bar clamps
    }

    void picturesAreDrawnCrispAtEveryDensity() {
        for (int id = int(IconId::Save); id <= int(IconId::Marathon); ++id) {
            for (qreal scale : {1.0, 2.0, 3.0}) {
                const QPixmap pm = nv::res::CommandIcon(IconId(id)).pixmap(QSize(20, 20), scale);
                const QImage a = pm.toImage().convertToFormat(QImage::Format_Alpha8);
                QCOMPARE(a.size(), QSize(20, 20) * scale); // painted at the device size, not scaled up
                const auto ink = std::count_if(a.constBits(), a.constBits() + a.sizeInBytes(),
                                               [](uchar v) { return v > 128; });
                QVERIFY2(ink > 8 * scale * scale, qPrintable(QString("icon %1 at %2").arg(id).arg(scale)));
            }
        }
        QVERIFY(nv::res::CommandIcon(IconId::None).isNull());
    }

    void everyViewCommandReachesAHandlerAndRedraws() {
        const int ids[] = {32782, 32783, 32784, 32807, 32785, 32786, 32787, 32788, 32789, 32790, 32791,
                           32792, 32793, 32808, 32804, 32805, 32794, 32795, 32796, 32802, 32803, 32800,
                           32801, 32774, 32779, 32798, 32809, 32810, 32781, 32797, 32799, 57603, 57604,
                           57607, 57608, 57609, 57667, 57664, 1032,  1033,  1034,  1035,  1036,  1037,
                           1038,  1039,  1041,  1042,  1045,  1052,  1058};
        // Commands that open a dialog are answered with Cancel as soon as it shows.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
        closer.start(20);
        for (int id : ids) {
            const int before = m_view->redrawCount();
            QVERIFY2(m_view->OnCommand(id) && m_view->redrawCount() > before,
                     qPrintable(QString::number(id)));
            if (FindCommand(id)->layerSwitch != nullptr) m_view->OnCommand(id); // back as it was
        }
        m_view->OnCommand(ID_ANIM_PAUSE);
        QVERIFY(!m_view->OnCommand(ID_VIEW_TOOLBAR)); // the frame's, not the view's
        QVERIFY(!m_view->OnCommand(4242));
    }

    void switchFromTheMenuToggledTwiceRestoresStateAndCheckMark() {
        for (int id : {ID_VIEW_STARS, ID_VIEW_NIGHTVISION, ID_VIEW_ALTAZI, ID_SHOW_EYEPIECE}) {
            const char* menu = id == ID_SHOW_EYEPIECE ? "Eye piece" : "&View";
            bool& flag = FindCommand(id)->layerSwitch(m_view->state());
            const bool start = flag;
            for (bool expected : {!start, start}) {
                ClickMenuItem(menu, id);
                QCOMPARE(flag, expected);
                QCOMPARE(m_frame->Action(id)->isChecked(), expected);
            }
        }
        // A switch changed elsewhere shows its true state when the menu opens.
        for (bool on : {true, false}) {
            m_view->state().sw.m_showGround = on;
            m_frame->UpdateCheckMarks();
            QCOMPARE(m_frame->Action(ID_VIEW_GROUND)->isChecked(), on);
        }
    }

    // Toolbar buttons, bar buttons and keys each redraw once, with either bar hidden.
    void hidingToolbarOrStatusBarLeavesTheOtherBarsWorking() {
        QCOMPARE(QList({Clicked(ToolButton(ID_APP_ABOUT)), CtrlKey(Qt::Key_P)}), QList({1, 1}));
        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QVERIFY(m_frame->ToolBar()->isHidden() && !m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(m_frame->TopBar()->isVisible() && m_frame->NavigationBar()->isVisible());
        QVERIFY(m_frame->statusBar()->isVisible());
        // The bars' buttons work, and so does the hidden Save button's key.
        QCOMPARE(QList({Clicked(m_frame->Control(IDC_GOTO)), Clicked(m_frame->Control(IDC_QUICK_FIND)),
                        Clicked(m_frame->Control(IDC_FACE_SOUTH)), CtrlKey(Qt::Key_S)}),
                 QList({1, 1, 1, 1}));

        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isHidden());
        QCOMPARE(Clicked(m_frame->Control(IDC_TILT_UP)), 1);
        ClickMenuItem("&View", ID_VIEW_STARS);
        ClickMenuItem("&View", ID_VIEW_STARS);

        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QVERIFY(m_frame->ToolBar()->isVisible());
        QCOMPARE(Clicked(ToolButton(ID_FLIP_VERTICAL)), 1);
        // The bars' right-click menu offers to hide only what the View menu brings back: the top
        // bar and the navigation bar cannot be hidden there.
        const std::unique_ptr<QMenu> bars(m_frame->createPopupMenu());
        QStringList offered;
        for (QAction* a : bars ? bars->actions() : QList<QAction*>())
            if (a->isVisible() && !a->isSeparator()) offered << a->text();
        QCOMPARE(offered, QStringList{m_frame->ToolBar()->windowTitle()});
        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isVisible());
        QVERIFY(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked() &&
                m_frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
    }

    void statusBarShowsPromptsWhileHovering() {
        QStatusBar* status = m_frame->statusBar();
        QLabel* idle = status->findChild<QLabel*>();
        QVERIFY(idle != nullptr && idle->text() == "For Help, press F1");
        QTest::mouseMove(ToolButton(ID_NORTH));
        QTRY_COMPARE(status->currentMessage(), QString("Center the view on Polaris."));
        QTest::mouseMove(ToolButton(ID_FIND));
        QTRY_COMPARE(status->currentMessage(), QString("Find stars,planets or messier objects."));
        QTest::mouseMove(m_view, m_view->rect().center());
        QTRY_COMPARE(status->currentMessage(), QString());
        QVERIFY(idle->isVisible());

        // A menu item's prompt while the pointer is on it.
        QMenu* view = OpenMenu("&View");
        QVERIFY(view != nullptr);
        QTest::mouseMove(view, view->actionGeometry(m_frame->Action(ID_VIEW_MILKYWAY)).center());
        QTRY_COMPARE(status->currentMessage(), QString("Turns the Milky way on or off."));
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
    }

    void viewDrawsTheCompassAndRedrawsAfterACommand() {
        m_view->state().g_nightVision = false;
        QVERIFY(CountColour(m_view->grabFramebuffer(), kCompassGreen) > 20);
        const int frames = m_view->frameCount();
        m_frame->ExecuteCommand(ID_VIEW_NIGHTVISION);
        QVERIFY(m_view->frameCount() > frames); // drawn at once, not queued
        const QImage night = m_view->grabFramebuffer();
        QVERIFY(CountColour(night, kCompassGreen) == 0 && CountColour(night, QColor(128, 0, 0)) > 20);
        m_frame->ExecuteCommand(ID_VIEW_NIGHTVISION);
    }

    void projectionAspectAndFieldSigns() {
        nvtest::GlTestContext ctx(300, 200);
        QVERIFY(ctx.ok());
        nv::SkyState s;
        nv::SkyCatalog catalog;
        CSkyScene scene(s, catalog);
        QVERIFY(scene.InitGL());
        const double f = 1.0 / std::tan(65.0 * M_PI / 360.0);
        // The x and y scales of the projection, after resizing to w x h.
        auto scales = [&](int w, int h) {
            scene.ResizeScene(w, h);
            double m[16];
            glGetDoublev(GL_PROJECTION_MATRIX, m);
            return std::make_pair(m[0], m[5]);
        };
        // A zero-height client is drawn as one pixel high, with no division by zero.
        const double x = scales(300, 0).first;
        QCOMPARE(s.g_viewHeight, 0);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        QVERIFY(viewport[2] == 300 && viewport[3] == 1);
        QVERIFY(std::isfinite(x) && std::abs(x - f / 300.0) < 1e-6);
        QVERIFY(scene.RenderScene());
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        // The true view: +width/height, so x is not mirrored; flipped, x is; a negative field turns
        // the picture upside down (gluPerspective negates both scales).
        const std::tuple<bool, float, double, double> cases[] = {
            {false, 65.0f, f / 1.5, f}, {true, 65.0f, -f / 1.5, f}, {false, -65.0f, -f / 1.5, -f}};
        for (auto [flip, fov, sx, sy] : cases) {
            s.g_flipHorizontal = flip;
            s.g_fov = fov;
            const auto [mx, my] = scales(300, 200);
            QVERIFY2(std::abs(mx - sx) < 1e-5 && std::abs(my - sy) < 1e-5,
                     qPrintable(QString("%1 %2").arg(mx).arg(my)));
        }
        scene.ReleaseGL();
    }

    void noOpenGLContextShowsTheErrorAndFails() {
        using Boxes = std::vector<std::pair<QString, QString>>;
        {
            platform::MessageBoxRecorder boxes;
            QVERIFY(!CreateMainWindow([] { return platform::GlProbeResult::NoFormat; }));
            QVERIFY(boxes.boxes() ==
                    Boxes({{"ChoosePixelFormat failed", "Error"}, {"SetPixelformat Failed!", "Error"}}));
        }
        platform::MessageBoxRecorder boxes;
        QVERIFY(NightvaneGlMain(*qApp, {}, [] { return platform::GlProbeResult::NoCurrent; }) != 0);
        QVERIFY(boxes.boxes() ==
                Boxes({{"SetPixelFormat failed", "Error"}, {"SetPixelformat Failed!", "Error"}}));
        QCOMPARE(platform::ProbeGlContext(), platform::GlProbeResult::Ok); // the real probe finds one here
        QCOMPARE(CMainFrame::Get(), m_frame.get());
    }

    void snapshotWritesA24BitBmpAndRefusesBadOptions() {
        QTemporaryDir dir;
        const QString file = dir.filePath("sky.bmp");
        QProcess good, bad;
        good.start(NV_NIGHTVANE_EXE, {"--snapshot", file, "--size", "320x200"});
        QVERIFY(good.waitForFinished(120000) && good.exitStatus() == QProcess::NormalExit);
        QCOMPARE(good.exitCode(), 0);
        QVERIFY(QString::fromLocal8Bit(good.readAllStandardOutput()).contains(file));
        QFile bmp(file);
        QVERIFY(bmp.open(QIODevice::ReadOnly));
        const QByteArray bytes = bmp.readAll();
        QVERIFY(bytes.startsWith("BM") && bytes[28] == 24);
        QCOMPARE(bytes.size(), 54 + 320 * 3 * 200);
        // The start view faces north, 30 degrees up: "North" near the bottom, in the middle.
        QVERIFY(CountColour(QImage(file).copy(100, 150, 120, 50), kCompassGreen) > 10);

        bad.start(NV_NIGHTVANE_EXE, {"--snapshot", dir.filePath("bad.bmp"), "--fov", "0"});
        QVERIFY(bad.waitForFinished(60000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(!bad.readAllStandardError().isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("bad.bmp")));
    }

    void startUpReadsTheDataFolderBehindTheLoadingDialog() {
        m_frame.reset();
        QCOMPARE(g_view, nullptr);
        platform::MessageBoxRecorder boxes; // a missing file would be reported, not block the test
        CMainFrame frame;
        frame.resize(800, 600);
        frame.show();
        QTRY_VERIFY_WITH_TIMEOUT(frame.View()->started(), 60000);
        if (!QFile::exists(QString(NV_TEST_DATA_DIR) + "/hip.txt")) QSKIP("the data folder is not built");
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(frame.View()->catalog().m_starNames[11767], std::string("Polaris"));
        // The sky is drawn with its stars: far more lit pixels than the compass words alone.
        QImage sky = frame.View()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY(sky.width() * sky.height() - CountColour(sky, Qt::black) > 2000);
    }

    void cleanupTestCase() { QCOMPARE(g_view, nullptr); }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    AppWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_app_window.moc"
