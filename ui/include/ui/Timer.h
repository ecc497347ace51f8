#pragma once

#include <functional>
#include <memory>

#include "ui/TimerPeer.h"

namespace ui {

class TForm;

// A timer on a form's thread: while enabled it runs OnTimer every Interval
// milliseconds, from the message loop (or, headless, when a test fires it).
// A new timer is disabled with an interval of 1000 ms.
class TTimer {
public:
    explicit TTimer(TForm& owner);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    unsigned Interval() const { return m_interval; }
    // Sets the interval; an enabled timer starts counting again.
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return m_enabled; }
    // Starts (true) or stops (false) the timer; enabling a running timer restarts its count.
    void SetEnabled(bool enabled);
    TForm& Owner() const { return m_owner; }

    // Called by the backend when the interval has passed: runs OnTimer, with
    // failures going to the application's error report. Nothing happens while disabled.
    void Fire();

    std::function<void(TTimer&)> OnTimer;

private:
    TForm& m_owner;
    std::unique_ptr<ITimerPeer> m_peer;
    unsigned m_interval = 1000;
    bool m_enabled = false;
};

}  // namespace ui
