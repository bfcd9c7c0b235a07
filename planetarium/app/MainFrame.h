// The main window: the menus, the toolbar and the top bar side by side at the top, the
// navigation bar docked at the bottom, the status bar, and the sky view in the middle. Every
// command of the menus, buttons and bar controls goes through the one command table to the view
// (or, for the bar toggles, exit and the help keys, to the frame).
#pragma once

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

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const FrameOptions& options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The one main window (null until it exists).
    static CMainFrame* Get();

    CNightvaneGlView* View() const { return m_view; }

    // --- what other code reads and writes on the bars ---
    // The pickers as one local date-time (date of the date picker, time of the time picker,
    // seconds dropped).
    QDateTime PickerDateTime() const;
    // Writes both pickers without raising their change notification.
    void SetPickerDateTime(const QDateTime& local);
    // The navigation bar's two coordinate edits.
    std::pair<QString, QString> ReadoutTexts() const;
    void SetReadoutTexts(const QString& first, const QString& second);
    // True when the "Alt / Azi" radio button is checked.
    bool IsAltAziReadout() const;
    void SetAltAziReadout(bool altAzi);
    // The zoom indicator of the top bar (1 .. 65).
    int ZoomIndicator() const;
    void SetZoomIndicator(int value);

    // --- the pieces, for tests and the view ---
    QAction* Action(int id) const;
    QWidget* Control(int id) const;
    QMenu* ContextMenu() const { return m_popup; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QToolBar* TopBar() const { return m_wndDlgBar[0]; }
    QToolBar* NavigationBar() const { return m_wndDlgBar[1]; }

    // Brings the switch commands' check marks in line with the view's state.
    void UpdateCheckMarks();
    // Runs the command `id` as if its menu item or button was used.
    void ExecuteCommand(int id);

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
