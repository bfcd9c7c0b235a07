// Driving modal dialogs from a test: a dialog opened by an action blocks in exec(), so the test
// hands over what to do with it before the action runs.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace nvtest {

// Runs `f` on the next modal dialog once it is shown (call before the code that opens it).
inline void OnNextModal(std::function<void(QWidget*)> f) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, f]() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        f(w);
    });
    timer->start();
}

} // namespace nvtest
