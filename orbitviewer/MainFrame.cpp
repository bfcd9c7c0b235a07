#include "orbitviewer/MainFrame.h"

#include "imaging/PictureCommands.h"
#include "orbitviewer/AboutDlg.h"
#include "orbitviewer/CommandIds.h"
#include "orbitviewer/ViewerCommands.h"
#include "orbitviewer/WanderocsView.h"
#include "platform/QtPickers.h"
#include "platform/StatusBarPanes.h"
#include "resources/AppIcons.h"

#include <QAction>
#include <QDateEdit>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimeEdit>
#include <QToolBar>

namespace tessmoor {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("Untitled - Tessmoor"));
    setWindowIcon(nv::res::AppIcon(nv::res::AppIconId::Tessmoor));

    m_view = new CWanderocsView(this);
    m_view->SetFrame(this);
    setCentralWidget(m_view);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateDialogBar();
    CreateStatusBar();
    UpdateCheckMarks();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions() {
    for (const ViewerCommand& c : ViewerCommands()) {
        if (c.text == nullptr && c.icon == nv::res::IconId::None) continue; // bar buttons
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("ID_%1").arg(c.id));
        if (c.text != nullptr) action->setText(QString::fromLatin1(c.text));
        if (c.prompt != nullptr) action->setStatusTip(QString::fromLatin1(c.prompt));
        if (c.tooltip != nullptr) action->setToolTip(QString::fromLatin1(c.tooltip));
        if (c.icon != nv::res::IconId::None) action->setIcon(nv::res::CommandIcon(c.icon));
        action->setCheckable(c.checkable);
        const bool handled = CWanderocsView::HandlesCommand(c.id) || OnCommand(c.id, false);
        action->setEnabled(handled);
        if (handled && c.shortcut != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        addAction(action); // shortcuts keep working while the toolbar is hidden
        m_actions[id] = action;
    }
}

void CMainFrame::CreateMenus() {
    for (const ViewerMenu& layout : ViewerMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(layout.title));
        for (int id : layout.items) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(m_actions.at(id));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCheckMarks);
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(20, 20));
    for (int id : ViewerToolbar()) {
        if (id == kSeparator) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(m_actions.at(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateDialogBar() {
    m_dialogBar = new QToolBar(QStringLiteral("Dialog bar"), this);
    m_dialogBar->setObjectName(QStringLiteral("DialogBar"));
    auto* panel = new QWidget(m_dialogBar);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 0, 4, 0);

    // The viewer has no time zone: the pickers hold universal time and start at the current one.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_timePicker = new QTimeEdit(now.time(), panel);
    m_timePicker->setObjectName(QStringLiteral("DateTimePicker1"));
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_datePicker = new QDateEdit(now.date(), panel);
    m_datePicker->setObjectName(QStringLiteral("DateTimePicker2"));
    m_datePicker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_datePicker->setDateRange(platform::PickerMinimumDate(), platform::PickerMaximumDate());
    m_controls[IDC_TIME_PICKER] = m_timePicker;
    m_controls[IDC_DATE_PICKER] = m_datePicker;
    for (QDateTimeEdit* picker :
         {static_cast<QDateTimeEdit*>(m_timePicker), static_cast<QDateTimeEdit*>(m_datePicker)})
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { m_view->OnDateTimeChange(); });
    row->addWidget(m_timePicker);
    row->addWidget(m_datePicker);
    row->addWidget(new QLabel(QStringLiteral("UT"), panel));
    row->addSpacing(12);

    for (const auto& [id, text] : {std::pair{IDC_PLAY, "Play"}, std::pair{IDC_STOP, "Stop"}}) {
        auto* button = new QPushButton(QString::fromLatin1(text), panel);
        button->setObjectName(QString::fromLatin1(text));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, id = id] { ExecuteCommand(id); });
        m_controls[id] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    m_dialogBar->addWidget(panel);
    addToolBar(Qt::TopToolBarArea, m_dialogBar);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* status = statusBar();
    status->addWidget(new QLabel(QStringLiteral("Ready"), status), 1);
    platform::AddLockIndicators(status);
}

QDate CMainFrame::PickerDate() const {
    return m_datePicker->date();
}

QTime CMainFrame::PickerTime() const {
    return m_timePicker->time();
}

void CMainFrame::SetPickers(const QDate& date, const QTime& time) {
    const QSignalBlocker blockTime(m_timePicker);
    const QSignalBlocker blockDate(m_datePicker);
    m_timePicker->setTime(time);
    m_datePicker->setDate(date);
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QWidget* CMainFrame::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CMainFrame::UpdateCheckMarks() {
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(!m_toolBar->isHidden());
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    m_actions.at(ID_WANDEROC_NAMES)->setChecked(m_view->state().g_showWanderocNames);
}

void CMainFrame::ExecuteCommand(int id) {
    if (m_view == nullptr || !m_view->OnCommand(id)) OnCommand(id);
    UpdateCheckMarks();
}

bool CMainFrame::OnCommand(int id, bool run) {
    static const struct {
        int id;
        void (CMainFrame::*handler)();
    } kFrameHandlers[] = {
        {ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolbar}, {ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar},
        {ID_APP_EXIT, &CMainFrame::OnAppExit},         {ID_FILE_PRINT_SETUP, &CMainFrame::OnFilePrintSetup},
        {ID_APP_ABOUT, &CMainFrame::OnAppAbout},
    };
    for (const auto& h : kFrameHandlers) {
        if (h.id != id) continue;
        if (run) (this->*(h.handler))();
        return true;
    }
    return false;
}

void CMainFrame::OnViewToolbar() {
    m_toolBar->setHidden(!m_toolBar->isHidden());
}

void CMainFrame::OnViewStatusBar() {
    statusBar()->setHidden(!statusBar()->isHidden());
}

void CMainFrame::OnAppExit() {
    close();
}

// Paper, orientation and margins of the printer that Print and Print Preview use.
void CMainFrame::OnFilePrintSetup() {
    imaging::PrintSetup(this);
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

} // namespace tessmoor
