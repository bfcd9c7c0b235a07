#include "MainFrame.h"

#include "CommandTable.h"
#include "NightvaneGlView.h"
#include "imaging/PictureCommands.h"
#include "planetarium/CommandIds.h"
#include "planetarium/tools/Help.h"
#include "planetarium/tools/Navigation.h"
#include "platform/QtPickers.h"
#include "platform/StatusBarPanes.h"
#include "resources/Icons.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>

using namespace nv;
using namespace nv::app;

namespace {
CMainFrame* g_mainFrame = nullptr;
}

CMainFrame* CMainFrame::Get() {
    return g_mainFrame;
}

CMainFrame::CMainFrame(const FrameOptions& options, QWidget* parent) : QMainWindow(parent) {
    g_mainFrame = this;
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("Untitled - NightvaneGl"));

    m_view = new CNightvaneGlView(this);
    m_view->SetFrame(this);
    m_view->setLoadDataAtStart(options.loadDataAtStart);
    setCentralWidget(m_view);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateTopBar();
    CreateNavigationBar();
    CreateStatusBar();
    UpdateCheckMarks();
    m_contextHelp = new nv::tools::ContextHelpMode(this);
}

CMainFrame::~CMainFrame() {
    if (g_mainFrame == this) g_mainFrame = nullptr;
}

