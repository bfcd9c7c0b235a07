// The main window and the sky view, driven through their real menus, buttons and keys.
#include "GlTestContext.h"
#include "ModalDriver.h"
#include "imaging/PictureCommands.h"
#include "planetarium/CommandIds.h"
#include "planetarium/app/Application.h"
#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "planetarium/app/SkyScene.h"
#include "planetarium/tools/Help.h"
#include "platform/DataDir.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"

#include <GL/gl.h>
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

using namespace nv;
using namespace nv::app;

namespace {

// "id text" of each action ("-" for a separator), comma separated.
QString Describe(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? "-" : QString("%1 %2").arg(a->data().toInt()).arg(a->text()));
    return out.join(", ");
}

// Pixels within 12 of a colour in each channel.
int CountColour(const QImage& image, QColor c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += std::max({std::abs(p.red() - c.red()), std::abs(p.green() - c.green()),
                           std::abs(p.blue() - c.blue())}) <= 12;
        }
    return n;
}

} // namespace

class AppWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<CMainFrame> m_frame;
    CNightvaneGlView* m_view = nullptr;
    platform::UrlOpenerRecorder m_urls; // help pages go here instead of a browser

    // Opens a menu-bar menu with the mouse and clicks its item `id`.
    void ClickMenuItem(const QString& title, int id) {
        QMenuBar* bar = m_frame->menuBar();
        QAction* m = MenuTitle(title);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(m).center());
        QTRY_VERIFY(m->menu()->isVisible());
        QTest::mouseClick(m->menu(), Qt::LeftButton, {},
                          m->menu()->actionGeometry(m_frame->Action(id)).center());
        QTRY_VERIFY(!m->menu()->isVisible());
    }

    // The menu-bar title, or the item of a menu or of the pop-up menu, with this text (null if none).
    static QAction* Find(const QList<QAction*>& actions, const QString& text) {
        for (QAction* a : actions)
            if (a->text() == text) return a;
        return nullptr;
    }
    QAction* MenuTitle(const QString& title) { return Find(m_frame->menuBar()->actions(), title); }
    QAction* MenuItem(const QString& title, const QString& text) {
        return Find(MenuTitle(title)->menu()->actions(), text);
    }
    QAction* PopupItem(const QString& text) { return Find(m_frame->ContextMenu()->actions(), text); }

    QWidget* ToolButton(int id) { return m_frame->ToolBar()->widgetForAction(m_frame->Action(id)); }
    // How many redraws a click on `w` (Ctrl+`key` on the window if given) asked of the view.
    int Clicked(QWidget* w, Qt::Key key = Qt::Key_unknown) {
        const int before = m_view->redrawCount();
        key != Qt::Key_unknown ? QTest::keyClick(w, key, Qt::ControlModifier)
                               : QTest::mouseClick(w, Qt::LeftButton);
        return m_view->redrawCount() - before;
    }
    int CtrlKey(Qt::Key key) { return Clicked(m_frame.get(), key); }

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

    // Each case starts from an active window, no dialog, pop-up, glide or animation left over.
    void init() {
        if (!m_frame) return; // the last cases build their own window
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        m_view->state().g_gliding = m_view->state().m_animating = false;
        m_view->timer().KillTimer(1);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }

    // Fault: a menu item, pop-up item or toolbar button with the wrong text, id, place, picture or
    // prompt (the expected menus are typed here, not read from the command table).
    void menusAndSwitchItems() {
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
        QCOMPARE(m_frame->Action(ID_NORTH)->statusTip(), QString("Center the view on Polaris."));
        QCOMPARE(m_frame->Action(ID_VIEW_MILKYWAY)->statusTip(), QString("Turns the Milky way on or off."));
        QCOMPARE(m_frame->statusBar()->findChild<QLabel*>()->text(), QString("For Help, press F1"));
        m_frame->SetZoomIndicator(500);
        QCOMPARE(m_frame->ZoomIndicator(), 65); // the zoom bar clamps

        // Fault: a switch item wired to another layer's switch, no check mark, or not redrawing (at once).
        using Flags = std::array<bool, 15>;
        auto flags = [this] {
            const nv::SkyState& s = m_view->state();
            const nv::LayerSwitches& w = s.sw;
            return Flags{w.m_showStars,      w.m_showStarNames,  w.m_showRaDec,    w.m_showAltAzi,
                         w.m_showEcliptic,   w.m_showPlanets,    w.m_showGround,   w.m_showMilkyWay,
                         w.m_showConstLines, w.m_showConstNames, w.m_showMessiers, w.m_showMessierNames,
                         w.m_showDayLight,   s.g_nightVision,    w.m_showEyepiece};
        };
        // clang-format off
        const std::pair<const char*, int> items[15] = {
            {"Stars", 32782}, {"Star names", 32783}, {"RA and Dec charts", 32784}, {"Alt Azi chart", 32807},
            {"Ecliptic", 32785}, {"Planets", 32786}, {"Ground", 32787}, {"Milky way", 32788},
            {"Constellation lines", 32789}, {"Constellation names", 32790}, {"Messiers", 32791},
            {"Messier names", 32792}, {"Day light", 32793}, {"Night vision", 32808}, {"Show Eyepiece", 32804}};
        // clang-format on
        for (int k = 0; k < 15; ++k) {
            const auto [text, id] = items[k];
            QAction* item = MenuItem(k < 14 ? "&View" : "Eye piece", text);
            QVERIFY2(item != nullptr && item->data().toInt() == id, text);
            for (int round = 0; round < 2; ++round) {
                Flags expected = flags();
                expected[k] = !expected[k];
                const int redraws = m_view->redrawCount();
                item->trigger();
                QVERIFY2(flags() == expected && m_view->redrawCount() == redraws + 1, text);
                QCOMPARE(item->isChecked(), expected[k]);
            }
        }
        QTest::qWait(50); // no frame pending: the next command draws at once, not queued
        const int frames = m_view->frameCount();
        MenuItem("&View", "Stars")->trigger();
        QVERIFY(m_view->frameCount() > frames);
        MenuItem("&View", "Stars")->trigger();
        for (bool on : {true, false}) { // a switch changed elsewhere shows its state when the menu opens
            m_view->state().sw.m_showGround = on;
            m_frame->UpdateCheckMarks();
            QCOMPARE(MenuItem("&View", "Ground")->isChecked(), on);
        }
    }

    // Fault: "Stop animation" or Pause wired to Play (or to nothing); the pop-up not opening on a
    // right-click; "Lock on here." not locking on the view's centre.
    void animationPopUpAndNavigationCommands() {
        nv::SkyState& s = m_view->state();
        MenuItem("Animation", "Play")->trigger();
        QVERIFY(s.m_animating && m_view->timer().IsRunning(1));
        MenuItem("Animation", "Pause")->trigger();
        QVERIFY2(!s.m_animating && !m_view->timer().IsRunning(1), "Pause must stop the animation");
        PopupItem("Play")->trigger();
        QVERIFY(s.m_animating && m_view->timer().IsRunning(1));
        QMenu* popup = m_frame->ContextMenu();
        QTest::mouseClick(m_view, Qt::RightButton, {}, m_view->rect().center());
        QTRY_VERIFY(popup->isVisible());
        QTest::mouseClick(popup, Qt::LeftButton, {},
                          popup->actionGeometry(PopupItem("Stop animation")).center());
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY2(!s.m_animating && !m_view->timer().IsRunning(1), "Stop animation must stop it");

        s.g_lockOn = false;
        PopupItem("Lock on here.")->trigger();
        QVERIFY(s.g_lockOn && !s.g_lockIsBody);
        s.g_lockOn = false;

        // Fault: a toolbar or navigation button wired to the wrong turn (targets typed here): compass
        // buttons face their way 30 degrees up at the full field, tilt and turn buttons move 10 degrees.
        auto place = [&](float pitch, float yaw, float fov) {
            s.m_viewPitch = pitch, s.m_viewYaw = yaw, s.g_fov = fov, s.g_flipHorizontal = s.g_gliding = false;
        };
        const std::tuple<int, float, float> glides[] = {{1032, -30, 90},  {1033, -30, 270}, {1034, -30, 0},
                                                        {1035, -30, 180}, {1036, -40, 90},  {1037, -20, 90},
                                                        {1038, -30, 100}, {1039, -30, 80}};
        for (const auto& [id, pitch, yaw] : glides) {
            id <= 1035 ? place(10, 200, -21) : place(-30, 90, 65);
            m_frame->ExecuteCommand(id);
            QVERIFY2(s.g_gliding && s.g_glideTargetPitch == pitch && s.g_glideTargetYaw == yaw &&
                         s.g_fov == 65,
                     qPrintable(QString::number(id)));
        }
        place(5, 12, 9);
        m_frame->ExecuteCommand(32779); // centre on Polaris: at once, the zoom kept
        QVERIFY(s.m_viewYaw == 90.0f && s.m_viewPitch == -30.0f && s.g_fov == 9.0f && !s.g_gliding);
        place(-30, 90, 65);
        m_frame->ExecuteCommand(32809);
        QVERIFY(s.g_flipHorizontal && s.g_fov == 65.0f);
        m_frame->ExecuteCommand(32810);
        QVERIFY(s.g_flipHorizontal && s.g_fov == -65.0f);
        place(-30, 90, 65);
        QVERIFY(!m_view->OnCommand(59392)); // the toolbar switch is the frame's
        QVERIFY(!m_view->OnCommand(4242));
    }

    // Fault: hiding the toolbar or the status bar hides or disconnects the other bars or the keys;
    // the bars' right-click menu hides a bar the View menu cannot bring back.
    void hidingToolbarOrStatusBarLeavesTheOtherBarsWorking() {
        nvtest::ModalDriver cancel({nvtest::Answer(false)}, true); // the print, save and Find dialogs
        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QVERIFY(m_frame->ToolBar()->isHidden() && !m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(m_frame->TopBar()->isVisible() && m_frame->NavigationBar()->isVisible() &&
                m_frame->statusBar()->isVisible());
        QCOMPARE(QList({Clicked(m_frame->Control(IDC_GOTO)), Clicked(m_frame->Control(IDC_QUICK_FIND)),
                        Clicked(m_frame->Control(IDC_FACE_SOUTH)), CtrlKey(Qt::Key_S), CtrlKey(Qt::Key_P)}),
                 QList({1, 1, 1, 1, 1}));
        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isHidden());
        QCOMPARE(Clicked(m_frame->Control(IDC_TILT_UP)), 1);
        ClickMenuItem("&View", ID_VIEW_TOOLBAR);
        QCOMPARE(Clicked(ToolButton(ID_FLIP_VERTICAL)), 1);
        const std::unique_ptr<QMenu> bars(m_frame->createPopupMenu());
        QStringList offered; // the bars' right-click menu
        for (QAction* a : bars ? bars->actions() : QList<QAction*>())
            if (a->isVisible() && !a->isSeparator()) offered << a->text();
        QCOMPARE(offered, QStringList{m_frame->ToolBar()->windowTitle()});
        ClickMenuItem("&View", ID_VIEW_STATUS_BAR);
        QVERIFY(m_frame->statusBar()->isVisible() && m_frame->ToolBar()->isVisible() &&
                m_frame->Action(ID_VIEW_TOOLBAR)->isChecked() &&
                m_frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
    }

    // Fault: "Help Topics", "About" (menu and toolbar) or F1 opening another page than the index;
    // after Shift+F1 the next command running instead of opening its page (or the index).
    void helpOpensItsPagesAndExplainsEveryCommand() {
        m_urls.clear();
        platform::MessageBoxRecorder boxes;
        ClickMenuItem("&Help", ID_HELP_FINDER);
        ClickMenuItem("&Help", ID_APP_ABOUT);
        QTest::mouseClick(ToolButton(ID_APP_ABOUT), Qt::LeftButton);
        QTest::keyClick(m_frame.get(), Qt::Key_F1);
        const QUrl index = QUrl::fromLocalFile(
            QDir(QString::fromStdString(platform::DataDir().string())).filePath("help/index.htm"));
        QVERIFY(m_urls.urls() == std::vector<QUrl>(4, index));
        const bool built = QFile::exists(index.toLocalFile());
        QVERIFY(!built || boxes.boxes().empty());

        m_urls.clear();
        nvtest::SaveAnswer save("");
        nvtest::ModalDriver anyDialog({nvtest::Answer(false)}, true);
        QTest::keyClick(m_frame.get(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(m_frame->statusBar()->currentMessage(), QString("Select an object on which to get Help"));
        QTest::mouseClick(ToolButton(ID_FILE_SAVE), Qt::LeftButton);
        QTest::keyClick(m_frame.get(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(Clicked(m_frame->Control(IDC_GOTO)), 0);
        QTest::keyClick(m_frame.get(), Qt::Key_F1, Qt::ShiftModifier);
        ClickMenuItem("&File", ID_FILE_PRINT_PREVIEW);
        QTest::keyClick(m_frame.get(), Qt::Key_F1, Qt::ShiftModifier);
        QTest::mouseClick(m_view, Qt::LeftButton, {}, m_view->rect().center());
        QTest::keyClick(m_frame.get(), Qt::Key_F1, Qt::ShiftModifier); // Escape: the next command runs
        QTest::keyClick(m_frame.get(), Qt::Key_Escape);
        QVERIFY(m_frame->statusBar()->currentMessage().isEmpty());
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(save.asked, 1);
        QStringList opened;
        for (const QUrl& u : m_urls.urls()) opened << u.fileName() + "#" + u.fragment();
        if (!built) QSKIP("the data folder's help pages are not built");
        QCOMPARE(opened, QStringList({"window.htm#cmd-57603", "window.htm#cmd-1045", "menus.htm#cmd-57609",
                                      "index.htm#"}));
        QCOMPARE(anyDialog.answered(), 0);

        // Fault: a text of the menus, the toolbar or the bars not in the help pages (tags removed),
        // or a command with no page of its own for Shift+F1.
        const QDir folder(QString::fromStdString(nv::tools::HelpFolder().string()));
        QString help;
        for (const QString& page : folder.entryList({"*.htm"}, QDir::Files)) {
            QFile f(folder.filePath(page));
            if (f.open(QIODevice::ReadOnly))
                help += QTextDocumentFragment::fromHtml(QString::fromUtf8(f.readAll())).toPlainText() + "\n";
        }
        help = help.simplified();
        auto plain = [](QString text) { return text.section('\t', 0, 0).remove('&'); }; // "&Print...\tCtrl+P"
        QStringList texts;
        QList<int> ids;
        auto add = [&](QAction* a, const QString& text) {
            if (!a->isSeparator()) texts << text, ids << a->data().toInt();
        };
        QList<QAction*> items = m_frame->ContextMenu()->actions();
        for (QAction* menu : m_frame->menuBar()->actions())
            texts << plain(menu->text()), items << menu->menu()->actions();
        for (QAction* a : items) add(a, plain(a->text()));
        for (QAction* a : m_frame->ToolBar()->actions()) add(a, a->toolTip());
        for (QToolBar* bar : {m_frame->TopBar(), m_frame->NavigationBar()}) {
            for (QAbstractButton* b : bar->findChildren<QAbstractButton*>(QRegularExpression("^IDC_"))) {
                texts << (b->text().isEmpty() ? b->toolTip() : b->text());
                ids << b->objectName().mid(4).toInt();
            }
        }
        QVERIFY(texts.size() > 60);
        for (const QString& text : texts)
            QVERIFY2(help.contains(text), qPrintable("not in the help: " + text));
        for (int id : ids)
            QVERIFY2(nv::tools::HelpTopicFor(id).contains("#cmd-"),
                     qPrintable(QString("no page: %1").arg(id)));
    }

    // Fault: Save, Copy or Print taking another picture than the frame as drawn, saving through the
    // user's clipboard, Print Setup using another printer, or the preview not opening or closing.
    void saveCopyAndPrintTakeTheFrameAsDrawn() {
        QTemporaryDir dir;
        QApplication::clipboard()->setText("the user's text");
        const QImage frame = m_view->grabFramebuffer();
        QVERIFY(CountColour(frame, QColor(77, 153, 77)) > 20); // the compass words: not a blank frame
        auto sameAsFrame = [&frame](const QImage& image) {
            if (image.size() != frame.size()) return false;
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x)
                    if ((image.pixel(x, y) & 0xffffff) != (frame.pixel(x, y) & 0xffffff)) return false;
            return true;
        };
        {
            nvtest::SaveAnswer save(dir.filePath("sky.bmp"));
            platform::MessageBoxRecorder boxes;
            QCOMPARE(CtrlKey(Qt::Key_S), 1);
            QVERIFY(save.asked == 1 && boxes.boxes().size() == 1 && boxes.boxes()[0].first == "saved");
            QVERIFY(sameAsFrame(QImage(dir.filePath("sky.bmp"), "bmp")));
            QCOMPARE(QApplication::clipboard()->text(), QString("the user's text"));
        }
        QTest::mouseClick(ToolButton(ID_COPY_IMAGE), Qt::LeftButton);
        QTRY_VERIFY(sameAsFrame(QApplication::clipboard()->image()));

        QPrinter& printer = imaging::PrinterFor(m_frame.get());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("sky.pdf"));
        {
            nvtest::ModalDriver print({nvtest::Answer<QPrintDialog>(true)});
            QCOMPARE(CtrlKey(Qt::Key_P), 1);
            QVERIFY(print.finished());
        }
        QFile pdf(dir.filePath("sky.pdf"));
        const QByteArray bytes = pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
        QVERIFY(bytes.contains("/Width " + QByteArray::number(frame.width())) &&
                bytes.contains("/Height " + QByteArray::number(frame.height())));

        int pages = -1;
        QPrinter* setupPrinter = nullptr;
        auto close = [&](QWidget* w) {
            if (auto* p = qobject_cast<QPrintPreviewDialog*>(w))
                pages = p->findChild<QPrintPreviewWidget*>()->pageCount();
            if (auto* d = qobject_cast<QPageSetupDialog*>(w)) setupPrinter = d->printer();
            return qobject_cast<QDialog*>(w) != nullptr && (static_cast<QDialog*>(w)->reject(), true);
        };
        nvtest::ModalDriver previewThenSetup({close, close});
        ClickMenuItem("&File", ID_FILE_PRINT_PREVIEW);
        ClickMenuItem("&File", ID_FILE_PRINT_SETUP);
        QVERIFY(pages == 1 && setupPrinter == &printer);
    }

    // Fault: a zero-height window dividing by zero, or the flips' signs lost in the projection.
    void projectionSignsAndNoOpenGLContext() {
        nvtest::GlTestContext ctx(300, 200);
        QVERIFY(ctx.ok());
        nv::SkyState s;
        nv::SkyCatalog catalog;
        CSkyScene scene(s, catalog);
        QVERIFY(scene.InitGL());
        const double f = 1.0 / std::tan(65.0 * M_PI / 360.0);
        // True, flipped (x mirrored), a negative field (both negated), a zero-height window (one pixel).
        const std::tuple<bool, float, int, double, double> cases[] = {{false, 65.0f, 200, f / 1.5, f},
                                                                      {true, 65.0f, 200, -f / 1.5, f},
                                                                      {false, -65.0f, 200, -f / 1.5, -f},
                                                                      {false, 65.0f, 0, f / 300.0, f}};
        for (auto [flip, fov, h, sx, sy] : cases) {
            s.g_flipHorizontal = flip, s.g_fov = fov;
            scene.ResizeScene(300, h);
            double m[16];
            glGetDoublev(GL_PROJECTION_MATRIX, m);
            QVERIFY2(std::abs(m[0] - sx) < 1e-6 && std::abs(m[5] - sy) < 1e-5,
                     qPrintable(QString("%1 %2").arg(m[0]).arg(m[5])));
        }
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        QVERIFY(viewport[2] == 300 && viewport[3] == 1);
        QVERIFY(scene.RenderScene());
        QCOMPARE(glGetError(), GLenum(GL_NO_ERROR));
        scene.ReleaseGL();

        // Fault: no OpenGL context going on silently, or the wrong messages (typed here).
        using Boxes = std::vector<std::pair<QString, QString>>;
        const QString failed = "SetPixelformat Failed!", error = "Error";
        {
            platform::MessageBoxRecorder boxes;
            QVERIFY(!CreateMainWindow([] { return platform::GlProbeResult::NoFormat; }));
            QVERIFY(boxes.boxes() == Boxes({{"ChoosePixelFormat failed", error}, {failed, error}}));
        }
        platform::MessageBoxRecorder boxes;
        QVERIFY(NightvaneGlMain(*qApp, {}, [] { return platform::GlProbeResult::NoCurrent; }) != 0);
        QVERIFY(boxes.boxes() == Boxes({{"SetPixelFormat failed", error}, {failed, error}}));
        QCOMPARE(platform::ProbeGlContext(), platform::GlProbeResult::Ok); // the real probe finds one here
        QCOMPARE(CMainFrame::Get(), m_frame.get());
    }

    // Fault: the window starting without the data folder's stars, or with a message box; with no
    // data folder, no window or one box per missing file instead of one that says why.
    void startUpReadsTheDataFolderOrOneBoxSaysWhy() {
        m_frame.reset();
        QCOMPARE(g_view, nullptr);
        const bool built = QFile::exists(QString(NV_TEST_DATA_DIR) + "/hip.txt");
        QTemporaryDir dir;
        for (const QString& data : {QString(), dir.path() + "/no data here"}) {
            platform::SetDataDir(data.toStdString());
            platform::MessageBoxRecorder boxes;
            {
                CMainFrame frame;
                frame.resize(800, 600);
                frame.show();
                QTRY_VERIFY_WITH_TIMEOUT(frame.View()->started(), 60000);
                if (data.isEmpty() && built) {
                    QCOMPARE(frame.View()->catalog().m_starNames[11767], std::string("Polaris"));
                    // Drawn with its stars: far more lit pixels than the compass words alone.
                    const QImage sky = frame.View()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
                    QVERIFY(sky.width() * sky.height() - CountColour(sky, Qt::black) > 2000);
                }
            }
            const QString box = boxes.boxes().empty() ? QString() : boxes.boxes()[0].first;
            QVERIFY(data.isEmpty() ? !built || boxes.boxes().empty()
                                   : boxes.boxes().size() == 1 && box.contains("data folder") &&
                                         box.contains("no data here"));
        }
        platform::SetDataDir({});
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
