// The orbit viewer's view: its OpenGL surface, the owner of the viewer state, the asteroid table
// and the shown instant, and the receiver of the commands, picker changes, timer ticks and mouse
// events. Every handler that changes the picture draws the frame at once (repaint).
#pragma once

#include "orbitviewer/Orbits.h"
#include "orbitviewer/ViewerPickers.h"
#include "orbitviewer/ViewerState.h"
#include "orbitviewer/Wanderocs.h"
#include "platform/ViewTimer.h"

#include <QOpenGLWidget>
#include <memory>

namespace tessmoor {

class CWanderocsView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CWanderocsView(QWidget* parent = nullptr);
    ~CWanderocsView() override;

    // The main window's pickers (null without a window).
    void SetFrame(ViewerPickers* frame) { m_frame = frame; }
    ViewerState& state() { return m_state; }
    const WanderocTable& table() const { return *m_table; }
    const ViewerInstant& instant() const { return m_instant; }
    const WanderocFileResult& loadResult() const { return m_load; }
    platform::ViewTimer& timer() { return m_timer; }
    // How many frames were drawn; true once the first update ran.
    int frameCount() const { return m_frameCount; }
    bool started() const { return m_started; }

    // Draws the frame and shows it, synchronously.
    void Redraw();
    // The pickers into the shown instant (date of the date picker, hour and minute of the time
    // picker, seconds dropped).
    void ReadViewerPickers();

    // Runs the view's handler of a command; false for an id that is not the view's.
    bool OnCommand(int id);
    static bool HandlesCommand(int id);

    // Command handlers (the ids that reach each are listed beside OnCommand).
    void OnSaveImage();
    void OnCopyImage();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnWanderocNames();
    void OnPlay();
    void OnStop();
    void OnAnimationSettings();
    // A picker (time 1000 or date 1001) was changed by the user.
    void OnDateTimeChange();
    // Timer 1: an animation step.
    void OnTimer(unsigned id);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnInitialUpdate();
    void OnDestroy();
    // One animation step: the pickers move by the chosen span and are read back.
    void StepAnimation();

    ViewerState m_state;
    std::unique_ptr<WanderocTable> m_table;
    ViewerInstant m_instant;
    WanderocFileResult m_load;
    platform::ViewTimer m_timer;
    ViewerPickers* m_frame = nullptr;
    QString m_fileName; // the last name chosen for Save, offered again by the next save
    int m_frameCount = 0;
    bool m_glReady = false;
    bool m_loaded = false;  // the asteroid file was read
    bool m_started = false; // the first update ran
};

} // namespace tessmoor
