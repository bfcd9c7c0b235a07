// The orbit viewer through its real main window: menus, toolbar and bar, the animation through
// timer 1 and the settings dialog, the names switch, the mouse, a missing asteroid file, and the
// frame itself counted through OpenGL's feedback mode.
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

#include "imaging/PictureCommands.h"
#include <GL/gl.h>

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolBar>
#include <QtTest>
#include <functional>
#include <memory>

using namespace tessmoor;
using nvtest::OnNextModal;

namespace {

// Picks the count and unit texts in the animation settings dialog and presses a button.
void ChooseStep(const char* count, const char* unit, bool play) {
    OnNextModal([=](QWidget* w) {
        auto* dlg = qobject_cast<CAnimationDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Animation settings"));
        dlg->m_countList->setCurrentItem(dlg->m_countList->findItems(count, Qt::MatchExactly).value(0));
        dlg->m_unitList->setCurrentItem(dlg->m_unitList->findItems(unit, Qt::MatchExactly).value(0));
        QTest::mouseClick(play ? dlg->playButton() : dlg->cancelButton(), Qt::LeftButton);
    });
}

// Pixels of the names' blue (0.2, 0.2, 0.8) and of white labels.
int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}
constexpr QRgb kBlue = 0x3333cc, kWhite = 0xffffff;

// Three asteroids whose names print 11, 6 and 6 glyphs; the last holds a percent sign.
const char* const kThreeLines = "1 Ceres\t3.3\t2.7666\t0.0786\t10.587\t73.53\t80.27\t172.9\t\n"
                                "4 Vesta\t3.2\t2.3620\t0.0884\t7.141\t151.26\t103.80\t0.0\t\n"
                                "50% %d\t9\t3.1\t0.1\t5\t10\t20\t30\t\n";
constexpr int kNameGlyphs = 7 + 7 + 6;
// "Sol", "Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune".
constexpr int kPlanetGlyphs = 3 + 5 + 7 + 5 + 4 + 7 + 6 + 6 + 7;

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menusToolbarAndBar();
    void pickersHoldUniversalTime();
    void backThreeDaysPerTick();
    void yearsAreThreeHundredSixtyFiveDays();
    void cancelInTheSettingsStopsTheAnimation();
    void namesToggleWithTheCheckMark();
    void dragAndWheelTurnAndZoom();
    void missingFileLeavesThePlanets();
    void recordsPastTheEndDrawNothing();
    void snapshotDrawsTheSameFrame();
    void saveCopyAndPrintTakeTheFrameAsDrawn();

private:
    void Open(const char* fileText);
    void SetPickers(QDate date, QTime time) {
        frame->SetPickers(date, time);
        view->OnDateTimeChange();
    }
    QDate Date() const { return frame->PickerDate(); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CMainFrame> frame;
    CWanderocsView* view = nullptr;
};

void ViewerWindowTest::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    platform::SetDataDir(dir->path().toStdString());
    QDir::setCurrent(dir->path());
}

void ViewerWindowTest::cleanup() {
    frame.reset();
    view = nullptr;
    dir.reset();
}

