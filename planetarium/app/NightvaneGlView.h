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

class CMainFrame;
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
    CMainFrame* frame() const { return m_frame; }
    void SetFrame(CMainFrame* frame) { m_frame = frame; }
    platform::ViewTimer& timer() { return m_timer; }

    // Runs the handler of a view command and then the redraw sequence. Returns false for an id
    // that is not the view's.
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

    // Start-up after the context exists: the catalogue and textures (loading dialog), then the
    // initial update. `loadData` false skips the files (tests).
    void OnCreateLoad();
    void OnInitialUpdate();
    void setLoadDataAtStart(bool load) { m_loadDataAtStart = load; }
    bool started() const { return m_started; }

    // --- handlers of the fifteen layer switches (View and Eye piece menus) ---
    void ToggleSwitch(bool& flag);

    // --- handlers routed here that other modules fill in ---
    void OnSaveImage();         // 57603, 57604
    void OnFilePrint();         // 57607, 57608
    void OnFilePrintPreview();  // 57609
    void OnSettings();          // 32781, 32797
    void OnEyepieceSize();      // 32805
    void OnPlay();              // 32794, 32802
    void OnPause();             // 32795, 32803
    void OnAnimationSettings(); // 32796
    void OnAboutStar();         // 32800
    void OnLockOn();            // 32801
    void OnFind();              // 32774
    void OnNorth();             // 32779
    void OnResetTime();         // 32798
    void OnFlipH();             // 32809
    void OnFlipV();             // 32810
    void OnCopyImage();         // 32799
    void OnHelpTopics();        // 57667, 57664
    void OnFaceNorth();         // 1032
    void OnFaceSouth();         // 1033
    void OnFaceEast();          // 1034
    void OnFaceWest();          // 1035
    void OnTiltUp();            // 1036
    void OnTiltDown();          // 1037
    void OnTurnLeft();          // 1038
    void OnTurnRight();         // 1039
    void OnReadoutMode();       // 1041, 1042
    void OnGoto();              // 1045
    void OnQuickFind();         // 1052
    void OnMarathon();          // 1058
    void OnDateTimeChange();    // pickers 1001, 1002
    void OnTimer(unsigned id);  // timer 1

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
    void OnKeyDown(int key);
    void OnDestroy();

    nv::SkyState m_state;
    std::unique_ptr<nv::SkyCatalog> m_catalog;
    nv::app::CSkyScene m_scene;
    platform::ViewTimer m_timer;
    nv::tools::FrameViewHost<CNightvaneGlView, CMainFrame> m_host{*this};
    CMainFrame* m_frame = nullptr;
    QString m_fileName; // the last name chosen for Save As, offered again by the next save
    int m_redrawCount = 0;
    int m_frameCount = 0;
    bool m_loadDataAtStart = true;
    bool m_started = false;
    bool m_loading = false; // the loading dialog is open
};
