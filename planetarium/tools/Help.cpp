#include "planetarium/tools/Help.h"

#include "platform/DataDir.h"
#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

namespace nv::tools {

namespace {

QString HelpFolderPath() {
    const std::u8string dir = HelpFolder().u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(dir.data()), static_cast<qsizetype>(dir.size()));
}

// The command id a pressed widget stands for, or 0.
int CommandIdOf(QWidget* w) {
    if (auto* button = qobject_cast<QToolButton*>(w); button && button->defaultAction())
        return button->defaultAction()->data().toInt();
    for (; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        const QString name = w->objectName();
        if (name.startsWith(QLatin1String("IDC_"))) return name.mid(4).toInt();
    }
    return 0;
}

bool InsideMenus(QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) return true;
    }
    return false;
}

} // namespace

std::filesystem::path HelpFolder() {
    return platform::DataDir() / "help";
}

QString HelpTopicFor(int commandId) {
    const QByteArray anchor = QStringLiteral("id=\"cmd-%1\"").arg(commandId).toLatin1();
    const QDir folder(HelpFolderPath());
    for (const QString& page : folder.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(page));
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(anchor))
            return QStringLiteral("%1#cmd-%2").arg(page).arg(commandId);
    }
    return QString::fromLatin1(kHelpIndexPage);
}

bool OpenHelpPage(QWidget* owner, const QString& topic) {
    const QString page = topic.section(QLatin1Char('#'), 0, 0);
    const QString anchor = topic.section(QLatin1Char('#'), 1);
    const QString path = QDir(HelpFolderPath()).filePath(page);
    const QString caption = QApplication::applicationDisplayName();
    if (!QFile::exists(path)) {
        platform::ShowMessageBox(owner,
                                 QStringLiteral("The help page cannot be opened: %1 does not exist.")
                                     .arg(QDir::toNativeSeparators(path)),
                                 caption);
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    if (platform::OpenUrl(url)) return true;
    platform::ShowMessageBox(
        owner,
        QStringLiteral("The help page %1 could not be opened: no web browser could be started to show it.")
            .arg(QDir::toNativeSeparators(path)),
        caption);
    return false;
}

ContextHelpMode::ContextHelpMode(QWidget* window) : QObject(window), m_window(window) {}

ContextHelpMode::~ContextHelpMode() {
    Stop();
}

void ContextHelpMode::Start(const QString& prompt) {
    if (m_active) return;
    m_active = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    qApp->installEventFilter(this);
    if (auto* main = qobject_cast<QMainWindow*>(m_window)) main->statusBar()->showMessage(prompt);
}

void ContextHelpMode::Stop() {
    if (!m_active) return;
    m_active = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (auto* main = qobject_cast<QMainWindow*>(m_window)) main->statusBar()->clearMessage();
}

bool ContextHelpMode::TakeCommand(int id) {
    if (!m_active) return false;
    Stop();
    OpenHelpPage(m_window, HelpTopicFor(id));
    return true;
}

bool ContextHelpMode::eventFilter(QObject* watched, QEvent* event) {
    if (!m_active) return false;
    // Escape leaves help mode, unless it is closing an open menu first.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activePopupWidget() == nullptr) {
        Stop();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Menus open as usual: the item chosen arrives through TakeCommand.
    if (widget == nullptr || InsideMenus(widget)) return false;
    const int id = CommandIdOf(widget);
    Stop();
    OpenHelpPage(m_window, id != 0 ? HelpTopicFor(id) : QString::fromLatin1(kHelpIndexPage));
    return true;
}

} // namespace nv::tools
