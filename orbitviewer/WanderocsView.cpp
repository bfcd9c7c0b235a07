#include "orbitviewer/WanderocsView.h"

#include "imaging/Picture.h"
#include "imaging/PictureCommands.h"
#include "orbitviewer/CommandIds.h"
#include "orbitviewer/OrbitScene.h"
#include "platform/AnimationDlg.h"
#include "platform/MessageBox.h"
#include "platform/QtPickers.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QTimer>
#include <QWheelEvent>

namespace tessmoor {

CWanderocsView::CWanderocsView(QWidget* parent)
    : QOpenGLWidget(parent), m_table(std::make_unique<WanderocTable>()),
      m_timer([this](unsigned id) { OnTimer(id); }) {
    setObjectName(QStringLiteral("CWanderocsView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

CWanderocsView::~CWanderocsView() {
    // The context outlives this class's part of the object: its about-to-be-destroyed signal must
    // not reach OnDestroy once this destructor has run.
    if (QOpenGLContext* ctx = context()) disconnect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, nullptr);
    OnDestroy();
}

// ---------------------------------------------------------------------------------------------
// OpenGL and start-up

void CWanderocsView::initializeGL() {
    InitViewerGl();
    m_glReady = true;
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CWanderocsView::OnDestroy,
            Qt::DirectConnection);
    if (m_loaded) return;
    // The asteroid file is read once, when the context is first made; its report and the first
    // update follow from the event loop (a message box is modal).
    m_loaded = true;
    m_load = LoadWanderocs(*m_table);
    QTimer::singleShot(0, this, [this] {
        if (!m_load.message.empty())
            platform::ShowMessageBox(this, QString::fromStdString(m_load.message),
                                     QStringLiteral("Wanderocs"));
        OnInitialUpdate();
    });
}

void CWanderocsView::OnInitialUpdate() {
    m_started = true;
    ReadViewerPickers();
    Redraw();
}

void CWanderocsView::resizeGL(int w, int h) {
    ResizeViewer(m_state, w, h, devicePixelRatioF());
}

void CWanderocsView::paintGL() {
    ++m_frameCount;
    DrawViewerFrame(m_state, *m_table, m_instant);
}

void CWanderocsView::Redraw() {
    if (isVisible() && m_glReady) repaint();
}

void CWanderocsView::OnDestroy() {
    if (!m_glReady || context() == nullptr) return;
    makeCurrent();
    ReleaseViewerGl();
    doneCurrent();
    m_glReady = false;
}

void CWanderocsView::ReadViewerPickers() {
    if (m_frame == nullptr) return;
    const QDate d = m_frame->PickerDate();
    const QTime t = m_frame->PickerTime();
    m_instant = {d.year(), d.month(), d.day(), t.hour(), t.minute(), 0};
}

// ---------------------------------------------------------------------------------------------
// Commands

// Save, Copy, Print and Print Preview go through the picture code shared with the sky chart.
namespace {

// The view's handlers by command id.
struct ViewHandler {
    int id;
    void (CWanderocsView::*handler)();
};
using V = CWanderocsView;
constexpr ViewHandler kViewHandlers[] = {
    {ID_FILE_SAVE, &V::OnSaveImage},
    {ID_EDIT_COPY, &V::OnCopyImage},
    {ID_FILE_PRINT, &V::OnFilePrint},
    {ID_FILE_PRINT_PREVIEW, &V::OnFilePrintPreview},
    {ID_WANDEROC_NAMES, &V::OnWanderocNames},
    {ID_ANIM_PLAY, &V::OnPlay},
    {IDC_PLAY, &V::OnPlay},
    {ID_ANIM_STOP, &V::OnStop},
    {IDC_STOP, &V::OnStop},
    {ID_ANIM_SETTINGS, &V::OnAnimationSettings},
};

const ViewHandler* FindViewHandler(int id) {
    for (const ViewHandler& h : kViewHandlers)
        if (h.id == id) return &h;
    return nullptr;
}

} // namespace

bool CWanderocsView::HandlesCommand(int id) {
    return FindViewHandler(id) != nullptr;
}

bool CWanderocsView::OnCommand(int id) {
    const ViewHandler* h = FindViewHandler(id);
    if (h == nullptr) return false;
    (this->*(h->handler))();
    return true;
}

// Save, Copy, Print and Preview take the frame as drawn: the view draws it once more and reads it
// back (the clipboard is used by Copy only).
void CWanderocsView::OnSaveImage() {
    imaging::SavePicture(this, imaging::CaptureView(*this), m_fileName);
}
void CWanderocsView::OnCopyImage() {
    imaging::CopyPicture(imaging::CaptureView(*this));
}
void CWanderocsView::OnFilePrint() {
    imaging::PrintPicture(this, imaging::CaptureView(*this));
}
void CWanderocsView::OnFilePrintPreview() {
    imaging::PreviewPicture(this, imaging::CaptureView(*this));
}

void CWanderocsView::OnWanderocNames() {
    m_state.g_showWanderocNames = !m_state.g_showWanderocNames;
    Redraw();
}

void CWanderocsView::OnPlay() {
    m_timer.KillTimer(kViewerTimerId);
    m_timer.SetTimer(kViewerTimerId, kViewerTimerPeriodMs);
}

void CWanderocsView::OnStop() {
    m_timer.KillTimer(kViewerTimerId);
}

void CWanderocsView::OnAnimationSettings() {
    m_timer.KillTimer(kViewerTimerId);
    CAnimationDlg dialog(this);
    dialog.exec();
    if (dialog.m_played == 1) {
        m_state.g_animUnit = dialog.m_unit;
        m_state.g_animCount = dialog.m_count;
        m_timer.SetTimer(kViewerTimerId, kViewerTimerPeriodMs);
    }
    Redraw();
}

void CWanderocsView::OnDateTimeChange() {
    ReadViewerPickers();
    Redraw();
}

void CWanderocsView::OnTimer(unsigned id) {
    if (id != kViewerTimerId) return;
    m_timer.KillTimer(kViewerTimerId);
    StepAnimation();
    m_timer.SetTimer(kViewerTimerId, kViewerTimerPeriodMs);
    Redraw();
}

void CWanderocsView::StepAnimation() {
    if (m_frame == nullptr) return;
    const QTime time = m_frame->PickerTime();
    const std::optional<double> t = astro::AnimationStep(
        platform::PickerValueFrom(m_frame->PickerDate(), QTime(0, 0)),
        platform::PickerValueFrom(QDate(2000, 1, 1), time), m_state.g_animUnit, m_state.g_animCount);
    // At the end of the pickers' range the time stays where it is.
    if (t) m_frame->SetPickers(platform::PickerDate(*t), platform::PickerTime(*t));
    ReadViewerPickers();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void CWanderocsView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    BeginDrag(m_state, p.x(), p.y());
}

void CWanderocsView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) EndDrag(m_state);
}

void CWanderocsView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (DragRotate(m_state, p.x(), p.y())) Redraw();
}

void CWanderocsView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return; // a sideways scroll is no wheel turn
    WheelZoom(m_state, delta);
    Redraw();
}

} // namespace tessmoor
