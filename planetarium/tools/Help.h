// The program's help: web pages in the "help" folder of the data folder the program reads
// (platform::DataDir, the same lookup as the catalogue), opened in the default browser through
// platform::OpenUrl. Each command of the menus, toolbar and bars is explained in one page under the
// anchor "cmd-<id>" (for example id="cmd-57604" for "Save As..."), which is how Shift+F1 finds it.
//
// How the sky chart uses it:
//   Help Topics, About (57667, 57664) and F1 -> nv::tools::OpenHelpIndex(view);
//   Shift+F1 (57669)                         -> the frame's ContextHelpMode::Start(prompt);
//   the frame's command dispatcher           -> if (contextHelp.TakeCommand(id)) return;
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>

class QWidget;

namespace nv::tools {

inline constexpr char kHelpIndexPage[] = "index.htm";

// <data folder>/help
std::filesystem::path HelpFolder();

// "page.htm#cmd-<id>" for the page that explains command `id`, or the index page when none does.
QString HelpTopicFor(int commandId);

// Opens a page of the help folder ("page.htm" or "page.htm#anchor"). When the page is missing or
// no program can show it, a message owned by `owner` says why and the result is false.
bool OpenHelpPage(QWidget* owner, const QString& topic);
inline bool OpenHelpIndex(QWidget* owner) {
    return OpenHelpPage(owner, QString::fromLatin1(kHelpIndexPage));
}

// Help mode (Shift+F1): the pointer becomes a question-mark arrow and the status bar shows the
// prompt; the next command chosen (a menu item, a toolbar button, a bar control, a shortcut) opens
// its page instead of running, and a click anywhere else opens the index. Escape leaves help mode.
// Bar controls are recognised by the main window's naming: a tool button's action holds the
// command id as its data, other controls are named "IDC_<id>".
class ContextHelpMode : public QObject {
public:
    explicit ContextHelpMode(QWidget* window);
    ~ContextHelpMode() override;

    void Start(const QString& prompt);
    void Stop();
    bool active() const { return m_active; }
    // In help mode: ends it, opens the page of `id` and returns true (the command must not run).
    bool TakeCommand(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_active = false;
};

} // namespace nv::tools
