#include "Peers.h"
#include "ui/Timer.h"

namespace ui::win32 {

namespace {

// A timer on the system's hidden message window.
class TTimerWindowPeer : public ITimerPeer {
public:
    TTimerWindowPeer(TWin32WindowSystem& system, TTimer& timer)
        : m_system(system), m_timer(timer), m_id(system.NextTimerId()) {
        system.Timers()[m_id] = &timer;
    }
    ~TTimerWindowPeer() override {
        KillTimer(m_system.TimerWindow(), m_id);
        m_system.Timers().erase(m_id);
    }
    void Changed() override {
        KillTimer(m_system.TimerWindow(), m_id);
        if (m_timer.Enabled() && m_timer.Interval() > 0)
            SetTimer(m_system.TimerWindow(), m_id, m_timer.Interval(), nullptr);
    }

private:
    TWin32WindowSystem& m_system;
    TTimer& m_timer;
    UINT_PTR m_id;
};

}  // namespace

std::unique_ptr<ITimerPeer> MakeTimerPeer(TWin32WindowSystem& system, TTimer& timer) {
    return std::make_unique<TTimerWindowPeer>(system, timer);
}

}  // namespace ui::win32
