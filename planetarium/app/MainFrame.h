// The main window: the menus, the toolbar and the top bar side by side at the top, the
// navigation bar docked at the bottom, the status bar, and the sky view in the middle. The menus,
// buttons and bar controls are built from the one command table; every command goes to the view
// first, and the window handles what the view does not (the bar toggles, exit, the help keys).
#pragma once

#include "planetarium/tools/FrameBars.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <map>
#include <utility>

class CNightvaneGlView;
namespace nv::tools {
class ContextHelpMode;
}
class QAction;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QRadioButton;
class QTimeEdit;
class QToolBar;

struct FrameOptions {
    bool loadDataAtStart = true; // read the catalogue, textures, names and settings at start
};

class CMainFrame : public QMainWindow, public nv::tools::FrameBars {
    Q_OBJECT
public:
    explicit CMainFrame(const FrameOptions& options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The one main window (null until it exists).
    static CMainFrame* Get();

    CNightvaneGlView* View() const { return m_view; }

    // --- the bars as the view reads and writes them ---
    QDateTime PickerDateTime() const override;
    void SetPickerDateTime(const QDateTime& local) override;
    std::pair<QString, QString> ReadoutTexts() const override;
    void SetReadoutTexts(const QString& first, const QString& second) override;
    bool IsAltAziReadout() const override;
    void SetAltAziReadout(bool altAzi) override;
    int ZoomIndicator() const;
    void SetZoomIndicator(int value) override;
    void UpdateCheckMarks() override;
    void PopupContextMenu(const QPoint& globalPosition, const QString& firstItem) override;

    // --- the pieces, for tests and the view ---
    QAction* Action(int id) const;
    QWidget* Control(int id) const;
    QMenu* ContextMenu() const { return m_popup; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QToolBar* TopBar() const { return m_wndDlgBar[0]; }
    QToolBar* NavigationBar() const { return m_wndDlgBar[1]; }

    // Runs the command `id` as if its menu item or button was used: the view's if it has it,
    // else the window's own.
    void ExecuteCommand(int id);
    // The window's own handler of a command; false for one it does not handle.
    bool OnCommand(int id);

    // Frame command handlers.
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnAppExit();
    void OnFilePrintSetup();
    void OnHelp();
    void OnContextHelp();

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateTopBar();
    void CreateNavigationBar();
    void CreateStatusBar();
    QAction* MakeAction(int id);

    CNightvaneGlView* m_view = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndDlgBar[2] = {nullptr, nullptr};
    QMenu* m_popup = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, QWidget*> m_controls;
    QTimeEdit* m_timePicker = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QProgressBar* m_zoomBar = nullptr;
    QLineEdit* m_coordEdit[2] = {nullptr, nullptr};
    QRadioButton* m_radioRaDec = nullptr;
    QRadioButton* m_radioAltAzi = nullptr;
    QLabel* m_idleText = nullptr;
    nv::tools::ContextHelpMode* m_contextHelp = nullptr; // Shift+F1 help mode
};
