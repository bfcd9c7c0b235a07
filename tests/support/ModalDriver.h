// Answers the modal windows a command opens while a test waits in it (a timer looks up the active
// modal window, which blocks in its own event loop), and the save dialog through its sink.
#pragma once

#include "platform/FileDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <vector>

namespace nvtest {

class ModalDriver {
public:
    using Step = std::function<bool(QWidget* modal)>; // true once the step has acted on `modal`

    // Each step answers one modal window, in order; with `repeatLast` the last step keeps answering.
    explicit ModalDriver(std::vector<Step> steps, bool repeatLast = false) : m_steps(std::move(steps)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, repeatLast] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || m_steps.empty()) return;
            const size_t step = repeatLast ? std::min(m_next, m_steps.size() - 1) : m_next;
            if (step < m_steps.size() && m_steps[step](modal)) ++m_next;
        });
        m_timer.start(20);
    }
    bool finished() const { return m_next >= m_steps.size(); }
    int answered() const { return static_cast<int>(m_next); }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timer;
};

// Runs `f` once on the next modal window when it shows (call before the code that opens it).
inline void OnNextModal(std::function<void(QWidget*)> f) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, f] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        f(w);
    });
    timer->start(10);
}

// A step that accepts or rejects a dialog of type T (any dialog for QDialog).
template <class T = QDialog> ModalDriver::Step Answer(bool accept) {
    return [accept](QWidget* w) {
        auto* dialog = qobject_cast<T*>(w);
        if (dialog != nullptr) accept ? dialog->accept() : dialog->reject();
        return dialog != nullptr;
    };
}

// While it lives the save dialog answers with `path` ("" for Cancel).
class SaveAnswer {
public:
    explicit SaveAnswer(QString path) {
        m_previous = platform::SetSaveFileSink([this, path](const platform::SaveFileRequest& r) {
            ++asked;
            request = r;
            return path;
        });
    }
    ~SaveAnswer() { platform::SetSaveFileSink(std::move(m_previous)); }
    SaveAnswer(const SaveAnswer&) = delete;
    SaveAnswer& operator=(const SaveAnswer&) = delete;

    int asked = 0;
    platform::SaveFileRequest request;

private:
    platform::SaveFileSink m_previous;
};

} // namespace nvtest
