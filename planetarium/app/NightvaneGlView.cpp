#include "NightvaneGlView.h"

#include "CommandTable.h"
#include "StartupData.h"
#include "imaging/PictureCommands.h"
#include "planetarium/CommandIds.h"
#include "planetarium/catalog/LoadingDialog.h"
#include "planetarium/tools/Help.h"
#include "planetarium/tools/PickHandlers.h"
#include "planetarium/tools/ToolDialogs.h"
#include "planetarium/tools/ViewHandlers.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

using namespace nv;
using namespace nv::app;

CNightvaneGlView* g_view = nullptr;

CNightvaneGlView::CNightvaneGlView(QWidget* parent)
    : QOpenGLWidget(parent), m_catalog(std::make_unique<nv::SkyCatalog>()), m_scene(m_state, *m_catalog),
      m_timer([this](unsigned id) { OnTimer(id); }) {
    g_view = this;
    setObjectName(QStringLiteral("CNightvaneGlView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

CNightvaneGlView::~CNightvaneGlView() {
    // The context outlives this class's part of the object (the widget base destroys it): its
    // about-to-be-destroyed signal must not reach OnDestroy once this destructor has run.
    if (QOpenGLContext* ctx = context()) disconnect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, nullptr);
    OnDestroy();
    if (g_view == this) g_view = nullptr;
}

// ---------------------------------------------------------------------------------------------
// OpenGL

bool CNightvaneGlView::InitGL() {
    const bool ok = m_scene.InitGL();
    m_state.m_dayNumber = static_cast<float>(
        astro::DayNumber(m_state.g_year, m_state.g_month, m_state.g_day, m_state.g_hour, m_state.g_minute));
    return ok;
}

void CNightvaneGlView::ResizeScene(int cx, int cy) {
    m_scene.ResizeScene(cx, cy, devicePixelRatioF());
}

bool CNightvaneGlView::RenderScene() {
    ++m_frameCount;
    return m_scene.RenderScene();
}

void CNightvaneGlView::initializeGL() {
    InitGL();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CNightvaneGlView::OnDestroy,
            Qt::DirectConnection);
    // The start-up load runs once the window is up, from the event loop (it opens a modal dialog).
    if (!m_started) QTimer::singleShot(0, this, &CNightvaneGlView::OnCreateLoad);
}

void CNightvaneGlView::resizeGL(int w, int h) {
    ResizeScene(w, h);
}

void CNightvaneGlView::paintGL() {
    // While the loader thread fills the tables nothing may read them: the view stays black.
    if (m_loading) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    // QOpenGLWidget resets the viewport before each paint; the projection stays as set.
    RenderScene();
}

void CNightvaneGlView::Redraw() {
    ++m_redrawCount;
    if (isVisible() && m_scene.initialised()) repaint();
}

void CNightvaneGlView::OnDestroy() {
    if (!m_scene.initialised() || context() == nullptr) return;
    makeCurrent();
    m_scene.ReleaseGL();
    doneCurrent();
}

// ---------------------------------------------------------------------------------------------
// Start-up

void CNightvaneGlView::OnCreateLoad() {
    if (m_started) return;
    m_started = true;
    StartupSteps steps;
    steps.readFiles = m_loadDataAtStart;
    if (m_loadDataAtStart) {
        // Textures go into this view's context while the dialog shows; the catalogue is read on the
        // dialog's worker thread.
        steps.loadTablesAndPictures = [this] {
            m_loading = true;
            QString pictures;
            CLoadingDlg dialog(
                *m_catalog,
                [this, &pictures] {
                    makeCurrent();
                    pictures = LoadTextures(m_state);
                    doneCurrent();
                },
                this);
            dialog.exec();
            m_loading = false;
            QStringList messages{pictures};
            if (dialog.catalogueMissing())
                messages.prepend(QString::fromStdString(dialog.loadReport().message));
            return messages;
        };
    }
    steps.startTime = [this] {
        return m_frame != nullptr ? m_frame->PickerDateTime() : QDateTime::currentDateTime();
    };
    steps.report = [this](const QString& message) {
        platform::ShowMessageBox(this, message, QStringLiteral("NightvaneGl"));
    };
    RunStartup(m_scene, m_state, *m_catalog, steps);
    OnInitialUpdate();
}

// The bars follow the state start-up left: the "Alt / Azi" readout, the switches' check marks,
// the readout of the view centre.
void CNightvaneGlView::OnInitialUpdate() {
    m_host.SetAltAziChecked(true);
    m_host.SwitchesChanged();
    nv::tools::UpdateReadout(m_state, m_host);
    Redraw();
}

// ---------------------------------------------------------------------------------------------
// Commands

namespace {

// The view's handlers by command id; the layer switches come from the command table.
struct ViewHandler {
    int id;
    void (CNightvaneGlView::*handler)();
};
using V = CNightvaneGlView;
constexpr ViewHandler kViewHandlers[] = {
    {ID_FILE_SAVE_AS, &V::OnSaveImage},
    {ID_FILE_SAVE, &V::OnSaveImage},
    {ID_FILE_PRINT, &V::OnFilePrint},
    {ID_FILE_PRINT_DIRECT, &V::OnFilePrint},
    {ID_FILE_PRINT_PREVIEW, &V::OnFilePrintPreview},
    {ID_PREFERENCES, &V::OnSettings},
    {ID_SETTINGS, &V::OnSettings},
    {ID_EYEPIECE_SIZE, &V::OnEyepieceSize},
    {ID_ANIM_PLAY, &V::OnPlay},
    {ID_POPUP_PLAY, &V::OnPlay},
    {ID_ANIM_PAUSE, &V::OnPause},
    {ID_POPUP_STOP, &V::OnPause},
    {ID_ANIM_SETTINGS, &V::OnAnimationSettings},
    {ID_HELP_FINDER, &V::OnHelpTopics},
    {ID_APP_ABOUT, &V::OnHelpTopics},
    {ID_COPY_IMAGE, &V::OnCopyImage},
    {ID_FIND, &V::OnFind},
    {ID_FLIP_HORIZONTAL, &V::OnFlipH},
    {ID_FLIP_VERTICAL, &V::OnFlipV},
    {ID_NORTH, &V::OnNorth},
    {ID_RESET_TIME, &V::OnResetTime},
    {ID_ABOUT_STAR, &V::OnAboutStar},
    {ID_LOCK_ON, &V::OnLockOn},
    {IDC_QUICK_FIND, &V::OnQuickFind},
    {IDC_MARATHON, &V::OnMarathon},
    {IDC_FACE_NORTH, &V::OnFaceNorth},
    {IDC_FACE_SOUTH, &V::OnFaceSouth},
    {IDC_FACE_EAST, &V::OnFaceEast},
    {IDC_FACE_WEST, &V::OnFaceWest},
    {IDC_TILT_UP, &V::OnTiltUp},
    {IDC_TILT_DOWN, &V::OnTiltDown},
    {IDC_TURN_LEFT, &V::OnTurnLeft},
    {IDC_TURN_RIGHT, &V::OnTurnRight},
    {IDC_READOUT_RADEC, &V::OnReadoutMode},
    {IDC_READOUT_ALTAZI, &V::OnReadoutMode},
    {IDC_GOTO, &V::OnGoto},
};

} // namespace

bool CNightvaneGlView::OnCommand(int id) {
    const Command* c = FindCommand(id);
    const int before = m_redrawCount;
    if (c != nullptr && c->layerSwitch != nullptr) {
        ToggleSwitch(c->layerSwitch(m_state));
    } else {
        const auto it = std::find_if(std::begin(kViewHandlers), std::end(kViewHandlers),
                                     [id](const ViewHandler& h) { return h.id == id; });
        if (it == std::end(kViewHandlers)) return false;
        (this->*(it->handler))();
    }
    // Handlers that already ran the redraw sequence are not drawn twice.
    if (m_redrawCount == before) Redraw();
    return true;
}

// A switch becomes true unless it was exactly true. Nothing else changes: the settings file is
// written only from the Settings dialog.
void CNightvaneGlView::ToggleSwitch(bool& flag) {
    flag = !flag;
}

// Handlers of the commands filled in by the navigation, time, picking, find, settings, picture and
// help modules. Each is reached through the command table and followed by the redraw sequence.
// Save, Copy, Print and Preview take the frame as drawn: the view draws it once more and reads
// it back (the clipboard is used by Copy only).
void CNightvaneGlView::OnSaveImage() {
    imaging::SavePicture(this, imaging::CaptureView(*this), m_fileName);
}
void CNightvaneGlView::OnFilePrint() {
    imaging::PrintPicture(this, imaging::CaptureView(*this));
}
void CNightvaneGlView::OnFilePrintPreview() {
    imaging::PreviewPicture(this, imaging::CaptureView(*this));
}
void CNightvaneGlView::OnSettings() {
    nv::tools::OnSettings(m_state, m_host);
}
void CNightvaneGlView::OnEyepieceSize() {
    nv::tools::OnEyepieceSize(m_state, m_host);
}
void CNightvaneGlView::OnPlay() {
    nv::tools::OnPlay(m_state, m_host);
}
void CNightvaneGlView::OnPause() {
    nv::tools::OnPause(m_state, m_host);
}
void CNightvaneGlView::OnAnimationSettings() {
    nv::tools::OnAnimationSettings(m_state, m_host);
}
void CNightvaneGlView::OnAboutStar() {
    nv::tools::ShowObjectDetails(m_state, m_host);
}
void CNightvaneGlView::OnLockOn() {
    nv::tools::OnLockOn(m_state, m_host);
}
void CNightvaneGlView::OnFind() {
    nv::tools::OnFind(m_state, *m_catalog, m_host);
}
void CNightvaneGlView::OnNorth() {
    nv::tools::OnNorth(m_state, m_host);
}
void CNightvaneGlView::OnResetTime() {
    nv::tools::OnResetTime(m_state, m_host);
}
void CNightvaneGlView::OnFlipH() {
    nv::tools::OnFlipH(m_state, m_host);
}
void CNightvaneGlView::OnFlipV() {
    nv::tools::OnFlipV(m_state, m_host);
}
void CNightvaneGlView::OnCopyImage() {
    imaging::CopyPicture(imaging::CaptureView(*this));
}
// Help Topics and About both open the help's index page.
void CNightvaneGlView::OnHelpTopics() {
    nv::tools::OpenHelpIndex(this);
}
void CNightvaneGlView::OnFaceNorth() {
    nv::tools::OnNavButton(m_state, m_host, IDC_FACE_NORTH);
}
void CNightvaneGlView::OnFaceSouth() {
    nv::tools::OnNavButton(m_state, m_host, IDC_FACE_SOUTH);
}
void CNightvaneGlView::OnFaceEast() {
    nv::tools::OnNavButton(m_state, m_host, IDC_FACE_EAST);
}
void CNightvaneGlView::OnFaceWest() {
    nv::tools::OnNavButton(m_state, m_host, IDC_FACE_WEST);
}
void CNightvaneGlView::OnTiltUp() {
    nv::tools::OnNavButton(m_state, m_host, IDC_TILT_UP);
}
void CNightvaneGlView::OnTiltDown() {
    nv::tools::OnNavButton(m_state, m_host, IDC_TILT_DOWN);
}
void CNightvaneGlView::OnTurnLeft() {
    nv::tools::OnNavButton(m_state, m_host, IDC_TURN_LEFT);
}
void CNightvaneGlView::OnTurnRight() {
    nv::tools::OnNavButton(m_state, m_host, IDC_TURN_RIGHT);
}
void CNightvaneGlView::OnReadoutMode() {
    nv::tools::OnCoordinateMode(m_state, m_host);
}
void CNightvaneGlView::OnGoto() {
    nv::tools::OnGoto(m_state, m_host);
}
void CNightvaneGlView::OnQuickFind() {
    nv::tools::OnFind(m_state, *m_catalog, m_host);
}
void CNightvaneGlView::OnMarathon() {
    nv::tools::OnMarathon(m_state, *m_catalog, m_host);
}

// Picker edits change the sky clock; the time-control module adds the animation rules.
void CNightvaneGlView::OnDateTimeChange() {
    nv::tools::OnDateTimeChange(m_state, m_host);
}

void CNightvaneGlView::OnTimer(unsigned id) {
    if (id != kViewTimerId) return;
    nv::tools::OnTimer(m_state, m_host);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

void CNightvaneGlView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(p.x(), p.y());
    }
}

void CNightvaneGlView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    OnMouseMove(p.x(), p.y());
}

void CNightvaneGlView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonUp(p.x(), p.y());
}

void CNightvaneGlView::wheelEvent(QWheelEvent* event) {
    OnMouseWheel(event->angleDelta().y());
}

void CNightvaneGlView::keyPressEvent(QKeyEvent* event) {
    if (!nv::tools::OnKeyDown(m_state, m_host, nv::tools::VirtualKeyFromQt(event->key())))
        QOpenGLWidget::keyPressEvent(event);
}

void CNightvaneGlView::OnLButtonDown(int x, int y) {
    nv::tools::OnLButtonDown(m_state, m_host, x, y);
}

void CNightvaneGlView::OnMouseMove(int x, int y) {
    nv::tools::OnMouseMove(m_state, m_host, x, y);
}

void CNightvaneGlView::OnLButtonUp(int, int) {
    nv::tools::OnLButtonUp(m_state, m_host);
}

void CNightvaneGlView::OnRButtonDown(int x, int y) {
    nv::tools::OnRButtonDown(m_state, m_host, x, y);
}

void CNightvaneGlView::OnMouseWheel(int delta) {
    nv::tools::OnMouseWheel(m_state, m_host, delta);
}
