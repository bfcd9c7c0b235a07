#include "NightvaneGlView.h"

#include "CommandIds.h"
#include "CommandTable.h"
#include "MainFrame.h"
#include "StartupData.h"
#include "planetarium/catalog/LoadingDialog.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QTimer>
#include <QWheelEvent>

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
    OnDestroy();
    if (g_view == this) g_view = nullptr;
}

// ---------------------------------------------------------------------------------------------
// OpenGL

bool CNightvaneGlView::InitGL() {
    const bool ok = m_scene.InitGL();
    UpdateDayNumber(m_state);
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
    if (m_loadDataAtStart) {
        // Textures go into this view's context while the dialog shows; the catalogue is read on the
        // dialog's worker thread.
        m_loading = true;
        QStringList textureFailures;
        CLoadingDlg dialog(
            *m_catalog,
            [this, &textureFailures] {
                makeCurrent();
                textureFailures = LoadTextures(m_state);
                doneCurrent();
            },
            this);
        dialog.exec();
        m_loading = false;
        if (dialog.catalogueMissing()) {
            platform::ShowMessageBox(this, QString::fromStdString(dialog.loadReport().message),
                                     QStringLiteral("NightvaneGl"));
        }
        for (const QString& line : textureFailures) qWarning("NightvaneGl: %s", qPrintable(line));
    }
    m_scene.CatalogueLoaded();
    m_state.m_eyeX = m_state.m_eyeY = m_state.m_eyeZ = 0.0f;
    m_state.m_viewYaw = 90.0f;
    m_state.m_viewPitch = -30.0f;
    OnInitialUpdate();
}

void CNightvaneGlView::OnInitialUpdate() {
    if (m_frame != nullptr) SetSkyClock(m_state, m_frame->PickerDateTime());
    if (m_loadDataAtStart) {
        const QString names = ReadStarNamesFile(*m_catalog);
        if (!names.isEmpty()) platform::ShowMessageBox(this, names, QStringLiteral("NightvaneGl"));
        m_scene.NamesChanged();
        const QString settings = ReadSettingsIntoState(m_state);
        if (!settings.isEmpty()) platform::ShowMessageBox(this, settings, QStringLiteral("NightvaneGl"));
    }
    ApplyStartDefaults(m_state);
    if (m_frame != nullptr) {
        m_frame->SetAltAziReadout(true);
        m_frame->UpdateCheckMarks();
    }
    // The view-centre readout of the navigation bar is written by the navigation code.
    ApplyCatalogueCorrection(*m_catalog);
    Redraw();
}

// ---------------------------------------------------------------------------------------------
// Commands

bool CNightvaneGlView::OnCommand(int id) {
    const Command* c = FindCommand(id);
    if (c == nullptr) return false;
    if (c->layerSwitch != nullptr) {
        ToggleSwitch(c->layerSwitch(m_state));
    } else if (c->viewHandler != nullptr) {
        (this->*(c->viewHandler))();
    } else {
        return false;
    }
    Redraw();
    return true;
}

// A switch becomes true unless it was exactly true. Nothing else changes: the settings file is
// written only from the Settings dialog.
void CNightvaneGlView::ToggleSwitch(bool& flag) {
    flag = !flag;
}

// Handlers of the commands filled in by the navigation, time, picking, find, settings, picture and
// help modules. Each is reached through the command table and followed by the redraw sequence.
void CNightvaneGlView::OnSaveImage() {}
void CNightvaneGlView::OnFilePrint() {}
void CNightvaneGlView::OnFilePrintPreview() {}
void CNightvaneGlView::OnSettings() {}
void CNightvaneGlView::OnEyepieceSize() {}
void CNightvaneGlView::OnPlay() {}
void CNightvaneGlView::OnPause() {}
void CNightvaneGlView::OnAnimationSettings() {}
void CNightvaneGlView::OnAboutStar() {}
void CNightvaneGlView::OnLockOn() {}
void CNightvaneGlView::OnFind() {}
void CNightvaneGlView::OnNorth() {}
void CNightvaneGlView::OnResetTime() {}
void CNightvaneGlView::OnFlipH() {}
void CNightvaneGlView::OnFlipV() {}
void CNightvaneGlView::OnCopyImage() {}
void CNightvaneGlView::OnHelpTopics() {}
void CNightvaneGlView::OnFaceNorth() {}
void CNightvaneGlView::OnFaceSouth() {}
void CNightvaneGlView::OnFaceEast() {}
void CNightvaneGlView::OnFaceWest() {}
void CNightvaneGlView::OnTiltUp() {}
void CNightvaneGlView::OnTiltDown() {}
void CNightvaneGlView::OnTurnLeft() {}
void CNightvaneGlView::OnTurnRight() {}
void CNightvaneGlView::OnReadoutMode() {}
void CNightvaneGlView::OnGoto() {}
void CNightvaneGlView::OnQuickFind() {}
void CNightvaneGlView::OnMarathon() {}

// Picker edits change the sky clock; the time-control module adds the animation rules.
void CNightvaneGlView::OnDateTimeChange() {
    if (m_frame != nullptr) SetSkyClock(m_state, m_frame->PickerDateTime());
    Redraw();
}

void CNightvaneGlView::OnTimer(unsigned id) {
    if (id != kViewTimerId) return;
    m_timer.KillTimer(kViewTimerId);
    Redraw();
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
    OnKeyDown(event->key());
    QOpenGLWidget::keyPressEvent(event);
}

void CNightvaneGlView::OnLButtonDown(int x, int y) {
    m_state.g_lockOn = false;
    m_state.m_mouseDown = true;
    m_state.m_dragStartX = m_state.m_dragLastX = x;
    m_state.m_dragStartY = m_state.m_dragLastY = y;
}

void CNightvaneGlView::OnMouseMove(int x, int y) {
    if (!m_state.m_mouseDown) return;
    m_state.m_dragLastX = x;
    m_state.m_dragLastY = y;
}

void CNightvaneGlView::OnLButtonUp(int, int) {
    m_state.m_mouseDown = false;
}

void CNightvaneGlView::OnRButtonDown(int x, int y) {
    if (m_frame != nullptr && m_frame->ContextMenu() != nullptr) {
        m_frame->ContextMenu()->popup(mapToGlobal(QPoint(x, y)));
    }
}

void CNightvaneGlView::OnMouseWheel(int) {}

void CNightvaneGlView::OnKeyDown(int) {}
