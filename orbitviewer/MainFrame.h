// The orbit viewer's main window: the menus, the toolbar and the dialog bar with the time and date
// pickers (universal time), "Play" and "Stop", the status bar, and the view in the middle. Every
// command of the menus, buttons and bar goes through the one command table to the view or the
// frame.
#pragma once

#include "orbitviewer/ViewerPickers.h"

#include <QDate>
#include <QMainWindow>
#include <QTime>
#include <map>

class QAction;
class QDateEdit;
class QLabel;
class QTimeEdit;
class QToolBar;

namespace tessmoor {

class CWanderocsView;

class CMainFrame : public QMainWindow, public ViewerPickers {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CWanderocsView* View() const { return m_view; }

    // The pickers: the date picker's date and the time picker's clock time (universal time).
    QDate PickerDate() const override;
    QTime PickerTime() const override;
    // Writes both pickers without raising their change notification.
    void SetPickers(const QDate& date, const QTime& time) override;

    QAction* Action(int id) const;
    QWidget* Control(int id) const;
    QToolBar* ToolBar() const { return m_toolBar; }
    QToolBar* DialogBar() const { return m_dialogBar; }

    // Brings the check marks (toolbar, status bar, names) in line with the state.
    void UpdateCheckMarks();
    // Runs the command `id` as if its menu item or button was used: the view's if it has it, else
    // the window's own.
    void ExecuteCommand(int id);
    // The window's own handler of a command; false for one it does not handle. `run` false only
    // asks.
    bool OnCommand(int id, bool run = true);

    // Frame command handlers.
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnAppExit();
    void OnFilePrintSetup();
    void OnAppAbout();

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateDialogBar();
    void CreateStatusBar();

    CWanderocsView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_dialogBar = nullptr;
    QTimeEdit* m_timePicker = nullptr;
    QDateEdit* m_datePicker = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, QWidget*> m_controls;
};

} // namespace tessmoor
