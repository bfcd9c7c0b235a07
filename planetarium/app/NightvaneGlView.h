// The sky view: the window's OpenGL surface, the owner of the sky state and the star tables, and
// the receiver of every command of the menus, toolbar and bars. Every handler ends in the redraw
// sequence (RenderScene, then the buffer swap, done synchronously by repaint()).
#pragma once

#include "SkyScene.h"
#include "planetarium/SkyState.h"
#include "planetarium/tools/FrameViewHost.h"
#include "platform/ViewTimer.h"

#include <QOpenGLWidget>
#include <QString>
#include <memory>

class CNightvaneGlView;

// The one view (null until it exists).
extern CNightvaneGlView* g_view;

class CNightvaneGlView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CNightvaneGlView(QWidget* parent = nullptr);
    ~CNightvaneGlView() override;

    nv::SkyState& state() { return m_state; }
    const nv::SkyState& state() const { return m_state; }
    nv::SkyCatalog& catalog() { return *m_catalog; }
    // The main window's bars, reached only through their interface (null without a window).
    nv::tools::FrameBars* frame() const { return m_frame; }
    void SetFrame(nv::tools::FrameBars* frame) { m_frame = frame; }
    platform::ViewTimer& timer() { return m_timer; }

    // Runs the switch or handler of a view command and then the redraw sequence. Returns false for
    // an id that is not the view's (the main window handles those).
    bool OnCommand(int id);

    // The redraw sequence: RenderScene and the swap, synchronously.
    void Redraw();
    // How many times the redraw sequence ran (for tests).
    int redrawCount() const { return m_redrawCount; }
    // How many frames were actually drawn by RenderScene.
    int frameCount() const { return m_frameCount; }
    bool glInitialised() const { return m_scene.initialised(); }

    // OpenGL set-up and drawing (context current).
    bool InitGL();
    void ResizeScene(int cx, int cy);
    bool RenderScene();

    // Start-up after the context exists: the catalogue and textures (loading dialog), names and
    // settings, start values and the sky clock, then the initial update of the bars.
    // `loadData` false skips the files (tests).
    void OnCreateLoad();
    void OnInitialUpdate();
    void setLoadDataAtStart(bool load) { m_loadDataAtStart = load; }
    bool started() const { return m_started; }

    // --- handlers of the fifteen layer switches (View and Eye piece menus) ---
    void ToggleSwitch(bool& flag);

    // --- command handlers (the ids that reach each are listed beside OnCommand) ---
    void OnSaveImage();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnSettings();
    void OnEyepieceSize();
    void OnPlay();
    void OnPause();
    void OnAnimationSettings();
    void OnAboutStar();
    void OnLockOn();
    void OnFind();
    void OnNorth();
    void OnResetTime();
    void OnFlipH();
    void OnFlipV();
    void OnCopyImage();
    void OnHelpTopics();
    void OnFaceNorth();
    void OnFaceSouth();
    void OnFaceEast();
    void OnFaceWest();
    void OnTiltUp();
    void OnTiltDown();
    void OnTurnLeft();
    void OnTurnRight();
    void OnReadoutMode();
    void OnGoto();
    void OnQuickFind();
    void OnMarathon();
    // A picker (time 1001 or date 1002) was changed by the user.
    void OnDateTimeChange();
    // Timer 1: an animation step and a glide step.
    void OnTimer(unsigned id);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Mouse and keyboard handlers (coordinates in client pixels).
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnRButtonDown(int x, int y);
    void OnMouseWheel(int delta);
    void OnDestroy();

    nv::SkyState m_state;
    std::unique_ptr<nv::SkyCatalog> m_catalog;
    nv::app::CSkyScene m_scene;
    platform::ViewTimer m_timer;
    nv::tools::FrameViewHost<CNightvaneGlView> m_host{*this};
    nv::tools::FrameBars* m_frame = nullptr;
    QString m_fileName; // the last name chosen for Save As, offered again by the next save
    int m_redrawCount = 0;
    int m_frameCount = 0;
    bool m_loadDataAtStart = true;
    bool m_started = false;
    bool m_loading = false; // the loading dialog is open
};
