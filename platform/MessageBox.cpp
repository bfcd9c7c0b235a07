#include "MessageBox.h"

#include <QMessageBox>
#include <cstdio>

namespace platform {

namespace {
MessageBoxSink& Sink() {
    static MessageBoxSink sink;
    return sink;
}
} // namespace

int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption) {
    if (Sink()) {
        Sink()(text, caption);
        return IDOK;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    box.exec();
    return IDOK;
}

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

MessageBoxRecorder::MessageBoxRecorder() {
    m_previous = SetMessageBoxSink(
        [this](const QString& text, const QString& caption) { m_boxes.emplace_back(text, caption); });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxSink(std::move(m_previous));
}

MessageBoxesToTerminal::MessageBoxesToTerminal() {
    m_previous = SetMessageBoxSink([](const QString& text, const QString& caption) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    });
}

MessageBoxesToTerminal::~MessageBoxesToTerminal() {
    SetMessageBoxSink(std::move(m_previous));
}

} // namespace platform
