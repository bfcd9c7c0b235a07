// The main window and the sky view, driven through their real menus, buttons and keys.
#include "GlTestContext.h"
#include "planetarium/app/Application.h"
#include "planetarium/app/CommandIds.h"
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
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolBar>
#include <QtTest>
#include <cmath>

using namespace nv::app;

namespace {

QStringList Describe(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : QStringLiteral("%1 %2").arg(a->data().toInt()).arg(a->text()));
    }
    return out;
}

// Counts the pixels close to a colour.
int CountColour(const QImage& image, QColor c, int tolerance = 12) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance) {
                ++n;
            }
        }
    }
    return n;
}

const QColor kCompassGreen(77, 153, 77);
const QColor kCompassNight(128, 0, 0);

} // namespace

class AppWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<CMainFrame> m_frame;
    CNightvaneGlView* m_view = nullptr;

    QMenu* MenuNamed(const QString& title) {
        for (QAction* a : m_frame->menuBar()->actions()) {
            if (a->text() == title) return a->menu();
        }
        return nullptr;
    }

    // Opens a menu of the menu bar with the mouse and clicks one of its items.
    void ClickMenuItem(const QString& title, int id) {
        QMenuBar* bar = m_frame->menuBar();
        QMenu* menu = MenuNamed(title);
        QVERIFY(menu != nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QAction* item = m_frame->Action(id);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    QWidget* ToolButton(int id) { return m_frame->ToolBar()->widgetForAction(m_frame->Action(id)); }

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
    }

    // Each case starts from an active main window with no dialog, pop-up, glide or animation left
    // over from the case before (without a window manager nothing reactivates a window by itself).
    void init() {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        m_view->state().g_gliding = false;
        m_view->state().m_animating = false;
        m_view->timer().KillTimer(1);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }

    void titleAndStartState() {
        QCOMPARE(m_frame->windowTitle(), QString("Untitled - NightvaneGl"));
        const nv::SkyState& s = m_view->state();
        QCOMPARE(s.m_viewPitch, -30.0f);
        QCOMPARE(s.m_viewYaw, 90.0f);
        QCOMPARE(s.g_fov, 65.0f);
        QVERIFY(!s.g_flipHorizontal);
        QVERIFY(s.sw.m_showEyepiece);
        QCOMPARE(s.m_eyepieceSize, 1.0f);
        QCOMPARE(s.g_viewWidth, m_view->width());
        QCOMPARE(s.g_viewHeight, m_view->height());
        QCOMPARE(g_view, m_view);
        QCOMPARE(CMainFrame::Get(), m_frame.get());
    }

    void menuTextsIdsAndOrder() {
        QStringList titles;
        for (QAction* a : m_frame->menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, QStringList({"&File", "&View", "Eye piece", "Animation", "&Help"}));
        QCOMPARE(Describe(MenuNamed("&File")->actions()),
                 QStringList({"57604 Save &As...", "-", "57607 &Print...\tCtrl+P", "57609 Print Pre&view",
                              "57606 P&rint Setup...", "-", "32797 Preferences", "-", "57665 E&xit"}));
        QCOMPARE(Describe(MenuNamed("&View")->actions()),
                 QStringList({"59392 &Toolbar", "59393 &Status Bar", "-", "32782 Stars", "32783 Star names",
                              "32784 RA and Dec charts", "32807 Alt Azi chart", "32785 Ecliptic",
                              "32786 Planets", "32787 Ground", "32788 Milky way", "32789 Constellation lines",
                              "32790 Constellation names", "32791 Messiers", "32792 Messier names",
                              "32793 Day light", "32808 Night vision"}));
        QCOMPARE(Describe(MenuNamed("Eye piece")->actions()),
                 QStringList({"32804 Show Eyepiece", "32805 Eye Piece size."}));
        QCOMPARE(Describe(MenuNamed("Animation")->actions()),
                 QStringList({"32794 Play", "32795 Pause", "-", "32796 Animation settings"}));
        QCOMPARE(Describe(MenuNamed("&Help")->actions()),
                 QStringList({"57667 &Help Topics", "-", "57664 &About NightvaneGl..."}));
        QCOMPARE(Describe(m_frame->ContextMenu()->actions()),
                 QStringList(
                     {"32800 About star", "32801 Lock on here.", "-", "32802 Play", "32803 Stop animation"}));
        QStringList toolbar;
        for (QAction* a : m_frame->ToolBar()->actions()) {
            toolbar << (a->isSeparator() ? QStringLiteral("-") : QString::number(a->data().toInt()));
            if (!a->isSeparator()) QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(toolbar, QStringList({"57603", "32799", "57607", "-", "32774", "32809", "32810", "32779",
                                       "32798", "32781", "57664"}));
    }

    void barsHoldTheirControls() {
        auto* zoom = qobject_cast<QProgressBar*>(m_frame->Control(IDC_ZOOM_BAR));
        QVERIFY(zoom != nullptr);
        QCOMPARE(zoom->minimum(), 1);
        QCOMPARE(zoom->maximum(), 65);
        m_frame->SetZoomIndicator(40);
        QCOMPARE(m_frame->ZoomIndicator(), 40);
        m_frame->SetZoomIndicator(500);
        QCOMPARE(m_frame->ZoomIndicator(), 65);
        bool zoomLabel = false;
        for (QLabel* l : m_frame->TopBar()->findChildren<QLabel*>()) zoomLabel |= l->text() == "Zoom";
        QVERIFY(zoomLabel);
        QCOMPARE(qobject_cast<QPushButton*>(m_frame->Control(IDC_QUICK_FIND))->text(), QString("Find"));
        QVERIFY(!qobject_cast<QPushButton*>(m_frame->Control(IDC_MARATHON))->icon().isNull());

        // The pickers hold the local date and time of the start.
        const QDateTime picked = m_frame->PickerDateTime();
        QVERIFY(std::abs(picked.secsTo(QDateTime::currentDateTime())) < 180);
        const QDateTime when(QDate(2026, 12, 6), QTime(22, 0), Qt::LocalTime);
        m_frame->SetPickerDateTime(when);
        QCOMPARE(m_frame->PickerDateTime(), when);

        // The navigation bar: eight pictured camera buttons, the readout choice, two edits, Goto.
        for (int id = IDC_FACE_NORTH; id <= IDC_TURN_RIGHT; ++id) {
            auto* b = qobject_cast<QPushButton*>(m_frame->Control(id));
            QVERIFY(b != nullptr && !b->icon().isNull() && b->isVisible());
        }
        QCOMPARE(qobject_cast<QRadioButton*>(m_frame->Control(IDC_READOUT_RADEC))->text(), QString("RA/Dec"));
        QCOMPARE(qobject_cast<QRadioButton*>(m_frame->Control(IDC_READOUT_ALTAZI))->text(),
                 QString("Alt / Azi"));
        QVERIFY(m_frame->IsAltAziReadout());
        QCOMPARE(qobject_cast<QPushButton*>(m_frame->Control(IDC_GOTO))->text(), QString("Goto"));
        m_frame->SetReadoutTexts("12.5", "-30.0");
        QCOMPARE(m_frame->ReadoutTexts(), std::make_pair(QString("12.5"), QString("-30.0")));
        QCOMPARE(m_frame->NavigationBar()->parentWidget(), m_frame.get());
        QCOMPARE(m_frame->toolBarArea(m_frame->NavigationBar()), Qt::BottomToolBarArea);
    }

    void picturesAreDrawnCrispAtEveryDensity() {
        for (int id = int(IconId::Save); id <= int(IconId::Marathon); ++id) {
            const QIcon icon = nv::res::CommandIcon(IconId(id));
            for (qreal scale : {1.0, 2.0, 3.0}) {
                const QPixmap pm = icon.pixmap(QSize(20, 20), scale);
                QCOMPARE(pm.size(), QSize(20, 20) * scale); // painted at the device size, not scaled up
                QCOMPARE(pm.devicePixelRatio(), scale);
                const QImage image = pm.toImage();
                int ink = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) ink += qAlpha(image.pixel(x, y)) > 128;
                }
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
            QVERIFY2(m_view->OnCommand(id), qPrintable(QString::number(id)));
            QVERIFY2(m_view->redrawCount() > before, qPrintable(QString::number(id)));
            if (FindCommand(id)->layerSwitch != nullptr) m_view->OnCommand(id); // back as it was
        }
        m_view->OnCommand(32795); // no animation left running for the next tests
        // A closed dialog leaves no active window behind when there is no window manager.
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QVERIFY(!m_view->OnCommand(ID_VIEW_TOOLBAR)); // the frame's, not the view's
        QVERIFY(!m_view->OnCommand(4242));
    }

    void switchFromTheMenuToggledTwiceRestoresStateAndCheckMark() {
        const int switches[] = {ID_VIEW_STARS, ID_VIEW_NIGHTVISION, ID_VIEW_ALTAZI};
        for (int id : switches) {
            bool& flag = FindCommand(id)->layerSwitch(m_view->state());
            const bool start = flag;
            QCOMPARE(m_frame->Action(id)->isChecked(), start);
            ClickMenuItem("&View", id);
            QCOMPARE(flag, !start);
            QCOMPARE(m_frame->Action(id)->isChecked(), !start);
            ClickMenuItem("&View", id);
            QCOMPARE(flag, start);
            QCOMPARE(m_frame->Action(id)->isChecked(), start);
        }
        // The eyepiece switch of its own menu.
        const bool eyepiece = m_view->state().sw.m_showEyepiece;
        ClickMenuItem("Eye piece", ID_SHOW_EYEPIECE);
        QCOMPARE(m_view->state().sw.m_showEyepiece, !eyepiece);
        QCOMPARE(m_frame->Action(ID_SHOW_EYEPIECE)->isChecked(), !eyepiece);
        m_frame->ExecuteCommand(ID_SHOW_EYEPIECE);
        QCOMPARE(m_view->state().sw.m_showEyepiece, eyepiece);
        // A switch changed elsewhere shows its true state when the menu opens.
        m_view->state().sw.m_showGround = true;
        m_frame->UpdateCheckMarks();
        QVERIFY(m_frame->Action(ID_VIEW_GROUND)->isChecked());
        m_view->state().sw.m_showGround = false;
        m_frame->UpdateCheckMarks();
    }

    void toolbarButtonsAndKeysReachTheView() {
        int before = m_view->redrawCount();
        QTest::mouseClick(ToolButton(ID_FLIP_HORIZONTAL), Qt::LeftButton);
        QCOMPARE(m_view->redrawCount(), before + 1);
        before = m_view->redrawCount();
        QTest::mouseClick(ToolButton(ID_APP_ABOUT), Qt::LeftButton);
        QCOMPARE(m_view->redrawCount(), before + 1);
        before = m_view->redrawCount();
        QTest::keyClick(m_frame.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_view->redrawCount(), before + 1);
        before = m_view->redrawCount();
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_view->redrawCount(), before + 1);
    }

    void hidingToolbarOrStatusBarLeavesTheOtherBarsWorking() {
        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QVERIFY(m_frame->ToolBar()->isHidden());
        QVERIFY(!m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(m_frame->TopBar()->isVisible());
        QVERIFY(m_frame->NavigationBar()->isVisible());
        QVERIFY(m_frame->statusBar()->isVisible());
        int before = m_view->redrawCount();
        QTest::mouseClick(m_frame->Control(IDC_GOTO), Qt::LeftButton);
        QTest::mouseClick(m_frame->Control(IDC_QUICK_FIND), Qt::LeftButton);
        QTest::mouseClick(m_frame->Control(IDC_FACE_SOUTH), Qt::LeftButton);
        QCOMPARE(m_view->redrawCount(), before + 3);
        // The toolbar's own key still works while its button is hidden.
        before = m_view->redrawCount();
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_view->redrawCount(), before + 1);

        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isHidden());
        before = m_view->redrawCount();
        QTest::mouseClick(m_frame->Control(IDC_TILT_UP), Qt::LeftButton);
        QCOMPARE(m_view->redrawCount(), before + 1);
        ClickMenuItem("&View", ID_VIEW_STARS);
        ClickMenuItem("&View", ID_VIEW_STARS);

        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QVERIFY(m_frame->ToolBar()->isVisible());
        before = m_view->redrawCount();
        QTest::mouseClick(ToolButton(ID_FLIP_VERTICAL), Qt::LeftButton);
        QCOMPARE(m_view->redrawCount(), before + 1);
        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isVisible());
        QVERIFY(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(m_frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
    }

    void statusBarShowsPromptsWhileHovering() {
        QStatusBar* status = m_frame->statusBar();
        QLabel* idle = nullptr;
        for (QLabel* l : status->findChildren<QLabel*>()) {
            if (l->text() == "For Help, press F1") idle = l;
        }
        QVERIFY(idle != nullptr);
        QTest::mouseMove(ToolButton(ID_NORTH));
        QTRY_COMPARE(status->currentMessage(), QString("Center the view on Polaris."));
        QTest::mouseMove(ToolButton(ID_FIND));
        QTRY_COMPARE(status->currentMessage(), QString("Find stars,planets or messier objects."));
        QTest::mouseMove(m_view, m_view->rect().center());
        QTRY_COMPARE(status->currentMessage(), QString());
        QVERIFY(idle->isVisible());

        // A menu item's prompt while the pointer is on it.
        QMenuBar* bar = m_frame->menuBar();
        QMenu* view = MenuNamed("&View");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view->menuAction()).center());
        QTRY_VERIFY(view->isVisible());
        QTest::mouseMove(view, view->actionGeometry(m_frame->Action(ID_VIEW_MILKYWAY)).center());
        QTRY_COMPARE(status->currentMessage(), QString("Turns the Milky way on or off."));
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
    }

    void viewDrawsTheCompassAndRedrawsAfterACommand() {
        m_view->state().g_nightVision = false;
        m_frame->ExecuteCommand(ID_VIEW_STARS);
        const QImage day = m_view->grabFramebuffer();
        QVERIFY(CountColour(day, kCompassGreen) > 20);
        const int frames = m_view->frameCount();
        m_frame->ExecuteCommand(ID_VIEW_NIGHTVISION);
        QVERIFY(m_view->frameCount() > frames); // drawn at once, not queued
        const QImage night = m_view->grabFramebuffer();
        QCOMPARE(CountColour(night, kCompassGreen), 0);
        QVERIFY(CountColour(night, kCompassNight) > 20);
        m_frame->ExecuteCommand(ID_VIEW_NIGHTVISION);
        m_frame->ExecuteCommand(ID_VIEW_STARS);
    }

    void projectionAspectAndFieldSigns() {
        nvtest::GlTestContext ctx(300, 200);
        QVERIFY(ctx.ok());
        nv::SkyState s;
        auto catalog = std::make_unique<nv::SkyCatalog>();
        CSkyScene scene(s, *catalog);
        while (glGetError() != GL_NO_ERROR) {
        }
        QVERIFY(scene.InitGL());
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        const double f = 1.0 / std::tan(65.0 * M_PI / 360.0);
        auto projection = [] {
            double m[16];
            glGetDoublev(GL_PROJECTION_MATRIX, m);
            return std::make_pair(m[0], m[5]);
        };
        scene.ResizeScene(300, 200);
        // The true view: +width/height, so x is not mirrored.
        auto [x, y] = projection();
        QVERIFY(std::abs(x - f / 1.5) < 1e-5);
        QVERIFY(std::abs(y - f) < 1e-5);
        s.g_flipHorizontal = true;
        nv::ApplySkyProjection(s);
        std::tie(x, y) = projection();
        QVERIFY(std::abs(x + f / 1.5) < 1e-5);
        QVERIFY(y > 0);
        s.g_flipHorizontal = false;
        s.g_fov = -65.0f;
        nv::ApplySkyProjection(s);
        std::tie(x, y) = projection();
        // A negative field turns the picture upside down (gluPerspective negates both axes' scale).
        QVERIFY(std::abs(y + f) < 1e-5);
        s.g_fov = 65.0f;

        // A zero-height client is drawn as one pixel high, with no division by zero.
        scene.ResizeScene(300, 0);
        QCOMPARE(s.g_viewHeight, 0);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        QCOMPARE(viewport[2], 300);
        QCOMPARE(viewport[3], 1);
        std::tie(x, y) = projection();
        QVERIFY(std::isfinite(x) && x > 0 && std::abs(x - f / 300.0) < 1e-6);
        QVERIFY(scene.RenderScene());
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        scene.ReleaseGL();
    }

    void noOpenGLContextShowsTheErrorAndFails() {
        {
            platform::MessageBoxRecorder boxes;
            auto frame = CreateMainWindow([] { return platform::GlProbeResult::NoFormat; });
            QVERIFY(!frame);
            QCOMPARE(boxes.boxes().size(), size_t(2));
            QCOMPARE(boxes.boxes()[0], std::make_pair(QString("ChoosePixelFormat failed"), QString("Error")));
            QCOMPARE(boxes.boxes()[1], std::make_pair(QString("SetPixelformat Failed!"), QString("Error")));
        }
        {
            platform::MessageBoxRecorder boxes;
            const int status = NightvaneGlMain(*qApp, {}, [] { return platform::GlProbeResult::NoCurrent; });
            QVERIFY(status != 0);
            QCOMPARE(boxes.boxes().size(), size_t(2));
            QCOMPARE(boxes.boxes()[0].first, QString("SetPixelFormat failed"));
            QCOMPARE(boxes.boxes()[1].first, QString("SetPixelformat Failed!"));
        }
        // The real probe finds a context here.
        QCOMPARE(platform::ProbeGlContext(), platform::GlProbeResult::Ok);
        QCOMPARE(CMainFrame::Get(), m_frame.get());
    }

    void snapshotWritesA24BitBmp() {
        QTemporaryDir dir;
        const QString file = dir.filePath("sky.bmp");
        QProcess run;
        run.start(NV_NIGHTVANE_EXE, {"--snapshot", file, "--size", "320x200"});
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(QString::fromLocal8Bit(run.readAllStandardOutput()).contains(file));
        QFile bmp(file);
        QVERIFY(bmp.open(QIODevice::ReadOnly));
        const QByteArray bytes = bmp.readAll();
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(int(uchar(bytes[28])), 24);
        QCOMPARE(bytes.size(), 54 + 320 * 3 * 200);
        const QImage image(file);
        QCOMPARE(image.size(), QSize(320, 200));
        // The start view faces north, 30 degrees up: "North" near the bottom, in the middle.
        const QImage bottom = image.copy(100, 150, 120, 50);
        QVERIFY(CountColour(bottom, kCompassGreen) > 10);

        QProcess bad;
        bad.start(NV_NIGHTVANE_EXE, {"--snapshot", dir.filePath("bad.bmp"), "--fov", "0"});
        QVERIFY(bad.waitForFinished(60000));
        QCOMPARE(bad.exitCode(), 2);
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
        const nv::SkyCatalog& catalog = frame.View()->catalog();
        if (!QFile::exists(QString(NV_TEST_DATA_DIR) + "/hip.txt")) QSKIP("the data folder is not built");
        QVERIFY(boxes.boxes().empty());
        // Sirius is in the table, Polaris has its name, and the one fixed correction is applied.
        QVERIFY(std::abs(catalog.m_stars[32349].z) > 0.0f || std::abs(catalog.m_stars[32349].x) > 0.0f);
        QCOMPARE(catalog.m_starNames[11767], std::string("Polaris"));
        QCOMPARE(catalog.m_stars[1183].magnitude, 10.193f);
        QVERIFY(frame.View()->state().g_year >= 2024);
        // The sky is drawn with its stars: far more lit pixels than the compass words alone.
        const QImage sky = frame.View()->grabFramebuffer();
        int lit = 0;
        for (int y = 0; y < sky.height(); y += 2) {
            for (int x = 0; x < sky.width(); x += 2) lit += (sky.pixel(x, y) & 0xffffff) != 0;
        }
        QVERIFY(lit > 500);
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
