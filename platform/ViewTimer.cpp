#include "ViewTimer.h"

#include <QTimerEvent>

namespace platform {

ViewTimer::ViewTimer(Handler onTimer, QObject* parent) : QObject(parent), m_onTimer(std::move(onTimer)) {}

ViewTimer::~ViewTimer() {
    for (const auto& [id, qtId] : m_timers) killTimer(qtId);
}

void ViewTimer::SetTimer(unsigned id, int periodMs) {
    KillTimer(id);
    const int qtId = startTimer(periodMs < 1 ? 1 : periodMs, Qt::PreciseTimer);
    if (qtId != 0) m_timers[id] = qtId;
}

bool ViewTimer::KillTimer(unsigned id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return false;
    killTimer(it->second);
    m_timers.erase(it);
    return true;
}

void ViewTimer::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : m_timers) {
        if (qtId == event->timerId()) {
            // The handler may kill or re-arm this timer, so the map is not touched after the call.
            if (m_onTimer) m_onTimer(id);
            return;
        }
    }
    QObject::timerEvent(event);
}

} // namespace platform
