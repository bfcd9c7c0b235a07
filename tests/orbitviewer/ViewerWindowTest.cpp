// The orbit viewer through its real main window, its snapshot, and its frame in OpenGL's feedback mode.
#include "imaging/PictureCommands.h"
#include "orbitviewer/Application.h"
#include "orbitviewer/CommandIds.h"
#include "orbitviewer/MainFrame.h"
#include "orbitviewer/OrbitScene.h"
#include "orbitviewer/WanderocsView.h"
#include "platform/AnimationDlg.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"

#include "GlTestContext.h"
#include "ModalDriver.h"
#include <GL/glu.h>
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>
#include <memory>

using namespace tessmoor;
using nvtest::OnNextModal;

namespace {

// Picks the count and unit in the animation settings dialog and presses Play or Cancel.
void ChooseStep(const char* count, const char* unit, bool play) {
    OnNextModal([=](QWidget* w) {
        auto* dlg = qobject_cast<CAnimationDlg*>(w);
        QVERIFY(dlg);
        dlg->m_countList->setCurrentItem(dlg->m_countList->findItems(count, Qt::MatchExactly).value(0));
        dlg->m_unitList->setCurrentItem(dlg->m_unitList->findItems(unit, Qt::MatchExactly).value(0));
        QTest::mouseClick(play ? dlg->playButton() : dlg->cancelButton(), Qt::LeftButton);
    });
}

// Pixels of the names' blue (0.2, 0.2, 0.8) or of the white labels, alpha ignored.
constexpr QRgb kBlue = 0x3333cc, kWhite = 0xffffff;
int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xffffff) == colour;
    return n;
}
QImage Opaque(const QImage& image) {
    QImage rgb(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) rgb.setPixel(x, y, image.pixel(x, y) | 0xff000000);
    return rgb;
}

// Three asteroids whose names print 7, 7 and 6 glyphs; the last holds a percent sign.
const char* const kThreeLines = "1 Ceres\t3.3\t2.7666\t0.0786\t10.587\t73.53\t80.27\t172.9\t\n"
                                "4 Vesta\t3.2\t2.3620\t0.0884\t7.141\t151.26\t103.80\t0.0\t\n"
                                "50% %d\t9\t3.1\t0.1\t5\t10\t20\t30\t\n";
// The names, then "Sol", "Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune".
constexpr int kNameGlyphs = 7 + 7 + 6, kPlanetGlyphs = 3 + 5 + 7 + 5 + 4 + 7 + 6 + 6 + 7;

