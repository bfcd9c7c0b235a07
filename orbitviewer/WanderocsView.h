// The orbit viewer's view: its OpenGL surface, the owner of the viewer state, the asteroid table
// and the shown instant, and the receiver of the commands, picker changes, timer ticks and mouse
// events. Every handler that changes the picture draws the frame at once (repaint).
#pragma once

#include "orbitviewer/Orbits.h"
#include "orbitviewer/ViewerState.h"
#include "orbitviewer/Wanderocs.h"
#include "platform/ViewTimer.h"

#include <QOpenGLWidget>
#include <memory>

namespace tessmoor {

class CMainFrame;

class CWanderocsView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CWanderocsView(QWidget* parent = nullptr);
    ~CWanderocsView() override;

    void SetFrame(CMainFrame* frame) { m_frame = frame; }
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

    // Command handlers.
    void OnSaveImage();         // 57603
    void OnCopyImage();         // 57634
    void OnFilePrint();         // 57607
    void OnFilePrintPreview();  // 57609
    void OnWanderocNames();     // 32774
    void OnPlay();              // 32772 and the "Play" button 1002
    void OnStop();              // 32773 and the "Stop" button 1003
    void OnAnimationSettings(); // 32771
    void OnDateTimeChange();    // pickers 1000, 1001
    void OnTimer(unsigned id);  // timer 1

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
    CMainFrame* m_frame = nullptr;
    int m_frameCount = 0;
    bool m_glReady = false;
    bool m_loaded = false;  // the asteroid file was read
    bool m_started = false; // the first update ran
};

} // namespace tessmoor
