// Message boxes with a text, a caption and an OK button. Tests install a sink that receives the
// text and caption instead of a dialog being shown.
#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace platform {

// The answer of an OK box.
inline constexpr int IDOK = 1;

using MessageBoxSink = std::function<void(const QString& text, const QString& caption)>;

// Shows a modal box owned by `owner` (may be null) and returns IDOK once it is closed. While a
// sink is installed, the sink gets the text and caption and nothing is shown.
int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption);

// Installs a sink (an empty function shows real boxes again); returns the previous one.
MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);

// Records every box shown while it lives (for tests); restores the previous sink afterwards.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // (text, caption) of each box, oldest first.
    const std::vector<std::pair<QString, QString>>& boxes() const { return m_boxes; }

private:
    std::vector<std::pair<QString, QString>> m_boxes;
    MessageBoxSink m_previous;
};

// While it lives, every box goes to standard error as "caption: text" instead, for runs with
// nobody there to close a box (a snapshot); restores the previous sink afterwards.
class MessageBoxesToTerminal {
public:
    MessageBoxesToTerminal();
    ~MessageBoxesToTerminal();
    MessageBoxesToTerminal(const MessageBoxesToTerminal&) = delete;
    MessageBoxesToTerminal& operator=(const MessageBoxesToTerminal&) = delete;

private:
    MessageBoxSink m_previous;
};

} // namespace platform
