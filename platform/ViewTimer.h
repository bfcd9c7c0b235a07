// Window timers by number, as a view uses them: SetTimer starts a repeating timer or re-arms one
// that runs, KillTimer stops it. Ticks arrive on the user-interface thread through the callback.
#pragma once

#include <QObject>
#include <functional>
#include <map>

namespace platform {

class ViewTimer : public QObject {
public:
    using Handler = std::function<void(unsigned id)>;

    explicit ViewTimer(Handler onTimer, QObject* parent = nullptr);
    ~ViewTimer() override;

    // Starts timer `id` with the given period; a timer of the same id that runs is replaced, so its
    // next tick comes one full period from now.
    void SetTimer(unsigned id, int periodMs);
    // Stops timer `id`; returns false when it was not running.
    bool KillTimer(unsigned id);
    bool IsRunning(unsigned id) const { return m_timers.count(id) != 0; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    Handler m_onTimer;
    std::map<unsigned, int> m_timers; // our id -> Qt's timer id
};

} // namespace platform