QAction* CMainFrame::MakeAction(int id) {
    const Command* c = FindCommand(id);
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setData(id);
    if (c->text != nullptr) action->setText(QString::fromLatin1(c->text));
    if (c->prompt != nullptr) action->setStatusTip(QString::fromLatin1(c->prompt));
    if (c->tooltip != nullptr) action->setToolTip(QString::fromLatin1(c->tooltip));
    if (c->icon != IconId::None) action->setIcon(nv::res::CommandIcon(c->icon));
    if (c->shortcut != nullptr) {
        action->setShortcut(QKeySequence(QString::fromLatin1(c->shortcut), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(c->checkable);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    // Shortcuts keep working while the toolbar holding their button is hidden.
    addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    for (const Command& c : Commands()) {
        if ((c.places & (kMenu | kToolbar | kPopup | kKeyOnly)) != 0) MakeAction(c.id);
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuLayout& layout : MainMenu()) {
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
    const MenuLayout& popup = nv::app::PopupMenu();
    m_popup = new QMenu(QString::fromLatin1(popup.title), this);
    for (int id : popup.items) {
        if (id == kSeparator) {
            m_popup->addSeparator();
        } else {
            m_popup->addAction(m_actions.at(id));
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_wndToolBar->setIconSize(QSize(20, 20));
    for (int id : ToolbarButtons()) {
        if (id == kSeparator) {
            m_wndToolBar->addSeparator();
        } else {
            m_wndToolBar->addAction(m_actions.at(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

namespace {

QPushButton* CommandButton(int id, QWidget* parent) {
    const Command* c = FindCommand(id);
    auto* button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("IDC_%1").arg(id));
    if (c->text != nullptr) button->setText(QString::fromLatin1(c->text));
    if (c->icon != IconId::None) {
        button->setIcon(nv::res::CommandIcon(c->icon));
        button->setIconSize(QSize(20, 20));
    }
    if (c->tooltip != nullptr) button->setToolTip(QString::fromLatin1(c->tooltip));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

void CMainFrame::CreateTopBar() {
    auto* bar = new QToolBar(QStringLiteral("Top bar"), this);
    bar->setObjectName(QStringLiteral("TopBar"));
    auto* panel = new QWidget(bar);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 0, 4, 0);

    for (int id : {IDC_QUICK_FIND, IDC_MARATHON}) {
        QPushButton* button = CommandButton(id, panel);
        button->setMinimumWidth(70);
        connect(button, &QPushButton::clicked, this, [this, id] { ExecuteCommand(id); });
        m_controls[id] = button;
        row->addWidget(button);
    }

    m_zoomBar = new QProgressBar(panel);
    m_zoomBar->setObjectName(QStringLiteral("IDC_%1").arg(IDC_ZOOM_BAR));
    m_zoomBar->setRange(nv::tools::kZoomIndicatorMin, nv::tools::kZoomIndicatorMax);
    m_zoomBar->setValue(1);
    m_zoomBar->setTextVisible(false);
    m_zoomBar->setFixedWidth(90);
    m_controls[IDC_ZOOM_BAR] = m_zoomBar;
    row->addWidget(m_zoomBar);
    auto* zoomLabel = new QLabel(QStringLiteral("Zoom"), panel);
    row->addWidget(zoomLabel);
    row->addSpacing(16);

    const QDateTime now = QDateTime::currentDateTime();
    m_timePicker = new QTimeEdit(now.time(), panel);
    m_timePicker->setObjectName(QStringLiteral("IDC_%1").arg(IDC_TIME_PICKER));
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_timePicker->setAlignment(Qt::AlignRight);
    m_datePicker = new QDateEdit(now.date(), panel);
    m_datePicker->setObjectName(QStringLiteral("IDC_%1").arg(IDC_DATE_PICKER));
    m_datePicker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_datePicker->setDateRange(platform::PickerMinimumDate(), platform::PickerMaximumDate());
    m_datePicker->setAlignment(Qt::AlignRight);
    // Every date the sky clock handles, not only the toolkit's default range (from 1752).
    m_datePicker->setDateRange(platform::PickerDate(astro::kMinAutomationDate),
                               platform::PickerDate(astro::kMaxAutomationDate));
    m_controls[IDC_TIME_PICKER] = m_timePicker;
    m_controls[IDC_DATE_PICKER] = m_datePicker;
    connect(m_timePicker, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (m_view != nullptr) m_view->OnDateTimeChange();
    });
    connect(m_datePicker, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (m_view != nullptr) m_view->OnDateTimeChange();
    });
    row->addWidget(m_timePicker);
    row->addWidget(m_datePicker);

    bar->addWidget(panel);
    addToolBar(Qt::TopToolBarArea, bar);
    // No menu brings this bar back: the bars' right-click menu does not offer to hide it.
    bar->toggleViewAction()->setVisible(false);
    m_wndDlgBar[0] = bar;
}

void CMainFrame::CreateNavigationBar() {
    auto* bar = new QToolBar(QStringLiteral("Navigation bar"), this);
    bar->setObjectName(QStringLiteral("NavigationBar"));
    auto* panel = new QWidget(bar);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 0, 4, 0);

    const int cameraButtons[] = {IDC_FACE_NORTH, IDC_FACE_SOUTH, IDC_FACE_EAST, IDC_FACE_WEST,
                                 IDC_TILT_UP,    IDC_TILT_DOWN,  IDC_TURN_LEFT, IDC_TURN_RIGHT};
    for (int id : cameraButtons) {
        QPushButton* button = CommandButton(id, panel);
        button->setFixedSize(36, 30);
        connect(button, &QPushButton::clicked, this, [this, id] { ExecuteCommand(id); });
        m_controls[id] = button;
        row->addWidget(button);
        if (id == IDC_FACE_WEST) row->addSpacing(12);
    }
    row->addSpacing(40);

    m_radioRaDec = new QRadioButton(QString::fromLatin1(FindCommand(IDC_READOUT_RADEC)->text), panel);
    m_radioAltAzi = new QRadioButton(QString::fromLatin1(FindCommand(IDC_READOUT_ALTAZI)->text), panel);
    m_radioRaDec->setObjectName(QStringLiteral("IDC_%1").arg(IDC_READOUT_RADEC));
    m_radioAltAzi->setObjectName(QStringLiteral("IDC_%1").arg(IDC_READOUT_ALTAZI));
    m_radioAltAzi->setChecked(true);
    m_controls[IDC_READOUT_RADEC] = m_radioRaDec;
    m_controls[IDC_READOUT_ALTAZI] = m_radioAltAzi;
    connect(m_radioRaDec, &QRadioButton::clicked, this, [this] { ExecuteCommand(IDC_READOUT_RADEC); });
    connect(m_radioAltAzi, &QRadioButton::clicked, this, [this] { ExecuteCommand(IDC_READOUT_ALTAZI); });
    row->addWidget(m_radioRaDec);
    row->addWidget(m_radioAltAzi);

    for (int i = 0; i < 2; ++i) {
        m_coordEdit[i] = new QLineEdit(panel);
        m_coordEdit[i]->setObjectName(QStringLiteral("IDC_%1").arg(IDC_COORD_FIRST + i));
        m_coordEdit[i]->setFixedWidth(90);
        m_controls[IDC_COORD_FIRST + i] = m_coordEdit[i];
        row->addWidget(m_coordEdit[i]);
    }
    QPushButton* go = CommandButton(IDC_GOTO, panel);
    connect(go, &QPushButton::clicked, this, [this] { ExecuteCommand(IDC_GOTO); });
    m_controls[IDC_GOTO] = go;
    row->addWidget(go);
    row->addStretch(1);

    bar->addWidget(panel);
    addToolBar(Qt::BottomToolBarArea, bar);
    bar->toggleViewAction()->setVisible(false); // as the top bar: nothing would bring it back
    m_wndDlgBar[1] = bar;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* status = statusBar();
    m_idleText = new QLabel(QStringLiteral("For Help, press F1"), status);
    status->addWidget(m_idleText, 1);
    platform::AddLockIndicators(status);
}

QDateTime CMainFrame::PickerDateTime() const {
    const QTime t = m_timePicker->time();
    return QDateTime(m_datePicker->date(), QTime(t.hour(), t.minute()), Qt::LocalTime);
}

void CMainFrame::SetPickerDateTime(const QDateTime& local) {
    const QSignalBlocker blockTime(m_timePicker);
    const QSignalBlocker blockDate(m_datePicker);
    m_timePicker->setTime(local.time());
    m_datePicker->setDate(local.date());
}

std::pair<QString, QString> CMainFrame::ReadoutTexts() const {
    return {m_coordEdit[0]->text(), m_coordEdit[1]->text()};
}

void CMainFrame::SetReadoutTexts(const QString& first, const QString& second) {
    m_coordEdit[0]->setText(first);
    m_coordEdit[1]->setText(second);
}

bool CMainFrame::IsAltAziReadout() const {
    return m_radioAltAzi->isChecked();
}

void CMainFrame::SetAltAziReadout(bool altAzi) {
    if (altAzi) {
        m_radioAltAzi->setChecked(true);
    } else {
        m_radioRaDec->setChecked(true);
    }
}

int CMainFrame::ZoomIndicator() const {
    return m_zoomBar->value();
}

void CMainFrame::SetZoomIndicator(int value) {
    m_zoomBar->setValue(std::clamp(value, nv::tools::kZoomIndicatorMin, nv::tools::kZoomIndicatorMax));
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
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    if (m_view == nullptr) return;
    for (const Command& c : Commands()) {
        if (c.layerSwitch == nullptr) continue;
        if (QAction* a = Action(c.id)) a->setChecked(c.layerSwitch(m_view->state()));
    }
}

void CMainFrame::ExecuteCommand(int id) {
    if (m_contextHelp != nullptr && m_contextHelp->TakeCommand(id)) return; // help mode: its page
    if (m_view == nullptr || !m_view->OnCommand(id)) OnCommand(id);
    UpdateCheckMarks();
}

bool CMainFrame::OnCommand(int id) {
    static const struct {
        int id;
        void (CMainFrame::*handler)();
    } kFrameHandlers[] = {
        {ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolbar},
        {ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar},
        {ID_APP_EXIT, &CMainFrame::OnAppExit},
        {ID_FILE_PRINT_SETUP, &CMainFrame::OnFilePrintSetup},
        {ID_HELP, &CMainFrame::OnHelp},
        {ID_CONTEXT_HELP, &CMainFrame::OnContextHelp},
    };
    for (const auto& h : kFrameHandlers) {
        if (h.id != id) continue;
        (this->*(h.handler))();
        return true;
    }
    return false;
}

void CMainFrame::PopupContextMenu(const QPoint& globalPosition, const QString& firstItem) {
    if (m_popup == nullptr) return;
    m_actions.at(ID_ABOUT_STAR)->setText(firstItem);
    m_popup->popup(globalPosition);
}

void CMainFrame::OnViewToolbar() {
    m_wndToolBar->setHidden(!m_wndToolBar->isHidden());
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
}

void CMainFrame::OnViewStatusBar() {
    statusBar()->setHidden(!statusBar()->isHidden());
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::OnAppExit() {
    close();
}

// Paper, orientation and margins of the printer that Print and Print Preview use.
void CMainFrame::OnFilePrintSetup() {
    imaging::PrintSetup(this);
}

// F1: the help's index page, opened by the view's Help Topics handler.
void CMainFrame::OnHelp() {
    if (m_view != nullptr) m_view->OnCommand(ID_HELP_FINDER);
}

// Shift+F1: the page of the command chosen next, or the index for a click elsewhere.
void CMainFrame::OnContextHelp() {
    m_contextHelp->Start(QString::fromLatin1(FindCommand(ID_CONTEXT_HELP)->prompt));
}