// kThreeLines' frame at 2024-03-20 03:06 UT drawn into the current context; returns the positions.
std::unique_ptr<WanderocTable> DrawThreeLines(ViewerState& s, int width, int height) {
    auto table = std::make_unique<WanderocTable>();
    ParseWanderocText(kThreeLines, *table);
    ResizeViewer(s, width, height);
    DrawViewerFrame(s, *table, {2024, 3, 20, 3, 6, 0});
    return table;
}

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT

    // Opens the window over a data folder holding fileText as wanderocs.txt (none when null).
    void Open(const char* fileText) {
        if (fileText != nullptr) WriteFile(fileText);
        frame = std::make_unique<CMainFrame>();
        frame->resize(800, 600);
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        view = frame->View();
        QTRY_VERIFY(view->started());
    }
    void SetPickers(QDate date, QTime time) {
        frame->SetPickers(date, time);
        view->OnDateTimeChange();
    }
    void WriteFile(const char* text) {
        QFile f(dir->filePath("wanderocs.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) > 0);
    }
    bool Running() const { return view->timer().IsRunning(kViewerTimerId); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CMainFrame> frame;
    CWanderocsView* view = nullptr;

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        platform::SetDataDir(dir->path().toStdString());
        QDir::setCurrent(dir->path());
    }

    void cleanup() { frame.reset(), dir.reset(); }

    // Catches wrong menu texts or buttons, pickers not in UT or outside the years 100 to 9999, a wrong
    // About box; a names switch that does not hide the blue names, hides the rest, or loses its check
    // mark; Save, Copy or Print not wired to the frame as drawn; a negative count that moves forward, a
    // year that is not 365 days, a tick that changes the time of day, misses the view or does not re-arm
    // the timer, Stop not stopping, Cancel that leaves the timer running or takes the cancelled choice;
    // the mouse not wired to the drag and wheel rules (the rules: ViewerControlTest); a missing file
    // that ends the viewer, says nothing of where it looked, or leaves no planets.
    void oneWindowThroughItsCommands() {
        {
            platform::MessageBoxRecorder boxes;
            Open(nullptr);
            QTRY_COMPARE(boxes.boxes().size(), size_t(1));
            const QString text = boxes.boxes()[0].first;
            QVERIFY2(text.contains("wanderocs.txt") && text.contains(QDir(dir->path()).absolutePath()) &&
                         boxes.boxes()[0].second == "Wanderocs",
                     qPrintable(text));
            QVERIFY(CountPixels(view->grabFramebuffer(), kWhite) > 50); // "Sol", "Earth" and the planets
        }
        Open(kThreeLines);
        QCOMPARE(frame->windowTitle(), QString("Untitled - Tessmoor"));
        QStringList menus, buttons;
        for (QAction* m : frame->menuBar()->actions()) {
            QStringList items;
            for (QAction* a : m->menu()->actions()) items << (a->isSeparator() ? "-" : a->text());
            menus << m->text() + ": " + items.join(" | ");
        }
        QCOMPARE(
            menus,
            QStringList({"&File: &Save\tCtrl+S | - | &Print...\tCtrl+P | Print Pre&view | P&rint Setup... "
                         "| - | Recent File | - | E&xit",
                         "&Edit: &Undo\tCtrl+Z | - | Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V",
                         "&View: &Toolbar | &Status Bar | - | Wanderoc names",
                         "Animation: Play | Stop | - | Settings", "&Help: &About Wanderocs..."}));
        for (QAction* a : frame->ToolBar()->actions()) buttons << (a->isSeparator() ? "-" : a->objectName());
        QCOMPARE(buttons, QStringList({"ID_57603", "-", "ID_57634", "-", "ID_57607", "ID_57664"}));
        QCOMPARE(qobject_cast<QPushButton*>(frame->Control(IDC_STOP))->text(), QString("Stop"));
        QCOMPARE(frame->DialogBar()->findChildren<QLabel*>().value(0)->text(), QString("UT"));
        const QDateTime now(frame->PickerDate(), frame->PickerTime(), Qt::UTC);
        QVERIFY(std::llabs(now.secsTo(QDateTime::currentDateTimeUtc())) < 120);
        auto* date = qobject_cast<QDateEdit*>(frame->Control(1001));
        QVERIFY(date->minimumDate() == QDate(100, 1, 1) && date->maximumDate() == QDate(9999, 12, 31));
        OnNextModal([](QWidget* w) {
            QStringList texts{w->windowTitle()};
            for (QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
            QVERIFY2(texts[0] == "About Wanderocs" && texts.contains("Wanderocs Version 1.0"),
                     qPrintable(texts.join('|')));
            qobject_cast<QDialog*>(w)->accept();
        });
        frame->ExecuteCommand(57664);

        SetPickers(QDate(2024, 3, 20), QTime(3, 6));
        QAction* names = frame->Action(ID_WANDEROC_NAMES);
        QVERIFY(names->isCheckable() && names->isChecked());
        QVERIFY(CountPixels(view->grabFramebuffer(), kBlue) > 20);
        const int before = view->frameCount();
        names->trigger();
        QTRY_VERIFY(view->frameCount() > before); // the window system may hold the frame back
        QVERIFY(!names->isChecked());
        const QImage shown = Opaque(view->grabFramebuffer());
        QCOMPARE(CountPixels(shown, kBlue), 0);
        QVERIFY(CountPixels(shown, kWhite) > 50); // labels and points stay
        frame->ExecuteCommand(ID_WANDEROC_NAMES);
        QVERIFY(names->isChecked());
        names->trigger(); // off again, the frame as shown
        nvtest::SaveAnswer save(dir->filePath("belt.bmp"));
        platform::MessageBoxRecorder boxes; // "saved" waits on no box
        frame->ExecuteCommand(ID_FILE_SAVE);
        QCOMPARE(Opaque(QImage(dir->filePath("belt.bmp"), "bmp")), shown);
        frame->ExecuteCommand(ID_EDIT_COPY);
        QTRY_COMPARE(Opaque(QApplication::clipboard()->image()), shown);
        QPrinter& printer = imaging::PrinterFor(frame.get());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir->filePath("belt.pdf"));
        nvtest::ModalDriver print({nvtest::Answer<QPrintDialog>(true)});
        frame->ExecuteCommand(ID_FILE_PRINT);
        QVERIFY(print.finished() && QFileInfo(dir->filePath("belt.pdf")).size() > 1000);

        const struct {
            const char *count, *unit;
            QDate start, first, second;
        } cases[] = {{"1", "years", {2023, 3, 1}, {2024, 2, 29}, {2025, 2, 28}}, // the leap day shifts it
                     {"-3", "Days", {2024, 3, 2}, {2024, 2, 28}, {2024, 2, 25}}};
        for (const auto& c : cases) {
            SetPickers(c.start, QTime(6, 30));
            ChooseStep(c.count, c.unit, true);
            frame->ExecuteCommand(ID_ANIM_SETTINGS);
            QVERIFY(Running());
            frame->ExecuteCommand(ID_ANIM_STOP);
            QVERIFY(!Running());
            view->OnTimer(kViewerTimerId);
            QCOMPARE(frame->PickerDate(), c.first);
            view->OnTimer(kViewerTimerId);
            QCOMPARE(QDateTime(frame->PickerDate(), frame->PickerTime()), QDateTime(c.second, QTime(6, 30)));
            QCOMPARE(view->instant().day, c.second.day());
            QVERIFY(Running()); // each tick re-arms the timer
            frame->ExecuteCommand(IDC_STOP);
            QVERIFY(!Running());
        }
        qobject_cast<QPushButton*>(frame->Control(IDC_PLAY))->click();
        QVERIFY(Running());
        ChooseStep("5", "Hours", false);
        frame->ExecuteCommand(ID_ANIM_SETTINGS);
        QVERIFY(!Running());
        QCOMPARE(view->state().g_animUnit, 3); // still days

        const ViewerState& s = view->state();
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view, QPoint(160, 100)); // the left button held
        QVERIFY(s.g_viewerYaw < -30.0f && s.g_viewerPitch == 100.0f);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 100));
        QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QVERIFY(!s.g_dragging && s.g_viewerZoom == -5.2f);
    }

    // Catches records past the file's end drawn as points or names, a name taken as a format,
    // asteroids drawn in the equatorial frame beside ecliptic planets, and a snapshot whose options
    // do not reach the frame or that draws otherwise. Feedback mode hands back what the frame drew:
    // one point per asteroid (where it lands in the window), one bitmap per glyph.
    void frameAndSnapshot() {
        WriteFile(kThreeLines);
        ViewerSnapshotOptions o;
        QCOMPARE(ParseViewerCommandLine({"--snapshot", dir->filePath("belt.bmp"), "--size", "640x400",
                                         "--date", "2024-03-20", "--time", "03:06", "--zoom", "-200",
                                         "--pitch", "95", "--yaw", "-20"},
                                        o, nullptr),
                 platform::LaunchMode::Snapshot);
        QCOMPARE(RunViewerSnapshot(o, platform::ProbeGlContext), 0);
        nvtest::GlTestContext gl(640, 400);
        QVERIFY(gl.ok());
        InitViewerGl();
        ViewerState s;
        s.g_viewerZoom = -200.0f, s.g_viewerPitch = 95.0f, s.g_viewerYaw = -20.0f; // out to Neptune in view
        s.g_showWanderocNames = true;                                              // as the snapshot draws it
        std::vector<GLfloat> buffer(20000);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        const auto table = DrawThreeLines(s, 640, 400);
        const GLint used = glRenderMode(GL_RENDER);
        GLdouble model[16], projection[16], x, y, z;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        int points = 0, glyphs = 0;
        for (GLint k = 0; k < used; k += 4) {
            glyphs += buffer[k] == GL_BITMAP_TOKEN;
            if (buffer[k] != GL_POINT_TOKEN) continue;
            const WanderocRecord& r = (*table)[points++];
            const astro::Vec3 p = EclipticFromEquatorial(r.x, r.y, r.z);
            gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
            QVERIFY(std::hypot(x - buffer[k + 1], y - buffer[k + 2]) < 0.05);
        }
        QVERIFY(points == 3 && glyphs == kPlanetGlyphs + kNameGlyphs); // "50% %d" as written
        DrawThreeLines(s, 640, 400);
        QCOMPARE(Opaque(QImage(dir->filePath("belt.bmp"))), Opaque(gl.grab()));
        ReleaseViewerGl();
    }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    ViewerWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ViewerWindowTest.moc"