// Opens the window over a data folder holding fileText as wanderocs.txt (none when null).
void ViewerWindowTest::Open(const char* fileText) {
    if (fileText != nullptr) {
        QFile f(dir->filePath("wanderocs.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fileText);
    }
    frame = std::make_unique<CMainFrame>();
    frame->resize(800, 600);
    frame->show();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    view = frame->View();
    QTRY_VERIFY(view->started());
}

void ViewerWindowTest::menusToolbarAndBar() {
    Open(kThreeLines);
    QCOMPARE(frame->windowTitle(), QString("Untitled - Tessmoor"));
    QStringList menus;
    for (QAction* m : frame->menuBar()->actions()) {
        QStringList items;
        for (QAction* a : m->menu()->actions()) items << (a->isSeparator() ? "-" : a->text());
        menus << m->text() + ": " + items.join(" | ");
    }
    QCOMPARE(menus,
             QStringList({"&File: &Save\tCtrl+S | - | &Print...\tCtrl+P | Print Pre&view | P&rint Setup... "
                          "| - | Recent File | - | E&xit",
                          "&Edit: &Undo\tCtrl+Z | - | Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V",
                          "&View: &Toolbar | &Status Bar | - | Wanderoc names",
                          "Animation: Play | Stop | - | Settings", "&Help: &About Wanderocs..."}));
    // The commands by number; those with nothing to do are greyed out.
    const std::pair<int, bool> commands[] = {{57603, true},  {57607, true},  {57609, true},  {57606, true},
                                             {57616, false}, {57665, true},  {57643, false}, {57635, false},
                                             {57634, true},  {57637, false}, {32774, true},  {32772, true},
                                             {32773, true},  {32771, true},  {57664, true}};
    for (const auto& [id, enabled] : commands) {
        QVERIFY2(frame->Action(id), qPrintable(QString::number(id)));
        QCOMPARE(frame->Action(id)->isEnabled(), enabled);
    }
    QStringList buttons;
    for (QAction* a : frame->ToolBar()->actions()) buttons << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(buttons, QStringList({"ID_57603", "-", "ID_57634", "-", "ID_57607", "ID_57664"}));
    QCOMPARE(frame->Action(57603)->shortcut(), QKeySequence("Ctrl+S"));
    QVERIFY(qobject_cast<QTimeEdit*>(frame->Control(1000)));
    QVERIFY(qobject_cast<QDateEdit*>(frame->Control(1001)));
    QCOMPARE(qobject_cast<QPushButton*>(frame->Control(1002))->text(), QString("Play"));
    QCOMPARE(qobject_cast<QPushButton*>(frame->Control(1003))->text(), QString("Stop"));
    QVERIFY(!frame->DialogBar()->findChildren<QLabel*>().isEmpty());
    QCOMPARE(frame->DialogBar()->findChildren<QLabel*>().first()->text(), QString("UT"));

    // About: "Wanderocs Version 1.0".
    OnNextModal([](QWidget* w) {
        QCOMPARE(w->windowTitle(), QString("About Wanderocs"));
        QStringList texts;
        for (QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
        QVERIFY(texts.contains("Wanderocs Version 1.0"));
        qobject_cast<QDialog*>(w)->accept();
    });
    frame->ExecuteCommand(57664);
}

void ViewerWindowTest::pickersHoldUniversalTime() {
    Open(kThreeLines);
    const QDateTime shown(frame->PickerDate(), frame->PickerTime(), Qt::UTC);
    QVERIFY(std::llabs(shown.secsTo(QDateTime::currentDateTimeUtc())) < 120);
    // The date picker keeps to the years 100 to 9999.
    auto* date = qobject_cast<QDateEdit*>(frame->Control(1001));
    QCOMPARE(date->minimumDate(), QDate(100, 1, 1));
    QCOMPARE(date->maximumDate(), QDate(9999, 12, 31));
    // A picker change reaches the shown instant at once.
    SetPickers(QDate(1999, 12, 31), QTime(23, 45, 30));
    QCOMPARE(view->instant().year, 1999);
    QCOMPARE(view->instant().hour, 23);
    QCOMPARE(view->instant().minute, 45);
    QCOMPARE(view->instant().second, 0);
}

void ViewerWindowTest::backThreeDaysPerTick() {
    Open(kThreeLines);
    SetPickers(QDate(2024, 3, 2), QTime(12, 0));
    ChooseStep("-3", "Days", true);
    frame->ExecuteCommand(ID_ANIM_SETTINGS);
    QVERIFY(view->timer().IsRunning(kViewerTimerId));
    QCOMPARE(view->state().g_animUnit, 3);
    QCOMPARE(view->state().g_animCount, -3);
    frame->ExecuteCommand(ID_ANIM_STOP);
    QVERIFY(!view->timer().IsRunning(kViewerTimerId));
    QDate at = Date();
    for (int tick = 0; tick < 3; ++tick) {
        view->OnTimer(kViewerTimerId);
        QCOMPARE(Date(), at.addDays(-3));
        QCOMPARE(frame->PickerTime(), QTime(12, 0));
        QCOMPARE(view->instant().day, Date().day());
        at = Date();
    }
    QVERIFY(view->timer().IsRunning(kViewerTimerId)); // each tick re-arms the timer
    frame->ExecuteCommand(IDC_STOP);
    QVERIFY(!view->timer().IsRunning(kViewerTimerId));
}

void ViewerWindowTest::yearsAreThreeHundredSixtyFiveDays() {
    Open(kThreeLines);
    SetPickers(QDate(2023, 3, 1), QTime(6, 30));
    ChooseStep("1", "years", true);
    frame->ExecuteCommand(ID_ANIM_SETTINGS);
    frame->ExecuteCommand(ID_ANIM_STOP);
    view->OnTimer(kViewerTimerId);
    QCOMPARE(Date(), QDate(2024, 2, 29)); // 365 days: the leap day shifts the calendar date
    view->OnTimer(kViewerTimerId);
    QCOMPARE(Date(), QDate(2025, 2, 28));
    QCOMPARE(frame->PickerTime(), QTime(6, 30));
    frame->ExecuteCommand(ID_ANIM_STOP);
}

void ViewerWindowTest::cancelInTheSettingsStopsTheAnimation() {
    Open(kThreeLines);
    SetPickers(QDate(2010, 6, 1), QTime(0, 0));
    qobject_cast<QPushButton*>(frame->Control(IDC_PLAY))->click();
    QVERIFY(view->timer().IsRunning(kViewerTimerId));
    QTRY_VERIFY_WITH_TIMEOUT(Date() > QDate(2010, 6, 2), 3000); // one day per tick at the start
    ChooseStep("5", "Hours", false);
    frame->ExecuteCommand(ID_ANIM_SETTINGS);
    QVERIFY(!view->timer().IsRunning(kViewerTimerId));
    const QDate frozen = Date();
    QTest::qWait(200);
    QCOMPARE(Date(), frozen);
    QCOMPARE(view->state().g_animUnit, 3); // the cancelled choice is not taken
}

void ViewerWindowTest::namesToggleWithTheCheckMark() {
    Open(kThreeLines);
    SetPickers(QDate(2024, 3, 20), QTime(3, 6));
    QAction* names = frame->Action(ID_WANDEROC_NAMES);
    QVERIFY(names->isCheckable() && names->isChecked());
    QVERIFY(CountPixels(view->grabFramebuffer(), kBlue) > 20);
    const int before = view->frameCount();
    names->trigger();
    QTRY_VERIFY(view->frameCount() > before); // drawn again (the window system may hold the frame back)
    QVERIFY(!view->state().g_showWanderocNames);
    QVERIFY(!names->isChecked());
    const QImage without = view->grabFramebuffer();
    QCOMPARE(CountPixels(without, kBlue), 0);
    QVERIFY(CountPixels(without, kWhite) > 50); // labels and points stay
    frame->ExecuteCommand(ID_WANDEROC_NAMES);
    QVERIFY(names->isChecked());
}

void ViewerWindowTest::dragAndWheelTurnAndZoom() {
    Open(kThreeLines);
    ViewerState& s = view->state();
    QCOMPARE(std::make_tuple(s.g_viewerZoom, s.g_viewerPitch, s.g_viewerYaw),
             std::make_tuple(-5.0f, 100.0f, -30.0f));
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(160, 100), view->mapToGlobal(QPointF(160, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QVERIFY(s.g_viewerYaw < -30.0f);
    QCOMPARE(s.g_viewerPitch, 100.0f);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 100));
    QVERIFY(!s.g_dragging);

    QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(s.g_viewerZoom, -5.2f);
}

void ViewerWindowTest::missingFileLeavesThePlanets() {
    platform::MessageBoxRecorder boxes;
    Open(nullptr);
    QTRY_COMPARE(boxes.boxes().size(), size_t(1));
    const QString text = boxes.boxes()[0].first;
    QVERIFY2(text.contains("wanderocs.txt") && text.contains(QDir(dir->path()).absolutePath()),
             qPrintable(text));
    QCOMPARE(boxes.boxes()[0].second, QString("Wanderocs"));
    QVERIFY(!view->loadResult().read);
    const QImage picture = view->grabFramebuffer();
    QVERIFY(CountPixels(picture, kWhite) > 50); // "Sol", "Earth" and the planets
    QCOMPARE(CountPixels(picture, kBlue), 0);
    QVERIFY(frame->isVisible());
}

// Feedback mode hands back what the frame drew: one point per asteroid, one bitmap per glyph.
void ViewerWindowTest::recordsPastTheEndDrawNothing() {
    nvtest::GlTestContext gl(640, 400);
    QVERIFY(gl.ok());
    InitViewerGl();
    auto table = std::make_unique<WanderocTable>();
    ParseWanderocText(kThreeLines, *table);
    ViewerState s;
    s.g_viewerZoom = -200.0f; // everything out to Neptune in view
    ResizeViewer(s, 640, 400);
    auto count = [&](bool names) {
        s.g_showWanderocNames = names;
        std::vector<GLfloat> buffer(20000);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        DrawViewerFrame(s, *table, {2024, 3, 20, 3, 6, 0});
        const GLint used = glRenderMode(GL_RENDER);
        std::pair<int, int> pointsAndGlyphs{0, 0};
        for (GLint k = 0; k < used; k += 4) {
            pointsAndGlyphs.first += buffer[k] == GL_POINT_TOKEN;
            pointsAndGlyphs.second += buffer[k] == GL_BITMAP_TOKEN;
        }
        return pointsAndGlyphs;
    };
    QCOMPARE(count(true), std::make_pair(3, kPlanetGlyphs + kNameGlyphs)); // "50% %d" drawn as written
    QCOMPARE(count(false), std::make_pair(3, kPlanetGlyphs));
    ReleaseViewerGl();
}

void ViewerWindowTest::snapshotDrawsTheSameFrame() {
    QFile f(dir->filePath("wanderocs.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kThreeLines);
    f.close();
    ViewerSnapshotOptions o;
    QString error;
    QCOMPARE(ParseViewerCommandLine({"--snapshot", dir->filePath("belt.bmp"), "--size", "321x200", "--date",
                                     "2024-03-20", "--time", "03:06"},
                                    o, &error),
             platform::LaunchMode::Snapshot);
    QCOMPARE(RunViewerSnapshot(o, platform::ProbeGlContext), 0);
    const QImage picture(dir->filePath("belt.bmp"));
    QCOMPARE(picture.size(), QSize(321, 200));

    // The same frame drawn here, in the window's order and state.
    nvtest::GlTestContext gl(321, 200);
    QVERIFY(gl.ok());
    InitViewerGl();
    auto table = std::make_unique<WanderocTable>();
    ParseWanderocText(kThreeLines, *table);
    ViewerState s;
    ResizeViewer(s, 321, 200);
    DrawViewerFrame(s, *table, {2024, 3, 20, 3, 6, 0});
    const QImage drawn = gl.grab().convertToFormat(QImage::Format_RGB32);
    ReleaseViewerGl();
    QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), drawn);
    QVERIFY(CountPixels(drawn, kBlue) > 20);
}

// Save, Copy and Print go through the shared picture code and take the frame as drawn.
void ViewerWindowTest::saveCopyAndPrintTakeTheFrameAsDrawn() {
    Open(kThreeLines);
    const QImage shown = view->grabFramebuffer();
    QVERIFY(CountPixels(shown, kWhite) > 50);
    auto sameAsShown = [&shown](const QImage& image) {
        if (image.size() != shown.size()) return false;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if ((image.pixel(x, y) & 0xffffff) != (shown.pixel(x, y) & 0xffffff)) return false;
        return true;
    };
    QApplication::clipboard()->setText("kept");
    {
        nvtest::SaveAnswer save(dir->filePath("belt.bmp"));
        platform::MessageBoxRecorder boxes;
        frame->ExecuteCommand(ID_FILE_SAVE);
        QCOMPARE(save.asked, 1);
        QVERIFY(sameAsShown(QImage(dir->filePath("belt.bmp"), "bmp")));
        QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
    }
    frame->ExecuteCommand(ID_EDIT_COPY);
    QTRY_VERIFY(sameAsShown(QApplication::clipboard()->image()));

    QPrinter& printer = imaging::PrinterFor(frame.get());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir->filePath("belt.pdf"));
    nvtest::ModalDriver print({nvtest::Answer<QPrintDialog>(true)});
    frame->ExecuteCommand(ID_FILE_PRINT);
    QVERIFY(print.finished());
    QFile pdf(dir->filePath("belt.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().contains(QString("/Width %1").arg(shown.width()).toLatin1()));
}

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    ViewerWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ViewerWindowTest.moc"
